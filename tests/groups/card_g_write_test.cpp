// Card G's variations; the card as projects hold it is in tests/data/projects/write_g_*.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "groups/cards.h"
#include "model/scripted_platform.h"
#include "support/card_writer_test.h"
#include "support/golden.h"

namespace orvo {
namespace {

class GroupGCardTest : public testing::CardWriterTest {
 protected:
  // A FENU5 project of two segments using parameters 0 and 15, the first segment holding both.
  void SetUp() override {
    CardWriterTest::SetUp();
    LoadCase("write_g_used_parameters");
  }

  std::string Write(const Variation* variation = nullptr) {
    return Written(group_g::WriteCard, variation);
  }
};

TEST_F(GroupGCardTest, VariationChangesTheItemSlotOfTargetsOnly) {
  std::string note = "G";
  Variation variation;
  variation.targets = {1};
  variation.item = 15;
  variation.amount = 200;
  variation.percent = true;
  variation.note = &note;
  const std::string stored = segments[0]->GetParameter(12);
  orvo::testing::ExpectText(Write(&variation));
  EXPECT_EQ(note, "G 200%");
  EXPECT_EQ(segments[0]->GetParameter(12), stored);
  EXPECT_EQ(doc.group_g.values[15], 2.5);
}

}  // namespace
}  // namespace orvo
