// Card I (kinetic time functions): NFUNC and a title, then per function its ANAME, break
// count and table number, followed by its value/time pairs.
#include <algorithm>
#include <string>
#include <utility>

#include "deck/deck_reading.h"
#include "model/model_vocabulary.h"
#include "model/number_text.h"

namespace orvo {
namespace {

bool Fail(Platform& platform, const std::string& message) {
  platform.ShowMessage(message);
  return false;
}

std::string FunctionText(const Breaks& breaks) {
  std::string text;
  for (double number : breaks) {
    if (!text.empty()) text += ' ';
    text += RealText(number);
  }
  return text;
}

// Every slot of the project's table carrying the function's number takes it.
void StoreFunction(GroupIDlg& group, SimulationType simtyp, const CardIRecord::Function& function) {
  const int count = std::min(vocabulary::TimeFunctionCount(simtyp), GroupIDlg::kSlots);
  for (int slot = 0; slot < count; ++slot) {
    const TimeFunctionRow* row = vocabulary::TimeFunction(simtyp, slot);
    if (row == nullptr || AtoI(row->number) != function.number) continue;
    group.functions[static_cast<size_t>(slot)] = FunctionText(function.breaks);
    group.names[static_cast<size_t>(slot)] = function.name;
  }
}

void ClearSlots(GroupIDlg& group) {
  group.functions.fill(std::string());
  group.names.fill(std::string());
}

}  // namespace

bool ParseCardI(DeckScanner& in, const DeckShape& /*shape*/, CardIRecord& card,
                Platform& platform) {
  card = CardIRecord{};
  std::string line;
  if (!in.ReadLine(line)) return Fail(platform, "ReadGroupI: EOF reading record 1");
  // A negative NFUNC reads as no functions; a huge one runs into the end of the text.
  const int function_count = ColumnInt(line, 1, 10);
  card.title = TrimRight(ColumnText(line, 11, 60));
  for (int n = 0; n < function_count; ++n) {
    if (!in.ReadLine(line)) return Fail(platform, "ReadGroupI: EOF reading record 2");
    CardIRecord::Function& function = card.functions.emplace_back();
    function.name = ColumnText(line, 1, 5);
    const int break_count = ColumnInt(line, 6, 5);
    function.number = ColumnInt(line, 11, 5);
    // Pairs are counted, not 2 * NOBRK numbers: that product overflows for a huge NOBRK.
    for (int k = 0; k < break_count; ++k) {
      double value = 0;
      double time = 0;
      if (!in.ScanDouble(10, value) || !in.ScanDouble(10, time)) {
        return Fail(platform, "ReadGroupI: EOF reading record 3");
      }
      function.breaks.push_back(value);
      function.breaks.push_back(time);
    }
    // A function without breaks has no lines of its own: the next line is the next record 2.
    if (break_count > 0) in.SkipRestOfLine();
  }
  return true;
}

namespace group_i {

void LoadFromWC(COrvoBuilderDoc& doc, const DeckRecord& deck) {
  GroupIDlg& group = doc.group_i;
  ClearSlots(group);
  group.SetSlotCountFromType(doc.group_a.SIMTYP);
  group.title = deck.i.title;
  for (const CardIRecord::Function& function : deck.i.functions) {
    StoreFunction(group, doc.group_a.SIMTYP, function);
  }
}

}  // namespace group_i

bool ReadGroupI(COrvoBuilderDoc& doc, DeckScanner& in, bool skip) {
  CardIRecord card;
  if (!ParseCardI(in, ImportedShape(doc), card, doc.platform())) return false;
  if (skip) return true;
  GroupIDlg& group = doc.group_i;
  group.title = card.title;
  ClearSlots(group);
  for (const CardIRecord::Function& function : card.functions) {
    StoreFunction(group, doc.group_a.SIMTYP, function);
  }
  doc.SetModifiedFlag();
  return true;
}

}  // namespace orvo
