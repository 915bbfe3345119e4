// Painting speed (build/bench/paint_bench): a full repaint of a 240 x 320
// screen holding the every-control dialog over a tiled bitmap background
// (its WM_ERASEBKGND tiles with BitBlt), from invalidation to the last
// control. The target is a median under 2 ms.
#include <benchmark/benchmark.h>

#include "every_control_dialog.h"
#include "win/controls/register_controls.h"
#include "win/paint.h"

namespace {

void BM_FullDialogRepaint(benchmark::State& state) {
  win::RegisterControlClasses();
  HWND dialog = paint_test::CreateEveryControlDialog(true);
  if (!dialog) {
    state.SkipWithError("the test dialog cannot be built");
    return;
  }
  win::PaintPending();
  for (auto _ : state) {
    InvalidateRect(nullptr, nullptr, TRUE);  // the whole screen, every window in it
    benchmark::DoNotOptimize(win::PaintPending());
  }
  DestroyWindow(dialog);
}
BENCHMARK(BM_FullDialogRepaint)->Unit(benchmark::kMillisecond)->Repetitions(9)
    ->ReportAggregatesOnly(true);

void BM_OneButtonRepaint(benchmark::State& state) {
  win::RegisterControlClasses();
  HWND dialog = paint_test::CreateEveryControlDialog(true);
  if (!dialog) {
    state.SkipWithError("the test dialog cannot be built");
    return;
  }
  win::PaintPending();
  HWND ok = GetDlgItem(dialog, 1);
  for (auto _ : state) {
    InvalidateRect(ok, nullptr, TRUE);
    benchmark::DoNotOptimize(win::PaintPending());
  }
  DestroyWindow(dialog);
}
BENCHMARK(BM_OneButtonRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
