// Dialog texts from the pack: captions, control texts, the language image,
// missing controls and unknown templates.
#include <gtest/gtest.h>

#include "i18n/dialog_texts.h"
#include "pack_test_support.h"

using packtest::PackTest;

namespace {

class DialogTexts : public PackTest {
 protected:
  // A dialog of recorder windows with the given child ids.
  HWND MakeDialog(std::initializer_list<int> ids) {
    HWND dialog = rec.Create("dialog", WS_POPUP, {0, 0, 240, 294});
    for (int id : ids) rec.Create("c" + std::to_string(id), WS_CHILD, {0, 0, 10, 10}, dialog, id);
    return dialog;
  }
  std::u16string TextOf(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }
};

}  // namespace

TEST_F(DialogTexts, ConfigurationInGerman) {
  InstallPack("msr_lus.dll");
  InstallPack("msr_lde.dll");
  languageIndex = 1;
  ASSERT_TRUE(LoadLanguagePack());
  // The dialog lacks the check box 1028: the others are still set.
  HWND dialog = MakeDialog({1055, 1, 1019});
  SetWindowTextW(GetDlgItem(dialog, 1019), u"4");
  ApplyDialogTexts(142, dialog);
  EXPECT_EQ(WindowText(dialog), u"Zahlenformat");
  EXPECT_EQ(TextOf(dialog, 1055), u"Nachkommastellen");
  EXPECT_EQ(TextOf(dialog, 1), u"Schließen");
  EXPECT_EQ(TextOf(dialog, 1019), u"4");  // not in the table
}

TEST_F(DialogTexts, CaptionFirstThenControlsInTableOrder) {
  InstallPack("msr_lus.dll");
  ASSERT_TRUE(LoadLanguagePack());
  HWND dialog = MakeDialog({1034, 1053, 1036, 1037, 1043, 1038, 1044});
  rec.Clear();
  ApplyDialogTexts(144, dialog);
  std::vector<std::string> order;
  for (const auto& m : rec.Log({WM_SETTEXT})) order.push_back(m.window);
  EXPECT_EQ(order, (std::vector<std::string>{"dialog", "c1053", "c1036", "c1037", "c1043",
                                             "c1038", "c1044", "c1034"}));
  EXPECT_EQ(TextOf(dialog, 1043), u"Select From");
}

TEST_F(DialogTexts, UnknownTemplateOrNoPack) {
  HWND dialog = MakeDialog({1, 2});
  SetWindowTextW(dialog, u"keep");
  // No pack: the texts become empty, as for a string the pack lacks.
  ApplyDialogTexts(145, dialog);
  EXPECT_EQ(WindowText(dialog), u"");
  EXPECT_EQ(TextOf(dialog, 1), u"");

  InstallPack("msr_lus.dll");
  ASSERT_TRUE(LoadLanguagePack());
  SetWindowTextW(dialog, u"keep");
  rec.Clear();
  ApplyDialogTexts(999, dialog);
  ApplyDialogTexts(102, nullptr);
  EXPECT_TRUE(rec.Log({WM_SETTEXT}).empty());
  EXPECT_EQ(WindowText(dialog), u"keep");
}

TEST_F(DialogTexts, LanguageDialogGetsNoteAndImage) {
  HBITMAP image = reinterpret_cast<HBITMAP>(std::uintptr_t(0x2900));
  LanguagePackHooks hooks;
  hooks.loadBitmap = [&](HINSTANCE, UINT id) { return id == 33029 ? image : nullptr; };
  SetLanguagePackHooks(hooks);
  InstallPack("msr_lus.dll");
  ASSERT_TRUE(LoadLanguagePack());

  LPARAM shown = 0;
  WPARAM type = 99;
  rec.OnMessage("c33003", [&](HWND, UINT m, WPARAM w, LPARAM l, LRESULT& r) {
    if (m != 0x0172) return false;  // STM_SETIMAGE
    type = w;
    shown = l;
    r = 0;
    return true;
  });
  HWND dialog = MakeDialog({33001, 33002, 33003});
  SetWindowTextW(dialog, u"");
  ApplyDialogTexts(155, dialog);
  EXPECT_EQ(type, 0u);  // IMAGE_BITMAP
  EXPECT_EQ(shown, reinterpret_cast<LPARAM>(image));
  EXPECT_NE(TextOf(dialog, 33001), u"");
  EXPECT_EQ(WindowText(dialog), u"");  // a full-screen dialog: no caption row
}
