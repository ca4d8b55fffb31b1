// ChartLayout: the ".gsp" layout file of a chart, what a user saved of a chart's look so that
// the next chart of the same graph name looks the same. Text, one setting a line,
// "\n" line ends ("\r\n" read too), at most 64 KiB:
//
//   ORVO chart layout 1
//   graph_title Dissolved oxygen      titles: the rest of the line, as written
//   bottom_title Period
//   left_title Variable DO
//   x_min 0                           axis limits, "%.17g"; -10000 means not set
//   x_max 365
//   y_min 0
//   y_max 12.5
//   x_ticks 12                        X-axis ticks, as the chart description counts them
//   x_minor_ticks 0
//   y_ticks 5                         0: the Y axis has no ticks of its own
//   y_minor_ticks 0
//   tick_style 0
//   vertical_grid 1                   1 or 0
//   horizontal_grid 1
//   series_color 0 #1f77b4            series number from 0, colour as #rrggbb
//
// The first line is fixed. Every other line is optional and appears at most once (series_color
// once per series), in the order above; a setting that is absent leaves the chart's own.
// Unknown keys are skipped, so newer files still open; a known key with a bad value fails.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "results/chart_description.h"

namespace orvo {

struct ChartLayout {
  std::optional<std::string> graph_title, bottom_title, left_title;
  std::optional<double> x_min, x_max, y_min, y_max;
  std::optional<int> x_ticks, x_minor_ticks, y_ticks, y_minor_ticks, tick_style;
  std::optional<bool> vertical_grid, horizontal_grid;
  std::map<int, std::string> series_colors;

  // The layout of a chart as it stands: its limits, the titles of `frame`, its grid and tick
  // settings and the colours it names.
  static ChartLayout Of(const ChartDescription& chart, int frame);
  // Sets what the layout holds on the chart; titles go to every frame.
  void ApplyTo(ChartDescription& chart) const;

  std::string Text() const;
  // nullopt with error set for a text that is no layout.
  static std::optional<ChartLayout> Parse(const std::string& text, std::string& error);

  // Whole-file reading and writing; a failed write leaves an existing file as it was.
  static std::optional<ChartLayout> Load(const std::string& path, std::string& error);
  bool Save(const std::string& path, std::string& error) const;
};

}  // namespace orvo
