// Image lists; see image_list.h.
#include "win/controls/image_list.h"

#include <cstdint>
#include <map>
#include <memory>

#include "gdi/wingdi.h"

namespace {

struct ImageList {
  int cx = 0;
  int cy = 0;
  UINT flags = 0;
  bool system = false;
  std::vector<std::unique_ptr<win::ImageListPicture>> pictures;
};

// Handles count up from a base and are never reused, so a stale handle is
// simply unknown. Icon handles are numbered the same way.
struct Lists {
  std::map<std::uintptr_t, std::unique_ptr<ImageList>> lists;
  std::map<std::uintptr_t, const win::ImageListPicture*> icons;
  std::uintptr_t nextList = 0x3000000;
  std::uintptr_t nextIcon = 0x4000000;
};

Lists& All() {
  static Lists lists;
  return lists;
}

ImageList* Find(HIMAGELIST handle) {
  auto it = All().lists.find(reinterpret_cast<std::uintptr_t>(handle));
  return it == All().lists.end() ? nullptr : it->second.get();
}

void ForgetIcons(const ImageList& list, size_t from) {
  for (size_t i = from; i < list.pictures.size(); ++i)
    if (list.pictures[i]->icon) All().icons.erase(reinterpret_cast<std::uintptr_t>(list.pictures[i]->icon));
}

}  // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow) {
  if (cx < 1 || cy < 1 || cx > 256 || cy > 256 || initial < 0 || grow < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto list = std::make_unique<ImageList>();
  list->cx = cx;
  list->cy = cy;
  list->flags = flags;
  list->pictures.reserve(size_t(initial));
  std::uintptr_t id = All().nextList++;
  All().lists.emplace(id, std::move(list));
  return reinterpret_cast<HIMAGELIST>(id);
}

BOOL ImageList_Destroy(HIMAGELIST handle) {
  ImageList* list = Find(handle);
  if (!list) return SetLastError(ERROR_INVALID_HANDLE), FALSE;
  if (list->system) return SetLastError(ERROR_ACCESS_DENIED), FALSE;
  ForgetIcons(*list, 0);
  All().lists.erase(reinterpret_cast<std::uintptr_t>(handle));
  return TRUE;
}

int ImageList_GetImageCount(HIMAGELIST handle) {
  ImageList* list = Find(handle);
  return list ? int(list->pictures.size()) : 0;
}

BOOL ImageList_GetIconSize(HIMAGELIST handle, int* cx, int* cy) {
  ImageList* list = Find(handle);
  if (!list || !cx || !cy) return FALSE;
  *cx = list->cx;
  *cy = list->cy;
  return TRUE;
}

BOOL ImageList_Remove(HIMAGELIST handle, int index) {
  ImageList* list = Find(handle);
  if (!list || list->system || index < -1 || index >= int(list->pictures.size())) return FALSE;
  if (index == -1) {
    ForgetIcons(*list, 0);
    list->pictures.clear();
    return TRUE;
  }
  if (HICON icon = list->pictures[size_t(index)]->icon)
    All().icons.erase(reinterpret_cast<std::uintptr_t>(icon));
  list->pictures.erase(list->pictures.begin() + index);
  return TRUE;
}

BOOL ImageList_Draw(HIMAGELIST handle, int index, HDC dc, int x, int y, UINT style) {
  const win::ImageListPicture* picture = win::ImageListGet(handle, index);
  if (!picture || !dc) return FALSE;
  // The share of the highlight colour in each pixel, in quarters.
  const int highlight = (style & ILD_BLEND50) ? 2 : (style & ILD_BLEND25) ? 1 : 0;
  const COLORREF tint = GetSysColor(COLOR_HIGHLIGHT);
  auto mix = [highlight](BYTE a, BYTE b) { return BYTE((a * (4 - highlight) + b * highlight) / 4); };
  for (int row = 0; row < picture->height; ++row) {
    for (int column = 0; column < picture->width; ++column) {
      size_t at = size_t(row) * size_t(picture->width) + size_t(column);
      if (picture->transparent[at]) continue;
      COLORREF c = picture->pixels[at];
      if (highlight)
        c = RGB(mix(GetRValue(c), GetRValue(tint)), mix(GetGValue(c), GetGValue(tint)),
                mix(GetBValue(c), GetBValue(tint)));
      SetPixel(dc, x + column, y + row, c);
    }
  }
  return TRUE;
}

namespace win {

int ImageListAdd(HIMAGELIST handle, std::span<const COLORREF> pixels,
                 std::optional<COLORREF> transparentColour) {
  ImageList* list = Find(handle);
  if (!list || pixels.size() != size_t(list->cx) * size_t(list->cy)) return -1;
  auto picture = std::make_unique<ImageListPicture>();
  picture->width = list->cx;
  picture->height = list->cy;
  picture->pixels.assign(pixels.begin(), pixels.end());
  picture->transparent.resize(pixels.size());
  for (size_t i = 0; i < pixels.size(); ++i)
    picture->transparent[i] = transparentColour && (pixels[i] & 0xFFFFFF) == (*transparentColour & 0xFFFFFF);
  list->pictures.push_back(std::move(picture));
  return int(list->pictures.size()) - 1;
}

const ImageListPicture* ImageListGet(HIMAGELIST handle, int index) {
  ImageList* list = Find(handle);
  if (!list || index < 0 || index >= int(list->pictures.size())) return nullptr;
  return list->pictures[size_t(index)].get();
}

bool IsImageList(HIMAGELIST handle) { return Find(handle) != nullptr; }

HICON ImageListIcon(HIMAGELIST handle, int index) {
  ImageList* list = Find(handle);
  if (!list || index < 0 || index >= int(list->pictures.size())) return nullptr;
  ImageListPicture& picture = *list->pictures[size_t(index)];
  if (!picture.icon) {
    std::uintptr_t id = All().nextIcon++;
    picture.icon = reinterpret_cast<HICON>(id);
    All().icons.emplace(id, &picture);
  }
  return picture.icon;
}

const ImageListPicture* IconPicture(HICON icon) {
  auto it = All().icons.find(reinterpret_cast<std::uintptr_t>(icon));
  return it == All().icons.end() ? nullptr : it->second;
}

void ProtectImageList(HIMAGELIST handle) {
  if (ImageList* list = Find(handle)) list->system = true;
}

}  // namespace win
