#pragma once
// Wall-clock timing for the counters that compare two runs made in the same
// benchmark (the clock of <ctime>: <chrono> does not compile with CP932
// literals).

#include <time.h>

#include <algorithm>
#include <functional>

namespace gleanix::bench {

inline double seconds(const std::function<void()>& f) {
  timespec a{}, b{};
  ::clock_gettime(CLOCK_MONOTONIC, &a);
  f();
  ::clock_gettime(CLOCK_MONOTONIC, &b);
  return static_cast<double>(b.tv_sec - a.tv_sec) + static_cast<double>(b.tv_nsec - a.tv_nsec) * 1e-9;
}

// The fastest of some rounds.
inline double bestOf(const std::function<void()>& f, int rounds) {
  double best = seconds(f);
  for (int i = 1; i < rounds; ++i) best = std::min(best, seconds(f));
  return best;
}

}  // namespace gleanix::bench
