// Runs the `orvo` command line in-process, for the command tests.
#pragma once

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cli_command.h"
#include "support/scratch_dir.h"

namespace orvo::testing {

struct CliResult {
  int status;
  std::string out;
  std::string err;
};

inline CliResult RunCli(std::vector<std::string> args) {
  std::ostringstream out, err;
  const int status = cli::RunOrvo(std::move(args), out, err);
  return {status, out.str(), err.str()};
}

}  // namespace orvo::testing
