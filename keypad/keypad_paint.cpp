// The keypad's drawing calls; see keypad_paint.h.
#include "keypad/keypad_paint.h"

namespace tessapad {

// Without the drawing layer there is no context to fill and nothing to
// repaint; these become the platform's brush, PatBlt and InvalidateRect
// calls when it arrives.
void FillBackground(HDC, const RECT&, COLORREF) {}

void InvalidateAll(HWND) {}

}  // namespace tessapad
