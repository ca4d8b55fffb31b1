#include "deck/deck_reader.h"

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "deck/card_registry.h"
#include "deck/deck_reading.h"
#include "deck/deck_scanner.h"
#include "model/file_bytes.h"
#include "model/string_array.h"

namespace orvo {

bool CheckStorableText(std::string_view text, const std::string& reader, const std::string& what,
                       Platform& platform) {
  if (IsPlainStorableText(text)) return true;
  platform.ShowMessage(reader + ": " + what + " starts with \"" +
                       std::string(StringArray::kCookie) +
                       "\", which a project file cannot hold as a text.");
  return false;
}

namespace {

namespace fs = std::filesystem;

constexpr const char* kReadingText = "Reading the input dataset...";

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

// Nothing is taken from the nonpoint source file; it only has to exist. Its name goes to
// group F, so that the deck written from the project announces the file again.
void AskNonpointFile(CardFRecord& card, Platform& platform) {
  if (!card.nonpoint_source) return;
  platform.ShowMessage("Please input external nonpoint source file name.");
  const std::optional<std::string> chosen =
      platform.ChooseOpenFile("All Files (*.*) |*.*|Text Files (*.txt)|*.txt||");
  if (chosen && !CanOpen(*chosen)) platform.ShowMessage(*chosen + " open attempt failed.");
  card.nonpoint_file = chosen.value_or("");
}

}  // namespace

OrvoClass::OrvoClass(const std::string& path, Platform& platform) {
  std::string text;
  if (!ReadFileBytes(path, text)) {
    platform.ShowMessage(path + " open attempt failed.");
    return;
  }
  Read(text, fs::path(path).parent_path().string(), platform);
}

OrvoClass::OrvoClass(std::string_view text, const std::string& directory, Platform& platform) {
  Read(text, directory, platform);
}

void OrvoClass::Read(std::string_view text, const std::string& directory, Platform& platform) {
  const ProgressEnd closes{platform};
  ok_ = false;
  record_ = DeckRecord{};
  DeckScanner in(text);
  // Card A gives the shape every later card is read with.
  DeckShape shape;
  // In KiB, so that a deck of any size counts in an int.
  const int total = static_cast<int>(std::min<size_t>(text.size() / 1024 + 1, INT_MAX));
  for (const CardEntry& card : Cards()) {
    if (!platform.Progress(static_cast<int>(in.position() / 1024), total, kReadingText)) {
      ok_ = false;
      record_ = DeckRecord{};
      return;
    }
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

OrvoClass::ProgressEnd::~ProgressEnd() {
  platform.Progress(1, 1, kReadingText);
}

void OrvoClass::ReleaseBuiltParts() {
  ReleaseSegmentRows();
  for (CardDRecord::Field& field : record_.d.fields) {
    std::vector<PairFunction>().swap(field.functions);
  }
  ReleaseCardJRows();
}

void OrvoClass::ReleaseSegmentRows() {
  std::vector<SegmentRecord>().swap(record_.c.segments);
  std::vector<CardGRecord::Segment>().swap(record_.g.segments);
}

void OrvoClass::ReleaseCardJRows() {
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
  std::shared_ptr<const OrvoClass> previous = std::move(doc.dataset_reader);
  doc.dataset_reader = reader;
  if (!BuildNetwork(doc, reader.get())) {
    doc.dataset_reader = std::move(previous);
    return false;
  }
  doc.input_deck_path = path;
  reader->ReleaseBuiltParts();
  return true;
}

}  // namespace orvo
