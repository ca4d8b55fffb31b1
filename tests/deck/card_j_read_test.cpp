// Card J: ten thousand segments, free-format entries and a name with a blank; the import is in
// tests/data/card_import/card_j.txt.
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

class CardJTest : public testing::DocumentTest {
 protected:
  void SetUp() override {
    doc.group_a.SIMTYP = kVerda5;
    doc.group_a.NOSYS = 3;
    doc.group_a.NOSEG = 4;
    doc.group_j.ApplyDefaults(3, 4, kVerda5);
    doc.imported_NOSYS = 2;
    doc.imported_NOSEG = 4;
  }

  std::vector<std::string> Slots() const {
    std::vector<std::string> texts;
    for (int system = 0; system < GroupJDlg::kSystems; ++system) {
      texts.push_back(doc.group_j.SlotText(system));
    }
    return texts;
  }
};

// Default names from 10000 on fill their five columns and follow the previous DISSF directly.
TEST_F(CardJTest, TenThousandSegmentsRoundTrip) {
  const int noseg = 10005;
  ScriptedPlatform big_platform;
  COrvoBuilderDoc big(big_platform);
  big.group_a.SIMTYP = kVerda5;
  big.group_a.NOSYS = 1;
  big.group_a.NOSEG = noseg;
  big.group_j.ApplyDefaults(1, noseg, kVerda5);
  DeckOut first(big_platform);
  ASSERT_TRUE(group_j::WriteCard(big, first));
  ASSERT_NE(first.text().find("       0.010001       0.0"), std::string::npos);

  big.imported_NOSYS = 1;
  big.imported_NOSEG = noseg;
  DeckScanner in(first.text());
  ASSERT_TRUE(ReadGroupJ(big, in, false));
  EXPECT_EQ(big.group_j.Row(0, 10000).At(0), "10001");
  DeckOut second(big_platform);
  ASSERT_TRUE(group_j::WriteCard(big, second));
  EXPECT_EQ(second.text(), first.text());
  EXPECT_TRUE(big_platform.messages.empty());
}

// Free format and left-aligned columns read as the "%5s%10lg%10lg" conversions read them.
TEST_F(CardJTest, ReadsFreeFormatAndLeftAlignedEntries) {
  DeckScanner in(
      "A\n"
      "1 0.5 1.0 2 0.25\n"
      "1.0\n"
      "\n"
      "3    12.5      0.75      4    1         0         \n"
      "next card\n");
  CardJRecord card;
  ASSERT_TRUE(ParseCardJ(in, {4, 1}, card, platform));
  const std::vector<CardJRecord::Segment>& segments = card.systems[0].segments;
  ASSERT_EQ(segments.size(), 4u);
  EXPECT_EQ(segments[1].name, "2");
  EXPECT_DOUBLE_EQ(segments[1].DISSF, 1.0);
  EXPECT_EQ(segments[2].name, "3");
  EXPECT_DOUBLE_EQ(segments[2].C, 12.5);
  EXPECT_DOUBLE_EQ(segments[2].DISSF, 0.75);
  EXPECT_EQ(segments[3].name, "4");
  EXPECT_DOUBLE_EQ(segments[3].C, 1);
  testing::ExpectNextLine(in, "next card");
}

// Record 2 is read word by word: a segment name holding a blank splits, and the card fails
// cleanly rather than shifting every later value.
TEST_F(CardJTest, SegmentNameWithABlankFailsCleanly) {
  doc.group_j.SetRow(0, 1, StringArray{"A B", "1", "0"});
  DeckOut out(platform);
  ASSERT_TRUE(group_j::WriteCard(doc, out));
  const auto before = Slots();
  doc.imported_NOSYS = 3;
  DeckScanner in(out.text());
  EXPECT_FALSE(ReadGroupJ(doc, in, false));
  EXPECT_EQ(platform.messages, (List{"ReadGroupJ: EOF reading record 2"}));
  EXPECT_EQ(Slots(), before);
  EXPECT_FALSE(doc.IsModified());
}

}  // namespace
}  // namespace orvo
