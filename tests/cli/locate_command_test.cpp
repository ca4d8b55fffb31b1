#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli_command.h"
#include "model/number_text.h"
#include "support/cli_run.h"

namespace orvo::cli {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;

TEST(LocateCommandTest, StoresTheProgramsDirectoryInTheDesktopStore) {
  const fs::path directory = fs::path(::testing::TempDir()) / "locate it's; here";
  fs::create_directories(directory);
  std::ofstream(directory / "verda5") << "#!/bin/sh\n";
  const std::string expected = directory.string() + "/";
  const fs::path store =
      fs::path(std::getenv("XDG_CONFIG_HOME")) / "OrvoBuilder" / "orvobuilder.conf";

  // A path over 17 characters is refused with --no.
  testing::CliResult result = testing::RunCli({"--no", "locate", (directory / "verda5").string()});
  EXPECT_EQ(result.status, kFailed);
  EXPECT_EQ(result.err,
            "? Warning: ORVO path is greater than 17 characters long.  This may cause fenu5 and "
            "verda5 to run incorrectly.  Continue anyway?\n");
  EXPECT_EQ(ReadFile(store).find(expected), std::string::npos);

  result = testing::RunCli({"locate", (directory / "verda5").string()});
  EXPECT_EQ(result.status, kSuccess);
  EXPECT_EQ(result.out, expected + "\n");
  // The desktop program reads the same store: section ORVO, key "ORVO Path".
  const std::string stored = ReadFile(store);
  EXPECT_NE(stored.find("[ORVO]\nORVO%20Path="), std::string::npos) << stored;
  EXPECT_NE(stored.find(expected), std::string::npos) << stored;

  result = testing::RunCli({"locate", (directory / "fenu5").string()});
  EXPECT_EQ(result.status, kFailed);
  EXPECT_EQ(result.err, "orvo locate: " + (directory / "fenu5").string() + " is not a file.\n");
  fs::remove_all(directory);
}

}  // namespace
}  // namespace orvo::cli
