// Whole files read in one piece: every byte as it is on disk, special files that report no
// size, and the paths that cannot be read.
#include "model/file_bytes.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <thread>

#include "support/scratch_dir.h"

namespace orvo {
namespace {

TEST(FileBytesTest, ReadsEveryByteOfAFile) {
  testing::ScratchDir scratch("orvo_file_bytes");
  // Larger than one piece of a special file's reading, with line ends of both kinds and NULs.
  std::string contents;
  for (int i = 0; contents.size() < 200 * 1024; ++i) {
    contents += "line " + std::to_string(i) + (i % 3 == 0 ? "\r\n" : "\n");
    if (i % 1000 == 0) contents += std::string(3, '\0');
  }
  const auto cases = {std::string(), std::string("x"), std::string("no line end"), contents};
  for (const std::string& bytes : cases) {
    const auto path = scratch.path() / "file";
    testing::WriteFile(path, bytes);
    std::string read = "left over";
    ASSERT_TRUE(ReadFileBytes(path.string(), read)) << bytes.size();
    EXPECT_EQ(read, bytes) << bytes.size();
  }
}

TEST(FileBytesTest, SpecialFilesWithoutASizeAreReadToTheirEnd) {
  // Reported as 0 bytes long, yet it has contents.
  std::string status;
  ASSERT_TRUE(ReadFileBytes("/proc/self/status", status));
  EXPECT_NE(status.find("Name:"), std::string::npos);

  testing::ScratchDir scratch("orvo_file_bytes");
  const auto fifo = scratch.path() / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string read;
  std::thread writer([&] { testing::WriteFile(fifo, std::string(100000, 'f')); });
  EXPECT_TRUE(ReadFileBytes(fifo.string(), read));
  writer.join();
  EXPECT_EQ(read, std::string(100000, 'f'));
}

TEST(FileBytesTest, WhatCannotBeReadFailsAndLeavesNothing) {
  testing::ScratchDir scratch("orvo_file_bytes");
  for (const std::string& path : {(scratch.path() / "missing").string(), scratch.path().string(),
                                  std::string(), std::string(5000, 'a')}) {
    std::string read = "left over";
    EXPECT_FALSE(ReadFileBytes(path, read)) << path.size();
    EXPECT_EQ(read, "");
  }
  // A terabyte (sparse, so it takes no room) is refused without being read.
  const auto huge = scratch.path() / "huge";
  testing::WriteFile(huge, "");
  std::filesystem::resize_file(huge, std::uintmax_t{1} << 40);
  std::string read;
  EXPECT_FALSE(ReadFileBytes(huge.string(), read));
  EXPECT_EQ(read, "");
}

}  // namespace
}  // namespace orvo
