// What the fuzz targets do with a container they accepted: the lookups and
// parses the program makes on a module's resources.
#pragma once

#include "res/dialog_template.h"
#include "res/menu_template.h"
#include "res/resources.h"
#include "res/string_table.h"

namespace fuzz {

inline void Exercise(const res::ResourceSource& source) {
  for (const auto& e : source.entries()) {
    (void)res::ParseDialogTemplate(e.data);
    (void)res::ParseMenuTemplate(e.data);
    (void)res::ParseStringBlock(e.data);
  }
  for (UINT id : {0u, 1u, 16u, 33004u, 33005u, 65535u}) (void)res::FindString(source, id);
  (void)source.Find(kRtBitmap, 33029);
  (void)source.Find(kRtBitmap, u"btn_num1u");
  (void)source.Find(kRtMenu, 135, LANGID{0x0407});
}

}  // namespace fuzz
