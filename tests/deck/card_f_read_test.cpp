// Card F: waste loads read from deck text and imported into a project.
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

const char kFilter[] = "Nonpoint source files (*.*)|*.*|All Files (*.*)|*.*||";

// Two systems: loads at segments 3 and 2 of the first (in that order), none in the second;
// record 5 announces a nonpoint source file.
const char kCard[] =
    "         2  Point loads  \n"
    "    1000.0       0.5\n"
    "    3    2\n"
    "      10.0       0.0      20.0       5.0\n"
    "    2    1\n"
    "      50.0       0.0\n"
    "         0\n"
    "         1\n";

void MakeProject(COrvoBuilderDoc& doc, int segments, int nosys) {
  testing::MakeProject(doc, segments, nosys, kVerda5);
  doc.group_f.ApplyDefaults(nosys);
}

std::string State(const COrvoBuilderDoc& doc) {
  std::string state = doc.IsModified() ? "modified" : "unmodified";
  state += "\n" + doc.group_f.nonpoint_file;
  for (int k = 0; k < GroupFDlg::kSystems; ++k) state += "\n" + doc.group_f.SlotText(k);
  for (const auto& node : doc.nodes()) {
    if (node->is_segment()) state += "\n" + node->GetParameter(11);
  }
  return state;
}

// The load list of a system as (segment index, function) records.
std::vector<StringArray> Loads(const COrvoBuilderDoc& doc, int system) {
  std::vector<StringArray> loads;
  for (int i = 0; i < doc.group_f.LoadCount(system); ++i)
    loads.push_back(doc.group_f.LoadRecord(system, i));
  return loads;
}

class CardFTest : public testing::DocumentTest {
 protected:
  void SetUp() override {
    MakeProject(doc, 3, 3);
    doc.imported_NOSYS = 2;
  }
};

