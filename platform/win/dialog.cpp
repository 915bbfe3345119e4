// The dialog manager; see dialog.h.
#include "win/dialog.h"

#include <memory>

#include "gdi/wingdi.h"
#include "res/dialog_template.h"
#include "win/queue.h"
#include "win/screen_layout.h"
#include "win/window_table.h"

namespace {

// How a modal run ends; shared so that the loop still reads it after the
// dialog window (and its state) are gone.
struct DialogRun {
  bool ended = false;
  INT_PTR result = 0;
};

struct DialogState : win::WindowState {
  std::shared_ptr<DialogRun> run = std::make_shared<DialogRun>();
  HWND savedFocus = nullptr;
  int defId = IDOK;
};

DialogState* StateOfDialog(HWND hwnd) { return win::StateOf<DialogState>(hwnd); }

using win::kWorkArea;

void EnsureDialogClass() {
  win::RegisterSystemClass(kDialogClass, &DefDlgProcW);
}

std::u16string ClassNameOf(const res::NameOrOrdinal& cls) {
  if (!cls.isOrdinal()) return cls.name();
  switch (cls.ordinal()) {
    case 0x80: return u"BUTTON";
    case 0x81: return u"EDIT";
    case 0x82: return u"STATIC";
    case 0x83: return u"LISTBOX";
    case 0x84: return u"SCROLLBAR";
    case 0x85: return u"COMBOBOX";
    default: return u"";
  }
}

// A title given as an ordinal (an image id) reaches the control as the
// platform passes it: 0xFFFF followed by the id.
std::u16string TitleOf(const res::NameOrOrdinal& title) {
  if (!title.isOrdinal()) return title.name();
  return std::u16string{u'\xFFFF', char16_t(title.ordinal())};
}

// The control's own bits count, not its dialog's: focus is placed while the
// dialog is still hidden.
bool CanTakeFocus(HWND hwnd) {
  DWORD style = DWORD(GetWindowLongW(hwnd, GWL_STYLE));
  return (style & WS_VISIBLE) && !(style & WS_DISABLED) && (style & WS_TABSTOP);
}

void FocusControl(HWND dialog, HWND control) {
  if (!control) return;
  SetFocus(control);
  if (GetFocus() == control && (SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL))
    SendMessageW(control, EM_SETSEL, 0, -1);
  (void)dialog;
}

// Creates the controls of a parsed template; false when one fails.
bool CreateControls(HWND dialog, HINSTANCE instance, const res::DialogTemplate& t) {
  for (const res::DialogItem& item : t.items) {
    RECT r = win::DialogUnitsToPixels(item.x, item.y, item.cx, item.cy);
    DWORD id = t.extended ? item.id : (item.id & 0xFFFF);
    std::u16string cls = ClassNameOf(item.windowClass);
    std::u16string title = TitleOf(item.title);
    HWND control = CreateWindowExW(item.exStyle, cls.c_str(), title.c_str(), item.style | WS_CHILD,
                                   r.left, r.top, r.right - r.left, r.bottom - r.top, dialog,
                                   reinterpret_cast<HMENU>(std::uintptr_t(id)), instance, nullptr);
    if (!control && !(t.style & DS_NOFAILCREATE)) return false;
    if (!IsWindow(dialog)) return false;
  }
  return true;
}

}  // namespace

namespace win {

RECT DialogUnitsToPixels(int x, int y, int cx, int cy) {
  auto px = [](int units, int base, int divisor) {
    // MulDiv rounding: half away from zero.
    long long v = (long long)units * base;
    return LONG(v >= 0 ? (v + divisor / 2) / divisor : -((-v + divisor / 2) / divisor));
  };
  LONG left = px(x, kBaseUnitX, 4), top = px(y, kBaseUnitY, 8);
  return {left, top, left + px(cx, kBaseUnitX, 4), top + px(cy, kBaseUnitY, 8)};
}

}  // namespace win

