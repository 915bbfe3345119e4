// Draws the keypad's 24 key images (48 x 48, 4 bits per pixel): each digit,
// the decimal point and the backspace arrow, once raised (up) and once pushed
// in (down). Glyphs come from DejaVu Sans Bold through FreeType; the key face
// is a soft bevelled tile. Writes keypad/BTN_NUM*U.bmp / *D.bmp and a
// preview sheet of all keys at twice their size.
//
//   make_key_bitmaps FONT.ttf OUT_DIR
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "gdi/bmp_writer.h"
#include "gdi/image.h"
#include "gdi/png.h"

namespace {

constexpr int kSize = 48;

// The 16 colours: key faces, bevel, outline, ink, and the blends between a
// face and the ink that anti-aliased glyph edges take.
enum : std::uint8_t { kHighlight, kUpFace, kDownFace, kShadow, kOutline, kInk, kUpBlend, kDownBlend = 11 };
constexpr int kBlendSteps = 5;

std::vector<COLORREF> Palette() {
  struct Rgb { int r, g, b; };
  const Rgb highlight{255, 255, 255}, up{226, 234, 244}, down{170, 188, 212}, shadow{120, 136, 160},
      outline{58, 74, 98}, ink{22, 48, 88};
  std::vector<COLORREF> p = {RGB(BYTE(highlight.r), BYTE(highlight.g), BYTE(highlight.b)),
                             RGB(BYTE(up.r), BYTE(up.g), BYTE(up.b)),
                             RGB(BYTE(down.r), BYTE(down.g), BYTE(down.b)),
                             RGB(BYTE(shadow.r), BYTE(shadow.g), BYTE(shadow.b)),
                             RGB(BYTE(outline.r), BYTE(outline.g), BYTE(outline.b)),
                             RGB(BYTE(ink.r), BYTE(ink.g), BYTE(ink.b))};
  for (const Rgb& face : {up, down}) {
    for (int k = 1; k <= kBlendSteps; ++k) {
      double t = double(k) / (kBlendSteps + 1);
      auto mix = [&](int a, int b) { return BYTE(std::lround(a + (b - a) * t)); };
      p.push_back(RGB(mix(face.r, ink.r), mix(face.g, ink.g), mix(face.b, ink.b)));
    }
  }
  return p;
}

struct Key {
  const char* name;     // resource name without the U/D suffix
  char32_t glyph;
  int pixelSize;        // glyph size in pixels
};

const Key kKeys[] = {
    {"BTN_NUM1", U'1', 32}, {"BTN_NUM2", U'2', 32}, {"BTN_NUM3", U'3', 32},
    {"BTN_NUM4", U'4', 32}, {"BTN_NUM5", U'5', 32}, {"BTN_NUM6", U'6', 32},
    {"BTN_NUM7", U'7', 32}, {"BTN_NUM8", U'8', 32}, {"BTN_NUM9", U'9', 32},
    {"BTN_NUM0", U'0', 32}, {"BTN_NUMDOT", U'.', 64}, {"BTN_NUMBS", U'\u2190', 44},
};

// The tile: outline, a two-pixel bevel (light top-left when up, dark when
// pushed in) and the face.
gdi::IndexedImage Tile(bool down) {
  gdi::IndexedImage img{kSize, kSize, Palette(), std::vector<std::uint8_t>(kSize * kSize)};
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      std::uint8_t c = down ? kDownFace : kUpFace;
      int inner = std::min({x, y, kSize - 1 - x, kSize - 1 - y});
      bool topLeft = x + y < kSize - 1;
      if (inner == 0) c = kOutline;
      else if (inner <= 2) c = (topLeft != down) ? kHighlight : kShadow;
      if (down && inner == 3 && topLeft) c = kShadow;  // the pushed-in rim
      img.indices[size_t(y * kSize + x)] = c;
    }
  }
  // Round the outline's corners by a pixel.
  for (int cx : {0, kSize - 1})
    for (int cy : {0, kSize - 1}) img.indices[size_t(cy * kSize + cx)] = down ? kDownFace : kShadow;
  return img;
}

