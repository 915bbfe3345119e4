// The handheld's flat look in one place: every frame, bevel, focus mark,
// arrow and tick the controls draw goes through these functions, so the
// whole screen changes style here and nowhere else. White fields, black
// one-pixel frames, a light grey button face, dark blue selection with white
// text; a held button is drawn inverted.
#pragma once

#include "win/winuser.h"

namespace win::style {

// The frame kinds; each is one row of the painter's table.
enum class Frame {
  kField,          // edit fields, list views, combo fields: white, black frame
  kButton,         // push buttons: grey face, black frame
  kDefaultButton,  // the default push button: a frame two pixels thick
  kPressed,        // a held button or arrow: inverted face
  kCheckBox,       // the box of a check box: white, black frame
  kPopup,          // menus and dropped lists: white, black frame
  kArrow,          // arrow buttons (up-down, combo, scroll bar): grey face
};

enum class Arrow { kUp, kDown, kLeft, kRight };

// Draws the frame of `kind` around `r` and fills the inside with the kind's
// face colour. Returns the inside rectangle. Does nothing on a null DC.
RECT DrawFrame(HDC hdc, const RECT& r, Frame kind);

// The colour of text and marks on the face of `kind`.
COLORREF TextColor(Frame kind);
// The face colour of `kind`.
COLORREF FaceColor(Frame kind);

// `rings` one-pixel black frames from `r` inwards: a window's border
// (WS_BORDER one, WS_EX_CLIENTEDGE two more). The inside is left alone.
void DrawWindowFrame(HDC hdc, const RECT& r, int rings);

// A dotted focus rectangle just inside `r`.
void DrawFocus(HDC hdc, const RECT& r);

// A filled triangle pointing `dir`, centred in `box`.
void DrawArrow(HDC hdc, const RECT& box, Arrow dir, COLORREF color);

// The tick of a checked check box, inside `box`.
void DrawTick(HDC hdc, const RECT& box, COLORREF color);

// A horizontal separator line across `r`, at its middle.
void DrawSeparator(HDC hdc, const RECT& r);

// Fills `r` with the selection colour; returns the colour for text on it.
COLORREF FillSelection(HDC hdc, const RECT& r);

// Fills `r` with a solid colour.
void FillColor(HDC hdc, const RECT& r, COLORREF color);

}  // namespace win::style
