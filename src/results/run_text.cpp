#include "run_text.h"

#include <utility>

#include "output_viewer_text.h"

namespace orvo {

bool BaseRunModelText(const std::string& run_path, Platform& platform, std::string& text) {
  OutputViewerText viewer;
  viewer.base_path = run_path;
  OrvoOutputData run(run_path);
  run.basename = run_path;  // already without extension, whatever dots it holds
  if (!run.ReadInputData(platform)) return false;
  if (!run.ReadOutputData(platform) && run.model_variables.empty()) return false;
  viewer.runs.push_back(std::move(run));
  viewer.labels.push_back("Base");

  OutputSelection selection;
  selection.runs = {0};
  for (int s = 0; s < viewer.runs.front().number_of_segments; ++s) selection.segments.push_back(s);
  for (int v = 0; v < viewer.runs.front().GetNumVariables(OutputTable::kModel); ++v) {
    selection.variables.push_back(v);
  }
  text = viewer.TableText(selection);
  return true;
}

}  // namespace orvo
