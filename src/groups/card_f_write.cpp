#include <algorithm>
#include <utility>

#include "groups/cards.h"
#include "groups/group_e.h"
#include "model/number_text.h"
#include "model/string_array_view.h"

namespace orvo::group_f {
namespace {

using group_e::FunctionNumbers;
using group_e::SystemCount;
using group_e::SystemRecord;
using group_e::SystemRecords;

// Any number makes a load, zeros included; an empty list holds none.
bool IsLoad(const std::vector<std::string>& numbers) {
  return !numbers.empty();
}

}  // namespace

bool WriteCard(const COrvoBuilderDoc& doc, DeckOut& out, const Variation* variation) {
  const SystemRecords records(doc, &SegmentData::group_f);
  const std::vector<bool> targets = variation != nullptr
                                        ? group_e::TargetFlags(*variation, doc.group_a.NOSEG)
                                        : std::vector<bool>();
  for (int k = 0; k < SystemCount(doc); ++k) {
    struct Load {
      int segment_id;
      std::vector<std::string> numbers;
    };
    std::vector<Load> loads;
    // Most segments have no load: only the loads' numbers are copied.
    StringArrayView numbers;
    for (const SystemRecord& record : records) {
      numbers.Reset(static_cast<size_t>(k) < record.systems.size()
                        ? record.systems[static_cast<size_t>(k)]
                        : std::string_view());
      if (numbers.size() > 0) loads.push_back({record.segment_id, FunctionNumbers(record, k)});
    }
    out.Int(static_cast<long long>(loads.size()), 10, "NWKS");
    out.Line(doc.group_f.Entry(k, GroupFDlg::kTitle));
    if (!out.ok()) return false;
    if (loads.empty()) continue;
    out.Real(AtoF(doc.group_f.Entry(k, GroupFDlg::kScalw)));
    out.Real(AtoF(doc.group_f.Entry(k, GroupFDlg::kConvw)));
    out.EndLine();
    const bool varied_system = variation != nullptr && variation->item == k;
    for (Load& load : loads) {
      const bool varied = varied_system && targets[static_cast<size_t>(load.segment_id)];
      if (!group_e::WriteSegmentFunction(out, load.segment_id, std::move(load.numbers),
                                         varied ? variation : nullptr)) {
        return false;
      }
    }
  }
  out.Int(doc.group_f.nonpoint_file.empty() ? 0 : 1, 10, "The nonpoint source flag");
  out.EndLine();
  if (!out.ok()) return false;
  if (variation != nullptr) variation->AppendNote();
  return true;
}

void Check(const COrvoBuilderDoc& doc, std::vector<std::string>& findings) {
  const SystemRecords records(doc, &SegmentData::group_f);
  for (int k = 0; k < SystemCount(doc); ++k) {
    const std::string system = IntText(k + 1);
    const bool any = std::any_of(records.begin(), records.end(), [k](const SystemRecord& r) {
      return IsLoad(FunctionNumbers(r, k));
    });
    if (!any) {
      findings.push_back("Group F: Warning: No point source loadings defined for system " + system +
                         " (NOBC(K)).");
    }
    if (AtoF(doc.group_f.Entry(k, GroupFDlg::kScalw)) <= 0.0) {
      findings.push_back("Group F: Warning: System " + system + " has scale factor = 0.0 (SCALW).");
    }
    if (AtoF(doc.group_f.Entry(k, GroupFDlg::kConvw)) <= 0.0) {
      findings.push_back("Group F: Warning: System " + system +
                         " has conversion factor = 0.0 (CONVW).");
    }
  }
}

std::string NodeCheck(const COrvoBuilderDoc& /*doc*/, const COrvoBuilderCntrItem& node) {
  return group_e::SystemsNodeCheck(
      node, &SegmentData::group_f, "No waste loads entered for this segment.",
      "No waste loads entered for system ", "All systems have waste loads entered.");
}

std::vector<const COrvoBuilderCntrItem*> LoadSegments(const COrvoBuilderDoc& doc, int system) {
  std::vector<const COrvoBuilderCntrItem*> segments;
  for (const SystemRecord& record : SystemRecords(doc, &SegmentData::group_f)) {
    if (IsLoad(FunctionNumbers(record, system))) segments.push_back(record.node);
  }
  return segments;
}

}  // namespace orvo::group_f
