// Measuring and drawing runs of text with the DC's font: the shared core
// of ExtTextOutW and DrawTextW. Internal to the room.
#pragma once

#include <span>
#include <vector>

#include "gdi/draw_target.h"
#include "gdi/font_face.h"

namespace gdi::detail {

// The face of the font selected into the DC; nullptr (ERROR_NOT_ENOUGH_MEMORY)
// only when FreeType cannot open it.
FaceSize* SelectedFace(const DC& dc);

// Width in pixels of the characters with the face's advances.
int RunWidth(FaceSize& face, std::span<const char32_t> chars);

// Draws the characters with the cell's top-left at surface (x, y), blending
// each glyph's coverage in `color` over what is there, never outside clip
// (surface coordinates). advances, when given, replaces the glyphs' own.
// Returns the pen's final x.
LONG DrawRun(Surface& surface, FaceSize& face, std::span<const char32_t> chars, LONG x, LONG y,
             COLORREF color, const RECT& clip, const INT* advances = nullptr);

}  // namespace gdi::detail
