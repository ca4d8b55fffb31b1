// The cards of an input deck, A to J in deck order, and what each data group does with its
// card: the one list that the deck writer, the deck reader, network construction, group
// import, sensitivity runs and the completeness report walk. Each card's parts live side by
// side by name: its writer and checks in groups/card_<x>_write.cpp, its parser, importer
// and holder loader in deck/card_<x>_read.cpp.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "deck/deck_record.h"
#include "deck/deck_scanner.h"
#include "groups/deck_format.h"
#include "groups/variation.h"
#include "model/project_document.h"

namespace orvo {

struct CardEntry {
  char letter;
  // Appends the card to the deck text (WriteCard). Sensitivity runs pass a variation; an
  // ordinary deck passes none. Cards A and I take none and ignore it.
  bool (*write)(const COrvoBuilderDoc& doc, DeckOut& out, const Variation* variation);
  // Adds the group's completeness findings; null where the group has none.
  void (*check)(const COrvoBuilderDoc& doc, std::vector<std::string>& findings);
  // Judges one node's data of this card; null for groups without per-node data.
  std::string (*node_check)(const COrvoBuilderDoc& doc, const COrvoBuilderCntrItem& node);
  // Reads the card at the scanner's position into its part of the record (card A ignores
  // the shape: it is where the shape comes from).
  bool (*parse)(DeckScanner& in, const DeckShape& shape, DeckRecord& record, Platform& platform);
  // The group importer (ReadGroupB ..); null for card A, which is never imported.
  bool (*import)(COrvoBuilderDoc& doc, DeckScanner& in, bool skip);
  // The holder takes its values from a whole parsed deck (LoadFromWC).
  void (*load)(COrvoBuilderDoc& doc, const DeckRecord& deck);
  // A deck may end before this card: what was read so far is kept.
  bool may_be_missing;
};

inline constexpr int kCardCount = 10;

// Cards A to J in deck order; entry i is card 'A' + i.
const std::array<CardEntry, kCardCount>& Cards();
// The entry of card letter 'A' .. 'J'; null for any other letter.
const CardEntry* CardOf(char letter);

}  // namespace orvo
