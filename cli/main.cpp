#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_app.hpp"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return toluvek::cli::Run(args, std::cout, std::cerr);
}
