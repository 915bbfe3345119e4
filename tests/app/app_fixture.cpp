// Helpers of the program's test fixture; see app_fixture.h.
#include "app_fixture.h"

#include "keypad/keypad_ids.h"
#include "win/input.h"

namespace apptest {

std::u16string AppTest::ComboText(int index) {
  auto length = SendMessageW(Item(IDC_CATEGORY), CB_GETLBTEXTLEN, WPARAM(index), 0);
  if (length < 0) return {};
  std::u16string text(size_t(length) + 1, u'\0');
  SendMessageW(Item(IDC_CATEGORY), CB_GETLBTEXT, WPARAM(index), LPARAM(text.data()));
  text.resize(size_t(length));
  return text;
}

std::u16string AppTest::RowText(int list, int row) {
  char16_t buffer[256] = {};
  LVITEMW item;
  item.iSubItem = 0;
  item.pszText = buffer;
  item.cchTextMax = 256;
  SendMessageW(Item(list), LVM_GETITEMTEXTW, WPARAM(row), LPARAM(&item));
  return buffer;
}

void AppTest::ShowNewCategory(Category category) {
  Dlg().Database().push_back(std::move(category));
  HWND combo = Item(IDC_CATEGORY);
  auto index = SendMessageW(combo, CB_ADDSTRING, 0, LPARAM(Dlg().Database().back().name.c_str()));
  SendMessageW(combo, CB_SETCURSEL, WPARAM(index), 0);
  Dlg().OnSelChangeCategory();
}

void AppTest::TapRow(host::Robot& robot, int list, int row) {
  auto where = std::make_shared<POINT>();
  robot.Do([=] {
    HWND hwnd = Item(list);
    RECT r{};
    if (row >= 0) {
      r.left = LVIR_BOUNDS;
      SendMessageW(hwnd, LVM_GETITEMRECT, WPARAM(row), LPARAM(&r));
      *where = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    } else {
      GetClientRect(hwnd, &r);
      *where = {r.right / 2, r.bottom - 2};
    }
    ClientToScreen(hwnd, where.get());
    win::PostStylus(WM_LBUTTONDOWN, *where);
  });
  robot.Do([where] { win::PostStylus(WM_LBUTTONUP, *where); });
}

void AppTest::TypeOnKeypad(host::Robot& robot, std::u16string_view text) {
  static constexpr int kDigitKeys[10] = {IDC_KEY_0, IDC_KEY_1, IDC_KEY_2, IDC_KEY_3, IDC_KEY_4,
                                         IDC_KEY_5, IDC_KEY_6, IDC_KEY_7, IDC_KEY_8, IDC_KEY_9};
  for (char16_t c : text) robot.TapControl(c == u'.' ? IDC_KEY_DOT : kDigitKeys[c - u'0']);
  robot.TapControl(IDOK);
}

}  // namespace apptest
