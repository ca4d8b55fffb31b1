// Card D's variations; the card as projects hold it is in tests/data/projects/write_d_*.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "groups/cards.h"
#include "model/scripted_platform.h"
#include "support/card_writer_test.h"

namespace orvo {
namespace {

class GroupDCardTest : public testing::CardWriterTest {
 protected:
  std::string Write(const Variation* variation = nullptr) {
    DeckOut out(platform);
    EXPECT_TRUE(group_d::WriteCard(doc, out, variation));
    return out.text();
  }
};

TEST_F(GroupDCardTest, VariationChangesTheFlowsOfChosenFunctions) {
  // Field 1 with two functions, carried by four exchanges.
  LoadCase("write_d_field_one");
  const std::string stored = doc.group_d.fields[0].ToString();
  std::string note = "QT";
  Variation flows;
  flows.fields = {0};
  flows.functions = {1};
  flows.amount = 200;
  flows.percent = true;
  flows.note = &note;
  const std::string varied = Write(&flows);
  EXPECT_NE(varied.find("    1\n       6.0       0.0\n    1    0\n"), std::string::npos) << varied;
  EXPECT_NE(varied.find("      10.0       0.0      20.0       5.0\n"), std::string::npos);
  EXPECT_EQ(note, "QT 200%");

  Variation added = flows;
  added.functions = {0};
  added.percent = false;
  added.additive = true;
  added.amount = 0.5;
  note = "QT";
  EXPECT_NE(Write(&added).find("      10.5       0.0      20.5       5.0\n"), std::string::npos);
  EXPECT_EQ(note, "QT +/- 0.5");

  Variation other_field = flows;
  other_field.fields = {1};
  other_field.note = nullptr;
  EXPECT_EQ(Write(&other_field), Write());
  EXPECT_EQ(doc.group_d.fields[0].ToString(), stored);
}

}  // namespace
}  // namespace orvo
