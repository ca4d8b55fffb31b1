#include "groups/node_properties.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <optional>

#include "groups/cards.h"
#include "groups/group_e.h"
#include "groups/group_editing.h"
#include "groups/node_editing.h"
#include "model/model_vocabulary.h"
#include "model/number_syntax.h"
#include "model/number_text.h"
#include "model/project_document.h"
#include "model/string_array.h"

namespace orvo::node_properties {
namespace {

namespace ne = orvo::node_editing;

constexpr const char* kValue = "Value";
constexpr const char* kSegment = "Segment";
constexpr const char* kGroupC = "Group C (Volumes)";
constexpr const char* kGroupE = "Group E (Boundary Concentrations)";
constexpr const char* kGroupF = "Group F (Waste Loads)";
constexpr const char* kGroupG = "Group G (Parameters)";
constexpr const char* kExchange = "Exchange";
constexpr const char* kGroupB = "Group B (Exchange Data)";
constexpr const char* kGroupD = "Group D (Flows)";
constexpr const char* kLabel = "Label";

// Group C values of a segment: key, row name, parameter index, kind.
struct SegmentValue {
  const char* key;
  const char* name;
  int index;
  Kind kind;
};
constexpr SegmentValue kGroupCValues[] = {
    {"C:type", "Segment Type", 3, Kind::kChoice},
    {"C:IBOTSEG", "Bottom Segment ID (IBOTSEG)", 4, Kind::kInteger},
    {"C:BVOL", "Volume (BVOL)", 9, Kind::kReal},
    {"C:VMULT", "Hydraulic coefficient \"a\" for velocity (VMULT)", 8, Kind::kReal},
    {"C:VEXP", "Hydraulic exponent \"b\" for velocity (VEXP)", 7, Kind::kReal},
    {"C:DMULT", "Hydraulic coefficient \"c\" for depth (DMULT)", 5, Kind::kReal},
    {"C:DXP", "Hydraulic exponent \"d\" for depth (DXP)", 6, Kind::kReal},
};

const std::vector<std::string> kExchangeTypes = {"Surface Water", "Pore Water",
                                                 "No exchange data here"};
const std::array<const char*, 2> kEntryColumns = {"Area, m^2 (A(K))",
                                                  "Characteristic length, m (EL(K))"};

// Keys are fields joined by ':'.
std::vector<std::string> KeyParts(const std::string& key) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t colon = key.find(':'); colon != std::string::npos; colon = key.find(':', start)) {
    parts.push_back(key.substr(start, colon - start));
    start = colon + 1;
  }
  parts.push_back(key.substr(start));
  return parts;
}

// A whole number part of a key; -1 when it is none.
int KeyNumber(const std::string& part) {
  return IsNumberText(part, true) ? AtoI(part) : -1;
}

std::string Join(std::initializer_list<std::string> parts) {
  std::string key;
  for (const std::string& part : parts) key += (key.empty() ? "" : ":") + part;
  return key;
}

std::string Quoted(const std::string& name) {
  return "\xE2\x80\x9C" + name + "\xE2\x80\x9D";
}

// The message the windows give for text that is not a number (see number_field.h).
std::string NotANumber(const std::string& name, Kind kind) {
  switch (kind) {
    case Kind::kInteger:
    case Kind::kChoice:
      return Quoted(name) + " must be a whole number.";
    case Kind::kRealList:
      return Quoted(name) + " must be numbers separated by blanks.";
    default:
      return Quoted(name) + " must be a number.";
  }
}

bool Accepts(Kind kind, std::string_view typed) {
  switch (kind) {
    case Kind::kInteger:
    case Kind::kChoice:
      return IsNumberText(typed, true);
    case Kind::kReal:
      return IsNumberText(typed, false);
    case Kind::kRealList:
      return IsNumberListText(typed, false);
    case Kind::kText:
      return true;
  }
  return false;
}

// Group G pairs of a segment; false when its record cannot be read.
bool GroupGPairs(const COrvoBuilderDoc& doc, const COrvoBuilderCntrItem& node,
                 std::vector<ne::ParameterPair>& pairs) {
  return ne::SplitParameterPairs(node.segment()->group_g, doc.group_a.SIMTYP, pairs);
}

int GroupGRows(const COrvoBuilderDoc& doc, size_t pairs) {
  return std::min(vocabulary::SegmentParameterCount(doc.group_a.SIMTYP), static_cast<int>(pairs));
}

