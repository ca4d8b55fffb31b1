#include "cli_command.h"

namespace orvo::cli {

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"dump", "PROJECT", "list the nodes of a project file, one TAB-separated line each", Dump},
  };
  return commands;
}

}  // namespace orvo::cli
