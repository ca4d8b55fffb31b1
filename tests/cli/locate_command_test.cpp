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
#include "support/scratch_dir.h"

namespace orvo::cli {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;

// The per-user settings of this test program live in a directory of its own, set before the
// store is first opened and removed at exit.
const bool kPrivateSettings = [] {
  const std::string home = ::testing::TempDir() + "orvo_cli_settings_" + IntText(getpid());
  std::atexit([] {
    std::error_code error;
    if (const char* directory = std::getenv("XDG_CONFIG_HOME")) fs::remove_all(directory, error);
  });
  return setenv("XDG_CONFIG_HOME", home.c_str(), 1) == 0;
}();

int RunCli(std::vector<std::string> args, std::string& out, std::string& err) {
  std::ostringstream out_stream, err_stream;
  const int status = RunOrvo(std::move(args), out_stream, err_stream);
  out = out_stream.str();
  err = err_stream.str();
  return status;
}

TEST(LocateCommandTest, StoresTheProgramsDirectoryInTheDesktopStore) {
  ASSERT_TRUE(kPrivateSettings);
  const fs::path directory = fs::path(::testing::TempDir()) / "locate it's; here";
  fs::create_directories(directory);
  std::ofstream(directory / "verda5") << "#!/bin/sh\n";
  const std::string expected = directory.string() + "/";
  const fs::path store =
      fs::path(std::getenv("XDG_CONFIG_HOME")) / "OrvoBuilder" / "orvobuilder.conf";

  std::string out, err;
  // A path over 17 characters is refused with --no.
  EXPECT_EQ(RunCli({"--no", "locate", (directory / "verda5").string()}, out, err), kFailed);
  EXPECT_EQ(err,
            "? Warning: ORVO path is greater than 17 characters long.  This may cause fenu5 and "
            "verda5 to run incorrectly.  Continue anyway?\n");
  EXPECT_EQ(ReadFile(store).find(expected), std::string::npos);

  EXPECT_EQ(RunCli({"locate", (directory / "verda5").string()}, out, err), kSuccess);
  EXPECT_EQ(out, expected + "\n");
  // The desktop program reads the same store: section ORVO, key "ORVO Path".
  const std::string stored = ReadFile(store);
  EXPECT_NE(stored.find("[ORVO]\nORVO%20Path="), std::string::npos) << stored;
  EXPECT_NE(stored.find(expected), std::string::npos) << stored;

  EXPECT_EQ(RunCli({"locate", (directory / "fenu5").string()}, out, err), kFailed);
  EXPECT_EQ(err, "orvo locate: " + (directory / "fenu5").string() + " is not a file.\n");
  EXPECT_EQ(RunCli({"locate"}, out, err), kUsage);
  fs::remove_all(directory);
}

}  // namespace
}  // namespace orvo::cli