void AddSegmentProperties(const COrvoBuilderDoc& doc, const COrvoBuilderCntrItem& node,
                          std::vector<Property>& out) {
  const SegmentData& s = *node.segment();
  out.push_back({"id", kSegment, "Segment ID", kValue, Kind::kInteger, {}, IntText(s.segment_id)});
  for (const SegmentValue& value : kGroupCValues) {
    Property property{value.key, kGroupC, value.name, kValue, value.kind, {}, ""};
    if (value.kind == Kind::kChoice) {
      property.choices.assign(ne::kSegmentTypeNames.begin(), ne::kSegmentTypeNames.end());
    }
    property.value = node.GetParameter(value.index);
    out.push_back(std::move(property));
  }
  const int systems = group_e::SystemCount(doc);
  const SimulationType simtyp = doc.group_a.SIMTYP;
  const std::vector<std::string> boundaries =
      ne::SystemFunctionTexts(s.group_e, static_cast<size_t>(systems));
  const std::vector<std::string> loads =
      ne::SystemFunctionTexts(s.group_f, static_cast<size_t>(GroupFDlg::kSystems));
  for (int k = 0; k < systems; ++k) {
    out.push_back({Join({"E", IntText(k)}),
                   kGroupE,
                   vocabulary::SystemName(simtyp, k + 1),
                   "Boundary Concentration Time Functions",
                   Kind::kRealList,
                   {},
                   boundaries[static_cast<size_t>(k)]});
  }
  for (int k = 0; k < systems; ++k) {
    out.push_back({Join({"F", IntText(k)}),
                   kGroupF,
                   vocabulary::SystemName(simtyp, k + 1),
                   "Point Source Time Function",
                   Kind::kRealList,
                   {},
                   loads[static_cast<size_t>(k)]});
  }
  std::vector<ne::ParameterPair> pairs;
  if (!GroupGPairs(doc, node, pairs)) return;
  for (int slot = 0; slot < GroupGRows(doc, pairs.size()); ++slot) {
    const SegmentParameterRow* row = vocabulary::SegmentParameter(simtyp, slot);
    out.push_back({Join({"G", IntText(slot)}),
                   kGroupG,
                   row != nullptr ? row->name : IntText(slot + 1),
                   "PARAM(ISEG, ISC)",
                   Kind::kReal,
                   {},
                   pairs[static_cast<size_t>(slot)].value});
  }
}

void AddExchangeProperties(const COrvoBuilderCntrItem& node, std::vector<Property>& out) {
  const ExchangeData& e = *node.exchange();
  out.push_back({"X:up",
                 kExchange,
                 "Upstream segment (ISEG)",
                 kValue,
                 Kind::kInteger,
                 {},
                 IntText(e.upstream)});
  out.push_back({"X:down",
                 kExchange,
                 "Downstream segment (IBOTSEG)",
                 kValue,
                 Kind::kInteger,
                 {},
                 IntText(e.downstream)});
  out.push_back({"X:field", kExchange, "Exchange Type", kValue, Kind::kChoice, kExchangeTypes,
                 IntText(e.exchange_field)});
  // The rows the per-node editor shows, entries it would add reading as "0.0".
  std::vector<std::string> entries = ne::SplitExchangeEntries(e.entries);
  const int rows = ne::ExchangeRowCount(e.exchange_field, e.surface_count, e.pore_count);
  ne::EnsureExchangeEntries(entries, rows);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < 2; ++c) {
      out.push_back({Join({"B", IntText(e.exchange_field), IntText(r), IntText(c)}),
                     kGroupB,
                     IntText(r + 1),
                     kEntryColumns[static_cast<size_t>(c)],
                     Kind::kReal,
                     {},
                     ne::ExchangeEntryValue(entries[static_cast<size_t>(r)], c)});
    }
  }
  ne::PortionLists portions;
  if (!ne::SplitPortions(e.group_d, portions)) return;
  for (int field = 0; field < ne::kFlowFields; ++field) {
    const std::vector<std::string>& list = portions[static_cast<size_t>(field)];
    for (size_t n = 1; n <= list.size(); ++n) {
      out.push_back({Join({"D", IntText(field), IntText(static_cast<long long>(n))}),
                     kGroupD,
                     ne::kFlowFieldNames[static_cast<size_t>(field)],
                     "Portion of flow for time function " + IntText(static_cast<long long>(n)),
                     Kind::kReal,
                     {},
                     ne::PortionCell(list[n - 1])});
    }
  }
}

