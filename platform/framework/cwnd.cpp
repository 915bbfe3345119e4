// CWnd: binding objects to windows and routing their messages; see cwnd.h.
#include "framework/cwnd.h"

#include <memory>
#include <unordered_map>

#include "win/controls/button.h"

namespace {

// Bound objects and the temporary wrappers handed out by FromHandle.
struct HandleMaps {
  std::unordered_map<HWND, CWnd*> permanent;
  std::unordered_map<HWND, std::unique_ptr<CWnd>> temporary;
};

HandleMaps& Maps() {
  static HandleMaps maps;
  return maps;
}

}  // namespace

CWnd::~CWnd() {
  if (m_hWnd && Maps().permanent.count(m_hWnd) && Maps().permanent[m_hWnd] == this) {
    if (m_superProc) UnsubclassWindow();
    else Detach();
  }
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
  auto it = Maps().permanent.find(hwnd);
  return it == Maps().permanent.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
  if (!hwnd || !IsWindow(hwnd)) return nullptr;
  if (CWnd* bound = FromHandlePermanent(hwnd)) return bound;
  auto& temporary = Maps().temporary;
  std::erase_if(temporary, [](const auto& entry) { return !IsWindow(entry.first); });
  auto& slot = temporary[hwnd];
  if (!slot) {
    slot = std::make_unique<CWnd>();
    slot->m_hWnd = hwnd;
  }
  return slot.get();
}

BOOL CWnd::Attach(HWND hwnd) {
  if (m_hWnd || !IsWindow(hwnd) || FromHandlePermanent(hwnd)) return FALSE;
  Maps().temporary.erase(hwnd);
  Maps().permanent[hwnd] = this;
  m_hWnd = hwnd;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND hwnd = m_hWnd;
  if (hwnd) Maps().permanent.erase(hwnd);
  m_hWnd = nullptr;
  return hwnd;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
  if (!Attach(hwnd)) return FALSE;
  m_superProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::WndProc)));
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  return parent ? SubclassWindow(::GetDlgItem(parent->m_hWnd, int(id))) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
  if (m_hWnd && m_superProc)
    SetWindowLongPtrW(m_hWnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
  m_superProc = nullptr;
  return Detach();
}

LRESULT CWnd::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* self = FromHandlePermanent(hwnd);
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  CurrentMessage outer = self->m_current;  // messages nest: keep the outer one
  self->m_current = {message, wParam, lParam};
  LRESULT result = self->WindowProc(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The window is gone: unbind, so the object can be bound again later.
    self->m_superProc = nullptr;
    self->Detach();
    self->PostNcDestroy();
    return result;
  }
  if (FromHandlePermanent(hwnd) == self) self->m_current = outer;
  return result;
}

LRESULT CWnd::Default() {
  WNDPROC super = m_superProc ? m_superProc : &DefWindowProcW;
  return CallWindowProcW(super, m_hWnd, m_current.message, m_current.wParam, m_current.lParam);
}

const MessageMap* CWnd::GetThisMessageMap() {
  static const MessageMap map(nullptr, {});
  return &map;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  UINT code = 0, id = 0;
  if (message == WM_COMMAND) {
    code = HIWORD(wParam);
    id = LOWORD(wParam);
  } else if (message == WM_NOTIFY && lParam) {
    auto* header = reinterpret_cast<const NMHDR*>(lParam);
    code = header->code;
    id = UINT(header->idFrom);
  }
  if (const MessageEntry* entry = GetMessageMap()->Find(message, code, id)) {
    LRESULT result = 0;
    entry->call(*this, wParam, lParam, result);
    return result;
  }
  if (message == WM_COMMAND && OnCommand(wParam, lParam)) return 0;
  if (message == WM_NOTIFY) {
    LRESULT result = 0;
    if (OnNotify(wParam, lParam, &result)) return result;
  }
  if (message == WM_DRAWITEM && lParam) {
    auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    LRESULT result = 0;
    if (CWnd* child = FromHandlePermanent(dis->hwndItem);
        child && child != this && child->OnChildNotify(message, wParam, lParam, &result))
      return result;
  }
  return Default();
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

BOOL CWnd::OnCommand(WPARAM, LPARAM) { return FALSE; }
BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*) { return FALSE; }

CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

void CWnd::SetWindowText(std::u16string_view text) {
  std::u16string copy(text);
  SetWindowTextW(m_hWnd, copy.c_str());
}

void CWnd::SetDlgItemText(int id, std::u16string_view text) {
  std::u16string copy(text);
  SetWindowTextW(::GetDlgItem(m_hWnd, id), copy.c_str());
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return SendMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return PostMessageW(m_hWnd, message, wParam, lParam);
}

CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
  ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add) {
  if (!IsWindow(m_hWnd)) return FALSE;
  SetWindowLongW(m_hWnd, GWL_STYLE, LONG((GetStyle() & ~remove) | add));
  return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add) {
  if (!IsWindow(m_hWnd)) return FALSE;
  SetWindowLongW(m_hWnd, GWL_EXSTYLE, LONG((GetExStyle() & ~remove) | add));
  return TRUE;
}

BOOL CWnd::DestroyWindow() { return ::DestroyWindow(m_hWnd); }
