// Bad input to each card's parser, one file per card under tests/data/cards/ (cases as
// support/card_cases.h reads them) whose result is
//   fails | reads | reads to the end
//   <each message, one a line>
// Never a crash, hang or unbounded allocation (the sanitizers watch every case); importing a
// refused card leaves the project as it was.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "deck/deck_reading.h"
#include "groups/cards.h"
#include "model/scripted_platform.h"
#include "support/card_cases.h"
#include "support/document_test.h"
#include "support/golden.h"

namespace orvo {
namespace {

using testing::CardCase;

using Parse = std::function<bool(DeckScanner&, const DeckShape&, Platform&)>;

template <class Record, bool (*Parser)(DeckScanner&, const DeckShape&, Record&, Platform&)>
Parse ParserOf() {
  return [](DeckScanner& in, const DeckShape& shape, Platform& platform) {
    Record card;
    return Parser(in, shape, card, platform);
  };
}

const std::map<std::string, Parse>& Parsers() {
  static const std::map<std::string, Parse> parsers = {
      {"card_a",
       [](DeckScanner& in, const DeckShape&, Platform& platform) {
         CardARecord card;
         return ParseCardA(in, card, platform);
       }},
      {"card_b", ParserOf<CardBRecord, ParseCardB>()},
      {"card_c", ParserOf<CardCRecord, ParseCardC>()},
      {"card_d", ParserOf<CardDRecord, ParseCardD>()},
      {"card_e", ParserOf<CardERecord, ParseCardE>()},
      {"card_f", ParserOf<CardFRecord, ParseCardF>()},
      {"card_g", ParserOf<CardGRecord, ParseCardG>()},
      {"card_h", ParserOf<CardHRecord, ParseCardH>()},
      {"card_i", ParserOf<CardIRecord, ParseCardI>()},
      {"card_j", ParserOf<CardJRecord, ParseCardJ>()},
  };
  return parsers;
}

using Import = bool (*)(COrvoBuilderDoc&, DeckScanner&, bool);

const std::map<std::string, Import>& Importers() {
  static const std::map<std::string, Import> importers = {
      {"card_b", ReadGroupB}, {"card_c", ReadGroupC}, {"card_d", ReadGroupD},
      {"card_e", ReadGroupE}, {"card_f", ReadGroupF}, {"card_g", ReadGroupG},
      {"card_h", ReadGroupH}, {"card_i", ReadGroupI}, {"card_j", ReadGroupJ},
  };
  return importers;
}

// Importing a card the parser refuses fails too, and leaves the project as it was.
void ExpectFailedImportChangesNothing(Import import, const CardCase& c) {
  testing::NodeNumbersFromOne numbering;
  ScriptedPlatform platform;
  COrvoBuilderDoc doc(platform);
  doc.imported_NOSEG = c.shape.NOSEG;
  doc.imported_NOSYS = c.shape.NOSYS;
  const std::string before = doc.SaveToBytes();
  const std::string input = c.Input();
  DeckScanner in(input);
  EXPECT_FALSE(import(doc, in, false));
  EXPECT_EQ(doc.SaveToBytes(), before);
  EXPECT_FALSE(doc.IsModified());
}

class CardBadInputTest : public ::testing::TestWithParam<std::string> {};

TEST_P(CardBadInputTest, FailsCleanlyOrReadsSensibly) {
  const auto path = testing::DataPath("cards/" + GetParam() + ".txt");
  const Parse& parse = Parsers().at(GetParam());
  testing::CheckCases(path, [&](const CardCase& c) {
    ScriptedPlatform platform;
    const std::string input = c.Input();
    DeckScanner in(input);
    const bool ok = parse(in, c.shape, platform);
    std::string result = !ok ? "fails\n" : in.AtEnd() ? "reads to the end\n" : "reads\n";
    for (const std::string& message : platform.messages) result += message + "\n";
    const auto importer = Importers().find(GetParam());
    if (!ok && importer != Importers().end()) ExpectFailedImportChangesNothing(importer->second, c);
    return result;
  });
}

INSTANTIATE_TEST_SUITE_P(Cards, CardBadInputTest,
                         ::testing::ValuesIn(testing::CaseNames("cards", ".txt")),
                         testing::CaseTestName);

}  // namespace
}  // namespace orvo
