#pragma once
// Opening a document or program through the shell ("OPEN" verb).

#include <cstdint>
#include <string>

namespace gleanix::sys {

using WindowHandle = std::uintptr_t;

class Shell {
 public:
  virtual ~Shell() = default;
  // Fire and forget: the result of the launch is not reported.
  virtual void open(WindowHandle owner, const std::string& verb, const std::string& file,
                    const std::string& parameters, const std::string& directory) = 0;
};

}  // namespace gleanix::sys
