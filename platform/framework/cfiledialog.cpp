// CFileDialog; see cfiledialog.h.
#include "framework/cfiledialog.h"

#include <algorithm>

CFileDialog::CFileDialog(BOOL openFileDialog, LPCWSTR defExt, LPCWSTR fileName, DWORD flags, LPCWSTR filter,
                         CWnd* parent)
    : CDialog(0, parent) {
  if (filter) {
    m_strFilter = filter;
    std::replace(m_strFilter.begin(), m_strFilter.end(), u'|', u'\0');
    m_strFilter.push_back(u'\0');  // the list ends with an empty text even without "||"
  }
  if (defExt) m_strDefExt = defExt;
  if (fileName) {
    std::u16string_view name(fileName);
    std::copy_n(name.begin(), std::min<size_t>(name.size(), m_szFileName.size() - 1), m_szFileName.begin());
  }
  m_ofn.Flags = flags | OFN_EXPLORER;
  m_ofn.lpstrFilter = filter ? m_strFilter.c_str() : nullptr;
  m_ofn.nFilterIndex = 1;
  m_ofn.lpstrDefExt = defExt ? m_strDefExt.c_str() : nullptr;
  m_ofn.lpstrFile = m_szFileName.data();
  m_ofn.nMaxFile = DWORD(m_szFileName.size());
  m_ofn.lpstrFileTitle = m_szFileTitle.data();
  m_ofn.nMaxFileTitle = DWORD(m_szFileTitle.size());
  if (!openFileDialog) m_ofn.lpstrTitle = u"Save As";
}

INT_PTR CFileDialog::DoModal() {
  m_ofn.hwndOwner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
  return GetOpenFileNameW(&m_ofn) ? IDOK : IDCANCEL;
}

std::u16string CFileDialog::GetFileName() const {
  std::u16string path = GetPathName();
  size_t cut = path.rfind(u'\\');
  return cut == std::u16string::npos ? path : path.substr(cut + 1);
}

std::u16string CFileDialog::GetFileExt() const {
  std::u16string name = GetFileName();
  size_t dot = name.rfind(u'.');
  return dot == std::u16string::npos ? std::u16string() : name.substr(dot + 1);
}

std::u16string CFileDialog::GetFileTitle() const {
  std::u16string name = GetFileName();
  return name.substr(0, name.rfind(u'.'));
}
