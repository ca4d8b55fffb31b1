#include "results/orvo_output_data.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "model/scripted_platform.h"
#include "support/scratch_dir.h"

namespace orvo {
namespace {

namespace fs = std::filesystem;

class OrvoOutputDataTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir_ / "v1.2");
    base_ = (dir_ / "v1.2" / "river").string();
  }

  void Write(const std::string& extension, const std::string& text) {
    std::ofstream(base_ + extension, std::ios::binary) << text;
  }
  // Deck header: title lines, a skipped line and NOSEG NOSYS.
  void WriteDeck(const std::string& numbers, const std::string& first = "RIVER TEST   ") {
    Write(".inp", first + "\nSECOND TITLE  \nskipped\n" + numbers + "\nrest of deck\n");
  }
  bool Read(OrvoOutputData& data) {
    return data.ReadInputData(platform_) && data.ReadOutputData(platform_);
  }
  std::string LastMessage() const {
    return platform_.messages.empty() ? "" : platform_.messages.back();
  }

  testing::ScratchDir scratch_{"orvo_results"};
  const fs::path& dir_ = scratch_.path();
  std::string base_;
  ScriptedPlatform platform_;
};

// Two segments, three variables, two time steps; header count 0.
const char kThreeVariables[] =
    "0\n"
    "    2 timesteps\n"
    "    2\n"
    "SOLIDS (mg/L)\n"
    "FLOW\n"
    "TOTAL CHEMICAL {mg/L)   \n"
    "     1      0.000\n"
    " 1.0 2.0 3.0 0 0 0\n"
    "     2      0.000\n"
    " 4.0 -5.5E+00 6.0 0 0 0\n"
    "     1      1.500\n"
    " 7.0 8.0 9.0 0 0 0\n"
    "     2      1.500\n"
    " 1.0E1 1.1e+01 12 99 99 99 99\n";

TEST_F(OrvoOutputDataTest, ReadsDeckHeaderAndBothFiles) {
  WriteDeck("    2    6    0    0    0    0    0  1.0  1.0");
  Write(".trn", kThreeVariables);
  Write(".fdf", kThreeVariables);
  OrvoOutputData data(base_);
  ASSERT_TRUE(Read(data)) << LastMessage();
  EXPECT_EQ(data.basename, base_);
  EXPECT_EQ(data.title1, "RIVER TEST");
  EXPECT_EQ(data.title2, "SECOND TITLE");
  EXPECT_EQ(data.number_of_segments, 2);
  EXPECT_EQ(data.simulation_type, 0);
  for (OutputTable table : {OutputTable::kTransport, OutputTable::kModel}) {
    ASSERT_EQ(data.GetNumVariables(table), 3);
    ASSERT_EQ(data.GetNumTimeSteps(table), 2);
    EXPECT_EQ(data.GetTime(table, 1), 1.5);
    EXPECT_EQ(data.GetName(table, 2), "TOTAL CHEMICAL {mg/L)");
    EXPECT_EQ(data.GetUnits(table, 2), "mg/L");
    EXPECT_EQ(data.GetUnits(table, 0), "(mg/L");  // only "{" and ")" go
    EXPECT_EQ(data.GetUnits(table, 1), "FLOW");
    EXPECT_EQ(data.GetName(table, 3), "<error>");
    EXPECT_EQ(data.GetUnits(table, -1), "<error>");
  }
  double value = 0;
  ASSERT_TRUE(data.GetValue(OutputTable::kModel, 1, 1, 0, value));
  EXPECT_EQ(value, -5.5);
  ASSERT_TRUE(data.GetValue(OutputTable::kModel, 2, 1, 1, value));
  EXPECT_EQ(value, 12);
  EXPECT_FALSE(data.GetValue(OutputTable::kModel, 0, 0, 2, value));  // time step == count
  EXPECT_FALSE(data.GetValue(OutputTable::kModel, 0, 2, 0, value));
  EXPECT_FALSE(data.GetValue(OutputTable::kModel, 3, 0, 0, value));
  ASSERT_TRUE(data.GetMaximum(OutputTable::kModel, 1, 0, value));
  EXPECT_EQ(value, 8);
  ASSERT_TRUE(data.GetMaximum(OutputTable::kModel, 0, -1, value));
  EXPECT_EQ(value, 10);
  ASSERT_TRUE(data.GetMaximum(OutputTable::kModel, 1, 1, value));
  EXPECT_EQ(value, 11);
  EXPECT_FALSE(data.GetMaximum(OutputTable::kModel, 3, -1, value));

  // Copies keep their own series.
  OrvoOutputData copy = data;
  data.model_variables[0].series[0][0] = 42;
  ASSERT_TRUE(copy.GetValue(OutputTable::kModel, 0, 0, 0, value));
  EXPECT_EQ(value, 1);
}

