// System colours: the handheld's default palette (light grey faces, white
// windows, dark blue selection), changeable with SetSysColors, and the
// resolution of colour references that name a system colour.
#include "gdi/sys_colors.h"

#include <array>

#include "gdi/objects.h"

namespace gdi::detail {

namespace {

// Indexed by element (COLOR_* without its flag).
std::array<COLORREF, C_SYS_COLOR_TYPES>& Palette() {
  static std::array<COLORREF, C_SYS_COLOR_TYPES> palette = {
      RGB(192, 192, 192),  // COLOR_SCROLLBAR
      RGB(255, 255, 255),  // COLOR_BACKGROUND: the desktop
      RGB(0, 0, 128),      // COLOR_ACTIVECAPTION
      RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
      RGB(255, 255, 255),  // COLOR_MENU
      RGB(255, 255, 255),  // COLOR_WINDOW
      RGB(0, 0, 0),        // COLOR_WINDOWFRAME
      RGB(0, 0, 0),        // COLOR_MENUTEXT
      RGB(0, 0, 0),        // COLOR_WINDOWTEXT
      RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
      RGB(192, 192, 192),  // COLOR_ACTIVEBORDER
      RGB(192, 192, 192),  // COLOR_INACTIVEBORDER
      RGB(128, 128, 128),  // COLOR_APPWORKSPACE
      RGB(0, 0, 128),      // COLOR_HIGHLIGHT
      RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
      RGB(192, 192, 192),  // COLOR_BTNFACE
      RGB(128, 128, 128),  // COLOR_BTNSHADOW
      RGB(128, 128, 128),  // COLOR_GRAYTEXT
      RGB(0, 0, 0),        // COLOR_BTNTEXT
      RGB(192, 192, 192),  // COLOR_INACTIVECAPTIONTEXT
      RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
      RGB(0, 0, 0),        // COLOR_3DDKSHADOW
      RGB(223, 223, 223),  // COLOR_3DLIGHT
      RGB(0, 0, 0),        // COLOR_INFOTEXT
      RGB(255, 255, 225),  // COLOR_INFOBK
      RGB(192, 192, 192),  // COLOR_STATIC: static controls sit on the face colour
      RGB(0, 0, 0),        // COLOR_STATICTEXT
      RGB(0, 0, 128),      // COLOR_GRADIENTACTIVECAPTION
      RGB(128, 128, 128),  // COLOR_GRADIENTINACTIVECAPTION
  };
  return palette;
}

}  // namespace

int SysColorIndex(int nIndex) {
  const int index = nIndex & ~SYS_COLOR_INDEX_FLAG;
  return index >= 0 && index < C_SYS_COLOR_TYPES ? index : -1;
}

COLORREF Resolve(COLORREF color) {
  if (color & COLORREF(SYS_COLOR_INDEX_FLAG)) {
    const int index = SysColorIndex(int(color & 0xFF));
    return index < 0 ? 0 : Palette()[std::size_t(index)];
  }
  return color & 0x00FFFFFF;
}

}  // namespace gdi::detail

using namespace gdi::detail;

DWORD GetSysColor(int nIndex) {
  const int index = SysColorIndex(nIndex);
  return index < 0 ? 0 : Palette()[std::size_t(index)];
}

HBRUSH GetSysColorBrush(int nIndex) {
  const int index = SysColorIndex(nIndex);
  if (index < 0) {
    SetLastError(DWORD(ERROR_INVALID_PARAMETER));
    return nullptr;
  }
  return Table::Get().SysColorBrush(index);
}

BOOL SetSysColors(int cElements, const int* lpaElements, const COLORREF* lpaRgbValues) {
  if (cElements < 0 || (cElements > 0 && (!lpaElements || !lpaRgbValues))) {
    SetLastError(DWORD(ERROR_INVALID_PARAMETER));
    return FALSE;
  }
  for (int i = 0; i < cElements; ++i) {
    if (SysColorIndex(lpaElements[i]) < 0) {
      SetLastError(DWORD(ERROR_INVALID_PARAMETER));
      return FALSE;
    }
  }
  for (int i = 0; i < cElements; ++i) {
    Palette()[std::size_t(SysColorIndex(lpaElements[i]))] = lpaRgbValues[i] & 0x00FFFFFF;
  }
  return TRUE;
}
