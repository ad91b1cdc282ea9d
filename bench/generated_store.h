#pragma once
// The 100,000-mail store that the store and pickup benchmarks share: written
// once by the generator into the build tree and reused by later runs.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "make_store/store_generator.h"

namespace gleanix::bench {

inline constexpr std::size_t kGeneratedMails = 100000;

inline const std::string& generatedStoreDirectory() {
  static const std::string dir = [] {
    const std::string d = std::string(GLEANIX_BINARY_DIR) + "/bench-store-" + std::to_string(kGeneratedMails);
    const std::string marker = d + "/.complete";
    if (!std::filesystem::exists(marker)) {
      std::filesystem::remove_all(d);
      std::string error;
      if (!tools::writeStore(d, {kGeneratedMails, tools::kSampleSeed}, &error)) {
        std::fprintf(stderr, "bench: %s\n", error.c_str());
        std::abort();
      }
      std::ofstream(marker) << "complete\n";
    }
    return d;
  }();
  return dir;
}

}  // namespace gleanix::bench
