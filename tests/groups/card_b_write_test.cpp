// Card B's variations; the card as projects hold it is in tests/data/projects/write_b_*.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "groups/cards.h"
#include "model/scripted_platform.h"
#include "support/card_writer_test.h"
#include "support/golden.h"

namespace orvo {
namespace {

class GroupBCardTest : public testing::CardWriterTest {
 protected:
  std::string Write(const Variation* variation = nullptr) {
    DeckOut out(platform);
    EXPECT_TRUE(group_b::WriteCard(doc, out, variation));
    return out.text();
  }
};

TEST_F(GroupBCardTest, VariationChangesChosenExchangesOfChosenFunctions) {
  LoadCase("write_b_two_functions_on_two_exchanges");
  const COrvoBuilderCntrItem* chosen = doc.nodes()[6].get();  // 1 -> 2
  ASSERT_TRUE(chosen->is_exchange());
  const std::string stored = chosen->GetParameter(7);

  std::string note = "Area";
  Variation area;
  area.functions = {1};
  area.exchanges = {chosen};
  area.quantity = 0;
  area.amount = 50;
  area.percent = true;
  area.note = &note;
  orvo::testing::ExpectText(Write(&area));
  EXPECT_EQ(note, "Area 50%");

  Variation length = area;
  length.quantity = 1;
  length.percent = false;
  length.additive = true;
  length.amount = 1;
  note = "Length";
  orvo::testing::ExpectText(Write(&length), "2");
  EXPECT_EQ(note, "Length +/- 1");

  Variation nothing = area;
  nothing.quantity = 2;
  nothing.note = nullptr;
  EXPECT_EQ(Write(&nothing), Write());
  EXPECT_EQ(chosen->GetParameter(7), stored);
}

}  // namespace
}  // namespace orvo
