#include "deck/deck_reader.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "deck/card_registry.h"
#include "deck/deck_reading.h"
#include "deck/deck_scanner.h"

namespace orvo {
namespace {

namespace fs = std::filesystem;

// A directory "opens" as a stream on this platform but is no file to read.
bool OpenForReading(const std::string& path, std::ifstream& in) {
  std::error_code error;
  if (fs::is_directory(path, error)) return false;
  in.open(path, std::ios::binary);
  return in.is_open();
}

bool CanOpen(const std::string& path) {
  std::ifstream in;
  return OpenForReading(path, in);
}

bool ReadWholeFile(const std::string& path, std::string& text) {
  std::ifstream in;
  if (!OpenForReading(path, in)) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) return false;
  text = std::move(buffer).str();
  return true;
}

// Before cards G to J a deck may simply have ended: what was read so far is kept.
bool EndBefore(const DeckScanner& in, char card, Platform& platform) {
  if (!in.AtEnd()) return false;
  platform.ShowMessage(std::string("EOF trying to read card ") + card);
  return true;
}

// Under IQOPT 3 the hydrodynamic file must exist. Only reported: field 1 has no lines in the
// deck either way, and stopping here would leave cards E to J empty, to be lost when the
// project is written back over its deck.
void CheckHydrodynamicFile(const CardDRecord& card, const std::string& directory,
                           Platform& platform) {
  if (card.IQOPT != 3 || card.NFIELD < 1) return;
  const std::string name(Trim(card.hydrodynamic_file));
  fs::path file(name);
  if (file.is_relative() && !directory.empty()) file = fs::path(directory) / file;
  if (name.empty() || !CanOpen(file.string())) {
    platform.ShowMessage(name + " open attempt failed.");
  }
}

// Nothing is taken from the nonpoint source file; it only has to exist.
void AskNonpointFile(const CardFRecord& card, Platform& platform) {
  if (!card.nonpoint_source) return;
  platform.ShowMessage("Please input external nonpoint source file name.");
  const std::optional<std::string> chosen =
      platform.ChooseOpenFile("All Files (*.*) |*.*|Text Files (*.txt)|*.txt||");
  if (chosen && !CanOpen(*chosen)) platform.ShowMessage(*chosen + " open attempt failed.");
}

}  // namespace

OrvoClass::OrvoClass(const std::string& path, Platform& platform) {
  std::string text;
  if (!ReadWholeFile(path, text)) {
    platform.ShowMessage(path + " open attempt failed.");
    return;
  }
  Read(text, fs::path(path).parent_path().string(), platform);
}

OrvoClass::OrvoClass(std::string_view text, const std::string& directory, Platform& platform) {
  Read(text, directory, platform);
}

void OrvoClass::Read(std::string_view text, const std::string& directory, Platform& platform) {
  ok_ = false;
  record_ = DeckRecord{};
  DeckScanner in(text);
  // Card A gives the shape every later card is read with.
  DeckShape shape;
  for (const CardEntry& card : Cards()) {
    if (card.may_be_missing) {
      // What was read so far is usable.
      ok_ = true;
      if (EndBefore(in, card.letter, platform)) return;
    }
    if (!card.parse(in, shape, record_, platform)) {
      ok_ = false;
      return;
    }
    if (card.letter == 'A') shape = {record_.a.NOSEG, record_.a.NOSYS};
    if (card.letter == 'D') CheckHydrodynamicFile(record_.d, directory, platform);
    if (card.letter == 'F') AskNonpointFile(record_.f, platform);
  }
  ok_ = true;
}

void OrvoClass::ReleaseBuiltParts() {
  std::vector<SegmentRecord>().swap(record_.c.segments);
  for (CardDRecord::Field& field : record_.d.fields) {
    std::vector<PairFunction>().swap(field.functions);
  }
  std::vector<CardGRecord::Segment>().swap(record_.g.segments);
  for (CardJRecord::System& system : record_.j.systems) {
    std::vector<CardJRecord::Segment>().swap(system.segments);
  }
}

bool ReadOrvoInputDataset(COrvoBuilderDoc& doc, const std::string& path) {
  Platform& platform = doc.platform();
  if (!doc.nodes().empty() &&
      !platform.AskYesNo("Are you sure that you want to delete the current network?")) {
    return false;
  }
  return ReadDeckAndBuild(doc, path);
}

bool ReadDeckAndBuild(COrvoBuilderDoc& doc, const std::string& path) {
  auto reader = std::make_shared<OrvoClass>(path, doc.platform());
  // A deck that could not be read leaves the document's deck as it was.
  if (reader->record() == nullptr) return false;
  doc.input_deck_path = path;
  doc.dataset_reader = reader;
  BuildNetwork(doc);
  reader->ReleaseBuiltParts();
  return true;
}

}  // namespace orvo
