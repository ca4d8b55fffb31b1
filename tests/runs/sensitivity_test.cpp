// Sensitivity families: the run descriptions (expected texts in
// tests/data/sensitivity/descriptions.txt; ORVO_UPDATE_EXPECTED=1 writes them again for review);
// the range fields, the intervals, the files of a family and how it stops (the scripts of
// tests/data/sensitivity/scripts/).
#include "runs/sensitivity.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "deck/deck_writer.h"
#include "groups/group_editing.h"
#include "model/scripted_platform.h"
#include "model/settings.h"
#include "model/string_array.h"
#include "runs/sensitivity_family.h"
#include "support/cli_script.h"
#include "support/document_test.h"
#include "support/golden.h"
#include "support/scratch_dir.h"
#include "support/small_project.h"

namespace orvo {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using Texts = std::vector<std::string>;

// ---- Descriptions -------------------------------------------------------------------------

// The small project with volumes, a volume multiplier and a constant field in block 1 (the
// system).
void BuildSensitivityProject(COrvoBuilderDoc& doc) {
  testing::BuildSmallProject(doc);
  doc.GetSegmentNode(1)->segment()->BVOL = 1000;
  doc.GetSegmentNode(2)->segment()->BVOL = 2000;
  doc.GetSegmentNode(2)->segment()->VMULT = 0.5;
  ASSERT_TRUE(editing::NewField(doc.group_h, 1).message.empty());
  editing::SetFieldName(doc.group_h, 1, 0, "Decay");
  editing::SetConstantCell(doc.group_h, 1, 0, 0, 0, "KDC");
  editing::SetConstantCell(doc.group_h, 1, 0, 0, 1, "11");
  editing::SetConstantCell(doc.group_h, 1, 0, 0, 2, "0.25");
}

// One choice of every group.
std::vector<SensitivityChoice> Choices(const COrvoBuilderDoc& doc) {
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

class SensitivityProjectTest : public testing::DocumentTest {
 protected:
  void SetUp() override { BuildSensitivityProject(doc); }
  std::vector<SensitivityChoice> Choices() const { return orvo::Choices(doc); }
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

// ---- Families -----------------------------------------------------------------------------

// Families of the sensitivity project: the scripts of tests/data/sensitivity/scripts/ (the runner
// of support/cli_script.h, DATA/ holding stand-in simulation programs) with these commands:
//   orvo <folder>          the ORVO path and this program's folder
//   files-for <deck>       the family's files for a chosen deck name
//   pieces <group>         the unchanged cards before and after group B..J's card
//   write-runs <choice> <amount>... [title <TITLE1>]
//                          the varied cards of one of the eight choices of every group
//   generate <choice> <amount>... [no-base] [title <TITLE1>] [jobs <n>]
//                          all of "Generate" for <folder>/runs.inp: pieces, varied cards, runs
//   execute <folder>       the runs of a family of that folder never generated
//   time-steps <step>...   card A's time steps
//   deck-tail <file>       whether the project's deck ends with the file
//   check <choice> [no-segments] [no-functions] [no-flow-fields] [no-constant]
//                          the checks of "Generate" on a choice without what is named
//   range <minimum> <maximum> <increment> <runs> <increment|runs-b-g|runs-h-j|maximum-b-g <x>>
//                          the dialog's range fields after one changed: "changed" or "refused",
//                          then the fields and the intervals
//   intervals <text> [<times>]   the values read from the text (\t a tab) repeated, or the error
// Each prints "ok" or "failed" and what the platform said; generate the run file path too.
class FamilyScript : public testing::DocumentTestOf<testing::CommandScript> {
 protected:
  std::optional<std::string> Ran(const std::vector<std::string>& args) {
    const std::string& command = args[0];
    bool ok = true;
    std::vector<double> amounts;
    std::string title1;
    FamilyOptions options;
    for (std::size_t i = 2; command == "write-runs" || command == "generate"; ++i) {
      if (i >= args.size()) break;
      if (args[i] == "title")
        title1 = args.at(++i);
      else if (args[i] == "jobs")
        options.jobs = std::stoi(args.at(++i));
      else if (args[i] == "no-base")
        options.base_case = false;
      else
        amounts.push_back(std::stod(args[i]));
    }
    if (command == "orvo") {
      platform.SetSetting(settings::kOrvoPath, args.at(1));
      doc.application_directory = args.at(1);
    } else if (command == "files-for") {
      const auto chosen = SensitivityFilesFor(args.at(1), platform);
      ok = chosen.has_value();
      if (ok) files = *chosen;
    } else if (command == "pieces") {
      ok = GenerateSensitivityRun(doc, SensitivityGroupOfLetter(args.at(1)[0]), files);
    } else if (command == "write-runs" || command == "generate") {
      const SensitivityChoice choice = Choices(doc).at(std::stoul(args.at(1)));
      if (command == "generate") {
        const auto chosen = SensitivityFilesFor((out.path() / "runs.inp").string(), platform);
        ok = chosen && GenerateSensitivityRun(doc, choice.group, *chosen);
        if (ok) files = *chosen;
      }
      ok = ok && WriteSensitivityRunFiles(doc, choice, amounts, {}, title1, files);
      options.files = files;
      options.runs = static_cast<int>(amounts.size());
      if (command == "generate") ok = ok && ExecuteSensitivityAnalysis(doc, options);
    } else if (command == "execute") {
      options.files = {args.at(1), "runs"};
      ok = ExecuteSensitivityAnalysis(doc, options);
    } else if (command == "deck-tail") {
      const std::string deck = DeckText(doc, ok), tail = ReadFile(args.at(1));
      ok = deck.size() >= tail.size() &&
           deck.compare(deck.size() - tail.size(), tail.size(), tail) == 0;
    } else if (command == "check") {
      SensitivityChoice choice = Choices(doc).at(std::stoul(args.at(1)));
      for (auto arg = args.begin() + 2; arg != args.end(); ++arg) {
        if (*arg == "no-segments") choice.segments.clear(), choice.exchanges.clear();
        if (*arg == "no-functions") choice.functions.clear();
        if (*arg == "no-flow-fields") choice.flow_fields.clear();
        if (*arg == "no-constant") choice.constant = -1;
      }
      ok = CheckSensitivitySelection(choice, platform);
    } else if (command == "range") {
      RangeFields fields{std::stod(args.at(1)), std::stod(args.at(2)), std::stod(args.at(3)),
                         std::stoi(args.at(4))};
      const std::string& change = args.at(5);
      if (change == "maximum-b-g") fields.maximum = std::stod(args.at(6));
      ok = change == "increment" ? IncrementChanged(fields)
           : change == "maximum-b-g"
               ? BoundChanged(fields, RangeRules::kGroupsBToG)
               : RunsChanged(fields, change == "runs-b-g" ? RangeRules::kGroupsBToG
                                                          : RangeRules::kGroupsHAndJ);
      const std::string intervals = IntervalsText(fields);
      std::ostringstream text;
      text.precision(15);
      text << (ok ? "changed" : "refused") << ": runs " << fields.runs << " increment "
           << fields.increment << " intervals " << intervals.substr(0, 60)
           << (intervals.size() > 60 ? " ...\n" : "\n");
      return text.str();
    } else if (command == "intervals") {
      std::string text;
      for (int n = args.size() > 2 ? std::stoi(args[2]) : 1; n > 0; --n)
        text += testing::Replaced(args.at(1), "\\t", "\t");
      std::vector<double> values = {99};
      std::string error;
      ok = ParseIntervals(text, values, error);
      std::ostringstream shown;
      shown << (ok ? "" : error + "\n") << values.size() << " values:";
      for (std::size_t i = 0; i < values.size() && i < 5; ++i) shown << " " << values[i];
      return shown.str() + "\n";
    } else if (command == "time-steps") {
      doc.group_a.time_steps.GetList() = {args.begin() + 1, args.end()};
      return "";
    } else {
      return std::nullopt;
    }
    std::string text = ok ? "ok\n" : "failed\n";
    if (command == "generate") text += "run file " + doc.run_file_path + "\n";
    text += testing::Said(platform.messages);
    return text;
  }

  SensitivityFiles files;
};

TEST_P(FamilyScript, PrintsItsTranscript) {
  BuildSensitivityProject(doc);
  Check("sensitivity",
        [this](const std::vector<std::string>& args, const fs::path&) { return Ran(args); });
}

INSTANTIATE_TEST_SUITE_P(Cases, FamilyScript, testing::ScriptCases("sensitivity"),
                         testing::CaseTestName);

}  // namespace
}  // namespace orvo
