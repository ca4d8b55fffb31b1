// ChartDescription: everything a chart window draws, as plain data, so that the output viewer,
// the input plots, the run comparison report, the command line and the tests build and read
// charts without a window. Values are kept frame x series x point; a frame is one picture of
// an animation (the "Param vs. Seg" charts hold one frame per run).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvo {

// Titles of one frame. An empty caption means the window shows the graph title.
struct ChartFrameTexts {
  std::string graph_title;
  std::string bottom_title;
  std::string left_title;
  std::string caption;
};

struct ChartDescription {
  static constexpr double kUnset = -10000.0;     // an axis limit that is not set
  static constexpr std::uint8_t kMissing = 128;  // point flag of a value that could not be read
  // Graph types: kXYChart draws the series over their x positions; the other types draw them
  // over evenly spaced points labelled with point_labels.
  static constexpr int kLineChart = 6;
  static constexpr int kXYChart = 9;

  // Sizes every per-point table (values 0, flags 0; x positions only for x-y charts) and the
  // per-frame texts and legends.
  void Resize(int frame_count, int series_count, int point_count, bool with_x_positions);

  int frames() const { return frames_; }
  int series() const { return series_; }
  int points() const { return points_; }
  bool IsXY() const { return graph_type == kXYChart && !x_positions.empty(); }

  std::size_t Index(int frame, int series_index, int point) const {
    return (static_cast<std::size_t>(frame) * series_ + series_index) * points_ + point;
  }
  double Value(int frame, int series_index, int point) const {
    return values[Index(frame, series_index, point)];
  }
  bool IsMissing(int frame, int series_index, int point) const {
    return (flags[Index(frame, series_index, point)] & kMissing) != 0;
  }
  // The x position of a point: its x position in x-y charts, else its 0-based index.
  double X(int frame, int series_index, int point) const {
    return IsXY() ? x_positions[Index(frame, series_index, point)] : point;
  }
  void SetValue(int frame, int series_index, int point, double value) {
    values[Index(frame, series_index, point)] = value;
  }
  void SetMissing(int frame, int series_index, int point) {
    flags[Index(frame, series_index, point)] = kMissing;
  }

  // Fills Y min and Y max when they are not set: the smallest and largest value of all frames,
  // the lower limit 0 when all values are positive and not all equal. Missing values take no
  // part: they are not drawn, so they must not stretch the axis either. With no value at all
  // the limits stay unset.
  void ApplyYLimits();

  // One frame as comma-separated text: a header line (the bottom title, then the legend texts),
  // then one line per point: its x (x position, or point label when there is one, else the
  // point's number from 1), then each series' value ("%g", empty when missing). Fields that
  // hold a comma, a quote or a line end are quoted. Lines end with "\n".
  std::string Csv(int frame) const;

  int graph_type = kLineChart;
  int graph_style = 5;
  std::vector<double> values;
  std::vector<double> x_positions;  // empty unless the chart is an x-y chart
  std::vector<std::uint8_t> flags;
  std::vector<ChartFrameTexts> frame_texts;  // one per frame
  std::vector<std::string> legend_texts;     // one per series
  std::vector<std::string> point_labels;     // empty, or one per point
  std::vector<std::string> series_colors;    // "#rrggbb" per series; empty entries: automatic
  std::string graph_name;                    // the layout file is graph_name + ".gsp"
  double x_min = kUnset, x_max = kUnset, y_min = kUnset, y_max = kUnset;
  double y2_min = kUnset, y2_max = kUnset;
  int x_axis_ticks = 0;
  int x_minor_ticks = 0;
  int y_minor_ticks = 0;
  bool y_axis_ticks_on = true;
  int y_axis_tick_count = 5;
  int tick_style = 0;
  bool vertical_grid = true;
  bool horizontal_grid = true;
  int label_interval = 0;  // 0: every points / 50 + 1 points
  // "yyyy-mm-dd hh:mm" of the first point, empty for numeric X labels; year 0000 when the run
  // gives only a day of the year (the labels then leave the year out).
  std::string start_date;
  std::string date_increment = "0000:01:01";  // between evenly spaced points
  int current_frame = 0;

 private:
  int frames_ = 0;
  int series_ = 0;
  int points_ = 0;
};

// Start date text for a run that starts on day `day` of its year (1 = January 1) at hour:minute
// ("0000-mm-dd hh:mm"); days beyond the year carry into the next ones, counted as 365 days.
// Empty when the values are not finite, negative or absurd.
std::string StartDateText(double day, double hour, double minute);

}  // namespace orvo
