// gleanix: pickups over a Quillon mail store from the command line.
#include <string>
#include <vector>

#include "cli/app.h"

int main(int argc, char** argv) { return gleanix::cli::run(std::vector<std::string>(argv + 1, argv + argc)); }
