// CNumInputDlg; see num_input_dlg.h.
//
// Sections: the key table; the message map; initialisation; background and
// failure guard; keys and buttons; the entry rule; press and hold with the
// context menu.
#include "keypad/num_input_dlg.h"

#include <cstdint>

#include "framework/cmenu.h"
#include "keypad/entry_rule.h"
#include "keypad/keypad_ids.h"
#include "keypad/keypad_paint.h"

namespace {

// --- The key table -------------------------------------------------------------

struct KeySpec {
  int id;
  LPCWSTR up;
  LPCWSTR down;
  char16_t digit;  // 0 for the point and backspace keys
};

// The twelve keys in the order of m_keys. Key 8 carries the text
// "BTN_NUM18" in the template but its images are the BTN_NUM8 pair.
constexpr std::array<KeySpec, 12> kKeys{{
    {IDC_KEY_1, u"BTN_NUM1U", u"BTN_NUM1D", u'1'},
    {IDC_KEY_2, u"BTN_NUM2U", u"BTN_NUM2D", u'2'},
    {IDC_KEY_3, u"BTN_NUM3U", u"BTN_NUM3D", u'3'},
    {IDC_KEY_4, u"BTN_NUM4U", u"BTN_NUM4D", u'4'},
    {IDC_KEY_5, u"BTN_NUM5U", u"BTN_NUM5D", u'5'},
    {IDC_KEY_6, u"BTN_NUM6U", u"BTN_NUM6D", u'6'},
    {IDC_KEY_7, u"BTN_NUM7U", u"BTN_NUM7D", u'7'},
    {IDC_KEY_8, u"BTN_NUM8U", u"BTN_NUM8D", u'8'},
    {IDC_KEY_9, u"BTN_NUM9U", u"BTN_NUM9D", u'9'},
    {IDC_KEY_0, u"BTN_NUM0U", u"BTN_NUM0D", u'0'},
    {IDC_KEY_DOT, u"BTN_NUMDOTU", u"BTN_NUMDOTD", 0},
    {IDC_KEY_BACK, u"BTN_NUMBSU", u"BTN_NUMBSD", 0},
}};

// The frame styles the keypad drops: popup, visible, caption, system menu,
// thick frame.
constexpr DWORD kFrameStyles = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
static_assert(kFrameStyles == 0x90CC0000);

constexpr const char16_t* kTitle = u"Numerical Input";
constexpr const char16_t* kPlus = u"+";
constexpr const char16_t* kMinus = u"-";

}  // namespace

CNumInputDlg::CNumInputDlg(CWnd* parent) : CDialog(IDD_NUM_INPUT, parent) {}

// --- The message map -----------------------------------------------------------

const MessageMap* CNumInputDlg::GetMessageMap() const {
  static const MessageMap map(CDialog::GetThisMessageMap(), {
      MapMessage(WM_ERASEBKGND, &CNumInputDlg::OnEraseBkgnd),
      MapMessage(WM_LBUTTONDOWN, &CNumInputDlg::OnLButtonDown),
      MapMessage(WM_MOUSEMOVE, &CNumInputDlg::OnMouseMove),
      MapMessage(WM_LBUTTONUP, &CNumInputDlg::OnLButtonUp),
      MapCommandRange(IDC_KEY_1, IDC_KEY_1, &CNumInputDlg::OnDigitKey),
      MapCommandRange(IDC_KEY_2, IDC_KEY_0, &CNumInputDlg::OnDigitKey),
      MapCommand(IDC_KEY_DOT, &CNumInputDlg::OnPointKey),
      MapCommand(IDC_KEY_BACK, &CNumInputDlg::OnBackspaceKey),
      MapCommand(IDC_CLEAR, &CNumInputDlg::OnClear),
      MapCommand(IDC_SIGN, &CNumInputDlg::OnSign),
      MapControl(EN_CHANGE, IDC_ENTRY, &CNumInputDlg::OnChangeEntry),
  });
  return &map;
}

// --- Initialisation ------------------------------------------------------------

BOOL CNumInputDlg::OnInitDialog() {
  // WM_INITDIALOG reaches the object outside WindowProc, so it has its own guard.
  try {
    return InitDialog();
  } catch (...) {
    Fail();
    return FALSE;
  }
}

BOOL CNumInputDlg::InitDialog() {
  CDialog::OnInitDialog();
  BindControls();
  ModifyStyleEx(WS_EX_CAPTIONOKBTN, 0);  // no OK button in the title bar
  ModifyStyle(kFrameStyles, 0);
  SetWindowText(kTitle);
  LoadKeyImages();
  ModifyStyleEx(WS_EX_CAPTIONOKBTN, 0);
  tessapad::InvalidateAll(m_hWnd);
  SelectAllEntry();
  m_edit.Clear();
  m_edit.SetFocus();
  return TRUE;  // the dialog manager focuses the first tab stop: the entry field
}

void CNumInputDlg::BindControls() {
  m_btnSign.SubclassDlgItem(IDC_SIGN, this);
  m_btnOk.SubclassDlgItem(IDOK, this);
  m_btnCancel.SubclassDlgItem(IDCANCEL, this);
  m_btnClear.SubclassDlgItem(IDC_CLEAR, this);
  for (size_t i = 0; i < kKeys.size(); ++i) m_keys[i].AutoLoad(UINT(kKeys[i].id), this);
  m_edit.SubclassDlgItem(IDC_ENTRY, this);
}

void CNumInputDlg::LoadKeyImages() {
  for (size_t i = 0; i < kKeys.size(); ++i) m_keys[i].LoadKeyImages(kKeys[i].up, kKeys[i].down);
}

// --- Background and failure guard ----------------------------------------------

