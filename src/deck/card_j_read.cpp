// Card J (initial conditions): per system a settings line, then (ANAME, C, DISSF) for every
// segment, three to a line.
#include "deck/deck_scanner.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <utility>
#include <vector>

#include "deck/deck_reading.h"
#include "model/number_text.h"
#include "model/string_array_view.h"

namespace orvo {

namespace {

bool Fail(Platform& platform, const std::string& message) {
  platform.ShowMessage(message);
  return false;
}

// Slot `system` rebuilt from scratch: entries 0 to 4, then the segment list.
void FillSlot(GroupJDlg& group, int system, const CardJRecord::System& read) {
  group.SetSlot(system, StringArray());
  group.SetEntry(system, GroupJDlg::kCheml, std::string(Trim(read.CHEML)));
  group.SetEntry(system, GroupJDlg::kIfield, IntText(read.IFIELD));
  group.SetEntry(system, GroupJDlg::kDsed, RealText(read.DSED));
  group.SetEntry(system, GroupJDlg::kCmax, RealText(read.CMAX));
  group.SetEntry(system, GroupJDlg::kTitle, read.title);
  PackedTexts rows;
  rows.reserve(read.segments.size(), read.segments.size() * 40);
  for (const CardJRecord::Segment& segment : read.segments) {
    rows.push_back(StringArrayText({segment.name, RealText(segment.C), RealText(segment.DISSF)}));
  }
  rows.shrink_to_fit();
  group.SetRows(system, std::move(rows));
}

}  // namespace

bool ParseCardJ(DeckScanner& in, const DeckShape& shape, CardJRecord& card, Platform& platform) {
  card = CardJRecord{};
  // The holder keeps eight system slots.
  if (shape.NOSYS < 0 || shape.NOSYS > GroupJDlg::kSystems) {
    return Fail(platform, "ReadGroupJ: The deck's NOSYS " + IntText(shape.NOSYS) +
                              " is outside 0 to 8; card J cannot be read.");
  }
  std::string line;
  for (int system = 0; system < shape.NOSYS; ++system) {
    if (!in.ReadLine(line)) return Fail(platform, "ReadGroupJ: EOF reading record 1");
    CardJRecord::System& read = card.systems.emplace_back();
    read.CHEML = Trim(ColumnText(line, 1, 40));
    read.IFIELD = ColumnInt(line, 41, 5);
    read.DSED = ColumnReal(line, 46, 5);
    read.CMAX = ColumnReal(line, 51, 10);
    read.title = TrimRight(ColumnText(line, 61, 20));
    const std::string which = " of system " + IntText(system + 1);
    if (!CheckStorableText(read.CHEML, "ReadGroupJ", "the chemical name" + which, platform) ||
        !CheckStorableText(read.title, "ReadGroupJ", "the title" + which, platform)) {
      return false;
    }
    // Entries of 25 columns: ANAME 5, C 10, DISSF 10. A negative NOSEG reads as no
    // segments; a huge one runs into the end of the text. Once the first system has all of
    // them, the count is known to fit the text and later systems are sized at once.
    if (system > 0) read.segments.reserve(card.systems.front().segments.size());
    for (int position = 0; position < shape.NOSEG; ++position) {
      CardJRecord::Segment segment;
      if (!in.ScanWord(5, segment.name) || !in.ScanDouble(10, segment.C) ||
          !in.ScanDouble(10, segment.DISSF)) {
        return Fail(platform, "ReadGroupJ: EOF reading record 2");
      }
      read.segments.push_back(std::move(segment));
    }
    if (system == 0) read.segments.shrink_to_fit();
    // Without segments record 2 has no lines: the next line is the next system's record 1.
    if (shape.NOSEG > 0) in.SkipRestOfLine();
  }
  return true;
}

namespace group_j {

void LoadFromWC(COrvoBuilderDoc& doc, const DeckRecord& deck) {
  GroupJDlg& group = doc.group_j;
  const size_t systems = std::min(deck.j.systems.size(), static_cast<size_t>(GroupJDlg::kSystems));
  for (size_t system = 0; system < systems; ++system) {
    FillSlot(group, static_cast<int>(system), deck.j.systems[system]);
  }
  group.ApplyDefaults(doc.group_a.NOSYS, doc.group_a.NOSEG, doc.group_a.SIMTYP);
}

}  // namespace group_j

bool ReadGroupJ(COrvoBuilderDoc& doc, DeckScanner& in, bool skip) {
  CardJRecord card;
  if (!ParseCardJ(in, ImportedShape(doc), card, doc.platform())) return false;
  if (skip) return true;
  GroupJDlg& group = doc.group_j;
  const int systems = static_cast<int>(card.systems.size());
  for (int system = 0; system < systems; ++system) group.SetSlot(system, StringArray());
  for (int system = 0; system < systems; ++system) {
    FillSlot(group, system, card.systems[static_cast<size_t>(system)]);
  }
  doc.SetModifiedFlag();
  return true;
}

}  // namespace orvo
