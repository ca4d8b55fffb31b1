// Card F: the nonpoint file name a cancelled chooser or a record 5 of 0 leaves, and the waste
// loads taken from a whole deck; the imports are in tests/data/card_import/card_f.txt.
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

}  // namespace
}  // namespace orvo
