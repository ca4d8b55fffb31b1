// Card C: parsing by columns and what group C takes from a whole deck; the import is in
// tests/data/card_import/card_c.txt.
#include <gtest/gtest.h>

#include <string>

#include "deck/deck_reading.h"
#include "groups/cards.h"
#include "model/scripted_platform.h"
#include "support/document_test.h"

namespace orvo {
namespace {

// Three segment lines, out of ID order; the second only reaches the volume's columns.
const char kCard[] =
    "    2    1       1.5 Volumes  \n"
    "       2.0     0.001\n"
    "         3         0         3    2000.0       0.1       0.2       0.3       0.4\n"
    "         1         3         1     500.5\n"
    "         2         0         2  1.25e+06      0.25       0.5      0.35      0.55\n";

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

TEST_F(CardCTest, LoadFromWCTakesTheOptions) {
  DeckRecord deck;
  DeckScanner in(kCard);
  ASSERT_TRUE(ParseCardC(in, {3, 1}, deck.c, platform));
  doc.group_c.units = "litres";
  group_c::LoadFromWC(doc, deck);
  const GroupCDlg& c = doc.group_c;
  EXPECT_EQ(c.IVOPT, 1);
  EXPECT_EQ(c.IBEDV, 1);
  EXPECT_EQ(c.TDINTS, 1.5);
  EXPECT_EQ(c.title, " Volumes");
  EXPECT_EQ(c.SCALV, 2.0);
  EXPECT_EQ(c.CONVV, 0.001);
  EXPECT_EQ(c.units, "m^3");
}

}  // namespace
}  // namespace orvo
