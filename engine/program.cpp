#include "engine/program.h"

#include <fstream>
#include <optional>
#include <sstream>
#include <system_error>
#include <vector>

#include "deck/deck_reader.h"
#include "engine/engine_model.h"
#include "engine/output_files.h"
#include "engine/simulation.h"
#include "model/number_text.h"
#include "model/unattended_platform.h"

namespace orvo::engine {
namespace {

namespace fs = std::filesystem;

constexpr size_t kMaxControlLine = 4096;

// The deck reader's way to the user: its messages become lines of the run log; nothing is
// ever asked.
class LogPlatform : public UnattendedPlatform {
 public:
  explicit LogPlatform(std::vector<std::string>& log) : log_(log) {}
  void ShowMessage(const std::string& text) override { log_.push_back("Deck reader: " + text); }

 private:
  std::vector<std::string>& log_;
};

std::string StripLineEnd(std::string line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n' || line.back() == ' ' ||
                           line.back() == '\t')) {
    line.pop_back();
  }
  return line;
}

// The same file, whether or not it exists yet.
bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code error;
  if (fs::exists(a, error) && fs::exists(b, error) && fs::equivalent(a, b, error)) return true;
  return fs::absolute(a, error).lexically_normal() == fs::absolute(b, error).lexically_normal();
}

// A file under construction: written beside its final name and renamed at the end, so that
// an interrupted run never leaves a file that looks finished.
class PartFile {
 public:
  explicit PartFile(fs::path final_path) : final_(std::move(final_path)) {
    part_ = final_;
    part_ += ".part";
  }
  ~PartFile() {
    if (!committed_) {
      out_.close();
      std::error_code error;
      fs::remove(part_, error);
    }
  }
  const fs::path& part() const { return part_; }
  const fs::path& final_path() const { return final_; }
  bool Open() {
    out_.open(part_, std::ios::binary | std::ios::trunc);
    return out_.is_open();
  }
  bool Append(const std::string& text) {
    out_.write(text.data(), static_cast<std::streamsize>(text.size()));
    return !out_.fail();
  }
  bool Close() {
    out_.close();
    return !out_.fail();
  }
  bool Commit(std::string& error) {
    std::error_code code;
    fs::rename(part_, final_, code);
    if (code) {
      error = "Unable to write " + final_.string() + ": " + code.message();
      return false;
    }
    committed_ = true;
    return true;
  }

 private:
  fs::path final_, part_;
  std::ofstream out_;
  bool committed_ = false;
};

std::string Describe(const EngineModel& model) {
  std::ostringstream text;
  text << ModelName(model.simulation_type) << ": " << model.NOSEG << " segments, " << model.NOSYS
       << " systems, " << model.flows.size() << " flow exchanges, " << model.dispersions.size()
       << " dispersive exchanges, " << model.loads.size() << " loads.";
  return text.str();
}

}  // namespace

bool ReadControlFile(const fs::path& path, ControlFile& control, std::string& error) {
  std::error_code code;
  if (fs::is_directory(path, code)) {
    error = "Unable to read " + path.string() + ": it is a directory.";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) {
    error = "Unable to open " + path.string() + ".";
    return false;
  }
  std::string lines[2];
  for (std::string& line : lines) {
    // Read by hand so that a file without line ends cannot make one huge line.
    char ch = 0;
    while (in.get(ch) && ch != '\n') {
      if (line.size() >= kMaxControlLine) {
        error = path.string() + ": a line is longer than " +
                IntText(static_cast<long long>(kMaxControlLine)) + " characters.";
        return false;
      }
      line += ch;
    }
    line = StripLineEnd(line);
  }
  control.installation_directory = lines[0];
  control.deck = lines[1];
  if (control.deck.empty()) {
    error = path.string() + ": line 2 does not name a deck.";
    return false;
  }
  return true;
}

