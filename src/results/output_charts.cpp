#include "results/output_charts.h"

#include <cmath>

#include "model/number_text.h"
#include "results/line_reader.h"

namespace orvo {
namespace {

// The reals of a fixed-column field (1-based first column), 0 when blank.
double ColumnReal(std::string_view line, std::size_t first, std::size_t width) {
  if (line.size() < first) return 0;
  return AtoF(line.substr(first - 1, width));
}

void FillSegmentVsTimeOneRun(const OutputViewerText& viewer, const OutputSelection& selection,
                             int variable, ChartDescription& chart) {
  const OrvoOutputData& current = viewer.runs[viewer.current_run];
  const OrvoOutputData& run = viewer.runs[selection.runs[0]];
  const OutputTable table = TableOf(selection.file_type);
  const int steps = current.GetNumTimeSteps(table);
  const int series = static_cast<int>(selection.segments.size());
  chart.graph_type = ChartDescription::kXYChart;
  chart.graph_style = 2;
  chart.Resize(1, series, steps, true);
  for (int s = 0; s < series; ++s) {
    const int segment = selection.segments[s];
    chart.legend_texts[s] = "Segment " + IntText(segment + 1);
    for (int t = 0; t < steps; ++t) {
      chart.x_positions[chart.Index(0, s, t)] = current.GetTime(table, t);
      double value = 0;
      if (run.GetValue(table, variable, segment, t, value)) {
        chart.SetValue(0, s, t, value);
      } else {
        chart.SetMissing(0, s, t);
      }
    }
  }
  const double last = steps > 0 ? current.GetTime(table, steps - 1) : 0.0;
  chart.x_min = 0;
  chart.x_max = last;
  // Truncated as the axis counts whole periods; far beyond any useful count it stays unset.
  chart.x_axis_ticks = std::isfinite(last) && std::fabs(last) < 1e9 ? static_cast<int>(last) : 0;
  chart.frame_texts[0] = {
      run.basename, "Period", "Variable " + current.GetName(table, variable), {}};
}

void FillSegmentVsTimeRuns(const OutputViewerText& viewer, const OutputSelection& selection,
                           int variable, int segment, ChartDescription& chart) {
  const OrvoOutputData& current = viewer.runs[viewer.current_run];
  const OutputTable table = TableOf(selection.file_type);
  const int steps = current.GetNumTimeSteps(table);
  const int series = static_cast<int>(selection.runs.size());
  chart.Resize(1, series, steps, false);
  chart.point_labels.resize(steps);
  for (int t = 0; t < steps; ++t) chart.point_labels[t] = RealText(current.GetTime(table, t));
  for (int r = 0; r < series; ++r) {
    const OrvoOutputData& run = viewer.runs[selection.runs[r]];
    chart.legend_texts[r] = run.basename;
    for (int t = 0; t < steps; ++t) {
      double value = 0;
      if (run.GetValue(table, variable, segment, t, value)) {
        chart.SetValue(0, r, t, value);
      } else {
        chart.SetMissing(0, r, t);
      }
    }
  }
  chart.frame_texts[0] = {"Segment # " + IntText(segment + 1),
                          "Period",
                          "Variable " + current.GetName(table, variable),
                          {}};
}

void FillParamVsSeg(const OutputViewerText& viewer, const OutputSelection& selection, int variable,
                    ChartDescription& chart) {
  const OrvoOutputData& current = viewer.runs[viewer.current_run];
  const OutputTable table = TableOf(selection.file_type);
  const int steps = current.GetNumTimeSteps(table);
  const int frames = static_cast<int>(selection.runs.size());
  const int points = static_cast<int>(selection.segments.size());
  chart.graph_style = 4;
  chart.Resize(frames, steps, points, false);
  for (int t = 0; t < steps; ++t) {
    chart.legend_texts[t] = "Period " + RealText(current.GetTime(table, t));
  }
  chart.point_labels.resize(points);
  for (int p = 0; p < points; ++p) chart.point_labels[p] = IntText(selection.segments[p] + 1);
  const std::string left = "Variable " + current.GetName(table, variable);
  for (int f = 0; f < frames; ++f) {
    const OrvoOutputData& run = viewer.runs[selection.runs[f]];
    chart.frame_texts[f] = {run.basename, "Segment #", left, {}};
    for (int t = 0; t < steps; ++t) {
      for (int p = 0; p < points; ++p) {
        double value = 0;
        if (run.GetValue(table, variable, selection.segments[p], t, value)) {
          chart.SetValue(f, t, p, value);
        } else {
          chart.SetMissing(f, t, p);
        }
      }
    }
  }
}

bool ValidSelection(const OutputViewerText& viewer, const OutputSelection& selection) {
  if (selection.file_type == kMassBalanceRecord || selection.runs.empty() ||
      selection.segments.empty() || selection.variables.empty()) {
    return false;
  }
  if (viewer.current_run < 0 || viewer.current_run >= static_cast<int>(viewer.runs.size())) {
    return false;
  }
  for (int run : selection.runs) {
    if (run < 0 || run >= static_cast<int>(viewer.runs.size())) return false;
  }
  return true;
}

}  // namespace

long long OutputChartCount(const OutputViewerText& viewer, const OutputSelection& selection,
                           OutputGraphType type) {
  if (!ValidSelection(viewer, selection)) return 0;
  const auto variables = static_cast<long long>(selection.variables.size());
  if (type == OutputGraphType::kSegmentVsTime && selection.runs.size() > 1) {
    return variables * static_cast<long long>(selection.segments.size());
  }
  return variables;
}

std::optional<ChartDescription> BuildOutputChart(const OutputViewerText& viewer,
                                                 const OutputSelection& selection,
                                                 OutputGraphType type, long long index) {
  if (index < 0 || index >= OutputChartCount(viewer, selection, type)) return std::nullopt;
  ChartDescription chart;
  if (type == OutputGraphType::kParamVsSeg) {
    FillParamVsSeg(viewer, selection, selection.variables[index], chart);
  } else if (selection.runs.size() == 1) {
    FillSegmentVsTimeOneRun(viewer, selection, selection.variables[index], chart);
  } else {
    const auto segments = static_cast<long long>(selection.segments.size());
    FillSegmentVsTimeRuns(viewer, selection, selection.variables[index / segments],
                          selection.segments[index % segments], chart);
  }
  if (type == OutputGraphType::kSegmentVsTime) {
    chart.start_date =
        RunStartDate(viewer.runs[viewer.current_run].basename).value_or(std::string());
  }
  chart.ApplyYLimits();
  return chart;
}

std::optional<std::string> RunStartDate(const std::string& basename) {
  LineReader deck(basename + ".inp", 512);
  if (!deck.IsOpen()) return std::nullopt;
  std::string_view line;
  // TITLE1 (after a "KOBALS" line), TITLE2, the column header, then the options line.
  for (int i = 0; i < 4; ++i) {
    if (deck.Next(line) != LineReader::Status::kLine) return std::nullopt;
    if (i == 0 && line.find("KOBALS") != std::string_view::npos) {
      if (deck.Next(line) != LineReader::Status::kLine) return std::nullopt;
    }
  }
  const double day = ColumnReal(line, 41, 5);
  const double hour = ColumnReal(line, 46, 3);
  const double minute = ColumnReal(line, 49, 2);
  if (day == 1.0 && hour == 0.0 && minute == 0.0) return std::nullopt;
  std::string text = StartDateText(day, hour, minute);
  if (text.empty()) return std::nullopt;
  return text;
}

}  // namespace orvo
