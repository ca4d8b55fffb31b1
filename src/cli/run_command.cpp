#include <charconv>
#include <cmath>
#include <ostream>

#include "cli_command.h"
#include "model/model_vocabulary.h"
#include "model/project_document.h"
#include "results/run_text.h"
#include "runs/model_execution.h"

namespace orvo::cli {
namespace {

bool ParseSeconds(const std::string& text, double& seconds) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, seconds);
  return error == std::errc() && stop == end && std::isfinite(seconds) && seconds > 0;
}

}  // namespace

// Runs the model on a project (the desktop program's "E&xecute ORVO": the deck is written
// first, by default beside the project) or, with --type, on an existing deck ("Execute
// File..."), then prints the base run's results table. A model program that fails, or
// outlives --timeout, fails the command.
int Run(Context& context, const std::vector<std::string>& args) {
  std::vector<std::string> paths;
  std::string type;
  double timeout = 0;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--type" && i + 1 < args.size()) {
      type = args[++i];
      if (SimulationTypeOfText(type) == kSimUnset) return kUsage;
    } else if (args[i] == "--timeout" && i + 1 < args.size()) {
      if (!ParseSeconds(args[++i], timeout)) return kUsage;
    } else if (args[i].rfind("--", 0) == 0) {
      return kUsage;
    } else {
      paths.push_back(args[i]);
    }
  }
  COrvoBuilderDoc document(context.platform);
  if (!type.empty()) {
    if (paths.size() != 1) return kUsage;
    if (!ExecuteFileCommand(document, paths[0], type, timeout)) return kFailed;
  } else {
    if (paths.empty() || paths.size() > 2) return kUsage;
    if (!document.Load(paths[0])) return kFailed;
    const std::string deck = paths.size() == 2 ? paths[1] : RunFilePath(paths[0]) + ".inp";
    if (deck == paths[0]) {
      context.platform.ShowMessage("orvo run: the deck would replace the project " + deck + ".");
      return kFailed;
    }
    if (!ExecuteOrvoCommand(document, deck, timeout)) return kFailed;
  }
  std::string text;
  if (!BaseRunModelText(document.run_file_path, context.platform, text)) return kFailed;
  context.out << text;
  return kSuccess;
}

}  // namespace orvo::cli
