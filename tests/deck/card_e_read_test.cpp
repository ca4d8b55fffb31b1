// Card E: what group E takes from a whole deck; the import is in
// tests/data/card_import/card_e.txt.
#include <gtest/gtest.h>

#include <string>

#include "deck/deck_reading.h"
#include "groups/cards.h"
#include "model/model_vocabulary.h"
#include "model/scripted_platform.h"
#include "support/deck_cards.h"
#include "support/document_test.h"

namespace orvo {
namespace {

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

class CardETest : public testing::DocumentTest {
 protected:
  void SetUp() override {
    MakeProject(doc, 3, 3);
    doc.imported_NOSYS = 2;
  }
};

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

}  // namespace
}  // namespace orvo
