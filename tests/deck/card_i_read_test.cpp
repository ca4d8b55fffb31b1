// Card I: kinetic time functions read from free-format text and negative counts; the import is
// in tests/data/card_import/card_i.txt.
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

class CardITest : public testing::DocumentTest {
 protected:
  void SetUp() override {
    doc.group_a.SIMTYP = kVerda5;
    doc.group_i.SetSlotCountFromType(kVerda5);
    doc.group_i.RestoreDefaultNames(kVerda5);
    doc.group_i.title = "Old";
    doc.group_i.functions[3] = "1 2";
  }
};

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
