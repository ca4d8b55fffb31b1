// Card E: boundary concentrations read from deck text and imported into a project.
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

constexpr auto Array = testing::ArrayText;

// Two systems: the first with boundaries at segments 1 and 3 (one and five breaks), the
// second with none.
const char kCard[] =
    "         2  Inflow at the head   \n"
    "       2.5       0.5\n"
    "    1    2\n"
    "       1.0       0.0       2.0      10.0\n"
    "    3    5\n"
    "       0.1       0.0       0.2       1.0       0.3       2.0       0.4       3.0\n"
    "       0.5       4.0\n"
    "         0Nothing\n";

// A network of `segments` segments with NOSYS systems, group E at its defaults.
void MakeProject(COrvoBuilderDoc& doc, int segments, int nosys) {
  testing::MakeProject(doc, segments, nosys, kVerda5);
  doc.group_e.ApplyDefaults(nosys);
}

// Everything an import may change.
std::string State(const COrvoBuilderDoc& doc) {
  std::string state = doc.IsModified() ? "modified" : "unmodified";
  for (StringArray slot : doc.group_e.systems) state += "\n" + slot.ToString();
  for (const auto& node : doc.nodes()) {
    if (node->is_segment()) state += "\n" + node->GetParameter(10);
  }
  return state;
}

class CardETest : public testing::DocumentTest {
 protected:
  void SetUp() override {
    MakeProject(doc, 3, 3);
    doc.imported_NOSYS = 2;
  }
};

