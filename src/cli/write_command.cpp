#include "cli_command.h"
#include "deck/deck_writer.h"
#include "model/project_document.h"

namespace orvo::cli {

// Writes the project's input deck to DECK exactly as named (the desktop program's ".inp"
// rule belongs to its file dialog).
int Write(Context& context, const std::vector<std::string>& args) {
  if (args.size() != 2) return kUsage;
  COrvoBuilderDoc document(context.platform);
  if (!document.Load(args[0])) return kFailed;
  return OrvoWrite(document, args[1]) ? kSuccess : kFailed;
}

}  // namespace orvo::cli
