#include "validate/value_ranges.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/number_text.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "support/card_cases.h"
#include "support/scratch_dir.h"

namespace orvo {
namespace {

const std::string kBelow =
    "? The entered value is less than the parameter's minimum.  Are you sure you want to keep "
    "this value?";
const std::string kAbove =
    "? The entered value is greater than the parameter's maximum.  Are you sure you want to "
    "keep this value?";

class ValueRangesTest : public ::testing::Test {
 protected:
  void WriteFile(const std::string& text) const { scratch.Write("RangeDefaults.txt", text); }
  std::string ReadFile() const { return testing::ReadFile(path); }
  bool Read() { return ReadTableData(table, path, platform); }

  testing::ScratchDir scratch{"value_ranges"};
  const std::filesystem::path& dir = scratch.path();
  const std::string path = scratch / "RangeDefaults.txt";
  ScriptedPlatform platform;
  ValueRangeTable table;
};

TEST_F(ValueRangesTest, EmptyPathReadsAndSavesNothing) {
  table = {"old", "C", "1", "2", "DISSF", "0", "1"};
  EXPECT_TRUE(ReadTableData(table, "", platform));
  EXPECT_EQ(table.path, "");
  EXPECT_EQ(table.c_min, "1");
  EXPECT_TRUE(SaveTableData(table, platform));
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ValueRangesTest, MissingFileKeepsTheTable) {
  table.c_min = "1";
  const std::string missing = (dir / "none.txt").string();
  EXPECT_FALSE(ReadTableData(table, missing, platform));
  EXPECT_EQ(platform.messages,
            std::vector<std::string>{"Could not read range data from " + missing});
  EXPECT_EQ(table.path, missing);
  EXPECT_EQ(table.c_min, "1");
}

TEST_F(ValueRangesTest, EmptyBoundIsSavedButRejectedOnReading) {
  table = {path, "C", "0", "", "DISSF", "0", "1"};
  ASSERT_TRUE(SaveTableData(table, platform));
  EXPECT_EQ(ReadFile(), "Group J\nC 0 \nDISSF 0 1\n");
  ValueRangeTable read;
  EXPECT_FALSE(ReadTableData(read, path, platform));
  EXPECT_EQ(platform.messages,
            std::vector<std::string>{"Parse error in " + path + " at line C 0 "});
}

TEST_F(ValueRangesTest, UnwritablePathIsReported) {
  table.path = (dir / "no" / "such" / "dir.txt").string();
  EXPECT_FALSE(SaveTableData(table, platform));
  EXPECT_EQ(platform.messages,
            std::vector<std::string>{"SaveTableData: Unable to open file " + table.path});
}

TEST_F(ValueRangesTest, OverlongLinesAreCutNotSplit) {
  // The rest of an overlong line is not read as the next line.
  WriteFile("Group J\nC 1 2" + std::string(10000, ' ') + "\nDISSF 0 1\n");
  ASSERT_TRUE(Read());
  EXPECT_EQ(table.c_max, "2");
  EXPECT_EQ(table.dissf_max, "1");
  // Only the first 511 characters count.
  WriteFile(std::string(10000, ' ') + "Group J\nC 1 2\nDISSF 0 1\n");
  EXPECT_FALSE(Read());
  EXPECT_EQ(platform.messages,
            (std::vector<std::string>{"Parse error in " + path + "; expected \"Group J\""}));
}

// Range files read, and what saving the table read writes: cases of
// tests/data/validate/value_ranges.txt (as support/card_cases.h reads them; the deck part is the
// file). Every field starts as "-", so that what a failed read leaves shows.
TEST_F(ValueRangesTest, RangeFileCases) {
  testing::CheckCases(
      testing::DataPath("validate/value_ranges.txt"), [&](const testing::CardCase& c) {
        WriteFile(c.Input());
        table = {"-", "-", "-", "-", "-", "-", "-"};
        std::string result = Read() ? "reads\n" : "fails\n";
        for (const std::string& message : platform.messages)
          result += message.substr(0, message.find(path)) + "<file>" +
                    message.substr(message.find(path) + path.size()) + "\n";
        platform.messages.clear();
        result += "C\t" + table.c_name + "\t" + table.c_min + "\t" + table.c_max + "\nDISSF\t" +
                  table.dissf_name + "\t" + table.dissf_min + "\t" + table.dissf_max + "\n";
        if (result.starts_with("reads")) {
          table.path = (dir / "saved.txt").string();
          EXPECT_TRUE(SaveTableData(table, platform));
          result += "--- saved\n" + testing::ReadFile(table.path);
        }
        return result;
      });
}

TEST_F(ValueRangesTest, QuestionsOnlyOutsideSetBounds) {
  EXPECT_TRUE(CheckValue("", "", -1e300, platform));
  EXPECT_TRUE(CheckValue("0", "1", 0, platform));
  EXPECT_TRUE(CheckValue("0", "1", 1, platform));
  EXPECT_TRUE(CheckValue("0", "", 1e300, platform));
  EXPECT_TRUE(platform.messages.empty());

  platform.answers = {false, true, false, true};
  EXPECT_FALSE(CheckValue("0", "1", -0.5, platform));
  EXPECT_TRUE(CheckValue("0", "1", -0.5, platform));
  EXPECT_FALSE(CheckValue("0", "1", 1.5, platform));
  EXPECT_TRUE(CheckValue("", "1", 1.5, platform));
  EXPECT_EQ(platform.messages, (std::vector<std::string>{kBelow, kBelow, kAbove, kAbove}));
}

TEST_F(ValueRangesTest, ConcentrationAndFractionUseTheirOwnBounds) {
  table = {path, "C", "10", "20", "DISSF", "0", "1"};
  platform.default_answer = false;
  EXPECT_FALSE(CheckC(table, 5, platform));
  EXPECT_TRUE(CheckDissf(table, 0.5, platform));
  EXPECT_FALSE(CheckDissf(table, 5, platform));
  EXPECT_TRUE(CheckC(table, 15, platform));
  EXPECT_EQ(platform.messages, (std::vector<std::string>{kBelow, kAbove}));
}

// The ranges file shipped beside the programs reads cleanly, and every initial condition of
// the bundled examples lies within it, so no example edit is questioned.
TEST_F(ValueRangesTest, ShippedDefaultsCoverTheExamples) {
  const std::string shipped = std::string(ORVO_SOURCE_DIR) + "/data/RangeDefaults.txt";
  ASSERT_TRUE(ReadTableData(table, shipped, platform));
  EXPECT_EQ(table.c_min, "0");
  EXPECT_EQ(table.dissf_min, "0");
  EXPECT_EQ(table.dissf_max, "1");
  platform.default_answer = false;
  int values = 0;
  for (const char* example : {"fenu5_river/river.orb", "verda5_lake/lake.orb"}) {
    COrvoBuilderDoc doc(platform);
    ASSERT_TRUE(doc.Load(std::string(ORVO_SOURCE_DIR) + "/examples/" + example));
    for (int system = 0; system < GroupJDlg::kSystems; ++system) {
      for (int position = 0; position < doc.group_j.RowCount(system); ++position) {
        const StringArray row = doc.group_j.Row(system, position);
        EXPECT_TRUE(CheckC(table, AtoF(row.At(1)), platform)) << example << " " << row.At(1);
        EXPECT_TRUE(CheckDissf(table, AtoF(row.At(2)), platform)) << example << " " << row.At(2);
        ++values;
      }
    }
  }
  EXPECT_GT(values, 100);
  EXPECT_TRUE(platform.messages.empty()) << ::testing::PrintToString(platform.messages);
}

TEST_F(ValueRangesTest, RelativeFileMissingHereIsTakenFromBesideTheProgram) {
  WriteFile("Group J\nC 0 1\nDISSF 0 1\n");
  const std::string program_directory = dir.string() + "/";
  // Readable as named, or absolute: as it stands.
  EXPECT_EQ(RangeFileToRead(path, program_directory), path);
  EXPECT_EQ(RangeFileToRead("/nowhere/RangeDefaults.txt", program_directory),
            "/nowhere/RangeDefaults.txt");
  EXPECT_EQ(RangeFileToRead("", program_directory), "");
  // Relative and missing here: the program's file of that name, else as it stands.
  EXPECT_EQ(RangeFileToRead("no_such_dir/RangeDefaults.txt", program_directory), path);
  EXPECT_EQ(RangeFileToRead("Other.txt", program_directory), "Other.txt");
}

}  // namespace
}  // namespace orvo
