#include "results/orvo_report_doc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "model/scripted_platform.h"
#include "support/run_files.h"
#include "support/scratch_dir.h"

namespace orvo {
namespace {

using testing::ReadFile;
using testing::RunFiles;
using testing::ScratchDir;
using testing::WriteRun;

const std::string kSavedReport =
    std::string(ORVO_SOURCE_DIR) + "/tests/data/report/two_runs_two_segments.orr";

class ReportDocTest : public ::testing::Test {
 protected:
  std::string LastMessage() const {
    return platform_.messages.empty() ? "" : platform_.messages.back();
  }

  ScratchDir dir_{"orvo_report_doc"};
  ScriptedPlatform platform_;
  CORVOReportDoc doc_{platform_};
};

TEST_F(ReportDocTest, AddDatasetFillsNamesOnceAndRefusesMismatches) {
  int changes = 0;
  doc_.SetChangeHandler([&] { ++changes; });
  ASSERT_TRUE(doc_.AddDataset(WriteRun(dir_ / "base", RunFiles{})));
  EXPECT_EQ(doc_.variable_names, (std::vector<std::string>{"FLOW", "CHEMICAL", "SOLIDS"}));
  EXPECT_EQ(doc_.transport_variable_count, 1);
  EXPECT_TRUE(doc_.IsModified());
  EXPECT_EQ(changes, 1);
  OutputTable table = OutputTable::kTransport;
  int variable = -1;
  ASSERT_TRUE(doc_.VariableAt(2, table, variable));
  EXPECT_EQ(table, OutputTable::kModel);
  EXPECT_EQ(variable, 1);
  EXPECT_FALSE(doc_.VariableAt(3, table, variable));

  RunFiles more_segments;
  more_segments.segments = 4;
  EXPECT_FALSE(doc_.AddDataset(WriteRun(dir_ / "four", more_segments)));
  EXPECT_EQ(LastMessage(),
            "Error: Number of segments do not match with the first dataset.  All datasets must "
            "have the same number of segments.");
  RunFiles verda;
  verda.systems = 8;
  verda.model_names = {"DO"};
  EXPECT_FALSE(doc_.AddDataset(WriteRun(dir_ / "verda", verda)));
  EXPECT_EQ(LastMessage(),
            "Error: Type of simulation is not the same as the first dataset.  All datasets must "
            "have the same simulation type.");
  ASSERT_EQ(doc_.runs.size(), 1u);

  // Removing every run keeps the names.
  ASSERT_TRUE(doc_.RemoveRun(0));
  EXPECT_FALSE(doc_.RemoveRun(0));
  EXPECT_EQ(doc_.variable_names.size(), 3u);
}

TEST_F(ReportDocTest, ARunWhoseFilesFailIsAddedAfterTheReadersMessage) {
  ASSERT_TRUE(doc_.AddDataset(dir_ / "missing.out"));
  EXPECT_EQ(LastMessage(),
            "OrvoOutputData::ReadInputData: Unable to open input file " + (dir_ / "missing.out"));
  EXPECT_EQ(doc_.runs.size(), 1u);
  EXPECT_TRUE(doc_.variable_names.empty());
}

TEST_F(ReportDocTest, RunsChosenTogetherAreAddedInPathOrder) {
  const std::string b = WriteRun(dir_ / "b_run", RunFiles{});
  const std::string a = WriteRun(dir_ / "a_run", RunFiles{});
  EXPECT_EQ(doc_.AddDatasets({b, a}), 2u);
  ASSERT_EQ(doc_.runs.size(), 2u);
  EXPECT_EQ(doc_.runs[0].pathname, a);
  EXPECT_EQ(doc_.runs[1].pathname, b);
}

TEST_F(ReportDocTest, ColumnsAreSegmentsAscendingThenGroups) {
  EXPECT_TRUE(doc_.AddReportSegment(12));
  EXPECT_TRUE(doc_.AddReportSegment(3));
  EXPECT_FALSE(doc_.AddReportSegment(3));
  doc_.AddReportGroup({5, 2});
  doc_.AddReportGroup({7});
  ASSERT_TRUE(doc_.RenameColumn(2, "Bay"));
  ASSERT_TRUE(doc_.RenameColumn(0, "Outlet"));
  EXPECT_FALSE(doc_.RenameColumn(4, "nothing there"));
  const std::vector<ReportColumn> columns = doc_.Columns();
  ASSERT_EQ(columns.size(), 4u);
  EXPECT_EQ(columns[0].identifier, "Outlet");
  EXPECT_EQ(columns[1].identifier, "12");
  EXPECT_EQ(columns[2].identifier, "Bay");
  EXPECT_EQ(columns[2].segments, (std::vector<int>{5, 2}));
  EXPECT_EQ(columns[3].identifier, "7");
  EXPECT_TRUE(doc_.RemoveReportSegment(12));
  EXPECT_FALSE(doc_.RemoveReportSegment(12));
  EXPECT_TRUE(doc_.RemoveReportGroup(0));
  ASSERT_EQ(doc_.Columns().size(), 2u);
  EXPECT_EQ(doc_.Columns()[1].identifier, "7");
}

TEST_F(ReportDocTest, SavedBytesAreTheFileLayoutAndGroupsAreNotKept) {
  doc_.AddRun(OrvoOutputData("/data/river/base.out"));
  doc_.AddRun(OrvoOutputData("/data/river/high.out"));
  doc_.AddReportSegment(12);
  doc_.AddReportSegment(3);
  doc_.RenameColumn(0, "Outlet, lower reach");
  doc_.AddReportGroup({1, 2});
  const std::string path = dir_ / "saved.orr";
  ASSERT_TRUE(doc_.Save(path)) << LastMessage();
  EXPECT_FALSE(doc_.IsModified());
  EXPECT_EQ(ReadFile(path), ReadFile(kSavedReport));
}

TEST_F(ReportDocTest, SaveAndReopenKeepsRunsAndIdentifiersAndLosesGroups) {
  RunFiles high;
  high.title2 = "HIGH LOAD";
  ASSERT_TRUE(doc_.AddDataset(WriteRun(dir_ / "base", RunFiles{})));
  ASSERT_TRUE(doc_.AddDataset(WriteRun(dir_ / "high", high)));
  doc_.AddReportSegment(2);
  doc_.RenameColumn(0, "Mouth = 2");
  doc_.AddReportGroup({1, 3});
  const std::string path = dir_ / "report.orr";
  ASSERT_TRUE(doc_.Save(path));

  CORVOReportDoc reopened(platform_);
  const std::size_t before = platform_.messages.size();
  ASSERT_TRUE(reopened.Open(path)) << LastMessage();
  EXPECT_EQ(platform_.messages.size(), before);
  ASSERT_EQ(reopened.runs.size(), 2u);
  EXPECT_EQ(reopened.runs[1].pathname, dir_ / "high.out");
  EXPECT_EQ(reopened.runs[1].title2, "HIGH LOAD");
  EXPECT_EQ(reopened.runs[1].GetNumTimeSteps(OutputTable::kModel), 3);
  EXPECT_EQ(reopened.variable_names, doc_.variable_names);
  ASSERT_EQ(reopened.Columns().size(), 1u);
  EXPECT_EQ(reopened.Columns()[0].identifier, "Mouth = 2");
  EXPECT_TRUE(reopened.report_groups.empty());
  EXPECT_FALSE(reopened.IsModified());
}

TEST_F(ReportDocTest, ReadsLfAndCrLfAlike) {
  std::string lf = ReadFile(kSavedReport);
  for (std::size_t at; (at = lf.find('\r')) != std::string::npos;) lf.erase(at, 1);
  for (const std::string& text : {ReadFile(kSavedReport), lf}) {
    ReportFileContents contents;
    std::string error;
    ASSERT_TRUE(ParseReportFile(text, contents, error)) << error;
    ASSERT_EQ(contents.runs.size(), 2u);
    EXPECT_EQ(contents.runs[1].pathname, "/data/river/high.out");
    EXPECT_EQ(contents.runs[1].basename, "/data/river/high");
    ASSERT_EQ(contents.segments.size(), 2u);
    EXPECT_EQ(contents.segments[3].identifier, "Outlet, lower reach");
    EXPECT_EQ(contents.segments[12].segment, 12);
  }
}

TEST_F(ReportDocTest, AStructuralFaultLeavesTheDocumentUnopened) {
  const std::string good = ReadFile(kSavedReport);
  const struct {
    std::string text;
    std::string message;
  } cases[] = {
      {"", "Parse error: unable to find header 'number of files ='"},
      {"number of files =x\r\n", "Parse error: unable to find header 'number of files ='"},
      // A count far beyond the entries fails at the first missing one, allocating nothing.
      {"number of files =2147483648\r\npathname =a.out\r\nbasename =a\r\n\r\n",
       "Parse error: unable to find header 'pathname ='"},
      {"number of files =1\r\npathname =a.out\r\nbasenome =a\r\n",
       "Parse error: unable to find header 'basename ='"},
      {"number of files =0\r\nnumber of nodes =9999999999\r\n",
       "Parse error: unable to find header 'current node id ='"},
      {"number of files =0\r\nnumber of nodes =1\r\ncurrent node id =3\r\nid =3\r\n",
       "Parse error: unable to find header 'data ='"},
      {"number of files =0\r\nnumber of nodes =1\r\ncurrent node id =3\r\ndata =xd =3\r\n",
       "Parse error: unable to find header 'id ='"},
      {"number of files =0\r\nnumber of nodes =1\r\ncurrent node id =3\r\ndata =id =3\r\n",
       "Parse error: unable to find header 'name ='"},
      {good.substr(0, good.find("number of nodes")),
       "Parse error: unable to find header 'number of nodes ='"},
  };
  for (const auto& test : cases) {
    CORVOReportDoc doc(platform_);
    ASSERT_TRUE(doc.AddDataset(WriteRun(dir_ / "kept", RunFiles{})));
    doc.SetModifiedFlag(false);
    EXPECT_FALSE(doc.Open(dir_.Write("bad.orr", test.text)));
    EXPECT_EQ(LastMessage(), test.message) << test.text;
    EXPECT_EQ(doc.runs.size(), 1u);
    EXPECT_FALSE(doc.IsModified());
  }
  EXPECT_FALSE(doc_.Open(dir_ / "absent.orr"));
  EXPECT_EQ(LastMessage(), "Unable to open " + (dir_ / "absent.orr") + " for reading.");
}

TEST_F(ReportDocTest, ARunThatCannotBeReadIsKeptWithAMessage) {
  WriteRun(dir_ / "base", RunFiles{});
  const std::string path = dir_.Write(
      "runs.orr", "number of files =3\npathname =" + (dir_ / "base.out") +
                      "\nbasename =" + (dir_ / "base") + "\n\npathname =" + (dir_ / "gone.out") +
                      "\nbasename =" + (dir_ / "gone") + "\n\npathname =" + (dir_ / "cut.out") +
                      "\nbasename =" + (dir_ / "cut") + "\n\nnumber of nodes =0\n");
  dir_.Write("cut.inp", "T1\nT2\nx\n3 6\n");
  ASSERT_TRUE(doc_.Open(path));
  ASSERT_EQ(doc_.runs.size(), 3u);
  EXPECT_EQ(doc_.runs[1].basename, dir_ / "gone");
  EXPECT_EQ(doc_.runs[2].title1, "T1");
  const auto& messages = platform_.messages;
  EXPECT_NE(std::find(messages.begin(), messages.end(),
                      "Parse error: unable to open file " + (dir_ / "gone.out") + ".inp"),
            messages.end());
  EXPECT_EQ(messages.back(), "Parse error: unable to open output file " + (dir_ / "cut.out"));
}

TEST_F(ReportDocTest, AFailedSaveKeepsWhatWasThere) {
  doc_.AddReportSegment(1);
  const std::string into_missing_directory = dir_ / "no/such/dir/report.orr";
  EXPECT_FALSE(doc_.Save(into_missing_directory));
  EXPECT_EQ(LastMessage(), "Unable to open " + into_missing_directory + " for writing.");
  EXPECT_TRUE(doc_.IsModified());
  // A directory cannot be replaced by the report: it stays, and no partial file is left.
  std::filesystem::create_directory(dir_ / "taken.orr");
  EXPECT_FALSE(doc_.Save(dir_ / "taken.orr"));
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "taken.orr"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 1);
}

}  // namespace
}  // namespace orvo
