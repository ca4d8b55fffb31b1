// Sensitivity families: the range fields, the intervals, the run descriptions (expected texts in
// tests/data/sensitivity/descriptions.txt; ORVO_UPDATE_EXPECTED=1 writes them again for
// review), the files of a family and how it stops.
#include "runs/sensitivity.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "deck/deck_writer.h"
#include "groups/group_editing.h"
#include "model/scripted_platform.h"
#include "model/settings.h"
#include "model/string_array.h"
#include "runs/sensitivity_family.h"
#include "support/document_test.h"
#include "support/scratch_dir.h"
#include "support/small_project.h"
#include "support/golden.h"

namespace orvo {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using Texts = std::vector<std::string>;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// ---- Range fields and intervals -------------------------------------------------------------

TEST(RangeFieldsTest, AnIncrementIsFittedToTheRange) {
  RangeFields fields{1, 2, 0.3, 0};
  ASSERT_TRUE(IncrementChanged(fields));
  EXPECT_DOUBLE_EQ(fields.increment, 1.0 / 3);
  EXPECT_EQ(fields.runs, 4);
  EXPECT_EQ(IntervalsText(fields), "1 1.33333 1.66667 2");

  // Larger than the range, or not positive: the range itself, two runs.
  for (double increment : {25.0, 0.0, -1.0}) {
    RangeFields wide{0, 10, increment, 7};
    ASSERT_TRUE(IncrementChanged(wide));
    EXPECT_EQ(wide.runs, 2);
    EXPECT_EQ(IntervalsText(wide), "0 10");
  }
}

TEST(RangeFieldsTest, OneRunFollowsEachGroupsRules) {
  RangeFields b_to_g{0, 10, 0, 1};
  ASSERT_TRUE(RunsChanged(b_to_g, RangeRules::kGroupsBToG));
  EXPECT_EQ(b_to_g.increment, 0);
  EXPECT_EQ(IntervalsText(b_to_g), "0");

  RangeFields h_and_j{0, 10, 0, 1};
  ASSERT_TRUE(RunsChanged(h_and_j, RangeRules::kGroupsHAndJ));
  EXPECT_EQ(h_and_j.runs, 2);
  EXPECT_EQ(h_and_j.increment, 10);
  EXPECT_EQ(IntervalsText(h_and_j), "0 10");

  // No runs at all still lists the first value.
  RangeFields none{5, 10, 0, -3};
  ASSERT_TRUE(RunsChanged(none, RangeRules::kGroupsBToG));
  EXPECT_EQ(none.runs, 0);
  EXPECT_EQ(IntervalsText(none), "5");

  RangeFields bounds{0, 10, 0, 3};
  bounds.maximum = 100;
  ASSERT_TRUE(BoundChanged(bounds, RangeRules::kGroupsBToG));
  EXPECT_EQ(IntervalsText(bounds), "0 50 100");
}

TEST(RangeFieldsTest, MoreThanAThousandRunsAreRefusedAndChangeNothing) {
  RangeFields fields{0, 1e6, 1, 2};
  EXPECT_FALSE(IncrementChanged(fields));
  EXPECT_EQ(fields.runs, 2);
  EXPECT_EQ(fields.increment, 1);
  fields.runs = 1001;
  EXPECT_FALSE(RunsChanged(fields, RangeRules::kGroupsHAndJ));
  fields.runs = 1000;
  EXPECT_TRUE(RunsChanged(fields, RangeRules::kGroupsBToG));
  fields = {0, 1e300, 1e-300, 2};
  EXPECT_FALSE(IncrementChanged(fields));
}

TEST(IntervalsTest, AnySeparatorAndRefusalsBeforeAnyFileIsWritten) {
  std::vector<double> values;
  std::string error;
  ASSERT_TRUE(ParseIntervals("10, 20,30", values, error));
  EXPECT_EQ(values, (std::vector<double>{10, 20, 30}));
  ASSERT_TRUE(ParseIntervals(" -2\t1e3\r\n+4.5\n", values, error));
  EXPECT_EQ(values, (std::vector<double>{-2, 1000, 4.5}));
  ASSERT_TRUE(ParseIntervals("", values, error));
  EXPECT_TRUE(values.empty());

  EXPECT_FALSE(ParseIntervals("10 2O 30", values, error));
  EXPECT_EQ(error, "The value \"2O\" in the intervals is not a number.");
  EXPECT_TRUE(values.empty());
  EXPECT_FALSE(ParseIntervals("1 nan", values, error));
  std::string many;
  for (int i = 0; i < 1001; ++i) many += "1 ";
  EXPECT_FALSE(ParseIntervals(many, values, error));
  EXPECT_EQ(error,
            "The intervals hold more than 1000 values.  At most 1000 runs can be generated at "
            "once.");
  many.resize(many.size() - 2);
  EXPECT_TRUE(ParseIntervals(many, values, error));
  EXPECT_EQ(values.size(), 1000u);
}

// ---- Descriptions -------------------------------------------------------------------------

class SensitivityProjectTest : public testing::DocumentTest {
 protected:
  void SetUp() override {
    testing::BuildSmallProject(doc);
    doc.GetSegmentNode(1)->segment()->BVOL = 1000;
    doc.GetSegmentNode(2)->segment()->BVOL = 2000;
    doc.GetSegmentNode(2)->segment()->VMULT = 0.5;
    // A constant field in block 1 (the system).
    ASSERT_TRUE(editing::NewField(doc.group_h, 1).message.empty());
    editing::SetFieldName(doc.group_h, 1, 0, "Decay");
    editing::SetConstantCell(doc.group_h, 1, 0, 0, 0, "KDC");
    editing::SetConstantCell(doc.group_h, 1, 0, 0, 1, "11");
    editing::SetConstantCell(doc.group_h, 1, 0, 0, 2, "0.25");
  }

