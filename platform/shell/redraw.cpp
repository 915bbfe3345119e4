// See redraw.h.
#include "shell/redraw.h"

namespace shell {

void Redraw(HWND hwnd) { InvalidateRect(hwnd, nullptr, TRUE); }

}  // namespace shell
