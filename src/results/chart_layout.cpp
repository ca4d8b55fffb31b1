#include "results/chart_layout.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "model/number_text.h"

namespace orvo {
namespace {

constexpr char kFirstLine[] = "ORVO chart layout 1";
constexpr std::size_t kMaxFileSize = 64 * 1024;

std::optional<double> Limit(double value) {
  if (value == ChartDescription::kUnset) return std::nullopt;
  return value;
}

bool ParseReal(const std::string& text, double& value) {
  if (text.empty() || text.size() > 40) return false;
  // Strict: the whole text must be the number.
  std::istringstream in(text);
  in.imbue(std::locale::classic());
  in >> value;
  return !in.fail() && in.eof() && std::isfinite(value);
}

bool ParseInt(const std::string& text, int& value) {
  if (text.empty() || text.size() > 6) return false;
  std::size_t i = text[0] == '-' ? 1 : 0;
  if (i == text.size()) return false;
  for (std::size_t j = i; j < text.size(); ++j) {
    if (text[j] < '0' || text[j] > '9') return false;
  }
  value = AtoI(text);
  return true;
}

bool IsColor(const std::string& text) {
  if (text.size() != 7 || text[0] != '#') return false;
  return text.find_first_not_of("0123456789abcdefABCDEF", 1) == std::string::npos;
}

}  // namespace

ChartLayout ChartLayout::Of(const ChartDescription& chart, int frame) {
  ChartLayout layout;
  if (frame >= 0 && frame < static_cast<int>(chart.frame_texts.size())) {
    layout.graph_title = chart.frame_texts[frame].graph_title;
    layout.bottom_title = chart.frame_texts[frame].bottom_title;
    layout.left_title = chart.frame_texts[frame].left_title;
  }
  layout.x_min = Limit(chart.x_min);
  layout.x_max = Limit(chart.x_max);
  layout.y_min = Limit(chart.y_min);
  layout.y_max = Limit(chart.y_max);
  layout.x_ticks = chart.x_axis_ticks;
  layout.x_minor_ticks = chart.x_minor_ticks;
  layout.y_ticks = chart.y_axis_ticks_on ? chart.y_axis_tick_count : 0;
  layout.y_minor_ticks = chart.y_minor_ticks;
  layout.tick_style = chart.tick_style;
  layout.vertical_grid = chart.vertical_grid;
  layout.horizontal_grid = chart.horizontal_grid;
  for (std::size_t i = 0; i < chart.series_colors.size(); ++i) {
    if (IsColor(chart.series_colors[i]))
      layout.series_colors[static_cast<int>(i)] = chart.series_colors[i];
  }
  return layout;
}

void ChartLayout::ApplyTo(ChartDescription& chart) const {
  for (ChartFrameTexts& texts : chart.frame_texts) {
    if (graph_title) texts.graph_title = *graph_title;
    if (bottom_title) texts.bottom_title = *bottom_title;
    if (left_title) texts.left_title = *left_title;
  }
  if (x_min) chart.x_min = *x_min;
  if (x_max) chart.x_max = *x_max;
  if (y_min) chart.y_min = *y_min;
  if (y_max) chart.y_max = *y_max;
  if (x_ticks) chart.x_axis_ticks = *x_ticks;
  if (x_minor_ticks) chart.x_minor_ticks = *x_minor_ticks;
  if (y_ticks) {
    chart.y_axis_ticks_on = *y_ticks > 0;
    if (*y_ticks > 0) chart.y_axis_tick_count = *y_ticks;
  }
  if (y_minor_ticks) chart.y_minor_ticks = *y_minor_ticks;
  if (tick_style) chart.tick_style = *tick_style;
  if (vertical_grid) chart.vertical_grid = *vertical_grid;
  if (horizontal_grid) chart.horizontal_grid = *horizontal_grid;
  for (const auto& [series, color] : series_colors) {
    if (series >= chart.series()) continue;
    if (chart.series_colors.size() < static_cast<std::size_t>(chart.series())) {
      chart.series_colors.resize(chart.series());
    }
    chart.series_colors[series] = color;
  }
}

std::string ChartLayout::Text() const {
  std::string text = std::string(kFirstLine) + "\n";
  const auto put_text = [&](const char* key, const std::optional<std::string>& value) {
    if (!value) return;
    std::string line = *value;
    for (char& c : line) {
      if (c == '\n' || c == '\r') c = ' ';  // one setting a line
    }
    text += std::string(key) + ' ' + line + '\n';
  };
  const auto put_real = [&](const char* key, const std::optional<double>& value) {
    if (value) text += std::string(key) + ' ' + CFormat("%.17g", *value) + '\n';
  };
  const auto put_int = [&](const char* key, const std::optional<int>& value) {
    if (value) text += std::string(key) + ' ' + IntText(*value) + '\n';
  };
  const auto put_bool = [&](const char* key, const std::optional<bool>& value) {
    if (value) text += std::string(key) + (*value ? " 1\n" : " 0\n");
  };
  put_text("graph_title", graph_title);
  put_text("bottom_title", bottom_title);
  put_text("left_title", left_title);
  put_real("x_min", x_min);
  put_real("x_max", x_max);
  put_real("y_min", y_min);
  put_real("y_max", y_max);
  put_int("x_ticks", x_ticks);
  put_int("x_minor_ticks", x_minor_ticks);
  put_int("y_ticks", y_ticks);
  put_int("y_minor_ticks", y_minor_ticks);
  put_int("tick_style", tick_style);
  put_bool("vertical_grid", vertical_grid);
  put_bool("horizontal_grid", horizontal_grid);
  for (const auto& [series, color] : series_colors) {
    text += "series_color " + IntText(series) + ' ' + color + '\n';
  }
  return text;
}

std::optional<ChartLayout> ChartLayout::Parse(const std::string& text, std::string& error) {
  ChartLayout layout;
  std::size_t start = 0;
  int number = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    start = end + 1;
    ++number;
    const auto fail = [&](const std::string& what) {
      error = "ChartLayout: line " + IntText(number) + ": " + what;
      return std::nullopt;
    };
    if (number == 1) {
      if (line != kFirstLine) return fail("not a chart layout file");
      continue;
    }
    if (line.empty()) continue;
    const std::size_t blank = line.find(' ');
    const std::string key = line.substr(0, blank);
    const std::string value = blank == std::string::npos ? std::string() : line.substr(blank + 1);
    std::optional<std::string>* title = key == "graph_title"    ? &layout.graph_title
                                        : key == "bottom_title" ? &layout.bottom_title
                                        : key == "left_title"   ? &layout.left_title
                                                                : nullptr;
    std::optional<double>* real = key == "x_min"   ? &layout.x_min
                                  : key == "x_max" ? &layout.x_max
                                  : key == "y_min" ? &layout.y_min
                                  : key == "y_max" ? &layout.y_max
                                                   : nullptr;
    std::optional<int>* integer = key == "x_ticks"         ? &layout.x_ticks
                                  : key == "x_minor_ticks" ? &layout.x_minor_ticks
                                  : key == "y_ticks"       ? &layout.y_ticks
                                  : key == "y_minor_ticks" ? &layout.y_minor_ticks
                                  : key == "tick_style"    ? &layout.tick_style
                                                           : nullptr;
    std::optional<bool>* flag = key == "vertical_grid"     ? &layout.vertical_grid
                                : key == "horizontal_grid" ? &layout.horizontal_grid
                                                           : nullptr;
    if (title != nullptr) {
      *title = value;
    } else if (real != nullptr) {
      double parsed = 0;
      if (!ParseReal(value, parsed)) return fail("\"" + value + "\" is not a number");
      *real = parsed;
    } else if (integer != nullptr) {
      int parsed = 0;
      if (!ParseInt(value, parsed) || parsed < 0 || parsed > 10000) {
        return fail("\"" + value + "\" is not a count from 0 to 10000");
      }
      *integer = parsed;
    } else if (flag != nullptr) {
      if (value != "0" && value != "1") return fail("\"" + value + "\" is neither 0 nor 1");
      *flag = value == "1";
    } else if (key == "series_color") {
      const std::size_t space = value.find(' ');
      int series = 0;
      const std::string color =
          space == std::string::npos ? std::string() : value.substr(space + 1);
      if (!ParseInt(value.substr(0, space), series) || series < 0 || !IsColor(color)) {
        return fail("\"" + value + "\" is not a series number and a #rrggbb colour");
      }
      layout.series_colors[series] = color;
    }
  }
  if (number == 0) {
    error = "ChartLayout: the file is empty";
    return std::nullopt;
  }
  return layout;
}

std::optional<ChartLayout> ChartLayout::Load(const std::string& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "ChartLayout: Unable to open " + path;
    return std::nullopt;
  }
  std::string text(kMaxFileSize + 1, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(in.gcount()));
  if (text.size() > kMaxFileSize) {
    error = "ChartLayout: " + path + " is larger than any chart layout";
    return std::nullopt;
  }
  std::optional<ChartLayout> layout = Parse(text, error);
  if (!layout) error += " (" + path + ")";
  return layout;
}

bool ChartLayout::Save(const std::string& path, std::string& error) const {
  // Written beside the file and renamed over it, so a failed write keeps the old layout.
  const std::string temporary = path + ".tmp";
  const std::string text = Text();
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  bool written = file != nullptr && std::fwrite(text.data(), 1, text.size(), file) == text.size();
  if (file != nullptr && std::fclose(file) != 0) written = false;
  if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    error = "ChartLayout: Unable to write " + path;
    return false;
  }
  return true;
}

}  // namespace orvo