  const COrvoBuilderCntrItem* Interface() const {
    for (const auto& node : doc.nodes()) {
      if (node->is_exchange()) return node.get();
    }
    return nullptr;
  }

  // One choice of every group.
  std::vector<SensitivityChoice> Choices() const {
    std::vector<SensitivityChoice> choices(8);
    choices[0].group = kVaryB;
    choices[0].functions = {0};
    choices[0].exchanges = ExchangesOfFunctions(doc, 0, {0});
    choices[1].group = kVaryC;
    choices[1].quantity = 0;
    choices[1].segments = {2};
    choices[2].group = kVaryD;
    choices[2].flow_fields = {0};
    choices[2].functions = {0};
    choices[3].group = kVaryE;
    choices[3].system = 0;
    choices[3].segments = BoundarySegmentIds(doc, 0);
    choices[4].group = kVaryF;
    choices[4].system = 0;
    choices[4].segments = LoadSegmentIds(doc, 0);
    choices[5].group = kVaryG;
    choices[5].slot = ParametersInUse(doc).at(0);
    choices[5].segments = {1, 2, 3};
    choices[6].group = kVaryH;
    choices[6].system = 1;
    choices[6].constant_field = 0;
    choices[6].constant = 0;
    choices[7].group = kVaryJ;
    choices[7].system = 0;
    choices[7].quantity = 2;
    choices[7].segments = {0, 2};
    return choices;
  }
};

TEST_F(SensitivityProjectTest, SelectionListsOfTheDialogs) {
  EXPECT_EQ(ExchangeFunctionCount(doc, 0), 1);
  EXPECT_EQ(ExchangeFunctionCount(doc, 1), 0);
  const auto exchanges = ExchangesOfFunctions(doc, 0, {0});
  ASSERT_EQ(exchanges.size(), 1u);
  EXPECT_EQ(ExchangeLabel(*exchanges[0]), "1->2");
  EXPECT_TRUE(ExchangesOfFunctions(doc, 1, {0}).empty());
  EXPECT_EQ(DefinedFlowFields(doc), std::vector<int>{0});
  EXPECT_EQ(FlowFunctionCount(doc), 1);
  EXPECT_EQ(BoundarySegmentIds(doc, 0), std::vector<int>{1});
  EXPECT_EQ(LoadSegmentIds(doc, 0), std::vector<int>{2});
  EXPECT_EQ(ConstantBlockNames(doc).size(), 2u);
  EXPECT_EQ(ConstantLabels(doc, 1, 0), Texts{"KDC (11)"});
  EXPECT_EQ(AllSegmentIds(doc), (std::vector<int>{1, 2, 3}));

  std::vector<std::string> values;
  for (SensitivityChoice choice : Choices()) values.push_back(CurrentValue(doc, choice));
  EXPECT_EQ(values,
            (Texts{"150", "2000", "10 0 12 30", "5 0 5 30", "2 0 2 30", "NA", "0.25", "NA"}));
  SensitivityChoice j = Choices()[7];
  j.segments = {1};
  doc.value_ranges.dissf_min = "0";
  doc.value_ranges.dissf_max = "1";
  EXPECT_NE(CurrentValue(doc, j), "NA");
  EXPECT_EQ(ValueRangeOf(doc, 2), (std::pair<std::string, std::string>("0", "1")));
  j.segments = {0, 1};
  EXPECT_EQ(CurrentValue(doc, j), "NA");
}

TEST_F(SensitivityProjectTest, DescriptionsOfEveryGroup) {
  const testing::ScratchDir dir("sensitivity");
  const SensitivityFiles files{dir.path().string() + "/", "runs"};
  const std::vector<double> amounts = {50, -2, 7.5};
  std::string text;
  for (const SensitivityChoice& choice : Choices()) {
    for (const AmountRule rule :
         {AmountRule{true, false}, AmountRule{false, true}, AmountRule{false, false}}) {
      std::vector<std::string> descriptions;
      ASSERT_TRUE(WriteSensitivityRunFiles(doc, choice, amounts, rule, "", files, &descriptions));
      ASSERT_EQ(descriptions.size(), 3u);
      const size_t k = rule.percent ? 0 : rule.additive ? 1 : 2;
      text += std::string(1, SensitivityGroupLetter(choice.group)) + "\t" + descriptions[k] + "\n";
      // The titles card carries the description as TITLE2 and the project's TITLE1.
      const std::string titles = ReadFile(files.Path("_A_" + std::to_string(k) + ".inp"));
      EXPECT_EQ(titles.rfind("Reader\n" + descriptions[k] + "\n", 0), 0u) << titles;
    }
  }
  testing::ExpectFileText(testing::DataPath("sensitivity/descriptions.txt"), text);
  EXPECT_EQ(platform.messages, Texts{});
}

TEST_F(SensitivityProjectTest, SelectionChecksOfGenerate) {
  std::vector<SensitivityChoice> choices = Choices();
  for (SensitivityChoice& choice : choices) {
    choice.segments.clear();
    choice.exchanges.clear();
  }
  choices[2].functions.clear();
  choices[6].constant = -1;
  std::vector<bool> passed;
  for (const SensitivityChoice& choice : choices) {
    passed.push_back(CheckSensitivitySelection(choice, platform));
  }
  EXPECT_EQ(passed, (std::vector<bool>{false, false, false, false, false, false, false, true}));
  const std::string segments = "Please choose segments to run sensitivity analysis on.";
  EXPECT_EQ(platform.messages,
            (Texts{"Please select exchanges to operate on.", segments,
                   "Please select time functions to operate on.", segments, segments, segments}));
  choices[2].functions = {0};
  choices[2].flow_fields.clear();
  EXPECT_FALSE(CheckSensitivitySelection(choices[2], platform));
  EXPECT_EQ(platform.messages.back(), "Please select flow fields to operate on.");
}

// ---- Families -----------------------------------------------------------------------------

// A stand-in simulation program: it writes a log beside the deck that orvo.ctl names, counts
// its runs in a file of the test, and fails (exit status 3) on run fail_on.
void StandIn(const std::string& path, const std::string& counter, int fail_on) {
  std::ofstream(path) << "#!/bin/sh\n"
                         "deck=$(sed -n 2p orvo.ctl)\n"
                         "n=$(cat '"
                      << counter << "' 2>/dev/null || echo 0)\nn=$((n+1))\necho $n > '" << counter
                      << "'\n"
                         "echo 't = 1 of 1'\n"
                         "cksum < \"$deck\" > \"${deck%.*}.out\"\n"
                         "[ $n -eq "
                      << fail_on << " ] && { echo 'bad run' >&2; exit 3; }\nexit 0\n";
  fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
}

class SensitivityFamilyTest : public SensitivityProjectTest {
 protected:
  void SetUp() override {
    SensitivityProjectTest::SetUp();
    orvo_dir = dir / "orvo";
    fs::create_directories(orvo_dir);
    StandIn(orvo_dir + "/fenu5", dir / "count", 0);
    platform.SetSetting(settings::kOrvoPath, orvo_dir + "/");
    doc.application_directory = orvo_dir + "/";
  }

