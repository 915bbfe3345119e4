// Message boxes; see message_box.h.
#include "shell/message_box.h"

#include <algorithm>
#include <string>
#include <vector>

#include "sys/system.h"
#include "win/controls/register_controls.h"
#include "win/controls/text_metrics.h"
#include "win/dialog.h"
#include "win/dialog_builder.h"

namespace {

struct ButtonSpec {
  int id;
  const char16_t* text;
};

// The button sets by MB_ type, left to right.
const std::vector<ButtonSpec>* ButtonsOf(UINT type) {
  static const std::vector<ButtonSpec> sets[] = {
      {{IDOK, u"OK"}},                                               // MB_OK
      {{IDOK, u"OK"}, {IDCANCEL, u"Cancel"}},                        // MB_OKCANCEL
      {{IDABORT, u"Abort"}, {IDRETRY, u"Retry"}, {IDIGNORE, u"Ignore"}},  // MB_ABORTRETRYIGNORE
      {{IDYES, u"Yes"}, {IDNO, u"No"}, {IDCANCEL, u"Cancel"}},       // MB_YESNOCANCEL
      {{IDYES, u"Yes"}, {IDNO, u"No"}},                              // MB_YESNO
      {{IDRETRY, u"Retry"}, {IDCANCEL, u"Cancel"}},                  // MB_RETRYCANCEL
  };
  UINT kind = type & MB_TYPEMASK;
  return kind < std::size(sets) ? &sets[kind] : nullptr;
}

// The platform's standard icons, drawn later by the static control.
WORD IconIdOf(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return 32513;
    case MB_ICONQUESTION: return 32514;
    case MB_ICONEXCLAMATION: return 32515;
    case MB_ICONASTERISK: return 32516;
    default: return 0;
  }
}

struct BoxRun {
  int defaultId;
  int escapeAnswer;  // 0: Escape does nothing
  UINT type;
};

INT_PTR BoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* run = reinterpret_cast<BoxRun*>(GetWindowLongPtrW(box, DWL_USER));
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(box, DWL_USER, lParam);
    run = reinterpret_cast<BoxRun*>(lParam);
    if (run->type & MB_ICONMASK) MessageBeep(run->type & MB_ICONMASK);
    SendMessageW(box, DM_SETDEFID, WPARAM(run->defaultId), 0);
    SetFocus(GetDlgItem(box, run->defaultId));
    return FALSE;  // the focus is placed
  }
  if (message == WM_COMMAND && run) {
    int id = LOWORD(wParam);
    if (id == IDCANCEL && !GetDlgItem(box, IDCANCEL)) id = run->escapeAnswer;  // Escape, close
    if (id) EndDialog(box, id);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  const std::vector<ButtonSpec>* buttons = ButtonsOf(type);
  if (!buttons) return 0;
  win::RegisterControlClasses();
  std::u16string body = text ? text : u"";
  WORD icon = IconIdOf(type);

  // Layout in dialog units (1.75 px each): text wrapped to the box's width,
  // the icon on the left, the buttons in a row at the bottom.
  const short width = 130, textX = short(icon ? 30 : 6), textWidth = short(width - textX - 6);
  const int charsPerLine = std::max(1, int(textWidth * 1.75) / win::metrics::CharWidth(u'n'));
  int lines = 1;
  for (size_t start = 0; start < body.size();) {
    size_t end = body.find(u'\n', start);
    size_t length = (end == std::u16string::npos ? body.size() : end) - start;
    lines += int(length) / charsPerLine + (end == std::u16string::npos ? 0 : 1);
    start = end == std::u16string::npos ? body.size() : end + 1;
  }
  const short textHeight = short(std::clamp(lines * 8, 16, 120));
  const short buttonY = short(textHeight + 14), height = short(buttonY + 20);

  win::DialogTemplateBuilder form(WS_POPUP | WS_CAPTION | DS_CENTER, width, height,
                                  caption ? caption : u"Error");
  if (icon) form.ImageItem(20, SS_ICON | WS_VISIBLE, 6, 6, 16, 16, u"STATIC", icon);
  form.Item(21, SS_LEFT | SS_NOPREFIX | WS_VISIBLE, textX, 6, textWidth, textHeight, u"STATIC", body);
  int defaultIndex = (type & MB_DEFMASK) == MB_DEFBUTTON2 ? 1 : (type & MB_DEFMASK) == MB_DEFBUTTON3 ? 2 : 0;
  defaultIndex = std::min(defaultIndex, int(buttons->size()) - 1);
  const short buttonWidth = 36, gap = 4;
  const short total = short(buttons->size() * buttonWidth + (buttons->size() - 1) * gap);
  for (size_t i = 0; i < buttons->size(); ++i) {
    DWORD style = WS_VISIBLE | WS_TABSTOP | (int(i) == defaultIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    short x = short((width - total) / 2 + int(i) * (buttonWidth + gap));
    form.Item(WORD((*buttons)[i].id), style, x, buttonY, buttonWidth, 14, u"BUTTON",
              (*buttons)[i].text);
  }

  bool hasCancel = std::any_of(buttons->begin(), buttons->end(),
                               [](const ButtonSpec& b) { return b.id == IDCANCEL; });
  BoxRun run{(*buttons)[size_t(defaultIndex)].id, hasCancel ? IDCANCEL : (buttons->size() == 1 ? IDOK : 0), type};
  INT_PTR result = DialogBoxIndirectParamW(nullptr, form.bytes(), owner, &BoxProc,
                                           reinterpret_cast<LPARAM>(&run));
  return result < 0 ? 0 : int(result);
}
