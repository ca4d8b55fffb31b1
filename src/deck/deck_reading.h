// Reading decks: one parser per card, what each group takes from a whole deck
// (LoadFromWC), and the group importers ReadGroupB .. ReadGroupJ.
//
// Parsers read their card at the scanner's position into a record and change nothing else;
// on failure they have shown their message ("ReadGroupC: EOF reading record 1", ...) and
// return false. Importers parse first and change the project only when the whole card was
// read, so a failed import leaves its group as it was.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "deck/deck_record.h"
#include "deck/deck_scanner.h"
#include "model/project_document.h"

namespace orvo {

// The line a KOBAL5 deck starts with. Only the marker itself counts: a first title that
// merely mentions the word must stay the title, or every later line would be misread.
bool IsKobalsLine(std::string_view line);

// Card A as the deck reader takes it (a "KOBALS" line passed over, fields by column, the
// simulation type from NOSYS). False at the end of the file.
bool ParseCardA(DeckScanner& in, CardARecord& card, Platform& platform);
// Pairs of a time-function block: a line every four pairs, value and time by column.
// Warns once per call when a later time reads as 0.
Breaks ReadPairs(DeckScanner& in, int count, Platform& platform);

// The time-function block of the importers: a "%5d" count from the rest of the current line,
// then twice that many "%10lg" numbers across lines, then the rest of the last line.
bool ScanTimeFunction(DeckScanner& in, Breaks& breaks);

// True when a title or name read from a deck can be kept in a project; otherwise shows
// "<reader>: <what> ... cannot hold" and returns false, so that the card is refused whole
// rather than kept in a project that could not be saved and opened again.
bool CheckStorableText(std::string_view text, const std::string& reader, const std::string& what,
                       Platform& platform);

// Per card (deck/card_<x>_read.cpp; deck/card_registry.h lists them): its parser; its group
// importer, which reads the card of another deck at the scanner's position into the project,
// or with skip set only moves past it; and what its holder takes from a whole parsed deck
// (per-node values come with the network construction).
namespace group_a {
void LoadFromWC(COrvoBuilderDoc& doc, const DeckRecord& deck);
}

bool ParseCardB(DeckScanner& in, const DeckShape& shape, CardBRecord& card, Platform& platform);
bool ReadGroupB(COrvoBuilderDoc& doc, DeckScanner& in, bool skip);
namespace group_b {
void LoadFromWC(COrvoBuilderDoc& doc, const DeckRecord& deck);
}

bool ParseCardC(DeckScanner& in, const DeckShape& shape, CardCRecord& card, Platform& platform);
bool ReadGroupC(COrvoBuilderDoc& doc, DeckScanner& in, bool skip);
namespace group_c {
void LoadFromWC(COrvoBuilderDoc& doc, const DeckRecord& deck);
}

// Under IQOPT 3 the first field has no lines in the deck.
bool ParseCardD(DeckScanner& in, const DeckShape& shape, CardDRecord& card, Platform& platform);
bool ReadGroupD(COrvoBuilderDoc& doc, DeckScanner& in, bool skip);
namespace group_d {
void LoadFromWC(COrvoBuilderDoc& doc, const DeckRecord& deck);
}

bool ParseCardE(DeckScanner& in, const DeckShape& shape, CardERecord& card, Platform& platform);
bool ReadGroupE(COrvoBuilderDoc& doc, DeckScanner& in, bool skip);
namespace group_e {
void LoadFromWC(COrvoBuilderDoc& doc, const DeckRecord& deck);
}

bool ParseCardF(DeckScanner& in, const DeckShape& shape, CardFRecord& card, Platform& platform);
bool ReadGroupF(COrvoBuilderDoc& doc, DeckScanner& in, bool skip);
namespace group_f {
void LoadFromWC(COrvoBuilderDoc& doc, const DeckRecord& deck);
}

bool ParseCardG(DeckScanner& in, const DeckShape& shape, CardGRecord& card, Platform& platform);
bool ReadGroupG(COrvoBuilderDoc& doc, DeckScanner& in, bool skip);
namespace group_g {
void LoadFromWC(COrvoBuilderDoc& doc, const DeckRecord& deck);
}

bool ParseCardH(DeckScanner& in, const DeckShape& shape, CardHRecord& card, Platform& platform);
bool ReadGroupH(COrvoBuilderDoc& doc, DeckScanner& in, bool skip);
namespace group_h {
void LoadFromWC(COrvoBuilderDoc& doc, const DeckRecord& deck);
}

bool ParseCardI(DeckScanner& in, const DeckShape& shape, CardIRecord& card, Platform& platform);
bool ReadGroupI(COrvoBuilderDoc& doc, DeckScanner& in, bool skip);
namespace group_i {
void LoadFromWC(COrvoBuilderDoc& doc, const DeckRecord& deck);
}

bool ParseCardJ(DeckScanner& in, const DeckShape& shape, CardJRecord& card, Platform& platform);
bool ReadGroupJ(COrvoBuilderDoc& doc, DeckScanner& in, bool skip);
namespace group_j {
void LoadFromWC(COrvoBuilderDoc& doc, const DeckRecord& deck);
}

// The exchange lines of a deck's card B by their two segments, in deck order: made once for
// a whole network construction, which asks once per exchange. It views the record, which
// must outlive it.
class ExchangeLineIndex {
 public:
  // An exchange takes an exchange line when both name the same two segments, in either order.
  struct Line {
    size_t field;
    size_t function;
    const SegmentPair* pair;
  };

  explicit ExchangeLineIndex(const DeckRecord& record);
  // Null when no line names these two segments.
  const std::vector<Line>* Lines(int up, int down) const;

 private:
  std::unordered_map<uint64_t, std::vector<Line>> by_pair_;
};

// Fills one exchange node's group B entries from the deck read last (the document's
// dataset reader).
void SetGroupB_ExchangeData(COrvoBuilderDoc& doc, COrvoBuilderCntrItem& node);
// The same from an index of that deck's exchange lines.
void SetGroupB_ExchangeData(COrvoBuilderCntrItem& node, const ExchangeLineIndex& index);

// The deck shape the importers use: the document's imported_NOSEG and imported_NOSYS, set by
// the import command.
inline DeckShape ImportedShape(const COrvoBuilderDoc& doc) {
  return {doc.imported_NOSEG, doc.imported_NOSYS};
}

}  // namespace orvo
