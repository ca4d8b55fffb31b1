// Card I with kinetic function names, which project files do not keep; the cards without are
// in tests/data/projects/write_i_*.
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

class GroupICardTest : public testing::CardWriterTest {
 protected:
  void SetUp() override {
    CardWriterTest::SetUp();
    doc.group_a.SIMTYP = kVerda5;
    doc.group_i.SetSlotCountFromType(kVerda5);
    doc.group_i.title = "Kinetic functions";
  }

  std::string Write() {
    return Written([](const COrvoBuilderDoc& d, DeckOut& out, const Variation*) {
      return group_i::WriteCard(d, out);
    });
  }
};

TEST_F(GroupICardTest, FourBreakpointsToALineAndNumbersFromTheTable) {
  doc.group_i.functions[2] = "7";  // a single number is no breakpoint
  doc.group_i.names[6] = "WIND SPEED";
  doc.group_i.functions[6] = "1,0\t2 1\n3 2 4 3 5.5 4";
  doc.group_i.functions[21] = "0.5 0 1 30 0.25 60 0 90";
  orvo::testing::ExpectText(Write());
  EXPECT_EQ(group_i::DefinedFunctions(doc), (std::vector<int>{6, 21}));
}

TEST_F(GroupICardTest, ValueWithoutTimeFailsAfterTheValue) {
  doc.group_i.names[0] = "T";
  doc.group_i.functions[0] = "20 0 25";
  doc.group_i.functions[1] = "1 0";
  orvo::testing::ExpectText(Write());
  EXPECT_FALSE(written);
  // The dataset writer names the group; the card adds nothing of its own.
  EXPECT_TRUE(platform.messages.empty());
}

// The card and its finding are in tests/data/projects/write_i_kobal5_with_stale_functions.
TEST_F(GroupICardTest, KobalOffersNoSlotsEvenWithStaleFunctions) {
  doc.group_i.functions[0] = "1 0 2 1";  // left from an earlier simulation type
  doc.group_a.SIMTYP = kKobal5;
  EXPECT_TRUE(group_i::DefinedFunctions(doc).empty());
  doc.group_a.SIMTYP = kVerda5;
  doc.group_i.slot_count = 0;
  EXPECT_TRUE(group_i::DefinedFunctions(doc).empty());
}

}  // namespace
}  // namespace orvo
