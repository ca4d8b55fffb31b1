// The per-node record edits behind the node editors of groups B to G. The windows show and
// collect texts; everything that decides what a typed text becomes, or how a record is
// taken apart and put back together, is here so that it runs without a window.
//
// Records are the texts of the node parameter interface (exchange indices 7 and 8, segment
// indices 10, 11 and 12). Taking one apart never fails silently: a text that cannot be
// read is reported by the caller and the record stays as it was.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/model_vocabulary.h"

namespace orvo {

class COrvoBuilderDoc;

namespace node_editing {

// Typed number text as it is kept: "%g" of the leading number, "0" when there is none.
std::string NumberText(std::string_view typed);
// Free-form numbers (blanks, commas, tabs, line ends) as "%g" texts.
std::vector<std::string> ParseNumbers(std::string_view typed);
std::string JoinBlank(const std::vector<std::string>& texts);

// Groups E and F: one function per system. Display texts are the numbers joined by single
// blanks; a record always gets at least `systems` entries.
std::vector<std::string> SystemFunctionTexts(const std::string& record, size_t systems);
// The record of the display texts: an entry with no numbers is the empty text.
std::string SystemRecordText(const std::vector<std::string>& texts);

// Group E: a typed boundary function must keep the system's break count, since every
// segment's function of a system has the same number of breaks. Empty text stands for
// `breaks` breakpoints (0, 0). False when the count of numbers is not 2 * breaks.
bool NormalizeBoundaryFunction(std::string_view typed, int breaks, std::string& out);
inline constexpr const char* kBreakCountFixed =
    "The number of breaks for this system can not be changed because it must be constant for "
    "every segment.";
// Group E, global editor: carries a typed break count for system (from 0) out on every
// segment. Lowering it removes breakpoints from the start of the functions, so the user is
// asked first; true when the count was changed.
bool SetSystemBreakCount(COrvoBuilderDoc& doc, int system, int typed, int current);

// Group F: a typed load function; any number of breaks.
std::string NormalizeLoadFunction(std::string_view typed);

// Group G: 32 label/value pairs.
struct ParameterPair {
  std::string label;
  std::string value;
};
inline constexpr const char* kGroupGCorrupt =
    "Unable to set group G parameters; array string is corrupt.";
// False when the text does not split into whole pairs (out unchanged). Missing slots up to
// 32 get the table name of simtyp and "0".
bool SplitParameterPairs(const std::string& record, SimulationType simtyp,
                         std::vector<ParameterPair>& out);
std::string ParameterPairsText(const std::vector<ParameterPair>& pairs);
// Table names into the label of each of the type's slots.
void UseDefaultLabels(std::vector<ParameterPair>& pairs, SimulationType simtyp);

// Group B: the exchange function entries, each the string form of (area, length). Entries
// are kept as texts so that an entry not touched comes back unchanged.
std::vector<std::string> SplitExchangeEntries(const std::string& text);
std::string ExchangeEntriesText(const std::vector<std::string>& entries);
std::string ExchangeEntry(const std::string& area, const std::string& length);
// column 0 area, 1 length.
std::string ExchangeEntryValue(const std::string& entry, int column);
// Rows shown for exchange field (0 surface, 1 pore, 2 none).
int ExchangeRowCount(int field, int surface_count, int pore_count);
// Appends ("0.0", "0.0") entries until there are `rows`.
void EnsureExchangeEntries(std::vector<std::string>& entries, int rows);
// Stores the typed value ("%g") in column of entry row; returns the stored text.
std::string SetExchangeEntryValue(std::vector<std::string>& entries, int row, int column,
                                  std::string_view typed);

// Group D: six portion lists, one per flow field.
inline constexpr int kFlowFields = 6;
using PortionLists = std::array<std::vector<std::string>, kFlowFields>;
// False (out unchanged) when the record cannot be read.
bool SplitPortions(const std::string& record, PortionLists& out);
std::string PortionsText(const PortionLists& portions);
size_t MaxPortionCount(const PortionLists& portions);
// What a cell shows: the text, or "0" when its value is 0.
std::string PortionCell(const std::string& portion);
enum class PortionEdit { kStored, kIgnored, kRefused };
// Portion `column` (from 1) of field (from 0). Empty text is not taken; a portion the field
// does not have is refused with `message`.
PortionEdit EditPortion(PortionLists& portions, int field, int column, std::string_view typed,
                        std::string& message);
// Row labels of the exchange editor.
extern const std::array<const char*, kFlowFields> kFlowFieldNames;

// Group C.
extern const std::array<const char*, 4> kSegmentTypeNames;
// volume x CONVV as "%g"; volume text that is no number counts as 0.
std::string AdjustedVolumeText(std::string_view volume, double CONVV);
// A segment end or IBOTSEG: 0 (none / outside) or a segment ID.
bool ValidSegmentReference(int id, int noseg);

}  // namespace node_editing
}  // namespace orvo
