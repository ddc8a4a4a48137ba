// Saves the helper's bytes over a file through the runtime's safe write and exits 0 when they
// were written: safe_save_helper TARGET MEGABYTES.
#include <cstdlib>
#include <string>

#include "runtime/files.h"
#include "safe_save_helper.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  std::string bytes = safe_save_helper::new_bytes(static_cast<std::size_t>(std::atoi(argv[2])));
  return rt::write_file_safely(argv[1], bytes) ? 0 : 1;
}
