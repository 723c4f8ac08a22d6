// The clocks the Windows benchmarks read.
#pragma once

#include <windows.h>

namespace capture::bench {

// Seconds on the clock.
inline double Now() {
  LARGE_INTEGER count, frequency;
  ::QueryPerformanceCounter(&count);
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double SecondsOf(const FILETIME& kernel, const FILETIME& user) {
  const auto seconds = [](const FILETIME& t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                               t.dwLowDateTime) /
           1e7;
  };
  return seconds(kernel) + seconds(user);
}

// The seconds of processor time this process has used (the X server's own work is not in it).
inline double ProcessorTime() {
  FILETIME created, ended, kernel, user;
  ::GetProcessTimes(::GetCurrentProcess(), &created, &ended, &kernel, &user);
  return SecondsOf(kernel, user);
}

// The seconds of processor time this thread has used: on a machine that others load, closer to
// what the work costs than the time on the clock.
inline double ThreadTime() {
  FILETIME created, ended, kernel, user;
  ::GetThreadTimes(::GetCurrentThread(), &created, &ended, &kernel, &user);
  return SecondsOf(kernel, user);
}

}  // namespace capture::bench
