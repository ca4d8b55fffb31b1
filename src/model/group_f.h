// Group F (waste loads): per-system settings and, per system, the load functions by segment.
// Also ListSlot, the per-system slot shape that groups F and J share.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/archive.h"
#include "model/packed_texts.h"
#include "model/string_array.h"

namespace orvo {

// A system slot: a StringArray whose entry `list_entry` is the string form of a list that grows
// to one element per segment. The list is kept as its element texts, packed in one buffer, so
// that adding or changing one element costs only that element; the slot's string form is
// assembled only when asked for. Levels follow StringArray's rules (raised to fit nested
// elements, never lowered), and a list that was set from text and never changed is given back
// byte for byte.
class ListSlot {
 public:
  explicit ListSlot(size_t list_entry) : list_entry_(list_entry) {}

  bool empty() const { return entries_.empty(); }
  size_t entry_count() const { return entries_.size(); }
  // Entry text, empty outside the slot; the list entry gives the list's string form.
  std::string Entry(size_t index) const;
  // Appends empty entries up to index. False (nothing changed) when text nests too deep.
  bool SetEntry(size_t index, std::string text);

  StringArray Array() const;
  std::string Text() const;
  // Appends Text() to out; list holds the list's own form meanwhile (a buffer the caller may
  // keep from slot to slot).
  void AppendText(std::string& out, std::string& list) const;
  void SetArray(const StringArray& array);
  // As SetArray of the array FromString reads from text; false, with FromString's message in
  // error and the slot unchanged, where FromString fails.
  bool SetText(std::string_view text, std::string_view& error);

  const PackedTexts& items() const { return items_; }
  // False where inserting a plain item would fail: the list is at the top level already.
  bool CanInsert() const;
  // The item changers give the slot its list entry first (empty entries before it) and
  // return false, changing nothing, when the text nests too deep for the slot's delimiters.
  bool SetItems(PackedTexts items);
  // Replaces the items as a run of InsertItem and SetItem calls that made them would: the
  // list level only rises. False, nothing changed, when an item nests too deep.
  bool ReplaceItems(PackedTexts& items);
  bool InsertItem(size_t position, std::string_view text);
  bool SetItem(size_t position, std::string_view text);
  void EraseItem(size_t position);

  // The project-file form groups F and J share: the group's cookie, then each system slot's
  // string form. Writing calls `between` (when given) after each slot; false from it stops the
  // writing and is returned. Reading fails, with the archive's error set, on another cookie or
  // a slot text FromString refuses.
  template <size_t N, typename Slot>
  static bool WriteSlots(ArchiveWriter& ar, uint16_t cookie, const std::array<Slot, N>& slot_array,
                         const std::function<bool()>& between);
  template <size_t N, typename Slot>
  static bool ReadSlots(ArchiveReader& ar, uint16_t cookie, std::string_view group,
                        std::array<Slot, N>& slot_array);

 private:
  bool RaiseListLevel(int nested_level, int& list_level) const;
  void Touch();
  void ParseList(std::string_view text);
  std::string ListText() const;
  // ListText into out (empty when no level can write the list).
  void FormList(std::string& out) const;

  size_t list_entry_;
  std::vector<std::string> entries_;  // entries_[list_entry_] is empty unless verbatim_
  int level_ = 0;
  PackedTexts items_;
  int list_level_ = 0;
  bool verbatim_ = false;
};

template <size_t N, typename Slot>
bool ListSlot::WriteSlots(ArchiveWriter& ar, uint16_t cookie, const std::array<Slot, N>& slot_array,
                          const std::function<bool()>& between) {
  ar.U16(cookie);
  // A slot's list holds an entry per segment: its form is made once, in the archive itself.
  std::string list;
  for (const Slot& slot : slot_array) {
    ar.StringInPlace([&](std::string& bytes) { slot.data.AppendText(bytes, list); });
    if (between && !between()) return false;
  }
  return true;
}

template <size_t N, typename Slot>
bool ListSlot::ReadSlots(ArchiveReader& ar, uint16_t cookie, std::string_view group,
                         std::array<Slot, N>& slot_array) {
  if (ar.U16() != cookie) {
    ar.Fail("Error reading group " + std::string(group) + " from archive (bad cookie).");
    return false;
  }
  for (Slot& slot : slot_array) {
    const std::string_view text = ar.StringView();
    if (!ar.ok()) return false;
    std::string_view error;
    if (!slot.data.SetText(text, error)) {
      ar.Fail(std::string(error));
      return false;
    }
  }
  return ar.ok();
}

class GroupFDlg {
 public:
  static constexpr uint16_t kCookie = 0x1005;
  static constexpr int kSystems = 8;
  // Slot entries.
  static constexpr size_t kScalw = 0, kConvw = 1, kUnits = 2, kTitle = 3, kLoadList = 4;

  std::string nonpoint_file;  // not kept in the project file
  int current_system = 0;     // selection of the global editor

  // `between` runs after each system's slot (see ListSlot::WriteSlots).
  bool Serialize(ArchiveWriter& ar, const std::function<bool()>& between = {}) const;
  bool Serialize(ArchiveReader& ar, int version);

  // Slots count systems from 0; an out-of-range system reads as an empty slot and ignores
  // changes.
  bool SlotEmpty(int system) const;
  StringArray Slot(int system) const;
  std::string SlotText(int system) const;
  void SetSlot(int system, const StringArray& slot);
  std::string Entry(int system, size_t entry) const;
  void SetEntry(int system, size_t entry, std::string text);

  void ApplyDefaultsToSlot(int system);
  void ApplyDefaults(int nosys);

  // Load records, in list order: (segment index as "%d", function text).
  int LoadCount(int system) const;
  StringArray LoadRecord(int system, int position) const;
  int LookupLoad(int system, int segment_index) const;
  int InsertLoad(int system, int segment_index);
  void UpdateLoadList(int system, int segment_index, std::string_view function_text);
  // UpdateLoadList for each update in turn, in one pass over the list.
  struct LoadUpdate {
    int segment_index;
    std::string_view function_text;
  };
  void UpdateLoadLists(int system, const std::vector<LoadUpdate>& updates);

 private:
  struct RecordKey {
    int index;   // atoi of the record's first entry
    bool exact;  // the first entry is exactly the "%d" text of index
  };
  struct SystemSlot {
    ListSlot data{kLoadList};
    std::vector<RecordKey> keys;  // one per load record
    bool sorted = true;           // keys never decrease: lookups may bisect
  };

  SystemSlot* At(int system);
  const SystemSlot* At(int system) const;
  static void Reindex(SystemSlot& slot);

  std::array<SystemSlot, kSystems> slots_;
};

}  // namespace orvo
