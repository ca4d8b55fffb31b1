#include "cli_command.h"
#include "vcs/rcs_class.h"

namespace orvo::cli {

// "Open Version": overwrites the project file with one of its revisions, after the question.
int CheckOut(Context& context, const std::vector<std::string>& args) {
  if (args.size() != 2) return kUsage;
  RCSClass record(args[0], context.platform);
  if (!record.log_read) return kFailed;
  return OpenVersion(record, args[1]) ? kSuccess : kFailed;
}

}  // namespace orvo::cli