TEST_F(CardETest, ParsesSystemsFactorsAndFunctions) {
  const std::string text = std::string(kCard) + "next card\n";
  DeckScanner in(text);
  CardERecord card;
  ASSERT_TRUE(ParseCardE(in, {3, 2}, card, platform));
  ASSERT_EQ(card.systems.size(), 2u);
  const CardERecord::System& first = card.systems[0];
  EXPECT_EQ(first.title, "  Inflow at the head");
  EXPECT_DOUBLE_EQ(first.SCALB, 2.5);
  EXPECT_DOUBLE_EQ(first.CONVB, 0.5);
  ASSERT_EQ(first.boundaries.size(), 2u);
  EXPECT_EQ(first.boundaries[0].segment, 1);
  EXPECT_EQ(first.boundaries[0].breaks, (Breaks{1, 0, 2, 10}));
  EXPECT_EQ(first.boundaries[1].segment, 3);
  EXPECT_EQ(first.boundaries[1].breaks, (Breaks{0.1, 0, 0.2, 1, 0.3, 2, 0.4, 3, 0.5, 4}));
  EXPECT_EQ(card.systems[1].title, "Nothing");
  EXPECT_TRUE(card.systems[1].boundaries.empty());
  testing::ExpectNextLine(in, "next card");
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(CardETest, ImportResetsThenSetsTheListedSegments) {
  doc.nodes()[2]->SetParameter(10, Array({Array({"5", "0"}), "", ""}));
  doc.group_e.systems[0] = StringArray{"9", "9", "ug/L", "Old"};
  DeckScanner in(kCard);
  ASSERT_TRUE(ReadGroupE(doc, in, false));
  EXPECT_TRUE(doc.IsModified());
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(doc.group_e.systems[0], (StringArray{"2.5", "0.5", "mg/L", "  Inflow at the head"}));
  EXPECT_EQ(doc.group_e.systems[1], (StringArray{"1.0", "1.0", "mg/L", "Nothing"}));
  // Past the deck's two systems the project's third is reset with an empty title.
  EXPECT_EQ(doc.group_e.systems[2], (StringArray{"1.0", "1.0", "mg/L", ""}));
  EXPECT_EQ(doc.GetSegmentNode(1)->GetParameter(10), Array({Array({"1", "0", "2", "10"}), "", ""}));
  EXPECT_EQ(doc.GetSegmentNode(2)->GetParameter(10), Array({"", "", ""}));
  EXPECT_EQ(doc.GetSegmentNode(3)->GetParameter(10),
            Array({Array({"0.1", "0", "0.2", "1", "0.3", "2", "0.4", "3", "0.5", "4"}), "", ""}));
}

TEST_F(CardETest, MissingSegmentIsReportedAndTheRestImported) {
  DeckScanner in(
      "         2T\n       1.0       1.0\n    7    1\n       1.0       0.0\n"
      "    2    1\n       3.0       0.0\n         0U\n");
  ASSERT_TRUE(ReadGroupE(doc, in, false));
  EXPECT_EQ(
      platform.messages,
      List{"ReadGroupE: Warning: at least one segment in the input was not found in network."});
  EXPECT_EQ(doc.GetSegmentNode(2)->GetParameter(10), Array({Array({"3", "0"}), "", ""}));
}

TEST_F(CardETest, SkipChangesNothingAndLeavesTheScannerAfterTheCard) {
  const std::string before = State(doc);
  const std::string text = std::string(kCard) + "next card\n";
  DeckScanner in(text);
  ASSERT_TRUE(ReadGroupE(doc, in, true));
  EXPECT_EQ(State(doc), before);
  testing::ExpectNextLine(in, "next card");
}

TEST_F(CardETest, LoadFromWCTakesTheDecksSystemsAndDefaultsTheRest) {
  DeckRecord deck;
  DeckScanner in(kCard);
  ASSERT_TRUE(ParseCardE(in, {3, 2}, deck.e, platform));
  doc.group_e.systems[2] = StringArray{"7", "7", "g/L", "Kept?"};
  group_e::LoadFromWC(doc, deck);
  EXPECT_EQ(doc.group_e.systems[0], (StringArray{"2.5", "0.5", "mg/L", "  Inflow at the head"}));
  // Record 2 is absent for a system without boundaries: its factors are the record's zeros.
  EXPECT_EQ(doc.group_e.systems[1], (StringArray{"0", "0", "mg/L", "Nothing"}));
  EXPECT_EQ(doc.group_e.systems[2], (StringArray{"1.0", "1.0", "mg/L", "Group E system #3"}));
  EXPECT_TRUE(doc.group_e.systems[3].empty());
}

TEST_F(CardETest, EveryFailureIsReportedAndChangesNothing) {
  struct Case {
    int nosys;
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {2, "", "ReadGroupE: EOF reading record 1"},
      {2, "         0A\n", "ReadGroupE: EOF reading record 1"},
      {2, "         1A\n", "ReadGroupE: EOF reading record 2"},
      {2, "         1A\n       1.0       1.0\n",
       "ReadGroupE: parse error reading record 3, system 0"},
      {2, "         0A\n         1B\n       1.0       1.0\n   x\n",
       "ReadGroupE: parse error reading record 3, system 1"},
      {2, "         1A\n       1.0       1.0\n    1    2\n       1.0       0.0\n",
       "ReadGroupE: parse error reading record 3, system 0"},
      {9, kCard, "ReadGroupE: the deck has NOSYS = 9; only 0 to 8 systems can be held."},
      {-1, kCard, "ReadGroupE: the deck has NOSYS = -1; only 0 to 8 systems can be held."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    doc.imported_NOSYS = c.nosys;
    platform.messages.clear();
    const std::string before = State(doc);
    DeckScanner in(c.text);
    EXPECT_FALSE(ReadGroupE(doc, in, false));
    EXPECT_EQ(platform.messages, List{c.message});
    EXPECT_EQ(State(doc), before);
  }
}

TEST_F(CardETest, RoundTripGivesTheSameCard) {
  doc.group_e.systems[0] = StringArray{"2.5", "1e-06", "mg/L", " Head"};
  doc.group_e.systems[1] = StringArray{"1.0", "1.0", "mg/L", "Bed"};
  doc.GetSegmentNode(1)->SetParameter(10, Array({Array({"1.5", "0", "2", "30"}), "", ""}));
  doc.GetSegmentNode(3)->SetParameter(
      10, Array({Array({"0.25", "0", "1e+06", "1", "3", "2", "4", "3", "5", "365"}),
                 Array({"7", "0", "8", "30"}), ""}));
  testing::ExpectCardRoundTrip(doc, testing::WriteCardOf<group_e::WriteCard>, ReadGroupE,
                               [](COrvoBuilderDoc& copy, ScriptedPlatform&) {
                                 COrvoBuilderCntrItem::SetNodeNumberCounter(0);
                                 MakeProject(copy, 3, 3);
                               });
}

// Bad input: fails with one message, or reads what the columns say; never crashes or hangs.
// Beside tests/data/cards/card_e.txt: a long title reads whole; every line cut fails.
TEST_F(CardETest, LongTitleAndLineCuts) {
  const std::string long_title(10000, 'x');
  const std::string titled = "         0" + long_title + "   \n         0U\n";
  DeckScanner in(titled);
  CardERecord card;
  ASSERT_TRUE(ParseCardE(in, {3, 2}, card, platform));
  EXPECT_EQ(card.systems[0].title, long_title);
  testing::ExpectEveryLineCutFails(kCard, platform, [&](DeckScanner& cut) {
    CardERecord partial;
    const bool ok = ParseCardE(cut, {3, 2}, partial, platform);
    EXPECT_TRUE(partial.systems.empty());
    return ok;
  });
}

}  // namespace
}  // namespace orvo
