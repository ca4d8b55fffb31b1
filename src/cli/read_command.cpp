#include "cli_command.h"
#include "deck/deck_reader.h"
#include "model/project_document.h"

namespace orvo::cli {

// Builds a new project from DECK and saves it as PROJECT (the desktop program's read command
// without its file dialog).
int Read(Context& context, const std::vector<std::string>& args) {
  if (args.size() != 2) return kUsage;
  COrvoBuilderDoc document(context.platform);
  if (!ReadOrvoInputDataset(document, args[0])) return kFailed;
  return document.Save(args[1]) ? kSuccess : kFailed;
}

}  // namespace orvo::cli
