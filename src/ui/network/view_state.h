// What the windows of one project share about how they show it: never saved in the project
// file, so a project opened again starts from these defaults.
#pragma once

#include <optional>
#include <string>

namespace orvo::ui {

// What a left click on the network does. The placing modes of segments follow the segment
// types (kPlaceSurface places type 0); the numbers are the icon palette's.
enum class InteractionMode {
  kSelect = 0,
  kPlaceSurface = 1,
  kPlaceSubsurface = 2,
  kPlaceUpperBed = 3,
  kPlaceLowerBed = 4,
  kConnect = 5,
  kPlaceLabel = 6,
  kTether = 8,
  kUntether = 9,
};

struct ProjectViewState {
  InteractionMode interaction_mode = InteractionMode::kSelect;
  bool anchor_lines = false;
  bool palette_shown = false;
  // The font new labels get once "Set Font As Default" was chosen (the desktop program's
  // font description); none until then.
  std::optional<std::string> default_label_font;
};

}  // namespace orvo::ui
