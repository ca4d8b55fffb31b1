#include "deck/group_import.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "deck/card_registry.h"
#include "deck/deck_reading.h"
#include "deck/deck_scanner.h"
#include "model/file_bytes.h"
#include "model/model_vocabulary.h"
#include "model/number_text.h"

namespace orvo {
namespace {

constexpr char kDeckFilter[] = "ORVO input files (*.inp)|*.inp|All Files (*.*)|*.*||";

// Precondition and file choice of every import command; text receives the whole deck.
bool ImportCheck(COrvoBuilderDoc& doc, std::string& text) {
  Platform& platform = doc.platform();
  if (doc.group_a.SIMTYP < kFenu5 || doc.group_a.SIMTYP > kKobal5) {
    platform.ShowMessage(
        "COrvoBuilderDoc::ImportCheck: Please select a simulation type in the Group A dialog "
        "before importing.");
    return false;
  }
  const std::optional<std::string> path = platform.ChooseOpenFile(kDeckFilter);
  if (!path) return false;
  if (!ReadFileBytes(*path, text)) {
    platform.ShowMessage("COrvoBuilderDoc::ImportCheck: Unable to open file " + *path);
    return false;
  }
  return true;
}

// How many fields sscanf(line, "%d %d %d %d %d %d %d %f %f %f %f %d %d") converts: blanks
// between fields are optional, so digits that run together make one field.
int ScanOptionsLine(std::string_view line, DeckShape& shape) {
  DeckScanner in(line);
  const int width = static_cast<int>(std::min(line.size(), static_cast<size_t>(INT_MAX)));
  int fields = 0;
  for (int field = 0; field < 13; ++field) {
    const bool real = field >= 7 && field <= 10;
    int integer = 0;
    double number = 0;
    if (real ? !in.ScanDouble(width, number) : !in.ScanInt(width, integer)) break;
    if (field == 0) shape.NOSEG = integer;
    if (field == 1) shape.NOSYS = integer;
    ++fields;
  }
  return fields;
}

// Passes the pair lines of a time-function block, four pairs to a line. The count comes from
// the file, so the end of the text bounds the walk.
bool SkipPairLines(DeckScanner& in, int count) {
  std::string line;
  const long long lines = count > 0 ? (static_cast<long long>(count) + 3) / 4 : 0;
  for (long long i = 0; i < lines; ++i) {
    if (!in.ReadLine(line)) return false;
  }
  return true;
}

bool PassCardA(DeckScanner& in, DeckShape& shape) {
  std::string line;
  // Only a first line can be the KOBALS marker: a title that mentions the model keeps its
  // place, as the deck reader takes it.
  for (int counted = 0, read = 0; counted < 4; ++read) {
    if (!in.ReadLine(line)) return false;
    if (read > 0 || !IsKobalsLine(line)) ++counted;
  }
  if (ScanOptionsLine(line, shape) < 10) return false;
  if (!in.ReadLine(line)) return false;      // ISEGOUT
  for (int block = 0; block < 2; ++block) {  // time steps, print intervals
    if (!in.ReadLine(line) || !SkipPairLines(in, AtoI(line))) return false;
  }
  return in.ReadLine(line);  // bypass flags
}

// The deck's NOSEG and NOSYS with the scanner after card A, or nothing with the scanner at
// the start (a fragment).
std::optional<DeckShape> SkipGroupA(DeckScanner& in) {
  DeckShape shape;
  if (PassCardA(in, shape)) return shape;
  in.Rewind();
  return std::nullopt;
}

// More systems than the holders' eight slots, or a negative segment count, cannot be read.
bool UsableShape(const DeckShape& shape) {
  return shape.NOSEG >= 0 && shape.NOSYS >= 0 && shape.NOSYS <= 8;
}

void SetImportedShape(COrvoBuilderDoc& doc, const DeckShape& shape) {
  doc.imported_NOSEG = shape.NOSEG;
  doc.imported_NOSYS = shape.NOSYS;
}

std::string Systems(int from, int to) {
  return from == to ? "system " + std::to_string(from)
                    : "systems " + std::to_string(from) + " to " + std::to_string(to);
}

// Card data per system comes from a deck whose system count may not be the project's; the
// user is told which systems took data from the file and which did not.
void ReportSystemCounts(COrvoBuilderDoc& doc, int file_systems) {
  const int project_systems = doc.group_a.NOSYS;
  if (file_systems == project_systems) return;
  const auto count = [](int n) { return std::to_string(n) + (n == 1 ? " system" : " systems"); };
  std::string note =
      "The file has " + count(file_systems) + ", the project " + count(project_systems) + ".";
  const int common = std::min(file_systems, project_systems);
  if (common > 0) note += " Kept: the data of " + Systems(1, common) + ".";
  if (file_systems > project_systems) {
    note += " Dropped: the data of " + Systems(common + 1, file_systems) +
            " of the file, which the project does not have.";
  } else {
    std::string rest = Systems(common + 1, project_systems);
    rest[0] = 'S';
    note += " " + rest + " of the project got no data from the file.";
  }
  doc.platform().ShowMessage(note);
}

// Groups whose data is kept per system.
bool HasSystems(char group) {
  return group == 'D' || group == 'E' || group == 'F' || group == 'H' || group == 'J';
}

}  // namespace

bool ImportGroup(COrvoBuilderDoc& doc, char group) {
  if (group < 'B' || group > 'J') return false;
  std::string text;
  if (!ImportCheck(doc, text)) return false;
  DeckScanner in(text);
  const std::optional<DeckShape> card_a = SkipGroupA(in);
  // A fragment has no card A of its own: it describes the project it is imported into.
  const DeckShape shape = card_a ? *card_a : DeckShape{doc.group_a.NOSEG, doc.group_a.NOSYS};
  const auto& cards = Cards();
  const size_t index = static_cast<size_t>(group - 'A');
  bool ok = UsableShape(shape);
  if (ok) {
    SetImportedShape(doc, shape);
    // The cards between card A and this one are passed over.
    for (size_t earlier = card_a ? 1 : index; ok && earlier < index; ++earlier) {
      ok = cards[earlier].import(doc, in, true);
    }
    ok = ok && cards[index].import(doc, in, false);
  }
  const std::string letter(1, group);
  if (!ok) {
    doc.platform().ShowMessage("Failed to read card " + letter + " from file.");
    return false;
  }
  doc.platform().ShowMessage("Card " + letter + " imported successfully.");
  if (card_a && HasSystems(group)) ReportSystemCounts(doc, card_a->NOSYS);
  if (group <= 'D') doc.UpdateAllViews(kHintRedrawAll);
  return true;
}

bool ImportAllGroups(COrvoBuilderDoc& doc) {
  std::string text;
  if (!ImportCheck(doc, text)) return false;
  DeckScanner in(text);
  const std::optional<DeckShape> card_a = SkipGroupA(in);
  bool ok = card_a && UsableShape(*card_a);
  if (ok) {
    SetImportedShape(doc, *card_a);
    for (const CardEntry& card : Cards()) {
      if (card.import == nullptr) continue;  // card A was passed over
      if (!(ok = card.import(doc, in, false))) break;
    }
  }
  if (!ok) {
    doc.platform().ShowMessage("Failed to import card groups from file.");
    return false;
  }
  doc.platform().ShowMessage("All card groups imported successfully.");
  ReportSystemCounts(doc, card_a->NOSYS);
  doc.UpdateAllViews(kHintRedrawAll);
  return true;
}

}  // namespace orvo