// ---- Setting one node's value ------------------------------------------------------------

// Sets parameter index when the text differs, so an edit that changes nothing is no change.
// Without apply only says whether it would change.
bool SetIfDifferent(COrvoBuilderCntrItem& node, int index, const std::string& text, bool apply) {
  if (node.GetParameter(index) == text) return false;
  if (apply) node.SetParameter(index, text);
  return true;
}

bool SetSegmentId(COrvoBuilderDoc& doc, COrvoBuilderCntrItem& node, int wanted,
                  std::string& message, bool apply) {
  const int old_id = node.segment()->segment_id;
  if (wanted == old_id) return false;
  if (wanted < 1 || wanted > doc.group_a.NOSEG) {
    message = "You must enter a segment ID that ranges from 1.." + IntText(doc.group_a.NOSEG) +
              ".  Segment ID reverted.";
    return false;
  }
  if (!apply) return true;
  // As the segment dialog's OK: the document carries the typed ID out (or reverts it).
  node.SetParameter(segment_param::kSegmentId, IntText(wanted));
  doc.ChangeSegmentID(node, old_id);
  if (doc.GetSegmentNode(node.segment()->segment_id) != &node) doc.BuildSegmentArray();
  return node.segment()->segment_id != old_id;
}

// What a key does to one node: a refusal message, or the change (false when the node
// already held the value). A first pass without apply finds refusals before anything changes.
struct Setter {
  COrvoBuilderDoc& doc;
  const std::vector<std::string>& parts;
  std::string_view typed;
  const KeepValue& keep;
  bool apply = false;
  std::string message;

  bool Set(COrvoBuilderCntrItem& node, int index, const std::string& text) {
    return SetIfDifferent(node, index, text, apply);
  }

  bool Segment(COrvoBuilderCntrItem& node) {
    const std::string& what = parts[0];
    if (what == "id") return SetSegmentId(doc, node, AtoI(typed), message, apply);
    if (what == "C") {
      for (const SegmentValue& value : kGroupCValues) {
        if (Join({"C", parts.size() > 1 ? parts[1] : ""}) != value.key) continue;
        if (value.kind == Kind::kChoice) {
          const int position = AtoI(typed);
          if (position < 0 || position >= static_cast<int>(ne::kSegmentTypeNames.size())) {
            message = Quoted(value.name) + " must be one of the segment types.";
            return false;
          }
          return Set(node, value.index, IntText(position));
        }
        if (value.kind == Kind::kInteger) {
          const int id = AtoI(typed);
          // A bottom segment that does not exist would be written into the deck as it is.
          if (!ne::ValidSegmentReference(id, doc.group_a.NOSEG)) {
            message = "The bottom segment ID (IBOTSEG) must be 0 or a segment ID from 1 to " +
                      IntText(doc.group_a.NOSEG) + ".";
            return false;
          }
          return Set(node, value.index, IntText(id));
        }
        return Set(node, value.index, ne::NumberText(typed));
      }
      return false;
    }
    const int k = parts.size() > 1 ? KeyNumber(parts[1]) : -1;
    const int systems = group_e::SystemCount(doc);
    if (what == "E" && k >= 0 && k < systems) {
      std::vector<std::string> texts =
          ne::SystemFunctionTexts(node.segment()->group_e, static_cast<size_t>(systems));
      const std::vector<int> breaks = group_e::BreakCounts(doc);
      const int count = k < static_cast<int>(breaks.size()) ? breaks[static_cast<size_t>(k)] : 0;
      std::string normalized;
      if (!ne::NormalizeBoundaryFunction(typed, count, normalized)) {
        message = ne::kBreakCountFixed;
        return false;
      }
      if (texts[static_cast<size_t>(k)] == normalized) return false;
      texts[static_cast<size_t>(k)] = normalized;
      return Set(node, 10, ne::SystemRecordText(texts));
    }
    if (what == "F" && k >= 0 && k < systems) {
      std::vector<std::string> texts = ne::SystemFunctionTexts(
          node.segment()->group_f, static_cast<size_t>(GroupFDlg::kSystems));
      const std::string normalized = ne::NormalizeLoadFunction(typed);
      if (texts[static_cast<size_t>(k)] == normalized) return false;
      texts[static_cast<size_t>(k)] = normalized;
      return Set(node, 11, ne::SystemRecordText(texts));
    }
    if (what == "G" && k >= 0) {
      std::vector<ne::ParameterPair> pairs;
      if (!GroupGPairs(doc, node, pairs)) {
        message = ne::kGroupGCorrupt;
        return false;
      }
      if (k >= GroupGRows(doc, pairs.size())) return false;
      const std::string value = ne::NumberText(typed);
      if (pairs[static_cast<size_t>(k)].value == value) return false;
      pairs[static_cast<size_t>(k)].value = value;
      return Set(node, 12, ne::ParameterPairsText(pairs));
    }
    if (what == "J" && k >= 0 && parts.size() > 2) {
      // Group J keeps its rows in segment order, one per segment ID.
      const bool dissolved = parts[2] == "DISSF";
      GroupJDlg group = doc.group_j;
      const std::optional<std::string> kept = editing::SetGroupJSegmentCell(
          group, k, node.segment()->segment_id - 1, dissolved ? 3 : 2, typed,
          [this, dissolved](int, double value) {
            return apply || !keep || keep(dissolved, value);  // asked once, before changing
          });
      if (!kept || group.Rows(k) == doc.group_j.Rows(k)) return false;
      if (apply) editing::AcceptGroupJ(doc, group);
      return true;
    }
    return false;
  }

