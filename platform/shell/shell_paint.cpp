// The shell's painters; see shell_paint.h.
#include "shell/shell_paint.h"

#include <string>

#include "gdi/wingdi.h"
#include "shell/command_bar.h"
#include "shell/soft_keyboard.h"
#include "shell/task_bar.h"
#include "win/controls/style_painter.h"

namespace shell {
namespace {

constexpr COLORREF kTaskBarBlue = RGB(0, 0, 128);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kMenuGrey = RGB(212, 208, 200);
constexpr COLORREF kEdgeGrey = RGB(128, 128, 128);
constexpr COLORREF kTrayGrey = RGB(160, 160, 160);

// The "System" font, bold or not, selected while the object lives.
class SystemFont {
 public:
  SystemFont(HDC hdc, bool bold) : hdc_(hdc) {
    LOGFONTW lf{};
    lf.lfHeight = -12;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    std::u16string face = u"System";
    face.copy(lf.lfFaceName, face.size());
    font_ = CreateFontIndirectW(&lf);
    previous_ = SelectObject(hdc_, font_);
  }
  ~SystemFont() {
    SelectObject(hdc_, previous_);
    DeleteObject(font_);
  }
  SystemFont(const SystemFont&) = delete;
  SystemFont& operator=(const SystemFont&) = delete;

 private:
  HDC hdc_;
  HFONT font_;
  HGDIOBJ previous_;
};

// One line of text centred vertically; menu texts keep their "&" mnemonic
// marks, other texts show "&" as it stands (DT_NOPREFIX in `format`).
void Text(HDC hdc, const std::u16string& text, RECT r, UINT format, COLORREF color) {
  SetBkMode(hdc, TRANSPARENT);
  SetTextColor(hdc, color);
  DrawTextW(hdc, text.c_str(), int(text.size()), &r, format | DT_SINGLELINE | DT_VCENTER);
}

void Line(HDC hdc, POINT from, POINT to, COLORREF color, int width = 1) {
  HPEN pen = CreatePen(PS_SOLID, width, color);
  HGDIOBJ previous = SelectObject(hdc, pen);
  MoveToEx(hdc, from.x, from.y, nullptr);
  LineTo(hdc, to.x, to.y);
  SelectObject(hdc, previous);
  DeleteObject(pen);
}

RECT ClientOf(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  return r;
}

// The close adornment: an "X" in a small framed square.
void PaintClose(HDC hdc, RECT r, bool pressed) {
  InflateRect(&r, -4, -4);
  r.right = r.left + (r.bottom - r.top);
  win::style::FillColor(hdc, r, pressed ? kBlack : kWhite);
  win::style::DrawFrame(hdc, r, pressed ? win::style::Frame::kPressed : win::style::Frame::kButton);
  COLORREF mark = pressed ? kWhite : kBlack;
  Line(hdc, {r.left + 4, r.top + 4}, {r.right - 4, r.bottom - 4}, mark, 2);
  Line(hdc, {r.right - 5, r.top + 4}, {r.left + 3, r.bottom - 4}, mark, 2);
}

}  // namespace

void PaintTaskBar(HWND bar, HDC hdc) {
  RECT client = ClientOf(bar);
  win::style::FillColor(hdc, client, kTaskBarBlue);
  TaskBarLook look = LookOfTaskBar();
  SystemFont bold(hdc, true);
  RECT title = client;
  title.left += 6;
  if (look.ok) title.right = look.okRect.left - 4;
  Text(hdc, look.title, title, DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX, kWhite);
  if (!look.ok) return;
  RECT ok = look.okRect;
  InflateRect(&ok, -3, -4);
  win::style::FillColor(hdc, ok, look.okPressed ? kWhite : kTaskBarBlue);
  HBRUSH frame = CreateSolidBrush(kWhite);
  FrameRect(hdc, &ok, frame);
  DeleteObject(frame);
  Text(hdc, u"ok", ok, DT_CENTER | DT_NOPREFIX, look.okPressed ? kTaskBarBlue : kWhite);
}

void PaintCommandBar(HWND bar, HDC hdc) {
  RECT client = ClientOf(bar);
  win::style::FillColor(hdc, client, kMenuGrey);
  Line(hdc, {client.left, client.top}, {client.right, client.top}, kEdgeGrey);
  SystemFont font(hdc, false);
  for (const CommandBarPart& part : CommandBarParts(bar)) {
    RECT r = part.rect;
    r.top += 1;
    if (part.kind == CommandBarPart::Kind::kClose) {
      PaintClose(hdc, r, part.pressed);
      continue;
    }
    COLORREF color = part.greyed ? GetSysColor(COLOR_GRAYTEXT) : kBlack;
    if (part.pressed) color = win::style::FillSelection(hdc, r);
    Text(hdc, part.kind == CommandBarPart::Kind::kOk ? u"OK" : part.text, r, DT_CENTER, color);
  }
}

void PaintSoftKeyboard(HWND panel, HDC hdc) {
  RECT client = ClientOf(panel);
  win::style::FillColor(hdc, client, kTrayGrey);
  SystemFont font(hdc, false);
  const auto& keys = SoftKeys();
  int held = SoftKeyboardHeldKey();
  for (size_t i = 0; i < keys.size(); ++i) {
    const SoftKey& key = keys[i];
    RECT r = key.rect;
    InflateRect(&r, -1, -1);
    bool down = int(i) == held || (key.virtualKey == VK_SHIFT && SoftKeyboardShifted());
    win::style::Frame kind = down ? win::style::Frame::kPressed : win::style::Frame::kPopup;
    RECT inside = win::style::DrawFrame(hdc, r, kind);
    std::u16string label = key.label;
    bool letter = label.size() == 1 && label[0] >= u'a' && label[0] <= u'z';
    if (letter && SoftKeyboardShifted()) label[0] = char16_t(label[0] - 32);
    Text(hdc, label, inside, DT_CENTER | DT_NOPREFIX, win::style::TextColor(kind));
  }
}

LRESULT OnPaint(HWND hwnd, void (*painter)(HWND, HDC)) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  if (hdc) painter(hwnd, hdc);
  EndPaint(hwnd, &ps);
  return 0;
}

}  // namespace shell
