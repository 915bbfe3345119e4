// Engine benchmarks: loading the built-in table, one derivation pass over the
// largest complete category (ours and the literal one), one conversion, and
// mensora-cli as a whole process. Goals are checked by reading the medians,
// never by a test.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include "data/derivation.h"
#include "data/literal_derivation.h"
#include "data/table_loader.h"

extern char** environ;

namespace {

void BM_LoadBuiltInTable(benchmark::State& state) {
  ProcessSettings settings;
  ConversionLoader loader(settings);
  loader.BuildDefaultTableText();  // built once per process, as in the program
  for (auto _ : state) {
    EmptyDatabase(loader.database());
    loader.LoadConversionTable(u"\\windows\\mensora.dat");
    benchmark::DoNotOptimize(loader.database().data());
  }
}
BENCHMARK(BM_LoadBuiltInTable);

Category CompleteFlow() {
  ProcessSettings settings;
  ConversionLoader loader(settings);
  loader.LoadConversionTable(u"");
  Category flow = loader.database()[10];
  DeriveUntilComplete(flow);
  return flow;
}

template <void (*Pass)(Category&)>
void BM_PassOverCompleteFlow(benchmark::State& state) {
  Category flow = CompleteFlow();
  for (auto _ : state) {
    Pass(flow);  // adds nothing: the category is complete
    benchmark::DoNotOptimize(flow.entries.data());
  }
  state.counters["entries"] = double(flow.entries.size());
}
BENCHMARK(BM_PassOverCompleteFlow<DeriveConversions>)->Name("BM_PassOverCompleteFlow");
BENCHMARK(BM_PassOverCompleteFlow<LiteralDeriveConversions>)->Name("BM_LiteralPassOverCompleteFlow");

void BM_ConvertValue(benchmark::State& state) {
  ProcessSettings settings;
  ConversionLoader loader(settings);
  loader.LoadConversionTable(u"");
  double result = 0;
  for (auto _ : state) {
    ConvertValue(loader.database(), 4, u"point", u"parsec (pc)", 12.5, result);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_ConvertValue);

void BM_CliConvertProcess(benchmark::State& state) {
  char* argv[] = {const_cast<char*>(MENSORA_CLI), const_cast<char*>("convert"),
                  const_cast<char*>("Temperature"), const_cast<char*>("Celsius"),
                  const_cast<char*>("Fahrenheit"), const_cast<char*>("100"), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", 1 /*O_WRONLY*/, 0);
  for (auto _ : state) {
    pid_t pid = 0;
    if (posix_spawn(&pid, MENSORA_CLI, &actions, nullptr, argv, environ) != 0) {
      state.SkipWithError("cannot start mensora-cli");
      break;
    }
    int status = 0;
    waitpid(pid, &status, 0);
  }
  posix_spawn_file_actions_destroy(&actions);
}
BENCHMARK(BM_CliConvertProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
