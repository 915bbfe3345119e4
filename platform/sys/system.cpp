// Clock, beep and process exit; see system.h.
#include "sys/system.h"

#include <chrono>
#include <cstdlib>

namespace {

struct Services {
  std::function<std::int64_t()> clock;
  std::function<void(UINT)> beep;
  std::function<void(int)> exit;
};

Services& TheServices() {
  static Services services;
  return services;
}

const auto kStart = std::chrono::steady_clock::now();

}  // namespace

BOOL MessageBeep(UINT type) {
  if (auto& beep = TheServices().beep) beep(type);
  return TRUE;
}

DWORD GetTickCount() {
  if (auto& clock = TheServices().clock) return DWORD(std::uint64_t(clock()) * 1000u);
  auto elapsed = std::chrono::steady_clock::now() - kStart;
  return DWORD(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

namespace sys {

std::int64_t NowSeconds() {
  if (auto& clock = TheServices().clock) return clock();
  using namespace std::chrono;
  return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

void SetClock(std::function<std::int64_t()> clock) { TheServices().clock = std::move(clock); }
void SetBeepHandler(std::function<void(UINT)> handler) { TheServices().beep = std::move(handler); }
void SetExitHandler(std::function<void(int)> handler) { TheServices().exit = std::move(handler); }

void ExitProcess(int code) {
  if (auto& exit = TheServices().exit) exit(code);
  std::exit(code);
}

}  // namespace sys
