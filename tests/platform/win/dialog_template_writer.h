// Dialog templates for tests: the platform's builder, with controls of the
// message recorder's class unless a test names another.
#pragma once

#include "win/dialog_builder.h"

class TemplateWriter : public win::DialogTemplateBuilder {
 public:
  using DialogTemplateBuilder::DialogTemplateBuilder;
  TemplateWriter& Item(WORD id, DWORD style, short x, short y, short cx, short cy,
                       std::u16string_view cls = u"Recorder", std::u16string_view text = u"") {
    DialogTemplateBuilder::Item(id, style, x, y, cx, cy, cls, text);
    return *this;
  }
};
