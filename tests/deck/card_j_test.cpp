// Card J: initial conditions per system and segment, read from deck text and imported.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "deck/deck_reading.h"
#include "groups/cards.h"
#include "model/model_vocabulary.h"
#include "model/scripted_platform.h"
#include "support/deck_cards.h"
#include "support/document_test.h"

namespace orvo {
namespace {

using List = std::vector<std::string>;

std::string Row(const List& row) {
  return StringArray(row).ToString();
}

// Two systems of four segments; the second system has no title.
const char kCard[] =
    "  Ammonia                                   3  2.6     100.0Initial  \n"
    "    1       0.5       1.0    2      0.25       1.0  Mid      12.0       0.0\n"
    "    4       1.0       0.5\n"
    "Nitrate                                     0  0.0       0.0\n"
    "    1       0.0       0.0    2       0.0       0.0    3       0.0       0.0\n"
    "    4       0.0       0.0\n";

class CardJTest : public testing::DocumentTest {
 protected:
  void SetUp() override {
    doc.group_a.SIMTYP = kVerda5;
    doc.group_a.NOSYS = 3;
    doc.group_a.NOSEG = 4;
    doc.group_j.ApplyDefaults(3, 4, kVerda5);
    doc.imported_NOSYS = 2;
    doc.imported_NOSEG = 4;
  }

  // Entries 0 to 4 of a slot, then its rows.
  static List Contents(const COrvoBuilderDoc& d, int system) {
    List contents;
    for (size_t entry = 0; entry < GroupJDlg::kSegmentList; ++entry) {
      contents.push_back(d.group_j.Entry(system, entry));
    }
    const List rows = d.group_j.Rows(system).ToVector();
    contents.insert(contents.end(), rows.begin(), rows.end());
    return contents;
  }

