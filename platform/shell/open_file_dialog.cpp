// The open-file dialog; see open_file_dialog.h.
#include "shell/open_file_dialog.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "shell/file_icons.h"
#include "shell/file_info.h"
#include "shell/file_listing.h"
#include "shell/init_dialog.h"
#include "shell/message_box.h"
#include "sys/find_file.h"
#include "sys/system.h"
#include "win/controls/combobox.h"
#include "win/controls/register_controls.h"
#include "win/dialog.h"
#include "win/dialog_builder.h"

namespace {

DWORD g_lastError = 0;

// One showing of the dialog: what it was asked, and where it is.
struct OpenRun {
  OPENFILENAMEW* ofn = nullptr;
  std::vector<shell::FileFilter> filters;
  int filter = 0;  // index into filters
  std::u16string folder;
  std::vector<shell::FolderEntry> entries;  // as listed, item by item
};

void SetItemText(HWND dialog, int id, const char16_t* text) { SetWindowTextW(GetDlgItem(dialog, id), text); }

enum class Kind { kMissing, kFile, kFolder, kInvalid };

Kind KindOf(std::u16string_view path) {
  auto host = sys::MapPath(path);
  if (!host) return Kind::kInvalid;
  std::error_code error;
  if (std::filesystem::is_directory(*host, error)) return Kind::kFolder;
  return std::filesystem::exists(*host, error) ? Kind::kFile : Kind::kMissing;
}

std::u16string_view NamePart(std::u16string_view path) {
  size_t cut = path.rfind(u'\\');
  return cut == std::u16string_view::npos ? path : path.substr(cut + 1);
}

// The template: a full-screen dialog (the work area, 137 x 153 units).
std::vector<std::byte> BuildTemplate(std::u16string_view title) {
  win::DialogTemplateBuilder form(WS_POPUP, 137, 153, title);
  form.Item(IDC_OFN_UP, BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP, 4, 3, 22, 12, u"BUTTON", u"Up")
      .Item(IDC_OFN_FOLDER, SS_LEFT | SS_NOPREFIX | WS_VISIBLE, 30, 5, 104, 8, u"STATIC")
      .Item(IDC_OFN_TYPE_LABEL, SS_LEFT | WS_VISIBLE, 4, 19, 24, 8, u"STATIC", u"Type:")
      .Item(IDC_OFN_TYPE, CBS_DROPDOWNLIST | WS_VSCROLL | WS_VISIBLE | WS_TABSTOP, 30, 17, 104, 60,
            u"COMBOBOX")
      .Item(IDC_OFN_LIST,
            LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS | LVS_NOCOLUMNHEADER |
                WS_BORDER | WS_VISIBLE | WS_TABSTOP,
            4, 32, 130, 86, WC_LISTVIEW)
      .Item(IDC_OFN_NAME_LABEL, SS_LEFT | WS_VISIBLE, 4, 124, 24, 8, u"STATIC", u"Name:")
      .Item(IDC_OFN_NAME, ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_VISIBLE | WS_TABSTOP, 30, 122, 104, 12,
            u"EDIT")
      .Item(IDOK, BS_DEFPUSHBUTTON | WS_VISIBLE | WS_TABSTOP, 42, 137, 44, 13, u"BUTTON", u"OK")
      .Item(IDCANCEL, BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP, 90, 137, 44, 13, u"BUTTON", u"Cancel");
  return {form.bytes().begin(), form.bytes().end()};
}

// The path as the device spells it ("\my documents" -> "\My Documents"),
// or as given when it does not exist.
std::u16string AsOnDevice(const std::u16string& path) {
  auto host = sys::MapPath(path);
  std::error_code error;
  if (!host || !std::filesystem::exists(*host, error)) return path;
  return sys::HandheldPathOf(*host).value_or(path);
}

// Lists `folder` under the current filter.
void ShowFolder(HWND dialog, OpenRun& run, const std::u16string& folder) {
  run.folder = AsOnDevice(folder);
  SetItemText(dialog, IDC_OFN_FOLDER, run.folder.c_str());
  EnableWindow(GetDlgItem(dialog, IDC_OFN_UP), run.folder != u"\\");
  std::vector<std::u16string> everything{u"*.*"};
  run.entries = shell::ListFolder(run.folder, run.filters.empty() ? everything : run.filters[size_t(run.filter)].patterns);

  HWND list = GetDlgItem(dialog, IDC_OFN_LIST);
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  for (size_t i = 0; i < run.entries.size(); ++i) {
    SHFILEINFO info;
    SHGetFileInfo(run.entries[i].name.c_str(), run.entries[i].folder ? FILE_ATTRIBUTE_DIRECTORY : 0, &info,
                  sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES);
    LVITEMW item;
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = int(i);
    item.pszText = run.entries[i].name.data();
    item.iImage = info.iIcon;
    item.lParam = LPARAM(i);
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
}

// The extension lpstrDefExt asks for, when it is a plain one.
std::u16string DefaultExtension(LPCWSTR defExt) {
  std::u16string_view ext = defExt ? defExt : u"";
  bool plain = !ext.empty() && ext.size() <= 3 && ext.find_first_of(u"\\/.") == std::u16string_view::npos;
  return plain ? std::u16string(ext) : std::u16string();
}

// Hands the chosen path back; FALSE when it does not fit.
bool StoreResult(OPENFILENAMEW& ofn, const std::u16string& path, int filter) {
  if (path.size() + 1 > ofn.nMaxFile) {
    ofn.lpstrFile[0] = char16_t(std::min<size_t>(path.size() + 1, 0xFFFF));
    g_lastError = FNERR_BUFFERTOOSMALL;
    return false;
  }
  std::copy(path.begin(), path.end(), ofn.lpstrFile);
  ofn.lpstrFile[path.size()] = 0;
  std::u16string_view name = NamePart(path);
  ofn.nFileOffset = WORD(path.size() - name.size());
  size_t dot = name.rfind(u'.');
  ofn.nFileExtension = WORD(dot == std::u16string_view::npos ? path.size() : ofn.nFileOffset + dot + 1);
  if (ofn.lpstrFileTitle && ofn.nMaxFileTitle > 0) {
    size_t n = std::min<size_t>(name.size(), ofn.nMaxFileTitle - 1);
    std::copy_n(name.begin(), n, ofn.lpstrFileTitle);
    ofn.lpstrFileTitle[n] = 0;
  }
  ofn.nFilterIndex = DWORD(filter + 1);
  return true;
}

void Refuse(HWND dialog, const char16_t* text) { MessageBoxW(dialog, text, u"Open", MB_OK | MB_ICONEXCLAMATION); }

// OK: a folder name opens the folder, a file name ends the dialog.
void OnAccept(HWND dialog, OpenRun& run) {
  std::u16string typed = WindowText(GetDlgItem(dialog, IDC_OFN_NAME));
  typed.erase(0, std::min(typed.find_first_not_of(u' '), typed.size()));
  typed.erase(typed.find_last_not_of(u' ') + 1);
  if (typed.empty()) return (void)MessageBeep(MB_OK);

  std::u16string path = shell::NormalizePath(shell::JoinPath(run.folder, typed));
  Kind kind = KindOf(path);
  if (kind == Kind::kFolder) {
    SetItemText(dialog, IDC_OFN_NAME, u"");
    return ShowFolder(dialog, run, path);
  }
  std::u16string ext = DefaultExtension(run.ofn->lpstrDefExt);
  if (!ext.empty() && NamePart(path).find(u'.') == std::u16string_view::npos) {
    path += u'.' + ext;
    kind = KindOf(path);
  }
  if (kind == Kind::kInvalid) return Refuse(dialog, u"The file name is not valid.");
  if ((run.ofn->Flags & OFN_FILEMUSTEXIST) && kind != Kind::kFile)
    return Refuse(dialog, u"The file was not found.");
  if ((run.ofn->Flags & OFN_PATHMUSTEXIST) && KindOf(shell::ParentFolder(path)) != Kind::kFolder)
    return Refuse(dialog, u"The folder was not found.");
  EndDialog(dialog, StoreResult(*run.ofn, AsOnDevice(path), run.filter) ? IDOK : IDABORT);
}

void OnTapItem(HWND dialog, OpenRun& run, const NMITEMACTIVATE& tap) {
  if (tap.iItem < 0) return;
  LVITEMW item;
  item.mask = LVIF_PARAM;
  item.iItem = tap.iItem;
  SendMessageW(tap.hdr.hwndFrom, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  if (item.lParam < 0 || size_t(item.lParam) >= run.entries.size()) return;
  const shell::FolderEntry entry = run.entries[size_t(item.lParam)];
  if (entry.folder) return ShowFolder(dialog, run, shell::JoinPath(run.folder, entry.name));
  SetItemText(dialog, IDC_OFN_NAME, entry.name.c_str());
}

void OnFilterChange(HWND dialog, OpenRun& run) {
  LRESULT chosen = SendMessageW(GetDlgItem(dialog, IDC_OFN_TYPE), CB_GETCURSEL, 0, 0);
  if (chosen < 0 || size_t(chosen) >= run.filters.size()) return;
  run.filter = int(chosen);
  ShowFolder(dialog, run, run.folder);
}

// The caller's initial name, read no further than its buffer goes.
std::u16string_view InitialName(const OPENFILENAMEW& ofn) {
  std::u16string_view buffer(ofn.lpstrFile, ofn.nMaxFile);
  return buffer.substr(0, buffer.find(u'\0'));
}

// Where the dialog opens.
std::u16string StartFolder(const OPENFILENAMEW& ofn) {
  if (ofn.lpstrInitialDir && *ofn.lpstrInitialDir) {
    std::u16string dir = shell::NormalizePath(ofn.lpstrInitialDir);
    if (KindOf(dir) == Kind::kFolder) return dir;
  }
  std::u16string_view file = InitialName(ofn);
  if (file.find(u'\\') != std::u16string_view::npos) {
    std::u16string dir = shell::ParentFolder(shell::NormalizePath(shell::JoinPath(u"\\", file)));
    if (KindOf(dir) == Kind::kFolder) return dir;
  }
  return KindOf(u"\\My Documents") == Kind::kFolder ? u"\\My Documents" : u"\\";
}

BOOL OnInitDialog(HWND dialog, OpenRun& run) {
  // Full screen, with the task bar's "ok" as a second OK.
  SHINITDLGINFO shell{SHIDIM_FLAGS, dialog, SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN};
  SHInitDialog(&shell);
  HWND combo = GetDlgItem(dialog, IDC_OFN_TYPE);
  for (const shell::FileFilter& f : run.filters)
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.description.c_str()));
  EnableWindow(combo, !run.filters.empty());
  DWORD index = run.ofn->nFilterIndex;
  run.filter = index >= 1 && index <= run.filters.size() ? int(index - 1) : 0;
  SendMessageW(combo, CB_SETCURSEL, WPARAM(run.filter), 0);

  HWND list = GetDlgItem(dialog, IDC_OFN_LIST);
  RECT client;
  GetClientRect(list, &client);
  LVCOLUMNW column;
  column.mask = LVCF_WIDTH | LVCF_TEXT;
  column.cx = int(client.right - client.left);
  column.pszText = const_cast<LPWSTR>(u"Name");
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  // The whole row takes the tap, not only the name's few pixels.
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(shell::SystemSmallImageList()));

