// Any bytes may come back from rlog: another version of RCS, a damaged archive, a log message
// that imitates rlog's own lines. Whatever it reads, the parser must give lists of one entry
// per revision, numbers that are revision numbers, names only on listed revisions, and the
// same result for the same input, without unbounded memory or time.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "vcs/rcs_log.h"
#include "vcs/revision_number.h"

namespace {

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "inconsistent log: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view output(reinterpret_cast<const char*>(data), size);
  orvo::RcsLog log;
  const orvo::LogStatus status = orvo::ParseRcsLog(output, log);
  const size_t count = log.revisions.size();
  Check(log.revision_dates.size() == count, "one date per revision");
  Check(log.log_messages.size() == count, "one message per revision");
  Check(log.revision_names.size() == count, "one name per revision");
  for (const std::string& revision : log.revisions) {
    Check(orvo::IsRevisionNumber(revision), "revision numbers");
    Check(orvo::CompareRevisions(revision, revision) == 0, "a number equals itself");
  }
  if (status == orvo::LogStatus::kNoArchive) {
    Check(count == 0 && log.description.empty(), "no archive, nothing listed");
  }
  if (status == orvo::LogStatus::kCutInHeader) Check(count == 0, "no revisions before the header");
  const std::string next = orvo::NextRevision(log.revisions);
  Check(next.empty() || orvo::CompareRevisions(next, "0.0") > 0, "next revision");
  for (size_t i = 0; i + 1 < count; ++i) {
    const int order = orvo::CompareRevisions(log.revisions[i], log.revisions[i + 1]);
    Check(order == -orvo::CompareRevisions(log.revisions[i + 1], log.revisions[i]), "symmetry");
  }

  orvo::RcsLog again;
  Check(orvo::ParseRcsLog(output, again) == status, "same status");
  Check(again.revisions == log.revisions && again.log_messages == log.log_messages &&
            again.revision_names == log.revision_names && again.description == log.description,
        "same result");
  return 0;
}
