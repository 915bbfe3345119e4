// Painting inside the window system: the paint passes that the idle queue
// runs, and the hooks through which window changes (shown, hidden, moved,
// raised, destroyed) reach the update rectangles. Products use winuser.h.
#pragma once

#include "win/winuser.h"

namespace win {

// Runs everything that is due: screen areas that were uncovered, windows
// with an update rectangle, and windows above anything drawn through GetDC,
// in one walk from the bottom of the screen to the top (a parent before its
// children, children in reverse creation order so that the first created is
// on top, as the pen finds it). Whatever a window paints is repainted by
// every window above it. Handlers that invalidate again get further passes,
// at most a few, so painting always ends. Returns whether anything painted.
bool PaintPending();

// Whether a paint pass would paint anything now.
bool PaintIsPending();

// The screen area `screen` must be composed again (a window was hidden,
// moved or destroyed there, or the whole screen is invalid).
void ExposeScreen(const RECT& screen);

// The window was shown, raised or created visible: it is painted whole.
void InvalidateWhole(HWND hwnd);

// Forgets pending painting and lent DCs (for tests, with the window table).
void ResetPainting();

// The window's rectangle on screen, clipped to the client areas of all its
// ancestors (empty when nothing of it can show).
RECT VisibleScreenRect(HWND hwnd);

}  // namespace win
