// What deleting a node takes with it. Deleting a segment (COrvoBuilderDoc::DeleteNode) also
// deletes its ID label and every exchange that has it as an end, so that no exchange is left
// with an end of 0 that would carry an inflow or outflow nobody drew.
#pragma once

#include "model/project_document.h"

namespace orvo {

// The exchanges that deleting this segment takes with it (0 for other nodes).
int CountExchangesOf(const COrvoBuilderDoc& doc, const COrvoBuilderCntrItem& node);

}  // namespace orvo
