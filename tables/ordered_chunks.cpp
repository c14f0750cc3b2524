#include "tables/ordered_chunks.hpp"

#include <unistd.h>

namespace toluvek {

std::size_t OnlineCores() {
  const long cores = ::sysconf(_SC_NPROCESSORS_ONLN);
  return cores > 0 ? static_cast<std::size_t>(cores) : 1;
}

}  // namespace toluvek
