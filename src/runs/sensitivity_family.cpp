#include "runs/sensitivity_family.h"

#include <poll.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <thread>
#include <utility>

#include "deck/deck_writer.h"
#include "model/number_text.h"

namespace orvo {
namespace {

namespace fs = std::filesystem;

constexpr char kWho[] = "COrvoBuilderDoc::ExecuteSensitivityAnalysis: ";

// Appends the file's bytes to out; false when it cannot be read.
bool AppendFile(const std::string& path, std::ofstream& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) return false;
  out << in.rdbuf();
  // An empty piece (the "_pre" file of group B) leaves the stream's failbit set: not an error.
  out.clear(out.rdstate() & ~std::ios::failbit);
  return !in.bad();
}

}  // namespace

std::string FirstLine(const std::string& message) {
  std::string line = message.substr(0, message.find('\n'));
  const size_t said = line.find("  Its last output:");
  if (said != std::string::npos) line.erase(said);
  return line;
}

struct SensitivityFamily::Active {
  size_t position;
  PreparedModelRun prepared;
  std::unique_ptr<ModelRun> run;
  std::string private_directory;  // empty: the run goes in D
};

SensitivityFamily::SensitivityFamily(COrvoBuilderDoc& doc, FamilyOptions options)
    : doc_(doc), options_(std::move(options)) {
  options_.jobs = std::max(options_.jobs, 1);
  const SensitivityFiles& files = options_.files;
  if (options_.base_case) {
    states_.push_back({-1, files.Path(".inp"), doc_.group_a.TITLE2, FamilyRunStatus::kWaiting, {}});
  }
  for (int k = 0; k < options_.runs; ++k) {
    const std::string description = static_cast<size_t>(k) < options_.descriptions.size()
                                        ? options_.descriptions[static_cast<size_t>(k)]
                                        : std::string();
    states_.push_back(
        {k, files.Path(IntText(k) + ".inp"), description, FamilyRunStatus::kWaiting, {}});
  }
}

SensitivityFamily::~SensitivityFamily() {
  for (auto& active : active_) {
    if (active->run->Running()) active->run->Cancel();
  }
  active_.clear();  // ~ModelRun waits for each
}

bool SensitivityFamily::Begin() {
  begun_ = true;
  start_time_ = Clock::now();
  const std::string& directory = options_.files.directory;
  std::error_code error;
  if (!fs::is_directory(directory, error)) {
    doc_.platform().ShowMessage(std::string(kWho) + "Unable to cd to " + directory);
    finished_ = true;
    stopping_ = true;
    for (FamilyRunState& state : states_) state.status = FamilyRunStatus::kNotRun;
    return false;
  }
  // The base case runs only from a deck written whole.
  if (options_.base_case && !OrvoWrite(doc_, states_.front().deck_path)) {
    stopping_ = true;
    finished_ = true;
    for (FamilyRunState& state : states_) state.status = FamilyRunStatus::kNotRun;
    return false;
  }
  return true;
}

bool SensitivityFamily::Going() const {
  return begun_ && !finished_;
}

bool SensitivityFamily::Succeeded() const {
  return finished_ && !stopping_ &&
         std::all_of(states_.begin(), states_.end(), [](const FamilyRunState& state) {
           return state.status == FamilyRunStatus::kSucceeded;
         });
}

int SensitivityFamily::Ended() const {
  return static_cast<int>(std::count_if(states_.begin(), states_.end(), [](const auto& state) {
    return state.status == FamilyRunStatus::kSucceeded || state.status == FamilyRunStatus::kFailed;
  }));
}

std::vector<const ModelRun*> SensitivityFamily::Running() const {
  std::vector<const ModelRun*> running;
  for (const auto& active : active_) running.push_back(active->run.get());
  return running;
}

