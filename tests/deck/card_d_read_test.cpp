// Card D: parsing, what group D takes from a whole deck and import into the exchanges.
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

using testing::Portions;
using testing::PortionsOf;

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

class CardDTest : public testing::DocumentTest {
 protected:
  // Segments 1 to 3 and exchanges 1-2, 3-2, 2-3, 3-0, 0-1 in this node-list order.
  static std::vector<COrvoBuilderCntrItem*> Network(COrvoBuilderDoc& d) {
    testing::AddSegments(d, 3);
    return testing::AddExchanges(d, {{1, 2}, {3, 2}, {2, 3}, {3, 0}, {0, 1}});
  }
};

TEST_F(CardDTest, FlowsFromTheHydrodynamicFileHaveNoFirstField) {
  DeckScanner in("    3    2 flows.hyd\n    1       1.0       1.0\n    0\n    0\n    1    1\n");
  CardDRecord card;
  ASSERT_TRUE(ParseCardD(in, {3, 2}, card, platform));
  EXPECT_FALSE(card.fields[0].read);
  EXPECT_TRUE(card.fields[1].read);
  EXPECT_EQ(card.fields[1].functions.size(), 1u);
  EXPECT_EQ(card.bypass, (std::vector<int>{1, 1}));
  EXPECT_TRUE(in.AtEnd());
}

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

// Flows keep their direction: 3-2 does not take the line "2 3", and "7 3" has no exchange.
TEST_F(CardDTest, ImportMatchesExchangesByDirection) {
  const auto e = Network(doc);
  e[1]->SetParameter(8, Portions({{"9"}}));
  doc.imported_NOSYS = 2;
  doc.SetModifiedFlag(false);
  DeckScanner in(kCard);
  ASSERT_TRUE(ReadGroupD(doc, in, false));
  EXPECT_EQ(platform.messages,
            List{"ReadGroupD: Warning: at least one exchange in the input was not found in "
                 "network."});
  EXPECT_TRUE(doc.IsModified());
  const GroupDDlg& d = doc.group_d;
  EXPECT_EQ(d.flow_option, 0);
  EXPECT_EQ(d.hydrodynamic_file, "hydro.hyd");
  EXPECT_EQ(d.fields[0].GetList(), (List{"1", "2", "m^3/s", "100 0 120 30"}));
  EXPECT_EQ(d.fields[1].GetList(), (List{"0", "0", "m^3/s"}));
  EXPECT_EQ(d.fields[2].GetList(), (List{"0.5", "1", "m^3/s", "5 0"}));
  EXPECT_TRUE(d.fields[3].empty());
  EXPECT_EQ(d.bypass.GetList(), (List{"0", "1"}));
  const std::vector<List> none(6);
  auto water = [](const List& portions) {
    std::vector<List> fields(6);
    fields[0] = portions;
    return fields;
  };
  EXPECT_EQ(PortionsOf(e[0]), water({"0.5"}));
  EXPECT_EQ(PortionsOf(e[1]), none);
  EXPECT_EQ(PortionsOf(e[2]), water({"0.25"}));
  EXPECT_EQ(PortionsOf(e[3]), water({"1"}));
  EXPECT_EQ(PortionsOf(e[4]), water({"0.1"}));
}

TEST_F(CardDTest, ImportPadsPortionsBeforeALaterFunction) {
  const auto e = Network(doc);
  doc.imported_NOSYS = 0;
  DeckScanner in(
      "    1    1\n    2       1.0       1.0\n    0\n    0\n    1\n       0.3    2    3\n"
      "    0\n\n");
  ASSERT_TRUE(ReadGroupD(doc, in, false));
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(PortionsOf(e[2])[0], (List{"0.0", "0.3"}));
  EXPECT_EQ(doc.group_d.fields[0].GetList(), (List{"1", "1", "m^3/s", "", ""}));
  EXPECT_TRUE(doc.group_d.bypass.empty());
}

TEST_F(CardDTest, WriteReadWriteIsIdentical) {
  GroupDDlg& d = doc.group_d;
  d.flow_option = 0;
  d.hydrodynamic_file = " unused.hyd";
  d.fields[0].GetList() = {"1", "0.0283", "m^3/sec", "100 0 120 30 1.2346e+06 60 80 90 70 120",
                           "5 0"};
  d.fields[1].GetList() = {"2", "1", "m^3/sec", "0.5 0"};
  d.fields[2].GetList() = {"0.5", "1", "m^3/sec"};
  d.bypass.GetList() = {"0", "1"};
  doc.group_a.NOSYS = 2;
  const auto e = Network(doc);
  e[0]->SetParameter(8, Portions({{"1", ""}}));
  e[1]->SetParameter(8, Portions({{"0.000123456", "1"}}));  // runs into the ID before it
  e[2]->SetParameter(8, Portions({{"0.75", "0"}, {"0.5"}}));
  e[3]->SetParameter(8, Portions({{"1", ""}}));
  e[4]->SetParameter(8, Portions({{"1e-05", ""}}));
  testing::ExpectCardRoundTrip(doc, testing::WriteCardOf<group_d::WriteCard>, ReadGroupD,
                               [](COrvoBuilderDoc& copy, ScriptedPlatform&) {
                                 Network(copy);
                                 copy.group_a.NOSYS = 2;
                                 copy.imported_NOSYS = 2;
                               });
}

}  // namespace
}  // namespace orvo
