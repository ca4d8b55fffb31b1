#include "model/group_f.h"

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <utility>

#include "model/number_text.h"

namespace orvo {
namespace {

// Level a nested element announces after the cookie, -1 for an element that is plain text.
int CookieLevel(std::string_view text) {
  if (text.substr(0, StringArray::kCookie.size()) != StringArray::kCookie) return -1;
  return AtoI(text.substr(StringArray::kCookie.size()));
}

// The cookie form of count elements from level up, element(i) giving each element's text;
// empty when the elements cannot be told apart at any level.
template <typename Element>
std::string CookieForm(int level, size_t count, Element element) {
  std::string out;
  int used;
  if (!FormatStringArray(level, count, element, out, used)) return {};
  return out;
}

// The record a load list gains for a segment without one, {index, function}, as inserting
// {index, ""} and then setting its function would leave it; false when the function would not
// fit (the record then stays {index, ""}).
bool NewLoadRecord(int segment_index, std::string_view function_text, std::string& out) {
  const std::string index = IntText(segment_index);
  const int nested = CookieLevel(function_text);
  int used = 0;
  return nested + 1 < StringArray::kMaxLevel &&
         FormatStringArray(
             std::max(nested + 1, 0), 2,
             [&](size_t i) { return i == 0 ? std::string_view(index) : function_text; }, out,
             used) &&
         used + 1 < StringArray::kMaxLevel;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// ListSlot

std::string ListSlot::Entry(size_t index) const {
  if (index >= entries_.size()) return {};
  if (index == list_entry_ && !verbatim_) return ListText();
  return entries_[index];
}

bool ListSlot::SetEntry(size_t index, std::string text) {
  const int nested = CookieLevel(text);
  if (nested >= StringArray::kMaxLevel) return false;
  const bool had_list = entries_.size() > list_entry_;
  if (entries_.size() <= index) entries_.resize(index + 1);
  if (nested >= level_) level_ = nested + 1;
  entries_[index] = std::move(text);
  if (index == list_entry_) {
    ParseList();
  } else if (!had_list && entries_.size() > list_entry_) {
    // The padding made an empty, plain list entry.
    items_.clear();
    list_level_ = 0;
    verbatim_ = true;
  }
  return true;
}

std::string ListSlot::Text() const {
  std::string list;
  const bool assembled = entries_.size() > list_entry_ && !verbatim_;
  int level = level_;
  if (assembled) {
    list = ListText();
    // The list may have needed a higher level than its items announce.
    level = std::max(level, CookieLevel(list) + 1);
  }
  return CookieForm(level, entries_.size(), [&](size_t i) -> const std::string& {
    return assembled && i == list_entry_ ? list : entries_[i];
  });
}

StringArray ListSlot::Array() const {
  StringArray array;
  array.FromString(Text());
  return array;
}

void ListSlot::SetArray(const StringArray& array) {
  StringArray copy = array;
  copy.Resync();
  level_ = copy.level();
  entries_ = std::move(copy.GetList());
  if (entries_.size() > list_entry_) {
    ParseList();
  } else {
    items_.clear();
    list_level_ = 0;
    verbatim_ = false;
  }
}

bool ListSlot::SetItems(std::vector<std::string> items) {
  int level = 0;
  for (const std::string& item : items) {
    if (!RaiseListLevel(CookieLevel(item), level)) return false;
  }
  Touch();
  items_ = std::move(items);
  list_level_ = level;
  level_ = std::max(level_, level + 1);
  return true;
}

bool ListSlot::InsertItem(size_t position, std::string text) {
  int level = list_level_;
  if (position > items_.size() || !RaiseListLevel(CookieLevel(text), level)) return false;
  Touch();
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(position), std::move(text));
  list_level_ = level;
  level_ = std::max(level_, level + 1);
  return true;
}

bool ListSlot::SetItem(size_t position, std::string text) {
  int level = list_level_;
  if (position >= items_.size() || !RaiseListLevel(CookieLevel(text), level)) return false;
  Touch();
  items_[position] = std::move(text);
  list_level_ = level;
  level_ = std::max(level_, level + 1);
  return true;
}

void ListSlot::EraseItem(size_t position) {
  if (position >= items_.size()) return;
  Touch();
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(position));
}

// The list must stay below the top level so that the slot can sit one level above it.
bool ListSlot::RaiseListLevel(int nested_level, int& list_level) const {
  if (nested_level >= StringArray::kMaxLevel) return false;
  if (nested_level >= list_level) list_level = nested_level + 1;
  return list_level < StringArray::kMaxLevel;
}

// Before the list changes: the slot gets its list entry, and the list text as loaded is
// dropped because it is assembled from the items from now on.
void ListSlot::Touch() {
  if (entries_.size() <= list_entry_) {
    entries_.resize(list_entry_ + 1);
    items_.clear();
    list_level_ = 0;
  } else if (verbatim_) {
    std::string().swap(entries_[list_entry_]);
  }
  verbatim_ = false;
  level_ = std::max(level_, list_level_ + 1);
}

// A list entry that does not read as a list (plain text, or nested too deep) reads as an
// empty list and is kept as it stands until the list is changed.
void ListSlot::ParseList() {
  StringArray list;
  if (list.FromString(entries_[list_entry_])) {
    items_ = std::move(list.GetList());
    list_level_ = list.level();
  } else {
    items_.clear();
    list_level_ = 0;
  }
  verbatim_ = ListText() != entries_[list_entry_];
  if (!verbatim_) std::string().swap(entries_[list_entry_]);
}

std::string ListSlot::ListText() const {
  return CookieForm(list_level_, items_.size(),
                    [&](size_t i) -> const std::string& { return items_[i]; });
}

// ---------------------------------------------------------------------------------------
// GroupFDlg

GroupFDlg::SystemSlot* GroupFDlg::At(int system) {
  return system >= 0 && system < kSystems ? &slots_[static_cast<size_t>(system)] : nullptr;
}

const GroupFDlg::SystemSlot* GroupFDlg::At(int system) const {
  return system >= 0 && system < kSystems ? &slots_[static_cast<size_t>(system)] : nullptr;
}

void GroupFDlg::Reindex(SystemSlot& slot) {
  const std::vector<std::string>& records = slot.data.items();
  slot.keys.clear();
  slot.keys.reserve(records.size());
  slot.sorted = true;
  StringArray record;
  for (const std::string& text : records) {
    record.RemoveAll();
    record.FromString(text);
    const std::string first = record.At(0);
    const int index = AtoI(first);
    if (!slot.keys.empty() && index < slot.keys.back().index) slot.sorted = false;
    slot.keys.push_back({index, !record.empty() && first == IntText(index)});
  }
}

void GroupFDlg::Serialize(ArchiveWriter& ar) const {
  ar.U16(kCookie);
  for (const SystemSlot& slot : slots_) ar.String(slot.data.Text());
}

bool GroupFDlg::Serialize(ArchiveReader& ar, int /*version*/) {
  if (ar.U16() != kCookie) {
    ar.Fail("Error reading group F from archive (bad cookie).");
    return false;
  }
  for (int system = 0; system < kSystems; ++system) {
    const std::string text = ar.String();
    if (!ar.ok()) return false;
    StringArray slot;
    if (!slot.FromString(text)) {
      ar.Fail(slot.error());
      return false;
    }
    SetSlot(system, slot);
  }
  return ar.ok();
}

bool GroupFDlg::SlotEmpty(int system) const {
  const SystemSlot* slot = At(system);
  return slot == nullptr || slot->data.empty();
}

StringArray GroupFDlg::Slot(int system) const {
  const SystemSlot* slot = At(system);
  return slot != nullptr ? slot->data.Array() : StringArray();
}

std::string GroupFDlg::SlotText(int system) const {
  const SystemSlot* slot = At(system);
  return slot != nullptr ? slot->data.Text() : StringArray().ToString();
}

void GroupFDlg::SetSlot(int system, const StringArray& array) {
  SystemSlot* slot = At(system);
  if (slot == nullptr) return;
  slot->data.SetArray(array);
  Reindex(*slot);
}

std::string GroupFDlg::Entry(int system, size_t entry) const {
  const SystemSlot* slot = At(system);
  return slot != nullptr ? slot->data.Entry(entry) : std::string();
}

void GroupFDlg::SetEntry(int system, size_t entry, std::string text) {
  SystemSlot* slot = At(system);
  if (slot == nullptr) return;
  if (slot->data.SetEntry(entry, std::move(text)) && entry == kLoadList) Reindex(*slot);
}

void GroupFDlg::ApplyDefaultsToSlot(int system) {
  if (!SlotEmpty(system) || At(system) == nullptr) return;
  StringArray defaults(std::vector<std::string>{"0.0", "0.0", "kg/day", ""});
  defaults.SetList(StringArray(), kLoadList);
  SetSlot(system, defaults);
}

void GroupFDlg::ApplyDefaults(int nosys) {
  for (int system = 0; system < std::min(nosys, kSystems); ++system) ApplyDefaultsToSlot(system);
}

int GroupFDlg::LoadCount(int system) const {
  const SystemSlot* slot = At(system);
  return slot != nullptr ? static_cast<int>(slot->data.items().size()) : 0;
}

StringArray GroupFDlg::LoadRecord(int system, int position) const {
  StringArray record;
  if (position >= 0 && position < LoadCount(system)) {
    record.FromString(At(system)->data.items()[static_cast<size_t>(position)]);
  }
  return record;
}

int GroupFDlg::LookupLoad(int system, int segment_index) const {
  const SystemSlot* slot = At(system);
  if (slot == nullptr) return -1;
  const std::vector<RecordKey>& keys = slot->keys;
  auto it = keys.begin();
  if (slot->sorted) {
    it = std::lower_bound(keys.begin(), keys.end(), segment_index,
                          [](const RecordKey& key, int index) { return key.index < index; });
  }
  for (; it != keys.end(); ++it) {
    if (it->index == segment_index && it->exact) return static_cast<int>(it - keys.begin());
    if (slot->sorted && it->index != segment_index) break;
  }
  return -1;
}

int GroupFDlg::InsertLoad(int system, int segment_index) {
  SystemSlot* slot = At(system);
  if (slot == nullptr) return -1;
  std::vector<RecordKey>& keys = slot->keys;
  const auto greater = [&](const RecordKey& key) { return key.index > segment_index; };
  // Networks are built in segment order, so the usual place is the end.
  auto it = keys.end();
  if (slot->sorted) {
    if (!keys.empty() && greater(keys.back())) {
      it = std::upper_bound(keys.begin(), keys.end(), segment_index,
                            [](int index, const RecordKey& key) { return index < key.index; });
    }
  } else {
    it = std::find_if(keys.begin(), keys.end(), greater);
  }
  const size_t position = static_cast<size_t>(it - keys.begin());
  StringArray record(std::vector<std::string>{IntText(segment_index), ""});
  if (!slot->data.InsertItem(position, record.ToString())) return -1;
  keys.insert(keys.begin() + static_cast<std::ptrdiff_t>(position), {segment_index, true});
  return static_cast<int>(position);
}

void GroupFDlg::UpdateLoadList(int system, int segment_index, const std::string& function_text) {
  SystemSlot* slot = At(system);
  if (slot == nullptr) return;
  ApplyDefaultsToSlot(system);
  int position = LookupLoad(system, segment_index);
  if (position < 0) {
    position = InsertLoad(system, segment_index);
    if (position < 0) return;
    // The new record gets its function at once rather than by reading {index, ""} back.
    std::string record;
    if (NewLoadRecord(segment_index, function_text, record)) {
      slot->data.SetItem(static_cast<size_t>(position), std::move(record));
    }
    return;
  }
  const size_t at = static_cast<size_t>(position);
  StringArray record(slot->data.items()[at]);
  if (record.size() < 2) record.GetList().resize(2);
  record[1] = function_text;
  if (!record.Resync()) return;
  slot->data.SetItem(at, record.ToString());
}

}  // namespace orvo
