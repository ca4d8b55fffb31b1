// Card D: parsing and what group D takes from a whole deck; the imports are in
// tests/data/card_import/card_d.txt.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "deck/deck_reading.h"
#include "groups/cards.h"
#include "model/scripted_platform.h"
#include "model/string_array.h"
#include "support/deck_cards.h"
#include "support/document_test.h"

namespace orvo {
namespace {

using List = std::vector<std::string>;

// Three fields for a deck of two systems: five exchanges on two record 4 lines, an empty
// second field and a function that no exchange carries.
const char kCard[] =
    "    1    3hydro.hyd  \n"
    "    1       1.0       2.0\t\t(water column field)\n"
    "    5\n"
    "       0.5    1    2      0.25    2    3       1.0    3    0       0.1    0    1\n"
    "       0.2    7    3\n"
    "    2\n"
    "     100.0       0.0     120.0      30.0\n"
    "    0\n"
    "    1       0.5       1.0\t\t(solids1 field)\n"
    "    0\n"
    "    1\n"
    "       5.0       0.0\n"
    "    0    1\n";

class CardDTest : public testing::DocumentTest {};

// Full columns run together: a segment 10000 after 9999, a full-width portion after an ID.
TEST_F(CardDTest, ColumnsThatRunTogetherKeepTheirWidths) {
  DeckScanner in(
      "    1    1\n    1       1.0       1.0\n    3\n"
      "0.00012346 999910000       0.5    1    20.00012346    3    4\n    0\n\n");
  CardDRecord card;
  ASSERT_TRUE(ParseCardD(in, {10000, 0}, card, platform));
  const std::vector<SegmentPair>& pairs = card.fields[0].functions[0].pairs;
  ASSERT_EQ(pairs.size(), 3u);
  EXPECT_EQ(pairs[0].first, 0.00012346);
  EXPECT_EQ(pairs[0].from, 9999);
  EXPECT_EQ(pairs[0].to, 10000);
  EXPECT_EQ(pairs[1].to, 2);
  EXPECT_EQ(pairs[2].first, 0.00012346);
  EXPECT_EQ(pairs[2].from, 3);
  EXPECT_TRUE(in.AtEnd());
}

TEST_F(CardDTest, LoadFromWCTakesTheFields) {
  DeckRecord deck;
  deck.a.NOSYS = 2;
  DeckScanner in(kCard);
  ASSERT_TRUE(ParseCardD(in, {3, 2}, deck.d, platform));
  doc.group_a.NOSYS = 3;
  doc.group_d.fields[5].GetList() = {"1", "1", "m^3/sec"};
  group_d::LoadFromWC(doc, deck);
  const GroupDDlg& d = doc.group_d;
  EXPECT_EQ(d.flow_option, 0);
  EXPECT_EQ(d.hydrodynamic_file, "hydro.hyd");
  EXPECT_EQ(d.fields[0].GetList(), (List{"1", "2", "m^3/sec", "100 0 120 30"}));
  EXPECT_EQ(d.fields[1].GetList(), (List{"0", "0", "m^3/sec"}));
  EXPECT_EQ(d.fields[2].GetList(), (List{"0.5", "1", "m^3/sec", "5 0"}));
  EXPECT_TRUE(d.fields[5].empty());
  EXPECT_EQ(d.bypass.GetList(), (List{"0", "1", "1"})) << "the project's extra system";

  deck.d.IQOPT = 3;
  group_d::LoadFromWC(doc, deck);
  EXPECT_EQ(d.flow_option, 2);
  EXPECT_TRUE(d.fields[0].empty());
  EXPECT_EQ(d.fields[2].size(), 4u);

  deck.d.NFIELD = 7;
  group_d::LoadFromWC(doc, deck);
  for (const StringArray& field : d.fields) EXPECT_TRUE(field.empty());
}

}  // namespace
}  // namespace orvo
