// Bad input to each card's parser (as the card registry has it), one file per card under
// tests/data/cards/ (cases as support/card_cases.h reads them) whose result is
//   fails | reads | reads to the end
//   <each message, one a line>
// Never a crash, hang or unbounded allocation (the sanitizers watch every case); importing a
// refused card leaves the project as it was.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "deck/card_registry.h"
#include "deck/deck_reading.h"
#include "groups/cards.h"
#include "model/scripted_platform.h"
#include "support/card_cases.h"
#include "support/document_test.h"
#include "support/golden.h"

namespace orvo {
namespace {

using testing::CardCase;

// Importing a card the parser refuses fails too, and leaves the project as it was.
void ExpectFailedImportChangesNothing(const CardEntry& card, const CardCase& c) {
  testing::NodeNumbersFromOne numbering;
  ScriptedPlatform platform;
  COrvoBuilderDoc doc(platform);
  doc.imported_NOSEG = c.shape.NOSEG;
  doc.imported_NOSYS = c.shape.NOSYS;
  const std::string before = doc.SaveToBytes();
  const std::string input = c.Input();
  DeckScanner in(input);
  EXPECT_FALSE(card.import(doc, in, false));
  EXPECT_EQ(doc.SaveToBytes(), before);
  EXPECT_FALSE(doc.IsModified());
}

class CardBadInputTest : public ::testing::TestWithParam<std::string> {};

TEST_P(CardBadInputTest, FailsCleanlyOrReadsSensibly) {
  const auto path = testing::DataPath("cards/" + GetParam() + ".txt");
  const CardEntry& card = *CardOf(static_cast<char>(std::toupper(GetParam()[5])));
  testing::CheckCases(path, [&](const CardCase& c) {
    ScriptedPlatform platform;
    const std::string input = c.Input();
    DeckScanner in(input);
    DeckRecord record;
    const bool ok = card.parse(in, c.shape, record, platform);
    std::string result = !ok ? "fails\n" : in.AtEnd() ? "reads to the end\n" : "reads\n";
    for (const std::string& message : platform.messages) result += message + "\n";
    if (!ok && card.import != nullptr) ExpectFailedImportChangesNothing(card, c);
    return result;
  });
}

INSTANTIATE_TEST_SUITE_P(Cards, CardBadInputTest,
                         ::testing::ValuesIn(testing::CaseNames("cards", ".txt")),
                         testing::CaseTestName);

}  // namespace
}  // namespace orvo
