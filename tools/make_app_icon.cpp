// Draws the program icon: a yellow ruler with its tick marks on a rounded
// blue tile, at 16 x 16 and 32 x 32 pixels, and writes both into one .ico
// file (32-bit images with an alpha channel and the 1-bit mask) that the
// program's resource script includes as icon 128. Also writes a preview PNG
// of both sizes, enlarged, over a light and a dark ground.
//
//   make_app_icon OUT_DIR       # writes OUT_DIR/mensora.ico and icon_preview.png
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "gdi/image.h"
#include "gdi/png.h"
#include "sdf_shapes.h"

namespace {

struct Rgba {
  double r = 0, g = 0, b = 0, a = 0;
};

// Paints `color` over `dst` with the given coverage.
void Over(Rgba& dst, double r, double g, double b, double coverage) {
  if (coverage <= 0) return;
  double a = coverage + dst.a * (1 - coverage);
  auto mix = [&](double src, double d) {
    return a > 0 ? (src * coverage + d * dst.a * (1 - coverage)) / a : 0;
  };
  dst = {mix(r, dst.r), mix(g, dst.g), mix(b, dst.b), a};
}

// One icon of size n: the tile, the ruler body with its outline, and the
// ticks (every second one longer, the middle one longest).
std::vector<Rgba> DrawIcon(int n) {
  using sdf::Vec;
  const double s = n / 32.0;  // the design is on a 32-pixel grid
  auto tile = [&](Vec p) {
    // A rounded square, corner radius 5 on the 32 grid.
    double r = 5 * s, m = 0.5;
    return sdf::Box({m + r, m + r}, {n - m - r, n - m - r})(p) - r;
  };
  const Vec rulerLo{4 * s, 12 * s}, rulerHi{n - 4 * s, 22 * s};
  auto ruler = sdf::Box(rulerLo, rulerHi);
  std::vector<sdf::Shape> ticks;
  const int count = n >= 32 ? 9 : 6;
  const double step = (rulerHi.x - rulerLo.x - 4 * s) / (count - 1);
  for (int i = 0; i < count; ++i) {
    double x = std::round(rulerLo.x + 2 * s + i * step) + 0.5;
    double len = (i == count / 2) ? 6 * s : (i % 2 == 0 ? 4.5 * s : 2.5 * s);
    ticks.push_back(sdf::Segment({x, rulerLo.y + 1}, {x, rulerLo.y + 1 + len}, n >= 32 ? 0.5 : 0.45));
  }
  auto tickShape = sdf::Union(ticks);

  std::vector<Rgba> px(size_t(n) * n);
  for (int y = 0; y < n; ++y) {
    for (int x = 0; x < n; ++x) {
      Vec p{x + 0.5, y + 0.5};
      Rgba& c = px[size_t(y) * n + x];
      // The tile: deep blue, lighter towards the top.
      double shade = 1.0 - 0.25 * (y / double(n));
      Over(c, 40 * shade, 96 * shade, 170 * shade, sdf::Coverage(tile, p));
      // A thin darker rim inside the tile's edge.
      double rim = std::clamp(1.0 - std::abs(tile(p) + 0.7), 0.0, 1.0) * sdf::Coverage(tile, p);
      Over(c, 20, 52, 100, rim * 0.8);
      // The ruler: outline, then its yellow face, then the ticks.
      Over(c, 96, 64, 8, sdf::Coverage(ruler, p));
      auto face = sdf::Box({rulerLo.x + 1, rulerLo.y + 1}, {rulerHi.x - 1, rulerHi.y - 1});
      Over(c, 252, 206, 70, sdf::Coverage(face, p));
      Over(c, 90, 60, 10, sdf::Coverage(tickShape, p));
    }
  }
  return px;
}

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(std::uint8_t(v));
  out.push_back(std::uint8_t(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, unsigned v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// One icon image as the .ico file stores it: BITMAPINFOHEADER with twice the
// height, the 32-bit colour rows bottom-up (BGRA), then the AND mask rows
// (1 = transparent), each row padded to 4 bytes.
std::vector<std::uint8_t> IconImage(const std::vector<Rgba>& px, int n) {
  std::vector<std::uint8_t> out;
  const unsigned maskRow = unsigned((n + 31) / 32 * 4);
  Put32(out, 40);
  Put32(out, unsigned(n));
  Put32(out, unsigned(2 * n));
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, 0);
  Put32(out, unsigned(n * n * 4) + maskRow * unsigned(n));
  for (int i = 0; i < 4; ++i) Put32(out, 0);
  auto byte = [](double v) { return std::uint8_t(std::clamp(std::lround(v), 0L, 255L)); };
  for (int y = n - 1; y >= 0; --y) {
    for (int x = 0; x < n; ++x) {
      const Rgba& c = px[size_t(y) * n + x];
      out.push_back(byte(c.b));
      out.push_back(byte(c.g));
      out.push_back(byte(c.r));
      out.push_back(byte(c.a * 255));
    }
  }
  for (int y = n - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(maskRow, 0);
    for (int x = 0; x < n; ++x)
      if (px[size_t(y) * n + x].a < 0.5) row[size_t(x / 8)] |= std::uint8_t(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

// The .ico container: ICONDIR, one ICONDIRENTRY per image, then the images.
std::vector<std::uint8_t> IcoFile(const std::vector<std::pair<int, std::vector<std::uint8_t>>>& images) {
  std::vector<std::uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, unsigned(images.size()));
  unsigned offset = 6 + 16 * unsigned(images.size());
  for (const auto& [n, bytes] : images) {
    out.push_back(std::uint8_t(n));
    out.push_back(std::uint8_t(n));
    out.push_back(0);  // no palette
    out.push_back(0);
    Put16(out, 1);   // planes
    Put16(out, 32);  // bits per pixel
    Put32(out, unsigned(bytes.size()));
    Put32(out, offset);
    offset += unsigned(bytes.size());
  }
  for (const auto& entry : images) out.insert(out.end(), entry.second.begin(), entry.second.end());
  return out;
}

// Both sizes, four times enlarged, once over a light and once over a dark ground.
bool WritePreview(const std::vector<Rgba>& small, const std::vector<Rgba>& large,
                  const std::filesystem::path& file) {
  const int zoom = 4, w = (16 + 32 + 12) * zoom, h = 2 * (32 + 4) * zoom;
  auto sheet = gdi::Image::Create(w, h);
  if (!sheet) return false;
  for (int band = 0; band < 2; ++band) {
    double ground = band == 0 ? 236 : 40;
    for (int y = band * h / 2; y < (band + 1) * h / 2; ++y)
      for (int x = 0; x < w; ++x) sheet->set(x, y, gdi::MakePixel(BYTE(ground), BYTE(ground), BYTE(ground)));
    auto blit = [&](const std::vector<Rgba>& px, int n, int left) {
      for (int y = 0; y < n * zoom; ++y)
        for (int x = 0; x < n * zoom; ++x) {
          const Rgba& c = px[size_t(y / zoom) * n + size_t(x / zoom)];
          auto mix = [&](double v) { return BYTE(std::lround(v * c.a + ground * (1 - c.a))); };
          sheet->set(left + x, band * h / 2 + 2 * zoom + y, gdi::MakePixel(mix(c.r), mix(c.g), mix(c.b)));
        }
    };
    blit(small, 16, 4 * zoom);
    blit(large, 32, (16 + 8) * zoom);
  }
  std::string error;
  return gdi::WritePng(*sheet, file, &error);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_app_icon OUT_DIR\n");
    return 2;
  }
  std::filesystem::path out = argv[1];
  auto small = DrawIcon(16), large = DrawIcon(32);
  auto ico = IcoFile({{16, IconImage(small, 16)}, {32, IconImage(large, 32)}});
  std::ofstream file(out / "mensora.ico", std::ios::binary);
  file.write(reinterpret_cast<const char*>(ico.data()), std::streamsize(ico.size()));
  if (!file) {
    std::fprintf(stderr, "make_app_icon: cannot write %s\n", (out / "mensora.ico").c_str());
    return 1;
  }
  if (!WritePreview(small, large, out / "icon_preview.png")) {
    std::fprintf(stderr, "make_app_icon: cannot write the preview\n");
    return 1;
  }
  return 0;
}
