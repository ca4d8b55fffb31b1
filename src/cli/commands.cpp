#include "cli_command.h"

namespace orvo::cli {

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"dump", "PROJECT", "list the nodes of a project file, one TAB-separated line each", Dump},
      {"write", "PROJECT DECK", "write the project's input deck", Write},
      {"check", "PROJECT",
       "report incomplete card data: group findings, then each segment and exchange", Check},
      {"read", "DECK PROJECT", "build a new project from the input deck DECK, saved as PROJECT",
       Read},
      {"import", "PROJECT DECK GROUP OUTPUT",
       "import card group GROUP (B to J, or all) of DECK into PROJECT, saved as OUTPUT", Import},
  };
  return commands;
}

}  // namespace orvo::cli
