// CMensoraDlg: construction, the message map, start-up, activation and
// closing. See mensora_dlg.h for the other files of the class.
#include "app/mensora_dlg.h"

#include "app/category_drawing.h"
#include "framework/app_state.h"
#include "i18n/dialog_texts.h"
#include "i18n/language_pack.h"
#include "i18n/resource_ids.h"
#include "res/resources.h"
#include "shell/message_box.h"
#include "sys/system.h"
#include "win/icon.h"
#include "win/screen_layout.h"

namespace {

// The unit lists' one column: its heading (never shown) is 21 characters, and
// the column is as wide as 21 capital M.
constexpr const char16_t* kUnitColumnHeading = u"PARAMETRES PARAMETRES";
constexpr int kUnitColumnChars = 21;

// The extended list style for selecting whole rows.
constexpr DWORD kFullRowSelect = LVS_EX_FULLROWSELECT;

// The framework's control-bar style flags the menu bar takes after creation.
constexpr DWORD kMenuBarStyleFlags = 0x22;

// What loading the table needs of the platform: the busy cursor while it
// runs, the button-face colour, and the message when memory for the built-in
// table runs out (the loader then ends the process).
LoaderHooks TableLoaderHooks() {
  LoaderHooks hooks;
  hooks.beginBusy = [] { AfxBeginWaitCursor(); };
  hooks.endBusy = [] { AfxEndWaitCursor(); };
  hooks.buttonFaceColor = [] { return appearance::ButtonFaceColor(); };
  hooks.tableOutOfMemory = [] {
    // Both strings come through the one shared buffer: copy the first.
    const std::u16string text = LoadUiString(IDS_TABLE_OUT_OF_MEMORY);
    MessageBoxW(nullptr, text.c_str(), LoadUiString(IDS_TABLE_OUT_OF_MEMORY_TITLE), MB_OK);
  };
  return hooks;
}

}  // namespace

