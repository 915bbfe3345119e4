// The shell's small file icons (16 x 16): a folder, a bitmap picture and a
// plain document, kept in the system small-icon image list.
#pragma once

#include "win/controls/image_list.h"

namespace shell {

// Indexes of the pictures in the system small-icon image list.
inline constexpr int kFolderIcon = 0;
inline constexpr int kBitmapIcon = 1;
inline constexpr int kDocumentIcon = 2;
inline constexpr int kSmallIconSize = 16;

// The system small-icon image list, built on first use and protected from
// destruction (every caller shares it). Never null.
HIMAGELIST SystemSmallImageList();

}  // namespace shell