  std::vector<std::string> Slots() const {
    std::vector<std::string> texts;
    for (int system = 0; system < GroupJDlg::kSystems; ++system) {
      texts.push_back(doc.group_j.SlotText(system));
    }
    return texts;
  }
};

TEST_F(CardJTest, ParsesSystemsAndSegments) {
  const std::string text = std::string(kCard) + "next card\n";
  DeckScanner in(text);
  CardJRecord card;
  ASSERT_TRUE(ParseCardJ(in, {4, 2}, card, platform));
  ASSERT_EQ(card.systems.size(), 2u);
  const CardJRecord::System& ammonia = card.systems[0];
  EXPECT_EQ(ammonia.CHEML, "Ammonia");
  EXPECT_EQ(ammonia.IFIELD, 3);
  EXPECT_DOUBLE_EQ(ammonia.DSED, 2.6);
  EXPECT_DOUBLE_EQ(ammonia.CMAX, 100);
  EXPECT_EQ(ammonia.title, "Initial");
  ASSERT_EQ(ammonia.segments.size(), 4u);
  EXPECT_EQ(ammonia.segments[2].name, "Mid");
  EXPECT_DOUBLE_EQ(ammonia.segments[2].C, 12);
  EXPECT_DOUBLE_EQ(ammonia.segments[3].DISSF, 0.5);
  EXPECT_EQ(card.systems[1].CHEML, "Nitrate");
  EXPECT_EQ(card.systems[1].title, "");
  testing::ExpectNextLine(in, "next card");
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(CardJTest, ImportReplacesTheDecksSystemsOnly) {
  const std::string third = doc.group_j.SlotText(2);
  DeckScanner in(kCard);
  ASSERT_TRUE(ReadGroupJ(doc, in, false));
  EXPECT_TRUE(doc.IsModified());
  const GroupJDlg& group = doc.group_j;
  EXPECT_EQ(group.Entry(0, GroupJDlg::kCheml), "Ammonia");
  EXPECT_EQ(group.Entry(0, GroupJDlg::kIfield), "3");
  EXPECT_EQ(group.Entry(0, GroupJDlg::kDsed), "2.6");
  EXPECT_EQ(group.Entry(0, GroupJDlg::kCmax), "100");
  EXPECT_EQ(group.Entry(0, GroupJDlg::kTitle), "Initial");
  EXPECT_EQ(group.Rows(0).ToVector(), (List{Row({"1", "0.5", "1"}), Row({"2", "0.25", "1"}),
                                            Row({"Mid", "12", "0"}), Row({"4", "1", "0.5"})}));
  EXPECT_EQ(group.Entry(1, GroupJDlg::kCheml), "Nitrate");
  EXPECT_EQ(group.Entry(1, GroupJDlg::kTitle), "");
  EXPECT_EQ(group.RowCount(1), 4);
  EXPECT_EQ(group.SlotText(2), third);
}

TEST_F(CardJTest, SkipChangesNothingAndLeavesTheScannerAfterTheCard) {
  const auto before = Slots();
  const std::string text = std::string(kCard) + "next card\n";
  DeckScanner in(text);
  ASSERT_TRUE(ReadGroupJ(doc, in, true));
  EXPECT_EQ(Slots(), before);
  EXPECT_FALSE(doc.IsModified());
  testing::ExpectNextLine(in, "next card");
}

TEST_F(CardJTest, LoadFromWCRebuildsDeckSystemsThenAppliesDefaults) {
  ScriptedPlatform fresh_platform;
  COrvoBuilderDoc fresh(fresh_platform);
  fresh.group_a.SIMTYP = kVerda5;
  fresh.group_a.NOSYS = 2;
  fresh.group_a.NOSEG = 3;
  DeckRecord deck;
  deck.j.systems = {{"  Ammonia ", 4, 1.5, 10, "T", {{"a", 1, 0.5}, {"b", 2, 0}}}};
  group_j::LoadFromWC(fresh, deck);
  EXPECT_EQ(Contents(fresh, 0),
            (List{"Ammonia", "4", "1.5", "10", "T", Row({"a", "1", "0.5"}), Row({"b", "2", "0"})}));
  EXPECT_EQ(fresh.group_j.Entry(1, GroupJDlg::kCheml), "NO3");
  EXPECT_EQ(fresh.group_j.Rows(1).ToVector(),
            (List{GroupJDlg::DefaultRow(1), GroupJDlg::DefaultRow(2), GroupJDlg::DefaultRow(3)}));
  EXPECT_TRUE(fresh.group_j.SlotEmpty(2));
}

TEST_F(CardJTest, RoundTripIsByteForByte) {
  doc.group_j.SetEntry(0, GroupJDlg::kCmax, "1e+06");
  doc.group_j.SetEntry(0, GroupJDlg::kIfield, "4");
  doc.group_j.SetEntry(0, GroupJDlg::kDsed, "2.65");
  doc.group_j.SetEntry(0, GroupJDlg::kTitle, "Sediment");
  doc.group_j.SetRow(0, 1, StringArray{"Mid", "12.5", "0.25"});
  doc.group_j.SetRow(1, 3, StringArray{"Bed", "-3e-08", "1"});
  // A five-digit name after "0.25", full-width values after the name and after C.
  doc.group_j.SetRow(0, 2, StringArray{"10003", "0.000123456", "-1.2345e-05"});
  testing::ExpectCardRoundTrip(doc, testing::WriteCardOf<group_j::WriteCard>, ReadGroupJ,
                               [](COrvoBuilderDoc& fresh, ScriptedPlatform&) {
                                 fresh.group_a.SIMTYP = kVerda5;
                                 fresh.group_a.NOSYS = 3;
                                 fresh.group_a.NOSEG = 4;
                                 fresh.imported_NOSYS = 3;
                                 fresh.imported_NOSEG = 4;
                               });
}

// Default names from 10000 on fill their five columns and follow the previous DISSF directly.
TEST_F(CardJTest, TenThousandSegmentsRoundTrip) {
  const int noseg = 10005;
  ScriptedPlatform big_platform;
  COrvoBuilderDoc big(big_platform);
  big.group_a.SIMTYP = kVerda5;
  big.group_a.NOSYS = 1;
  big.group_a.NOSEG = noseg;
  big.group_j.ApplyDefaults(1, noseg, kVerda5);
  DeckOut first(big_platform);
  ASSERT_TRUE(group_j::WriteCard(big, first));
  ASSERT_NE(first.text().find("       0.010001       0.0"), std::string::npos);

  big.imported_NOSYS = 1;
  big.imported_NOSEG = noseg;
  DeckScanner in(first.text());
  ASSERT_TRUE(ReadGroupJ(big, in, false));
  EXPECT_EQ(big.group_j.Row(0, 10000).At(0), "10001");
  DeckOut second(big_platform);
  ASSERT_TRUE(group_j::WriteCard(big, second));
  EXPECT_EQ(second.text(), first.text());
  EXPECT_TRUE(big_platform.messages.empty());
}

// Free format and left-aligned columns read as the "%5s%10lg%10lg" conversions read them.
TEST_F(CardJTest, ReadsFreeFormatAndLeftAlignedEntries) {
  DeckScanner in(
      "A\n"
      "1 0.5 1.0 2 0.25\n"
      "1.0\n"
      "\n"
      "3    12.5      0.75      4    1         0         \n"
      "next card\n");
  CardJRecord card;
  ASSERT_TRUE(ParseCardJ(in, {4, 1}, card, platform));
  const std::vector<CardJRecord::Segment>& segments = card.systems[0].segments;
  ASSERT_EQ(segments.size(), 4u);
  EXPECT_EQ(segments[1].name, "2");
  EXPECT_DOUBLE_EQ(segments[1].DISSF, 1.0);
  EXPECT_EQ(segments[2].name, "3");
  EXPECT_DOUBLE_EQ(segments[2].C, 12.5);
  EXPECT_DOUBLE_EQ(segments[2].DISSF, 0.75);
  EXPECT_EQ(segments[3].name, "4");
  EXPECT_DOUBLE_EQ(segments[3].C, 1);
  testing::ExpectNextLine(in, "next card");
}

// Record 2 is read word by word: a segment name holding a blank splits, and the card fails
// cleanly rather than shifting every later value.
TEST_F(CardJTest, SegmentNameWithABlankFailsCleanly) {
  doc.group_j.SetRow(0, 1, StringArray{"A B", "1", "0"});
  DeckOut out(platform);
  ASSERT_TRUE(group_j::WriteCard(doc, out));
  const auto before = Slots();
  doc.imported_NOSYS = 3;
  DeckScanner in(out.text());
  EXPECT_FALSE(ReadGroupJ(doc, in, false));
  EXPECT_EQ(platform.messages, (List{"ReadGroupJ: EOF reading record 2"}));
  EXPECT_EQ(Slots(), before);
  EXPECT_FALSE(doc.IsModified());
}

// Without segments record 2 has no lines: each system is its record 1 alone.
TEST_F(CardJTest, NoSegments) {
  doc.imported_NOSEG = 0;
  DeckScanner in("First\nSecond\n");
  ASSERT_TRUE(ReadGroupJ(doc, in, false));
  EXPECT_EQ(doc.group_j.Entry(0, GroupJDlg::kCheml), "First");
  EXPECT_EQ(doc.group_j.Entry(1, GroupJDlg::kCheml), "Second");
  EXPECT_EQ(doc.group_j.RowCount(1), 0);
}

TEST_F(CardJTest, TruncatedAtEveryLineFails) {
  const auto before = Slots();
  testing::ExpectEveryLineCutFails(kCard, platform,
                                   [&](DeckScanner& in) { return ReadGroupJ(doc, in, false); });
  EXPECT_EQ(Slots(), before);
  EXPECT_FALSE(doc.IsModified());
}

// The other bad input is in tests/data/cards/card_j.txt.
TEST_F(CardJTest, LongLinesImportSensibly) {
  const std::string long_line(10000, 'x');
  doc.imported_NOSEG = 1;
  doc.imported_NOSYS = 1;
  const std::string text =
      "Long" + std::string(56, ' ') + long_line + "\n    1       0.5       1.0" + long_line + "\n";
  DeckScanner in(text);
  ASSERT_TRUE(ReadGroupJ(doc, in, false));
  EXPECT_TRUE(platform.messages.empty());
  // The long lines read by column: the title is columns 61 to 80.
  EXPECT_EQ(Contents(doc, 0),
            (List{"Long", "0", "0", "0", std::string(20, 'x'), Row({"1", "0.5", "1"})}));
}

}  // namespace
}  // namespace orvo