TEST_F(OrvoOutputDataTest, KobalsDeckReadsTheModelFileWithoutExtensionAndCrLf) {
  WriteDeck("    1    7", "KOBALS\r\nTITLE AFTER MARKER");
  Write(".trn", "1\r\nheader\r\nsteps\r\nsegs\r\nONE\r\n     1      2.000\r\n1 2 3 4 5 6\r\n");
  Write("", "0\nsteps\nsegs\nA\nB\nC\nD\nE\nF\nG\nH\n     1 3.0\n1 2 3 4 5 6\n7 8 0 0 0 0\n");
  OrvoOutputData data(base_);
  ASSERT_TRUE(Read(data)) << LastMessage();
  EXPECT_EQ(data.title1, "TITLE AFTER MARKER");
  EXPECT_EQ(data.title2, "SECOND TITLE");
  EXPECT_EQ(data.simulation_type, 2);
  EXPECT_EQ(data.GetTime(OutputTable::kTransport, 0), 2.0);
  ASSERT_EQ(data.GetNumVariables(OutputTable::kModel), 8);  // V = 8: two value lines per record
  double value = 0;
  ASSERT_TRUE(data.GetValue(OutputTable::kModel, 7, 0, 0, value));
  EXPECT_EQ(value, 8);
  WriteDeck("    1    8");
  OrvoOutputData verda(base_);
  ASSERT_TRUE(verda.ReadInputData(platform_));
  EXPECT_EQ(verda.simulation_type, 1);
}

TEST_F(OrvoOutputDataTest, DirectoryDotsStayInTheBasename) {
  EXPECT_EQ(OrvoOutputData("/data/v1.2/river").basename, "/data/v1.2/river");
  EXPECT_EQ(OrvoOutputData("/data/v1.2/river.inp").basename, "/data/v1.2/river");
  EXPECT_EQ(OrvoOutputData("river.x.inp").basename, "river.x");
  EXPECT_EQ(OrvoOutputData::ModelExtension(kVerda5), ".vdf");
}

TEST_F(OrvoOutputDataTest, CutShortLastTimeStepCountsAndFailsTheSecondPass) {
  WriteDeck("2 6");
  std::string text = kThreeVariables;
  text.resize(text.rfind("     2      1.500"));  // step 2 holds segment 1 only
  Write(".trn", text);
  OrvoOutputData data(base_);
  EXPECT_FALSE(Read(data));
  EXPECT_EQ(LastMessage(),
            "OrvoOutputData::ReadOutputData: Unexpected EOF while reading segment & timestep in "
            "file " +
                base_ + ".out");
  ASSERT_EQ(data.GetNumTimeSteps(OutputTable::kTransport), 2);
  double value = 0;
  ASSERT_TRUE(data.GetValue(OutputTable::kTransport, 2, 0, 1, value));
  EXPECT_EQ(value, 9);
  ASSERT_TRUE(data.GetValue(OutputTable::kTransport, 2, 1, 1, value));  // never read: stays 0
  EXPECT_EQ(value, 0);
}

// 41 time steps of three segments and seven variables (two value lines per record): every
// value lands in its series, and a failure in the last step keeps all values read before it.
TEST_F(OrvoOutputDataTest, LongRunsKeepEveryValueInPlace) {
  WriteDeck("3 6");
  std::string text = "0\nsteps\nsegs\nA\nB\nC\nD\nE\nF\nG\n";
  const auto value = [](int v, int s, int t) { return v * 10000 + s * 100 + t; };
  for (int t = 0; t < 41; ++t) {
    for (int s = 0; s < 3; ++s) {
      text += "     " + std::to_string(s + 1) + "      " + std::to_string(t) + ".0\n";
      for (int v = 0; v < 12; ++v) {
        text += ' ' + std::to_string(v < 7 ? value(v, s, t) : -1) + (v % 6 == 5 ? "\n" : "");
      }
    }
  }
  Write(".trn", text);
  Write(".fdf", text);
  const auto check = [&](const OrvoOutputData& data, int last_step, int last_segment) {
    for (int t = 0; t < 41; ++t) {
      for (int s = 0; s < 3; ++s) {
        for (int v = 0; v < 7; ++v) {
          double read = -1;
          ASSERT_TRUE(data.GetValue(OutputTable::kTransport, v, s, t, read));
          const bool kept = t < last_step || (t == last_step && s <= last_segment);
          EXPECT_EQ(read, kept ? value(v, s, t) : 0) << v << ' ' << s << ' ' << t;
        }
      }
    }
  };
  OrvoOutputData whole(base_);
  ASSERT_TRUE(Read(whole)) << LastMessage();
  EXPECT_EQ(whole.GetTime(OutputTable::kModel, 40), 40.0);
  check(whole, 40, 2);
  Write(".trn", text.substr(0, text.rfind("     2      40.0")));
  OrvoOutputData cut(base_);
  EXPECT_FALSE(Read(cut));
  check(cut, 40, 0);
}

