#include "groups/group_e.h"

#include <algorithm>
#include <utility>

#include "groups/cards.h"
#include "model/number_text.h"
#include "model/string_array.h"
#include "model/string_array_view.h"

namespace orvo::group_e {
namespace {

// Times count as much as values: any positive number makes a boundary.
bool IsBoundary(const std::vector<std::string>& numbers) {
  return std::any_of(numbers.begin(), numbers.end(),
                     [](const std::string& number) { return AtoF(number) > 0.0; });
}

struct Boundary {
  int segment_id;
  std::vector<std::string> numbers;
};

// Most segments have no boundary: their functions are looked at as views and only the
// boundaries' numbers are copied.
std::vector<Boundary> Boundaries(const SystemRecords& records, int system) {
  std::vector<Boundary> boundaries;
  StringArrayView numbers;
  for (const SystemRecord& record : records) {
    numbers.Reset(static_cast<size_t>(system) < record.systems.size()
                      ? record.systems[static_cast<size_t>(system)]
                      : std::string_view());
    bool boundary = false;
    for (size_t i = 0; i < numbers.size() && !boundary; ++i) boundary = AtoF(numbers.At(i)) > 0.0;
    if (boundary) boundaries.push_back({record.segment_id, FunctionNumbers(record, system)});
  }
  return boundaries;
}

}  // namespace

int SystemCount(const COrvoBuilderDoc& doc) {
  return std::clamp(doc.group_a.NOSYS, 0, GroupEDlg::kSystemSlots);
}

SystemRecords::SystemRecords(const COrvoBuilderDoc& doc, SharedText SegmentData::*field) {
  const size_t systems = static_cast<size_t>(SystemCount(doc));
  const std::vector<const COrvoBuilderCntrItem*> by_id = SegmentsById(doc);
  records_.reserve(by_id.size());
  for (size_t i = 0; i < by_id.size(); ++i) {
    const COrvoBuilderCntrItem* node = by_id[i];
    if (node == nullptr) continue;
    const std::string& record = node->segment()->*field;
    const auto [at, added] = parts_.try_emplace(&record);
    std::vector<std::string_view>& entries = at->second;
    if (added) {
      int level;
      std::string_view error;
      if (!SplitStringArray(record, entries, level, error)) entries.clear();
      if (entries.size() > systems) entries.resize(systems);
    }
    records_.push_back({node, static_cast<int>(i) + 1, entries});
  }
}

std::vector<std::string> FunctionNumbers(const SystemRecord& record, int system) {
  if (system < 0 || static_cast<size_t>(system) >= record.systems.size()) return {};
  StringArray function(record.systems[static_cast<size_t>(system)]);
  return std::move(function.GetList());
}

std::vector<bool> TargetFlags(const Variation& variation, int noseg) {
  std::vector<bool> flags(static_cast<size_t>(std::max(noseg, 0)) + 1, false);
  for (int id : variation.targets) {
    if (id >= 1 && id <= noseg) flags[static_cast<size_t>(id)] = true;
  }
  return flags;
}

bool WriteSegmentFunction(DeckOut& out, int segment_id, std::vector<std::string> numbers,
                          const Variation* variation) {
  out.Int(segment_id, 5, "Segment ID");
  if (variation != nullptr) {
    for (size_t i = 0; i < numbers.size(); i += 2)
      numbers[i] = RealText(variation->Apply(AtoF(numbers[i])));
  }
  return out.TimeFunction(numbers);
}

std::string SystemsNodeCheck(const COrvoBuilderCntrItem& node, SharedText SegmentData::*field,
                             const std::string& none, const std::string& first_missing,
                             const std::string& all) {
  if (!node.is_segment() || node.segment() == nullptr) return "Wrong Segment Type";
  const StringArray record(node.segment()->*field);
  bool any_breaks = false;
  int missing = -1;
  for (size_t k = 0; k < record.size(); ++k) {
    if (StringArray(record.At(k)).size() / 2 > 0) {
      any_breaks = true;
    } else if (missing < 0) {
      missing = static_cast<int>(k);
    }
  }
  if (!any_breaks) return none;
  if (missing >= 0) return first_missing + IntText(missing + 1);
  return all;
}

bool WriteCard(const COrvoBuilderDoc& doc, DeckOut& out, const Variation* variation) {
  const SystemRecords records(doc, &SegmentData::group_e);
  const std::vector<bool> targets =
      variation != nullptr ? TargetFlags(*variation, doc.group_a.NOSEG) : std::vector<bool>();
  for (int k = 0; k < SystemCount(doc); ++k) {
    std::vector<Boundary> boundaries = Boundaries(records, k);
    const StringArray& settings = doc.group_e.systems[static_cast<size_t>(k)];
    out.Int(static_cast<long long>(boundaries.size()), 10, "NOBC");
    out.Line(settings.At(3));
    if (!out.ok()) return false;
    if (boundaries.empty()) continue;
    out.Real(AtoF(settings.At(0)));
    out.Real(AtoF(settings.At(1)));
    out.EndLine();
    const bool varied_system = variation != nullptr && variation->item == k;
    for (Boundary& boundary : boundaries) {
      const bool varied = varied_system && targets[static_cast<size_t>(boundary.segment_id)];
      if (!WriteSegmentFunction(out, boundary.segment_id, std::move(boundary.numbers),
                                varied ? variation : nullptr)) {
        return false;
      }
    }
  }
  if (variation != nullptr) variation->AppendNote();
  return true;
}

void Check(const COrvoBuilderDoc& doc, std::vector<std::string>& findings) {
  const SystemRecords records(doc, &SegmentData::group_e);
  for (int k = 0; k < SystemCount(doc); ++k) {
    const std::string system = IntText(k + 1);
    const bool any = std::any_of(records.begin(), records.end(), [k](const SystemRecord& r) {
      return IsBoundary(FunctionNumbers(r, k));
    });
    if (!any) {
      findings.push_back("Group E: Warning: No boundary conditions defined for system " + system +
                         " (NOBC(K)).");
    }
    const StringArray& settings = doc.group_e.systems[static_cast<size_t>(k)];
    if (AtoF(settings.At(0)) <= 0.0) {
      findings.push_back("Group E: Warning: System " + system + " has scale factor = 0.0 (SCALB).");
    }
    if (AtoF(settings.At(1)) <= 0.0) {
      findings.push_back("Group E: Warning: System " + system +
                         " has conversion factor = 0.0 (CONVB).");
    }
  }
}

std::string NodeCheck(const COrvoBuilderDoc& /*doc*/, const COrvoBuilderCntrItem& node) {
  return SystemsNodeCheck(
      node, &SegmentData::group_e, "No boundary conditions entered for this segment",
      "No boundary conditions entered for system ", "All systems have boundary conditions");
}

std::vector<const COrvoBuilderCntrItem*> BoundarySegments(const COrvoBuilderDoc& doc, int system) {
  std::vector<const COrvoBuilderCntrItem*> segments;
  for (const SystemRecord& record : SystemRecords(doc, &SegmentData::group_e)) {
    if (IsBoundary(FunctionNumbers(record, system))) segments.push_back(record.node);
  }
  return segments;
}

std::vector<int> BreakCounts(const COrvoBuilderDoc& doc) {
  std::vector<int> counts(static_cast<size_t>(SystemCount(doc)), 0);
  const std::vector<const COrvoBuilderCntrItem*> by_id = SegmentsById(doc);
  if (by_id.empty() || by_id.front() == nullptr) return counts;
  const StringArray record(by_id.front()->segment()->group_e);
  for (size_t k = 0; k < counts.size(); ++k)
    counts[k] = static_cast<int>(StringArray(record.At(k)).size() / 2);
  return counts;
}

void ChangeBreakCount(COrvoBuilderDoc& doc, int system, int breaks) {
  if (system < 0 || system >= SystemCount(doc)) return;
  const size_t k = static_cast<size_t>(system);
  const size_t wanted = static_cast<size_t>(std::max(breaks, 0));
  for (const auto& node : doc.nodes()) {
    if (!node->is_segment()) continue;
    StringArray record(node->segment()->group_e);
    std::vector<std::string>& entries = record.GetList();
    bool changed = false;
    if (entries.size() <= k) {
      entries.resize(k + 1);
      changed = true;
    }
    StringArray function(entries[k]);
    std::vector<std::string>& numbers = function.GetList();
    const size_t pairs = numbers.size() / 2;
    if (pairs < wanted) {
      numbers.insert(numbers.begin(), 2 * (wanted - pairs), "0");
    } else if (pairs > wanted) {
      numbers.erase(numbers.begin(),
                    numbers.begin() + static_cast<std::ptrdiff_t>(2 * (pairs - wanted)));
    }
    if (pairs != wanted) {
      entries[k] = function.ToString();
      changed = true;
    }
    if (changed) node->SetParameter(segment_param::kGroupE, record.ToString());
  }
}

}  // namespace orvo::group_e
