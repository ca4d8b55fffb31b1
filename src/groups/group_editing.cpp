#include "groups/group_editing.h"

#include <algorithm>
#include <utility>

#include "groups/cards.h"
#include "model/model_vocabulary.h"
#include "model/number_text.h"
#include "model/string_array.h"

namespace orvo::editing {
namespace {

// Time-function block counts are written in five columns; more breaks than that cannot
// reach a deck, and a typed 1e9 must not make every segment allocate a billion numbers.
constexpr int kMaxBreaks = 9999;

bool Valid(int index, size_t size) {
  return index >= 0 && static_cast<size_t>(index) < size;
}

std::string Cut(std::string_view text, size_t length) {
  return std::string(text.substr(0, std::min(text.size(), length)));
}

// Rebuilds a per-function list from the positions the functions had before: a surviving
// function keeps its own entry, a new one gets fill(list so far).
template <typename Fill>
std::vector<std::string> Realign(const std::vector<std::string>& old,
                                 const std::vector<int>& origins, Fill fill) {
  std::vector<std::string> fresh;
  fresh.reserve(origins.size());
  for (int origin : origins) {
    if (Valid(origin, old.size())) {
      fresh.push_back(old[static_cast<size_t>(origin)]);
    } else {
      fresh.push_back(fill(fresh));
    }
  }
  return fresh;
}

bool IsIdentity(const std::vector<int>& origins, size_t old_count) {
  if (origins.size() != old_count) return false;
  for (size_t i = 0; i < origins.size(); ++i) {
    if (origins[i] != static_cast<int>(i)) return false;
  }
  return true;
}

}  // namespace

int OptionIndex(int stored, int option_count) {
  return stored >= 0 && stored < option_count ? stored : -1;
}

int OptionStored(int stored, int index, int option_count) {
  return index >= 0 && index < option_count ? index : stored;
}

std::string NormaliseNumberList(std::string_view text) {
  StringArray list;
  list.Parse(text, true);
  return list.Join(' ');
}

std::string NormaliseList(std::string_view text) {
  StringArray list;
  list.Parse(text, false);
  return list.Join(' ');
}

std::string FitList(std::string_view text, int count, const std::string& fill) {
  StringArray list;
  list.Parse(text, false);
  list.GetList().resize(static_cast<size_t>(std::max(count, 0)), fill);
  return list.Join(' ');
}

// ---- Group A ---------------------------------------------------------------------------

GroupAForm OpenGroupA(const COrvoBuilderDoc& doc) {
  GroupAForm form{doc.group_a, doc.group_a.time_steps.Join(' '),
                  doc.group_a.print_intervals.Join(' '), doc.group_a.SYSBY.Join(' ')};
  if (form.values.JMASS < 0) form.values.JMASS = 0;  // "None"
  return form;
}

int SystemCap(SimulationType simtyp) {
  const int count = vocabulary::SystemCount(simtyp);
  return count > 0 ? count : GroupEDlg::kSystemSlots;
}

void ChooseSimulationType(GroupAForm& form, SimulationType simtyp) {
  form.values.SIMTYP = simtyp;
  LeaveNOSYS(form, vocabulary::SystemCount(simtyp));
}

void LeaveNOSYS(GroupAForm& form, int typed) {
  form.values.NOSYS = std::clamp(typed, 0, SystemCap(form.values.SIMTYP));
  form.sysby_text = FitList(form.sysby_text, form.values.NOSYS, "1");
}

void AcceptGroupA(COrvoBuilderDoc& doc, const GroupAForm& form) {
  // Groups F and J hold a row per load or segment: the step keeps a copy of them only when
  // a system slot is about to get its defaults, so a new title costs what a title costs.
  unsigned groups = kGroupA | kGroupD | kGroupE | kGroupH;
  const int slots = std::min(form.values.NOSYS, std::max(GroupFDlg::kSystems, GroupJDlg::kSystems));
  for (int system = 0; system < slots; ++system) {
    if (doc.group_f.SlotEmpty(system)) groups |= kGroupF;
    if (doc.group_j.SlotEmpty(system)) groups |= kGroupJ;
  }
  ScopedStep step(doc, "Edit Group A", groups);
  const int old_nosys = doc.group_a.NOSYS;
  GroupADlg values = form.values;
  values.NOSEG = doc.group_a.NOSEG;  // the network's, whatever the form holds
  values.time_steps.Parse(form.time_steps_text, false);
  values.print_intervals.Parse(form.print_intervals_text, false);
  values.SYSBY.Parse(form.sysby_text, false);
  doc.group_a = std::move(values);

  const int nosys = doc.group_a.NOSYS;
  const SimulationType simtyp = doc.group_a.SIMTYP;
  if (nosys != old_nosys) {
    doc.group_d.bypass.Parse(FitList(doc.group_d.bypass.Join(' '), nosys, "0"), false);
  }
  doc.group_e.ApplyDefaults(nosys);
  doc.group_f.ApplyDefaults(nosys);
  doc.group_h.ApplyNames(nosys, simtyp);
  doc.group_j.ApplyDefaults(nosys, doc.group_a.NOSEG, simtyp);
  doc.SetModifiedFlag(true);
}

// ---- Group B ---------------------------------------------------------------------------

GroupBForm OpenGroupB(const COrvoBuilderDoc& doc) {
  GroupBForm form{doc.group_b, FitList(doc.group_b.bypass.Join(' '), doc.group_a.NOSYS, "1"), {}};
  const StringArray* lists[2] = {&doc.group_b.surface_functions, &doc.group_b.pore_functions};
  for (size_t f = 0; f < 2; ++f) {
    const std::vector<std::string>& functions = lists[f]->GetList();
    for (size_t i = 0; i < functions.size(); ++i)
      form.rows[f].push_back({functions[i], static_cast<int>(i)});
  }
  return form;
}

int NewExchangeFunction(GroupBForm& form, int field) {
  if (!Valid(field, form.rows.size())) return -1;
  std::vector<FunctionRow>& rows = form.rows[static_cast<size_t>(field)];
  rows.push_back({"0.0 0.0", -1});
  return static_cast<int>(rows.size()) - 1;
}

ActionResult DeleteExchangeFunction(GroupBForm& form, int field, int selected) {
  if (!Valid(field, form.rows.size()) ||
      !Valid(selected, form.rows[static_cast<size_t>(field)].size())) {
    return {-1, "Please select an exchange data group to delete."};
  }
  std::vector<FunctionRow>& rows = form.rows[static_cast<size_t>(field)];
  rows.erase(rows.begin() + selected);
  return {std::min(selected, static_cast<int>(rows.size()) - 1), ""};
}

ActionResult EditExchangeFunctionNeed(const GroupBForm& form, int field, int selected) {
  if (!Valid(field, form.rows.size()) ||
      !Valid(selected, form.rows[static_cast<size_t>(field)].size())) {
    return {-1, "Please select an exchange data group to edit."};
  }
  return {selected, ""};
}

void SetExchangeFunctionText(GroupBForm& form, int field, int row, std::string_view text) {
  if (!Valid(field, form.rows.size())) return;
  std::vector<FunctionRow>& rows = form.rows[static_cast<size_t>(field)];
  if (Valid(row, rows.size())) rows[static_cast<size_t>(row)].text = NormaliseList(text);
}

void AcceptGroupB(COrvoBuilderDoc& doc, const GroupBForm& form) {
  ScopedStep step(doc, "Edit Group B", kGroupB);
  GroupBDlg& group = doc.group_b;
  group.title = form.values.title;
  group.surface_SCALR = form.values.surface_SCALR;
  group.surface_CONVR = form.values.surface_CONVR;
  group.pore_SCALR = form.values.pore_SCALR;
  group.pore_CONVR = form.values.pore_CONVR;
  group.surface_units = form.values.surface_units;
  group.pore_units = form.values.pore_units;
  group.bypass.Parse(form.bypass_text, false);

  StringArray* lists[2] = {&group.surface_functions, &group.pore_functions};
  bool count_changed[2] = {false, false};
  const std::string zero_entry = StringArray{"0.0", "0.0"}.ToString();
  for (size_t f = 0; f < 2; ++f) {
    const std::vector<FunctionRow>& rows = form.rows[f];
    std::vector<int> origins;
    std::vector<std::string> texts;
    for (const FunctionRow& row : rows) {
      origins.push_back(row.origin);
      texts.push_back(row.text);
    }
    const size_t old_count = lists[f]->size();
    lists[f]->GetList() = std::move(texts);
    count_changed[f] = rows.size() != old_count;
    if (IsIdentity(origins, old_count)) continue;
    // Entry k of an exchange belongs to function k, so a deleted function takes its own
    // entry with it rather than the last one. A new function copies the exchange's last
    // entry, as a raised count always did.
    for (const auto& node : doc.nodes()) {
      if (!node->is_exchange() || node->exchange()->exchange_field != static_cast<int>(f)) continue;
      const StringArray entries(node->GetParameter(exchange_param::kEntries));
      StringArray fresh(
          Realign(entries.GetList(), origins, [&](const std::vector<std::string>& so_far) {
            return so_far.empty() ? zero_entry : so_far.back();
          }));
      node->SetParameter(exchange_param::kEntries, fresh.ToString());
    }
  }
  doc.SetModifiedFlag(true);
  for (int f = 0; f < 2; ++f) {
    if (count_changed[f]) doc.SetExchangeFunctionCount(f, static_cast<int>(lists[f]->size()));
  }
}

// ---- Group C -------------------------------------------------------------------------

void AcceptGroupC(COrvoBuilderDoc& doc, const GroupCDlg& group) {
  ScopedStep step(doc, "Edit Group C", kGroupC);
  doc.group_c = group;
  doc.SetModifiedFlag(true);
}

// ---- Group D ---------------------------------------------------------------------------

GroupDForm OpenGroupD(const COrvoBuilderDoc& doc) {
  GroupDForm form{doc.group_d, {}};
  form.values.bypass.Parse(FitList(doc.group_d.bypass.Join(' '), doc.group_a.NOSYS, "1"), false);
  for (int k = 0; k < GroupDDlg::kFieldCount; ++k) {
    std::vector<int>& origins = form.origins[static_cast<size_t>(k)];
    for (int i = 0; i < doc.group_d.NINQ(k); ++i) origins.push_back(i);
  }
  return form;
}

int NewFlowFunction(GroupDForm& form, int field, int selected) {
  if (!Valid(field, form.origins.size())) return -1;
  const size_t k = static_cast<size_t>(field);
  StringArray& entries = form.values.fields[k];
  if (entries.empty()) entries.GetList() = {"1.0", "1.0", "m^3/sec"};
  if (entries.size() < 3) entries.GetList().resize(3);
  const int ninq = form.values.NINQ(field);
  const int position = selected < 0 ? 0 : std::min(selected, ninq);
  entries.GetList().insert(entries.GetList().begin() + 3 + position, "0.0 0.0");
  std::vector<int>& origins = form.origins[k];
  origins.insert(origins.begin() + std::min(position, static_cast<int>(origins.size())), -1);
  return position;
}

ActionResult DeleteFlowFunction(GroupDForm& form, int field, int selected) {
  if (!Valid(field, form.origins.size())) return {};
  const int ninq = form.values.NINQ(field);
  if (ninq == 0) return {};
  if (!Valid(selected, static_cast<size_t>(ninq))) {
    return {-1, "Please select an exchange data group to delete."};
  }
  const size_t k = static_cast<size_t>(field);
  std::vector<std::string>& entries = form.values.fields[k].GetList();
  entries.erase(entries.begin() + 3 + selected);
  std::vector<int>& origins = form.origins[k];
  if (Valid(selected, origins.size())) origins.erase(origins.begin() + selected);
  return {std::min(selected, ninq - 2), ""};
}

ActionResult EditFlowFunctionNeed(const GroupDForm& form, int field, int selected) {
  if (!Valid(field, form.origins.size()))
    return {-1, "Please select a time function group to edit."};
  if (!Valid(selected, static_cast<size_t>(form.values.NINQ(field)))) return {};
  return {selected, ""};
}

void SetFlowFunctionText(GroupDForm& form, int field, int function, std::string_view text) {
  if (!Valid(field, form.origins.size())) return;
  if (!Valid(function, static_cast<size_t>(form.values.NINQ(field)))) return;
  form.values.fields[static_cast<size_t>(field)][3 + static_cast<size_t>(function)] =
      NormaliseNumberList(text);
}

std::array<std::string, 3> SetFlowFieldCell(GroupDForm& form, int field, int column,
                                            std::string_view text) {
  if (!Valid(field, form.origins.size())) return {};
  const size_t k = static_cast<size_t>(field);
  StringArray& entries = form.values.fields[k];
  if (entries.size() < 4 && text.empty()) {
    entries.RemoveAll();
    form.origins[k].clear();
    return {};
  }
  if (entries.empty()) {
    entries.GetList() = {"0.0", "0.0", "m^3/sec", "0.0 0.0"};
    form.origins[k] = {-1};
  }
  if (entries.size() < 3) entries.GetList().resize(3);
  if (column == 1 || column == 2) {
    entries[static_cast<size_t>(column - 1)] = RealText(AtoF(text));
  } else if (column == 3) {
    entries[2] = std::string(text);
  }
  return {entries.At(0), entries.At(1), entries.At(2)};
}

void AcceptGroupD(COrvoBuilderDoc& doc, const GroupDForm& form) {
  ScopedStep step(doc, "Edit Group D", kGroupD);
  std::array<int, GroupDDlg::kFieldCount> old_ninq{};
  for (int k = 0; k < GroupDDlg::kFieldCount; ++k)
    old_ninq[static_cast<size_t>(k)] = doc.group_d.NINQ(k);
  doc.group_d = form.values;
  doc.SetModifiedFlag(true);
  // Portion t of an exchange belongs to function t: it follows its function through New and
  // Delete, and a new function starts with no portion anywhere.
  for (size_t k = 0; k < form.origins.size(); ++k) {
    const std::vector<int>& origins = form.origins[k];
    if (IsIdentity(origins, static_cast<size_t>(old_ninq[k]))) continue;
    for (const auto& node : doc.nodes()) {
      if (!node->is_exchange()) continue;
      StringArray record(node->GetParameter(exchange_param::kGroupD));
      if (record.size() < form.origins.size()) record.GetList().resize(form.origins.size());
      const StringArray portions(record.At(k));
      StringArray fresh(Realign(portions.GetList(), origins,
                                [](const std::vector<std::string>&) { return std::string(); }));
      record[k] = fresh.ToString();
      node->SetParameter(exchange_param::kGroupD, record.ToString());
    }
  }
}

// ---- Group E ---------------------------------------------------------------------------

GroupEForm OpenGroupE(const COrvoBuilderDoc& doc) {
  GroupEDlg shown = doc.group_e;
  shown.ApplyDefaults(doc.group_a.NOSYS);
  return {shown.systems, group_e::BreakCounts(doc)};
}

std::string SetGroupECell(GroupEForm& form, int system, int column, std::string_view text) {
  if (!Valid(system, form.systems.size())) return std::string(text);
  if (column == 4) {
    if (form.breaks.size() <= static_cast<size_t>(system))
      form.breaks.resize(static_cast<size_t>(system) + 1, 0);
    const int breaks = std::clamp(AtoI(text), 0, kMaxBreaks);
    form.breaks[static_cast<size_t>(system)] = breaks;
    return IntText(breaks);
  }
  static constexpr size_t kEntry[] = {0, 0, 1, 2, 0, 3};
  if (column < 1 || column > 5) return std::string(text);
  StringArray& settings = form.systems[static_cast<size_t>(system)];
  if (settings.size() < 4) settings.GetList().resize(4);
  std::string stored = column <= 2 ? RealText(AtoF(text)) : std::string(text);
  settings[kEntry[column]] = stored;
  return stored;
}

void AcceptGroupE(COrvoBuilderDoc& doc, const GroupEForm& form) {
  ScopedStep step(doc, "Edit Group E", kGroupE);
  doc.group_e.systems = form.systems;
  const std::vector<int> current = group_e::BreakCounts(doc);
  for (size_t k = 0; k < std::min(current.size(), form.breaks.size()); ++k) {
    const int wanted = form.breaks[k];
    const int system = static_cast<int>(k);
    if (wanted > current[k]) {
      group_e::ChangeBreakCount(doc, system, wanted);
    } else if (wanted < current[k] &&
               doc.platform().AskOkCancel(
                   "Warning: system " + IntText(system) +
                   " has fewer breaks in its time function.  Time function data will be "
                   "removed from the start of the list.  Is this okay?")) {
      group_e::ChangeBreakCount(doc, system, wanted);
    }
  }
  doc.SetModifiedFlag(true);
}

// ---- Group F ---------------------------------------------------------------------------

GroupFForm OpenGroupF(const COrvoBuilderDoc& doc) {
  return {doc.group_f, {}};
}

std::string SetGroupFCell(GroupFForm& form, int system, int column, std::string_view text) {
  if (system < 0 || system >= GroupFDlg::kSystems || column < 1 || column > 4)
    return std::string(text);
  form.values.ApplyDefaultsToSlot(system);
  std::string stored = column <= 2 ? RealText(AtoF(text)) : std::string(text);
  form.values.SetEntry(system, static_cast<size_t>(column - 1), stored);
  return stored;
}

std::vector<std::string> LoadRows(const COrvoBuilderDoc& doc, const GroupFForm& form, int system) {
  const std::vector<const COrvoBuilderCntrItem*> by_id = SegmentsById(doc);
  std::vector<std::string> rows(static_cast<size_t>(std::max(doc.group_a.NOSEG, 0)));
  for (size_t i = 0; i < rows.size() && i < by_id.size(); ++i) {
    if (by_id[i] == nullptr) continue;
    const StringArray record(by_id[i]->segment()->group_f);
    rows[i] = StringArray(record.At(static_cast<size_t>(std::max(system, 0)))).Join(' ');
  }
  for (const GroupFForm::LoadEdit& edit : form.load_edits) {
    if (edit.system == system && Valid(edit.segment_id - 1, rows.size()))
      rows[static_cast<size_t>(edit.segment_id - 1)] = edit.function;
  }
  return rows;
}

std::string SetLoadFunction(GroupFForm& form, int system, int segment_id, std::string_view text) {
  std::string function = NormaliseNumberList(text);
  if (system < 0 || system >= GroupFDlg::kSystems || segment_id < 1) return function;
  for (GroupFForm::LoadEdit& edit : form.load_edits) {
    if (edit.system == system && edit.segment_id == segment_id) {
      edit.function = function;
      return function;
    }
  }
  form.load_edits.push_back({system, segment_id, function});
  return function;
}

void AcceptGroupF(COrvoBuilderDoc& doc, const GroupFForm& form) {
  ScopedStep step(doc, "Edit Group F", kGroupF);
  doc.group_f = form.values;
  // The card is written from the segments, so a load typed here goes to the segment, whose
  // change also brings the load list along.
  for (const GroupFForm::LoadEdit& edit : form.load_edits) {
    StringArray numbers;
    numbers.Parse(edit.function, false);
    const std::string function = numbers.empty() ? std::string() : numbers.ToString();
    // Without a segment there is nothing the card could carry the load with.
    COrvoBuilderCntrItem* node = doc.GetSegmentNode(edit.segment_id);
    if (node == nullptr || node->segment() == nullptr) continue;
    StringArray record(node->GetParameter(segment_param::kGroupF));
    if (record.size() < GroupFDlg::kSystems) record.GetList().resize(GroupFDlg::kSystems);
    record[static_cast<size_t>(edit.system)] = function;
    node->SetParameter(segment_param::kGroupF, record.ToString());
  }
  doc.SetModifiedFlag(true);
}

// ---- Groups G and I ---------------------------------------------------------------------

std::string SetGroupGCell(GroupGDlg& group, int slot, int column, std::string_view text) {
  if (!Valid(slot, group.names.size())) return std::string(text);
  const size_t at = static_cast<size_t>(slot);
  if (column == 1) return group.names[at] = Cut(text, kParameterNameLength);
  if (column != 2) return std::string(text);
  group.values[at] = AtoF(text);
  return RealText(group.values[at]);
}

void AcceptGroupG(COrvoBuilderDoc& doc, const GroupGDlg& group) {
  ScopedStep step(doc, "Edit Group G", kGroupG);
  doc.group_g = group;
  doc.SetModifiedFlag(true);
}

std::string SetGroupICell(GroupIDlg& group, int slot, int column, std::string_view text) {
  if (!Valid(slot, group.names.size())) return std::string(text);
  const size_t at = static_cast<size_t>(slot);
  if (column == 1) return group.names[at] = Cut(text, kFunctionNameLength);
  if (column != 2) return std::string(text);
  return group.functions[at] = NormaliseNumberList(text);
}

void AcceptGroupI(COrvoBuilderDoc& doc, const GroupIDlg& group) {
  ScopedStep step(doc, "Edit Group I", kGroupI);
  doc.group_i = group;
  doc.SetModifiedFlag(true);
}

// ---- Group H ---------------------------------------------------------------------------
namespace {

constexpr const char* kNew = "<NEW>";

// A block taken apart: its field list as (name, constant list) pairs.
struct Block {
  StringArray fields;
  bool Load(const GroupHDlg& group, int block) {
    if (!Valid(block, group.blocks.size())) return false;
    fields = StringArray(group.blocks[static_cast<size_t>(block)].At(1));
    return true;
  }
  void Store(GroupHDlg& group, int block) {
    StringArray& target = group.blocks[static_cast<size_t>(block)];
    GroupHDlg::GiveEmptyShape(target);
    if (target.size() < 2) target.GetList().resize(2);
    target[1] = fields.ToString();
  }
  int FieldCount() const { return static_cast<int>(fields.size() / 2); }
  StringArray ConstantList(int field) const {
    return StringArray(fields.At(2 * static_cast<size_t>(field) + 1));
  }
  void SetConstantList(int field, StringArray constants) {
    fields[2 * static_cast<size_t>(field) + 1] = constants.ToString();
  }
};

}  // namespace

std::vector<std::string> FieldNames(const GroupHDlg& group, int block) {
  Block b;
  std::vector<std::string> names;
  if (!b.Load(group, block)) return names;
  for (int f = 0; f < b.FieldCount(); ++f) names.push_back(b.fields.At(2 * static_cast<size_t>(f)));
  return names;
}

std::vector<std::array<std::string, 3>> Constants(const GroupHDlg& group, int block, int field) {
  Block b;
  std::vector<std::array<std::string, 3>> constants;
  if (!b.Load(group, block) || !Valid(field, static_cast<size_t>(b.FieldCount()))) return constants;
  const StringArray list = b.ConstantList(field);
  for (size_t i = 0; i + 2 < list.size(); i += 3)
    constants.push_back({list.At(i), list.At(i + 1), list.At(i + 2)});
  return constants;
}

ActionResult NewField(GroupHDlg& group, int block) {
  Block b;
  if (!b.Load(group, block)) return {-1, "Please select a system to add the new field under."};
  b.fields.GetList().push_back("New Field");
  b.fields.GetList().push_back(StringArray{kNew, kNew, kNew}.ToString());
  b.Store(group, block);
  return {b.FieldCount() - 1, ""};
}

ActionResult NewConstant(GroupHDlg& group, int block, int field) {
  Block b;
  if (!b.Load(group, block))
    return {-1, "Please select a system and field to add the new constant under."};
  if (!Valid(field, static_cast<size_t>(b.FieldCount())))
    return {-1, "Please select a field to add the new constant under."};
  StringArray constants = b.ConstantList(field);
  for (const char* text : {kNew, kNew, kNew}) constants.GetList().push_back(text);
  const int position = static_cast<int>(constants.size() / 3) - 1;
  b.SetConstantList(field, std::move(constants));
  b.Store(group, block);
  return {position, ""};
}

ActionResult DeleteField(GroupHDlg& group, int block, int field) {
  Block b;
  if (!b.Load(group, block)) return {-1, "Please select the system that has the field to delete."};
  if (!Valid(field, static_cast<size_t>(b.FieldCount())))
    return {-1, "Please select a field to delete."};
  std::vector<std::string>& list = b.fields.GetList();
  list.erase(list.begin() + 2 * field, list.begin() + 2 * field + 2);
  b.Store(group, block);
  const int remaining = b.FieldCount();
  return {remaining == 0 ? -1 : std::max(field - 1, 0), ""};
}

ActionResult DeleteConstant(GroupHDlg& group, int block, int field, int constant) {
  Block b;
  if (!b.Load(group, block)) return {-1, "Please select the system that has the field to delete."};
  if (!Valid(field, static_cast<size_t>(b.FieldCount())))
    return {-1, "Please select a field with constants to delete."};
  StringArray constants = b.ConstantList(field);
  if (!Valid(constant, constants.size() / 3)) return {-1, "Please select a constant to delete."};
  std::vector<std::string>& list = constants.GetList();
  list.erase(list.begin() + 3 * constant, list.begin() + 3 * constant + 3);
  const int remaining = static_cast<int>(list.size() / 3);
  b.SetConstantList(field, std::move(constants));
  b.Store(group, block);
  return {std::min(constant, remaining - 1), ""};
}

void SetBlockName(GroupHDlg& group, int block, std::string_view name) {
  if (!Valid(block, group.blocks.size())) return;
  StringArray& target = group.blocks[static_cast<size_t>(block)];
  GroupHDlg::GiveEmptyShape(target);
  if (target.size() < 2) target.GetList().resize(2);
  target[0] = std::string(name);
}

void SetFieldName(GroupHDlg& group, int block, int field, std::string_view name) {
  Block b;
  if (!b.Load(group, block) || !Valid(field, static_cast<size_t>(b.FieldCount()))) return;
  b.fields[2 * static_cast<size_t>(field)] = std::string(name);
  b.Store(group, block);
}

std::string SetConstantCell(GroupHDlg& group, int block, int field, int constant, int column,
                            std::string_view text) {
  std::string stored = column == 1   ? IntText(AtoI(text))
                       : column == 2 ? RealText(AtoF(text))
                                     : std::string(text);
  Block b;
  if (!b.Load(group, block) || !Valid(field, static_cast<size_t>(b.FieldCount())) ||
      !Valid(column, 3)) {
    return stored;
  }
  StringArray constants = b.ConstantList(field);
  if (!Valid(constant, constants.size() / 3)) return stored;
  constants[3 * static_cast<size_t>(constant) + static_cast<size_t>(column)] = stored;
  b.SetConstantList(field, std::move(constants));
  b.Store(group, block);
  return stored;
}

void AcceptGroupH(COrvoBuilderDoc& doc, const GroupHDlg& group) {
  ScopedStep step(doc, "Edit Group H", kGroupH);
  doc.group_h = group;
  doc.SetModifiedFlag(true);
}

// ---- Group J ---------------------------------------------------------------------------

int ClampIFIELD(int typed) {
  return std::clamp(typed, 3, 5);
}

std::string SetGroupJSystemCell(GroupJDlg& group, int system, int column, std::string_view text) {
  std::string stored;
  switch (column) {
    case 1:
      stored = Cut(text, kChemlLength);  // wider names shift the rest of the card's line
      break;
    case 2:
      stored = text.empty() ? std::string() : IntText(ClampIFIELD(AtoI(text)));
      break;
    case 3:
    case 4:
      stored = text.empty() ? std::string() : RealText(AtoF(text));
      break;
    case 5:
      stored = std::string(text);
      break;
    default:
      return std::string(text);
  }
  group.SetEntry(system, static_cast<size_t>(column - 1), stored);
  return stored;
}

std::optional<std::string> SetGroupJSegmentCell(
    GroupJDlg& group, int system, int row, int column, std::string_view text,
    const std::function<bool(int column, double value)>& keep_value) {
  if (!Valid(row, static_cast<size_t>(group.RowCount(system))) || column < 1 || column > 3)
    return std::nullopt;
  std::string stored;
  if (column == 1) {
    stored = Cut(text, kSegmentNameLength);
  } else {
    const double value = AtoF(text);
    if (keep_value && !keep_value(column, value)) return std::nullopt;
    stored = RealText(value);
  }
  StringArray entry = group.Row(system, row);
  if (entry.size() < 3) entry.GetList().resize(3);
  entry[static_cast<size_t>(column - 1)] = stored;
  group.SetRow(system, row, entry);
  return stored;
}

void RestoreDefaultSystemNames(GroupJDlg& group, int nosys, SimulationType simtyp) {
  for (int k = 0; k < std::min(nosys, GroupJDlg::kSystems); ++k)
    group.SetEntry(k, GroupJDlg::kCheml, vocabulary::SystemName(simtyp, k + 1));
}

void AcceptGroupJ(COrvoBuilderDoc& doc, const GroupJDlg& group) {
  ScopedStep step(doc, "Edit Group J", kGroupJ);
  doc.group_j = group;
  doc.SetModifiedFlag(true);
}

}  // namespace orvo::editing
