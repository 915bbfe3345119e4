// In-memory dialog templates; see dialog_builder.h.
#include "win/dialog_builder.h"

namespace win {

DialogTemplateBuilder::DialogTemplateBuilder(DWORD style, short cx, short cy,
                                             std::u16string_view title) {
  Dword(style);
  Dword(0);  // extended style
  countAt_ = bytes_.size();
  Word(0);   // item count, patched as items are added
  Word(0), Word(0), Word(WORD(cx)), Word(WORD(cy));
  Word(0), Word(0);  // no menu, the dialog class
  Text(title);
}

void DialogTemplateBuilder::Header(DWORD style, short x, short y, short cx, short cy, WORD id) {
  while (bytes_.size() % 4) bytes_.push_back(std::byte{0});  // items are DWORD aligned
  Dword(style | WS_CHILD);
  Dword(0);
  Word(WORD(x)), Word(WORD(y)), Word(WORD(cx)), Word(WORD(cy)), Word(id);
  ++count_;
  bytes_[countAt_] = std::byte(count_ & 0xFF);
  bytes_[countAt_ + 1] = std::byte(count_ >> 8);
}

DialogTemplateBuilder& DialogTemplateBuilder::Item(WORD id, DWORD style, short x, short y,
                                                   short cx, short cy, std::u16string_view cls,
                                                   std::u16string_view text) {
  Header(style, x, y, cx, cy, id);
  Text(cls);
  Text(text);
  Word(0);  // no creation data
  return *this;
}

DialogTemplateBuilder& DialogTemplateBuilder::ImageItem(WORD id, DWORD style, short x, short y,
                                                        short cx, short cy,
                                                        std::u16string_view cls, WORD imageId) {
  Header(style, x, y, cx, cy, id);
  Text(cls);
  Word(0xFFFF), Word(imageId);
  Word(0);
  return *this;
}

void DialogTemplateBuilder::Word(WORD w) {
  bytes_.push_back(std::byte(w & 0xFF));
  bytes_.push_back(std::byte(w >> 8));
}

void DialogTemplateBuilder::Dword(DWORD d) {
  Word(WORD(d & 0xFFFF));
  Word(WORD(d >> 16));
}

void DialogTemplateBuilder::Text(std::u16string_view text) {
  for (char16_t c : text) Word(c);
  Word(0);
}

}  // namespace win
