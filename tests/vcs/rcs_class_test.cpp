// The revision store on the real RCS programs, in a folder of each test's own. With
// ORVO_UPDATE_FUZZ_SEEDS=1 the rlog outputs the tests produce become seeds of the log
// parser's fuzz target (fuzz/corpus/fuzz_rcs_log).
#include "vcs/rcs_class.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "model/scripted_platform.h"
#include "runs/pipe_process.h"
#include "support/scratch_dir.h"

namespace orvo {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class RcsClassTest : public ::testing::Test {
 protected:
  testing::ScratchDir dir_{"orvo_rcs"};
  ScriptedPlatform platform_;
  std::string project_ = dir_ / "river.orb";

  std::string Messages() const {
    std::string all;
    for (const auto& message : platform_.messages) all += message + "\n";
    return all;
  }

  static void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  }

  // Writes content to the project and checks it in as the next revision.
  void CheckIn(const std::string& content, const std::string& name = {},
               const std::string& text = "changes", const std::string& path = {}) {
    const std::string file = path.empty() ? project_ : path;
    WriteBytes(file, content);
    RCSClass record(file, platform_);
    ASSERT_TRUE(record.CIVersion(record.NextRevision(), name, text)) << Messages();
  }

  // What rlog prints for the project, as the revision store runs it.
  std::string Rlog(const std::string& path = {}) {
    const fs::path file = path.empty() ? project_ : path;
    PipeProcess rlog;
    rlog.SetEnvironment("LC_ALL", "C");
    const std::string name = file.filename().string();
    EXPECT_TRUE(
        rlog.Start({"rlog", name[0] == '-' ? "./" + name : name}, file.parent_path().string()));
    std::string output, line;
    for (bool more = true; more;) {
      more = rlog.ReadLine(line);
      output += line;
    }
    rlog.Close();
    if (std::getenv("ORVO_UPDATE_FUZZ_SEEDS") != nullptr) {
      const fs::path seeds = fs::path(ORVO_SOURCE_DIR) / "fuzz/corpus/fuzz_rcs_log";
      fs::create_directories(seeds);
      const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
      std::ofstream(seeds / (test + "_" + std::to_string(++seed_count_)), std::ios::binary)
          << output;
    }
    return output;
  }

  // No revision stays locked after an operation.
  void ExpectNoLocks(const std::string& path = {}) {
    EXPECT_TRUE(Has(Rlog(path), "locks: strict\naccess list:")) << Rlog(path);
  }

  int seed_count_ = 0;
};

TEST_F(RcsClassTest, FileWithoutArchiveHasNoRevisions) {
  const fs::path before = fs::current_path();
  WriteBytes(project_, "x");
  RCSClass record(project_, platform_);
  EXPECT_TRUE(record.revisions.empty());
  EXPECT_FALSE(record.archive_exists);
  EXPECT_EQ(record.file_name, "river.orb");
  EXPECT_EQ(record.directory, dir_.path().string());
  EXPECT_EQ(record.NextRevision(), "");
  RCSClass missing(dir_ / "nowhere.orb", platform_);
  EXPECT_TRUE(missing.revisions.empty());
  EXPECT_EQ(Messages(), "");
  EXPECT_EQ(fs::current_path(), before);
}

TEST_F(RcsClassTest, FirstSaveCreatesTheArchiveWithTheDescription) {
  WriteBytes(project_, "first");
  RCSClass record(project_, platform_);
  ASSERT_TRUE(record.CIVersion(record.NextRevision(), "", "River study\nfirst cut")) << Messages();
  EXPECT_TRUE(fs::is_regular_file(dir_.path() / "RCS/river.orb,v"));
  EXPECT_TRUE(record.archive_exists);
  EXPECT_EQ(record.revisions, std::vector<std::string>{"1.1"});
  EXPECT_EQ(record.description, "River study\nfirst cut");
  EXPECT_EQ(record.log_messages, std::vector<std::string>{"Initial revision"});
  EXPECT_TRUE(record.revision_dates[0].starts_with("date: 20")) << record.revision_dates[0];
  EXPECT_TRUE(Has(Rlog(), "keyword substitution: b\n"));  // stored byte for byte
  ExpectNoLocks();
  EXPECT_EQ(ReadFile(project_), "first");
  EXPECT_EQ(Messages(), "");
}

