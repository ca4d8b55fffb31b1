#include <filesystem>
#include <ostream>

#include "cli_command.h"
#include "runs/model_execution.h"

namespace orvo::cli {

// "Locate ORVO5 Executables" with PROGRAM as the file chosen in the programs' directory;
// prints the directory stored.
int Locate(Context& context, const std::vector<std::string>& args) {
  if (args.size() != 1) return kUsage;
  std::error_code error;
  if (!std::filesystem::is_regular_file(args[0], error)) {
    // A file chooser offers only existing files.
    context.platform.ShowMessage("orvo locate: " + args[0] + " is not a file.");
    return kFailed;
  }
  const std::string directory = LocateExecutables(context.platform, args[0]);
  if (directory.empty()) return kFailed;
  context.out << directory << '\n';
  return kSuccess;
}

}  // namespace orvo::cli
