#include "run_report.h"

#include <cmath>
#include <limits>
#include <utility>

#include "model/number_text.h"
#include "model/platform.h"
#include "orvo_output_data.h"
#include "orvo_report_doc.h"

namespace orvo {

namespace {

// What a statistic shows when not one of its values could be read.
const char kNoValue[] = " - ";

// The values of one variable at one segment (1-based) of a run, or null when the run has none.
const std::vector<double>* SeriesOf(const OrvoOutputData& run, OutputTable table, int variable,
                                    int segment) {
  const std::vector<OutputVariable>& variables = run.Variables(table);
  if (variable < 0 || static_cast<std::size_t>(variable) >= variables.size()) return nullptr;
  const auto& series = variables[static_cast<std::size_t>(variable)].series;
  if (segment < 1 || static_cast<std::size_t>(segment) > series.size()) return nullptr;
  return &series[static_cast<std::size_t>(segment - 1)];
}

// false for a value that cannot be read (the run is shorter, or has no such series).
inline bool ValueAt(const std::vector<double>* series, int time_step, double& value) {
  if (series == nullptr || static_cast<std::size_t>(time_step) >= series->size()) return false;
  value = (*series)[static_cast<std::size_t>(time_step)];
  return true;
}

// |x - b|, in percent of |b| when percent is on. A zero reference makes any other value an
// infinite difference.
inline double Difference(double x, double b, bool percent) {
  const double difference = std::fabs(x - b);
  if (!percent) return difference;
  if (b == 0) return difference == 0 ? 0 : std::numeric_limits<double>::infinity();
  return difference / std::fabs(b) * 100;
}

struct ColumnStats {
  int above = 0;
  int below = 0;
  long long count = 0;  // values that could be read
  double maximum = 0;
  double minimum = 0;
  double sum = 0;
};

struct VariableReport {
  int index = 0;  // into variable_names
  OutputTable table = OutputTable::kModel;
  int variable = 0;
  double largest = 0;                           // over all runs
  std::vector<double> run_largest;              // per run
  std::vector<std::vector<ColumnStats>> stats;  // [run][column]
  bool shows_differences = false;
};

VariableReport CompareVariable(const CORVOReportDoc& document,
                               const std::vector<ReportColumn>& columns, int steps,
                               const ReportOptions& options, int index, OutputTable table,
                               int variable) {
  VariableReport report;
  report.index = index;
  report.table = table;
  report.variable = variable;
  const std::size_t run_count = document.runs.size();
  report.run_largest.assign(run_count, 0);
  report.stats.assign(run_count, std::vector<ColumnStats>(columns.size()));
  const OrvoOutputData& reference = document.runs.front();
  for (std::size_t r = 0; r < run_count; ++r) {
    const OrvoOutputData& run = document.runs[r];
    double& run_largest = report.run_largest[r];
    for (std::size_t c = 0; c < columns.size(); ++c) {
      ColumnStats& stats = report.stats[r][c];
      for (int segment : columns[c].segments) {
        const std::vector<double>* base = SeriesOf(reference, table, variable, segment);
        const std::vector<double>* compared = SeriesOf(run, table, variable, segment);
        for (int t = 0; t < steps; ++t) {
          double b = 0;
          double x = 0;
          const bool has_b = ValueAt(base, t, b);
          const bool has_x = ValueAt(compared, t, x);
          if (has_b && has_x) {
            // x == b gives 0, never -0 for a negative reference.
            const double p = b != 0 && x != b ? (x - b) / b * 100 : 0;
            if (std::fabs(p) > std::fabs(run_largest)) run_largest = p;
            if (std::fabs(p) > std::fabs(report.largest)) report.largest = p;
            if (Difference(x, b, options.percent) > options.threshold) {
              report.shows_differences = true;
              ++(x >= b ? stats.above : stats.below);
            }
          }
          if (has_x) {
            // Max and Min start from the first value that can be read.
            if (stats.count == 0 || x > stats.maximum) stats.maximum = x;
            if (stats.count == 0 || x < stats.minimum) stats.minimum = x;
            stats.sum += x;
            ++stats.count;
          }
        }
      }
    }
  }
  if (options.threshold < kListAllThreshold && !columns.empty()) report.shows_differences = true;
  return report;
}

// Selection order, or by the magnitude of the largest difference: each position takes the
// largest (or smallest) of those after it by swapping.
void SortVariables(std::vector<VariableReport>& reports, int sort_mode) {
  if (sort_mode != 1 && sort_mode != 2) return;
  for (std::size_t i = 0; i < reports.size(); ++i) {
    for (std::size_t j = i + 1; j < reports.size(); ++j) {
      const double a_i = std::fabs(reports[i].largest);
      const double a_j = std::fabs(reports[j].largest);
      if (sort_mode == 1 ? a_j > a_i : a_j < a_i) std::swap(reports[i], reports[j]);
    }
  }
}

std::string Short(double value) {
  return CFormat("%.3g", value);
}

}  // namespace

std::string SortTitle(int sort_mode) {
  switch (sort_mode) {
    case 1:
      return "% diff  v";
    case 2:
      return "% diff  ^";
    default:
      return "% diff";
  }
}

std::string RunName(const OrvoOutputData& run, bool full_path) {
  if (full_path) return run.pathname;
  const std::size_t slash = run.pathname.rfind('/');
  return OrvoOutputData::StripExtension(
      slash == std::string::npos ? run.pathname : run.pathname.substr(slash + 1));
}

ReportGrid BuildReport(const CORVOReportDoc& document, const std::vector<int>& selected_variables,
                       const ReportOptions& options) {
  ReportGrid grid;
  const std::vector<ReportColumn> columns = document.Columns();
  std::vector<std::string> titles = {"Run", "Description", "Timesteps",
                                     SortTitle(options.sort_mode)};
  for (const ReportColumn& column : columns) {
    if (options.show_all_data) {
      titles.push_back(column.identifier);
      continue;
    }
    // Each count under the title of what it counts.
    if (options.exceedences) {
      titles.push_back(column.identifier + ": + exceedences");
      titles.push_back(column.identifier + ": - exceedences");
    }
    if (options.maximum) titles.push_back(column.identifier + ": Max");
    if (options.minimum) titles.push_back(column.identifier + ": Min");
    if (options.mean) titles.push_back(column.identifier + ": Mean");
  }
  const std::size_t width = titles.size();
  grid.rows.push_back(std::move(titles));
  grid.variable_row.push_back(false);
  if (document.runs.empty()) return grid;

  const int steps = document.ReferenceSteps();
  std::vector<VariableReport> reports;
  for (int index : selected_variables) {
    OutputTable table = OutputTable::kModel;
    int variable = 0;
    if (!document.VariableAt(index, table, variable)) continue;
    reports.push_back(CompareVariable(document, columns, steps, options, index, table, variable));
  }
  SortVariables(reports, options.sort_mode);

  const OrvoOutputData& reference = document.runs.front();
  const auto add_row = [&](std::vector<std::string> row, bool heads_variable) {
    row.resize(width);
    grid.rows.push_back(std::move(row));
    grid.variable_row.push_back(heads_variable);
  };
  for (const VariableReport& report : reports) {
    if (!report.shows_differences) continue;
    add_row({document.variable_names[static_cast<std::size_t>(report.index)], "", "",
             Short(report.largest)},
            true);
    for (std::size_t r = 0; r < document.runs.size(); ++r) {
      const OrvoOutputData& run = document.runs[r];
      const std::string name = RunName(run, options.full_path);
      const std::string largest = Short(report.run_largest[r]);
      if (!options.show_all_data) {
        std::vector<std::string> row = {name, run.title2,
                                        IntText(run.GetNumTimeSteps(OutputTable::kModel)), largest};
        for (const ColumnStats& stats : report.stats[r]) {
          if (options.exceedences) {
            row.push_back(IntText(stats.above));
            row.push_back(IntText(stats.below));
          }
          const bool any = stats.count > 0;
          if (options.maximum) row.push_back(any ? Short(stats.maximum) : kNoValue);
          if (options.minimum) row.push_back(any ? Short(stats.minimum) : kNoValue);
          if (options.mean) {
            row.push_back(any ? Short(stats.sum / static_cast<double>(stats.count)) : kNoValue);
          }
        }
        add_row(std::move(row), false);
        continue;
      }
      for (int t = 0; t < steps; ++t) {
        std::vector<std::string> row = {
            name, run.title2, RealText(reference.GetTime(OutputTable::kModel, t)), largest};
        for (const ReportColumn& column : columns) {
          double sum = 0;
          int count = 0;
          for (int segment : column.segments) {
            double x = 0;
            if (ValueAt(SeriesOf(run, report.table, report.variable, segment), t, x)) {
              sum += x;
              ++count;
            }
          }
          row.push_back(count > 0 ? RealText(sum / count) : kNoValue);
        }
        add_row(std::move(row), false);
      }
    }
  }
  return grid;
}

std::optional<std::vector<int>> VariablesShowingDifferences(const CORVOReportDoc& document,
                                                            double threshold, bool percent,
                                                            Platform& platform) {
  if (document.runs.empty()) {
    platform.ShowMessage("Please select ORVO runs to study.");
    return std::nullopt;
  }
  if (document.report_segments.empty()) {
    platform.ShowMessage("Please select segments to study.");
    return std::nullopt;
  }
  const int steps = document.ReferenceSteps();
  const OrvoOutputData& reference = document.runs.front();
  const auto differs = [&](OutputTable table, int variable) {
    for (const OrvoOutputData& run : document.runs) {
      for (const auto& [number, entry] : document.report_segments) {
        const std::vector<double>* base = SeriesOf(reference, table, variable, entry.segment);
        const std::vector<double>* compared = SeriesOf(run, table, variable, entry.segment);
        for (int t = 0; t < steps; ++t) {
          double b = 0;
          double x = 0;
          if (ValueAt(base, t, b) && ValueAt(compared, t, x) &&
              Difference(x, b, percent) > threshold) {
            return true;
          }
        }
      }
    }
    return false;
  };
  std::vector<int> selected;
  for (int index = 0; index < static_cast<int>(document.variable_names.size()); ++index) {
    OutputTable table = OutputTable::kModel;
    int variable = 0;
    if (document.VariableAt(index, table, variable) && differs(table, variable)) {
      selected.push_back(index);
    }
  }
  return selected;
}

CellRows InputFileRows(const CORVOReportDoc& document, bool full_path) {
  CellRows rows = {{"File Name", "TITLE1", "TITLE2", "Length of Run"}};
  for (const OrvoOutputData& run : document.runs) {
    const int steps = run.GetNumTimeSteps(OutputTable::kModel);
    rows.push_back({RunName(run, full_path), run.title1, run.title2,
                    steps > 0 ? RealText(run.GetTime(OutputTable::kModel, steps - 1)) : "0"});
  }
  return rows;
}

CellRows SegmentRows(const CORVOReportDoc& document) {
  CellRows rows = {{"Identifier", "Segment(s)"}};
  for (const ReportColumn& column : document.Columns()) {
    std::string segments;
    for (int segment : column.segments) {
      if (!segments.empty()) segments += ", ";
      segments += IntText(segment);
    }
    rows.push_back({column.identifier, std::move(segments)});
  }
  return rows;
}

std::string CsvText(const CellRows& rows) {
  std::string text;
  for (const std::vector<std::string>& row : rows) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (i > 0) text += ',';
      const std::string& cell = row[i];
      if (cell.find_first_of(",\"\r\n") == std::string::npos) {
        text += cell;
        continue;
      }
      text += '"';
      for (char c : cell) {
        if (c == '"') text += '"';
        text += c;
      }
      text += '"';
    }
    text += '\n';
  }
  return text;
}

}  // namespace orvo
