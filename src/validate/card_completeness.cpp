#include "validate/card_completeness.h"

#include "groups/cards.h"
#include "model/number_text.h"

namespace orvo {

std::string CompletenessReport::FindingsText() const {
  std::string text;
  for (const std::string& line : findings) text += line + "\r\n";
  return text;
}

CompletenessCounts CountFindings(const CompletenessReport& report) {
  CompletenessCounts counts;
  for (const std::string& line : report.findings) {
    if (line.find("Error:") != std::string::npos) {
      ++counts.errors;
    } else if (line.find("Warning:") != std::string::npos) {
      ++counts.warnings;
    }
  }
  return counts;
}

void CheckGroups(const COrvoBuilderDoc& doc, std::vector<std::string>& findings) {
  group_a::Check(doc, findings);
  group_b::Check(doc, findings);
  group_c::Check(doc, findings);
  group_d::Check(doc, findings);
  group_e::Check(doc, findings);
  group_f::Check(doc, findings);
  group_g::Check(doc, findings);
  group_h::Check(doc, findings);
  group_i::Check(doc, findings);
  // Group J has no findings.
}

CompletenessReport BuildCompletenessReport(const COrvoBuilderDoc& doc) {
  CompletenessReport report;
  CheckGroups(doc, report.findings);
  for (const auto& owned : doc.nodes()) {
    const COrvoBuilderCntrItem& node = *owned;
    if (node.is_segment()) {
      report.segments.push_back({IntText(node.segment()->segment_id), group_c::NodeCheck(doc, node),
                                 group_e::NodeCheck(doc, node), group_f::NodeCheck(doc, node),
                                 group_g::NodeCheck(doc, node)});
    } else if (node.is_exchange()) {
      report.exchanges.push_back(
          {IntText(node.exchange()->upstream) + " -> " + IntText(node.exchange()->downstream),
           group_b::NodeCheck(doc, node), group_d::NodeCheck(doc, node)});
    }
  }
  return report;
}

}  // namespace orvo
