// Image lists: numbered pictures of one size (small icons for list views and
// the shell's file icons). A list is a handle the drawing code and the
// controls look pictures up in; its pixels are COLORREF (0x00BBGGRR) with a
// per-pixel transparency mask, so any drawing layer can put them on screen.
//
// Ownership: whoever creates a list destroys it with ImageList_Destroy. A
// list marked as the system's (win::ProtectImageList) refuses destruction,
// so a control or wrapper that destroys its lists can never take it away.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "win/controls/listview.h"

// ImageList_Create flags. The colour depth is recorded only: pictures are
// always kept as COLORREF.
inline constexpr UINT ILC_MASK = 0x0001;
inline constexpr UINT ILC_COLOR = 0x0000;
inline constexpr UINT ILC_COLOR4 = 0x0004;
inline constexpr UINT ILC_COLOR8 = 0x0008;
inline constexpr UINT ILC_COLOR16 = 0x0010;
inline constexpr UINT ILC_COLOR24 = 0x0018;
inline constexpr UINT ILC_COLOR32 = 0x0020;

// A new empty list of cx x cy pictures; nullptr with ERROR_INVALID_PARAMETER
// when a side is not in 1..256 or `initial`/`grow` is negative.
HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
// ImageList_Draw styles.
inline constexpr UINT ILD_NORMAL = 0x0000;
inline constexpr UINT ILD_TRANSPARENT = 0x0001;
inline constexpr UINT ILD_BLEND50 = 0x0004;
inline constexpr UINT ILD_SELECTED = ILD_BLEND50;
inline constexpr UINT ILD_FOCUS = 0x0002;
inline constexpr UINT ILD_BLEND25 = ILD_FOCUS;

// Draws picture `index` with its top-left corner at (x, y) of `dc`; its
// transparent pixels leave the DC as it was. ILD_SELECTED (ILD_BLEND50)
// mixes it half and half with the highlight colour, ILD_FOCUS (ILD_BLEND25)
// a quarter. FALSE for an unknown handle or index, or a null DC.
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);

// Destroys a list; FALSE for an unknown handle (ERROR_INVALID_HANDLE) or the
// system's list (ERROR_ACCESS_DENIED).
BOOL ImageList_Destroy(HIMAGELIST list);
// The number of pictures; 0 for an unknown handle.
int ImageList_GetImageCount(HIMAGELIST list);
// The picture size; FALSE for an unknown handle or a null pointer.
BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
// Removes one picture (the later ones move down) or, with -1, all of them;
// FALSE for an unknown handle or index, or for the system's list.
BOOL ImageList_Remove(HIMAGELIST list, int index);

namespace win {

// One picture: width x height pixels, rows from the top.
struct ImageListPicture {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> pixels;
  std::vector<bool> transparent;  // same size; true where nothing is drawn
  HICON icon = nullptr;           // the list's shared handle for this picture
};

// Appends a picture of the list's size whose pixels equal `transparentColour`
// (when given) are transparent. Returns its index, or -1 for an unknown
// handle or a pixel count other than cx * cy.
int ImageListAdd(HIMAGELIST list, std::span<const COLORREF> pixels,
                 std::optional<COLORREF> transparentColour);

// A picture of a list; nullptr for an unknown handle or index. Valid until
// the list changes.
const ImageListPicture* ImageListGet(HIMAGELIST list, int index);

// Whether the handle is a live list.
bool IsImageList(HIMAGELIST list);

// A shared icon handle for a picture of a list (the same handle every time,
// owned by the list: it is never destroyed by the caller); nullptr for an
// unknown handle or index. IconPicture finds the picture again.
HICON ImageListIcon(HIMAGELIST list, int index);
const ImageListPicture* IconPicture(HICON icon);

// Marks a list as the system's: it can no longer be destroyed or emptied.
void ProtectImageList(HIMAGELIST list);

}  // namespace win