HWND CreateDialogIndirectParamW(HINSTANCE instance, std::span<const std::byte> dialogTemplate,
                                HWND parent, DLGPROC dialogProc, LPARAM param) {
  auto parsed = res::ParseDialogTemplate(dialogTemplate);
  if (!parsed) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const res::DialogTemplate& t = *parsed;
  EnsureDialogClass();

  RECT r = win::DialogUnitsToPixels(t.x, t.y, t.cx, t.cy);
  LONG width = r.right - r.left, height = r.bottom - r.top;
  POINT origin{kWorkArea.left, kWorkArea.top};
  if (t.style & WS_CHILD) {
    origin = {0, 0};
  } else if (t.style & DS_CENTER) {
    origin = {(kWorkArea.left + kWorkArea.right - width) / 2 - r.left,
              (kWorkArea.top + kWorkArea.bottom - height) / 2 - r.top};
  }
  std::u16string cls = t.windowClass.empty() ? kDialogClass : ClassNameOf(t.windowClass);
  HWND dialog = CreateWindowExW(t.exStyle, cls.c_str(), t.title.c_str(), t.style & ~DWORD(WS_VISIBLE),
                                origin.x + r.left, origin.y + r.top, width, height, parent, nullptr,
                                instance, nullptr);
  if (!dialog) return nullptr;
  win::SetState(dialog, std::make_unique<DialogState>());
  SetWindowLongPtrW(dialog, DWL_DLGPROC, reinterpret_cast<LONG_PTR>(dialogProc));

  if (!CreateControls(dialog, instance, t)) {
    DestroyWindow(dialog);
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
  LRESULT focusDefault = SendMessageW(dialog, WM_INITDIALOG, WPARAM(first), param);
  if (!IsWindow(dialog)) return nullptr;
  DialogState* state = StateOfDialog(dialog);
  if (focusDefault && state && !state->run->ended) FocusControl(dialog, first);
  if ((t.style & WS_VISIBLE) && state && !state->run->ended) ShowWindow(dialog, SW_SHOW);
  return dialog;
}

INT_PTR DialogBoxIndirectParamW(HINSTANCE instance, std::span<const std::byte> dialogTemplate,
                                HWND owner, DLGPROC dialogProc, LPARAM param) {
  HWND ownerTop = owner ? win::TopLevelOf(owner) : nullptr;
  bool disabledOwner = ownerTop && IsWindowEnabled(ownerTop);
  if (disabledOwner) EnableWindow(ownerTop, FALSE);

  HWND dialog = CreateDialogIndirectParamW(instance, dialogTemplate, ownerTop, dialogProc, param);
  DialogState* state = StateOfDialog(dialog);
  if (!dialog || !state) {
    if (disabledOwner) EnableWindow(ownerTop, TRUE);
    return -1;
  }
  std::shared_ptr<DialogRun> run = state->run;
  if (!run->ended) {
    // Shown by its loop whatever its style bits say.
    ShowWindow(dialog, SW_SHOW);
    win::RunNestedLoop([&] { return run->ended || !IsWindow(dialog); },
                       [&](MSG& msg) { return IsDialogMessageW(dialog, &msg) != FALSE; });
  }
  // The owner comes back before the dialog goes, so activation returns to it.
  if (disabledOwner) EnableWindow(ownerTop, TRUE);
  if (IsWindow(dialog)) DestroyWindow(dialog);
  if (ownerTop && IsWindowVisible(ownerTop)) SetActiveWindow(ownerTop);
  return run->result;
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
  DialogState* state = StateOfDialog(dialog);
  if (!state) return FALSE;
  state->run->ended = true;
  state->run->result = result;
  return TRUE;
}

LRESULT DefDlgProcW(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtrW(dialog, DWL_DLGPROC));
  if (proc) {
    SetWindowLongPtrW(dialog, DWL_MSGRESULT, 0);
    INT_PTR handled = proc(dialog, message, wParam, lParam);
    if (!IsWindow(dialog)) return 0;
    if (handled) {
      bool direct = message == WM_INITDIALOG ||
                    (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC);
      return direct ? handled : GetWindowLongPtrW(dialog, DWL_MSGRESULT);
    }
  }
  DialogState* state = StateOfDialog(dialog);
  switch (message) {
    case WM_INITDIALOG:
      return 0;
    case WM_CLOSE:
      PostMessageW(dialog, WM_COMMAND, MAKELONG(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
      return 0;
    case WM_NEXTDLGCTL: {
      HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                   : GetNextDlgTabItem(dialog, GetFocus(), wParam != 0);
      FocusControl(dialog, target);
      return 0;
    }
    case WM_ACTIVATE:
      if (!state) return 0;
      if (LOWORD(wParam) == WA_INACTIVE) {
        if (IsChild(dialog, GetFocus())) state->savedFocus = GetFocus();
      } else {
        HWND target = IsChild(dialog, state->savedFocus) ? state->savedFocus
                                                         : GetNextDlgTabItem(dialog, nullptr, FALSE);
        if (target) SetFocus(target);
        else if (!IsChild(dialog, GetFocus())) SetFocus(dialog);
      }
      return 0;
    case WM_SETFOCUS:
      if (HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE)) FocusControl(dialog, first);
      return 0;
    case WM_ERASEBKGND: {
      // The dialog's own answer to WM_CTLCOLORDLG colours it; the button
      // face otherwise.
      auto hdc = reinterpret_cast<HDC>(wParam);
      auto brush = reinterpret_cast<HBRUSH>(
          SendMessageW(dialog, WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(dialog)));
      RECT client{};
      GetClientRect(dialog, &client);
      if (hdc) FillRect(hdc, &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case DM_GETDEFID:
      return state ? LRESULT(MAKELONG(WORD(state->defId), DC_HASDEFID)) : 0;
    case DM_SETDEFID:
      if (state) state->defId = int(wParam);
      return TRUE;
    default:
      return DefWindowProcW(dialog, message, wParam, lParam);
  }
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  win::Window* w = win::Lookup(dialog);
  if (!w) return nullptr;
  const auto& children = w->children;
  int n = int(children.size());
  if (n == 0) return nullptr;
  int start = -1;
  for (int i = 0; i < n; ++i)
    if (children[size_t(i)] == control) start = i;
  int step = previous ? -1 : 1;
  if (start < 0) start = previous ? 0 : n - 1;  // so that the first step lands on an end
  for (int k = 1; k <= n; ++k) {
    HWND candidate = children[size_t(((start + step * k) % n + n) % n)];
    if (CanTakeFocus(candidate)) return candidate;
  }
  return nullptr;
}

void SendDlgCommand(HWND dialog, int id, WORD code) {
  HWND control = GetDlgItem(dialog, id);
  if (control && !IsWindowEnabled(control)) return;  // a disabled button does nothing
  SendMessageW(dialog, WM_COMMAND, MAKELONG(WORD(id), code), reinterpret_cast<LPARAM>(control));
}

BOOL IsDialogMessageW(HWND dialog, MSG* msg) {
  if (!msg || !IsWindow(dialog)) return FALSE;
  if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return FALSE;
  bool keyMessage = msg->message == WM_KEYDOWN || msg->message == WM_CHAR;
  UINT key = UINT(msg->wParam);
  bool dialogKey = key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE;
  if (keyMessage && dialogKey) {
    LRESULT code = SendMessageW(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
    bool wanted = (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) ||
                  (key == VK_TAB && (code & DLGC_WANTTAB));
    if (!wanted) {
      if (msg->message == WM_KEYDOWN) {
        if (key == VK_TAB) {
          SendMessageW(dialog, WM_NEXTDLGCTL, 0, 0);
        } else if (key == VK_ESCAPE) {
          SendDlgCommand(dialog, IDCANCEL);
        } else {
          LRESULT def = SendMessageW(dialog, DM_GETDEFID, 0, 0);
          int id = HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK;
          if (code & DLGC_DEFPUSHBUTTON || code & DLGC_UNDEFPUSHBUTTON) id = GetDlgCtrlID(msg->hwnd);
          SendDlgCommand(dialog, id);
        }
      }
      return TRUE;  // the key and its character are the dialog's
    }
  }
  TranslateMessage(msg);
  DispatchMessageW(msg);
  return TRUE;
}
