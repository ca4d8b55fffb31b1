// Card H's variations; the card as projects hold it is in tests/data/projects/write_h_*.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "groups/cards.h"
#include "model/scripted_platform.h"
#include "support/card_writer_test.h"
#include "support/golden.h"

namespace orvo {
namespace {

class GroupHCardTest : public testing::CardWriterTest {
 protected:
  std::string Write(const Variation* variation = nullptr) {
    return Written(group_h::WriteCard, variation);
  }
};

TEST_F(GroupHCardTest, VariationChangesOnlyTheChosenConstant) {
  // Blocks 0 and 2 each hold a field "rates" of K1 = 2 and K2 = 5.
  LoadCase("write_h_rates_in_two_blocks");
  const std::string stored = doc.group_h.blocks[2].At(1);
  std::string note = "run";
  Variation variation;
  variation.block = 2;
  variation.field = 0;
  variation.constant = 1;
  variation.amount = 50;
  variation.percent = true;
  variation.note = &note;
  orvo::testing::ExpectText(Write(&variation));
  EXPECT_EQ(note, "run 50%");
  EXPECT_EQ(doc.group_h.blocks[2].At(1), stored);

  note.clear();
  variation.percent = false;
  variation.additive = true;
  variation.amount = -2;
  variation.constant = 0;
  EXPECT_NE(
      Write(&variation).find("        K1         1       0.0        K2         2       5.0\n"),
      std::string::npos);
  EXPECT_EQ(note, " +/- -2");
}

}  // namespace
}  // namespace orvo
