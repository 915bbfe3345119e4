// Message maps: each window class of the framework lists the messages,
// commands and notifications it handles in one table, readable at a glance:
//
//   const MessageMap* CKeyDlg::GetMessageMap() const {
//     static const MessageMap map(CDialog::GetThisMessageMap(), {
//         MapCommand(IDC_CLEAR, &CKeyDlg::OnClear),
//         MapControl(EN_CHANGE, IDC_ENTRY, &CKeyDlg::OnEntryChange),
//         MapNotify(NM_CLICK, IDC_LIST, &CKeyDlg::OnClickList),
//         MapMessage(WM_USER, &CKeyDlg::OnUser),
//     });
//     return &map;
//   }
//
// A class's table is searched first, then its base class's.
#pragma once

#include <functional>
#include <vector>

#include "win/controls/notify.h"
#include "win/winuser.h"

class CWnd;

struct MessageEntry {
  UINT message = 0;
  UINT code = 0;     // notification code for WM_COMMAND and WM_NOTIFY
  UINT firstId = 0;  // control or command id range for WM_COMMAND and WM_NOTIFY
  UINT lastId = 0;
  // Calls the handler on the window object; sets the message's answer.
  std::function<void(CWnd&, WPARAM, LPARAM, LRESULT&)> call;
};

class MessageMap {
 public:
  MessageMap(const MessageMap* base, std::vector<MessageEntry> entries)
      : base_(base), entries_(std::move(entries)) {}

  // The first entry for a message (with its code and id for WM_COMMAND and
  // WM_NOTIFY), searching this table, then the base tables; nullptr if none.
  const MessageEntry* Find(UINT message, UINT code, UINT id) const;

 private:
  const MessageMap* base_;
  std::vector<MessageEntry> entries_;
};

// A command (menu item, button click: notification code 0) with this id.
template <class T>
MessageEntry MapCommand(UINT id, void (T::*handler)()) {
  return {WM_COMMAND, 0, id, id, [handler](CWnd& w, WPARAM, LPARAM, LRESULT& r) {
            (static_cast<T&>(w).*handler)();
            r = 0;
          }};
}

// Commands of a range of ids; the handler receives the id.
template <class T>
MessageEntry MapCommandRange(UINT first, UINT last, void (T::*handler)(UINT)) {
  return {WM_COMMAND, 0, first, last, [handler](CWnd& w, WPARAM wp, LPARAM, LRESULT& r) {
            (static_cast<T&>(w).*handler)(LOWORD(wp));
            r = 0;
          }};
}

// A control notification sent through WM_COMMAND (EN_CHANGE, CBN_SELCHANGE…).
template <class T>
MessageEntry MapControl(UINT code, UINT id, void (T::*handler)()) {
  return {WM_COMMAND, code, id, id, [handler](CWnd& w, WPARAM, LPARAM, LRESULT& r) {
            (static_cast<T&>(w).*handler)();
            r = 0;
          }};
}

// A notification sent through WM_NOTIFY; the handler may set the answer.
template <class T>
MessageEntry MapNotify(UINT code, UINT id, void (T::*handler)(NMHDR*, LRESULT*)) {
  return {WM_NOTIFY, code, id, id, [handler](CWnd& w, WPARAM, LPARAM lp, LRESULT& r) {
            r = 0;
            (static_cast<T&>(w).*handler)(reinterpret_cast<NMHDR*>(lp), &r);
          }};
}

// Any other message, with its raw parameters and answer.
template <class T>
MessageEntry MapMessage(UINT message, LRESULT (T::*handler)(WPARAM, LPARAM)) {
  return {message, 0, 0, 0, [handler](CWnd& w, WPARAM wp, LPARAM lp, LRESULT& r) {
            r = (static_cast<T&>(w).*handler)(wp, lp);
          }};
}
