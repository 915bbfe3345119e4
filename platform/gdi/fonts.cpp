// Fonts and single-run text: CreateFontIndirectW, GetTextExtentPoint32W,
// GetTextMetricsW, ExtTextOutW and TextOutW.
#include <algorithm>

#include "gdi/raster.h"
#include "gdi/text.h"
#include "gdi/text_render.h"

using namespace gdi::detail;

namespace {

// The em size for a LOGFONTW height: negative is the em itself, positive the
// cell (ascent + descent, 14/11 of the em for DejaVu Sans), 0 the default.
int PixelSizeFor(LONG lfHeight) {
  if (lfHeight < 0) return int(std::min<LONG>(-lfHeight, 256));
  if (lfHeight > 0) return std::max(1, int((std::min<LONG>(lfHeight, 326) * 11 + 7) / 14));
  return kDefaultFontPixels;
}

std::u16string_view View(LPCWSTR text, int c) {
  return c > 0 ? std::u16string_view(text, std::size_t(c)) : std::u16string_view();
}

}  // namespace

HFONT CreateFontIndirectW(const LOGFONTW* lplf) {
  if (!lplf) {
    SetLastError(DWORD(ERROR_INVALID_PARAMETER));
    return nullptr;
  }
  auto font = std::make_unique<Font>();
  font->log = *lplf;
  font->bold = lplf->lfWeight >= FW_SEMIBOLD;
  font->pixelSize = PixelSizeFor(lplf->lfHeight);
  return static_cast<HFONT>(Table::Get().Add(std::move(font)));
}

BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR lpString, int c, SIZE* psizl) {
  DC* dc = Lookup<DC>(hdc);
  if (!dc) return FALSE;
  if (c < 0 || (c > 0 && !lpString) || !psizl) {
    SetLastError(DWORD(ERROR_INVALID_PARAMETER));
    return FALSE;
  }
  FaceSize* face = SelectedFace(*dc);
  if (!face) return FALSE;
  const auto chars = CodePoints(View(lpString, c));
  *psizl = SIZE{RunWidth(*face, chars), face->height()};
  return TRUE;
}

BOOL GetTextMetricsW(HDC hdc, TEXTMETRICW* lptm) {
  DC* dc = Lookup<DC>(hdc);
  if (!dc) return FALSE;
  if (!lptm) {
    SetLastError(DWORD(ERROR_INVALID_PARAMETER));
    return FALSE;
  }
  FaceSize* face = SelectedFace(*dc);
  if (!face) return FALSE;
  const Font* font = Lookup<Font>(dc->state.font);
  TEXTMETRICW tm;
  tm.tmHeight = face->height();
  tm.tmAscent = face->ascent;
  tm.tmDescent = face->descent;
  tm.tmAveCharWidth = face->averageWidth;
  tm.tmMaxCharWidth = face->maxWidth;
  tm.tmWeight = font->bold ? FW_BOLD : FW_NORMAL;
  tm.tmDigitizedAspectX = 96;
  tm.tmDigitizedAspectY = 96;
  tm.tmFirstChar = u' ';
  tm.tmLastChar = u'\xFFFD';
  tm.tmDefaultChar = u'?';
  tm.tmBreakChar = u' ';
  tm.tmCharSet = DEFAULT_CHARSET;
  *lptm = tm;
  return TRUE;
}

BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCWSTR lpString,
                 UINT c, const INT* lpDx) {
  DrawTarget target(hdc, true);
  if (!target.ok()) return FALSE;
  if ((c > 0 && !lpString) || c > 0x7FFFFFFF) {
    SetLastError(DWORD(ERROR_INVALID_PARAMETER));
    return FALSE;
  }
  FaceSize* face = SelectedFace(target.dc());
  if (!face) return FALSE;
  const DcState& state = target.dc().state;
  const auto chars = CodePoints(View(lpString, int(c)));
  RECT clip = target.clip();
  if (lprect && (options & ETO_CLIPPED)) clip = target.ToSurface(*lprect);
  const LONG sx = Clamp(std::int64_t{x} + target.dx()), sy = Clamp(std::int64_t{y} + target.dy());
  if (lprect && (options & ETO_OPAQUE)) {
    FillSolid(target.surface(), target.ToSurface(*lprect), Resolve(state.bkColor));
  } else if (state.bkMode == OPAQUE && !chars.empty()) {
    int width = 0;
    for (std::size_t i = 0; i < chars.size(); ++i) {
      width += lpDx ? lpDx[i] : face->GlyphFor(chars[i]).advance;
    }
    FillSolid(target.surface(), Intersect({sx, sy, sx + width, sy + face->height()}, clip),
              Resolve(state.bkColor));
  }
  DrawRun(target.surface(), *face, chars, sx, sy, Resolve(state.textColor), clip, lpDx);
  return TRUE;
}

BOOL TextOutW(HDC hdc, int x, int y, LPCWSTR lpString, int c) {
  if (c < 0) {
    SetLastError(DWORD(ERROR_INVALID_PARAMETER));
    return FALSE;
  }
  return ExtTextOutW(hdc, x, y, 0, nullptr, lpString, UINT(c), nullptr);
}

namespace gdi {

int SystemTextWidth(std::u16string_view text, bool bold) {
  FaceSize* face = FaceFor(bold, kDefaultFontPixels);
  return face ? RunWidth(*face, CodePoints(text)) : 0;
}

int SystemLineHeight() {
  FaceSize* face = FaceFor(false, kDefaultFontPixels);
  return face ? face->height() : 0;
}

}  // namespace gdi