  bool Exchange(COrvoBuilderCntrItem& node) {
    const std::string& what = parts[0];
    ExchangeData& e = *node.exchange();
    if (what == "X" && parts.size() > 1) {
      if (parts[1] == "field") {
        const int field = AtoI(typed);
        if (field < 0 || field >= static_cast<int>(kExchangeTypes.size())) {
          message =
              "\xE2\x80\x9C"
              "Exchange Type"
              "\xE2\x80\x9D must be 0, 1 or 2.";
          return false;
        }
        return Set(node, 4, IntText(field));
      }
      const int end = AtoI(typed);
      // An end that names no segment would be written into decks as it is.
      if (!ne::ValidSegmentReference(end, doc.group_a.NOSEG)) {
        message = "An exchange end must be 0 (outside the model) or a segment ID from 1 to " +
                  IntText(doc.group_a.NOSEG) + ".";
        return false;
      }
      return Set(node, parts[1] == "up" ? 2 : 3, IntText(end));
    }
    if (what == "B" && parts.size() == 4) {
      const int field = KeyNumber(parts[1]);
      const int row = KeyNumber(parts[2]);
      const int column = KeyNumber(parts[3]);
      const int rows = ne::ExchangeRowCount(e.exchange_field, e.surface_count, e.pore_count);
      if (field != e.exchange_field || row < 0 || row >= rows || column < 0 || column > 1) {
        return false;
      }
      std::vector<std::string> entries = ne::SplitExchangeEntries(e.entries);
      ne::EnsureExchangeEntries(entries, rows);
      if (ne::ExchangeEntryValue(entries[static_cast<size_t>(row)], column) ==
          ne::NumberText(typed)) {
        return false;
      }
      ne::SetExchangeEntryValue(entries, row, column, typed);
      return Set(node, 7, ne::ExchangeEntriesText(entries));
    }
    if (what == "D" && parts.size() == 3) {
      ne::PortionLists portions;
      if (!ne::SplitPortions(e.group_d, portions)) {
        message = "Unable to edit group D portions; array string is corrupt.";
        return false;
      }
      const ne::PortionLists before = portions;
      if (ne::EditPortion(portions, KeyNumber(parts[1]), KeyNumber(parts[2]), typed, message) !=
              ne::PortionEdit::kStored ||
          portions == before) {
        return false;
      }
      return Set(node, 8, ne::PortionsText(portions));
    }
    return false;
  }

  bool Label(COrvoBuilderCntrItem& node) {
    if (parts[0] == "L" && parts.size() > 1 && parts[1] == "text") {
      return Set(node, 2, std::string(typed));
    }
    return false;
  }
};

// The property of key among a node's, or null.
const Property* Find(const std::vector<Property>& properties, const std::string& key) {
  const auto found = std::find_if(properties.begin(), properties.end(),
                                  [&key](const Property& p) { return p.key == key; });
  return found != properties.end() ? &*found : nullptr;
}

std::vector<Property> PropertiesOf(const COrvoBuilderDoc& doc, const COrvoBuilderCntrItem& node) {
  std::vector<Property> out;
  if (node.is_segment() && node.segment() != nullptr) AddSegmentProperties(doc, node, out);
  if (node.is_exchange() && node.exchange() != nullptr) AddExchangeProperties(node, out);
  if (node.is_label() && node.label() != nullptr) {
    out.push_back({"L:text", kLabel, "Label text", kValue, Kind::kText, {}, node.label()->text});
  }
  return out;
}

}  // namespace

