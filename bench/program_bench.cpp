// The program's start-up and memory, measured on the real binary run
// headless: from process start to the first painted frame (a headless run
// with no input paints its first frame, finds no input and ends), and the
// peak resident memory of that run and of a scripted session with the keypad.
// Targets: median start-up 50 ms or less; peak resident memory 40 MB or less.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

// Runs the program with `args`; false when it could not start or failed.
// `peakKiB` receives the child's peak resident set.
bool RunProgram(const std::vector<std::string>& args, long* peakKiB) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(MENSORA_PROGRAM));
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", 1 /*O_WRONLY*/, 0);
  pid_t pid = 0;
  const int started = posix_spawn(&pid, MENSORA_PROGRAM, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (started != 0) return false;
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return false;
  *peakKiB = usage.ru_maxrss;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A device folder of its own, seeded by one first run outside the timing.
fs::path DeviceRoot() {
  static const fs::path root = [] {
    fs::path r = fs::temp_directory_path() / ("mensora-bench-" + std::to_string(::getpid()));
    fs::create_directories(r);
    long ignored = 0;
    RunProgram({"--headless", "--root", r.string()}, &ignored);
    return r;
  }();
  return root;
}

void BM_StartToFirstFrame(benchmark::State& state) {
  const std::string root = DeviceRoot().string();
  long peak = 0;
  for (auto _ : state) {
    if (!RunProgram({"--headless", "--root", root}, &peak)) {
      state.SkipWithError("mensora did not run");
      break;
    }
  }
  state.counters["peak_MiB"] = double(peak) / 1024.0;
}
BENCHMARK(BM_StartToFirstFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)
    ->ReportAggregatesOnly(true);

// A session: the keypad opened and a value typed, the next category, the
// category list dropped. Its peak memory is the one to watch.
void BM_HeadlessSessionMemory(benchmark::State& state) {
  const fs::path root = DeviceRoot();
  const fs::path script = root / "session.script";
  std::ofstream(script) << "wait\ntapid 1005\nwait\ntapid 1013\ntapid 1017\ntapid 1\nwait\n"
                           "tapid 1001\nwait\ntapid 1009\nwait\nkey escape\nwait\n";
  long peak = 0;
  for (auto _ : state) {
    if (!RunProgram({"--headless", "--root", root.string(), "--script", script.string()}, &peak)) {
      state.SkipWithError("the session did not run");
      break;
    }
  }
  state.counters["peak_MiB"] = double(peak) / 1024.0;
}
BENCHMARK(BM_HeadlessSessionMemory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
