// CMensoraDlg: the main conversion window, the program's only top-level
// window. A dialog built from template 102 and run modally for the whole
// life of the process: a category selector with previous and next buttons,
// the lists of units to convert from and to, the value field (filled only
// through the keypad) and the result field (which offers only an edit menu).
// It paints its background from the current category and carries the menu
// bar whose commands the language pack lays out.
//
// The class is split by concern over several files:
//   mensora_dlg.cpp             construction, message map, start-up, activation, closing
//   mensora_dlg_units.cpp       category selection and the unit lists
//   mensora_dlg_value.cpp       value entry, conversion, the result menu, focus passing
//   mensora_dlg_appearance.cpp  category bitmaps, background and captions
//   mensora_dlg_commands.cpp    the menu bar and its commands
#pragma once

#include <memory>
#include <string>

#include "dialogs/tap_edit.h"
#include "data/table_loader.h"
#include "framework/cbutton.h"
#include "framework/ccombobox.h"
#include "framework/ccommandbar.h"
#include "framework/cdialog.h"
#include "framework/clistctrl.h"

// Control ids of template 102.
inline constexpr int IDC_PREV_CATEGORY = 1000;
inline constexpr int IDC_NEXT_CATEGORY = 1001;
inline constexpr int IDC_LIST_FROM = 1003;
inline constexpr int IDC_LIST_TO = 1004;
inline constexpr int IDC_VALUE = 1005;
inline constexpr int IDC_RESULT = 1006;
inline constexpr int IDC_CATEGORY = 1009;

// Resources of the program itself.
inline constexpr UINT IDD_MENSORA_DIALOG = 102;
inline constexpr UINT IDR_MAINFRAME = 128;
inline constexpr UINT IDR_RESULT_MENU = 137;
inline constexpr UINT ID_EDIT_COPY = 32778;
inline constexpr UINT ID_EDIT_CUT = 32779;
inline constexpr UINT ID_EDIT_CLEAR = 32780;
inline constexpr UINT ID_EDIT_PASTE = 32781;


class CMensoraDlg : public CDialog {
 public:
  // Builds the window object: precision 6, an empty database (the loader's),
  // and the program icon. The window itself appears with DoModal.
  explicit CMensoraDlg(CWnd* parent = nullptr);
  ~CMensoraDlg() override;

  // Operations other parts call (their contracts are at the definitions).
  void OnSelChangeCategory();
  void OnPrevCategory();
  void OnNextCategory();
  void FillUnitLists();
  void ConvertAndShow(double value);
  void CreateMenuBar();
  void LoadCategoryBitmaps();
  void OnSaveSettings();
  void OnExit();

  // Read access for tests and for the commands' dialogs.
  int CurrentCategory() const { return m_nCategory; }
  int Digits() const { return m_nDigits; }
  int Notation() const { return m_nNotation; }
  COLORREF BackgroundColor() const { return m_crBackground; }
  ConversionDatabase& Database() { return m_database.database(); }
  HWND MenuBar() const { return m_menuBar.m_hWnd; }

 protected:
  BOOL OnInitDialog() override;
  // Enter and Escape reach these through IDOK and IDCANCEL: they do nothing,
  // so the window never closes by a key.
  void OnOK() override {}
  void OnCancel() override {}
  const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
  static const MessageMap* GetThisMessageMap();

 private:
  // Start-up helpers (mensora_dlg.cpp).
  void BindControls();
  void CenterOnWorkArea();
  void SetUpUnitColumns();

  // Messages (mensora_dlg.cpp).
  LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
  LRESULT OnClose(WPARAM wParam, LPARAM lParam);
  LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);
  LRESULT OnUserMessage(WPARAM wParam, LPARAM lParam);

  // Units and values (mensora_dlg_units.cpp, mensora_dlg_value.cpp).
  void SelectUnitRow(CListCtrl& list, int row);
  std::u16string SelectedUnit(const CListCtrl& list) const;
  void ReformatValueAndConvert();
  void OnClickUnitList(NMHDR* header, LRESULT* result);
  void OnUnitListFocus(NMHDR* header, LRESULT* result);
  void PassFocusOn();
  void EnterValue();
  void ShowResultMenu();

  // Appearance (mensora_dlg_appearance.cpp).
  LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam);
  LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
  void RepaintBackground(bool withButtons);
  void ReleaseCategoryBitmaps();

  // Commands waiting for their dialogs: the menu items exist and do nothing.
  void OnCommandNotYetAvailable() {}

  int m_nNotation = 0;
  int m_nDigits = 6;
  COLORREF m_crBackground = 0;
  CCommandBar m_menuBar;
  std::u16string m_strDataFile;
  ConversionLoader m_database;
  int m_nCategory = -1;
  CButton m_btnNext;
  CButton m_btnPrev;
  CComboBox m_comboCategory;
  CListCtrl m_listTo;
  CListCtrl m_listFrom;
  CTapEdit m_editResult;
  CTapEdit m_editValue;
  HICON m_hIcon = nullptr;
};
