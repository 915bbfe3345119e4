// The seams of the small system services: tests own the clock, hear the
// beeps and keep their process when the program ends.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "sys/system.h"

TEST(SystemServices, ClockBeepAndExitAreInjectable) {
  std::int64_t now = 1'000'000;
  sys::SetClock([&] { return now; });
  EXPECT_EQ(sys::NowSeconds(), 1'000'000);
  DWORD before = GetTickCount();
  now += 2;
  EXPECT_EQ(GetTickCount() - before, 2000u);
  sys::SetClock({});
  EXPECT_GT(sys::NowSeconds(), 1'600'000'000);  // the real clock again

  std::vector<UINT> beeps;
  sys::SetBeepHandler([&](UINT t) { beeps.push_back(t); });
  EXPECT_TRUE(MessageBeep(MB_ICONQUESTION));
  EXPECT_EQ(beeps, std::vector<UINT>{MB_ICONQUESTION});
  sys::SetBeepHandler({});

  struct Exited {
    int code;
  };
  sys::SetExitHandler([](int code) { throw Exited{code}; });
  try {
    sys::ExitProcess(4660);
  } catch (const Exited& e) {
    EXPECT_EQ(e.code, 4660);
  }
  sys::SetExitHandler({});
}