TEST_F(RcsClassTest, ThreeRevisionsWithANameOnTheSecond) {
  CheckIn("one");
  CheckIn("two", "base", "Added the lake");
  CheckIn("three", "", "Flows of card D\nfrom the survey");
  RCSClass record(project_, platform_);
  ASSERT_EQ(record.revisions.size(), 3u);
  EXPECT_EQ(record.ListLine(0), "1.3 ");
  EXPECT_EQ(record.ListLine(1), "1.2 base");
  EXPECT_EQ(record.ListLine(2), "1.1 ");
  EXPECT_EQ(record.symbolic_name_lines, std::vector<std::string>{"\tbase: 1.2"});
  EXPECT_EQ(record.log_messages[0], "Flows of card D\nfrom the survey");
  EXPECT_EQ(record.log_messages[1], "Added the lake");
  EXPECT_EQ(record.NextRevision(), "1.4");
  ExpectNoLocks();
}

TEST_F(RcsClassTest, RevisionAfter19IsTheNextMajor) {
  for (int i = 1; i <= 9; ++i) CheckIn("content " + std::to_string(i));
  RCSClass record(project_, platform_);
  EXPECT_EQ(record.revisions.front(), "1.9");
  EXPECT_EQ(record.NextRevision(), "2");
  WriteBytes(project_, "content 10");
  ASSERT_TRUE(record.CIVersion("2", "major", "next major")) << Messages();
  EXPECT_EQ(record.revisions.front(), "2.1");
  EXPECT_EQ(record.revision_names.front(), "major");
  EXPECT_EQ(record.NextRevision(), "2.2");
  ExpectNoLocks();
}

TEST_F(RcsClassTest, ArchiveThatReached110And111) {
  CheckIn("content 1", "first");
  // RCS numbers on past 1.9 when its own programs check in without a number.
  const auto rcs = [this](std::vector<std::string> arguments) {
    PipeProcess program;
    ASSERT_TRUE(program.Start(arguments, dir_.path().string()));
    ASSERT_TRUE(program.Close().Succeeded()) << arguments[0];
  };
  rcs({"rcs", "-q", "-l", "river.orb"});
  for (int i = 2; i <= 11; ++i) {
    WriteBytes(project_, "content " + std::to_string(i));
    std::vector<std::string> ci = {"ci", "-q", "-f", "-l", "-mby hand", "river.orb"};
    if (i == 10) ci.insert(ci.begin() + 1, "-ntenth");
    rcs(ci);
  }
  rcs({"rcs", "-q", "-u", "river.orb"});
  RCSClass record(project_, platform_);
  ASSERT_EQ(record.revisions.size(), 11u) << Messages();
  EXPECT_EQ(record.revisions[0], "1.11");
  EXPECT_EQ(record.revisions[1], "1.10");
  EXPECT_EQ(record.revisions[10], "1.1");
  EXPECT_EQ(record.ListLine(1), "1.10 tenth");
  EXPECT_EQ(record.ListLine(10), "1.1 first");
  EXPECT_EQ(record.NextRevision(), "1.12");

  ASSERT_TRUE(record.CheckOut("1.10")) << Messages();
  EXPECT_EQ(ReadFile(project_), "content 10");
  ASSERT_TRUE(record.CheckOut("1.1")) << Messages();
  EXPECT_EQ(ReadFile(project_), "content 1");

  WriteBytes(project_, "content 12");
  ASSERT_TRUE(record.CIVersion(record.NextRevision(), "", "after 1.11")) << Messages();
  EXPECT_EQ(record.revisions.front(), "1.12");
  ExpectNoLocks();
}

