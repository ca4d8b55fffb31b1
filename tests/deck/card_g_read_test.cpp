// Card G: what group G takes from a whole deck, and a KOBAL5 project's card written, read and
// written again; the import is in tests/data/card_import/card_g.txt.
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

std::string Pad(const std::string& text, size_t width) {
  return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

// One "%5s%5d" + ten-column entry.
std::string Entry(const std::string& name, int isc, const std::string& value) {
  return Pad(name, 5) + Pad(IntText(isc), 5) + Pad(value, 10);
}

// Record 2 or a segment's record 3 entries for KOBAL5: TEMP, WVEL, SO4, pH and a number 30
// that KOBAL5 does not have.
std::string Entries(const List& values) {
  return Entry("TEMP", 2, values[0]) + Entry("WVEL", 3, values[1]) + Entry("SO4", 31, values[2]) +
         Entry("pH", 28, values[3]) + "\n" + Entry("X30", 30, values[4]) + "\n";
}

const std::string kCard = "         5  Segment parameters \n" +
                          Entries({"20.0", "1.5", "250.0", "7.0", "9.0"}) + "         1\n" +
                          Entries({"21.0", "1.6", "240.0", "7.1", "9.1"}) + "         2\n" +
                          Entries({"22.0", "1.7", "230.0", "7.2", "9.2"});

// KOBAL5 slots of TEMP, WVEL, pH and SO4 (number 31).
constexpr size_t kTemp = 1, kWvel = 2, kPh = 27, kSo4 = 29;

void MakeProject(COrvoBuilderDoc& doc, int segments) {
  testing::MakeProject(doc, segments, 7, kKobal5);
  doc.group_g.SetSlotCountFromType(kKobal5);
  doc.group_g.RestoreDefaultNames(kKobal5);
  for (const auto& node : doc.nodes()) {
    if (node->is_segment()) node->SetParameter(12, doc.DefaultSegmentGroupG());
  }
}

class CardGTest : public testing::DocumentTest {
 protected:
  void SetUp() override {
    MakeProject(doc, 3);
    doc.imported_NOSEG = 2;
    doc.group_g.title = "Old";
    doc.group_g.values[0] = 4.0;
  }
};

TEST_F(CardGTest, LoadFromWCTakesTitleNamesAndValues) {
  DeckRecord deck;
  DeckScanner in(kCard);
  ASSERT_TRUE(ParseCardG(in, {2, 7}, deck.g, platform));
  doc.group_g.slot_count = 3;
  group_g::LoadFromWC(doc, deck);
  const GroupGDlg& g = doc.group_g;
  EXPECT_EQ(g.title, "  Segment parameters");
  EXPECT_EQ(g.slot_count, 32);
  EXPECT_EQ(g.values[0], 0.0);
  EXPECT_EQ(g.names[kSo4], "SO4");
  EXPECT_EQ(g.values[kSo4], 250.0);
  // Names of slots the deck does not give stay as they were.
  EXPECT_EQ(g.names[0], "TMPFN");
  EXPECT_EQ(g.names[30], "SO4FN");
}

TEST_F(CardGTest, RoundTripGivesTheSameCard) {
  doc.group_g.title = " Parameters";
  for (size_t slot : {size_t{1}, size_t{2}, size_t{15}, kPh, kSo4}) doc.group_g.values[slot] = 1.0;
  doc.group_g.values[0] = 0.0;
  int n = 0;
  for (const auto& node : doc.nodes()) {
    if (!node->is_segment()) continue;
    StringArray record(node->GetParameter(12));
    for (size_t slot : {size_t{1}, size_t{15}, kSo4})
      record.GetList()[2 * slot + 1] = RealText(0.5 + ++n);
    node->SetParameter(12, record.ToString());
  }
  testing::ExpectCardRoundTrip(
      doc, testing::WriteCardOf<group_g::WriteCard>, ReadGroupG,
      [](COrvoBuilderDoc& copy, ScriptedPlatform&) { MakeProject(copy, 3); });
}

}  // namespace
}  // namespace orvo
