#pragma once
// A temporary mail store directory for tests, removed again at the end.
// Paths given to it are relative with "\" separators, as in the store.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <string_view>

namespace gleanix::testing {

class TempStore {
 public:
  TempStore() {
    const auto base = std::filesystem::temp_directory_path();
    std::random_device random;
    for (;;) {
      dir_ = base / ("gleanix-store-" + std::to_string(random()));
      std::error_code ec;
      if (std::filesystem::create_directories(dir_, ec)) break;
    }
  }
  ~TempStore() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  TempStore(const TempStore&) = delete;
  TempStore& operator=(const TempStore&) = delete;

  // The mail root as the host gives it: "\" separators and a trailing "\".
  std::string root() const {
    std::string r = dir_.string();
    for (char& c : r) {
      if (c == '/') c = '\\';
    }
    return r + "\\";
  }

  std::filesystem::path path(std::string_view relative) const {
    std::string p(relative);
    for (char& c : p) {
      if (c == '\\') c = '/';
    }
    return dir_ / p;
  }

  void write(std::string_view relative, std::string_view bytes) const {
    const auto target = path(relative);
    std::filesystem::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

  void mkdir(std::string_view relative) const { std::filesystem::create_directories(path(relative)); }

  bool exists(std::string_view relative) const { return std::filesystem::exists(path(relative)); }

  std::string read(std::string_view relative) const {
    std::ifstream in(path(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  // Every file below the root with its bytes: a snapshot to compare.
  std::map<std::string, std::string> snapshot() const {
    std::map<std::string, std::string> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir_)) {
      if (e.is_regular_file()) {
        std::ifstream in(e.path(), std::ios::binary);
        files[std::filesystem::relative(e.path(), dir_).generic_string()] =
            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
      }
    }
    return files;
  }

 private:
  std::filesystem::path dir_;
};

// A mail file: the given header lines, an empty line, a short body.
inline std::string mailText(std::string_view subject, std::string_view from = "a@example.jp") {
  return "From: " + std::string(from) + "\r\nSubject: " + std::string(subject) + "\r\n\r\nbody\r\n";
}

}  // namespace gleanix::testing