TEST_F(RcsClassTest, CheckOutReproducesAnEarlierRevisionByteForByte) {
  static constexpr char kBytes[] = "binary\0\x01\xff@@ $Id$ $Revision$\r\nline\r\n.\nend";
  const std::string first(kBytes, sizeof kBytes - 1);
  CheckIn(first);
  CheckIn("second version\n");
  RCSClass record(project_, platform_);
  ASSERT_EQ(record.revisions.size(), 2u);
  ASSERT_TRUE(OpenVersion(record, "1.1")) << Messages();
  EXPECT_EQ(
      platform_.messages,
      std::vector<std::string>{"? Warning: this operation will overwrite river.orb.  Continue?"});
  EXPECT_EQ(ReadFile(project_), first);
  // The working file stays writable for the editor, and the lock of the check-out is gone.
  EXPECT_EQ(::access(project_.c_str(), W_OK), 0);
  ExpectNoLocks();
  ASSERT_TRUE(record.CheckOut("1.2"));
  EXPECT_EQ(ReadFile(project_), "second version\n");
}

TEST_F(RcsClassTest, DecliningTheOverwriteLeavesTheFile) {
  CheckIn("one");
  CheckIn("two");
  RCSClass record(project_, platform_);
  platform_.answers.push_back(false);
  EXPECT_FALSE(OpenVersion(record, "1.1"));
  EXPECT_EQ(ReadFile(project_), "two");
}

TEST_F(RcsClassTest, CheckOutTakesOnlyListedRevisions) {
  CheckIn("one");
  CheckIn("two");
  RCSClass record(project_, platform_);
  for (const char* revision : {"1.3", "1.1:1.2", "", "-q", "1"}) {
    platform_.messages.clear();
    EXPECT_FALSE(record.CheckOut(revision));
    EXPECT_EQ(Messages(),
              std::string("RCSClass::CheckOut: river.orb has no version \"") + revision + "\".\n");
  }
  EXPECT_EQ(ReadFile(project_), "two");
}

TEST_F(RcsClassTest, TwoWordNameIsStoredWithAnUnderscore) {
  CheckIn("one", "  first release ");
  RCSClass record(project_, platform_);
  EXPECT_EQ(record.revision_names, std::vector<std::string>{"first_release"});
  EXPECT_EQ(record.symbolic_name_lines, std::vector<std::string>{"\tfirst_release: 1.1"});
}

TEST_F(RcsClassTest, NameAlreadyUsedIsAFailure) {
  CheckIn("one", "base");
  WriteBytes(project_, "two");
  RCSClass record(project_, platform_);
  EXPECT_FALSE(record.CIVersion(record.NextRevision(), "base", "again"));
  EXPECT_TRUE(
      Messages().starts_with("RCSClass::CIVersion: ci: RCS/river.orb,v: symbolic name "
                             "base already bound to 1.1"))
      << Messages();
  EXPECT_EQ(record.revisions, std::vector<std::string>{"1.1"});
  ExpectNoLocks();
  // Nothing stands in the way of the next check-in.
  platform_.messages.clear();
  ASSERT_TRUE(record.CIVersion(record.NextRevision(), "other", "again")) << Messages();
  EXPECT_EQ(record.revisions.front(), "1.2");
}

TEST_F(RcsClassTest, NamesRcsWouldRefuseAreRefusedBeforeAnythingRuns) {
  WriteBytes(project_, "one");
  for (const char* name :
       {"a$b", "a,b", "v1.2", "a:b", "a;b", "a@b", "1st", "2", "caf\xc3\xa9", "tab\there", "_x"}) {
    platform_.messages.clear();
    RCSClass record(project_, platform_);
    EXPECT_FALSE(record.CIVersion("", name, "text")) << name;
    ASSERT_EQ(platform_.messages.size(), 1u) << name;
    EXPECT_TRUE(Has(platform_.messages[0], "A version name begins with a letter (A-Z, a-z)"))
        << platform_.messages[0];
  }
  EXPECT_FALSE(fs::exists(dir_.path() / "RCS"));

  CheckIn("one", "Release-1/final_(ok)");
  WriteBytes(project_, "two");
  RCSClass record(project_, platform_);
  EXPECT_FALSE(record.CIVersion(record.NextRevision(), "bad.name", "text"));
  EXPECT_EQ(record.revisions, std::vector<std::string>{"1.1"});
  EXPECT_EQ(record.revision_names, std::vector<std::string>{"Release-1/final_(ok)"});
  ExpectNoLocks();
}

