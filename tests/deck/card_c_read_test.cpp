// Card C read by its columns, whatever the columns hold; the import is in
// tests/data/card_import/card_c.txt.
#include <gtest/gtest.h>

#include <string>

#include "deck/deck_reading.h"
#include "groups/cards.h"
#include "model/scripted_platform.h"
#include "support/document_test.h"

namespace orvo {
namespace {

class CardCTest : public testing::DocumentTest {};

TEST_F(CardCTest, LongLinesAndLettersReadByTheirColumns) {
  const std::string text = "  abc  xyz    1.5e\n  q\n         1" + std::string(10000, '9') + "\n";
  DeckScanner in(text);
  CardCRecord card;
  ASSERT_TRUE(ParseCardC(in, {1, 1}, card, platform));
  EXPECT_EQ(card.IVOPT, 0);
  EXPECT_EQ(card.TDINTS, 1.5);
  ASSERT_EQ(card.segments.size(), 1u);
  EXPECT_EQ(card.segments[0].ISEG, 1);
  EXPECT_EQ(card.segments[0].IBOTSEG, 2147483647) << "saturated, as the columns overflow";
  EXPECT_EQ(card.segments[0].DXP, 9999999999.0);
}

}  // namespace
}  // namespace orvo
