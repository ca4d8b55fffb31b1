#include "results/chart_description.h"

#include <algorithm>
#include <cmath>

#include "model/number_text.h"

namespace orvo {
namespace {

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

}  // namespace

void ChartDescription::Resize(int frame_count, int series_count, int point_count,
                              bool with_x_positions) {
  frames_ = std::max(frame_count, 0);
  series_ = std::max(series_count, 0);
  points_ = std::max(point_count, 0);
  const std::size_t size = static_cast<std::size_t>(frames_) * series_ * points_;
  values.assign(size, 0.0);
  flags.assign(size, 0);
  if (with_x_positions) {
    x_positions.assign(size, 0.0);
  } else {
    x_positions.clear();
  }
  frame_texts.resize(frames_);
  legend_texts.resize(series_);
  current_frame = 0;
}

void ChartDescription::ApplyYLimits() {
  bool any = false;
  double smallest = 0, largest = 0;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if ((flags[i] & kMissing) != 0 || !std::isfinite(values[i])) continue;
    if (!any) {
      smallest = largest = values[i];
      any = true;
    }
    smallest = std::min(smallest, values[i]);
    largest = std::max(largest, values[i]);
  }
  if (!any) return;
  if (smallest > 0 && largest > smallest) smallest = 0;
  if (y_min == kUnset) y_min = smallest;
  if (y_max == kUnset) y_max = largest;
}

std::string ChartDescription::Csv(int frame) const {
  std::string text =
      CsvField(frame >= 0 && frame < frames_ ? frame_texts[frame].bottom_title : std::string());
  for (const std::string& legend : legend_texts) text += ',' + CsvField(legend);
  text += '\n';
  if (frame < 0 || frame >= frames_) return text;
  for (int p = 0; p < points_; ++p) {
    if (IsXY() && series_ > 0) {
      text += RealText(X(frame, 0, p));
    } else if (p < static_cast<int>(point_labels.size())) {
      text += CsvField(point_labels[p]);
    } else {
      text += IntText(p + 1);
    }
    for (int s = 0; s < series_; ++s) {
      text += ',';
      if (!IsMissing(frame, s, p)) text += RealText(Value(frame, s, p));
    }
    text += '\n';
  }
  return text;
}

std::string StartDateText(double day, double hour, double minute) {
  const double total_minutes = ((day - 1) * 24 + hour) * 60 + minute;
  // Beyond a thousand years the text would no longer be a date.
  if (!std::isfinite(total_minutes) || total_minutes < 0 || total_minutes > 1000.0 * 365 * 1440) {
    return {};
  }
  static constexpr int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  auto minutes = static_cast<long long>(std::llround(total_minutes));
  long long days = minutes / 1440;
  minutes %= 1440;
  const long long year = days / 365;
  days %= 365;
  int month = 0;
  while (days >= kMonthDays[month]) days -= kMonthDays[month++];
  return CFormat("%04lld-%02d-%02lld %02lld:%02lld", year, month + 1, days + 1, minutes / 60,
                 minutes % 60);
}

}  // namespace orvo
