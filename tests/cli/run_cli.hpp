#pragma once
// Runs toluvek-cli in-process on a list of arguments and keeps what it printed.

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.hpp"

namespace toluvek::cli {

struct Outcome {
  int code;
  std::string out;
  std::string err;
};

inline Outcome RunCli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int code = Run(args, out, err);
  return {code, out.str(), err.str()};
}

}  // namespace toluvek::cli
