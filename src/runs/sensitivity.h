// Sensitivity analysis: a family of model runs on the project, each with one chosen quantity
// of one data group set to another value. The dialogs (and `orvo vary`) pick what to vary
// through the selection functions below, then:
//   1. GenerateSensitivityRun writes the unchanged cards before and after the varied one
//      (T + "_pre.inp", T + "_post.inp") in the chosen directory D;
//   2. WriteSensitivityRunFiles writes, per value k, the varied card (T + "_" + k + ".inp")
//      and the group A card with the run's titles (T + "_A_" + k + ".inp");
//   3. SensitivityFamily (ExecuteSensitivityAnalysis waits for it) writes the base case
//      T + ".inp", assembles every run's deck T + k + ".inp" from the four pieces, runs them
//      (one after another, or several side by side) and removes each run's pieces once it
//      ran, and the "_pre"/"_post" files once all ran.
// Nothing here changes the process's working directory: every path carries D.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "groups/variation.h"
#include "model/project_document.h"
#include "runs/sensitivity_range.h"

namespace orvo {

// The varied group as the operations number it: B = 1 ... J = 9 (I = 8 cannot be varied).
enum SensitivityGroup : int {
  kVaryB = 1,
  kVaryC = 2,
  kVaryD = 3,
  kVaryE = 4,
  kVaryF = 5,
  kVaryG = 6,
  kVaryH = 7,
  kVaryJ = 9,
};

// The group's letter ('B' ... 'J'); 0 for anything else.
char SensitivityGroupLetter(int group);
// The group of a letter (either case); 0 when it cannot be varied.
int SensitivityGroupOfLetter(char letter);

// What the dialog of the group chose.
struct SensitivityChoice {
  int group = 0;
  // B: 0 area, 1 characteristic length; C: 0 VOLUME .. 4 DXP; J: 1 C, 2 DISSF.
  int quantity = 0;
  int field = 0;                                       // B: 0 water (surface), 1 pore
  std::vector<int> functions;                          // B, D: time-function positions from 0
  std::vector<const COrvoBuilderCntrItem*> exchanges;  // B
  std::vector<int> flow_fields;                        // D: field positions from 0
  // C, E, F, G: segment IDs; J: segment positions from 0.
  std::vector<int> segments;
  int system = -1;          // E, F, J: system from 0; H: block (0 "Globals")
  int slot = -1;            // G: the parameter's slot
  int constant_field = -1;  // H
  int constant = -1;        // H
};

// How the amounts are applied.
struct AmountRule {
  bool percent = true;    // "As Percentage"
  bool additive = false;  // "+/-" ("Offset")
};

// ---- What can be chosen -------------------------------------------------------------------

// The names of "Plot Item:" (group C) and of the group B fields and variables.
const std::vector<std::string>& VolumeItemNames();        // "Volume", "VMULT", "VEXP", ...
const std::vector<std::string>& ExchangeFieldNames();     // "Water", "Pore"
const std::vector<std::string>& ExchangeVariableNames();  // "Area", "Characteristic Length"
// The systems of the project (NOSYS of them) by the simulation type's names.
std::vector<std::string> SensitivitySystemNames(const COrvoBuilderDoc& doc);
// Segment IDs 1..NOSEG.
std::vector<int> AllSegmentIds(const COrvoBuilderDoc& doc);

// B: the number of exchange functions of the field; the field's exchanges that take part in
// any of the functions (a non-zero area and length), in node-list order.
int ExchangeFunctionCount(const COrvoBuilderDoc& doc, int field);
std::vector<const COrvoBuilderCntrItem*> ExchangesOfFunctions(const COrvoBuilderDoc& doc, int field,
                                                              const std::vector<int>& functions);
// "U->D" with the exchange's segment IDs.
std::string ExchangeLabel(const COrvoBuilderCntrItem& exchange);

// D: the defined flow fields (positions from 0) and their names; the largest function count
// of the defined fields (the function numbers offered are 1 to it).
std::vector<int> DefinedFlowFields(const COrvoBuilderDoc& doc);
std::string FlowFieldName(int field);
int FlowFunctionCount(const COrvoBuilderDoc& doc);

// E and F: the IDs of the segments with boundary data (E) or loads (F) for the system.
std::vector<int> BoundarySegmentIds(const COrvoBuilderDoc& doc, int system);
std::vector<int> LoadSegmentIds(const COrvoBuilderDoc& doc, int system);

// G: the parameters in use (global value above 0), as slots, and the name a slot is shown by.
std::vector<int> ParametersInUse(const COrvoBuilderDoc& doc);
std::string ParameterName(const COrvoBuilderDoc& doc, int slot);

// H: the blocks ("Globals", then the systems) by name, a block's fields, and a field's
// constants shown as name + " (" + number + ")".
std::vector<std::string> ConstantBlockNames(const COrvoBuilderDoc& doc);
std::vector<std::string> ConstantFieldNames(const COrvoBuilderDoc& doc, int block);
std::vector<std::string> ConstantLabels(const COrvoBuilderDoc& doc, int block, int field);

// "Current Value:": the present value of the chosen quantity for a single chosen element,
// else "NA".
std::string CurrentValue(const COrvoBuilderDoc& doc, const SensitivityChoice& choice);
// Group J's "Range:" and "to:": the chosen quantity's bounds from the value ranges (empty
// when unset).
std::pair<std::string, std::string> ValueRangeOf(const COrvoBuilderDoc& doc, int quantity);

// ---- Generation ---------------------------------------------------------------------------

// The selection check of "Generate"; false after its message (group H: silently).
bool CheckSensitivitySelection(const SensitivityChoice& choice, Platform& platform);

// The run description (TITLE2) of a run, given the note the card writer extended.
std::string RunDescription(const COrvoBuilderDoc& doc, const SensitivityChoice& choice,
                           const std::string& note);

// The variation request for one amount.
Variation MakeVariation(const SensitivityChoice& choice, double amount, const AmountRule& rule,
                        std::string* note);

// Where the files of an analysis go: D (with a trailing "/") and T.
struct SensitivityFiles {
  std::string directory;
  std::string title;
  std::string Path(const std::string& suffix) const { return directory + title + suffix; }
  std::string RunFilePath() const { return directory + title; }
};

// The files of an analysis for the path chosen in the file dialog. A name or directory with a
// line break (which no control file or deck line can carry) is refused with a message.
std::optional<SensitivityFiles> SensitivityFilesFor(const std::string& chosen, Platform& platform);

// Writes T + "_pre.inp" and T + "_post.inp" for the varied group and sets the document's run
// file path to D + T. false after the message.
bool GenerateSensitivityRun(COrvoBuilderDoc& doc, int group, const SensitivityFiles& files);

// Writes T + "_" + k + ".inp" and T + "_A_" + k + ".inp" for every amount; title1 empty keeps
// the project's TITLE1. descriptions receives each run's TITLE2. false after the message
// (the files written before stay).
bool WriteSensitivityRunFiles(const COrvoBuilderDoc& doc, const SensitivityChoice& choice,
                              const std::vector<double>& amounts, const AmountRule& rule,
                              const std::string& title1, const SensitivityFiles& files,
                              std::vector<std::string>* descriptions = nullptr);

// A title that cannot stand as one deck line (a line break) is refused with a message.
bool CheckTitleLine(const std::string& title, Platform& platform);

}  // namespace orvo
