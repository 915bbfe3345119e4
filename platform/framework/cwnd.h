// CWnd: a C++ object bound to a window. Messages to a bound window pass
// through the object's message map first, then to the window's previous
// procedure (Default), so a class derived from a control wrapper changes only
// what it handles.
#pragma once

#include <string>
#include <string_view>

#include "framework/message_map.h"
#include "win/winuser.h"

class CWnd {
 public:
  CWnd() = default;
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = nullptr;
  HWND GetSafeHwnd() const { return m_hWnd; }
  operator HWND() const { return m_hWnd; }

  // The object bound to a window, or nullptr.
  static CWnd* FromHandlePermanent(HWND hwnd);
  // The bound object, or a temporary wrapper the framework keeps until the
  // window dies; nullptr for a null or dead handle.
  static CWnd* FromHandle(HWND hwnd);

  // Binds this object to a window without changing its procedure; FALSE when
  // the object is bound already or the window is dead or bound elsewhere.
  BOOL Attach(HWND hwnd);
  HWND Detach();

  // Binds and routes the window's messages through this object; the
  // previous procedure stays reachable through Default(). FALSE as Attach.
  BOOL SubclassWindow(HWND hwnd);
  // SubclassWindow on the parent's control with this id.
  BOOL SubclassDlgItem(UINT id, CWnd* parent);
  // Restores the previous procedure and unbinds.
  HWND UnsubclassWindow();

  // Thin wrappers of the platform calls on m_hWnd.
  CWnd* GetDlgItem(int id) const;
  CWnd* GetParent() const;
  int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
  void SetWindowText(std::u16string_view text);
  std::u16string GetWindowText() const { return WindowText(m_hWnd); }
  void SetDlgItemText(int id, std::u16string_view text);
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
  BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
  BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  CWnd* SetFocus();
  void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
  void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
  void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
  DWORD GetStyle() const { return DWORD(GetWindowLongW(m_hWnd, GWL_STYLE)); }
  DWORD GetExStyle() const { return DWORD(GetWindowLongW(m_hWnd, GWL_EXSTYLE)); }
  // Clears `remove` and sets `add` in the style; nothing is recalculated.
  BOOL ModifyStyle(DWORD remove, DWORD add);
  BOOL ModifyStyleEx(DWORD remove, DWORD add);
  BOOL DestroyWindow();
  // Painting: the whole client area (or `rect`) becomes invalid; UpdateWindow
  // paints what is invalid now.
  void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
  void InvalidateRect(const RECT* rect, BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, rect, erase); }
  void UpdateWindow() { ::UpdateWindow(m_hWnd); }

  // The procedure of every bound window.
  static LRESULT WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  // Routes a message: the message map, then the virtual command and notify
  // hooks, then a child's own object for WM_DRAWITEM, then Default().
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // The message being handled, given to the previous procedure.
  LRESULT Default();

  virtual const MessageMap* GetMessageMap() const { return GetThisMessageMap(); }
  static const MessageMap* GetThisMessageMap();

  // WM_COMMAND and WM_NOTIFY without a map entry; TRUE when handled.
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
  // A message a child control sent this window about itself (WM_DRAWITEM)
  // and that no map entry took, handed to the child's own object: TRUE when
  // that object handled it, with the answer in *result.
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  // Called after the window is gone and the object unbound.
  virtual void PostNcDestroy() {}

  WNDPROC m_superProc = nullptr;

 private:
  struct CurrentMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };
  CurrentMessage m_current{};
};
