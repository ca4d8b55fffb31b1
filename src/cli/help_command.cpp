#include <ostream>

#include "cli_command.h"

namespace orvo::cli {

int Help(Context& context, const std::vector<std::string>& args) {
  if (args.empty()) {
    PrintUsage(context.out);
    return kSuccess;
  }
  if (args.size() > 1) return kUsage;
  for (const auto& command : Commands()) {
    if (args[0] != command.name) continue;
    context.out << "usage: orvo [--no] " << command.name << ' ' << command.usage << "\n\n  "
                << command.summary << '\n';
    return kSuccess;
  }
  context.platform.ShowMessage("orvo help: there is no command " + args[0] + ".");
  return kUsage;
}

}  // namespace orvo::cli
