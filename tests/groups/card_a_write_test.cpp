#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "groups/cards.h"
#include "model/model_vocabulary.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "support/card_writer_test.h"
#include "support/network_builder.h"

namespace orvo {
namespace {

using testing::AddSegmentWithLabel;

// The end of a card, as long as the expected text.
std::string Tail(const std::string& text, const std::string& expected) {
  return text.size() < expected.size() ? text : text.substr(text.size() - expected.size());
}

const std::string kHeader =
    " NSEG NSYS ICFL MFLG JMAS NSLN INTY ADFC   DD HHMM TFLG    A:MODEL OPTIONS\n";

class GroupACardTest : public testing::CardWriterTest {
 protected:
  // A KOBAL5 project with every option chosen and two segments drawn.
  void FillIn() {
    GroupADlg& a = doc.group_a;
    a.SIMTYP = kKobal5;
    a.TITLE1 = "River run";
    a.TITLE2 = "Cadmium";
    a.NOSYS = 7;
    a.ICFL = 1;
    a.MFLAG = 0;
    a.JMASS = 3;
    a.NEGSLN = 0;
    a.INTYP = 0;
    a.ADFAC = 0.5;
    a.ZDAY = 12;
    a.ZHR = 6;
    a.ZMIN = 30;
    a.TFLG = 1;
    a.ISEGOUT = {1, 2, 0, 0, 0, 0};
    a.time_steps.Parse("1 5 0.5 10 0.25 30", true);
    a.print_intervals.Parse("1 1 2 2 3 3 4 4 5 5 6 6 7 7 8 8", true);
    a.SYSBY.Parse("1 0 0 1 0 0 0", false);
    AddSegmentWithLabel(doc, 100, 100);
    AddSegmentWithLabel(doc, 200, 100);
  }

  std::string Write(bool expect_ok = true, const std::string& title1 = {},
                    const std::string& title2 = {}) {
    DeckOut out(platform);
    EXPECT_EQ(group_a::WriteCard(doc, out, title1, title2), expect_ok);
    return out.text();
  }

  std::vector<std::string> Findings() { return CardWriterTest::Findings(group_a::Check); }
};

TEST_F(GroupACardTest, Kobal5Card) {
  FillIn();
  EXPECT_EQ(Write(),
            "KOBALS\n"
            "River run\n"
            "Cadmium\n" +
                kHeader +
                "    2    7    1    0    3    0    0  0.5   12  630    1\n"
                "    1    2    0    0    0    0\n"
                "    3\n"
                "       1.0       5.0       0.5      10.0      0.25      30.0\n"
                "    8\n"
                "       1.0       1.0       2.0       2.0       3.0       3.0"
                "       4.0       4.0\n"
                "       5.0       5.0       6.0       6.0       7.0       7.0"
                "       8.0       8.0\n"
                "    1    0    0    1    0    0    0\n");
}

TEST_F(GroupACardTest, OnlyKobal5StartsWithItsName) {
  FillIn();
  doc.group_a.SIMTYP = kVerda5;
  EXPECT_EQ(Write().substr(0, 10), "River run\n");
  doc.group_a.SIMTYP = kFenu5;
  EXPECT_EQ(Write().substr(0, 10), "River run\n");
}

TEST_F(GroupACardTest, ReplacementTitlesWhenNotEmpty) {
  FillIn();
  EXPECT_EQ(Write(true, "Run 7", "").substr(0, 21), "KOBALS\nRun 7\nCadmium\n");
  EXPECT_EQ(Write(true, "", "varied").substr(0, 24), "KOBALS\nRiver run\nvaried\n");
  EXPECT_EQ(doc.group_a.TITLE1, "River run");
}

TEST_F(GroupACardTest, OddTimeStepsFail) {
  FillIn();
  doc.group_a.time_steps.Parse("1 5 2", true);
  const std::string tail = "    1\n       1.0       5.0       2.0";
  EXPECT_EQ(Tail(Write(false), tail), tail) << "the unpaired value is written, then it stops";
  EXPECT_EQ(platform.messages,
            std::vector<std::string>{"Error occurred while writing model timesteps."});
}

TEST_F(GroupACardTest, OddPrintIntervalsFail) {
  FillIn();
  doc.group_a.print_intervals.Parse("1", true);
  const std::string tail = "    0\n       1.0";  // no pair, one unpaired value
  EXPECT_EQ(Tail(Write(false), tail), tail);
  EXPECT_EQ(platform.messages,
            std::vector<std::string>{"Error occurred while writing print timesteps."});
}

TEST_F(GroupACardTest, IntegerTooWideFails) {
  doc.group_a.NOSEG = 100000;
  Write(false);
  EXPECT_EQ(platform.messages,
            std::vector<std::string>{"NOSEG 100000 does not fit its 5-column field."});
}

TEST_F(GroupACardTest, StartTimeTooWideFails) {
  doc.group_a.ZHR = 12;  // fits three columns
  doc.group_a.ZMIN = 30.5;
  doc.group_a.ADFAC = 123456;
  Write(false);
  EXPECT_EQ(platform.messages,
            (std::vector<std::string>{"ADFAC 123456 does not fit its 5-column field.",
                                      "ZMIN 30.5 does not fit its 2-column field."}));
}

TEST_F(GroupACardTest, BypassEntriesAreReadAsIntegers) {
  doc.group_a.SYSBY.Parse("1 x 0", false);
  const std::string tail = "    0\n    0\n    1    0    0\n";  // both counts 0
  EXPECT_EQ(Tail(Write(), tail), tail);
}

TEST_F(GroupACardTest, NewProjectFindings) {
  EXPECT_EQ(Findings(), (std::vector<std::string>{
                            "Group A: Error: Simulation type is unset.",
                            "Group A: Warning: TITLE1 is unset.",
                            "Group A: Warning: TITLE2 is unset.",
                            "Group A: Error: No segments in network.",
                            "Group A: Error: Restart file control (ICFL) is unset.",
                            "Group A: Error: Message flag (MFLAG) is unset.",
                            "Group A: Error: System for mass balance (JMASS) is unset.",
                            "Group A: Error: Negative solution option (NEGSLN) is unset.",
                            "Group A: Error: Time step option (INTYP) is unset.",
                            "Group A: Warning: Advection factor (ADFAC) is 0.0.",
                            "Group A: Warning: Simulation start date is uninitialized.",
                            "Group A: Error: Transport file generation flag (TFLG) is unset",
                            "Group A: Error: No timesteps defined for simulation.",
                            "Group A: Error: No print intervals defined.",
                            "Group A: Error: System bypass options are undefined.",
                        }));
}

TEST_F(GroupACardTest, CompleteProjectHasNoFindings) {
  FillIn();
  EXPECT_TRUE(Findings().empty());
}

TEST_F(GroupACardTest, StartDateWarningNeedsAllThreeAtStart) {
  FillIn();
  doc.group_a.ZDAY = 1;
  doc.group_a.ZHR = 0;
  doc.group_a.ZMIN = 0;
  EXPECT_EQ(Findings(),
            std::vector<std::string>{"Group A: Warning: Simulation start date is uninitialized."});
  doc.group_a.ZMIN = 15;
  EXPECT_TRUE(Findings().empty());
}

TEST_F(GroupACardTest, OneEmptyTimeStepCountsAsNone) {
  FillIn();
  doc.group_a.time_steps.GetList() = {""};
  EXPECT_EQ(Findings(),
            std::vector<std::string>{"Group A: Error: No timesteps defined for simulation."});
}

}  // namespace
}  // namespace orvo
