#include <cctype>

#include "cli_command.h"
#include "deck/group_import.h"
#include "model/project_document.h"

namespace orvo::cli {
namespace {

// 'B' .. 'J' for one group, '*' for all, 0 for anything else.
char GroupArgument(const std::string& text) {
  if (text.size() == 1) {
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return letter >= 'B' && letter <= 'J' ? letter : 0;
  }
  std::string lower;
  for (const char c : text) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower == "all" ? '*' : 0;
}

}  // namespace

// "Import..." from the model menu: DECK answers the command's file chooser. OUTPUT is written
// only when the import succeeded, so a failed import never leaves a half-imported project.
int Import(Context& context, const std::vector<std::string>& args) {
  if (args.size() != 4) return kUsage;
  const char group = GroupArgument(args[2]);
  if (group == 0) return kUsage;
  COrvoBuilderDoc document(context.platform);
  if (!document.Load(args[0])) return kFailed;
  context.platform.files.push_back(args[1]);
  const bool imported = group == '*' ? ImportAllGroups(document) : ImportGroup(document, group);
  if (!imported) return kFailed;
  return document.Save(args[3]) ? kSuccess : kFailed;
}

}  // namespace orvo::cli
