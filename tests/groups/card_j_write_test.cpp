// Card J's variations; the card as projects hold it is in tests/data/projects/write_j_*.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "groups/cards.h"
#include "model/model_vocabulary.h"
#include "model/scripted_platform.h"
#include "support/card_writer_test.h"
#include "support/golden.h"

namespace orvo {
namespace {

class GroupJCardTest : public testing::CardWriterTest {
 protected:
  std::string Write(const Variation* variation = nullptr) {
    return Written(group_j::WriteCard, variation);
  }
};

TEST_F(GroupJCardTest, VariationChangesTheChosenQuantityOfTheTargets) {
  // Three segments, each "s 2 0.5" in system 2.
  LoadCase("write_j_rows_of_the_second_system");
  const PackedTexts stored = doc.group_j.Rows(1);
  std::string note = "Group J";
  Variation variation;
  variation.item = 1;
  variation.targets = {0, 2, 7};
  variation.quantity = 1;
  variation.amount = 10;
  variation.additive = true;
  variation.note = &note;
  orvo::testing::ExpectText(Write(&variation));
  EXPECT_EQ(note, "Group J +/- 10");
  EXPECT_EQ(doc.group_j.Rows(1), stored);

  variation.quantity = 2;
  variation.targets = {1};
  variation.additive = false;
  variation.percent = true;
  variation.amount = 50;
  note.clear();
  EXPECT_NE(
      Write(&variation)
          .find("    s       2.0       0.5    s       2.0      0.25    s       2.0       0.5\n"),
      std::string::npos);
  EXPECT_EQ(note, " 50%");
}

}  // namespace
}  // namespace orvo