TEST_F(CardFTest, ParsesSystemsLoadsAndTheNonpointFlag) {
  const std::string text = std::string(kCard) + "next card\n";
  DeckScanner in(text);
  CardFRecord card;
  ASSERT_TRUE(ParseCardF(in, {3, 2}, card, platform));
  ASSERT_EQ(card.systems.size(), 2u);
  EXPECT_EQ(card.systems[0].title, "  Point loads");
  EXPECT_DOUBLE_EQ(card.systems[0].SCALW, 1000.0);
  EXPECT_DOUBLE_EQ(card.systems[0].CONVW, 0.5);
  ASSERT_EQ(card.systems[0].loads.size(), 2u);
  EXPECT_EQ(card.systems[0].loads[0].segment, 3);
  EXPECT_EQ(card.systems[0].loads[0].breaks, (Breaks{10, 0, 20, 5}));
  EXPECT_EQ(card.systems[0].loads[1].segment, 2);
  EXPECT_EQ(card.systems[1].title, "");
  EXPECT_TRUE(card.systems[1].loads.empty());
  EXPECT_TRUE(card.nonpoint_source);
  testing::ExpectNextLine(in, "next card");
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(CardFTest, ImportSetsSegmentsLoadListsAndAsksForTheNonpointFile) {
  doc.nodes()[0]->SetParameter(11, Array({Array({"1", "0"}), "", ""}));
  platform.files.push_back("/data/nps.txt");
  DeckScanner in(kCard);
  ASSERT_TRUE(ReadGroupF(doc, in, false));
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(platform.messages, List{std::string("? open ") + kFilter});
  EXPECT_EQ(doc.group_f.nonpoint_file, "/data/nps.txt");
  EXPECT_EQ(doc.group_f.Slot(0).GetList(),
            (List{"1000", "0.5", "kg/day", "  Point loads", doc.group_f.Entry(0, 4)}));
  EXPECT_EQ(doc.group_f.Slot(1).GetList(),
            (List{"0.0", "0.0", "kg/day", "", doc.group_f.Entry(1, 4)}));
  EXPECT_EQ(doc.GetSegmentNode(1)->GetParameter(11), Array({"", "", ""}));
  EXPECT_EQ(doc.GetSegmentNode(2)->GetParameter(11), Array({Array({"50", "0"}), "", ""}));
  EXPECT_EQ(doc.GetSegmentNode(3)->GetParameter(11),
            Array({Array({"10", "0", "20", "5"}), "", ""}));
  // Ordered by segment index, whatever the deck's order.
  EXPECT_EQ(Loads(doc, 0), (std::vector<StringArray>{{"1", Array({"50", "0"})},
                                                     {"2", Array({"10", "0", "20", "5"})}}));
  // A system the deck lists after the loaded segments' last system starts empty; the
  // project's third system keeps the cleared entries of every segment.
  EXPECT_TRUE(Loads(doc, 1).empty());
  EXPECT_EQ(Loads(doc, 2), (std::vector<StringArray>{{"0", ""}, {"1", ""}, {"2", ""}}));
}

TEST_F(CardFTest, LoadListsHoldSegmentsOfTheSameOrALaterSystem) {
  // Segment 1 is loaded in systems 1 and 3, segment 2 in system 2 only.
  doc.imported_NOSYS = 3;
  DeckScanner in(
      "         1\n       1.0       1.0\n    1    1\n       1.0       0.0\n"
      "         1\n       1.0       1.0\n    2    1\n       2.0       0.0\n"
      "         1\n       1.0       1.0\n    1    1\n       3.0       0.0\n"
      "         0\n");
  ASSERT_TRUE(ReadGroupF(doc, in, false));
  EXPECT_EQ(Loads(doc, 0), (std::vector<StringArray>{{"0", Array({"1", "0"})}, {"1", ""}}));
  EXPECT_EQ(Loads(doc, 1), (std::vector<StringArray>{{"0", ""}, {"1", Array({"2", "0"})}}));
  EXPECT_EQ(Loads(doc, 2), (std::vector<StringArray>{{"0", Array({"3", "0"})}}));
  EXPECT_EQ(doc.GetSegmentNode(1)->GetParameter(11),
            Array({Array({"1", "0"}), "", Array({"3", "0"})}));
}

TEST_F(CardFTest, CancelledChooserAndRecordFiveZeroEmptyTheName) {
  DeckScanner cancelled(kCard);
  ASSERT_TRUE(ReadGroupF(doc, cancelled, false));
  EXPECT_EQ(doc.group_f.nonpoint_file, "");

  doc.group_f.nonpoint_file = "old.txt";
  platform.messages.clear();
  std::string card = kCard;
  card.replace(card.rfind("1\n"), 1, "0");
  DeckScanner none(card);
  ASSERT_TRUE(ReadGroupF(doc, none, false));
  EXPECT_EQ(doc.group_f.nonpoint_file, "");
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(CardFTest, MissingSegmentIsReportedBeforeTheFileIsAskedFor) {
  DeckScanner in(
      "         1\n       1.0       1.0\n    9    1\n       1.0       0.0\n"
      "         0\n         1\n");
  ASSERT_TRUE(ReadGroupF(doc, in, false));
  EXPECT_EQ(
      platform.messages,
      (List{"ReadGroupF: Warning: at least one segment in the input was not found in network.",
            std::string("? open ") + kFilter}));
}

TEST_F(CardFTest, SkipChangesNothingAndLeavesTheScannerAfterTheCard) {
  doc.group_f.nonpoint_file = "old.txt";
  const std::string before = State(doc);
  const std::string text = std::string(kCard) + "next card\n";
  DeckScanner in(text);
  ASSERT_TRUE(ReadGroupF(doc, in, true));
  EXPECT_EQ(State(doc), before);
  EXPECT_TRUE(platform.messages.empty());
  testing::ExpectNextLine(in, "next card");
}

TEST_F(CardFTest, LoadFromWCBuildsSlotsWithOrderedLoadLists) {
  DeckRecord deck;
  DeckScanner in(kCard);
  ASSERT_TRUE(ParseCardF(in, {3, 2}, deck.f, platform));
  deck.f.systems[1].loads.push_back({2, {4, 0}});
  deck.f.systems[1].loads.push_back({2, {5, 1}});
  doc.group_f.SetEntry(2, GroupFDlg::kTitle, "Changed");
  group_f::LoadFromWC(doc, deck);
  EXPECT_EQ(doc.group_f.Entry(0, GroupFDlg::kScalw), "1000");
  EXPECT_EQ(doc.group_f.Entry(0, GroupFDlg::kTitle), "  Point loads");
  EXPECT_EQ(Loads(doc, 0), (std::vector<StringArray>{{"1", Array({"50", "0"})},
                                                     {"2", Array({"10", "0", "20", "5"})}}));
  // A segment listed twice gets two records, in deck order.
  EXPECT_EQ(Loads(doc, 1),
            (std::vector<StringArray>{{"1", Array({"4", "0"})}, {"1", Array({"5", "1"})}}));
  EXPECT_EQ(doc.group_f.Entry(1, GroupFDlg::kScalw), "0");
  // Past the deck's systems: the defaults.
  EXPECT_EQ(doc.group_f.Slot(2).GetList(), (List{"0.0", "0.0", "kg/day", "", Array({})}));
  EXPECT_TRUE(doc.group_f.SlotEmpty(3));
}

TEST_F(CardFTest, EveryFailureIsReportedAndChangesNothing) {
  struct Case {
    int nosys;
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {2, "", "ReadGroupF: EOF reading record 1"},
      {2, "         1A\n", "ReadGroupF: EOF reading record 2"},
      {2, "         1A\n       1.0       1.0\n",
       "ReadGroupF: parse error reading record 3, system 0"},
      {2, "         0A\n         2B\n       1.0       1.0\n    1    0\n",
       "ReadGroupF: parse error reading record 3, system 1"},
      {2, "         0A\n         0B\n", "ReadGroupF: EOF reading record 5"},
      {9, kCard, "ReadGroupF: the deck has NOSYS = 9; only 0 to 8 systems can be held."},
  };
  doc.group_f.nonpoint_file = "old.txt";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    doc.imported_NOSYS = c.nosys;
    platform.messages.clear();
    const std::string before = State(doc);
    DeckScanner in(c.text);
    EXPECT_FALSE(ReadGroupF(doc, in, false));
    EXPECT_EQ(platform.messages, List{c.message});
    EXPECT_EQ(State(doc), before);
  }
}

TEST_F(CardFTest, RoundTripGivesTheSameCard) {
  doc.group_f.SetSlot(0, StringArray{"2.5", "0.001", "kg/day", " Plant"});
  doc.GetSegmentNode(3)->SetParameter(11, Array({Array({"0", "0", "0", "10"}), "", ""}));
  doc.GetSegmentNode(1)->SetParameter(
      11, Array({Array({"1.5", "0", "2", "30", "3", "60", "4", "90", "5", "120"}),
                 Array({"7", "0"}), ""}));
  doc.group_f.nonpoint_file = "nps.dat";
  testing::ExpectCardRoundTrip(doc, testing::WriteCardOf<group_f::WriteCard>, ReadGroupF,
                               [](COrvoBuilderDoc& copy, ScriptedPlatform& copy_platform) {
                                 copy_platform.files.push_back("nps.dat");
                                 MakeProject(copy, 3, 3);
                               });
}

// Beside tests/data/cards/card_f.txt: a negative count keeps record 2; every line cut fails.
TEST_F(CardFTest, NegativeCountAndLineCuts) {
  DeckScanner negative("        -3T\n       2.0       3.0\n         0U\n         0\n");
  CardFRecord card;
  ASSERT_TRUE(ParseCardF(negative, {3, 2}, card, platform));
  EXPECT_DOUBLE_EQ(card.systems[0].CONVW, 3.0);
  EXPECT_TRUE(card.systems[0].loads.empty());
  EXPECT_FALSE(card.nonpoint_source);
  testing::ExpectEveryLineCutFails(kCard, platform, [&](DeckScanner& cut) {
    CardFRecord partial;
    return ParseCardF(cut, {3, 2}, partial, platform);
  });
}

}  // namespace
}  // namespace orvo
