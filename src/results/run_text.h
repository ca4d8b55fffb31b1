// The text the output viewer shows for the model results of one run, for callers without a
// window (the command line after a run).
#pragma once

#include <string>

namespace orvo {

class Platform;

// The text table of model results of the run at run_path (the deck's path without its
// extension), all segments and all variables, exactly as the output viewer builds it for
// one selected run. Reading failures are reported through platform; false when the run's
// files could not be read at all.
bool BaseRunModelText(const std::string& run_path, Platform& platform, std::string& text);

}  // namespace orvo
