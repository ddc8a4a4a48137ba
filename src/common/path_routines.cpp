#include "common/path_routines.h"

#include "runtime/shell.h"

int reveal_in_explorer(const std::string& path) {
  // Quoted: a comma in the path would otherwise end the /select argument.
  return rt::run_program("explorer.exe  /select,\"" + path + "\"") ? 1 : 0;
}
