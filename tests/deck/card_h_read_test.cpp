// Card H: constants by block and field, read from deck text and imported into a project.
#include <gtest/gtest.h>

#include <array>
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

constexpr auto Array = testing::ArrayText;

// Globals with one field of three constants (two lines), then system 1 with one empty field.
const char kCard[] =
    "Constants of the run   \n"
    "   Globals         1\n"
    "  Kinetics         3\n"
    "       K1C         1       0.3       K1T         2      1.08\n"
    "    KDECAY         3     1e-05\n"
    "       NH3         1\n"
    "     Empty         0\n";

class CardHTest : public testing::DocumentTest {
 protected:
  void SetUp() override {
    doc.group_a.SIMTYP = kVerda5;
    doc.group_a.NOSYS = 2;
    doc.group_h.ApplyNames(2, kVerda5);
    doc.group_h.title = "Old";
    doc.group_h.blocks[2].GetList()[1] = Array({"Keep", Array({"A", "1", "2"})});
    doc.imported_NOSYS = 1;
  }

  std::array<std::string, GroupHDlg::kBlocks> Blocks() {
    std::array<std::string, GroupHDlg::kBlocks> texts;
    for (size_t k = 0; k < texts.size(); ++k) texts[k] = doc.group_h.blocks[k].ToString();
    return texts;
  }
};

TEST_F(CardHTest, ParsesBlocksFieldsAndConstants) {
  const std::string text = std::string(kCard) + "next card\n";
  DeckScanner in(text);
  CardHRecord card;
  ASSERT_TRUE(ParseCardH(in, {0, 1}, card, platform));
  EXPECT_EQ(card.title, "Constants of the run");
  ASSERT_EQ(card.blocks.size(), 2u);
  EXPECT_EQ(card.blocks[0].name, "   Globals");
  ASSERT_EQ(card.blocks[0].fields.size(), 1u);
  const CardHRecord::Field& field = card.blocks[0].fields[0];
  EXPECT_EQ(field.name, "  Kinetics");
  ASSERT_EQ(field.constants.size(), 3u);
  EXPECT_EQ(field.constants[0].name, "       K1C");
  EXPECT_EQ(field.constants[1].isc, 2);
  EXPECT_DOUBLE_EQ(field.constants[1].value, 1.08);
  EXPECT_EQ(field.constants[2].name, "    KDECAY");
  EXPECT_DOUBLE_EQ(field.constants[2].value, 1e-5);
  EXPECT_EQ(card.blocks[1].name, "       NH3");
  ASSERT_EQ(card.blocks[1].fields.size(), 1u);
  EXPECT_TRUE(card.blocks[1].fields[0].constants.empty());
  testing::ExpectNextLine(in, "next card");
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(CardHTest, ImportReplacesTheDecksBlocksOnly) {
  DeckScanner in(kCard);
  ASSERT_TRUE(ReadGroupH(doc, in, false));
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.group_h.title, "Constants of the run");
  const std::string kinetics =
      Array({"       K1C", "1", "0.3", "       K1T", "2", "1.08", "    KDECAY", "3", "1e-05"});
  EXPECT_EQ(doc.group_h.blocks[0], StringArray({"   Globals", Array({"  Kinetics", kinetics})}));
  EXPECT_EQ(doc.group_h.blocks[1], StringArray({"       NH3", Array({"     Empty", Array({})})}));
  // Block 2 lies past the deck's NOSYS.
  EXPECT_EQ(doc.group_h.blocks[2].At(0), "NO3");
  EXPECT_EQ(doc.group_h.blocks[2].At(1), Array({"Keep", Array({"A", "1", "2"})}));
}

TEST_F(CardHTest, SkipChangesNothingAndLeavesTheScannerAfterTheCard) {
  const auto before = Blocks();
  const std::string text = std::string(kCard) + "next card\n";
  DeckScanner in(text);
  ASSERT_TRUE(ReadGroupH(doc, in, true));
  EXPECT_EQ(Blocks(), before);
  EXPECT_EQ(doc.group_h.title, "Old");
  EXPECT_FALSE(doc.IsModified());
  testing::ExpectNextLine(in, "next card");
}

