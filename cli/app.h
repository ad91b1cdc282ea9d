#pragma once
// The gleanix command-line tool: pickups over a mail store, printed as a
// table, TSV or JSON, or copied into folders through the simulated host.

#include <string>
#include <vector>

namespace gleanix::cli {

// Runs the tool with the arguments after the program name; returns the
// exit status: 0 with rows, 1 without ("見つかりませんでした" on stderr),
// 2 for usage errors and bad input.
int run(const std::vector<std::string>& args);

}  // namespace gleanix::cli
