// See redraw.h. Until the window system paints, there is nothing to mark.
#include "shell/redraw.h"

namespace shell {

void Redraw(HWND) {}

}  // namespace shell
