// The values of nodes as the property panel and the segment table show them: one property
// per value a node has (its parameters, its group B and D entries, its group E, F and G
// values), named by a key that means the same on every node that has it, so that one typed
// text can be set on several nodes at once. Setting goes through the rules of the node
// dialogs and per-node editors (node_editing.h, group_editing.h) and makes one undo step.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

class COrvoBuilderDoc;
class COrvoBuilderCntrItem;

namespace node_properties {

// What a value takes: a choice is its list position as a whole number.
enum class Kind { kInteger, kReal, kRealList, kText, kChoice };

struct Property {
  std::string key;
  // Where the value is shown: a section ("Segment", "Group C (Volumes)", ...), and in it a
  // row and a column, so that a section's properties fill a table.
  std::string section;
  std::string row;
  std::string column;
  Kind kind = Kind::kText;
  std::vector<std::string> choices;  // kChoice: the names of the list positions
  std::string value;                 // shown text; empty when the nodes hold different values
  bool mixed = false;
};

// The properties of a node, in display order.
std::vector<Property> NodeProperties(const COrvoBuilderDoc& doc, const COrvoBuilderCntrItem& node);

// The properties every node of numbers (node numbers) has; a value the nodes do not share
// is mixed. A segment's ID is a property only when it is the one node.
std::vector<Property> CommonProperties(const COrvoBuilderDoc& doc, const std::vector<int>& numbers);

// The shown text of key on node; empty when the node has no such value.
std::string PropertyText(const COrvoBuilderDoc& doc, const COrvoBuilderCntrItem& node,
                         const std::string& key);

// Keys of the per-segment values the segment table adds (group J, system from 0): the
// initial concentration C and the dissolved fraction DISSF of the segment.
std::string GroupJKey(int system, bool dissolved);

struct Outcome {
  bool changed = false;
  std::string message;  // why the text was refused (nothing changed); empty otherwise
};

// Asked before a group J value is kept (the windows ask about the value ranges); false drops
// the edit without a message.
using KeepValue = std::function<bool(bool dissolved, double value)>;

// Sets key to typed on every node of numbers that has it, as one undo step. A text the
// value cannot take is refused for all of them with the message the dialogs give. A label's
// text is stored as given (the caller converts it to the stored form).
Outcome SetProperty(COrvoBuilderDoc& doc, const std::vector<int>& numbers, const std::string& key,
                    std::string_view typed, const KeepValue& keep = {});

// A choice's shown text (its name; empty when unset or mixed), and the list position a typed
// text names: the position's number (from 0) or the name in any case; -1 when neither.
std::string ShownText(const Property& property);
int ChoicePosition(const std::vector<std::string>& choices, std::string_view typed);

// The segment table: one row per segment, sorted by ID, with the group C values, the group G
// parameters and, for system (from 0; none when out of range), the group E, F and J values.
struct TableColumn {
  std::string key;
  std::string title;
  Kind kind = Kind::kReal;
  std::vector<std::string> choices;
};
std::vector<TableColumn> TableColumns(const COrvoBuilderDoc& doc, int system);
struct TableRow {
  int number = 0;  // the node's
  int segment_id = 0;
  std::vector<std::string> cells;  // shown texts, one per column
};
std::vector<TableRow> TableRows(const COrvoBuilderDoc& doc,
                                const std::vector<TableColumn>& columns);

}  // namespace node_properties
}  // namespace orvo
