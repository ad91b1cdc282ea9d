#pragma once
// A registry kept in one text file, for systems without a Windows registry.
// One value a line, four fields separated by TAB:
//
//   HKEY_CURRENT_USER\Software\Orvane Lab\Gleanix\Options<TAB>Common<TAB>REG_DWORD<TAB>0
//
// key (root name and sub key), value name, type (REG_SZ, REG_DWORD,
// REG_BINARY) and data: a REG_SZ as text, a REG_DWORD as an unsigned decimal,
// a REG_BINARY as hexadecimal digits, two a byte. In the first three fields
// and in REG_SZ data, "%" and the control bytes are written as "%" and two
// hexadecimal digits ("%25", "%09", "%0D%0A"). Keys and value names match
// without regard to case, as in the registry.
//
// The file may be edited by hand. A line that cannot be read (a comment, a
// typing error, damage) is skipped when reading and kept as it is when the
// file is written again. Every write rewrites the file atomically.

#include <string>

#include "backend/sim/posix_file_system.h"
#include "sys/registry.h"

namespace gleanix::backend {

class FileRegistry : public sys::Registry {
 public:
  // path: a POSIX path; the file and its directories are created on the
  // first write.
  explicit FileRegistry(std::string path);

  std::optional<sys::RegistryValue> read(sys::RegistryRoot root, const std::string& key,
                                         const std::string& name) const override;
  bool write(sys::RegistryRoot root, const std::string& key, const std::string& name,
             const sys::RegistryValue& value) override;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
  PosixFileSystem fs_;
};

}  // namespace gleanix::backend
