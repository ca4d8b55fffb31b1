// Card B: parsing (its time functions are cases of tests/data/scans), what group B takes from a
// whole deck, import into an existing network and the exchange entries the network construction
// fills from the deck read last.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "deck/deck_reader.h"
#include "deck/deck_reading.h"
#include "deck/deck_writer.h"
#include "groups/cards.h"
#include "model/scripted_platform.h"
#include "model/string_array.h"
#include "support/deck_cards.h"
#include "support/document_test.h"

namespace orvo {
namespace {

using List = std::vector<std::string>;

using testing::Entries;
using testing::EntryTexts;

// Two fields for a deck of two systems. The pore-water lines name exchanges in both
// directions; (4, 5) is in no network of these tests.
const char kCard[] =
    "    2Exchanges 2  \n"
    "    2       2.5       1.0\t\t\t(surface water)\n"
    "    2\n"
    "      10.0       5.0    2    1\n"
    "      20.0       6.0    4    5\n"
    "    2\n"
    "       1.0       0.0       2.0      10.0\n"
    "    1\n"
    "      30.0       7.0    1    2\n"
    "    1\n"
    "       3.0       0.0\n"
    "    1       0.5       2.0\t\t\t(pore water)\n"
    "    3\n"
    "      40.0       8.0    1    2\n"
    "      50.0       9.0    3    2\n"
    "      60.0       1.5    3    0\n"
    "    1\n"
    "       4.0       0.0\n"
    "    1    0\n";

class CardBTest : public testing::DocumentTest {
 protected:
  // Segments 1 to 3 and exchanges 1-2, 2-1, 2-3, 3-3, 0-3 in this node-list order.
  static std::vector<COrvoBuilderCntrItem*> Network(COrvoBuilderDoc& d) {
    testing::AddSegments(d, 3);
    return testing::AddExchanges(d, {{1, 2}, {2, 1}, {2, 3}, {3, 3}, {0, 3}});
  }
};

TEST_F(CardBTest, OddColumnsReadAsZero) {
  DeckScanner in(
      "    1\n    1    abc      zz\n    1\n   abc   def    x    y\n    1\n       1.0       0.0\n  "
      "z\n");
  CardBRecord card;
  ASSERT_TRUE(ParseCardB(in, {1, 1}, card, platform));
  EXPECT_EQ(card.fields[0].SCALR, 0.0);
  ASSERT_EQ(card.fields[0].functions.size(), 1u);
  ASSERT_EQ(card.fields[0].functions[0].pairs.size(), 1u);
  const SegmentPair& pair = card.fields[0].functions[0].pairs[0];
  EXPECT_EQ(pair.from, 0);
  EXPECT_EQ(pair.first, 0.0);
  EXPECT_EQ(card.bypass, std::vector<int>{0});
}

TEST_F(CardBTest, LoadFromWCTakesTheFieldWideData) {
  DeckRecord deck;
  deck.a.NOSYS = 2;
  DeckScanner in(kCard);
  ASSERT_TRUE(ParseCardB(in, {3, 2}, deck.b, platform));
  doc.group_a.NOSYS = 4;
  group_b::LoadFromWC(doc, deck);
  const GroupBDlg& b = doc.group_b;
  EXPECT_EQ(b.title, "Exchanges 2");
  EXPECT_EQ(b.surface_SCALR, 2.5);
  EXPECT_EQ(b.surface_CONVR, 1.0);
  EXPECT_EQ(b.pore_SCALR, 0.5);
  EXPECT_EQ(b.pore_CONVR, 2.0);
  EXPECT_EQ(b.surface_functions.GetList(), (List{"1 0 2 10", "3 0"}));
  EXPECT_EQ(b.pore_functions.GetList(), List{"4 0"});
  EXPECT_EQ(b.bypass.GetList(), (List{"1", "0", "1", "1"})) << "the project's extra systems";

  deck.b = CardBRecord{};
  group_b::LoadFromWC(doc, deck);
  EXPECT_TRUE(b.surface_functions.empty());
  EXPECT_TRUE(b.bypass.empty());
  EXPECT_EQ(b.surface_SCALR, 0.0);
}

TEST_F(CardBTest, ExchangeDataNeedsADeckReadFirst) {
  const auto e = Network(doc);
  const std::string before = doc.SaveToBytes();
  SetGroupB_ExchangeData(doc, *e[0]);
  EXPECT_EQ(platform.messages,
            List{"COrvoBuilderDoc::SetGroupB_ExchangeData called without first reading a ORVO "
                 "input file."});
  EXPECT_EQ(doc.SaveToBytes(), before);
}

// The deck a project of three segments writes, read back as the document's last deck.
std::shared_ptr<const OrvoClass> ReadDeck(const std::string& card_b, Platform& platform) {
  ScriptedPlatform source_platform;
  COrvoBuilderDoc source(source_platform);
  for (int i = 0; i < 3; ++i) testing::AddSegmentWithLabel(source, 80 * (i + 1), 80);
  bool ok = false;
  std::string deck = DeckText(source, ok);
  // Card B follows the eight lines of card A.
  size_t at = 0;
  for (int line = 0; line < 8; ++line) at = deck.find('\n', at) + 1;
  deck.replace(at, deck.find('\n', at) + 1 - at, card_b);
  return std::make_shared<const OrvoClass>(deck, "", platform);
}

TEST_F(CardBTest, ExchangeDataComesFromTheDeckReadLast) {
  const auto e = Network(doc);
  doc.dataset_reader = ReadDeck(
      "    2\n    2       1.0       1.0\n    2\n      10.0       5.0    2    1\n"
      "      11.0       6.0    1    2\n    0\n    1\n      20.0       7.0    3    2\n    0\n"
      "    1       1.0       1.0\n    1\n      30.0       8.0    2    3\n    0\n\n",
      platform);
  ASSERT_NE(doc.dataset_reader->record(), nullptr);
  const std::string two = Entries({{"0.0", "0.0"}, {"0.0", "0.0"}});
  for (int i : {0, 1, 3}) {
    e[i]->SetParameter(4, "0");
    e[i]->SetParameter(7, two);
  }
  e[2]->SetParameter(4, "1");
  e[2]->SetParameter(7, Entries({{"0.0", "0.0"}}));
  e[4]->SetParameter(4, "0");
  e[4]->SetParameter(7, two);
  for (COrvoBuilderCntrItem* node : e) SetGroupB_ExchangeData(doc, *node);
  EXPECT_EQ(EntryTexts(e[0]), (List{"11 6", "0.0 0.0"})) << "the later line of a pair wins";
  EXPECT_EQ(EntryTexts(e[1]), (List{"11 6", "0.0 0.0"}));
  EXPECT_EQ(EntryTexts(e[2]), List{"30 8"}) << "pore water for a pore-water exchange";
  EXPECT_EQ(EntryTexts(e[3]), (List{"0.0 0.0", "0.0 0.0"})) << "3-3 is not the pair 3-2";
  EXPECT_EQ(EntryTexts(e[4]), (List{"0.0 0.0", "0.0 0.0"})) << "an end outside the model";

  // Another deck read later is consulted instead.
  doc.dataset_reader =
      ReadDeck("    1\n    1       1.0       1.0\n    1\n      99.0       1.0    1    2\n    0\n\n",
               platform);
  SetGroupB_ExchangeData(doc, *e[0]);
  EXPECT_EQ(EntryTexts(e[0]), (List{"99 1", "0.0 0.0"}));
}

}  // namespace
}  // namespace orvo
