// orvo: the command line of OrvoBuilder. Messages the editor would show go to standard
// error, one per line; questions are answered Yes/OK unless --no is given; file choosers
// inside an operation are cancelled. Exit status: 0 success, 1 failed, 2 usage.
#include <iostream>

#include "cli_command.h"

int main(int argc, char** argv) {
  // Even building the argument list may throw.
  return orvo::cli::CatchAll(
      [&] {
        return orvo::cli::RunOrvo({argv + 1, argv + argc}, std::cout, std::cerr);
      },
      std::cerr);
}
