// The benchmarks' own clock: thread CPU time, the basis of their speed
// counters and ratios, so that other processes on the machine disturb them as
// little as possible.
#pragma once

#include <time.h>

namespace qv {

inline double CpuSeconds() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

}  // namespace qv