TEST_F(RcsClassTest, TextsAreStoredAsTyped) {
  const std::string description = "Survey\n.\nthe line above is a dot\r\nend";
  WriteBytes(project_, "one");
  RCSClass record(project_, platform_);
  ASSERT_TRUE(record.CIVersion("", "", description)) << Messages();
  EXPECT_EQ(record.description, "Survey\n.\nthe line above is a dot\nend");
  WriteBytes(project_, "two");
  ASSERT_TRUE(record.CIVersion(record.NextRevision(), "", "one\r\n.\r\ntwo\n\n-t-x @@ \"q\" 's'"))
      << Messages();
  EXPECT_EQ(record.log_messages.front(), "one\n.\ntwo\n\n-t-x @@ \"q\" 's'");
  EXPECT_EQ(record.description, "Survey\n.\nthe line above is a dot\nend");
}

TEST_F(RcsClassTest, DeletingRevisions) {
  CheckIn("one");
  {
    RCSClass record(project_, platform_);
    EXPECT_FALSE(record.DeleteRevision("1.1"));
    EXPECT_EQ(Messages(), "Sorry, can't delete the last version\n");
  }
  CheckIn("two", "base");
  CheckIn("three");
  RCSClass record(project_, platform_);
  platform_.messages.clear();
  EXPECT_FALSE(record.DeleteRevision("1.1:1.2"));  // a range would remove several
  EXPECT_EQ(Messages(), "RCSClass::DeleteRevision: river.orb has no version \"1.1:1.2\".\n");
  EXPECT_EQ(record.revisions.size(), 3u);
  ASSERT_TRUE(record.DeleteRevision("1.2")) << Messages();
  EXPECT_EQ(record.revisions, (std::vector<std::string>{"1.3", "1.1"}));
  // The name of the removed revision names nothing listed.
  EXPECT_EQ(record.revision_names, (std::vector<std::string>{"", ""}));
  ASSERT_TRUE(record.CheckOut("1.1"));
  EXPECT_EQ(ReadFile(project_), "one");
}

TEST_F(RcsClassTest, DeletingALockedRevisionReportsRcs) {
  CheckIn("one");
  CheckIn("two");
  PipeProcess lock;
  ASSERT_TRUE(lock.Start({"rcs", "-q", "-l1.1", "river.orb"}, dir_.path().string()));
  ASSERT_TRUE(lock.Close().Succeeded());
  RCSClass record(project_, platform_);
  EXPECT_FALSE(record.DeleteRevision("1.1"));
  EXPECT_EQ(Messages(),
            "RCSClass::DeleteRevision: rcs: RCS/river.orb,v: can't remove locked revision 1.1\n");
  EXPECT_EQ(record.revisions.size(), 2u);
}

TEST_F(RcsClassTest, NamesWithBlanksQuotesAndLeadingDashes) {
  const fs::path folder = dir_.path() / "my dir's \"copy\"";
  fs::create_directories(folder);
  for (const char* name : {"it's a \"test\" $HOME;.orb", "-rf.orb"}) {
    SCOPED_TRACE(name);
    const std::string file = (folder / name).string();
    CheckIn("one", "", "first", file);
    CheckIn("two", "second", "more", file);
    RCSClass record(file, platform_);
    EXPECT_EQ(record.file_name, name);
    EXPECT_EQ(record.directory, folder.string());
    ASSERT_EQ(record.revisions.size(), 2u) << Messages();
    EXPECT_EQ(record.ListLine(0), "1.2 second");
    ASSERT_TRUE(record.CheckOut("1.1")) << Messages();
    EXPECT_EQ(ReadFile(file), "one");
    EXPECT_TRUE(fs::exists(folder / "RCS" / (std::string(name) + ",v")));
    ExpectNoLocks(file);
  }
  EXPECT_EQ(Messages(), "");
}

