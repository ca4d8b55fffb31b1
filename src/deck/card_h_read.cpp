// Card H (constants): blocks "Globals" and one per system, each a list of fields, each a list
// of (TNAME, ISC, CONST) constants written two to a line.
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

std::string FieldListText(const CardHRecord::Block& block) {
  StringArray fields;
  for (const CardHRecord::Field& field : block.fields) {
    StringArray constants;
    for (const CardHRecord::Constant& constant : field.constants) {
      constants.GetList().push_back(constant.name);
      constants.GetList().push_back(IntText(constant.isc));
      constants.GetList().push_back(RealText(constant.value));
    }
    fields.GetList().push_back(field.name);
    fields.GetList().push_back(constants.ToString());
  }
  return fields.ToString();
}

// Entries 0 and 1 of a block become the name and the field list; any later entries stay.
void FillBlock(StringArray& block, const CardHRecord::Block& read) {
  GroupHDlg::GiveEmptyShape(block);
  std::vector<std::string>& entries = block.GetList();
  if (entries.size() < 2) entries.resize(2);
  entries[0] = read.name;
  entries[1] = FieldListText(read);
  block.Resync();
}

}  // namespace

bool ParseCardH(DeckScanner& in, const DeckShape& shape, CardHRecord& card, Platform& platform) {
  card = CardHRecord{};
  std::string line;
  if (!in.ReadLine(line)) return Fail(platform, "ReadGroupH: EOF reading record 1");
  card.title = TrimRight(line);
  // The holder keeps nine blocks: "Globals" and eight systems.
  if (shape.NOSYS < 0 || shape.NOSYS > GroupHDlg::kBlocks - 1) {
    return Fail(platform, "ReadGroupH: The deck's NOSYS " + IntText(shape.NOSYS) +
                              " is outside 0 to 8; card H cannot be read.");
  }
  for (int k = 0; k <= shape.NOSYS; ++k) {
    if (!in.ReadLine(line)) return Fail(platform, "ReadGroupH: EOF reading record 2");
    CardHRecord::Block& block = card.blocks.emplace_back();
    block.name = ColumnText(line, 1, 10);
    // A negative count reads as no fields; a huge one runs into the end of the text.
    const int field_count = ColumnInt(line, 11, 10);
    for (int f = 0; f < field_count; ++f) {
      if (!in.ReadLine(line)) return Fail(platform, "ReadGroupH: EOF reading record 2");
      CardHRecord::Field& field = block.fields.emplace_back();
      field.name = ColumnText(line, 1, 10);
      const int constant_count = ColumnInt(line, 11, 10);
      // Constants of 30 columns: TNAME 10, ISC 10, CONST 10; two to a line.
      for (int c = 0; c < constant_count; ++c) {
        CardHRecord::Constant constant;
        if (!in.ScanChars(10, constant.name) || !in.ScanInt(10, constant.isc) ||
            !in.ScanDouble(10, constant.value)) {
          return Fail(platform, "ReadGroupH: Parse error reading record 4");
        }
        field.constants.push_back(std::move(constant));
        if (c % 2 == 1 || c + 1 == constant_count) in.SkipRestOfLine();
      }
    }
  }
  return true;
}

namespace group_h {

void LoadFromWC(COrvoBuilderDoc& doc, const DeckRecord& deck) {
  GroupHDlg& group = doc.group_h;
  group.title = deck.h.title;
  const int read = std::min(static_cast<int>(deck.h.blocks.size()), GroupHDlg::kBlocks);
  for (int k = 0; k < read; ++k) {
    StringArray& block = group.blocks[static_cast<size_t>(k)];
    block = StringArray();
    FillBlock(block, deck.h.blocks[static_cast<size_t>(k)]);
  }
  // Blocks the deck did not give (card H missing, or fewer systems than the project has).
  const int last = std::clamp(doc.group_a.NOSYS, -1, GroupHDlg::kBlocks - 1);
  for (int k = read; k <= last; ++k) {
    StringArray& block = group.blocks[static_cast<size_t>(k)];
    block = StringArray();
    GroupHDlg::GiveEmptyShape(block);
    block[0] = k == 0 ? std::string("Globals") : vocabulary::SystemName(doc.group_a.SIMTYP, k);
  }
}

}  // namespace group_h

bool ReadGroupH(COrvoBuilderDoc& doc, DeckScanner& in, bool skip) {
  CardHRecord card;
  if (!ParseCardH(in, ImportedShape(doc), card, doc.platform())) return false;
  if (skip) return true;
  GroupHDlg& group = doc.group_h;
  group.title = card.title;
  // Blocks 0 .. NOSYS - 1 start afresh; the last block read keeps entries past its second.
  const size_t blocks = card.blocks.size();
  for (size_t k = 0; k + 1 < blocks; ++k) group.blocks[k] = StringArray();
  for (size_t k = 0; k < blocks; ++k) FillBlock(group.blocks[k], card.blocks[k]);
  doc.SetModifiedFlag();
  return true;
}

}  // namespace orvo
