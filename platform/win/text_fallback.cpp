// Stand-ins for the drawing layer's text functions while its font code is
// not in this branch: weak definitions that measure with the controls'
// metrics and draw nothing. The drawing layer's own definitions replace
// them at link time.
#include "gdi/wingdi.h"
#include "win/controls/text_metrics.h"

#define MENSORA_WEAK __attribute__((weak))

MENSORA_WEAK BOOL GetTextExtentPoint32W(HDC, LPCWSTR text, int count, SIZE* size) {
  if (!size || (count > 0 && !text)) return FALSE;
  size->cx = count > 0 ? win::metrics::TextWidth({text, size_t(count)}) : 0;
  size->cy = win::metrics::kLineHeight;
  return TRUE;
}

MENSORA_WEAK BOOL GetTextMetricsW(HDC, TEXTMETRICW* tm) {
  if (!tm) return FALSE;
  *tm = TEXTMETRICW{};
  tm->tmHeight = win::metrics::kLineHeight;
  tm->tmAveCharWidth = win::metrics::CharWidth(u'x');
  return TRUE;
}

MENSORA_WEAK int DrawTextW(HDC, LPCWSTR, int, RECT*, UINT) { return win::metrics::kLineHeight; }

MENSORA_WEAK BOOL ExtTextOutW(HDC, int, int, UINT, const RECT*, LPCWSTR, UINT, const INT*) {
  return TRUE;
}

MENSORA_WEAK BOOL TextOutW(HDC, int, int, LPCWSTR, int) { return TRUE; }
