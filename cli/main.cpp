#include <fcntl.h>
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_app.hpp"

int main(int argc, char** argv) {
  // A standard stream started closed would be the next file opened: a composition file being
  // saved would receive the program's output. Hold each closed one with /dev/null, and count
  // a closed standard output as one that cannot be written.
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) == -1 && ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY) == fd &&
        fd == 1) {
      std::cout.setstate(std::ios::badbit);
    }
  }
  const std::vector<std::string> args(argv + 1, argv + argc);
  return toluvek::cli::Run(args, std::cout, std::cerr);
}
