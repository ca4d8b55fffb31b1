// The reader of a run's files. Output files and their reading: the cases of
// tests/data/results/output_data/output_files.txt ("shape" is the deck's NOSEG and NOSYS; the
// text is both the ".trn" and the ".fdf" file; the result what was read and said, BASE the run's
// path). Deck headers: the cases of deck_headers.txt, the text the ".inp" file.
#include "results/orvo_output_data.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "model/scripted_platform.h"
#include "support/card_cases.h"
#include "support/results_dump.h"
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

// What reading the files gives: whether it succeeded, what it said and what it holds.
std::string ReadText(const std::string& base, ScriptedPlatform& platform) {
  OrvoOutputData data(base);
  platform.messages.clear();
  const bool read = data.ReadInputData(platform) && data.ReadOutputData(platform);
  std::string text = read ? "read\n" : "not read\n";
  for (const std::string& message : platform.messages) text += "message " + message + "\n";
  text += testing::ResultsDump(data);
  for (size_t at = 0; (at = text.find(base, at)) != std::string::npos;)
    text.replace(at, base.size(), "BASE");
  return text;
}

TEST_F(OrvoOutputDataTest, OutputFiles) {
  testing::CheckCases(
      testing::DataPath("results/output_data/output_files.txt"), [&](const testing::CardCase& c) {
        WriteDeck(std::to_string(c.shape.NOSEG) + " " + std::to_string(c.shape.NOSYS));
        Write(".trn", c.Input());
        Write(".fdf", c.Input());
        return ReadText(base_, platform_);
      });
  fs::remove(base_ + ".trn");
  const std::string missing = ReadText(base_, platform_);
  EXPECT_EQ(missing.substr(0, missing.find("title1")),
            "not read\nmessage OrvoOutputData::ReadOutputData: Unable to open output file "
            "BASE.trn\n");
}

TEST_F(OrvoOutputDataTest, DeckHeaders) {
  OrvoOutputData data(base_);
  EXPECT_FALSE(data.ReadInputData(platform_));
  EXPECT_EQ(LastMessage(), "OrvoOutputData::ReadInputData: Unable to open input file " + base_);
  testing::CheckCases(testing::DataPath("results/output_data/deck_headers.txt"),
                      [&](const testing::CardCase& c) {
                        Write(".inp", c.Input());
                        Write(".trn", "");
                        return ReadText(base_, platform_);
                      });
}

// Copies keep their own series.
TEST_F(OrvoOutputDataTest, CopiesKeepTheirOwnSeries) {
  WriteDeck("1 6");
  const std::string text = "0\nsteps\nsegs\nA\n     1      0.000\n 1 0 0 0 0 0\n";
  Write(".trn", text);
  Write(".fdf", text);
  OrvoOutputData data(base_);
  ASSERT_TRUE(Read(data)) << LastMessage();
  OrvoOutputData copy = data;
  data.model_variables[0].series[0][0] = 42;
  double value = 0;
  ASSERT_TRUE(copy.GetValue(OutputTable::kModel, 0, 0, 0, value));
  EXPECT_EQ(value, 1);
}

TEST_F(OrvoOutputDataTest, KobalsDeckReadsTheModelFileWithoutExtensionAndCrLf) {
  WriteDeck("    1    7", "KOBALS\r\nTITLE AFTER MARKER");
  Write(".trn", "1\r\nheader\r\nsteps\r\nsegs\r\nONE\r\n     1      2.000\r\n1 2 3 4 5 6\r\n");
  Write("", "0\nsteps\nsegs\nA\nB\nC\nD\nE\nF\nG\nH\n     1 3.0\n1 2 3 4 5 6\n7 8 0 0 0 0\n");
  // Eight variables: two value lines per record.
  testing::ExpectText(ReadText(base_, platform_));
}

TEST_F(OrvoOutputDataTest, DirectoryDotsStayInTheBasename) {
  EXPECT_EQ(OrvoOutputData("/data/v1.2/river").basename, "/data/v1.2/river");
  EXPECT_EQ(OrvoOutputData("/data/v1.2/river.inp").basename, "/data/v1.2/river");
  EXPECT_EQ(OrvoOutputData("river.x.inp").basename, "river.x");
  EXPECT_EQ(OrvoOutputData::ModelExtension(kVerda5), ".vdf");
}

// Every transport value of seven variables in three segments over `steps` time steps: value(v, s,
// t) where kept(v, s, t), else 0.
template <class Value, class Kept>
void ExpectValues(const OrvoOutputData& data, int steps, Value value, Kept kept) {
  for (int t = 0; t < steps; ++t) {
    for (int s = 0; s < 3; ++s) {
      for (int v = 0; v < 7; ++v) {
        double read = -1;
        ASSERT_TRUE(data.GetValue(OutputTable::kTransport, v, s, t, read));
        EXPECT_EQ(read, kept(v, s, t) ? value(v, s, t) : 0) << v << ' ' << s << ' ' << t;
      }
    }
  }
}

// 70 time steps of three segments and seven variables (two value lines per record): every value
// lands in its series; a file cut in the last step keeps all values read before it; a bad value
// line deep in the file keeps every value before it, the record's first value line included,
// and everything after it reads as 0.
TEST_F(OrvoOutputDataTest, LongRunsKeepEveryValueInPlace) {
  WriteDeck("3 6");
  const auto value = [](int v, int s, int t) { return v * 10000 + s * 100 + t + 1; };
  const auto file = [&](int bad_step) {
    std::string text = "0\nsteps\nsegs\nA\nB\nC\nD\nE\nF\nG\n";
    for (int t = 0; t < 70; ++t) {
      for (int s = 0; s < 3; ++s) {
        text += "     " + std::to_string(s + 1) + "  " + std::to_string(t) + ".5\n";
        for (int v = 0; v < 7; ++v)
          text += ' ' + std::to_string(value(v, s, t)) + (v == 5 ? "\n" : "");
        text += t == bad_step && s == 1 ? " x\n" : " -1 -1 -1 -1 -1\n";
      }
    }
    return text;
  };
  const auto check = [&](const OrvoOutputData& data, int last_step, int last_segment, int last_v) {
    ASSERT_EQ(data.GetNumTimeSteps(OutputTable::kTransport), 70);
    EXPECT_EQ(data.GetTime(OutputTable::kTransport, 69), 69.5);
    ExpectValues(data, 70, value, [&](int v, int s, int t) {
      return t < last_step ||
             (t == last_step && (s < last_segment || (s == last_segment && v <= last_v)));
    });
  };
  const std::string whole = file(-1);
  Write(".trn", whole);
  Write(".fdf", whole);
  OrvoOutputData read(base_);
  ASSERT_TRUE(Read(read)) << LastMessage();
  EXPECT_EQ(read.GetTime(OutputTable::kModel, 69), 69.5);
  check(read, 69, 2, 6);
  Write(".trn", whole.substr(0, whole.rfind("     2  69.5")));
  OrvoOutputData cut(base_);
  EXPECT_FALSE(Read(cut));
  check(cut, 69, 0, 6);
  Write(".trn", file(66));
  OrvoOutputData bad(base_);
  EXPECT_FALSE(Read(bad));
  EXPECT_EQ(LastMessage(),
            "OrvoOutputData::ReadOutputData: Parse error reading data values (expected 6 floats "
            "and got \" 60167 x\") in file " +
                base_ + ".out");
  check(bad, 66, 1, 5);
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

}  // namespace
}  // namespace orvo
