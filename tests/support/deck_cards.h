// Shared setup and checks of the deck card tests: small projects sized as the deck they read,
// the line after a card, and write-read-write; bad input is in tests/data/cards, imports in
// tests/data/card_import.
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

inline void ExpectNextLine(DeckScanner& in, const std::string& expected) {
  std::string line;
  ASSERT_TRUE(in.ReadLine(line));
  EXPECT_EQ(line, expected);
}

// A card writer that takes a variation, writing the card as the project holds it.
template <bool (*Write)(const COrvoBuilderDoc&, DeckOut&, const Variation*)>
bool WriteCardOf(const COrvoBuilderDoc& doc, DeckOut& out) {
  return Write(doc, out, nullptr);
}

// The card `write` makes of `doc`, read by `read` into the project `make_copy` builds, writes
// back the same text without a warning.
template <class Write, class MakeCopy>
void ExpectCardRoundTrip(const COrvoBuilderDoc& doc, Write write,
                         bool (*read)(COrvoBuilderDoc&, DeckScanner&, bool), MakeCopy make_copy) {
  ScriptedPlatform platform;
  DeckOut first(platform);
  ASSERT_TRUE(write(doc, first));
  ScriptedPlatform copy_platform;
  COrvoBuilderDoc copy(copy_platform);
  make_copy(copy, copy_platform);
  DeckScanner in(first.text());
  ASSERT_TRUE(read(copy, in, false));
  EXPECT_TRUE(in.AtEnd());
  DeckOut second(copy_platform);
  ASSERT_TRUE(write(copy, second));
  EXPECT_EQ(second.text(), first.text());
  EXPECT_TRUE(platform.messages.empty());
  for (const std::string& message : copy_platform.messages)
    EXPECT_EQ(message.find("ReadGroup"), std::string::npos) << message;
}

}  // namespace orvo::testing
