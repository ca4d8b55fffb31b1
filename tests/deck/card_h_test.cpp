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

}  // namespace
}  // namespace orvo
