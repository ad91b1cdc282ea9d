#include "plugin/thread_state.h"

namespace gleanix::plugin {

ThreadWindowState& threadState() {
  thread_local ThreadWindowState state;
  return state;
}

}  // namespace gleanix::plugin
