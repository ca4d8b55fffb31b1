// What the global group editors do to the data. Each window opens a form (a copy of its
// group), changes only the form while the user works, and hands it to the group's Accept
// function on OK, which changes the document as one undo step. Cancel drops the form.
// Nothing here shows a window; questions go through the document's platform.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/project_document.h"

namespace orvo::editing {

// ---- Option lists ----------------------------------------------------------------------
// A list whose positions are the stored codes. A stored value the list cannot show (a deck's
// IVOPT 3) shows as no selection, and no selection gives the stored value back unchanged.
int OptionIndex(int stored, int option_count);
int OptionStored(int stored, int index, int option_count);

// ---- Number lists ----------------------------------------------------------------------
// Free-form text split at blanks, commas, tabs and line ends and joined with single blanks;
// the first form turns every token into "%g" number text.
std::string NormaliseNumberList(std::string_view text);
std::string NormaliseList(std::string_view text);
// Exactly count entries: cut from the end, or extended with fill.
std::string FitList(std::string_view text, int count, const std::string& fill);

// Outcome of a button that needs a selection: the row to select afterwards (-1 none) and
// the message to show when the need was not met (empty when the action was carried out or
// quietly did nothing).
struct ActionResult {
  int selection = -1;
  std::string message;
};

// ---- Group A ---------------------------------------------------------------------------
struct GroupAForm {
  GroupADlg values;  // the three lists are taken from the texts below on OK
  std::string time_steps_text;
  std::string print_intervals_text;
  std::string sysby_text;
};
GroupAForm OpenGroupA(const COrvoBuilderDoc& doc);
// Systems a type may have; 8 (the most any type has) while no type is chosen.
int SystemCap(SimulationType simtyp);
// Sets NOSYS to the type's number of systems, then as LeaveNOSYS.
void ChooseSimulationType(GroupAForm& form, SimulationType simtyp);
// The typed number capped to 0..SystemCap, and SYSBY fitted to it ("1" for new systems).
void LeaveNOSYS(GroupAForm& form, int typed);
// OK: group A takes the form; groups D, E, F, H and J follow NOSYS and the type.
void AcceptGroupA(COrvoBuilderDoc& doc, const GroupAForm& form);

// ---- Group B ---------------------------------------------------------------------------
// A row of a function list and the function position it had when the editor opened (-1 for
// a row made with New), so that the exchanges' entries follow their functions on OK.
struct FunctionRow {
  std::string text;
  int origin = -1;
};
struct GroupBForm {
  GroupBDlg values;  // title, factors, units; the lists come from rows and bypass_text
  std::string bypass_text;
  std::array<std::vector<FunctionRow>, 2> rows;  // surface water, pore water
};
GroupBForm OpenGroupB(const COrvoBuilderDoc& doc);
int NewExchangeFunction(GroupBForm& form, int field);  // the new row
ActionResult DeleteExchangeFunction(GroupBForm& form, int field, int selected);
// The row to edit as the selection, or the message when none is selected.
ActionResult EditExchangeFunctionNeed(const GroupBForm& form, int field, int selected);
void SetExchangeFunctionText(GroupBForm& form, int field, int row, std::string_view text);
void AcceptGroupB(COrvoBuilderDoc& doc, const GroupBForm& form);

// ---- Group C -------------------------------------------------------------------------
// The window edits a copy of the holder; its option lists go through OptionIndex and
// OptionStored, so a deck's IVOPT 3 survives an OK that did not touch the list.
void AcceptGroupC(COrvoBuilderDoc& doc, const GroupCDlg& group);

// ---- Group D ---------------------------------------------------------------------------
struct GroupDForm {
  GroupDDlg values;
  // Per field, the position each function had when the editor opened (-1 for new ones).
  std::array<std::vector<int>, GroupDDlg::kFieldCount> origins;
};
GroupDForm OpenGroupD(const COrvoBuilderDoc& doc);
// Inserts "0.0 0.0" in front of the selected function (at the end past the last); -1 and
// nothing done without a field.
int NewFlowFunction(GroupDForm& form, int field, int selected);
// Nothing without a field or on a field without functions; a message when the field has
// functions but none is selected.
ActionResult DeleteFlowFunction(GroupDForm& form, int field, int selected);
// The function to edit as the selection; a message without a field, nothing without a
// function.
ActionResult EditFlowFunctionNeed(const GroupDForm& form, int field, int selected);
void SetFlowFunctionText(GroupDForm& form, int field, int function, std::string_view text);
// Fields grid: column 1 SCALQ, 2 CONVQ, 3 units. Returns the field's three cell texts.
std::array<std::string, 3> SetFlowFieldCell(GroupDForm& form, int field, int column,
                                            std::string_view text);
void AcceptGroupD(COrvoBuilderDoc& doc, const GroupDForm& form);

// ---- Group E ---------------------------------------------------------------------------
struct GroupEForm {
  std::array<StringArray, GroupEDlg::kSystemSlots> systems;
  std::vector<int> breaks;  // as typed; the document's counts are read again on OK
};
GroupEForm OpenGroupE(const COrvoBuilderDoc& doc);
// Columns 1 SCALB, 2 CONVB, 3 units, 4 break count, 5 title. Returns the cell's new text.
std::string SetGroupECell(GroupEForm& form, int system, int column, std::string_view text);
// Raised counts take effect at once; each lowered count is asked about and trimmed from the
// start only after OK.
void AcceptGroupE(COrvoBuilderDoc& doc, const GroupEForm& form);

// ---- Group F ---------------------------------------------------------------------------
struct GroupFForm {
  GroupFDlg values;
  // Functions typed into the lower grid: (system, segment ID, normalised text).
  struct LoadEdit {
    int system;
    int segment_id;
    std::string function;
  };
  std::vector<LoadEdit> load_edits;
};
GroupFForm OpenGroupF(const COrvoBuilderDoc& doc);
// Columns 1 SCALW, 2 CONVW, 3 units, 4 title. Returns the cell's new text.
std::string SetGroupFCell(GroupFForm& form, int system, int column, std::string_view text);
// The lower grid: for segment IDs 1..NOSEG the function the card will carry, taken from the
// segments (and the form's pending edits), numbers joined by single blanks.
std::vector<std::string> LoadRows(const COrvoBuilderDoc& doc, const GroupFForm& form, int system);
// A function typed into the lower grid, or returned by the time-function editor.
std::string SetLoadFunction(GroupFForm& form, int system, int segment_id, std::string_view text);
// OK: settings, and every edited load reaches both the segment and the load list.
void AcceptGroupF(COrvoBuilderDoc& doc, const GroupFForm& form);

// ---- Groups G and I ---------------------------------------------------------------------
constexpr size_t kParameterNameLength = 5;
constexpr size_t kFunctionNameLength = 10;
// Group G grid, columns 1 PNAME (cut to five characters), 2 PARAM ("%g"). Returns the text.
std::string SetGroupGCell(GroupGDlg& group, int slot, int column, std::string_view text);
void AcceptGroupG(COrvoBuilderDoc& doc, const GroupGDlg& group);
// Group I grid, columns 1 ANAME (cut to ten characters), 2 the function (numbers as "%g"
// joined by single blanks). Returns the text.
std::string SetGroupICell(GroupIDlg& group, int slot, int column, std::string_view text);
void AcceptGroupI(COrvoBuilderDoc& doc, const GroupIDlg& group);

// ---- Group H ---------------------------------------------------------------------------
// Texts of a block's field names and of one field's constants (name, ISC, value triples).
std::vector<std::string> FieldNames(const GroupHDlg& group, int block);
std::vector<std::array<std::string, 3>> Constants(const GroupHDlg& group, int block, int field);
ActionResult NewField(GroupHDlg& group, int block);
ActionResult NewConstant(GroupHDlg& group, int block, int field);
ActionResult DeleteField(GroupHDlg& group, int block, int field);
ActionResult DeleteConstant(GroupHDlg& group, int block, int field, int constant);
void SetBlockName(GroupHDlg& group, int block, std::string_view name);
void SetFieldName(GroupHDlg& group, int block, int field, std::string_view name);
// Column 0 TNAME, 1 ISC ("%d"), 2 CONST ("%g"). Returns the cell's new text.
std::string SetConstantCell(GroupHDlg& group, int block, int field, int constant, int column,
                            std::string_view text);
void AcceptGroupH(COrvoBuilderDoc& doc, const GroupHDlg& group);

// ---- Group J ---------------------------------------------------------------------------
constexpr size_t kChemlLength = 40;  // the columns CHEML has in the deck
constexpr size_t kSegmentNameLength = 5;
// IFIELD below 3 becomes 3, above 5 becomes 5.
int ClampIFIELD(int typed);
// Upper grid, columns 1 CHEML, 2 IFIELD, 3 DSED, 4 CMAX, 5 title. Returns the cell's text.
std::string SetGroupJSystemCell(GroupJDlg& group, int system, int column, std::string_view text);
// Lower grid, columns 1 ANAME, 2 C, 3 DISSF. keep_value(column, value) is asked for C and
// DISSF (the windows pass the value-range questions); nullopt when the edit was discarded.
std::optional<std::string> SetGroupJSegmentCell(
    GroupJDlg& group, int system, int row, int column, std::string_view text,
    const std::function<bool(int column, double value)>& keep_value);
void RestoreDefaultSystemNames(GroupJDlg& group, int nosys, SimulationType simtyp);
void AcceptGroupJ(COrvoBuilderDoc& doc, const GroupJDlg& group);

}  // namespace orvo::editing
