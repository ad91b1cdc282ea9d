#pragma once
// Shell on shell32's ShellExecuteA.

#include "sys/shell.h"

namespace gleanix::backend {

class Win32Shell : public sys::Shell {
 public:
  void open(sys::WindowHandle owner, const std::string& verb, const std::string& file,
            const std::string& parameters, const std::string& directory) override;
};

}  // namespace gleanix::backend
