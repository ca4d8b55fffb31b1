// What the windows of one project share about how they show it: never saved in the project
// file, so a project opened again starts from these defaults.
#pragma once

#include <optional>
#include <string>

namespace orvo::ui {

struct ProjectViewState {
  // What a left click does: 0 select, 1 to 4 place a segment of that type, 5 connect,
  // 6 place a label, 8 tether, 9 untether.
  int interaction_mode = 0;
  bool anchor_lines = false;
  bool palette_shown = false;
  // The font new labels get once "Set Font As Default" was chosen (the desktop program's
  // font description); none until then.
  std::optional<std::string> default_label_font;
};

}  // namespace orvo::ui