  SetItemText(dialog, IDC_OFN_NAME, std::u16string(NamePart(InitialName(*run.ofn))).c_str());
  ShowFolder(dialog, run, StartFolder(*run.ofn));
  SetFocus(list);
  return FALSE;  // the focus is placed
}

void OnCommand(HWND dialog, OpenRun& run, WORD id, WORD code) {
  if (id == IDOK) return OnAccept(dialog, run);
  if (id == IDCANCEL) return (void)EndDialog(dialog, IDCANCEL);
  if (id == IDC_OFN_UP && code == BN_CLICKED) return ShowFolder(dialog, run, shell::ParentFolder(run.folder));
  if (id == IDC_OFN_TYPE && code == CBN_SELCHANGE) return OnFilterChange(dialog, run);
}

void OnNotify(HWND dialog, OpenRun& run, const NMHDR& header) {
  if (header.idFrom == UINT_PTR(IDC_OFN_LIST) && header.code == NM_CLICK)
    OnTapItem(dialog, run, reinterpret_cast<const NMITEMACTIVATE&>(header));
}

INT_PTR OpenProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWL_USER, lParam);
  auto* run = reinterpret_cast<OpenRun*>(GetWindowLongPtrW(dialog, DWL_USER));
  if (!run) return FALSE;
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, *run);
    case WM_COMMAND: return OnCommand(dialog, *run, LOWORD(wParam), HIWORD(wParam)), TRUE;
    case WM_NOTIFY: return OnNotify(dialog, *run, *reinterpret_cast<const NMHDR*>(lParam)), TRUE;
    default: return FALSE;
  }
}

}  // namespace

BOOL GetOpenFileNameW(OPENFILENAMEW* ofn) {
  g_lastError = 0;
  if (!ofn || ofn->lStructSize != sizeof(OPENFILENAMEW)) return g_lastError = CDERR_STRUCTSIZE, FALSE;
  if (!ofn->lpstrFile || ofn->nMaxFile == 0) return g_lastError = CDERR_INITIALIZATION, FALSE;
  win::RegisterControlClasses();

  OpenRun run;
  run.ofn = ofn;
  run.filters = shell::ParseFileFilter(ofn->lpstrFilter);
  std::vector<std::byte> form = BuildTemplate(ofn->lpstrTitle ? ofn->lpstrTitle : u"Open");
  INT_PTR result = DialogBoxIndirectParamW(nullptr, form, ofn->hwndOwner, &OpenProc, reinterpret_cast<LPARAM>(&run));
  if (result == -1) g_lastError = CDERR_INITIALIZATION;
  return result == IDOK ? TRUE : FALSE;
}

DWORD CommDlgExtendedError() { return g_lastError; }