int RunEngine(SimulationType simulation_type, const fs::path& working_directory, std::ostream& err,
              const RunHooks& hooks) {
  const std::string program = ProgramName(simulation_type);
  ControlFile control;
  std::string error;
  if (!ReadControlFile(working_directory / "orvo.ctl", control, error)) {
    err << program << ": " << error << "\n";
    return kNoControlFile;
  }
  fs::path deck = fs::path(control.deck);
  if (deck.is_relative()) deck = working_directory / deck;
  // The run's name: the deck's file name up to its last ".".
  const std::string file_name = deck.filename().string();
  const std::string name = file_name.substr(0, file_name.rfind('.'));
  if (name.empty()) {
    err << program << ": the deck name " << control.deck << " leaves no name for the outputs.\n";
    return kNoControlFile;
  }
  const fs::path base = deck.parent_path() / name;
  const auto with = [&base](const std::string& extension) {
    fs::path path = base;
    path += extension;
    return path;
  };
  const fs::path out_path = with(".out");
  const fs::path trn_path = with(".trn");
  const fs::path model_path = with(ModelExtension(simulation_type));
  const fs::path msb_path = with(".msb");

  std::vector<std::string> log;
  // The deck as orvo.ctl names it: the log of a run does not depend on the directory it ran in
  // (sensitivity runs side by side run in private directories and are moved beside the decks).
  log.push_back(program + ": simulation of " + control.deck);
  log.push_back("Installation directory (orvo.ctl): " + control.installation_directory);
  const auto finish = [&](const std::string& failure) {
    if (!failure.empty()) {
      log.push_back("Error: " + failure);
      log.push_back("The run ended with an error; no results were written.");
      err << program << ": " << failure << "\n";
    } else {
      log.push_back("The run ended normally.");
    }
    std::string text;
    for (const std::string& line : log) text += line + "\n";
    if (!SameFile(out_path, deck)) {
      PartFile out(out_path);
      std::string commit_error;
      if (!out.Open() || !out.Append(text) || !out.Close() || !out.Commit(commit_error)) {
        err << program << ": unable to write the run log " << out_path.string() << "\n";
        return kRunFailed;
      }
    }
    return failure.empty() ? kRunOk : kRunFailed;
  };

  // Never write over the deck, not even through a temporary name.
  for (const fs::path& path : {out_path, trn_path, model_path, msb_path}) {
    fs::path part = path;
    part += ".part";
    if (SameFile(path, deck) || SameFile(part, deck)) {
      return finish("The output file " + path.string() +
                    " would replace the deck itself: give the deck another name (such as " + name +
                    ".inp).");
    }
  }
  // Results of an earlier run of this deck must not pass for this run's.
  for (const fs::path& path : {trn_path, model_path, msb_path}) {
    std::error_code code;
    if (fs::is_regular_file(path, code)) fs::remove(path, code);
  }

  LogPlatform platform(log);
  const OrvoClass reader(deck.string(), platform);
  if (reader.record() == nullptr) {
    return finish("The deck " + deck.string() + " cannot be read.");
  }
  EngineModel model;
  std::vector<std::string> warnings;
  const bool built = BuildModel(*reader.record(), simulation_type, model, warnings, error);
  for (const std::string& warning : warnings) log.push_back("Warning: " + warning);
  if (!built) return finish(error);
  log.push_back("Titles: " + model.TITLE1);
  log.push_back("        " + model.TITLE2);
  log.push_back(Describe(model));
  for (int s = 0; s < model.NOSYS; ++s) {
    log.push_back("System " + IntText(s + 1) + " " + model.system_names[static_cast<size_t>(s)] +
                  (model.bypassed[static_cast<size_t>(s)] ? ": bypassed" : ": simulated"));
  }
  std::vector<double> times;
  if (!OutputTimes(model, times, error)) return finish(error);
  log.push_back(model.INTYP == 0 ? std::string("Time steps: the history of card A (INTYP 0).")
                                 : std::string("Time steps: chosen for stability (INTYP 1)."));
  log.push_back("Run from day " + RealText(model.start_day) + " to day " +
                RealText(model.start_day + model.EndTime()) + ", " +
                IntText(static_cast<long long>(times.size())) + " output times.");

  PartFile trn(trn_path), result(model_path), msb(msb_path);
  for (PartFile* file : {&trn, &result, &msb}) {
    if (!file->Open()) return finish("Unable to create " + file->part().string() + ".");
  }
  // Appends what the run has produced so far, so that memory stays bounded.
  class Sink : public OutputSink {
   public:
    Sink(RunFiles& files, PartFile& t, PartFile& m, PartFile& b, const RunHooks& hooks)
        : files_(files), t_(t), m_(m), b_(b), hooks_(hooks) {}
    bool Write(const Simulation& simulation, double time, std::string& error) override {
      if (!files_.Write(simulation, time, error)) return false;
      if (!t_.Append(files_.TakeTransport()) || !m_.Append(files_.TakeModel()) ||
          !b_.Append(files_.TakeBalance())) {
        error = "Unable to write the output files (disk full?).";
        return false;
      }
      if (hooks_.progress != nullptr) {
        *hooks_.progress << "t = " << RealText(simulation.elapsed()) << " of "
                         << RealText(simulation.model().EndTime()) << std::endl;
      }
      return true;
    }
    bool StopRequested() const override { return hooks_.stop != nullptr && *hooks_.stop != 0; }

   private:
    RunFiles& files_;
    PartFile &t_, &m_, &b_;
    const RunHooks& hooks_;
  };
  RunFiles files(model, program, times.size());
  Sink sink(files, trn, result, msb, hooks);
  Simulation simulation(model);
  RunLog run_log;
  const RunOutcome outcome = RunSimulation(simulation, &sink, &run_log);
  log.insert(log.end(), run_log.begin(), run_log.end());
  if (!outcome.ok) return finish(outcome.error);
  for (PartFile* file : {&trn, &result, &msb}) {
    if (!file->Close()) return finish("Unable to write " + file->part().string() + ".");
  }
  for (PartFile* file : {&trn, &result, &msb}) {
    if (!file->Commit(error)) return finish(error);
  }
  log.push_back(IntText(outcome.steps) + " time steps, " + IntText(outcome.outputs) +
                " output times.");
  return finish({});
}

}  // namespace orvo::engine
