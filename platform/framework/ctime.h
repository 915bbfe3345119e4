// CTime: a moment in whole seconds since 1970-01-01 UTC, read from the
// system clock (which tests may replace, see sys::SetClock).
#pragma once

#include <compare>
#include <cstdint>

class CTime {
 public:
  CTime() = default;
  explicit CTime(std::int64_t seconds) : m_time(seconds) {}

  static CTime GetCurrentTime();
  std::int64_t GetTime() const { return m_time; }

  // The difference in seconds.
  friend std::int64_t operator-(CTime a, CTime b) { return a.m_time - b.m_time; }
  friend auto operator<=>(CTime, CTime) = default;

 private:
  std::int64_t m_time = 0;
};
