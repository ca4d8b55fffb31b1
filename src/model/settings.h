// Every per-user setting of the system, declared once.
#pragma once

#include "platform.h"

namespace orvo::settings {

// Start directory of the desktop program.
inline constexpr SettingKey kStartDirectory{"ORVOBuilder", "ORVOBuilder CWD", ""};
// Directory the desktop program's file choosers start in: where a file was last chosen.
inline constexpr SettingKey kLastDirectory{"ORVOBuilder", "Last Directory", ""};
// Directory of the simulation programs.
inline constexpr SettingKey kOrvoPath{"ORVO", "ORVO Path", ""};
// Sensitivity runs that go side by side.
inline constexpr SettingKey kParallelRuns{"ORVO", "Parallel Runs", "1"};

}  // namespace orvo::settings