std::vector<Property> NodeProperties(const COrvoBuilderDoc& doc, const COrvoBuilderCntrItem& node) {
  return PropertiesOf(doc, node);
}

std::vector<Property> CommonProperties(const COrvoBuilderDoc& doc,
                                       const std::vector<int>& numbers) {
  std::vector<Property> common;
  bool first = true;
  for (const int number : numbers) {
    const COrvoBuilderCntrItem* node = doc.FindNode(number);
    if (node == nullptr) continue;
    std::vector<Property> own = PropertiesOf(doc, *node);
    if (first) {
      common = std::move(own);
      first = false;
      continue;
    }
    std::erase_if(common, [&own](Property& property) {
      const Property* other = Find(own, property.key);
      if (other == nullptr) return true;
      if (other->value != property.value) {
        property.mixed = true;
        property.value.clear();
      }
      return false;
    });
  }
  // Segment IDs are each segment's own; one ID typed for several would only be refused.
  if (numbers.size() > 1) std::erase_if(common, [](const Property& p) { return p.key == "id"; });
  return common;
}

std::string PropertyText(const COrvoBuilderDoc& doc, const COrvoBuilderCntrItem& node,
                         const std::string& key) {
  const std::vector<std::string> parts = KeyParts(key);
  if (parts[0] == "J" && parts.size() == 3 && node.is_segment() && node.segment() != nullptr) {
    const int system = KeyNumber(parts[1]);
    const int row = node.segment()->segment_id - 1;
    if (system < 0 || row < 0 || row >= doc.group_j.RowCount(system)) return {};
    return doc.group_j.Row(system, row).At(parts[2] == "DISSF" ? 2 : 1);
  }
  const std::vector<Property> properties = PropertiesOf(doc, node);
  const Property* property = Find(properties, key);
  return property != nullptr ? property->value : std::string();
}

std::string GroupJKey(int system, bool dissolved) {
  return Join({"J", IntText(system), dissolved ? "DISSF" : "C"});
}

Outcome SetProperty(COrvoBuilderDoc& doc, const std::vector<int>& numbers, const std::string& key,
                    std::string_view typed, const KeepValue& keep) {
  Outcome outcome;
  const std::vector<std::string> parts = KeyParts(key);
  std::vector<COrvoBuilderCntrItem*> nodes;
  for (const int number : numbers) {
    if (COrvoBuilderCntrItem* node = doc.FindNode(number)) nodes.push_back(node);
  }
  if (nodes.empty()) return outcome;
  // The kind and name of the value, from the first node that has it.
  Kind kind = parts[0] == "J" ? Kind::kReal : Kind::kText;
  std::string name = parts[0] == "J"
                         ? (parts.size() > 2 && parts[2] == "DISSF" ? "Dissolved Fraction (DISSF)"
                                                                    : "Initial Concentration (C)")
                         : key;
  if (parts[0] != "J") {
    bool found = false;
    for (const COrvoBuilderCntrItem* node : nodes) {
      const std::vector<Property> properties = PropertiesOf(doc, *node);
      if (const Property* property = Find(properties, key)) {
        kind = property->kind;
        name = property->column == kValue ? property->row : property->row + ", " + property->column;
        found = true;
        break;
      }
    }
    if (!found) return outcome;
  }
  if (!Accepts(kind, typed) ||
      (kind != Kind::kRealList && kind != Kind::kText &&
       std::string_view(typed).find_first_not_of(" \t") == std::string_view::npos)) {
    outcome.message = NotANumber(name, kind);
    return outcome;
  }
  if (key == "id" && nodes.size() > 1) return outcome;

  Setter setter{doc, parts, typed, keep, false, {}};
  const auto run = [&setter, &nodes] {
    bool changed = false;
    for (COrvoBuilderCntrItem* node : nodes) {
      if (node->is_segment() && node->segment() != nullptr) changed |= setter.Segment(*node);
      if (node->is_exchange() && node->exchange() != nullptr) changed |= setter.Exchange(*node);
      if (node->is_label() && node->label() != nullptr) changed |= setter.Label(*node);
      if (!setter.message.empty()) return false;
    }
    return changed;
  };
  // Either every node takes the value or none does.
  if (!run()) {
    outcome.message = setter.message;
    return outcome;
  }
  setter.apply = true;
  ScopedStep step(doc, "Edit " + name);
  outcome.changed = run();
  outcome.message = setter.message;
  return outcome;
}

