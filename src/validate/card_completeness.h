// The card completeness report: every group's findings, and a card-by-card judgement of
// every segment and exchange of the network. It only reads the project.
#pragma once

#include <string>
#include <vector>

#include "model/project_document.h"

namespace orvo {

struct CompletenessReport {
  struct SegmentRow {
    std::string id, group_c, group_e, group_f, group_g;
  };
  struct ExchangeRow {
    std::string id, group_b, group_d;  // id is "U -> D"
  };
  std::vector<std::string> findings;  // groups A to J in order
  std::vector<SegmentRow> segments;   // node-list order
  std::vector<ExchangeRow> exchanges;

  // The findings as the report's text box shows them: each line followed by "\r\n".
  std::string FindingsText() const;
};

// The group findings marked "Error:" and "Warning:". The node columns judge each card on its
// own terms (a segment without boundaries is usual) and are left to the matrix.
struct CompletenessCounts {
  int errors = 0;
  int warnings = 0;
};
CompletenessCounts CountFindings(const CompletenessReport& report);

// Every group's findings, A to J.
void CheckGroups(const COrvoBuilderDoc& doc, std::vector<std::string>& findings);
CompletenessReport BuildCompletenessReport(const COrvoBuilderDoc& doc);

}  // namespace orvo
