// Shared setup of the deck card tests: small projects sized as the deck they read; bad input is in
// tests/data/cards, imports (with write-read-write) in tests/data/card_import.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "deck/deck_reading.h"
#include "groups/cards.h"
#include "groups/deck_format.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "support/node_records.h"

namespace orvo::testing {

// A project of `segments` segments and `nosys` systems of `simtyp`, sized as the deck it
// reads from.
inline void MakeProject(COrvoBuilderDoc& doc, int segments, int nosys, SimulationType simtyp) {
  doc.group_a.SIMTYP = simtyp;
  doc.group_a.NOSYS = nosys;
  AddSegments(doc, segments);
  doc.imported_NOSEG = segments;
  doc.imported_NOSYS = nosys;
}

}  // namespace orvo::testing
