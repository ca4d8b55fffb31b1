#include "cli_command.h"
#include "vcs/rcs_class.h"

namespace orvo::cli {

// "Delete Version": removes one revision of a project file that has at least two.
int DeleteRevision(Context& context, const std::vector<std::string>& args) {
  if (args.size() != 2) return kUsage;
  RCSClass record(args[0], context.platform);
  if (!record.log_read) return kFailed;
  return record.DeleteRevision(args[1]) ? kSuccess : kFailed;
}

}  // namespace orvo::cli
