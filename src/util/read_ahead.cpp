#include "util/read_ahead.h"

namespace gleanix::util {

unsigned readAheadHelpers(unsigned requested) {
  // More threads than cores would only take turns on them; the caller is
  // one of the threads.
  const unsigned cores = std::max(std::thread::hardware_concurrency(), 1u);
  const unsigned threads = requested == 0 ? cores : std::min(requested, cores);
  return threads > 1 ? threads - 1 : 0;
}

}  // namespace gleanix::util
