#include "groups/node_editing.h"

#include <algorithm>

#include "groups/cards.h"
#include "model/model_vocabulary.h"
#include "model/number_text.h"
#include "model/project_document.h"
#include "model/string_array.h"

namespace orvo::node_editing {
namespace {

// Reads a string form; text that is not one (and is not empty) does not count as a list.
bool ReadArray(const std::string& text, StringArray& out) {
  if (text.empty()) {
    out.RemoveAll();
    return true;
  }
  if (text.rfind(StringArray::kCookie, 0) != 0) return false;
  return out.FromString(text);
}

std::string ArrayText(std::vector<std::string> elements) {
  StringArray array(std::move(elements));
  return array.ToString();
}

}  // namespace

const std::array<const char*, kFlowFields> kFlowFieldNames = {
    "Advective flows in the water column", "Pore water flows",
    "Sediment 1 transport field",          "Sediment 2 transport field",
    "Sediment 3 transport field",          "Evaporation and Precipitation field"};

const std::array<const char*, 4> kSegmentTypeNames = {"(1) Surface water", "(2) Subsurface water",
                                                      "(3) Upper bed", "(4) Lower bed"};

std::string NumberText(std::string_view typed) {
  return RealText(AtoF(typed));
}

std::vector<std::string> ParseNumbers(std::string_view typed) {
  // A pasted "\r\n" must not leave a token of its own.
  std::string text(typed);
  std::replace(text.begin(), text.end(), '\r', ' ');
  StringArray numbers;
  numbers.Parse(text, true);
  return std::move(numbers.GetList());
}

std::string JoinBlank(const std::vector<std::string>& texts) {
  std::string joined;
  for (size_t i = 0; i < texts.size(); ++i) {
    if (i > 0) joined += ' ';
    joined += texts[i];
  }
  return joined;
}

std::vector<std::string> SystemFunctionTexts(const std::string& record, size_t systems) {
  const StringArray entries(record);
  std::vector<std::string> texts;
  for (size_t k = 0; k < std::max(systems, entries.size()); ++k) {
    const StringArray function(entries.At(k));
    texts.push_back(function.Join(' '));
  }
  return texts;
}

std::string SystemRecordText(const std::vector<std::string>& texts) {
  std::vector<std::string> entries;
  entries.reserve(texts.size());
  for (const std::string& text : texts) {
    std::vector<std::string> numbers = ParseNumbers(text);
    entries.push_back(numbers.empty() ? std::string() : ArrayText(std::move(numbers)));
  }
  return ArrayText(std::move(entries));
}

bool NormalizeBoundaryFunction(std::string_view typed, int breaks, std::string& out) {
  std::vector<std::string> numbers = ParseNumbers(typed);
  const size_t wanted = 2 * static_cast<size_t>(std::max(breaks, 0));
  if (numbers.empty()) numbers.assign(wanted, "0");
  if (numbers.size() != wanted) return false;
  out = JoinBlank(numbers);
  return true;
}

bool SetSystemBreakCount(COrvoBuilderDoc& doc, int system, int typed, int current) {
  if (typed < 0 || typed == current) return false;
  if (typed < current &&
      !doc.platform().AskOkCancel("Warning: system " + IntText(system) +
                                  " has fewer breaks in its time function.  Time function data "
                                  "will be removed from the start of the list.  Is this okay?")) {
    return false;
  }
  group_e::ChangeBreakCount(doc, system, typed);
  return true;
}

std::string NormalizeLoadFunction(std::string_view typed) {
  return JoinBlank(ParseNumbers(typed));
}

bool SplitParameterPairs(const std::string& record, SimulationType simtyp,
                         std::vector<ParameterPair>& out) {
  StringArray array;
  if (!ReadArray(record, array) || array.size() % 2 != 0 || array.size() > 2 * 32) return false;
  std::vector<ParameterPair> pairs;
  for (size_t i = 0; i < array.size(); i += 2) pairs.push_back({array.At(i), array.At(i + 1)});
  for (size_t slot = pairs.size(); slot < 32; ++slot) {
    const SegmentParameterRow* row = vocabulary::SegmentParameter(simtyp, static_cast<int>(slot));
    pairs.push_back({row != nullptr ? row->name : "", "0"});
  }
  out = std::move(pairs);
  return true;
}

std::string ParameterPairsText(const std::vector<ParameterPair>& pairs) {
  std::vector<std::string> elements;
  for (const ParameterPair& pair : pairs) {
    elements.push_back(pair.label);
    elements.push_back(pair.value);
  }
  return ArrayText(std::move(elements));
}

void UseDefaultLabels(std::vector<ParameterPair>& pairs, SimulationType simtyp) {
  const int count =
      std::min(vocabulary::SegmentParameterCount(simtyp), static_cast<int>(pairs.size()));
  for (int slot = 0; slot < count; ++slot) {
    pairs[static_cast<size_t>(slot)].label = vocabulary::SegmentParameter(simtyp, slot)->name;
  }
}

std::vector<std::string> SplitExchangeEntries(const std::string& text) {
  return StringArray(text).GetList();
}

std::string ExchangeEntriesText(const std::vector<std::string>& entries) {
  return ArrayText(entries);
}

std::string ExchangeEntry(const std::string& area, const std::string& length) {
  return ArrayText({area, length});
}

std::string ExchangeEntryValue(const std::string& entry, int column) {
  return StringArray(entry).At(static_cast<size_t>(std::max(column, 0)));
}

int ExchangeRowCount(int field, int surface_count, int pore_count) {
  if (field == 0) return std::max(surface_count, 0);
  if (field == 1) return std::max(pore_count, 0);
  return 0;
}

void EnsureExchangeEntries(std::vector<std::string>& entries, int rows) {
  while (static_cast<int>(entries.size()) < rows) entries.push_back(ExchangeEntry("0.0", "0.0"));
}

std::string SetExchangeEntryValue(std::vector<std::string>& entries, int row, int column,
                                  std::string_view typed) {
  if (row < 0 || column < 0 || column > 1) return {};
  EnsureExchangeEntries(entries, row + 1);
  std::string& entry = entries[static_cast<size_t>(row)];
  StringArray values(entry);
  std::vector<std::string>& list = values.GetList();
  if (list.size() < 2) list.resize(2, "0.0");
  list[static_cast<size_t>(column)] = NumberText(typed);
  entry = values.ToString();
  return list[static_cast<size_t>(column)];
}

bool SplitPortions(const std::string& record, PortionLists& out) {
  StringArray fields;
  if (!ReadArray(record, fields)) return false;
  PortionLists portions;
  for (size_t k = 0; k < portions.size(); ++k) {
    StringArray list;
    if (!ReadArray(fields.At(k), list)) return false;
    portions[k] = std::move(list.GetList());
  }
  out = std::move(portions);
  return true;
}

std::string PortionsText(const PortionLists& portions) {
  std::vector<std::string> fields;
  for (const std::vector<std::string>& list : portions) fields.push_back(ArrayText(list));
  return ArrayText(std::move(fields));
}

size_t MaxPortionCount(const PortionLists& portions) {
  size_t count = 0;
  for (const std::vector<std::string>& list : portions) count = std::max(count, list.size());
  return count;
}

std::string PortionCell(const std::string& portion) {
  return AtoF(portion) == 0.0 ? std::string("0") : portion;
}

PortionEdit EditPortion(PortionLists& portions, int field, int column, std::string_view typed,
                        std::string& message) {
  if (typed.empty() || field < 0 || field >= kFlowFields || column < 1) {
    return PortionEdit::kIgnored;
  }
  std::vector<std::string>& list = portions[static_cast<size_t>(field)];
  if (list.size() < static_cast<size_t>(column)) {
    message =
        "Error: field " + IntText(field + 1) + " doesn't have a time function " + IntText(column);
    return PortionEdit::kRefused;
  }
  list[static_cast<size_t>(column - 1)] = NumberText(typed);
  return PortionEdit::kStored;
}

std::string AdjustedVolumeText(std::string_view volume, double CONVV) {
  return RealText(AtoF(volume) * CONVV);
}

bool ValidSegmentReference(int id, int noseg) {
  return id >= 0 && id <= noseg;
}

}  // namespace orvo::node_editing