  // Generation and the family as "Generate" runs them.
  bool Generate(const SensitivityChoice& choice, const std::vector<double>& amounts, bool base_case,
                const std::string& title1 = "", int jobs = 1) {
    const auto chosen = SensitivityFilesFor(dir / "runs.inp", platform);
    if (!chosen) return false;
    files = *chosen;
    if (!GenerateSensitivityRun(doc, choice.group, files)) return false;
    if (!WriteSensitivityRunFiles(doc, choice, amounts, {}, title1, files)) return false;
    FamilyOptions options;
    options.files = files;
    options.runs = static_cast<int>(amounts.size());
    options.base_case = base_case;
    options.jobs = jobs;
    return ExecuteSensitivityAnalysis(doc, options);
  }

  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
      if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  testing::ScratchDir dir{"sensitivity_family"};
  std::string orvo_dir;
  SensitivityFiles files;
};

TEST_F(SensitivityFamilyTest, VolumeFamilyDecksDifferOnlyInTitlesAndTheChosenValues) {
  const std::string cwd = fs::current_path().string();
  SensitivityChoice choice = Choices()[1];  // VOLUME of segment 2
  ASSERT_TRUE(Generate(choice, {50, 100, 200}, true, "Volume study"));
  EXPECT_EQ(fs::current_path().string(), cwd);
  EXPECT_EQ(platform.messages, Texts{});
  EXPECT_EQ(doc.run_file_path, dir / "runs");
  EXPECT_EQ(Files(), (Texts{"count", "orvo.ctl", "runs.inp", "runs.out", "runs0.inp", "runs0.out",
                            "runs1.inp", "runs1.out", "runs2.inp", "runs2.out"}));
  EXPECT_EQ(ReadFile(dir / "orvo.ctl"), orvo_dir + "/\nruns2.inp\n");

  const std::vector<std::string> base = Lines(ReadFile(dir / "runs.inp"));
  const std::string volumes[] = {"    1000.0", "    2000.0", "    4000.0"};
  for (int k = 0; k < 3; ++k) {
    const std::vector<std::string> run =
        Lines(ReadFile(dir / ("runs" + std::to_string(k) + ".inp")));
    ASSERT_EQ(run.size(), base.size());
    std::vector<std::string> changed;
    for (size_t i = 0; i < base.size(); ++i) {
      if (run[i] != base[i]) changed.push_back(run[i]);
    }
    const std::string amount = k == 0 ? "50" : k == 1 ? "100" : "200";
    Texts expected = {"Volume study", "Group C item VOLUME for segments(s) 2 " + amount + "%"};
    // The segment 2 line of card C: ID, IBOTSEG, type, VOLUME ...
    if (k != 1) {
      std::string line;
      for (const std::string& l : base) {
        if (l.rfind("         2", 0) == 0 && l.find("    2000.0") != std::string::npos) line = l;
      }
      ASSERT_FALSE(line.empty());
      line.replace(line.find("    2000.0"), 10, volumes[k]);
      expected.push_back(line);
    }
    EXPECT_EQ(changed, expected) << k;
  }
}

TEST_F(SensitivityFamilyTest, GroupBLeavesPreEmptyAndGroupJPostEmpty) {
  files = *SensitivityFilesFor(dir / "runs.inp", platform);
  ASSERT_TRUE(GenerateSensitivityRun(doc, kVaryB, files));
  EXPECT_EQ(ReadFile(files.Path("_pre.inp")), "");
  bool ok;
  const std::string deck = DeckText(doc, ok);
  const std::string post = ReadFile(files.Path("_post.inp"));
  EXPECT_EQ(deck.substr(deck.size() - post.size()), post);
  ASSERT_TRUE(GenerateSensitivityRun(doc, kVaryJ, files));
  EXPECT_EQ(ReadFile(files.Path("_post.inp")), "");

  // Run decks are still assembled from all four pieces: with 100 % each equals the base deck
  // but for its titles.
  for (const SensitivityChoice& choice : {Choices()[0], Choices()[7]}) {
    ASSERT_TRUE(Generate(choice, {100}, true));
    const std::vector<std::string> base = Lines(ReadFile(dir / "runs.inp"));
    const std::vector<std::string> run = Lines(ReadFile(dir / "runs0.inp"));
    ASSERT_EQ(run.size(), base.size());
    int differing = 0;
    for (size_t i = 0; i < base.size(); ++i) differing += run[i] != base[i];
    EXPECT_EQ(differing, 1);  // TITLE2
  }
}

TEST_F(SensitivityFamilyTest, TheSecondRunFailingStopsTheFamily) {
  StandIn(orvo_dir + "/fenu5", dir / "count", 2);
  EXPECT_FALSE(Generate(Choices()[1], {50, 100, 200}, false));
  EXPECT_EQ(Files(), (Texts{"count", "orvo.ctl", "runs0.inp", "runs0.out", "runs1.inp", "runs1.out",
                            "runs_1.inp", "runs_2.inp", "runs_A_1.inp", "runs_A_2.inp",
                            "runs_post.inp", "runs_pre.inp"}));
  EXPECT_EQ(platform.messages,
            Texts{"COrvoBuilderDoc::ExecuteOrvo: fenu5 ended with exit status 3.  Its last "
                  "output:\nbad run"});
}

TEST_F(SensitivityFamilyTest, ABaseDeckThatCannotBeWrittenRunsNothing) {
  doc.group_a.time_steps.GetList() = {"0.01"};  // odd: card A fails
  EXPECT_FALSE(Generate(Choices()[1], {50}, true));
  EXPECT_FALSE(fs::exists(dir / "count"));
  EXPECT_FALSE(fs::exists(dir / "runs0.inp"));
  ASSERT_FALSE(platform.messages.empty());
  EXPECT_EQ(platform.messages.back(),
            "COrvoBuilderDoc::OrvoWrite: Failed to properly write group A.");
}

TEST_F(SensitivityFamilyTest, RunsSideBySideLeaveTheSameFiles) {
  ASSERT_TRUE(Generate(Choices()[1], {50, 100, 200, 300}, true, "", 3));
  EXPECT_EQ(Files(),
            (Texts{"count", "orvo.ctl", "runs.inp", "runs.out", "runs0.inp", "runs0.out",
                   "runs1.inp", "runs1.out", "runs2.inp", "runs2.out", "runs3.inp", "runs3.out"}));
  EXPECT_EQ(ReadFile(dir / "orvo.ctl"), orvo_dir + "/\nruns3.inp\n");
  // No private run directory stays.
  for (const auto& entry : fs::directory_iterator(dir.path())) {
    if (entry.is_directory()) {
      EXPECT_EQ(entry.path().filename(), "orvo");
    }
  }
}

TEST_F(SensitivityFamilyTest, NamesAndTitlesWithLineBreaksAreRefusedBeforeAnythingIsWritten) {
  EXPECT_FALSE(SensitivityFilesFor(dir / "ru\nns.inp", platform));
  EXPECT_FALSE(SensitivityFilesFor(dir / "bad\rdir/runs.inp", platform));
  files = *SensitivityFilesFor(dir / "runs.inp", platform);
  EXPECT_FALSE(WriteSensitivityRunFiles(doc, Choices()[1], {50}, {}, "two\nlines", files));
  EXPECT_EQ(Files(), Texts{});
  EXPECT_EQ(platform.messages.size(), 3u);
  FamilyOptions options;
  options.files = {dir / "missing/", "runs"};
  EXPECT_FALSE(ExecuteSensitivityAnalysis(doc, options));
  EXPECT_EQ(platform.messages.back(),
            "COrvoBuilderDoc::ExecuteSensitivityAnalysis: Unable to cd to " + dir / "missing/");
}

}  // namespace
}  // namespace orvo
