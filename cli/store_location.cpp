#include "cli/store_location.h"

#include <filesystem>
#include <system_error>

#include "cli/options.h"

namespace gleanix::cli {

namespace {

bool isStoreDirectory(const std::filesystem::path& dir) {
  std::error_code ec;
  return std::filesystem::is_regular_file(dir / "Mailbox.ini", ec) ||
         std::filesystem::is_regular_file(dir / "Account.ini", ec);
}

}  // namespace

std::string bundledStoreDirectory() {
  std::error_code ec;
  // build/<preset>/cli/gleanix lies below the source tree: walk up from it.
  std::filesystem::path dir = std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
  for (; !ec && !dir.empty(); dir = dir.parent_path()) {
    const std::filesystem::path candidate = dir / "samples" / "store";
    if (isStoreDirectory(candidate)) return candidate.string();
    if (dir == dir.root_path()) break;
  }
  return (std::filesystem::path(GLEANIX_SOURCE_DIR) / "samples" / "store").string();
}

std::string storeRoot(const sys::FileSystem& fs, const std::string& given) {
  std::string dir = given.empty() ? bundledStoreDirectory() : given;
  // "\tmp\x" is an absolute path as the host writes it; anything else not
  // starting at "/" is taken from the working directory.
  if (!dir.empty() && dir[0] != '/' && dir[0] != '\\') {
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(dir, ec);
    if (!ec) dir = absolute.string();
  }
  if (dir.empty() || (dir.back() != '/' && dir.back() != '\\')) dir += '/';
  if (!fs.isDirectory(dir)) throw UsageError{"no such store directory: " + (given.empty() ? dir : given)};
  if (!fs.isFile(dir + "Mailbox.ini") && !fs.isFile(dir + "Account.ini")) {
    throw UsageError{(given.empty() ? dir : given) + " is not a mail store (it holds neither Mailbox.ini nor Account.ini)"};
  }
  return dir;
}

}  // namespace gleanix::cli
