// Card J: ten thousand segments; the imports are in tests/data/card_import/card_j*.txt.
#include <gtest/gtest.h>

#include <string>

#include "deck/deck_reading.h"
#include "groups/cards.h"
#include "model/model_vocabulary.h"
#include "model/scripted_platform.h"

namespace orvo {
namespace {

// Default names from 10000 on fill their five columns and follow the previous DISSF directly.
TEST(CardJTest, TenThousandSegmentsRoundTrip) {
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

}  // namespace
}  // namespace orvo
