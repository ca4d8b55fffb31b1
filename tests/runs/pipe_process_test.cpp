#include "runs/pipe_process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "model/number_text.h"

namespace orvo {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Shell(const std::string& script) {
  return {"/bin/sh", "-c", script};
}

TEST(PipeProcessTest, ReadsLinesAndTheLastPartialLine) {
  PipeProcess child;
  ASSERT_TRUE(child.Start(Shell("printf 'one\\ntwo\\n\\nlast'")));
  std::string line;
  EXPECT_TRUE(child.ReadLine(line));
  EXPECT_EQ(line, "one\n");
  EXPECT_TRUE(child.ReadLine(line));
  EXPECT_EQ(line, "two\n");
  EXPECT_TRUE(child.ReadLine(line));
  EXPECT_EQ(line, "\n");
  EXPECT_FALSE(child.ReadLine(line));
  EXPECT_EQ(line, "last");
  EXPECT_FALSE(child.ReadLine(line));
  EXPECT_EQ(line, "");
  EXPECT_TRUE(child.Close().Succeeded());
}

TEST(PipeProcessTest, ChildPrintingNothing) {
  PipeProcess child;
  ASSERT_TRUE(child.Start({"/bin/true"}));
  std::string line = "stale";
  EXPECT_FALSE(child.ReadLine(line));
  EXPECT_EQ(line, "");
  const ProcessEnd end = child.Close();
  EXPECT_TRUE(end.started);
  EXPECT_EQ(end.exit_code, 0);
}

TEST(PipeProcessTest, StandardErrorSharesTheOutput) {
  PipeProcess child;
  ASSERT_TRUE(child.Start(Shell("echo out; echo err >&2")));
  std::string first, second;
  EXPECT_TRUE(child.ReadLine(first));
  EXPECT_TRUE(child.ReadLine(second));
  EXPECT_EQ(first + second, "out\nerr\n");
  child.Close();
}

TEST(PipeProcessTest, WritesAndClosesAChildWaitingForEndOfInput) {
  PipeProcess echo;
  ASSERT_TRUE(echo.Start({"/bin/cat"}));
  EXPECT_TRUE(echo.Write("abc\n"));
  std::string line;
  EXPECT_TRUE(echo.ReadLine(line));
  EXPECT_EQ(line, "abc\n");
  EXPECT_TRUE(echo.Close().Succeeded());  // cat ends only once its input ends

  PipeProcess counter;
  ASSERT_TRUE(counter.Start(Shell("wc -c")));
  EXPECT_TRUE(counter.Write(std::string(5, 'x')));
  counter.CloseInput();
  EXPECT_TRUE(counter.ReadLine(line));
  EXPECT_EQ(AtoI(line), 5);
  counter.Close();
}

TEST(PipeProcessTest, LargeOutputNeverBlocks) {
  // 20000 lines of 11 bytes: far more than a pipe holds.
  const std::string script = "yes 0123456789 | head -n 20000";
  PipeProcess unread;
  ASSERT_TRUE(unread.Start(Shell(script)));
  const ProcessEnd end = unread.Close();
  EXPECT_TRUE(end.Succeeded());
  EXPECT_EQ(end.output_tail.size(), 2048u);  // only the end of it is kept
  EXPECT_EQ(end.output_tail.substr(2048 - 22), "0123456789\n0123456789\n");

  PipeProcess read;
  ASSERT_TRUE(read.Start(Shell(script)));
  std::string line;
  int lines = 0;
  while (read.ReadLine(line)) lines += line == "0123456789\n" ? 1 : 1000000;
  EXPECT_EQ(lines, 20000);
  EXPECT_EQ(line, "");
  read.Close();

  // A child that talks before it listens, while we write more than a pipe holds.
  PipeProcess chatty;
  ASSERT_TRUE(chatty.Start(Shell("yes 0123456789 | head -n 20000; wc -c")));
  EXPECT_TRUE(chatty.Write(std::string(200000, 'a')));
  chatty.CloseInput();
  for (lines = 0; chatty.ReadLine(line) && line == "0123456789\n";) ++lines;
  EXPECT_EQ(lines, 20000);
  EXPECT_EQ(AtoI(line), 200000);
  chatty.Close();
}

TEST(PipeProcessTest, OverlongLinesComeInPieces) {
  PipeProcess child;
  ASSERT_TRUE(child.Start(Shell("head -c 1500000 /dev/zero | tr '\\000' y")));
  std::string line;
  EXPECT_TRUE(child.ReadLine(line));
  EXPECT_EQ(line.size(), size_t{1} << 20);
  EXPECT_FALSE(child.ReadLine(line));
  EXPECT_EQ(line.size(), 1500000 - (size_t{1} << 20));
  child.Close();
}

TEST(PipeProcessTest, WritingToAnEndedChildFails) {
  PipeProcess child;
  ASSERT_TRUE(child.Start({"/bin/true"}));
  std::string line;
  EXPECT_FALSE(child.ReadLine(line));  // its output ended: it is gone or going
  EXPECT_FALSE(child.Write(std::string(200000, 'a')));
  EXPECT_FALSE(child.Write("more"));
  EXPECT_EQ(child.Close().exit_code, 0);
}

TEST(PipeProcessTest, ReportsHowTheChildEnded) {
  PipeProcess failing;
  ASSERT_TRUE(failing.Start(Shell("exit 3")));
  ProcessEnd end = failing.Close();
  EXPECT_EQ(end.exit_code, 3);
  EXPECT_FALSE(end.Succeeded());
  EXPECT_EQ(failing.Close().exit_code, 3);  // closing again repeats the result

  PipeProcess killed;
  ASSERT_TRUE(killed.Start(Shell("kill -TERM $$")));
  end = killed.Close();
  EXPECT_EQ(end.signal, 15);
  EXPECT_FALSE(end.Succeeded());

  PipeProcess slow;
  ASSERT_TRUE(slow.Start({"/bin/sleep", "30"}));
  const auto begin = std::chrono::steady_clock::now();
  end = slow.Close(0.2);
  EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(5));
  EXPECT_TRUE(end.timed_out);
  EXPECT_EQ(end.signal, 9);
}

