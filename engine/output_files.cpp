#include "engine/output_files.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "model/number_text.h"

namespace orvo::engine {
namespace {

constexpr size_t kMaxLine = 500;

std::string CleanLine(std::string line) {
  for (char& ch : line) {
    if (static_cast<unsigned char>(ch) < 32 || ch == 127) ch = ' ';
  }
  if (line.size() > kMaxLine) line.resize(kMaxLine);
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

// Right-aligned in width; the number text never depends on the process locale.
void AppendRight(std::string& out, const char* first, const char* last, size_t width) {
  const size_t length = static_cast<size_t>(last - first);
  if (length < width) out.append(width - length, ' ');
  out.append(first, last);
}

void AppendScientific(std::string& out, double value, int precision, size_t width) {
  char buffer[48];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                    std::chars_format::scientific, precision);
  AppendRight(out, buffer, result.ptr, width);
}

std::string BalanceHeading() {
  std::string line = "       Day";
  for (const char* column : {"Mass", "Change", "Adv. in", "Adv. out", "Disp. in", "Disp. out",
                             "Loads", "Decay", "Neg. fix", "Imbalance"}) {
    const std::string text(column);
    line.append(14 - text.size(), ' ');
    line += text;
  }
  return line;
}

}  // namespace

std::string TimeField(double time) {
  char buffer[48];
  for (int decimals : {5, 3, 1, 0}) {
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, time, std::chars_format::fixed, decimals);
    if (result.ptr - buffer <= 10) {
      std::string field;
      AppendRight(field, buffer, result.ptr, 10);
      return field;
    }
  }
  std::string field;
  AppendScientific(field, time, 3, 10);
  return field;
}

std::string DataFileHead(const std::vector<std::string>& header_lines,
                         const std::string& times_line, const std::string& segments_line,
                         const std::vector<std::string>& variable_names) {
  std::string out = IntText(static_cast<long long>(header_lines.size())) + "\n";
  for (const std::string& line : header_lines) out += CleanLine(line) + "\n";
  out += CleanLine(times_line) + "\n";
  out += CleanLine(segments_line) + "\n";
  for (const std::string& name : variable_names) out += CleanLine(name) + "\n";
  return out;
}

void AppendRecord(std::string& out, int segment, double time, const double* values, int count) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, segment);
  AppendRight(out, buffer, result.ptr, 6);
  out += TimeField(time);
  out += '\n';
  const int lines = (count + 5) / 6;
  for (int line = 0; line < lines; ++line) {
    for (int j = 0; j < 6; ++j) {
      const int v = 6 * line + j;
      AppendScientific(out, v < count ? values[v] : 0.0, 6, 14);
    }
    out += '\n';
  }
}

std::vector<std::string> TransportVariableNames() {
  return {"Volume {m^3)", "Total inflow {m^3/s)", "Depth {m)", "Velocity {m/s)"};
}

std::vector<std::string> ModelVariableNames(const EngineModel& model) {
  std::vector<std::string> names;
  for (const std::string& system : model.system_names) names.push_back(system + " {mg/L)");
  return names;
}

RunFiles::RunFiles(const EngineModel& model, const std::string& program, size_t output_times)
    : model_(model) {
  const std::string times_line = "Output times: " + IntText(static_cast<long long>(output_times)) +
                                 " from day " + RealText(model.start_day) + " to day " +
                                 RealText(model.start_day + model.EndTime());
  const std::string segments_line = "Segments: " + IntText(model.NOSEG);
  transport_ = DataFileHead(
      {model.TITLE1, model.TITLE2,
       std::string(ModelName(model.simulation_type)) + " transport variables (" + program + ")"},
      times_line, segments_line, TransportVariableNames());
  model_text_ = DataFileHead(
      {model.TITLE1, model.TITLE2,
       std::string(ModelName(model.simulation_type)) + " concentrations (" + program + ")"},
      times_line, segments_line, ModelVariableNames(model));
  if (model.JMASS == 0) {
    balance_ = "No system was chosen for the mass balance (JMASS 0).\n";
  } else {
    const int system = model.JMASS - 1;
    balance_ = CleanLine("Mass balance of system " + IntText(model.JMASS) + ", " +
                         model.system_names[static_cast<size_t>(system)] +
                         (model.bypassed[static_cast<size_t>(system)] ? " (bypassed)" : "")) +
               "\n";
    balance_ += CleanLine(model.TITLE1) + "\n";
    balance_ +=
        "Grams since the start of the run; Change = Mass - initial mass; Imbalance = Change - "
        "(Adv. in + Disp. in + Loads + Neg. fix) + (Adv. out + Disp. out + Decay).\n";
    balance_ += BalanceHeading() + "\n";
  }
}

bool RunFiles::Write(const Simulation& simulation, double time, std::string& /*error*/) {
  const int ns = model_.NOSYS;
  values_.resize(static_cast<size_t>(std::max(ns, 4)));
  const std::vector<double>& c = simulation.concentrations();
  for (int i = 0; i < model_.NOSEG; ++i) {
    values_[0] = model_.volume[static_cast<size_t>(i)];
    values_[1] = simulation.Inflow(i);
    values_[2] = simulation.Depth(i);
    values_[3] = simulation.Velocity(i);
    AppendRecord(transport_, i + 1, time, values_.data(), 4);
    AppendRecord(model_text_, i + 1, time, c.data() + static_cast<size_t>(i) * ns, ns);
  }
  if (model_.JMASS > 0) {
    const int system = model_.JMASS - 1;
    const MassBalance& b = simulation.balance(system);
    const double mass = simulation.Mass(system);
    const double change = mass - b.initial_mass;
    const double row[] = {mass,
                          change,
                          b.advective_in,
                          b.advective_out,
                          b.dispersive_in,
                          b.dispersive_out,
                          b.loads,
                          b.decay,
                          b.negative_fix,
                          change - (b.Inputs() - b.Outputs())};
    balance_ += TimeField(time);
    for (double value : row) AppendScientific(balance_, value, 6, 14);
    balance_ += '\n';
  }
  return true;
}

}  // namespace orvo::engine
