// Card I: kinetic time functions read from deck text and imported into a project's slots.
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

// TEMP1 (number 1), a wind function (number 7) over two lines, and a number no table has.
const char kCard[] =
    "         3 Kinetic time functions  \n"
    "TEMP1    3    1\n"
    "      20.0       0.0      25.0     180.0      22.0     365.0\n"
    " WIND    5    7\n"
    "       3.0       0.0       4.0      30.0       5.0      60.0       4.0      90.0\n"
    "       3.0     120.0\n"
    "  ODD    1   99\n"
    "       1.0       2.0\n";

class CardITest : public testing::DocumentTest {
 protected:
  void SetUp() override {
    doc.group_a.SIMTYP = kVerda5;
    doc.group_i.SetSlotCountFromType(kVerda5);
    doc.group_i.RestoreDefaultNames(kVerda5);
    doc.group_i.title = "Old";
    doc.group_i.functions[3] = "1 2";
  }

  // Everything the importer may change.
  std::vector<std::string> State() const {
    std::vector<std::string> state{doc.group_i.title};
    state.insert(state.end(), doc.group_i.functions.begin(), doc.group_i.functions.end());
    state.insert(state.end(), doc.group_i.names.begin(), doc.group_i.names.end());
    return state;
  }
};

TEST_F(CardITest, ParsesFunctions) {
  const std::string text = std::string(kCard) + "next card\n";
  DeckScanner in(text);
  CardIRecord card;
  ASSERT_TRUE(ParseCardI(in, {}, card, platform));
  EXPECT_EQ(card.title, " Kinetic time functions");
  ASSERT_EQ(card.functions.size(), 3u);
  EXPECT_EQ(card.functions[0].name, "TEMP1");
  EXPECT_EQ(card.functions[0].number, 1);
  EXPECT_EQ(card.functions[0].breaks, (Breaks{20, 0, 25, 180, 22, 365}));
  EXPECT_EQ(card.functions[1].name, " WIND");
  EXPECT_EQ(card.functions[1].number, 7);
  EXPECT_EQ(card.functions[1].breaks.size(), 10u);
  EXPECT_EQ(card.functions[2].number, 99);
  testing::ExpectNextLine(in, "next card");
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(CardITest, ImportFillsSlotsByTableNumber) {
  DeckScanner in(kCard);
  ASSERT_TRUE(ReadGroupI(doc, in, false));
  EXPECT_TRUE(doc.IsModified());
  const GroupIDlg& group = doc.group_i;
  EXPECT_EQ(group.title, " Kinetic time functions");
  EXPECT_EQ(group.functions[0], "20 0 25 180 22 365");
  EXPECT_EQ(group.names[0], "TEMP1");
  EXPECT_EQ(group.functions[6], "3 0 4 30 5 60 4 90 3 120");
  EXPECT_EQ(group.names[6], " WIND");
  // Every other slot was emptied; number 99 went nowhere.
  for (size_t slot = 0; slot < GroupIDlg::kSlots; ++slot) {
    if (slot == 0 || slot == 6) continue;
    EXPECT_EQ(group.functions[slot], "") << slot;
    EXPECT_EQ(group.names[slot], "") << slot;
  }
  EXPECT_EQ(group.slot_count, 22);
}

// The table is the project's: number 7 is VELN3 (slot 6) for FENU5 as well, number 21 exists
// only for VERDA5.
TEST_F(CardITest, LoadFromWCUsesTheProjectsTable) {
  DeckRecord deck;
  deck.i.title = "T";
  deck.i.functions = {{"A", 7, {1, 0, 2, 5}}, {"B", 21, {3, 0}}};
  doc.group_a.SIMTYP = kFenu5;
  group_i::LoadFromWC(doc, deck);
  EXPECT_EQ(doc.group_i.slot_count, 17);
  EXPECT_EQ(doc.group_i.title, "T");
  EXPECT_EQ(doc.group_i.functions[6], "1 0 2 5");
  EXPECT_EQ(doc.group_i.names[6], "A");
  EXPECT_EQ(doc.group_i.functions[3], "");
  EXPECT_EQ(doc.group_i.functions[20], "");
  EXPECT_EQ(doc.group_i.names[0], "");

  doc.group_a.SIMTYP = kVerda5;
  group_i::LoadFromWC(doc, deck);
  EXPECT_EQ(doc.group_i.slot_count, 22);
  EXPECT_EQ(doc.group_i.functions[20], "3 0");
}

TEST_F(CardITest, SkipChangesNothingAndLeavesTheScannerAfterTheCard) {
  const auto before = State();
  const std::string text = std::string(kCard) + "next card\n";
  DeckScanner in(text);
  ASSERT_TRUE(ReadGroupI(doc, in, true));
  EXPECT_EQ(State(), before);
  EXPECT_FALSE(doc.IsModified());
  testing::ExpectNextLine(in, "next card");
}

TEST_F(CardITest, RoundTripIsByteForByte) {
  doc.group_i.title = " Environment";
  doc.group_i.functions[3] = "";
  doc.group_i.functions[0] = "20 0 25 180";
  doc.group_i.functions[4] = "1 0 2 10 3 20 4 30 5 40";  // five breaks: two lines
  doc.group_i.functions[20] = "10 0 0.000123456 365";    // a full-width value after "0.0"
  testing::ExpectCardRoundTrip(doc, group_i::WriteCard, ReadGroupI,
                               [](COrvoBuilderDoc& fresh, ScriptedPlatform&) {
                                 fresh.group_a.SIMTYP = kVerda5;
                                 fresh.group_i.SetSlotCountFromType(kVerda5);
                               });
}

TEST_F(CardITest, TruncatedAtEveryLineFails) {
  const auto before = State();
  testing::ExpectEveryLineCutFails(kCard, platform,
                                   [&](DeckScanner& in) { return ReadGroupI(doc, in, false); });
  EXPECT_EQ(State(), before);
  EXPECT_FALSE(doc.IsModified());
}

// The other bad input is in tests/data/cards/card_i.txt.
TEST_F(CardITest, LongLinesImportSensibly) {
  const std::string long_line(10000, 'x');
  const std::string text = "         1" + long_line + "\nTEMP1    1    3" + long_line +
                           "\n       1.0       2.0" + long_line + "\n";
  DeckScanner in(text);
  ASSERT_TRUE(ReadGroupI(doc, in, false));
  EXPECT_TRUE(platform.messages.empty());
  // The long lines read by column; the title is columns 11 to 70.
  EXPECT_EQ(doc.group_i.title, std::string(60, 'x'));
  EXPECT_EQ(doc.group_i.functions[2], "1 2");
  EXPECT_EQ(doc.group_i.names[2], "TEMP1");
}

// Free format and left-aligned columns read as the "%10lg" conversions read them.
TEST_F(CardITest, ReadsFreeFormatAndLeftAlignedNumbers) {
  DeckScanner in(
      "         2\n"
      "TEMP1    2    1\n"
      "20 0\n"
      "\n"
      "25 180\n"
      "TEMP2    2    2\n"
      "1.5       0         2.75      30        \n");
  CardIRecord card;
  ASSERT_TRUE(ParseCardI(in, {}, card, platform));
  ASSERT_EQ(card.functions.size(), 2u);
  EXPECT_EQ(card.functions[0].breaks, (Breaks{20, 0, 25, 180}));
  EXPECT_EQ(card.functions[1].breaks, (Breaks{1.5, 0, 2.75, 30}));
  EXPECT_TRUE(in.AtEnd());
}

TEST_F(CardITest, NegativeBreakCountGivesAnEmptyFunction) {
  DeckScanner in("         2\nNONE    -4    1\nTEMP2    1    2\n       1.0       2.0\n");
  ASSERT_TRUE(ReadGroupI(doc, in, false));
  EXPECT_EQ(doc.group_i.functions[0], "");
  EXPECT_EQ(doc.group_i.names[0], "NONE ");
  EXPECT_EQ(doc.group_i.functions[1], "1 2");
}

}  // namespace
}  // namespace orvo
