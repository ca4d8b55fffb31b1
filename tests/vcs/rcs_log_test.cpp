// The log parser over rlog outputs kept as data: tests/data/vcs/<case>/rlog.txt is what rlog
// printed (most of them real outputs of the RCS programs), expected.txt what the revision
// windows are given (ORVO_UPDATE_EXPECTED=1 writes expected.txt again, support/golden.h).
#include "vcs/rcs_log.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/scratch_dir.h"
#include "vcs/revision_number.h"
#include "support/golden.h"

namespace orvo {
namespace {

namespace fs = std::filesystem;

const char* StatusName(LogStatus status) {
  switch (status) {
    case LogStatus::kRead:
      return "read";
    case LogStatus::kNoArchive:
      return "no archive";
    case LogStatus::kCutInHeader:
      return "cut in header";
    case LogStatus::kCutInRevisions:
      return "cut in revisions";
  }
  return "?";
}

// One labelled line per item, so that empty texts and line breaks show.
void DumpText(std::string& dump, const std::string& label, const std::string& text) {
  size_t start = 0;
  do {
    const size_t end = std::min(text.find('\n', start), text.size());
    dump += label + ": " + text.substr(start, end - start) + "\n";
    start = end + 1;
  } while (start <= text.size());
}

std::string Dump(LogStatus status, const RcsLog& log) {
  std::string dump = std::string("status: ") + StatusName(status) + "\n";
  for (const auto& line : log.symbolic_name_lines) dump += "symbolic name line: " + line + "\n";
  DumpText(dump, "description", log.description);
  EXPECT_EQ(log.revision_dates.size(), log.revisions.size());
  EXPECT_EQ(log.log_messages.size(), log.revisions.size());
  EXPECT_EQ(log.revision_names.size(), log.revisions.size());
  for (size_t i = 0; i < log.revisions.size(); ++i) {
    dump += "revision: " + log.revisions[i] + "\n";
    dump += "  name: " + log.revision_names[i] + "\n";
    dump += "  date: " + log.revision_dates[i] + "\n";
    DumpText(dump, "  log", log.log_messages[i]);
  }
  dump += "next check-in: " + NextRevision(log.revisions) + "\n";
  return dump;
}

TEST(RcsLogTest, CasesOfTestData) {
  const fs::path root = fs::path(ORVO_SOURCE_DIR) / "tests/data/vcs";
  int cases = 0;
  for (const auto& entry : fs::directory_iterator(root)) {
    if (!entry.is_directory()) continue;
    SCOPED_TRACE(entry.path().filename().string());
    ++cases;
    RcsLog log;
    const LogStatus status = ParseRcsLog(testing::ReadFile(entry.path() / "rlog.txt"), log);
    const std::string dump = Dump(status, log);
    testing::ExpectFileText(entry.path() / "expected.txt", dump);
  }
  EXPECT_GE(cases, 11);
}

TEST(RcsLogTest, AParseStartsAfresh) {
  RcsLog log;
  log.revisions = {"1.5"};
  log.description = "old";
  EXPECT_EQ(ParseRcsLog("rlog: RCS/a.orb,v: No such file or directory\n", log),
            LogStatus::kNoArchive);
  EXPECT_TRUE(log.revisions.empty());
  EXPECT_TRUE(log.description.empty());
  EXPECT_EQ(ParseRcsLog("", log), LogStatus::kCutInHeader);
}

}  // namespace
}  // namespace orvo
