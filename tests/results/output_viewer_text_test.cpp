#include "results/output_viewer_text.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "model/scripted_platform.h"
#include "results/run_text.h"
#include "support/cli_script.h"
#include "support/results_run.h"
#include "support/scratch_dir.h"

namespace orvo {
namespace {

namespace fs = std::filesystem;

// The viewer on runs written in the case's folder: the scripts of
// tests/data/results/output_viewer/scripts/ (the runner of support/cli_script.h) with these
// commands on one viewer:
//   write <run> <segments> <steps> <name>... [set <variable> <segment> <step> <value>]
//                       a FENU5 run of time steps 1.5 days apart, variable v of segment s (from
//                       0) at step t being v * 100 + s * 10 + t but for the value set
//   load <base>         loads the runs of a base path: how many, their labels, the current one
//   lists               the file types, the model segments, the transport and mass balance
//                       variables
//   table|build|differences <model|transport|massbalance> runs <i>... segments <i>...
//       variables <i>...
//                       TableText; BuildText into the text kept (first "old"); ShowDifferences
//   save <path> | base-model <base>
//                       WriteText of the text kept; BaseRunModelText
class ViewerScript : public testing::CommandScript {
 protected:
  static OutputSelection Selection(const std::vector<std::string>& args) {
    OutputSelection selection;
    selection.file_type = args.at(1) == "model"       ? kModelResults
                          : args.at(1) == "transport" ? kTransportVariables
                                                      : kMassBalanceRecord;
    std::vector<int>* list = nullptr;
    for (std::size_t i = 2; i < args.size(); ++i) {
      if (args[i] == "runs") list = &selection.runs;
      if (args[i] == "segments") list = &selection.segments;
      if (args[i] == "variables") list = &selection.variables;
      if (std::isdigit(static_cast<unsigned char>(args[i][0])) != 0)
        list->push_back(std::stoi(args[i]));
    }
    return selection;
  }
  static std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += " | " + line;
    return text + "\n";
  }

  std::optional<std::string> Ran(const std::vector<std::string>& args) {
    const std::string& command = args[0];
    std::string text;
    if (command == "write") {
      std::vector<std::string> names;
      std::size_t i = 4;
      for (; i < args.size() && args[i] != "set"; ++i) names.push_back(args[i]);
      std::vector<double> set;
      for (++i; i < args.size(); ++i) set.push_back(std::stod(args[i]));
      std::vector<double> times;
      for (int t = 0; t < std::stoi(args.at(3)); ++t) times.push_back(1.5 * t);
      testing::WriteResultsRun(args.at(1), std::stoi(args.at(2)), names, times,
                               [set](int v, int s, int t) {
                                 return set.size() == 4 && v == set[0] && s == set[1] && t == set[2]
                                            ? set[3]
                                            : v * 100 + s * 10 + t;
                               });
    } else if (command == "load") {
      const std::size_t loaded = viewer.LoadRuns(args.at(1), platform);
      text = "loaded " + std::to_string(loaded) + ", current run " +
             std::to_string(viewer.current_run) + "\nlabels" + Lines(viewer.labels);
    } else if (command == "lists") {
      text = "file types" + Lines(viewer.FileTypeList()) + "model segments" +
             Lines(viewer.SegmentList(kModelResults)) + "transport variables" +
             Lines(viewer.VariableList(kTransportVariables)) + "mass balance variables" +
             Lines(viewer.VariableList(kMassBalanceRecord));
    } else if (command == "table") {
      text = viewer.TableText(Selection(args));
    } else if (command == "build") {
      viewer.BuildText(Selection(args), platform, kept);
      text = kept + "\n(end)\n";
    } else if (command == "differences") {
      const auto shown = viewer.ShowDifferences(Selection(args), platform);
      if (shown) {
        text = "variables";
        for (int variable : *shown) text += " " + std::to_string(variable);
        text += "\n";
      }
    } else if (command == "save") {
      text = OutputViewerText::WriteText(args.at(1), kept, platform) ? "" : "refused\n";
    } else if (command == "base-model") {
      if (!BaseRunModelText(args.at(1), platform, text)) text = "refused\n";
    } else {
      return std::nullopt;
    }
    text += testing::Said(platform.messages);
    return text;
  }

  ScriptedPlatform platform;
  OutputViewerText viewer;
  std::string kept = "old";
};

TEST_P(ViewerScript, PrintsItsTranscript) {
  Check("results/output_viewer",
        [this](const std::vector<std::string>& args, const fs::path&) { return Ran(args); });
}

INSTANTIATE_TEST_SUITE_P(Cases, ViewerScript, testing::ScriptCases("results/output_viewer"),
                         testing::CaseTestName);

// Stopping the read of a run stops the loading: the runs before it stay, it is left out.
TEST(OutputViewerTextTest, AStoppedReadStopsTheLoading) {
  class Stopping : public ScriptedPlatform {
   public:
    bool Progress(int done, int total, const std::string& text) override {
      return done >= total || text.find("BASE0.trn") == std::string::npos;
    }
  } stopping;
  const testing::ScratchDir dir("orvo_results");
  const std::string base = dir / "BASE";
  for (const std::string& run : {base, base + "0", base + "1"})
    testing::WriteResultsRun(run, 20000, {"A"}, {0, 1.5}, [](int, int s, int t) { return s + t; });
  OutputViewerText viewer;
  EXPECT_EQ(viewer.LoadRuns(base, stopping), 1u);
  EXPECT_TRUE(viewer.load_cancelled);
  EXPECT_EQ(viewer.labels, std::vector<std::string>{"Base"});
  EXPECT_EQ(stopping.messages, std::vector<std::string>{});
  ScriptedPlatform platform;
  EXPECT_EQ(viewer.LoadRuns(base, platform), 3u);
  EXPECT_FALSE(viewer.load_cancelled);
}

TEST(OutputViewerTextPaths, SelectedOutputFileGivesTheBasePath) {
  EXPECT_EQ(OutputViewerText::SelectedBasePath("/runs/v1.2/River.out"), "/runs/v1.2/River");
  EXPECT_EQ(OutputViewerText::SelectedBasePath("/runs/v1.2/River"), "/runs/v1.2/River");
  // The chosen path keeps its case; the extension counts in either case.
  EXPECT_EQ(OutputViewerText::SelectedBasePath("/Runs/RIVER.OUT"), "/Runs/RIVER");
  EXPECT_EQ(OutputViewerText::SelectedBasePath("/Runs/a.Out.b"), "/Runs/a.Out.b");
  EXPECT_EQ(OutputViewerText::FileTypeOfEntry(1), kTransportVariables);
  EXPECT_EQ(OutputViewerText::EntryExtension("Kobals results ()"), "");
  EXPECT_EQ(OutputViewerText::EntryExtension("Transport variables (.trn)"), ".trn");
}

}  // namespace
}  // namespace orvo
