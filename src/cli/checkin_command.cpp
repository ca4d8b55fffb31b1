#include <ostream>

#include "cli_command.h"
#include "vcs/rcs_class.h"

namespace orvo::cli {

// "Save New Version": checks the project file in as its next revision with the log message
// (the archive's description for the first) and the optional name; prints the new number.
int CheckIn(Context& context, const std::vector<std::string>& args) {
  if (args.empty()) return kUsage;
  std::string text, name;
  bool has_text = false;
  for (size_t i = 1; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return kUsage;
    if (args[i] == "-m") {
      text = args[i + 1];
      has_text = true;
    } else if (args[i] == "-n") {
      name = args[i + 1];
    } else {
      return kUsage;
    }
  }
  if (!has_text) return kUsage;
  RCSClass record(args[0], context.platform);
  if (!record.log_read) return kFailed;
  if (!record.CIVersion(record.NextRevision(), name, text) || record.revisions.empty()) {
    return kFailed;
  }
  context.out << record.revisions.front() << '\n';
  return context.out ? kSuccess : kFailed;
}

}  // namespace orvo::cli
