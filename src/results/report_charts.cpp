#include "report_charts.h"

#include "model/number_text.h"
#include "orvo_report_doc.h"

namespace orvo {

namespace {

// The Y range shared by the charts of several variables: up to the largest value any plotted
// run reaches at a report segment, when that is more than a trace.
constexpr double kSmallestRange = 0.01;

}  // namespace

std::vector<ChartDescription> ReportCharts(const CORVOReportDoc& document,
                                           const std::vector<int>& runs,
                                           const std::vector<int>& variables) {
  std::vector<ChartDescription> charts;
  if (document.runs.empty() || variables.empty() || runs.empty()) return charts;
  const OrvoOutputData& reference = document.runs.front();
  const int steps = document.ReferenceSteps();
  std::vector<int> segments;  // the report segments in the grid's order; never the groups
  for (const auto& [number, entry] : document.report_segments) segments.push_back(entry.segment);
  const int points = static_cast<int>(segments.size());

  // Fills a chart's frames: series s of frame t holds value(s) at each report segment.
  const auto fill = [&](ChartDescription& chart, int series_count, const auto& source) {
    chart.graph_style = 4;
    chart.Resize(steps, series_count, points, false);
    chart.point_labels.resize(static_cast<std::size_t>(points));
    for (int point = 0; point < points; ++point) {
      chart.point_labels[static_cast<std::size_t>(point)] =
          IntText(segments[static_cast<std::size_t>(point)]);
    }
    for (int t = 0; t < steps; ++t) {
      chart.frame_texts[static_cast<std::size_t>(t)].graph_title =
          "Time " + RealText(reference.GetTime(OutputTable::kModel, t));
      chart.frame_texts[static_cast<std::size_t>(t)].bottom_title = "Segment #";
      for (int s = 0; s < series_count; ++s) {
        for (int point = 0; point < points; ++point) {
          chart.SetMissing(t, s, point);
          double value = 0;
          if (source(s, segments[static_cast<std::size_t>(point)] - 1, t, value)) {
            chart.SetValue(t, s, point, value);
            chart.flags[chart.Index(t, s, point)] = 0;
          }
        }
      }
    }
  };
  const auto read = [&](int run, int variable, int segment, int t, double& value) {
    OutputTable table = OutputTable::kModel;
    int index = 0;
    return document.VariableAt(variable, table, index) &&
           document.runs[static_cast<std::size_t>(run)].GetValue(table, index, segment, t, value);
  };
  const auto units = [&](int variable) {
    OutputTable table = OutputTable::kModel;
    int index = 0;
    return document.VariableAt(variable, table, index) ? reference.GetUnits(table, index)
                                                       : std::string();
  };

  if (variables.size() == 1) {
    const int variable = variables.front();
    ChartDescription& chart = charts.emplace_back();
    fill(chart, static_cast<int>(runs.size()), [&](int s, int segment, int t, double& value) {
      return read(runs[static_cast<std::size_t>(s)], variable, segment, t, value);
    });
    for (std::size_t s = 0; s < runs.size(); ++s) {
      chart.legend_texts[s] = document.runs[static_cast<std::size_t>(runs[s])].basename;
    }
    for (ChartFrameTexts& texts : chart.frame_texts) {
      texts.caption = document.variable_names[static_cast<std::size_t>(variable)];
      texts.left_title = units(variable);
    }
    return charts;
  }

  double largest = 0;
  bool any = false;
  for (int run : runs) {
    for (int variable : variables) {
      OutputTable table = OutputTable::kModel;
      int index = 0;
      if (!document.VariableAt(variable, table, index)) continue;
      for (int segment : segments) {
        double maximum = 0;
        if (document.runs[static_cast<std::size_t>(run)].GetMaximum(table, index, segment - 1,
                                                                    maximum) &&
            (!any || maximum > largest)) {
          largest = maximum;
          any = true;
        }
      }
    }
  }
  for (int run : runs) {
    ChartDescription& chart = charts.emplace_back();
    fill(chart, static_cast<int>(variables.size()), [&](int s, int segment, int t, double& value) {
      return read(run, variables[static_cast<std::size_t>(s)], segment, t, value);
    });
    for (std::size_t s = 0; s < variables.size(); ++s) {
      chart.legend_texts[s] = document.variable_names[static_cast<std::size_t>(variables[s])];
    }
    for (ChartFrameTexts& texts : chart.frame_texts) {
      texts.caption = document.runs[static_cast<std::size_t>(run)].basename;
      texts.left_title = units(variables.front());
    }
    chart.y_min = 0;
    chart.y_max = largest > kSmallestRange ? largest : 0;
  }
  return charts;
}

}  // namespace orvo