// Ink at one pixel from its coverage (0..255): the ink itself or a blend
// with the face below.
void Ink(gdi::IndexedImage& img, int x, int y, int coverage, bool down) {
  if (coverage <= 0 || x < 3 || y < 3 || x >= kSize - 3 || y >= kSize - 3) return;
  int level = (coverage * (kBlendSteps + 1) + 127) / 255;  // 0 .. steps+1
  if (level == 0) return;
  img.indices[size_t(y * kSize + x)] =
      level > kBlendSteps ? std::uint8_t(kInk) : std::uint8_t((down ? kDownBlend : kUpBlend) + level - 1);
}

// The decimal point as a round dot (the bold face's full stop is square),
// anti-aliased by 4 x 4 supersampling.
void DrawDot(gdi::IndexedImage& img, bool down) {
  const double cx = 24.0 + (down ? 1 : 0), cy = 31.0 + (down ? 1 : 0), r = 5.2;
  for (int y = 20; y < 44; ++y) {
    for (int x = 12; x < 36; ++x) {
      int inside = 0;
      for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
          double px = x + (sx + 0.5) / 4 - cx, py = y + (sy + 0.5) / 4 - cy;
          inside += px * px + py * py <= r * r;
        }
      Ink(img, x, y, inside * 255 / 16, down);
    }
  }
}

bool DrawGlyph(FT_Face face, const Key& key, bool down, gdi::IndexedImage& img) {
  if (key.glyph == U'.') {
    DrawDot(img, down);
    return true;
  }
  FT_Set_Pixel_Sizes(face, 0, FT_UInt(key.pixelSize));
  if (FT_Load_Char(face, key.glyph, FT_LOAD_RENDER)) return false;
  const FT_Bitmap& bm = face->glyph->bitmap;
  // Centre the ink box; the pushed key moves it one pixel down and right.
  int left = (kSize - int(bm.width)) / 2 + (down ? 1 : 0);
  int top = (kSize - int(bm.rows)) / 2 + (down ? 1 : 0);
  for (unsigned row = 0; row < bm.rows; ++row)
    for (unsigned col = 0; col < bm.width; ++col)
      Ink(img, left + int(col), top + int(row), bm.buffer[row * unsigned(bm.pitch) + col], down);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_key_bitmaps FONT.ttf OUT_DIR\n");
    return 2;
  }
  FT_Library library;
  FT_Face face;
  if (FT_Init_FreeType(&library) || FT_New_Face(library, argv[1], 0, &face)) {
    std::fprintf(stderr, "make_key_bitmaps: cannot load the font %s\n", argv[1]);
    return 1;
  }
  std::filesystem::path out = argv[2];
  auto sheet = gdi::Image::Create(12 * 100 + 4, 2 * 100 + 4, gdi::MakePixel(90, 110, 140));
  int column = 0;
  for (const Key& key : kKeys) {
    for (bool down : {false, true}) {
      gdi::IndexedImage img = Tile(down);
      if (!DrawGlyph(face, key, down, img)) {
        std::fprintf(stderr, "make_key_bitmaps: no glyph for %s\n", key.name);
        return 1;
      }
      std::string error;
      auto file = out / (std::string(key.name) + (down ? "D" : "U") + ".bmp");
      if (!gdi::WriteBmp4(img, file, &error)) {
        std::fprintf(stderr, "make_key_bitmaps: %s\n", error.c_str());
        return 1;
      }
      for (int y = 0; y < 2 * kSize; ++y)
        for (int x = 0; x < 2 * kSize; ++x)
          sheet->SetColor(4 + column * 100 + x, 4 + (down ? 100 : 0) + y,
                          img.palette[img.indices[size_t((y / 2) * kSize + x / 2)]]);
    }
    ++column;
  }
  std::string error;
  if (!gdi::WritePng(*sheet, out / "key_preview.png", &error)) {
    std::fprintf(stderr, "make_key_bitmaps: %s\n", error.c_str());
    return 1;
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);
  return 0;
}
