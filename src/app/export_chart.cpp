#include "app/export_chart.h"

#include <QApplication>
#include <QSize>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "model/scripted_platform.h"
#include "results/output_charts.h"
#include "results/selection_list.h"
#include "ui/results/graph_view.h"

namespace orvo::app {
namespace {

const char* const kUsage =
    "usage: orvobuilder --export-chart RUNPATH OUT.png|OUT.svg|OUT.pdf [--type model|transport]\n"
    "         [--graph segment-time|param-seg] [--runs LIST] [--segments LIST]\n"
    "         [--variables LIST] [--size WIDTHxHEIGHT]\n";

int Usage(const std::string& why = {}) {
  if (!why.empty()) std::fprintf(stderr, "orvobuilder: %s\n", why.c_str());
  std::fputs(kUsage, stderr);
  return 2;
}

int Fail(const std::string& why) {
  std::fprintf(stderr, "orvobuilder: %s\n", why.c_str());
  return 1;
}

std::optional<QSize> ParseSize(const std::string& text) {
  const std::size_t x = text.find('x');
  if (x == std::string::npos) return std::nullopt;
  const auto number = [](const std::string& part) {
    return !part.empty() && part.size() <= 5 &&
                   part.find_first_not_of("0123456789") == std::string::npos
               ? std::stoi(part)
               : 0;
  };
  const int width = number(text.substr(0, x));
  const int height = number(text.substr(x + 1));
  if (width < 1 || height < 1 || width > 20000 || height > 20000) return std::nullopt;
  return QSize(width, height);
}

}  // namespace

int ExportChartCommand(int argc, char** argv) {
  if (argc < 4) return Usage();
  const std::string run_path = argv[2];
  const QString out = QString::fromLocal8Bit(argv[3]);
  std::optional<std::string> type, graph, runs, segments, variables, size;
  for (int i = 4; i < argc; i += 2) {
    if (i + 1 >= argc) return Usage();
    const char* name = argv[i];
    std::optional<std::string>* option = std::strcmp(name, "--type") == 0        ? &type
                                         : std::strcmp(name, "--graph") == 0     ? &graph
                                         : std::strcmp(name, "--runs") == 0      ? &runs
                                         : std::strcmp(name, "--segments") == 0  ? &segments
                                         : std::strcmp(name, "--variables") == 0 ? &variables
                                         : std::strcmp(name, "--size") == 0      ? &size
                                                                                 : nullptr;
    if (option == nullptr || option->has_value()) return Usage();
    *option = argv[i + 1];
  }
  OutputSelection selection;
  if (type && *type == "transport") {
    selection.file_type = kTransportVariables;
  } else if (type && *type != "model") {
    return Usage();
  }
  OutputGraphType graph_type = OutputGraphType::kSegmentVsTime;
  if (graph && *graph == "param-seg") {
    graph_type = OutputGraphType::kParamVsSeg;
  } else if (graph && *graph != "segment-time") {
    return Usage();
  }
  QSize picture_size(800, 600);  // the chart window's size
  if (size) {
    const std::optional<QSize> parsed = ParseSize(*size);
    if (!parsed) return Usage("the size must be WIDTHxHEIGHT, each from 1 to 20000");
    picture_size = *parsed;
  }

  // No window opens, so no display is needed.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qt_argc = 1;
  QApplication application(qt_argc, argv);

  ScriptedPlatform platform;
  platform.default_answer = false;
  platform.echo = [](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); };
  OutputViewerText viewer;
  const std::size_t loaded = viewer.LoadRuns(run_path, platform);
  const bool complete = platform.messages.empty();
  if (loaded == 0) {
    return Fail("no run found for " + run_path + ": neither " + run_path + ".inp nor " + run_path +
                "0.inp can be read");
  }
  if (runs) {
    std::string unknown;
    const auto parsed = ParseLabelList(*runs, viewer.labels, unknown);
    if (!parsed) return Usage("no run labelled \"" + unknown + "\"");
    selection.runs = *parsed;
  } else {
    selection.runs = AllPositions(static_cast<int>(viewer.runs.size()));
  }
  const int segment_count = static_cast<int>(viewer.SegmentList(selection.file_type).size());
  const int variable_count = static_cast<int>(viewer.VariableList(selection.file_type).size());
  if (segment_count == 0 || variable_count == 0) {
    return Fail("the runs of " + run_path + " hold no " +
                (segment_count == 0 ? "segments" : "variables") + " to draw");
  }
  if (segments) {
    const auto parsed = ParseNumberList(*segments, segment_count);
    if (!parsed)
      return Usage("segments must be numbers from 1 to " + std::to_string(segment_count));
    selection.segments = *parsed;
  } else {
    selection.segments = AllPositions(segment_count);
  }
  if (variables) {
    const auto parsed = ParseNumberList(*variables, variable_count);
    if (!parsed) {
      return Usage("variables must be numbers from 1 to " + std::to_string(variable_count));
    }
    selection.variables = *parsed;
  } else {
    selection.variables = AllPositions(variable_count);
  }

  const std::optional<ChartDescription> chart = BuildOutputChart(viewer, selection, graph_type, 0);
  if (!chart) return Fail("the selection makes no chart");
  QString error;
  if (!ui::ExportChartImage(*chart, out, picture_size, error)) {
    return Fail(error.toLocal8Bit().toStdString());
  }
  // The picture shows what could be read; a script must still learn that something was not.
  return complete ? 0 : 1;
}

}  // namespace orvo::app