std::string ShownText(const Property& property) {
  if (property.mixed) return {};
  if (property.kind != Kind::kChoice) return property.value;
  const int position = IsNumberText(property.value, true) ? AtoI(property.value) : -1;
  return position >= 0 && position < static_cast<int>(property.choices.size())
             ? property.choices[static_cast<size_t>(position)]
             : std::string();
}

int ChoicePosition(const std::vector<std::string>& choices, std::string_view typed) {
  const auto trim = [](std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return std::string_view();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
  };
  typed = trim(typed);
  if (typed.empty()) return -1;
  const auto same = [](std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
             return std::tolower(static_cast<unsigned char>(x)) ==
                    std::tolower(static_cast<unsigned char>(y));
           });
  };
  // A name may carry its own number, "(3) Upper bed": that number or the rest names it too.
  bool numbered = false;
  for (size_t i = 0; i < choices.size(); ++i) {
    const std::string_view name = choices[i];
    if (same(name, typed)) return static_cast<int>(i);
    const size_t close = name.find(')');
    if (name.empty() || name[0] != '(' || close == std::string_view::npos) continue;
    numbered = true;
    if (same(trim(name.substr(1, close - 1)), typed) || same(trim(name.substr(close + 1)), typed)) {
      return static_cast<int>(i);
    }
  }
  if (numbered || !IsNumberText(typed, true)) return -1;
  const int position = AtoI(typed);
  return position >= 0 && position < static_cast<int>(choices.size()) ? position : -1;
}

std::vector<TableColumn> TableColumns(const COrvoBuilderDoc& doc, int system) {
  std::vector<TableColumn> columns;
  for (const SegmentValue& value : kGroupCValues) {
    TableColumn column{value.key, value.name, value.kind, {}};
    if (value.kind == Kind::kChoice) {
      column.choices.assign(ne::kSegmentTypeNames.begin(), ne::kSegmentTypeNames.end());
    }
    columns.push_back(std::move(column));
  }
  const SimulationType simtyp = doc.group_a.SIMTYP;
  if (system >= 0 && system < group_e::SystemCount(doc)) {
    const std::string name = vocabulary::SystemName(simtyp, system + 1);
    columns.push_back({Join({"E", IntText(system)}),
                       "Boundary Concentrations (E), " + name,
                       Kind::kRealList,
                       {}});
    columns.push_back(
        {Join({"F", IntText(system)}), "Waste Loads (F), " + name, Kind::kRealList, {}});
    columns.push_back(
        {GroupJKey(system, false), "Initial Concentration (J), " + name, Kind::kReal, {}});
    columns.push_back(
        {GroupJKey(system, true), "Dissolved Fraction (J), " + name, Kind::kReal, {}});
  }
  for (int slot = 0; slot < vocabulary::SegmentParameterCount(simtyp); ++slot) {
    const SegmentParameterRow* row = vocabulary::SegmentParameter(simtyp, slot);
    columns.push_back({Join({"G", IntText(slot)}),
                       std::string(row != nullptr ? row->name : "") + " (G)",
                       Kind::kReal,
                       {}});
  }
  return columns;
}

std::vector<TableRow> TableRows(const COrvoBuilderDoc& doc,
                                const std::vector<TableColumn>& columns) {
  std::vector<TableRow> rows;
  for (const auto& node : doc.nodes()) {
    if (!node->is_segment() || node->segment() == nullptr) continue;
    // Every value of the node is read once, however many columns there are.
    const std::vector<Property> properties = PropertiesOf(doc, *node);
    std::map<std::string, const Property*> by_key;
    for (const Property& property : properties) by_key[property.key] = &property;
    TableRow row{node->number(), node->segment()->segment_id, {}};
    row.cells.reserve(columns.size());
    for (const TableColumn& column : columns) {
      const auto found = by_key.find(column.key);
      row.cells.push_back(found != by_key.end()  ? ShownText(*found->second)
                          : column.key[0] == 'J' ? PropertyText(doc, *node, column.key)
                                                 : std::string());
    }
    rows.push_back(std::move(row));
  }
  std::stable_sort(rows.begin(), rows.end(), [](const TableRow& a, const TableRow& b) {
    return a.segment_id < b.segment_id;
  });
  return rows;
}

}  // namespace orvo::node_properties
