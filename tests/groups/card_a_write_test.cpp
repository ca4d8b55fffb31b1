// Card A beyond its project cases (tests/data/projects/write_a_*): replacement titles, a count
// that does not fit and a time-step list of one empty entry, which no project file holds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "groups/cards.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "support/card_writer_test.h"

namespace orvo {
namespace {

class GroupACardTest : public testing::CardWriterTest {
 protected:
  std::string Write(bool expect_ok = true, const std::string& title1 = {},
                    const std::string& title2 = {}) {
    DeckOut out(platform);
    EXPECT_EQ(group_a::WriteCard(doc, out, title1, title2), expect_ok);
    return out.text();
  }

  std::vector<std::string> Findings() { return CardWriterTest::Findings(group_a::Check); }
};

TEST_F(GroupACardTest, ReplacementTitlesWhenNotEmpty) {
  LoadCase("write_a_kobal5");  // every option chosen
  EXPECT_EQ(Write(true, "Run 7", "").substr(0, 21), "KOBALS\nRun 7\nCadmium\n");
  EXPECT_EQ(Write(true, "", "varied").substr(0, 24), "KOBALS\nRiver run\nvaried\n");
  EXPECT_EQ(doc.group_a.TITLE1, "River run");
}

TEST_F(GroupACardTest, IntegerTooWideFails) {
  doc.group_a.NOSEG = 100000;
  Write(false);
  EXPECT_EQ(platform.messages,
            std::vector<std::string>{"NOSEG 100000 does not fit its 5-column field."});
}

TEST_F(GroupACardTest, OneEmptyTimeStepCountsAsNone) {
  LoadCase("write_a_kobal5");  // every option chosen
  doc.group_a.time_steps.GetList() = {""};
  EXPECT_EQ(Findings(),
            std::vector<std::string>{"Group A: Error: No timesteps defined for simulation."});
}

}  // namespace
}  // namespace orvo