TEST_F(CardHTest, LoadFromWCRebuildsDeckBlocksAndNamesTheRest) {
  DeckRecord deck;
  DeckScanner in(kCard);
  ASSERT_TRUE(ParseCardH(in, {0, 1}, deck.h, platform));
  doc.group_h.blocks[1].GetList().push_back("extra");
  group_h::LoadFromWC(doc, deck);
  EXPECT_EQ(doc.group_h.title, "Constants of the run");
  EXPECT_EQ(doc.group_h.blocks[0].At(0), "   Globals");
  EXPECT_EQ(doc.group_h.blocks[1], StringArray({"       NH3", Array({"     Empty", Array({})})}));
  EXPECT_EQ(doc.group_h.blocks[2], StringArray({"NO3", Array({})}));

  // Without card H every block up to NOSYS is named and empty.
  group_h::LoadFromWC(doc, DeckRecord{});
  EXPECT_EQ(doc.group_h.title, "");
  EXPECT_EQ(doc.group_h.blocks[0], StringArray({"Globals", Array({})}));
  EXPECT_EQ(doc.group_h.blocks[1], StringArray({"NH3", Array({})}));
}

TEST_F(CardHTest, RoundTripIsByteForByte) {
  doc.group_h.title = " Kinetic constants";
  doc.group_h.blocks[0].GetList()[1] = Array(
      {"Rates", Array({"K12C", "12", "0.09", "K12T", "13", "1.047", "<NEW>", "<NEW>", "<NEW>"}),
       "Light", Array({"IS1", "41", "300"})});
  // Full-width values follow their ISC without a blank.
  doc.group_h.blocks[1].GetList()[1] =
      Array({"Nitrif", Array({"K1320C", "5", "0.000123456", "K1320T", "1320", "-1.2345e-05", "KNIT",
                              "1234567890", "1.5"})});
  testing::ExpectCardRoundTrip(doc, testing::WriteCardOf<group_h::WriteCard>, ReadGroupH,
                               [](COrvoBuilderDoc& fresh, ScriptedPlatform&) {
                                 fresh.group_a.SIMTYP = kVerda5;
                                 fresh.group_a.NOSYS = 2;
                                 fresh.imported_NOSYS = 2;
                               });
}

// Every proper prefix of the card, cut at a line end, fails and changes nothing.
TEST_F(CardHTest, TruncatedAtEveryLineFails) {
  const auto before = Blocks();
  testing::ExpectEveryLineCutFails(kCard, platform,
                                   [&](DeckScanner& in) { return ReadGroupH(doc, in, false); });
  DeckScanner empty("");
  EXPECT_FALSE(ReadGroupH(doc, empty, true));
  EXPECT_EQ(Blocks(), before);
  EXPECT_EQ(doc.group_h.title, "Old");
  EXPECT_FALSE(doc.IsModified());
}

// The other bad input is in tests/data/cards/card_h.txt.
TEST_F(CardHTest, LongLinesImportSensibly) {
  const std::string long_line(10000, 'x');
  doc.imported_NOSYS = 0;
  const std::string text = long_line + "\n   Globals         1" + long_line +
                           "\n         F         1" + long_line +
                           "\n         A         1       2.5" + long_line + "\n";
  DeckScanner in(text);
  ASSERT_TRUE(ReadGroupH(doc, in, false));
  EXPECT_TRUE(platform.messages.empty());
  // The long lines read sensibly: fields by column, the rest ignored.
  EXPECT_EQ(doc.group_h.title, std::string(10000, 'x'));
  EXPECT_EQ(doc.group_h.blocks[0],
            StringArray({"   Globals", Array({"         F", Array({"         A", "1", "2.5"})})}));
}

}  // namespace
}  // namespace orvo