double SensitivityFamily::ElapsedSeconds() const {
  if (!begun_) return 0;
  const Clock::time_point end = end_time_ ? *end_time_ : Clock::now();
  return std::chrono::duration<double>(end - start_time_).count();
}

std::optional<double> SensitivityFamily::RemainingSeconds() const {
  if (Total() == 0) return std::nullopt;
  double done = Ended();
  for (const auto& active : active_) {
    if (active->run->progress()) done += active->run->progress()->Fraction();
  }
  const double fraction = done / Total();
  if (fraction <= 0) return std::nullopt;
  if (fraction >= 1) return 0.0;
  return ElapsedSeconds() * (1 - fraction) / fraction;
}

bool SensitivityFamily::AssembleDeck(int k, const std::string& deck_path) {
  const SensitivityFiles& files = options_.files;
  const std::string number = IntText(k);
  std::ofstream deck(deck_path, std::ios::binary | std::ios::trunc);
  if (!deck.is_open()) {
    Fail(static_cast<size_t>(last_started_),
         std::string(kWho) + "Unable to create " + fs::path(deck_path).filename().string(), true);
    return false;
  }
  for (const std::string& piece : {files.Path("_A_" + number + ".inp"), files.Path("_pre.inp"),
                                   files.Path("_" + number + ".inp"), files.Path("_post.inp")}) {
    if (!AppendFile(piece, deck)) {
      Fail(static_cast<size_t>(last_started_), std::string(kWho) + "Unable to read " + piece, true);
      return false;
    }
  }
  deck.close();
  if (deck.fail()) {
    Fail(static_cast<size_t>(last_started_), std::string(kWho) + "Unable to write " + deck_path,
         true);
    return false;
  }
  return true;
}

void SensitivityFamily::Fail(size_t position, const std::string& problem, bool show) {
  FamilyRunState& state = states_[position];
  state.status = FamilyRunStatus::kFailed;
  state.problem = FirstLine(problem);
  stopping_ = true;
  if (show && !problem.empty()) doc_.platform().ShowMessage(problem);
}

bool SensitivityFamily::StartRun(size_t position) {
  FamilyRunState& state = states_[position];
  last_started_ = static_cast<int>(position);
  state.status = FamilyRunStatus::kRunning;
  if (state.index >= 0 && !AssembleDeck(state.index, state.deck_path)) return false;

  std::optional<PreparedModelRun> prepared =
      PrepareExecuteOrvo(doc_, state.deck_path, options_.timeout_seconds);
  if (!prepared) {
    // PrepareExecuteOrvo has said why.
    Fail(position, "The run could not be prepared (see the message before).", false);
    return false;
  }
  auto active = std::make_unique<Active>();
  active->position = position;
  if (options_.foreground) prepared->request.own_process_group = false;
  if (options_.jobs > 1) {
    // Its own directory with its own "orvo.ctl": the runs beside it read theirs.
    const fs::path directory = fs::path(options_.files.directory) /
                               ("." + options_.files.title +
                                (state.index >= 0 ? IntText(state.index) : std::string()) + ".run");
    const fs::path deck_name = fs::path(state.deck_path).filename();
    std::error_code error;
    fs::remove_all(directory, error);
    if (!fs::create_directory(directory, error) ||
        !fs::copy_file(state.deck_path, directory / deck_name, error) ||
        !fs::copy_file(fs::path(options_.files.directory) / "orvo.ctl", directory / "orvo.ctl",
                       error)) {
      fs::remove_all(directory, error);
      Fail(position,
           std::string(kWho) + "Unable to prepare the run directory " + directory.string() + ".",
           true);
      return false;
    }
    active->private_directory = directory.string();
    prepared->request.working_directory = directory.string();
  }
  active->prepared = std::move(*prepared);
  active->run = std::make_unique<ModelRun>(active->prepared.request);
  active->run->Start();
  active_.push_back(std::move(active));
  return true;
}

