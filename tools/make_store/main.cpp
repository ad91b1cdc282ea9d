// make-store: writes a generated mail store.
//
//   make-store [--mails N] [--seed S] DIRECTORY
//
// Without options it writes the bundled sample (samples/store).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "make_store/store_generator.h"

int main(int argc, char** argv) {
  gleanix::tools::StoreOptions options;
  std::string directory;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if ((arg == "--mails" || arg == "--seed") && i + 1 < argc) {
      char* end = nullptr;
      const unsigned long long value = std::strtoull(argv[++i], &end, 10);
      if (end == argv[i] || *end != '\0') {
        std::fprintf(stderr, "make-store: %s needs a number\n", arg.c_str());
        return 2;
      }
      if (arg == "--mails") {
        options.mails = static_cast<std::size_t>(value);
      } else {
        options.seed = value;
      }
    } else if (directory.empty() && arg[0] != '-') {
      directory = arg;
    } else {
      directory.clear();
      break;
    }
  }
  if (directory.empty()) {
    std::fputs("usage: make-store [--mails N] [--seed S] DIRECTORY\n", stderr);
    return 2;
  }
  std::string error;
  if (!gleanix::tools::writeStore(directory, options, &error)) {
    std::fprintf(stderr, "make-store: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