// A platform that follows the progress of a read and stops it at the given report.
class ProgressPlatform : public ScriptedPlatform {
 public:
  bool Progress(int done, int total, const std::string& text) override {
    reports.push_back({done, total});
    last_text = text;
    return done >= total || static_cast<int>(reports.size()) != stop_at;
  }
  std::vector<std::pair<int, int>> reports;
  std::string last_text;
  int stop_at = -1;
};

// 40,000 records: long enough to report progress, which goes up in both passes and ends at
// 1000 of 1000; stopped in the second pass, the read ends without a message and every series
// still has a value per time step.
TEST_F(OrvoOutputDataTest, LongReadsReportProgressAndCanBeStopped) {
  WriteDeck("1000 6");
  std::string text = "0\nsteps\nsegs\nA\n";
  for (int t = 0; t < 40; ++t) {
    for (int s = 1; s <= 1000; ++s) {
      text += std::string(6 - std::to_string(s).size(), ' ') + std::to_string(s) + "      " +
              std::to_string(t) + ".0\n 1 0 0 0 0 0\n";
    }
  }
  Write(".trn", text);
  Write(".fdf", text);
  ProgressPlatform progress;
  OrvoOutputData whole(base_);
  ASSERT_TRUE(whole.ReadInputData(progress));
  ASSERT_TRUE(whole.ReadOutputData(progress));
  // Two reports per pass and file, then the end of the file's progress.
  ASSERT_EQ(progress.reports.size(), 10u);
  EXPECT_EQ(progress.reports[4], (std::pair{1000, 1000}));
  EXPECT_LT(progress.reports[0].first, progress.reports[1].first);
  EXPECT_LT(progress.reports[1].first, 500);
  EXPECT_GE(progress.reports[2].first, 500);
  EXPECT_LT(progress.reports[2].first, progress.reports[3].first);
  EXPECT_EQ(progress.last_text, "Reading " + base_ + ".fdf");
  EXPECT_FALSE(whole.read_cancelled);

  ProgressPlatform stopping;
  stopping.stop_at = 3;
  OrvoOutputData stopped(base_);
  ASSERT_TRUE(stopped.ReadInputData(stopping));
  EXPECT_FALSE(stopped.ReadOutputData(stopping));
  EXPECT_TRUE(stopped.read_cancelled);
  EXPECT_EQ(stopping.messages, std::vector<std::string>{});
  EXPECT_EQ(stopping.reports.back(), (std::pair{1000, 1000}));  // its window closes
  EXPECT_EQ(stopped.GetNumTimeSteps(OutputTable::kTransport), 40);
  ASSERT_EQ(stopped.transport_variables.front().series.size(), 1000u);
  EXPECT_EQ(stopped.transport_variables.front().series.back().size(), 40u);
  EXPECT_EQ(stopped.GetNumVariables(OutputTable::kModel), 0);  // the model file was never started
}

// A bad value line deep in the file: every value before it stays in place, the record's
// first value line included, and everything after it reads as 0.
TEST_F(OrvoOutputDataTest, ParseFailureAfterManyStepsKeepsEveryValueBeforeIt) {
  WriteDeck("3 6");
  std::string text = "0\nsteps\nsegs\nA\nB\nC\nD\nE\nF\nG\n";
  for (int t = 0; t < 70; ++t) {
    for (int s = 0; s < 3; ++s) {
      text += "     " + std::to_string(s + 1) + "  " + std::to_string(t) + ".5\n";
      for (int v = 0; v < 7; ++v) {
        text += ' ' + std::to_string(v * 10000 + s * 100 + t + 1) + (v == 5 ? "\n" : "");
      }
      text += t == 66 && s == 1 ? " x\n" : " -1 -1 -1 -1 -1\n";
    }
  }
  Write(".trn", text);
  OrvoOutputData data(base_);
  EXPECT_FALSE(Read(data));
  EXPECT_EQ(LastMessage(),
            "OrvoOutputData::ReadOutputData: Parse error reading data values (expected 6 floats "
            "and got \" 60167 x\") in file " +
                base_ + ".out");
  ASSERT_EQ(data.GetNumTimeSteps(OutputTable::kTransport), 70);
  EXPECT_EQ(data.GetTime(OutputTable::kTransport, 69), 69.5);
  for (int t = 0; t < 70; ++t) {
    for (int s = 0; s < 3; ++s) {
      for (int v = 0; v < 7; ++v) {
        double read = -1;
        ASSERT_TRUE(data.GetValue(OutputTable::kTransport, v, s, t, read));
        const bool kept = t < 66 || (t == 66 && (s == 0 || (s == 1 && v < 6)));
        EXPECT_EQ(read, kept ? v * 10000 + s * 100 + t + 1 : 0) << v << ' ' << s << ' ' << t;
      }
    }
  }
}

