#include <ostream>

#include "cli_command.h"
#include "vcs/rcs_class.h"

namespace orvo::cli {

// The revisions of a project file, newest first: number, name, date and the first line of
// the log message, TAB-separated.
int Revisions(Context& context, const std::vector<std::string>& args) {
  if (args.size() != 1) return kUsage;
  RCSClass record(args[0], context.platform);
  if (!record.log_read) return kFailed;
  for (size_t i = 0; i < record.revisions.size(); ++i) {
    std::string date = record.revision_dates[i];
    if (date.starts_with("date: ")) date.erase(0, 6);
    const std::string& message = record.log_messages[i];
    context.out << record.revisions[i] << '\t' << record.revision_names[i] << '\t' << date << '\t'
                << message.substr(0, message.find('\n')) << '\n';
  }
  return context.out ? kSuccess : kFailed;
}

}  // namespace orvo::cli
