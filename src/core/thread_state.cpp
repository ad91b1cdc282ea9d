#include "core/thread_state.h"

namespace gleanix::core {

ThreadWindowState& threadState() {
  thread_local ThreadWindowState state;
  return state;
}

}  // namespace gleanix::core
