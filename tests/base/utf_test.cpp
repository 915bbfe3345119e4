// Text at the edges: terminal output and table files in their encodings.
#include <gtest/gtest.h>

#include "base/utf.h"

TEST(Utf, RoundTripsAndRejectsInvalidUtf8) {
  std::u16string text = u"meter\u00B2 \u00B5\u00B7\u00B0 \U0001F600";
  EXPECT_EQ(base::FromUtf8(base::ToUtf8(text)), text);
  EXPECT_EQ(base::ToUtf8(u"\xD800x"), "\xEF\xBF\xBDx");  // lone surrogate
  for (const char* bad : {"\xC0\xAF", "\xE0\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                          "\xC3", "\x80", "\xFF"})
    EXPECT_FALSE(base::FromUtf8(bad)) << bad;
}

TEST(Utf, DecodesTextFilesByTheirMark) {
  EXPECT_EQ(base::DecodeTextFile("\xEF\xBB\xBF" "a\xC2\xB2"), u"a\u00B2");
  EXPECT_EQ(base::DecodeTextFile(std::string("\xFF\xFE" "a\0\xB2\0", 6)), u"a\u00B2");
  EXPECT_EQ(base::DecodeTextFile(std::string("\xFE\xFF\0a\0\xB2", 6)), u"a\u00B2");
  EXPECT_FALSE(base::DecodeTextFile(std::string("\xFF\xFE" "a", 3)));  // odd byte count
  EXPECT_FALSE(base::DecodeTextFile("caf\xE9"));                      // Latin-1, not UTF-8
  EXPECT_EQ(base::DecodeTextFile(""), u"");
}
