// The revision store's programs run in the C locale whatever the user's is. Everything else it
// does is scripts under tests/data/vcs (rcs_script_test.cpp).
#include "vcs/rcs_class.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "model/scripted_platform.h"
#include "support/scratch_dir.h"

namespace orvo {
namespace {

namespace fs = std::filesystem;

// The programs' messages are read in the C locale whatever the user's is: a stand-in rlog
// that speaks German unless LC_ALL is C.
TEST(RcsClassTest, ProgramsRunInTheCLocale) {
  testing::ScratchDir dir{"orvo_rcs"};
  ScriptedPlatform platform;
  const fs::path bin = dir.path() / "bin";
  fs::create_directory(bin);
  std::ofstream(bin / "rlog")
      << "#!/bin/sh\n"
         "if [ \"$LC_ALL\" = C ] && [ -z \"$RCSINIT\" ]; then\n"
         "  echo \"rlog: RCS/$1,v: No such file or directory\"\n"
         "else\n"
         "  echo \"rlog: RCS/$1,v: Datei oder Verzeichnis nicht gefunden\"\n"
         "fi\nexit 1\n";
  fs::permissions(bin / "rlog", fs::perms::owner_all);
  const std::string path = std::getenv("PATH");
  ::setenv("PATH", (bin.string() + ":" + path).c_str(), 1);
  ::setenv("LC_ALL", "de_DE.UTF-8", 1);
  ::setenv("RCSINIT", "-zLT", 1);
  RCSClass record(dir / "river.orb", platform);
  ::setenv("PATH", path.c_str(), 1);
  ::unsetenv("LC_ALL");
  ::unsetenv("RCSINIT");
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_FALSE(record.archive_exists);
}

}  // namespace
}  // namespace orvo