TEST(PipeProcessTest, ProgramThatCannotStart) {
  PipeProcess child;
  EXPECT_FALSE(child.Start({"/nonexistent dir/program"}));
  EXPECT_EQ(child.error(), "cannot start /nonexistent dir/program: No such file or directory");
  std::string line;
  EXPECT_FALSE(child.ReadLine(line));
  EXPECT_FALSE(child.Write("x"));
  EXPECT_FALSE(child.Close().started);

  EXPECT_FALSE(child.Start({"/bin/pwd"}, "/nonexistent dir"));
  EXPECT_EQ(child.error(),
            "cannot enter the directory /nonexistent dir: No such file or directory");
  EXPECT_FALSE(child.Start({}));
  EXPECT_FALSE(child.Start({"no-such-program-here"}));
  EXPECT_EQ(child.error(), "cannot start no-such-program-here: No such file or directory");

  // An executable text file is not a program, and is not given to a shell either.
  const fs::path script = fs::path(::testing::TempDir()) / "pipe_no_program";
  std::ofstream(script) << "echo run by a shell\n";
  fs::permissions(script, fs::perms::owner_all);
  EXPECT_FALSE(child.Start({script.string()}));
  EXPECT_EQ(child.error(), "cannot start " + script.string() + ": Exec format error");
  fs::remove(script);

  // Bare names are found on PATH.
  ASSERT_TRUE(child.Start({"sh", "-c", "echo found"}));
  EXPECT_TRUE(child.ReadLine(line));
  EXPECT_EQ(line, "found\n");
  EXPECT_TRUE(child.Close().Succeeded());
}

TEST(PipeProcessTest, ArgumentsAndDirectoryReachTheChildVerbatim) {
  const fs::path directory = fs::path(::testing::TempDir()) / "pipe it's; a $dir";
  fs::create_directories(directory);
  const fs::path before = fs::current_path();
  PipeProcess quoted;
  ASSERT_TRUE(quoted.Start({"/bin/sh", "-c", "pwd; printf '%s|' \"$@\"; echo", "sh", "a b", "it's",
                            "x;rm -rf y", "$HOME"},
                           directory.string()));
  EXPECT_EQ(fs::current_path(), before);
  std::string line;
  EXPECT_TRUE(quoted.ReadLine(line));
  EXPECT_EQ(line, directory.string() + "\n");
  EXPECT_TRUE(quoted.ReadLine(line));
  EXPECT_EQ(line, "a b|it's|x;rm -rf y|$HOME|\n");
  EXPECT_TRUE(quoted.Close().Succeeded());
  fs::remove_all(directory);
}

TEST(PipeProcessTest, EnvironmentVariablesReachOnlyTheChild) {
  ASSERT_EQ(::setenv("ORVO_PIPE_KEPT", "kept", 1), 0);
  ASSERT_EQ(::setenv("LC_ALL", "de_DE.UTF-8", 1), 0);
  PipeProcess child;
  child.SetEnvironment("LC_ALL", "fr_FR");
  child.SetEnvironment("LC_ALL", "C");  // the last value counts
  child.SetEnvironment("ORVO_PIPE_EMPTY", "");
  ASSERT_TRUE(child.Start(Shell("env | grep -E '^(LC_ALL|ORVO_PIPE_[A-Z]+)=' | sort")));
  std::string all, line;
  while (child.ReadLine(line)) all += line;
  EXPECT_EQ(all, "LC_ALL=C\nORVO_PIPE_EMPTY=\nORVO_PIPE_KEPT=kept\n");
  EXPECT_TRUE(child.Close().Succeeded());
  EXPECT_STREQ(std::getenv("LC_ALL"), "de_DE.UTF-8");
  EXPECT_EQ(std::getenv("ORVO_PIPE_EMPTY"), nullptr);
  ::unsetenv("LC_ALL");
  ::unsetenv("ORVO_PIPE_KEPT");
}

}  // namespace
}  // namespace orvo
