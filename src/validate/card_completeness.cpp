#include "validate/card_completeness.h"

#include "deck/card_registry.h"
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
  for (const CardEntry& card : Cards()) {
    if (card.check != nullptr) card.check(doc, findings);
  }
}

CompletenessReport BuildCompletenessReport(const COrvoBuilderDoc& doc) {
  CompletenessReport report;
  CheckGroups(doc, report.findings);
  for (const auto& owned : doc.nodes()) {
    const COrvoBuilderCntrItem& node = *owned;
    const auto judge = [&](char card) { return CardOf(card)->node_check(doc, node); };
    if (node.is_segment()) {
      report.segments.push_back(
          {IntText(node.segment()->segment_id), judge('C'), judge('E'), judge('F'), judge('G')});
    } else if (node.is_exchange()) {
      report.exchanges.push_back(
          {IntText(node.exchange()->upstream) + " -> " + IntText(node.exchange()->downstream),
           judge('B'), judge('D')});
    }
  }
  return report;
}

}  // namespace orvo
