#include "model/group_f.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <numeric>
#include <string_view>
#include <utility>

#include "model/number_text.h"
#include "model/string_array_view.h"

namespace orvo {
namespace {

// Level a nested element announces after the cookie, -1 for an element that is plain text.
int CookieLevel(std::string_view text) {
  if (text.substr(0, StringArray::kCookie.size()) != StringArray::kCookie) return -1;
  return AtoI(text.substr(StringArray::kCookie.size()));
}

// The record a load list gains for a segment without one, {index, function}, as inserting
// {index, ""} and then setting its function would leave it.
std::string NewLoadRecord(int segment_index, std::string_view function_text) {
  char digits[16];
  const std::string_view index(
      digits, static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, segment_index).ptr -
                                  digits));
  const int nested = CookieLevel(function_text);
  std::string out;
  int used = 0;
  if (nested + 1 < StringArray::kMaxLevel) {
    const std::string_view elements[] = {index, function_text};
    if (FormatStringArrayViews(std::max(nested + 1, 0), elements, 2, out, used) &&
        used + 1 < StringArray::kMaxLevel) {
      return out;
    }
  }
  // The function would not fit: the record stays {index, ""}.
  const std::string_view elements[] = {index, {}};
  FormatStringArrayViews(0, elements, 2, out, used);
  return out;
}

// A load record given a new function as setting its second element would; false when the
// record cannot take it (it is then left as it was).
bool UpdateLoadRecord(std::string& record_text, std::string_view function_text) {
  StringArray record(record_text);
  if (record.size() < 2) record.GetList().resize(2);
  record[1] = function_text;
  if (!record.Resync()) return false;
  std::string text = record.ToString();
  // What the list would refuse (see ListSlot::RaiseListLevel).
  if (CookieLevel(text) + 1 >= StringArray::kMaxLevel) return false;
  record_text = std::move(text);
  return true;
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
  if (index == list_entry_) {
    ParseList(text);
  } else {
    entries_[index] = std::move(text);
    if (!had_list && entries_.size() > list_entry_) {
      // The padding made an empty, plain list entry.
      items_.clear();
      list_level_ = 0;
      verbatim_ = true;
    }
  }
  return true;
}

std::string ListSlot::Text() const {
  std::string out;
  std::string list;
  AppendText(out, list);
  return out;
}

void ListSlot::AppendText(std::string& out, std::string& list) const {
  const bool assembled = entries_.size() > list_entry_ && !verbatim_;
  int level = level_;
  int used;
  if (assembled) {
    FormList(list);
    // The list may have needed a higher level than its items announce.
    level = std::max(level, CookieLevel(list) + 1);
  }
  // A slot no level can write comes out empty.
  const size_t start = out.size();
  if (!AppendStringArray(
          level, entries_.size(),
          [&](size_t i) -> const std::string& {
            return assembled && i == list_entry_ ? list : entries_[i];
          },
          out, used)) {
    out.resize(start);
  }
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
    const std::string list = std::move(entries_[list_entry_]);
    ParseList(list);
  } else {
    items_.clear();
    list_level_ = 0;
    verbatim_ = false;
  }
}

bool ListSlot::SetText(std::string_view text, std::string_view& error) {
  std::vector<std::string_view> views;
  int level;
  if (!SplitStringArray(text, views, level, error)) return false;
  level_ = std::max(level, 0);
  entries_.resize(views.size());
  for (size_t i = 0; i < views.size(); ++i) {
    if (i == list_entry_) {
      entries_[i].clear();
      entries_[i].shrink_to_fit();
    } else {
      entries_[i].assign(views[i]);
    }
  }
  if (entries_.size() > list_entry_) {
    ParseList(views[list_entry_]);
  } else {
    items_.clear();
    list_level_ = 0;
    verbatim_ = false;
  }
  return true;
}

bool ListSlot::SetItems(PackedTexts items) {
  int level = 0;
  for (size_t i = 0; i < items.size(); ++i) {
    if (!RaiseListLevel(CookieLevel(items[i]), level)) return false;
  }
  Touch();
  items_ = std::move(items);
  list_level_ = level;
  level_ = std::max(level_, level + 1);
  return true;
}

bool ListSlot::CanInsert() const {
  int level = entries_.size() > list_entry_ ? list_level_ : 0;
  return RaiseListLevel(0, level);
}

bool ListSlot::ReplaceItems(PackedTexts& items) {
  int level = entries_.size() > list_entry_ ? list_level_ : 0;
  for (size_t i = 0; i < items.size(); ++i) {
    if (!RaiseListLevel(CookieLevel(items[i]), level)) return false;
  }
  Touch();
  items_.swap(items);
  list_level_ = std::max(list_level_, level);
  level_ = std::max(level_, list_level_ + 1);
  return true;
}

bool ListSlot::InsertItem(size_t position, std::string_view text) {
  int level = list_level_;
  if (position > items_.size() || !RaiseListLevel(CookieLevel(text), level)) return false;
  Touch();
  items_.Insert(position, text);
  list_level_ = level;
  level_ = std::max(level_, level + 1);
  return true;
}

bool ListSlot::SetItem(size_t position, std::string_view text) {
  int level = list_level_;
  if (position >= items_.size() || !RaiseListLevel(CookieLevel(text), level)) return false;
  Touch();
  items_.Set(position, text);
  list_level_ = level;
  level_ = std::max(level_, level + 1);
  return true;
}

