#include <ostream>

#include "cli_command.h"
#include "model/project_document.h"

namespace orvo::cli {

// One line per node in node-list order: number, type, left, top, width, height, parameters
// 2 to 12, then the anchors joined by ",".
int Dump(Context& context, const std::vector<std::string>& args) {
  if (args.size() != 1) return kUsage;
  COrvoBuilderDoc document(context.platform);
  if (!document.Load(args[0])) return kFailed;
  for (const auto& node : document.nodes()) {
    context.out << node->number() << '\t' << node->type() << '\t' << node->left() << '\t'
                << node->top() << '\t' << node->width() << '\t' << node->height();
    for (int index = 2; index <= 12; ++index) context.out << '\t' << node->GetParameter(index);
    context.out << '\t';
    const auto& anchors = node->anchors();
    for (size_t i = 0; i < anchors.size(); ++i) context.out << (i ? "," : "") << anchors[i];
    context.out << '\n';
  }
  return context.out ? kSuccess : kFailed;
}

}  // namespace orvo::cli