TEST_F(OrvoOutputDataTest, ReaderMessages) {
  const std::string prefix = "OrvoOutputData::ReadOutputData: ";
  const std::string out = " in file " + base_ + ".out";
  struct Case {
    std::string file;
    std::string message;
  };
  const std::string names = "0\nsteps\nsegs\nA\nB\nC\n";
  const Case cases[] = {
      {"", prefix + "Unexpected EOF at line 1" + out},
      {"2147483648\nh\nh\n", prefix + "Unexpected EOF while skipping header lines" + out},
      {"1\nh\n", prefix + "Unexpected EOF while reading timestep data" + out},
      {"0\nsteps\n", prefix + "Unexpected EOF while reading number of segments" + out},
      {names, prefix + "Unexpected EOF while reading parameter names" + out},
      {names + "     1      0.0\n1 2 3 4 5 6\n     2      0.0\n",
       "OutputDlg::UpdateOutputView: Unexpected EOF while reading data values" + out},
      {names + "     1      0.0\n1 2 3 4 5\n     2      0.0\n1 2 3 4 5 6\n",
       prefix + "Parse error reading data values (expected 6 floats and got \"1 2 3 4 5\")" + out},
      {names + "     1 0\n1 2 3 4 5 6\n     2 0\n1 2 3 4 5 6\n     1 abcdefghij\n",
       prefix +
           "Parse error reading the time (expected a number in columns 7 to 16 and got \"     1 "
           "abcdefghij\") in file " +
           base_ + ".trn"},
  };
  WriteDeck("2 6");
  for (const Case& c : cases) {
    Write(".trn", c.file);
    OrvoOutputData data(base_);
    EXPECT_FALSE(Read(data));
    EXPECT_EQ(LastMessage(), c.message) << c.file;
  }
  std::string numbers;
  for (int i = 0; i < 10000; ++i) numbers += " 1.0";
  Write(".trn", names + "     1      0.0\n" + numbers + "\n     2      0.0\n1 2 3 4 5 6\n");
  OrvoOutputData wide(base_);
  EXPECT_FALSE(Read(wide));
  EXPECT_EQ(LastMessage(), prefix + "Line longer than 511 characters in file " + base_ + ".trn");

  fs::remove(base_ + ".trn");
  OrvoOutputData missing(base_);
  EXPECT_FALSE(Read(missing));
  EXPECT_EQ(LastMessage(), prefix + "Unable to open output file " + base_ + ".trn");

  WriteDeck("0 6");
  Write(".trn", kThreeVariables);
  OrvoOutputData no_segments(base_);
  EXPECT_FALSE(Read(no_segments));
  EXPECT_EQ(LastMessage(), prefix + "Number of segments 0 in " + base_ +
                               ".inp is not positive; unable to read file " + base_ + ".trn");

  // A deck claiming a billion segments cannot make the reader size a billion series.
  WriteDeck("1000000000 6");
  OrvoOutputData huge(base_);
  EXPECT_FALSE(Read(huge));
  EXPECT_EQ(LastMessage(), prefix + "The number of segments 1000000000 of " + base_ +
                               ".inp is far more than the 4 segment records of file " + base_ +
                               ".trn hold; unable to read the file");
  EXPECT_TRUE(huge.transport_variables.front().series.empty());
}

TEST_F(OrvoOutputDataTest, DeckHeaderMessages) {
  const std::string prefix = "OrvoOutputData::ReadInputData: ";
  OrvoOutputData data(base_);
  EXPECT_FALSE(data.ReadInputData(platform_));
  EXPECT_EQ(LastMessage(), prefix + "Unable to open input file " + base_);
  const std::pair<std::string, std::string> cases[] = {
      {"", "Unexpected EOF at line 1 in file "},
      {"KOBALS\n", "Unexpected EOF at line 2 in file "},
      {"T1\n", "Unexpected EOF at line 2 in file "},
      {"T1\nT2\n", "Unexpected EOF at line 3 in file "},
      {"T1\nT2\nskip\n", "Unexpected EOF at line 4 in file "},
      {"T1\nT2\nskip\n  12 x\n", "Failure to read no. of segments and no. of systems in file "},
  };
  for (const auto& [deck, message] : cases) {
    Write(".inp", deck);
    EXPECT_FALSE(data.ReadInputData(platform_));
    EXPECT_EQ(LastMessage(), prefix + message + base_) << deck;
  }
}

}  // namespace
}  // namespace orvo
