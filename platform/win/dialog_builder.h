// Builds dialog templates (DLGTEMPLATE) in memory, for dialogs the platform
// makes itself (message boxes, the file dialog) and for tests.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "base/wintypes.h"
#include "win/winconst.h"

namespace win {

class DialogTemplateBuilder {
 public:
  // Starts a template; sizes are in dialog units.
  DialogTemplateBuilder(DWORD style, short cx, short cy, std::u16string_view title);

  // Adds a control of `cls` (a class name) with its text; WS_CHILD is added.
  DialogTemplateBuilder& Item(WORD id, DWORD style, short x, short y, short cx, short cy,
                              std::u16string_view cls, std::u16string_view text = u"");

  // Adds a control whose title is an ordinal (an image id).
  DialogTemplateBuilder& ImageItem(WORD id, DWORD style, short x, short y, short cx, short cy,
                                   std::u16string_view cls, WORD imageId);

  // The template bytes; valid until the builder changes or dies.
  std::span<const std::byte> bytes() const { return bytes_; }

 private:
  void Header(DWORD style, short x, short y, short cx, short cy, WORD id);
  void Word(WORD w);
  void Dword(DWORD d);
  void Text(std::u16string_view text);
  std::vector<std::byte> bytes_;
  size_t countAt_ = 0;
  WORD count_ = 0;
};

}  // namespace win
