// Drawing speed: a full-screen repaint as a dialog makes it, a tiled 32 x 32
// bitmap background over the 240 x 320 screen and a dozen DrawTextW calls,
// and its two halves apart. Run by hand: build/bench/gdi_bench.
#include <benchmark/benchmark.h>

#include "gdi/surface.h"
#include "gdi/wingdi.h"

namespace {

// A 32 x 32 bitmap with a pattern, held in a memory DC while the bench runs.
struct Tile {
  Tile() {
    mem = CreateCompatibleDC(nullptr);
    bitmap = CreateCompatibleBitmap(mem, 32, 32);
    old = SelectObject(mem, bitmap);
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) SetPixel(mem, x, y, RGB(BYTE(x * 8), BYTE(y * 8), 128));
    }
  }
  ~Tile() {
    SelectObject(mem, old);
    DeleteObject(bitmap);
    DeleteDC(mem);
  }
  HDC mem;
  HBITMAP bitmap;
  HGDIOBJ old;
};

void PaintTiles(HDC dc, HDC tile) {
  for (int x = 0; x < gdi::kScreenWidth; x += 32) {
    for (int y = 0; y < gdi::kScreenHeight; y += 32) BitBlt(dc, x, y, 32, 32, tile, 0, 0, SRCCOPY);
  }
}

// Twelve labels and fields as a dialog shows them.
void PaintTexts(HDC dc) {
  static const char16_t* const kTexts[] = {
      u"Temperature", u"Celsius", u"Fahrenheit", u"Value:", u"Result:", u"212.0000",
      u"Precision", u"Scientific notation", u"Change Color", u"Cancel", u"OK",
      u"Word wrapped help text that runs over more than one line"};
  SetBkMode(dc, TRANSPARENT);
  int y = 4;
  for (const char16_t* text : kTexts) {
    RECT r{8, y, 232, y + 28};
    DrawTextW(dc, text, -1, &r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    y += 24;
  }
}

void BM_DialogRepaint(benchmark::State& state) {
  Tile tile;
  gdi::Surface& screen = gdi::Screen();
  HDC dc = gdi::CreateSurfaceDC(screen, {0, 0}, screen.bounds());
  for (auto _ : state) {
    PaintTiles(dc, tile.mem);
    PaintTexts(dc);
    benchmark::DoNotOptimize(screen.pixels().data());
  }
  DeleteDC(dc);
}
BENCHMARK(BM_DialogRepaint)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly();

void BM_TiledBackground(benchmark::State& state) {
  Tile tile;
  gdi::Surface& screen = gdi::Screen();
  HDC dc = gdi::CreateSurfaceDC(screen, {0, 0}, screen.bounds());
  for (auto _ : state) PaintTiles(dc, tile.mem);
  DeleteDC(dc);
}
BENCHMARK(BM_TiledBackground)->Unit(benchmark::kMicrosecond);

void BM_TwelveTexts(benchmark::State& state) {
  gdi::Surface& screen = gdi::Screen();
  HDC dc = gdi::CreateSurfaceDC(screen, {0, 0}, screen.bounds());
  for (auto _ : state) PaintTexts(dc);
  DeleteDC(dc);
}
BENCHMARK(BM_TwelveTexts)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
