// CMensoraDlg: the menu bar and the commands it carries that exist so far
// (saving the settings, leaving the program).
#include "app/mensora_dlg.h"

#include "app/category_drawing.h"
#include "data/settings_store.h"
#include "i18n/language_pack.h"
#include "i18n/resource_ids.h"
#include "sys/system.h"

namespace {
// The menu bar's window style (child, visible, top-aligned, with a bottom
// border) and control id.
constexpr DWORD kMenuBarStyle = 0x50002800;
constexpr UINT kMenuBarId = 0xE800;
}  // namespace

// Builds the menu bar afresh from menu 135 of the language pack, with its
// adornments; the old bar goes first. Resources come from the program again
// afterwards. A bar that cannot be created or filled is left as it is.
void CMensoraDlg::CreateMenuBar() {
  if (m_menuBar.m_hWnd) m_menuBar.DestroyWindow();
  UsePackResources(true);
  if (m_menuBar.Create(this, kMenuBarStyle, kMenuBarId) && m_menuBar.InsertMenuBar(IDR_MAIN_MENU))
    m_menuBar.AddAdornments(0);
  UsePackResources(false);
}

// Writes every setting, the categories' colours and bitmaps and the custom
// conversions to the registry, then repaints the background. The data file
// name is handed on and not used. Nothing is shown, whatever happens.
void CMensoraDlg::OnSaveSettings() {
  SaveSettings(Database());
  RepaintBackground(false);
}

// Ends the modal run with IDOK through the framework's OK action, then ends
// the process at once with code 0: the window object is not destroyed.
void CMensoraDlg::OnExit() {
  CDialog::OnOK();
  sys::ExitProcess(0);
}
