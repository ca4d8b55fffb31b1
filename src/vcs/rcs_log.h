// The log `rlog FILE` prints for one archive, parsed: what the revision windows list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvo {

struct RcsLog {
  // Newest first, as the log lists them; the other lists have one entry per revision.
  std::vector<std::string> revisions;
  std::vector<std::string> revision_dates;       // the date line up to its first ";"
  std::vector<std::string> log_messages;         // lines joined by "\n"
  std::vector<std::string> revision_names;       // symbolic names of the revision, joined by ", "
  std::vector<std::string> symbolic_name_lines;  // raw lines of the symbolic-name section
  std::string description;                       // lines joined by "\n"
};

enum class LogStatus {
  kRead,
  kNoArchive,      // the file has no archive yet
  kCutInHeader,    // the output ended before the symbolic names or the description ended
  kCutInRevisions  // the output ended inside the revisions
};

// Parses rlog's output (standard output and standard error together, "\n" or "\r\n" line
// ends). Lines that only look like rlog's separators inside a description or log message stay
// text: a separator counts only when a "revision N" line and a "date: ...author: ..." line
// follow it, and the closing line only once the revisions the header announces are read.
LogStatus ParseRcsLog(std::string_view output, RcsLog& log);

}  // namespace orvo
