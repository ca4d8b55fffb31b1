#include <ostream>

#include "cli_command.h"
#include "model/project_document.h"
#include "validate/card_completeness.h"

namespace orvo::cli {

// The card completeness report as text: the findings, then one TAB-separated line per
// segment and per exchange.
int Check(Context& context, const std::vector<std::string>& args) {
  if (args.size() != 1) return kUsage;
  COrvoBuilderDoc document(context.platform);
  if (!document.Load(args[0])) return kFailed;
  const CompletenessReport report = BuildCompletenessReport(document);
  std::ostream& out = context.out;
  for (const std::string& finding : report.findings) out << finding << '\n';
  out << "Segments\n";
  for (const auto& row : report.segments) {
    out << row.id << '\t' << row.group_c << '\t' << row.group_e << '\t' << row.group_f << '\t'
        << row.group_g << '\n';
  }
  out << "Exchanges\n";
  for (const auto& row : report.exchanges) {
    out << row.id << '\t' << row.group_b << '\t' << row.group_d << '\n';
  }
  return out ? kSuccess : kFailed;
}

}  // namespace orvo::cli