TEST_F(RcsClassTest, MissingWorkingFileIsRefusedBeforeAnythingRuns) {
  RCSClass record(project_, platform_);
  EXPECT_FALSE(record.CIVersion("", "", "text"));
  EXPECT_EQ(Messages(), "RCSClass::CIVersion: Cannot find the file " + project_ + ".\n");
  EXPECT_FALSE(fs::exists(dir_.path() / "RCS"));
}

TEST_F(RcsClassTest, ArchiveLeftWithoutRevisionsTakesTheFirstCheckIn) {
  WriteBytes(project_, "one");
  fs::create_directory(dir_.path() / "RCS");
  PipeProcess init;
  ASSERT_TRUE(
      init.Start({"rcs", "-q", "-i", "-kb", "-t-stale", "river.orb"}, dir_.path().string()));
  ASSERT_TRUE(init.Close().Succeeded());
  RCSClass record(project_, platform_);
  EXPECT_TRUE(record.archive_exists);
  EXPECT_TRUE(record.revisions.empty());
  ASSERT_TRUE(record.CIVersion(record.NextRevision(), "start", "fresh description")) << Messages();
  EXPECT_EQ(record.revisions, std::vector<std::string>{"1.1"});
  EXPECT_EQ(record.description, "fresh description");
  EXPECT_FALSE(record.CIVersion("", "", "again"));
  EXPECT_EQ(Messages(), "RCSClass::CIVersion: river.orb already has versions; the next is 1.2.\n");
}

TEST_F(RcsClassTest, DamagedArchiveShowsRlogsMessage) {
  WriteBytes(project_, "one");
  fs::create_directory(dir_.path() / "RCS");
  WriteBytes(dir_ / "RCS/river.orb,v", "head 1.1;\nthis is no archive");
  RCSClass record(project_, platform_);
  EXPECT_TRUE(record.revisions.empty());
  ASSERT_EQ(platform_.messages.size(), 1u);
  EXPECT_TRUE(platform_.messages[0].starts_with("RCSClass::ReadLog: rlog: RCS/river.orb,v:"))
      << platform_.messages[0];
  EXPECT_FALSE(record.CIVersion("", "", "text"));  // the damaged archive is not replaced
}

// The programs' messages are read in the C locale whatever the user's is: a stand-in rlog
// that speaks German unless LC_ALL is C.
TEST_F(RcsClassTest, ProgramsRunInTheCLocale) {
  const fs::path bin = dir_.path() / "bin";
  fs::create_directory(bin);
  WriteBytes((bin / "rlog").string(),
             "#!/bin/sh\n"
             "if [ \"$LC_ALL\" = C ] && [ -z \"$RCSINIT\" ]; then\n"
             "  echo \"rlog: RCS/$1,v: No such file or directory\"\n"
             "else\n"
             "  echo \"rlog: RCS/$1,v: Datei oder Verzeichnis nicht gefunden\"\n"
             "fi\nexit 1\n");
  fs::permissions(bin / "rlog", fs::perms::owner_all);
  const std::string path = std::getenv("PATH");
  ::setenv("PATH", (bin.string() + ":" + path).c_str(), 1);
  ::setenv("LC_ALL", "de_DE.UTF-8", 1);
  ::setenv("RCSINIT", "-zLT", 1);
  RCSClass record(project_, platform_);
  ::setenv("PATH", path.c_str(), 1);
  ::unsetenv("LC_ALL");
  ::unsetenv("RCSINIT");
  EXPECT_EQ(Messages(), "");
  EXPECT_FALSE(record.archive_exists);
}

}  // namespace
}  // namespace orvo
