// The platform clipboard: who may open it, who owns the data handles, and
// the bridge to the desktop's clipboard.
#include "win/clipboard.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

class ClipboardTest : public ::testing::Test {
 protected:
  void SetUp() override { win::ResetClipboard(); }
  void TearDown() override { win::ResetClipboard(); }
  HWND a = reinterpret_cast<HWND>(0x100);
  HWND b = reinterpret_cast<HWND>(0x200);
};

}  // namespace

TEST_F(ClipboardTest, OneOpenerAtATime) {
  EXPECT_FALSE(EmptyClipboard());
  EXPECT_EQ(GetLastError(), DWORD(ERROR_CLIPBOARD_NOT_OPEN));
  EXPECT_FALSE(CloseClipboard());
  HANDLE text = win::NewClipboardText(u"x");
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, text), nullptr);  // not open: still the caller's
  EXPECT_EQ(*win::ClipboardTextOf(text), u"x");
  win::FreeClipboardText(text);
  EXPECT_EQ(win::ClipboardTextOf(text), nullptr);

  EXPECT_TRUE(OpenClipboard(a));
  EXPECT_FALSE(OpenClipboard(b));
  EXPECT_TRUE(OpenClipboard(a));  // the holder may open again
  EXPECT_EQ(win::ReadClipboardText(b), std::nullopt);
  EXPECT_FALSE(win::WriteClipboardText(b, u"no"));
  EXPECT_TRUE(EmptyClipboard());
  EXPECT_EQ(GetClipboardOwner(), a);
  EXPECT_TRUE(CloseClipboard());
  EXPECT_TRUE(OpenClipboard(b));
  EXPECT_TRUE(CloseClipboard());
}

TEST_F(ClipboardTest, TheSystemOwnsWhatItHolds) {
  ASSERT_TRUE(OpenClipboard(a));
  EmptyClipboard();
  HANDLE first = win::NewClipboardText(u"12.5");
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, first), first);
  win::FreeClipboardText(first);  // not the caller's any more: ignored
  EXPECT_EQ(GetClipboardData(CF_UNICODETEXT), first);
  EXPECT_EQ(*win::ClipboardTextOf(first), u"12.5");

  HANDLE second = win::NewClipboardText(u"7");
  SetClipboardData(CF_UNICODETEXT, second);  // replaces and frees the first
  EXPECT_EQ(win::ClipboardTextOf(first), nullptr);
  EXPECT_EQ(*win::ClipboardTextOf(GetClipboardData(CF_UNICODETEXT)), u"7");
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, nullptr), nullptr);  // no delayed rendering
  int unknown = 0;
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, &unknown), nullptr);
  EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
  CloseClipboard();
  EXPECT_EQ(GetClipboardData(CF_UNICODETEXT), nullptr);     // closed: nothing handed out
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));  // no need to open

  ASSERT_TRUE(OpenClipboard(b));
  EmptyClipboard();
  CloseClipboard();
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_EQ(win::ClipboardTextOf(second), nullptr);
}

TEST_F(ClipboardTest, BridgeCarriesTextBothWays) {
  std::vector<std::u16string> published;
  std::optional<std::u16string> desktop;
  win::SetClipboardBridge(
      {[&](std::u16string_view t) { published.emplace_back(t); }, [&] { return desktop; }});
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  ASSERT_TRUE(win::WriteClipboardText(a, u"3.14"));
  EXPECT_EQ(published, std::vector<std::u16string>{u"3.14"});
  EXPECT_EQ(win::ReadClipboardText(a), u"3.14");  // the desktop offers nothing: ours stands

  desktop = u"copied elsewhere";
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_EQ(win::ReadClipboardText(a), u"copied elsewhere");
  ASSERT_TRUE(OpenClipboard(a));
  HANDLE held = GetClipboardData(CF_UNICODETEXT);
  EXPECT_EQ(GetClipboardData(CF_UNICODETEXT), held);  // the same text keeps its handle
  CloseClipboard();
}