LRESULT CNumInputDlg::OnEraseBkgnd(WPARAM dc, LPARAM) {
  RECT client;
  GetClientRect(&client);
  tessapad::FillBackground(reinterpret_cast<HDC>(dc), client, m_crBackground);
  return TRUE;
}

LRESULT CNumInputDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return CDialog::WindowProc(message, wParam, lParam);
  } catch (...) {
    Fail();
    return 0;
  }
}

void CNumInputDlg::Fail() {
  m_bFailed = TRUE;
  if (m_hWnd) EndDialog(IDCANCEL);
}

// --- Keys and buttons -----------------------------------------------------------

void CNumInputDlg::OnDigitKey(UINT id) {
  for (const KeySpec& key : kKeys) {
    if (key.id != int(id) || !key.digit) continue;
    const char16_t digit[] = {key.digit, 0};
    m_edit.ReplaceSel(digit);
  }
  m_edit.SetFocus();
}

void CNumInputDlg::OnPointKey() {
  if (m_edit.GetWindowText().find(u'.') == std::u16string::npos) m_edit.ReplaceSel(u".");
  m_edit.SetFocus();
}

// Deletes the character before the selection's start; the selection itself stays.
void CNumInputDlg::OnBackspaceKey() {
  int start = 0, end = 0;
  m_edit.GetSel(start, end);
  if (start > 0) {
    m_edit.SetSel(start - 1, start);
    m_edit.Clear();
  }
  m_edit.SetFocus();
}

void CNumInputDlg::OnClear() {
  SelectAllEntry();
  m_edit.Clear();
  m_edit.SetFocus();
}

// Flips the sign key between "+" and "-"; the entry is not touched.
void CNumInputDlg::OnSign() {
  m_btnSign.SetWindowText(m_btnSign.GetWindowText() == kPlus ? kMinus : kPlus);
  m_edit.SetFocus();
}

void CNumInputDlg::OnOK() {
  std::u16string sign = m_btnSign.GetWindowText() == kMinus ? kMinus : u"";
  m_strValue = sign + m_edit.GetWindowText();
  EndDialog(IDOK);
}

// --- The entry rule -------------------------------------------------------------

// Runs after every change of the entry, whatever made it. Setting the text
// here is a change too, so the rule runs again, nested, on its own result.
void CNumInputDlg::OnChangeEntry() {
  int start = 0, end = 0;
  m_edit.GetSel(start, end);
  std::u16string text = m_edit.GetWindowText();
  tessapad::EntryVerdict verdict = tessapad::CheckEntry(text, m_nDecimals);
  switch (verdict.action) {
    case tessapad::EntryVerdict::kReplace:
      m_edit.SetWindowText(verdict.text);
      if (end != 0) PutCaretAtEnd();  // a caret at the start stays there
      break;
    case tessapad::EntryVerdict::kRevert:
      m_edit.SetWindowText(m_strAccepted);
      PutCaretAtEnd();
      break;
    case tessapad::EntryVerdict::kCut:
      m_edit.SetWindowText(verdict.text);
      PutCaretAtEnd();
      break;
    case tessapad::EntryVerdict::kKeep:
      m_strAccepted = std::move(text);
      break;
  }
}

void CNumInputDlg::SelectAllEntry() { m_edit.SetSel(0, -1); }

void CNumInputDlg::PutCaretAtEnd() {
  int length = int(m_edit.GetWindowText().size());
  m_edit.SetSel(length, length);
}

// --- Press and hold: the entry field's context menu ------------------------------

bool CNumInputDlg::OnEntryField(POINT point) const {
  RECT field;
  m_edit.GetWindowRect(&field);
  POINT topLeft{field.left, field.top}, bottomRight{field.right, field.bottom};
  ScreenToClient(m_hWnd, &topLeft);
  ScreenToClient(m_hWnd, &bottomRight);
  return point.x >= topLeft.x && point.x < bottomRight.x && point.y >= topLeft.y &&
         point.y < bottomRight.y;
}

LRESULT CNumInputDlg::OnLButtonDown(WPARAM, LPARAM point) {
  if (OnEntryField(PointFromLParam(point))) {
    m_bPressed = TRUE;
    m_timePressed = CTime::GetCurrentTime();
  }
  return Default();
}

LRESULT CNumInputDlg::OnMouseMove(WPARAM, LPARAM) {
  m_bPressed = FALSE;
  return Default();
}

// A release on the field at least one whole clock second after the press on
// it opens the menu; any release ends the pending press.
LRESULT CNumInputDlg::OnLButtonUp(WPARAM, LPARAM point) {
  POINT where = PointFromLParam(point);
  bool held = m_bPressed && OnEntryField(where) &&
              CTime::GetCurrentTime() - m_timePressed >= 1;
  m_bPressed = FALSE;
  if (held) ShowEntryMenu(where);
  return Default();
}

void CNumInputDlg::ShowEntryMenu(POINT point) {
  CMenu menu;  // destroyed with the object, whatever was chosen
  if (!menu.LoadMenu(IDR_ENTRY_MENU)) return;
  CMenu* popup = menu.GetSubMenu(0);
  if (!popup) return;
  ClientToScreen(m_hWnd, &point);
  UINT command = UINT(popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RETURNCMD, point.x, point.y, this));
  ApplyEntryCommand(command);
}

// Each command acts on the whole entry; a dismissed menu (0) does nothing.
void CNumInputDlg::ApplyEntryCommand(UINT command) {
  if (command == 0) return;
  SelectAllEntry();
  switch (command) {
    case ID_ENTRY_COPY: m_edit.Copy(); break;
    case ID_ENTRY_CUT: m_edit.Cut(); break;
    case ID_ENTRY_DELETE: m_edit.Clear(); break;
    case ID_ENTRY_PASTE: m_edit.Paste(); break;
    default: break;
  }
}
