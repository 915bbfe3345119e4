// CFileDialog: the platform's open-file dialog as a framework object. The
// filter is given in the framework's "text|pattern|text|pattern||" form and
// handed to the platform with the bars as separators.
#pragma once

#include <array>
#include <string>

#include "framework/cdialog.h"
#include "shell/open_file_dialog.h"
#include "sys/device_files.h"

class CFileDialog : public CDialog {
 public:
  // `openFileDialog` FALSE shows the same dialog titled "Save As" (no
  // overwrite question is asked). OFN_EXPLORER is always added. `fileName` (may be null) is the initial
  // name or path, cut at MAX_PATH - 1 units.
  explicit CFileDialog(BOOL openFileDialog, LPCWSTR defExt = nullptr, LPCWSTR fileName = nullptr,
                       DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCWSTR filter = nullptr,
                       CWnd* parent = nullptr);

  // Runs the dialog; IDOK with the chosen path, IDCANCEL when cancelled or
  // when the dialog failed (CommDlgExtendedError says which).
  INT_PTR DoModal() override;

  // The chosen full path ("\My Documents\x.txt"), its name, its extension
  // without the dot, and its name without the extension. Before a
  // successful DoModal they describe the initial name.
  std::u16string GetPathName() const { return m_szFileName.data(); }
  std::u16string GetFileName() const;
  std::u16string GetFileExt() const;
  std::u16string GetFileTitle() const;

  // The platform structure, open to the caller before DoModal as usual.
  OPENFILENAMEW m_ofn;

 private:
  std::u16string m_strFilter;  // bars turned into terminators
  std::u16string m_strDefExt;
  std::array<char16_t, MAX_PATH> m_szFileName{};
  std::array<char16_t, MAX_PATH> m_szFileTitle{};
};
