#include <gtest/gtest.h>

#include "deck/deck_reading.h"
#include "model/scripted_platform.h"

namespace orvo {
namespace {

// Only the marker line itself announces a KOBAL5 deck: a first title that mentions the word
// stays the title, or every later line of card A would be read one line off.
TEST(CardATest, TitleMentioningTheMarkerStaysTheTitle) {
  EXPECT_TRUE(IsKobalsLine("KOBALS"));
  EXPECT_TRUE(IsKobalsLine("KOBALS  \r"));
  EXPECT_FALSE(IsKobalsLine("KOBALS study of the lower reach"));

  ScriptedPlatform platform;
  DeckScanner in(
      "KOBALS study of the lower reach\n"
      "second title\n"
      "header\n"
      "    3    6    0    0    1    0    0    1    1  0 0    0\n"
      "    1    2    3    0    0    0\n"
      "    0\n"
      "    0\n"
      "    0    0    0    0    0    0\n");
  CardARecord card;
  ASSERT_TRUE(ParseCardA(in, card, platform));
  EXPECT_FALSE(card.kobals_line);
  EXPECT_EQ(card.TITLE1, "KOBALS study of the lower reach");
  EXPECT_EQ(card.NOSEG, 3);
  EXPECT_EQ(card.NOSYS, 6);
  EXPECT_EQ(card.simulation_type, "FENU5");
}

}  // namespace
}  // namespace orvo
