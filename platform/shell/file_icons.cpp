// The shell's small file icons, drawn as character pictures: each letter is
// a palette entry, '.' is transparent. Kept readable so that a change to an
// icon is a change one can see in the diff.
#include "shell/file_icons.h"

#include <array>
#include <vector>

namespace shell {
namespace {

using Picture = std::array<const char*, kSmallIconSize>;

// A manila folder with its tab.
constexpr Picture kFolder = {
    "................",
    "................",
    "..kkkkk.........",
    ".kyyyyyk........",
    ".kyyyyyykkkkkkk.",
    ".kwwwwwwwwwwwwk.",
    ".kwyyyyyyyyyyyk.",
    ".kwyyyyyyyyyyyk.",
    ".kwyyyyyyyyyyyk.",
    ".kwyyyyyyyyyyyk.",
    ".kwyyyyyyyyyyyk.",
    ".kwyyyyyyyyyyyk.",
    ".kddddddddddddk.",
    ".kkkkkkkkkkkkkk.",
    "................",
    "................",
};

// A page with a folded corner showing a landscape: sky, sun and hills.
constexpr Picture kBitmap = {
    "................",
    "..kkkkkkkkk.....",
    "..kwwwwwwwkk....",
    "..kwwwwwwwkfk...",
    "..kwwwwwwwkkkk..",
    "..kwwwwwwwwwwk..",
    "..kwbbbbbbbbwk..",
    "..kwbbbbbssbwk..",
    "..kwbbbbbssbwk..",
    "..kwbbgbbbbbwk..",
    "..kwbgggbbbgwk..",
    "..kwggggggggwk..",
    "..kwggggggggwk..",
    "..kwwwwwwwwwwk..",
    "..kkkkkkkkkkkk..",
    "................",
};

// A page with a folded corner and lines of text.
constexpr Picture kDocument = {
    "................",
    "..kkkkkkkkk.....",
    "..kwwwwwwwkk....",
    "..kwwwwwwwkfk...",
    "..kwwwwwwwkkkk..",
    "..kwwwwwwwwwwk..",
    "..kwllllllllwk..",
    "..kwwwwwwwwwwk..",
    "..kwlllllllwwk..",
    "..kwwwwwwwwwwk..",
    "..kwllllllllwk..",
    "..kwwwwwwwwwwk..",
    "..kwllllwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kkkkkkkkkkkk..",
    "................",
};

// Magenta marks the transparent pixels; no icon uses it.
constexpr COLORREF kTransparent = RGB(255, 0, 255);

COLORREF ColourOf(char c) {
  switch (c) {
    case 'k': return RGB(64, 64, 64);     // outline
    case 'w': return RGB(255, 255, 255);  // paper, highlight
    case 'y': return RGB(250, 208, 88);   // folder
    case 'd': return RGB(214, 162, 44);   // folder's shaded bottom
    case 'f': return RGB(200, 200, 200);  // folded corner
    case 'b': return RGB(120, 180, 240);  // sky
    case 's': return RGB(250, 214, 40);   // sun
    case 'g': return RGB(64, 160, 64);    // hills
    case 'l': return RGB(140, 140, 140);  // text lines
    default: return kTransparent;
  }
}

void Add(HIMAGELIST list, const Picture& picture) {
  std::vector<COLORREF> pixels;
  pixels.reserve(kSmallIconSize * kSmallIconSize);
  for (const char* row : picture)
    for (int x = 0; x < kSmallIconSize; ++x) pixels.push_back(ColourOf(row[x]));
  win::ImageListAdd(list, pixels, kTransparent);
}

}  // namespace

HIMAGELIST SystemSmallImageList() {
  static HIMAGELIST list = [] {
    HIMAGELIST made = ImageList_Create(kSmallIconSize, kSmallIconSize, ILC_COLOR32 | ILC_MASK, 3, 0);
    Add(made, kFolder);    // kFolderIcon
    Add(made, kBitmap);    // kBitmapIcon
    Add(made, kDocument);  // kDocumentIcon
    win::ProtectImageList(made);
    return made;
  }();
  return list;
}

}  // namespace shell
