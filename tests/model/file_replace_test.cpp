// Replacing a file from pieces made while earlier ones are written: the bytes, and what is
// left on disk when a write fails or the maker stops.
#include "model/file_replace.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "support/file_size_limit.h"
#include "support/scratch_dir.h"

namespace orvo {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::WriteFile;

class FileReplaceTest : public ::testing::Test {
 protected:
  size_t Entries() const {
    return static_cast<size_t>(
        std::distance(fs::directory_iterator(directory), fs::directory_iterator()));
  }

  testing::ScratchDir scratch{"orvo_file_replace"};
  const fs::path& directory = scratch.path();
  const std::string path = (directory / "basin.orb").string();
};

// Pieces of every size, and far more of them than may wait, arrive whole and in order.
TEST_F(FileReplaceTest, PiecesArriveInOrder) {
  std::string expected;
  const FileReplaceResult result = ReplaceFile(path, [&expected](const ByteSink& sink) {
    for (size_t i = 0; i < 40; ++i) {
      const std::string piece(i % 7 == 0 ? 0 : (i * 37'813) % (3 << 20),
                              static_cast<char>('a' + i % 26));
      expected += piece;
      if (!sink(piece)) return false;
    }
    return true;
  });
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(ReadFile(path), expected);
  EXPECT_EQ(Entries(), 1u) << "no temporary file is left behind";
}

TEST_F(FileReplaceTest, StoppingKeepsThePreviousFile) {
  WriteFile(path, "previous");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const FileReplaceResult stopped = ReplaceFile(path, [](const ByteSink& sink) {
    return sink(std::string(1 << 20, 'x')) && sink("more") && false;
  });
  EXPECT_FALSE(stopped.ok);
  EXPECT_TRUE(stopped.cancelled);
  EXPECT_EQ(ReadFile(path), "previous");
  EXPECT_EQ(Entries(), 1u);

  // A replaced file keeps its permissions.
  ASSERT_TRUE(ReplaceFileContents(path, "next").ok);
  EXPECT_EQ(ReadFile(path), "next");
  EXPECT_EQ(fs::status(path).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// A write that fails fails the replacing, whether the maker is still making pieces (it is
// told to stop within a few) or has already made its last.
TEST_F(FileReplaceTest, AFailedWriteKeepsThePreviousFile) {
  WriteFile(path, "previous");
  const std::string megabyte(1 << 20, 'x');
  struct Case {
    const char* name;
    size_t pieces;
  };
  for (const Case& c : {Case{"many pieces", 12}, Case{"the last piece", 2}}) {
    SCOPED_TRACE(c.name);
    size_t taken = 0;
    FileReplaceResult result;
    {
      const testing::FileSizeLimit limit((3 << 20) / 2);
      result = ReplaceFile(path, [&](const ByteSink& sink) {
        for (size_t i = 0; i < c.pieces; ++i) {
          if (!sink(megabyte)) return false;
          ++taken;
        }
        return true;
      });
    }
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.cancelled);
    EXPECT_TRUE(result.opened);
    EXPECT_EQ(result.reason, EFBIG);
    EXPECT_LT(taken, 6u) << "the second piece fails; at most two more wait behind it";
    EXPECT_EQ(ReadFile(path), "previous");
    EXPECT_EQ(Entries(), 1u);
  }
}

}  // namespace
}  // namespace orvo
