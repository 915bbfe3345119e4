// The dialog holding every control; see every_control_dialog.h.
#include "every_control_dialog.h"

#include "gdi/wingdi.h"
#include "paint_res.h"
#include "res/modules.h"
#include "res/resources.h"
#include "win/controls/button.h"
#include "win/controls/combobox.h"
#include "win/controls/listview.h"
#include "win/controls/updown.h"
#include "win/dialog.h"

namespace paint_test {
namespace {

HBITMAP Tile() {
  static HBITMAP tile = LoadBitmapW(Module(), MAKEINTRESOURCEW(100));
  return tile;
}

// The background tiled from bitmap 100, as a category background is.
void TileBackground(HWND dialog, HDC hdc) {
  RECT client;
  GetClientRect(dialog, &client);
  BITMAP info{};
  GetObjectW(Tile(), sizeof info, &info);
  HDC memory = CreateCompatibleDC(hdc);
  HGDIOBJ old = SelectObject(memory, Tile());
  for (LONG y = 0; y < client.bottom; y += info.bmHeight)
    for (LONG x = 0; x < client.right; x += info.bmWidth)
      BitBlt(hdc, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}

// The owner-drawn "<<" button: a dark key with a white label, lighter while held.
void DrawKey(const DRAWITEMSTRUCT& dis) {
  bool held = dis.itemState & ODS_SELECTED;
  HBRUSH face = CreateSolidBrush(held ? RGB(90, 110, 160) : RGB(40, 60, 110));
  FillRect(dis.hDC, &dis.rcItem, face);
  DeleteObject(face);
  FrameRect(dis.hDC, &dis.rcItem, GetSysColorBrush(COLOR_WINDOWFRAME));
  RECT r = dis.rcItem;
  SetBkMode(dis.hDC, TRANSPARENT);
  SetTextColor(dis.hDC, RGB(255, 255, 255));
  DrawTextW(dis.hDC, u"<<", 2, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void Fill(HWND dialog) {
  HWND list = GetDlgItem(dialog, 15);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
  const char16_t* headings[] = {u"Unit", u"Factor"};
  int widths[] = {130, 88};
  for (int i = 0; i < 2; ++i) {
    LVCOLUMNW c;
    c.mask = LVCF_TEXT | LVCF_WIDTH;
    c.cx = widths[i];
    c.pszText = const_cast<LPWSTR>(headings[i]);
    SendMessageW(list, LVM_INSERTCOLUMNW, WPARAM(i), reinterpret_cast<LPARAM>(&c));
  }
  const char16_t* rows[][2] = {{u"kilometer (km)", u"1"},      {u"mile (mi)", u"0.6214"},
                               {u"meter (m)", u"1000"},        {u"foot (ft)", u"3280.84"},
                               {u"yard (yd)", u"1093.61"},     {u"inch (in)", u"39370.1"},
                               {u"nautical mile", u"0.54"}};
  for (int i = 0; i < 7; ++i) {
    LVITEMW item;
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = const_cast<LPWSTR>(rows[i][0]);
    int at = int(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    item.iSubItem = 1;
    item.pszText = const_cast<LPWSTR>(rows[i][1]);
    SendMessageW(list, LVM_SETITEMTEXTW, WPARAM(at), reinterpret_cast<LPARAM>(&item));
  }
  LVITEMW selected;
  selected.state = selected.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&selected));

  HWND combo = GetDlgItem(dialog, 14);
  for (const char16_t* name : {u"Distance", u"Temperature", u"Pressure", u"Volume"})
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  SendMessageW(combo, CB_SETCURSEL, 0, 0);

  SendMessageW(GetDlgItem(dialog, 11), EM_SETSEL, 0, 4);
  SendMessageW(GetDlgItem(dialog, 17), BM_SETCHECK, BST_CHECKED, 0);
}

INT_PTR DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      Fill(dialog);
      return TRUE;
    case WM_ERASEBKGND:
      if (!GetWindowLongPtrW(dialog, DWL_USER)) return FALSE;
      TileBackground(dialog, reinterpret_cast<HDC>(wParam));
      SetWindowLongPtrW(dialog, DWL_MSGRESULT, 1);
      return TRUE;
    case WM_DRAWITEM:
      DrawKey(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      SetWindowLongPtrW(dialog, DWL_MSGRESULT, TRUE);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

HINSTANCE Module() {
  static HINSTANCE module = [] {
    HINSTANCE m = res::RegisterEmbeddedModule(mensora_res_blobs::paint_res(), u"\\paint.exe");
    res::SetMainModule(m);
    return m;
  }();
  return module;
}

HWND CreateEveryControlDialog(bool tiled) {
  auto bytes = res::FindModuleResource(Module(), res::NameOrOrdinal(RT_DIALOG),
                                       res::NameOrOrdinal(WORD(300)));
  if (!bytes) return nullptr;
  HWND dialog = CreateDialogIndirectParamW(Module(), *bytes, nullptr, &DialogProc, 0);
  if (dialog && tiled) SetWindowLongPtrW(dialog, DWL_USER, 1);
  if (dialog) ShowWindow(dialog, SW_SHOW);
  return dialog;
}

}  // namespace paint_test