void ListSlot::EraseItem(size_t position) {
  if (position >= items_.size()) return;
  Touch();
  items_.Erase(position);
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
void ListSlot::ParseList(std::string_view text) {
  std::vector<std::string_view> views;
  int level;
  std::string_view error;
  bool canonical = false;
  items_.clear();
  list_level_ = 0;
  if (SplitStringArray(text, views, level, error, canonical) && level >= 0) {
    size_t bytes = 0;
    for (const std::string_view view : views) bytes += view.size();
    items_.reserve(views.size(), bytes);
    for (const std::string_view view : views) items_.push_back(view);
    list_level_ = level;
  }
  // Canonical text is what ListText() gives back.
  verbatim_ = !canonical;
  if (verbatim_) {
    entries_[list_entry_].assign(text);
  } else {
    std::string().swap(entries_[list_entry_]);
  }
}

std::string ListSlot::ListText() const {
  std::string out;
  FormList(out);
  return out;
}

void ListSlot::FormList(std::string& out) const {
  int used;
  if (!FormatStringArray(
          list_level_, items_.size(), [&](size_t i) { return items_[i]; }, out, used)) {
    out.clear();
  }
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
  const PackedTexts& records = slot.data.items();
  slot.keys.clear();
  slot.keys.reserve(records.size());
  slot.sorted = true;
  StringArrayView record;
  for (size_t i = 0; i < records.size(); ++i) {
    record.Reset(records[i]);
    const std::string_view first = record.At(0);
    const int index = AtoI(first);
    if (!slot.keys.empty() && index < slot.keys.back().index) slot.sorted = false;
    slot.keys.push_back({index, record.size() > 0 && first == IntText(index)});
  }
}

bool GroupFDlg::Serialize(ArchiveWriter& ar, const std::function<bool()>& between) const {
  return ListSlot::WriteSlots(ar, kCookie, slots_, between);
}

bool GroupFDlg::Serialize(ArchiveReader& ar, int /*version*/) {
  const bool read = ListSlot::ReadSlots(ar, kCookie, "F", slots_);
  // A slot read before a failure keeps its index in step.
  for (SystemSlot& slot : slots_) Reindex(slot);
  return read;
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

void GroupFDlg::UpdateLoadList(int system, int segment_index, std::string_view function_text) {
  SystemSlot* slot = At(system);
  if (slot == nullptr) return;
  ApplyDefaultsToSlot(system);
  int position = LookupLoad(system, segment_index);
  if (position < 0) {
    position = InsertLoad(system, segment_index);
    if (position < 0) return;
    // The new record gets its function at once rather than by reading {index, ""} back.
    slot->data.SetItem(static_cast<size_t>(position), NewLoadRecord(segment_index, function_text));
    return;
  }
  const size_t at = static_cast<size_t>(position);
  std::string record(slot->data.items()[at]);
  if (UpdateLoadRecord(record, function_text)) slot->data.SetItem(at, std::move(record));
}

// The list is merged with the updates in segment order. Each segment's updates go, in their
// own order, to the record UpdateLoadList would find (the first exact record of that index)
// or to a new record after every record of a lower or equal index. Whether a record fits does
// not depend on what came before it as long as a plain record can be inserted, so the result
// is the same as updating one by one.
void GroupFDlg::UpdateLoadLists(int system, const std::vector<LoadUpdate>& updates) {
  SystemSlot* slot = At(system);
  if (slot == nullptr || updates.empty()) return;
  ApplyDefaultsToSlot(system);
  if (!slot->sorted || !slot->data.CanInsert()) {
    for (const LoadUpdate& update : updates) {
      UpdateLoadList(system, update.segment_index, update.function_text);
    }
    return;
  }
  std::vector<size_t> order(updates.size());
  std::iota(order.begin(), order.end(), size_t{0});
  const auto by_index = [&](size_t a, size_t b) {
    return updates[a].segment_index < updates[b].segment_index;
  };
  if (!std::is_sorted(order.begin(), order.end(), by_index)) {
    std::stable_sort(order.begin(), order.end(), by_index);
  }

  const PackedTexts& old_items = slot->data.items();
  const std::vector<RecordKey>& old_keys = slot->keys;
  // Room for the new records: each about a cookie, an index, two delimiters and its function.
  size_t new_bytes = 0;
  for (const LoadUpdate& update : updates) new_bytes += 36 + update.function_text.size();
  PackedTexts items;
  std::vector<RecordKey> keys;
  items.reserve(old_items.size() + updates.size(), old_items.text_bytes() + new_bytes);
  keys.reserve(old_items.size() + updates.size());
  bool changed = false;
  size_t old = 0;
  for (size_t u = 0; u < order.size();) {
    const int index = updates[order[u]].segment_index;
    while (old < old_keys.size() && old_keys[old].index < index) {
      items.push_back(old_items[old]);
      keys.push_back(old_keys[old++]);
    }
    size_t target = SIZE_MAX;
    while (old < old_keys.size() && old_keys[old].index == index) {
      if (target == SIZE_MAX && old_keys[old].exact) target = items.size();
      items.push_back(old_items[old]);
      keys.push_back(old_keys[old++]);
    }
    if (target == SIZE_MAX) {
      target = items.size();
      items.push_back(NewLoadRecord(index, updates[order[u++]].function_text));
      keys.push_back({index, true});
      changed = true;
    }
    if (u < order.size() && updates[order[u]].segment_index == index) {
      std::string record(items[target]);
      bool record_changed = false;
      for (; u < order.size() && updates[order[u]].segment_index == index; ++u) {
        if (UpdateLoadRecord(record, updates[order[u]].function_text)) record_changed = true;
      }
      if (record_changed) {
        items.Set(target, record);
        changed = true;
      }
    }
  }
  if (!changed) return;
  keys.insert(keys.end(), old_keys.begin() + static_cast<std::ptrdiff_t>(old), old_keys.end());
  for (; old < old_items.size(); ++old) items.push_back(old_items[old]);
  if (slot->data.ReplaceItems(items)) slot->keys = std::move(keys);
}

}  // namespace orvo