CMensoraDlg::CMensoraDlg(CWnd* parent)
    : CDialog(IDD_MENSORA_DIALOG, parent), m_database(TheSettings(), TableLoaderHooks()) {
  m_hIcon = LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

CMensoraDlg::~CMensoraDlg() {
  ReleaseCategoryBitmaps();
  if (m_hIcon) DestroyIcon(m_hIcon);
}

const MessageMap* CMensoraDlg::GetThisMessageMap() {
  static const MessageMap map(CDialog::GetThisMessageMap(), {
      MapCommand(IDC_PREV_CATEGORY, &CMensoraDlg::OnPrevCategory),
      MapCommand(IDC_NEXT_CATEGORY, &CMensoraDlg::OnNextCategory),
      MapControl(CBN_SELCHANGE, IDC_CATEGORY, &CMensoraDlg::OnSelChangeCategory),
      MapNotify(NM_CLICK, IDC_LIST_FROM, &CMensoraDlg::OnClickUnitList),
      MapNotify(NM_CLICK, IDC_LIST_TO, &CMensoraDlg::OnClickUnitList),
      MapNotify(NM_SETFOCUS, IDC_LIST_FROM, &CMensoraDlg::OnUnitListFocus),
      MapNotify(NM_SETFOCUS, IDC_LIST_TO, &CMensoraDlg::OnUnitListFocus),
      MapControl(EN_SETFOCUS, IDC_VALUE, &CMensoraDlg::PassFocusOn),
      MapControl(EN_SETFOCUS, IDC_RESULT, &CMensoraDlg::PassFocusOn),
      MapMessage(WM_USER, &CMensoraDlg::OnUserMessage),
      MapMessage(WM_ACTIVATE, &CMensoraDlg::OnActivate),
      MapMessage(WM_CLOSE, &CMensoraDlg::OnClose),
      MapMessage(WM_DESTROY, &CMensoraDlg::OnDestroy),
      MapMessage(WM_ERASEBKGND, &CMensoraDlg::OnEraseBkgnd),
      MapMessage(WM_PAINT, &CMensoraDlg::OnPaint),
      // The menu bar's commands.
      MapCommand(ID_FILE_OPEN, &CMensoraDlg::OnCommandNotYetAvailable),
      MapCommand(ID_CONFIGURATION, &CMensoraDlg::OnCommandNotYetAvailable),
      MapCommand(ID_SAVE_SETTINGS, &CMensoraDlg::OnSaveSettings),
      MapCommand(ID_CHANGE_COLOR, &CMensoraDlg::OnCommandNotYetAvailable),
      MapCommand(ID_CHANGE_COLOR_2, &CMensoraDlg::OnCommandNotYetAvailable),
      MapCommand(ID_SELECT_BITMAP, &CMensoraDlg::OnCommandNotYetAvailable),
      MapCommand(ID_EDIT_CUSTOM, &CMensoraDlg::OnCommandNotYetAvailable),
      MapCommand(ID_EDIT_CUSTOM_2, &CMensoraDlg::OnCommandNotYetAvailable),
      MapCommand(ID_ABOUT, &CMensoraDlg::OnCommandNotYetAvailable),
      MapCommand(ID_ABOUT_2, &CMensoraDlg::OnCommandNotYetAvailable),
      MapCommand(ID_HELP, &CMensoraDlg::OnCommandNotYetAvailable),
      MapCommand(ID_LANGUAGE, &CMensoraDlg::OnCommandNotYetAvailable),
      MapCommand(ID_EXIT, &CMensoraDlg::OnExit),
      MapCommand(ID_EXIT_2, &CMensoraDlg::OnExit),
      MapCommand(ID_EXIT_3, &CMensoraDlg::OnExit),
  });
  return &map;
}

void CMensoraDlg::BindControls() {
  m_btnNext.SubclassDlgItem(IDC_NEXT_CATEGORY, this);
  m_btnPrev.SubclassDlgItem(IDC_PREV_CATEGORY, this);
  m_comboCategory.SubclassDlgItem(IDC_CATEGORY, this);
  m_listTo.SubclassDlgItem(IDC_LIST_TO, this);
  m_listFrom.SubclassDlgItem(IDC_LIST_FROM, this);
  m_editResult.SubclassDlgItem(IDC_RESULT, this);
  m_editValue.SubclassDlgItem(IDC_VALUE, this);
}

void CMensoraDlg::CenterOnWorkArea() {
  RECT r;
  GetWindowRect(&r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  // Centred between the task bar and the menu bar.
  const RECT& area = win::kWorkArea;
  MoveWindow((area.left + area.right - width) / 2, (area.top + area.bottom - height) / 2, width, height);
}

void CMensoraDlg::SetUpUnitColumns() {
  const int width = m_listFrom.GetStringWidth(u"M") * kUnitColumnChars;
  for (CListCtrl* list : {&m_listFrom, &m_listTo}) {
    list->InsertColumn(0, kUnitColumnHeading, LVCFMT_LEFT, width);
    list->SetExtendedStyle(kFullRowSelect);
  }
}

// Start-up, in this order: the language pack and the window's texts, the
// menu bar, the colours, the database from the built-in table, the category
// selector and the unit lists, the precision and notation, the category
// bitmaps, and the fields' first contents.
BOOL CMensoraDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  BindControls();

  // Loading the pack sends WM_USER 15, which builds the menu bar once already.
  ReadLanguageSetting();
  LoadLanguagePack();
  ApplyDialogTexts(IDD_MENSORA_DIALOG, m_hWnd);

  SendMessage(WM_SETICON, ICON_BIG, LPARAM(m_hIcon));
  SendMessage(WM_SETICON, ICON_SMALL, LPARAM(m_hIcon));

  CreateMenuBar();
  m_menuBar.SetBarStyle(m_menuBar.GetBarStyle() | kMenuBarStyleFlags);
  CenterOnWorkArea();
  ModifyStyleEx(WS_EX_CAPTIONOKBTN, 0);
  SetWindowText(LoadUiString(IDS_MAIN_TITLE));

  const COLORREF face = appearance::ButtonFaceColor();
  for (CListCtrl* list : {&m_listFrom, &m_listTo}) {
    list->SetBkColor(face);
    list->SetTextBkColor(face);
  }
  m_crBackground = face;
  TheSettings().newCategoryColor = face;

  m_nCategory = -1;
  m_strDataFile = u"\\windows\\mensora.dat";
  m_database.LoadConversionTable(m_strDataFile);

  if (!Database().empty()) {
    m_nCategory = 0;
    for (const Category& category : Database()) m_comboCategory.AddString(category.name.c_str());
  }
  if (m_nCategory >= 0) {
    // Runs with the precision of construction; its only lasting effect is a
    // derivation pass over the selector's first category. What shows
    // comes below.
    m_editValue.SetWindowText(u"0");
    m_editResult.SetWindowText(u"0");
    m_comboCategory.SetCurSel(0);
    OnSelChangeCategory();
  }

  SetUpUnitColumns();
  m_nDigits = TheSettings().display.digits;
  m_nNotation = TheSettings().display.notation;
  LoadCategoryBitmaps();

  m_editValue.SetWindowText(u"0");
  m_editResult.SetWindowText(u"0");
  if (m_nCategory >= 0) FillUnitLists();

  // The focus is not placed here: the dialog manager gives it to the first
  // tab stop, the "<<" button.
  return TRUE;
}

// Every activation change beeps. On deactivation the window asks for its
// owner and then its first enabled popup (GetWindow with 4, then 6): both
// leave the window as it is, so the program never hides itself while the
// keypad or one of its own dialogs has taken the activation.
LRESULT CMensoraDlg::OnActivate(WPARAM wParam, LPARAM) {
  MessageBeep(0xFFFFFFFF);
  const WORD state = LOWORD(wParam);
  if (state != WA_ACTIVE && state != WA_CLICKACTIVE) {
    ::GetWindow(m_hWnd, 4);
    ::GetWindow(m_hWnd, 6);
  }
  return Default();
}

// A close request ends the modal run with IDOK through the framework's own
// OK action (the window's own does nothing), then takes the default path.
LRESULT CMensoraDlg::OnClose(WPARAM, LPARAM) {
  CDialog::OnOK();
  return Default();
}

LRESULT CMensoraDlg::OnDestroy(WPARAM, LPARAM) {
  LRESULT result = Default();
  m_database.ReleaseTableText();
  return result;
}

// WM_USER carries two reports: a pack load (wParam 15) rebuilds the menu bar;
// a tap on a field (wParam 255, lParam the field) opens the keypad or the
// result menu. Both then reach the default handling.
LRESULT CMensoraDlg::OnUserMessage(WPARAM wParam, LPARAM lParam) {
  if (wParam == kPackLoadedCode) {
    CreateMenuBar();
  } else if (wParam == CTapEdit::kTapReport) {
    if (lParam == reinterpret_cast<LPARAM>(&m_editValue)) EnterValue();
    else if (lParam == reinterpret_cast<LPARAM>(&m_editResult)) ShowResultMenu();
  }
  return Default();
}
