#include "model/group_j.h"

#include <algorithm>
#include <utility>

#include "model/model_vocabulary.h"
#include "model/number_text.h"

namespace orvo {

ListSlot* GroupJDlg::At(int system) {
  return system >= 0 && system < kSystems ? &slots_[static_cast<size_t>(system)].data : nullptr;
}

const ListSlot* GroupJDlg::At(int system) const {
  return system >= 0 && system < kSystems ? &slots_[static_cast<size_t>(system)].data : nullptr;
}

void GroupJDlg::GiveEmptyShape(ListSlot& slot) {
  slot.SetItems(PackedTexts());
}

bool GroupJDlg::Serialize(ArchiveWriter& ar, const std::function<bool()>& between) const {
  return ListSlot::WriteSlots(ar, kCookie, slots_, between);
}

bool GroupJDlg::Serialize(ArchiveReader& ar, int /*version*/) {
  return ListSlot::ReadSlots(ar, kCookie, "J", slots_);
}

bool GroupJDlg::SlotEmpty(int system) const {
  const ListSlot* slot = At(system);
  return slot == nullptr || slot->empty();
}

StringArray GroupJDlg::Slot(int system) const {
  const ListSlot* slot = At(system);
  return slot != nullptr ? slot->Array() : StringArray();
}

std::string GroupJDlg::SlotText(int system) const {
  const ListSlot* slot = At(system);
  return slot != nullptr ? slot->Text() : StringArray().ToString();
}

void GroupJDlg::SetSlot(int system, const StringArray& array) {
  if (ListSlot* slot = At(system)) slot->SetArray(array);
}

std::string GroupJDlg::Entry(int system, size_t entry) const {
  const ListSlot* slot = At(system);
  return slot != nullptr ? slot->Entry(entry) : std::string();
}

void GroupJDlg::SetEntry(int system, size_t entry, std::string text) {
  if (ListSlot* slot = At(system)) slot->SetEntry(entry, std::move(text));
}

const PackedTexts& GroupJDlg::Rows(int system) const {
  static const PackedTexts kNoRows;
  const ListSlot* slot = At(system);
  return slot != nullptr ? slot->items() : kNoRows;
}

StringArray GroupJDlg::Row(int system, int position) const {
  StringArray row;
  if (position >= 0 && position < RowCount(system)) {
    row.FromString(Rows(system)[static_cast<size_t>(position)]);
  }
  return row;
}

void GroupJDlg::SetRow(int system, int position, const StringArray& row) {
  ListSlot* slot = At(system);
  if (slot == nullptr || position < 0) return;
  StringArray copy = row;
  slot->SetItem(static_cast<size_t>(position), copy.ToString());
}

void GroupJDlg::SetRows(int system, PackedTexts rows) {
  if (ListSlot* slot = At(system)) slot->SetItems(std::move(rows));
}

std::string GroupJDlg::DefaultRow(int segment_number) {
  StringArray row(std::vector<std::string>{IntText(segment_number), "0.0", "0.0"});
  return row.ToString();
}

void GroupJDlg::AddSegmentRow(int new_noseg) {
  const std::string row = DefaultRow(new_noseg);
  for (SystemSlot& slot : slots_) {
    if (slot.data.empty()) GiveEmptyShape(slot.data);
    slot.data.InsertItem(slot.data.items().size(), row);
  }
}

// Every slot loses the row, not only the first NOSYS: the unused slots also got every new
// row, and must stay in step for when NOSYS grows.
void GroupJDlg::RemoveSegmentRow(int position) {
  if (position < 0) return;
  for (SystemSlot& slot : slots_) slot.data.EraseItem(static_cast<size_t>(position));
}

void GroupJDlg::ApplyDefaults(int nosys, int noseg, SimulationType simtyp) {
  for (int system = 0; system < std::min(nosys, kSystems); ++system) {
    ListSlot& slot = *At(system);
    if (!slot.empty()) continue;
    PackedTexts rows;
    for (int n = 1; n <= noseg; ++n) rows.push_back(DefaultRow(n));
    GiveEmptyShape(slot);
    slot.SetItems(std::move(rows));
    slot.SetEntry(kCheml, vocabulary::SystemName(simtyp, system + 1));
  }
}

}  // namespace orvo