bool SensitivityFamily::StartNext() {
  if (stopping_) return false;
  const size_t next = static_cast<size_t>(last_started_ + 1);
  if (next >= states_.size()) return false;
  return StartRun(next);
}

void SensitivityFamily::EndRun(Active& active) {
  FamilyRunState& state = states_[active.position];
  const RunResult& result = active.run->result();
  if (!active.private_directory.empty()) {
    // What the program left (its outputs) goes beside the deck, as if it had run in D.
    const fs::path directory(active.private_directory);
    const std::string deck_name = fs::path(state.deck_path).filename().string();
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(directory, error)) {
      const std::string name = entry.path().filename().string();
      if (name == "orvo.ctl" || name == deck_name) continue;
      std::error_code move_error;
      fs::rename(entry.path(), fs::path(options_.files.directory) / name, move_error);
      if (move_error) {
        fs::remove_all(directory, error);
        Fail(active.position,
             std::string(kWho) + "Unable to move " + entry.path().string() + " to " +
                 options_.files.directory + ": " + move_error.message() + ".",
             true);
        return;
      }
    }
    fs::remove_all(directory, error);
  }
  if (result.how == RunEnd::kCancelled) {
    state.status = FamilyRunStatus::kFailed;
    state.problem = "cancelled";
    stopping_ = true;
    return;
  }
  const std::string problem = RunEndMessage(active.prepared, result);
  if (!problem.empty()) {
    Fail(active.position, problem, true);
    return;
  }
  state.status = FamilyRunStatus::kSucceeded;
  if (state.index >= 0) {
    const std::string number = IntText(state.index);
    std::error_code error;
    fs::remove(options_.files.Path("_" + number + ".inp"), error);
    fs::remove(options_.files.Path("_A_" + number + ".inp"), error);
  }
}

void SensitivityFamily::Finish() {
  finished_ = true;
  end_time_ = Clock::now();
  for (FamilyRunState& state : states_) {
    if (state.status == FamilyRunStatus::kWaiting) state.status = FamilyRunStatus::kNotRun;
  }
  if (stopping_) return;
  std::error_code error;
  fs::remove(options_.files.Path("_pre.inp"), error);
  fs::remove(options_.files.Path("_post.inp"), error);
}

bool SensitivityFamily::Poll() {
  if (!begun_ || finished_) return false;
  for (size_t i = 0; i < active_.size();) {
    Active& active = *active_[i];
    const bool going = active.run->Poll(0);
    active.run->TakeLines();  // the last lines stay in the run; nobody else takes them
    if (going) {
      ++i;
      continue;
    }
    EndRun(active);
    active_.erase(active_.begin() + static_cast<std::ptrdiff_t>(i));
  }
  while (!stopping_ && active_.size() < static_cast<size_t>(options_.jobs) && StartNext()) {
  }
  if (active_.empty() && (stopping_ || last_started_ + 1 >= Total())) {
    Finish();
    return false;
  }
  return true;
}

void SensitivityFamily::WaitForOutput(int wait_ms) const {
  std::vector<pollfd> descriptors;
  for (const auto& active : active_) {
    const int descriptor = active->run->OutputDescriptor();
    if (descriptor >= 0) descriptors.push_back({descriptor, POLLIN, 0});
  }
  if (descriptors.empty()) {
    if (wait_ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(wait_ms));
    return;
  }
  ::poll(descriptors.data(), descriptors.size(), wait_ms);
}

void SensitivityFamily::Cancel() {
  if (finished_) return;
  cancelled_ = true;
  stopping_ = true;
  for (auto& active : active_) active->run->Cancel();
}

bool ExecuteSensitivityAnalysis(COrvoBuilderDoc& doc, const FamilyOptions& options) {
  WaitCursor wait(doc.platform());
  SensitivityFamily family(doc, options);
  if (!family.Begin()) return false;
  while (family.Poll()) family.WaitForOutput(100);
  return family.Succeeded();
}

}  // namespace orvo
