// Card C: parsing, what group C takes from a whole deck and import into the segments.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "deck/deck_reading.h"
#include "groups/cards.h"
#include "model/scripted_platform.h"
#include "support/deck_cards.h"
#include "support/document_test.h"

namespace orvo {
namespace {

using List = std::vector<std::string>;

// Three segment lines, out of ID order; the second only reaches the volume's columns.
const char kCard[] =
    "    2    1       1.5 Volumes  \n"
    "       2.0     0.001\n"
    "         3         0         3    2000.0       0.1       0.2       0.3       0.4\n"
    "         1         3         1     500.5\n"
    "         2         0         2  1.25e+06      0.25       0.5      0.35      0.55\n";

// The group C values of a segment: type, IBOTSEG, volume, VMULT, VEXP, DMULT, DXP.
List Values(const COrvoBuilderCntrItem* node) {
  List values;
  for (int index : {3, 4, 9, 8, 7, 5, 6}) values.push_back(node->GetParameter(index));
  return values;
}

using testing::AddSegments;

class CardCTest : public testing::DocumentTest {};

TEST_F(CardCTest, ParsesColumnsAndStopsAfterTheCard) {
  const std::string text = std::string(kCard) + "NEXT\n";
  DeckScanner in(text);
  CardCRecord card;
  ASSERT_TRUE(ParseCardC(in, {3, 1}, card, platform));
  EXPECT_EQ(card.IVOPT, 2);
  EXPECT_EQ(card.IBEDV, 1);
  EXPECT_EQ(card.TDINTS, 1.5);
  EXPECT_EQ(card.title, " Volumes");
  EXPECT_EQ(card.SCALV, 2.0);
  EXPECT_EQ(card.CONVV, 0.001);
  ASSERT_EQ(card.segments.size(), 3u);
  const SegmentRecord& third = card.segments[0];
  EXPECT_EQ(third.ISEG, 3);
  EXPECT_EQ(third.ITYPE, 3);
  EXPECT_EQ(third.VOLUME, 2000.0);
  EXPECT_EQ(third.DXP, 0.4);
  const SegmentRecord& short_line = card.segments[1];
  EXPECT_EQ(short_line.IBOTSEG, 3);
  EXPECT_EQ(short_line.VOLUME, 500.5);
  EXPECT_EQ(short_line.VMULT, 0.0);
  EXPECT_EQ(short_line.DXP, 0.0);
  EXPECT_EQ(card.segments[2].VOLUME, 1.25e6);
  testing::ExpectNextLine(in, "NEXT");
  EXPECT_TRUE(platform.messages.empty());
}

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

// Segment 4 is not in the card and is reset; segment 7 of the deck is not in the network.
TEST_F(CardCTest, ImportFillsSegmentsByID) {
  const auto s = AddSegments(doc, 4);
  for (COrvoBuilderCntrItem* node : s) {
    for (int index : {4, 5, 6, 7, 8, 9}) node->SetParameter(index, "9");
  }
  doc.imported_NOSEG = 4;
  doc.SetModifiedFlag(false);
  const std::string text = std::string(kCard) + "         7         0         1       1.0\n";
  DeckScanner in(text);
  ASSERT_TRUE(ReadGroupC(doc, in, false));
  EXPECT_EQ(platform.messages,
            List{"ReadGroupC: Warning: at least one segment in the input was not found in "
                 "network."});
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.group_c.IVOPT, 1);
  EXPECT_EQ(doc.group_c.title, " Volumes");
  EXPECT_EQ(doc.group_c.CONVV, 0.001);
  EXPECT_EQ(Values(s[0]), (List{"0", "3", "500.5", "0", "0", "0", "0"}));
  EXPECT_EQ(Values(s[1]), (List{"1", "0", "1.25e+06", "0.25", "0.5", "0.35", "0.55"}));
  EXPECT_EQ(Values(s[2]), (List{"2", "0", "2000", "0.1", "0.2", "0.3", "0.4"}));
  EXPECT_EQ(Values(s[3]), (List{"0", "0", "0", "0", "0", "0", "0"}));
}

TEST_F(CardCTest, SkipAndFailureChangeNothing) {
  const auto s = AddSegments(doc, 3);
  s[0]->SetParameter(9, "42");
  doc.group_c.title = "Kept";
  doc.imported_NOSEG = 3;
  doc.SetModifiedFlag(false);
  const std::string before = doc.SaveToBytes();

  const std::string text = std::string(kCard) + "NEXT\n";
  DeckScanner in(text);
  ASSERT_TRUE(ReadGroupC(doc, in, true));
  testing::ExpectNextLine(in, "NEXT");

  doc.imported_NOSEG = 4;
  DeckScanner truncated(kCard);
  EXPECT_FALSE(ReadGroupC(doc, truncated, false));
  EXPECT_EQ(platform.messages, List{"ReadGroupC: EOF reading record 2"});
  EXPECT_EQ(doc.SaveToBytes(), before);
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(CardCTest, WriteReadWriteIsIdentical) {
  GroupCDlg& c = doc.group_c;
  c.IVOPT = 1;
  c.IBEDV = 1;
  c.TDINTS = 0.25;
  c.title = " Lake volumes";
  c.SCALV = 1e-3;
  c.CONVV = 1e20;
  const auto s = AddSegments(doc, 3);
  s[0]->SetParameter(9, "12345.6");
  s[0]->SetParameter(8, "0.000123456");
  s[1]->SetParameter(3, "2");
  s[1]->SetParameter(4, "3");
  s[1]->SetParameter(5, "-1.5");
  s[2]->SetParameter(3, "3");
  testing::ExpectCardRoundTrip(doc, testing::WriteCardOf<group_c::WriteCard>, ReadGroupC,
                               [](COrvoBuilderDoc& copy, ScriptedPlatform&) {
                                 AddSegments(copy, 3);
                                 copy.imported_NOSEG = 3;
                               });
}

}  // namespace
}  // namespace orvo
