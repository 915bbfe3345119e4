// Draws the background tiles of the built-in categories: one 64 x 64 tile per
// bitmap the built-in table names (\windows\temperature.bmp and the others),
// a pale ground with a faint motif of the category (thermometers for
// temperature, ruler ticks for distance, clock faces for time ...). The main
// window repeats a tile over its whole area, so every motif wraps around the
// tile's edges, and the contrast stays low enough that the lists, fields and
// painted captions on top remain easy to read. Writes 24-bit BMP files and
// a preview sheet (each tile repeated 2 x 2, with its name).
//
//   make_category_bitmaps OUT_DIR    # writes OUT_DIR/*.bmp and category_preview.png
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include "gdi/bmp_writer.h"
#include "gdi/image.h"
#include "gdi/png.h"
#include "sdf_shapes.h"

namespace {

using sdf::Vec;
constexpr int kTile = 64;
constexpr double kPi = std::numbers::pi;

struct Rgb {
  int r, g, b;
};

// One tile: its file name, ground colour, ink colour of the motif, and the motif.
struct TileDesign {
  const char* name;
  Rgb ground;
  Rgb ink;
  sdf::Shape motif;
};

sdf::Shape Thermometer(Vec at) {
  return sdf::Union({sdf::Ring({at.x, at.y + 9}, 4, 0.8), sdf::Segment({at.x - 2, at.y - 10}, {at.x - 2, at.y + 5.5}, 0.8),
                     sdf::Segment({at.x + 2, at.y - 10}, {at.x + 2, at.y + 5.5}, 0.8),
                     sdf::Arc({at.x, at.y - 10}, 2, kPi, 2 * kPi, 0.8), sdf::Disc({at.x, at.y + 9}, 2),
                     sdf::Segment({at.x + 4, at.y - 6}, {at.x + 6, at.y - 6}, 0.5),
                     sdf::Segment({at.x + 4, at.y - 2}, {at.x + 6, at.y - 2}, 0.5),
                     sdf::Segment({at.x + 4, at.y + 2}, {at.x + 6, at.y + 2}, 0.5)});
}

sdf::Shape RulerTicks() {
  // Two bands of ticks, as on a tape measure, every 4 pixels, longer every 16.
  std::vector<sdf::Shape> s;
  for (int band = 0; band < 2; ++band) {
    double y0 = band * 32.0 + 4;
    s.push_back(sdf::Segment({0, y0}, {kTile, y0}, 0.5));
    for (int x = 0; x < kTile; x += 4) {
      double len = x % 16 == 0 ? 9 : (x % 8 == 0 ? 6 : 3);
      double xx = x + (band ? 8 : 0) + 0.5;
      s.push_back(sdf::Segment({xx, y0}, {xx, y0 + len}, 0.5));
    }
  }
  return sdf::Union(s);
}

sdf::Shape Protractors() {
  auto one = [](Vec c) {
    std::vector<sdf::Shape> s{sdf::Arc(c, 12, kPi, 2 * kPi, 0.6), sdf::Segment({c.x - 12, c.y}, {c.x + 12, c.y}, 0.6)};
    for (int i = 1; i < 6; ++i) {
      double a = kPi + i * kPi / 6;
      s.push_back(sdf::Segment({c.x + 9 * std::cos(a), c.y + 9 * std::sin(a)},
                               {c.x + 12 * std::cos(a), c.y + 12 * std::sin(a)}, 0.5));
    }
    return sdf::Union(s);
  };
  return sdf::Union({one({16, 24}), one({48, 56})});
}

sdf::Shape Squares() {
  // A grid of 16-pixel squares, every other one hatched.
  std::vector<sdf::Shape> s;
  for (int i = 0; i < kTile; i += 16) {
    s.push_back(sdf::Segment({double(i) + 0.5, 0}, {double(i) + 0.5, kTile}, 0.5));
    s.push_back(sdf::Segment({0, double(i) + 0.5}, {kTile, double(i) + 0.5}, 0.5));
  }
  for (int cy = 0; cy < 4; ++cy)
    for (int cx = cy % 2; cx < 4; cx += 2)
      for (int k = 4; k < 16; k += 4)
        s.push_back(sdf::Segment({cx * 16.0 + k, cy * 16.0 + 16}, {cx * 16.0 + 16, cy * 16.0 + k}, 0.4));
  return sdf::Union(s);
}

sdf::Shape SpeedLines() {
  // Arrows with motion streaks, going right, in two staggered rows.
  auto arrow = [](Vec at) {
    return sdf::Union({sdf::Segment({at.x - 10, at.y}, {at.x + 6, at.y}, 0.8),
                       sdf::Segment({at.x + 6, at.y}, {at.x + 1, at.y - 5}, 0.8),
                       sdf::Segment({at.x + 6, at.y}, {at.x + 1, at.y + 5}, 0.8),
                       sdf::Segment({at.x - 18, at.y - 4}, {at.x - 13, at.y - 4}, 0.5),
                       sdf::Segment({at.x - 20, at.y + 4}, {at.x - 14, at.y + 4}, 0.5)});
  };
  return sdf::Union({arrow({28, 16}), arrow({60, 48})});
}

sdf::Shape Molecules() {
  Vec a{14, 14}, b{30, 24}, c{26, 42}, d{48, 20}, e{50, 50};
  return sdf::Union({sdf::Segment(a, b, 0.6), sdf::Segment(b, c, 0.6), sdf::Segment(b, d, 0.6),
                     sdf::Segment(c, e, 0.6), sdf::Disc(a, 3.5), sdf::Disc(b, 4.5), sdf::Disc(c, 3),
                     sdf::Disc(d, 3.5), sdf::Disc(e, 3)});
}

sdf::Shape Circuit() {
  // Chip pads and traces.
  std::vector<sdf::Shape> s{sdf::Box({20, 20}, {44, 44})};
  for (int i = 0; i < 4; ++i) {
    double p = 24 + i * 5.5;
    s.push_back(sdf::Segment({p, 8}, {p, 20}, 0.5));
    s.push_back(sdf::Segment({p, 44}, {p, 56}, 0.5));
    s.push_back(sdf::Segment({8, p}, {20, p}, 0.5));
    s.push_back(sdf::Segment({44, p}, {56, p}, 0.5));
  }
  for (Vec v : {Vec{8, 8}, Vec{56, 8}, Vec{8, 56}, Vec{56, 56}}) s.push_back(sdf::Ring(v, 2, 0.5));
  auto chip = sdf::Union(s);
  // The chip body itself only outlined: hollow it.
  auto inner = sdf::Box({21.2, 21.2}, {42.8, 42.8});
  return [=](Vec p) { return std::max(chip(p), -inner(p)); };
}

sdf::Shape Diamonds() {
  std::vector<sdf::Shape> s;
  for (int i = -1; i <= 1; ++i) {
    s.push_back(sdf::Segment({i * 64.0, 0}, {i * 64.0 + 64, 64}, 0.5));
    s.push_back(sdf::Segment({i * 64.0 + 64, 0}, {i * 64.0, 64}, 0.5));
    s.push_back(sdf::Segment({i * 64.0 + 32, 0}, {i * 64.0 + 96, 64}, 0.5));
    s.push_back(sdf::Segment({i * 64.0 + 32, 0}, {i * 64.0 - 32, 64}, 0.5));
  }
  s.push_back(sdf::Disc({32, 16}, 1.5));
  s.push_back(sdf::Disc({16, 32}, 1.5));
  return sdf::Union(s);
}

sdf::Shape Bolt(Vec at, double k) {
  return sdf::Polygon({{at.x + 2 * k, at.y - 12 * k}, {at.x - 6 * k, at.y + 2 * k}, {at.x - 0.5 * k, at.y + 2 * k},
                       {at.x - 3 * k, at.y + 12 * k}, {at.x + 6 * k, at.y - 3 * k}, {at.x + 0.5 * k, at.y - 3 * k}});
}

sdf::Shape Bolts() {
  auto filled = sdf::Union({Bolt({16, 18}, 1.0), Bolt({48, 48}, 1.0)});
  // Outline only, so the tile stays light.
  return [=](Vec p) { return std::abs(filled(p)) - 0.6; };
}

sdf::Shape Waves() {
  std::vector<sdf::Shape> s;
  for (int row = 0; row < 4; ++row) {
    double y0 = row * 16 + 8;
    const int n = 32;
    for (int i = 0; i < n; ++i) {
      double x0 = i * 2.0, x1 = x0 + 2;
      auto yAt = [&](double x) { return y0 + 3 * std::sin(2 * kPi * (x / 32.0 + row * 0.25)); };
      s.push_back(sdf::Segment({x0, yAt(x0)}, {x1, yAt(x1)}, 0.6));
    }
  }
  return sdf::Union(s);
}

sdf::Shape PushArrows() {
  // Thick arrows pushing against a bar.
  auto one = [](Vec at) {
    return sdf::Union({sdf::Segment({at.x - 12, at.y}, {at.x + 2, at.y}, 1.6),
                       sdf::Polygon({{at.x + 2, at.y - 6}, {at.x + 9, at.y}, {at.x + 2, at.y + 6}}),
                       sdf::Segment({at.x + 11.5, at.y - 8}, {at.x + 11.5, at.y + 8}, 0.8)});
  };
  auto filled = sdf::Union({one({20, 16}), one({52, 48})});
  return [=](Vec p) { return std::abs(filled(p)) - 0.55; };
}

sdf::Shape Suns() {
  auto one = [](Vec c, double r) {
    std::vector<sdf::Shape> s{sdf::Ring(c, r, 0.7)};
    for (int i = 0; i < 8; ++i) {
      double a = i * kPi / 4;
      s.push_back(sdf::Segment({c.x + (r + 3) * std::cos(a), c.y + (r + 3) * std::sin(a)},
                               {c.x + (r + 7) * std::cos(a), c.y + (r + 7) * std::sin(a)}, 0.6));
    }
    return sdf::Union(s);
  };
  return sdf::Union({one({18, 18}, 6), one({50, 50}, 4)});
}

sdf::Shape Plugs() {
  // A power symbol: a broken ring with a bar through its gap.
  auto one = [](Vec c) {
    return sdf::Union({sdf::Arc(c, 8, -kPi / 2 + 0.6, 1.5 * kPi - 0.6, 0.9),
                       sdf::Segment({c.x, c.y - 11}, {c.x, c.y - 2}, 0.9)});
  };
  return sdf::Union({one({16, 18}), one({48, 50})});
}

sdf::Shape Gauges() {
  auto one = [](Vec c) {
    std::vector<sdf::Shape> s{sdf::Ring(c, 11, 0.7), sdf::Disc(c, 1.8),
                              sdf::Segment(c, {c.x + 6, c.y - 6}, 0.7)};
    for (int i = 0; i <= 6; ++i) {
      double a = 0.75 * kPi + i * (1.5 * kPi / 6);
      s.push_back(sdf::Segment({c.x + 8 * std::cos(a), c.y + 8 * std::sin(a)},
                               {c.x + 10 * std::cos(a), c.y + 10 * std::sin(a)}, 0.5));
    }
    return sdf::Union(s);
  };
  return sdf::Union({one({18, 18}), one({50, 50})});
}

sdf::Shape Chevrons() {
  std::vector<sdf::Shape> s;
  for (int row = 0; row < 2; ++row)
    for (int k = 0; k < 3; ++k) {
      double x = 10 + k * 7 + row * 32, y = 16 + row * 32;
      s.push_back(sdf::Segment({x, y - 6}, {x + 5, y}, 0.8));
      s.push_back(sdf::Segment({x + 5, y}, {x, y + 6}, 0.8));
    }
  return sdf::Union(s);
}

sdf::Shape Clocks() {
  auto one = [](Vec c, double r, double hour) {
    std::vector<sdf::Shape> s{sdf::Ring(c, r, 0.7)};
    for (int i = 0; i < 12; i += 3) {
      double a = i * kPi / 6;
      s.push_back(sdf::Segment({c.x + (r - 3) * std::cos(a), c.y + (r - 3) * std::sin(a)},
                               {c.x + (r - 1.5) * std::cos(a), c.y + (r - 1.5) * std::sin(a)}, 0.5));
    }
    double ah = hour * kPi / 6 - kPi / 2;
    s.push_back(sdf::Segment(c, {c.x + 0.5 * r * std::cos(ah), c.y + 0.5 * r * std::sin(ah)}, 0.7));
    s.push_back(sdf::Segment(c, {c.x, c.y - 0.75 * r}, 0.5));
    return sdf::Union(s);
  };
  return sdf::Union({one({18, 18}, 11, 3), one({50, 50}, 9, 8)});
}

sdf::Shape Wrenches() {
  // A bolt head with a curved arrow turning around it.
  auto one = [](Vec c) {
    std::vector<Vec> hex;
    for (int i = 0; i < 6; ++i) hex.push_back({c.x + 4.5 * std::cos(i * kPi / 3), c.y + 4.5 * std::sin(i * kPi / 3)});
    auto head = sdf::Polygon(hex);
    double a1 = 1.6 * kPi;
    Vec tip{c.x + 10 * std::cos(a1), c.y + 10 * std::sin(a1)};
    return sdf::Union({[=](Vec p) { return std::abs(head(p)) - 0.6; }, sdf::Arc(c, 10, 0.2 * kPi, a1, 0.7),
                       sdf::Segment(tip, {tip.x - 4, tip.y - 1}, 0.7), sdf::Segment(tip, {tip.x + 0.5, tip.y + 4}, 0.7)});
  };
  return sdf::Union({one({18, 18}), one({50, 50})});
}

sdf::Shape Cubes() {
  // An isometric cube outline.
  auto one = [](Vec c, double k) {
    Vec top{c.x, c.y - 8 * k}, l{c.x - 8 * k, c.y - 4 * k}, r{c.x + 8 * k, c.y - 4 * k};
    Vec bl{c.x - 8 * k, c.y + 5 * k}, br{c.x + 8 * k, c.y + 5 * k}, bot{c.x, c.y + 9 * k};
    double w = 0.6;
    return sdf::Union({sdf::Segment(top, l, w), sdf::Segment(top, r, w), sdf::Segment(l, c, w),
                       sdf::Segment(r, c, w), sdf::Segment(l, bl, w), sdf::Segment(r, br, w),
                       sdf::Segment(c, bot, w), sdf::Segment(bl, bot, w), sdf::Segment(br, bot, w)});
  };
  return sdf::Union({one({18, 18}, 1.0), one({50, 50}, 0.8)});
}

std::vector<TileDesign> Designs() {
  auto two = [](sdf::Shape a, Vec offset) { return sdf::Union({a, sdf::Moved(a, offset)}); };
  return {
      {"temperature", {253, 240, 232}, {232, 196, 180}, two(Thermometer({16, 20}), {32, 32})},
      {"distance", {246, 244, 230}, {214, 206, 168}, RulerTicks()},
      {"angle", {236, 244, 250}, {180, 204, 224}, Protractors()},
      {"area", {238, 248, 236}, {190, 220, 186}, Squares()},
      {"acceleration", {250, 238, 238}, {224, 188, 188}, SpeedLines()},
      {"aofs", {244, 238, 250}, {208, 192, 228}, Molecules()},
      {"computer", {234, 242, 242}, {176, 204, 204}, Circuit()},
      {"custom", {244, 244, 244}, {212, 212, 212}, Diamonds()},
      {"energy", {252, 248, 228}, {228, 212, 150}, Bolts()},
      {"flow", {232, 244, 252}, {176, 208, 232}, Waves()},
      {"force", {244, 240, 234}, {212, 198, 178}, PushArrows()},
      {"light", {254, 252, 234}, {236, 220, 150}, Suns()},
      {"power", {238, 250, 244}, {180, 220, 198}, Plugs()},
      {"pressure", {240, 240, 250}, {196, 196, 226}, Gauges()},
      {"speed", {250, 242, 232}, {228, 200, 168}, Chevrons()},
      {"time", {246, 242, 236}, {212, 198, 180}, Clocks()},
      {"torque", {240, 242, 246}, {196, 202, 216}, Wrenches()},
      {"volume", {236, 246, 250}, {184, 214, 226}, Cubes()},
  };
}

gdi::Image Render(const TileDesign& d) {
  auto img = *gdi::Image::Create(kTile, kTile);
  for (int y = 0; y < kTile; ++y)
    for (int x = 0; x < kTile; ++x) {
      double c = sdf::TiledCoverage(d.motif, {x + 0.5, y + 0.5}, kTile, kTile);
      auto mix = [&](int g, int i) { return BYTE(std::lround(g + (i - g) * c)); };
      img.set(x, y, gdi::MakePixel(mix(d.ground.r, d.ink.r), mix(d.ground.g, d.ink.g), mix(d.ground.b, d.ink.b)));
    }
  return img;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_category_bitmaps OUT_DIR\n");
    return 2;
  }
  std::filesystem::path out = argv[1];
  auto designs = Designs();
  // The preview: six columns of 2 x 2 repeats, with a sample of text-coloured
  // bars (as the captions would stand) over each.
  const int cell = 2 * kTile + 8, cols = 6, rows = int((designs.size() + cols - 1) / cols);
  auto sheet = *gdi::Image::Create(cols * cell, rows * cell, gdi::MakePixel(128, 128, 128));
  std::string error;
  for (size_t i = 0; i < designs.size(); ++i) {
    gdi::Image tile = Render(designs[i]);
    if (!gdi::WriteBmp(tile, 24, out / (std::string(designs[i].name) + ".bmp"), &error)) {
      std::fprintf(stderr, "make_category_bitmaps: %s\n", error.c_str());
      return 1;
    }
    int left = int(i % cols) * cell + 4, top = int(i / cols) * cell + 4;
    for (int y = 0; y < 2 * kTile; ++y)
      for (int x = 0; x < 2 * kTile; ++x) sheet.set(left + x, top + y, tile.at(x % kTile, y % kTile));
    for (int x = 8; x < 60; ++x) sheet.set(left + x, top + 60, 0);  // a black "caption" line
  }
  if (!gdi::WritePng(sheet, out / "category_preview.png", &error)) {
    std::fprintf(stderr, "make_category_bitmaps: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
