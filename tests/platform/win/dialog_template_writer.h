// Writes dialog templates (DLGTEMPLATE) as bytes for tests, with controls of
// any class; the default is the message recorder's class.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "base/wintypes.h"
#include "win/winconst.h"

class TemplateWriter {
 public:
  TemplateWriter(DWORD style, short cx, short cy, std::u16string title) {
    Dword(style);
    Dword(0);
    at_count_ = bytes_.size();
    Word(0);
    Word(0), Word(0), Word(WORD(cx)), Word(WORD(cy));
    Word(0), Word(0);  // no menu, the dialog class
    Text(title);
  }
  TemplateWriter& Item(WORD id, DWORD style, short x, short y, short cx, short cy,
                       std::u16string_view cls = u"Recorder", std::u16string_view text = u"") {
    while (bytes_.size() % 4) bytes_.push_back(std::byte{0});
    Dword(style | WS_CHILD);
    Dword(0);
    Word(WORD(x)), Word(WORD(y)), Word(WORD(cx)), Word(WORD(cy)), Word(id);
    Text(cls);
    Text(text);
    Word(0);  // no creation data
    ++count_;
    bytes_[at_count_] = std::byte(count_ & 0xFF);
    return *this;
  }
  std::span<const std::byte> bytes() const { return bytes_; }

 private:
  void Word(WORD w) { bytes_.push_back(std::byte(w & 0xFF)), bytes_.push_back(std::byte(w >> 8)); }
  void Dword(DWORD d) { Word(WORD(d & 0xFFFF)), Word(WORD(d >> 16)); }
  void Text(std::u16string_view t) {
    for (char16_t c : t) Word(c);
    Word(0);
  }
  std::vector<std::byte> bytes_;
  size_t at_count_ = 0;
  int count_ = 0;
};

