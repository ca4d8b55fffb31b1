// Group import: one card group, or groups B to J, from another deck into the project.
#pragma once

#include "model/project_document.h"

namespace orvo {

// The "Import..." commands. The deck is chosen through the platform's file chooser; the
// outcome is shown as the command's message. group is 'B' .. 'J'.
bool ImportGroup(COrvoBuilderDoc& doc, char group);
bool ImportAllGroups(COrvoBuilderDoc& doc);

}  // namespace orvo
