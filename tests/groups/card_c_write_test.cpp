// Card C's variations; the card as projects hold it is in tests/data/projects/write_c_*.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "groups/cards.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "support/card_writer_test.h"

namespace orvo {
namespace {

// Records 1 and 2 of the project, then its three segment lines.
const std::string kHead =
    "    1    1       0.5Volumes\n"
    "       1.0       2.0\n";
const std::string kLine1 =
    "         1         3         1    1000.0       0.2       0.4       0.3       0.6\n";
const std::string kLine2 =
    "         2         3         1     250.5       1.0       2.0       3.0       4.0\n";
const std::string kLine3 =
    "         3         0         3      12.0       0.0       0.0       0.0       0.0\n";

class GroupCCardTest : public testing::CardWriterTest {
 protected:
  std::string Write(const Variation* variation = nullptr) {
    DeckOut out(platform);
    EXPECT_TRUE(group_c::WriteCard(doc, out, variation));
    return out.text();
  }
};

TEST_F(GroupCCardTest, VariationChangesOneQuantityOfTheTargets) {
  LoadCase("write_c_two_surface_segments_over_a_bed_segment");
  std::string note = "VOLUME";
  Variation volume;
  volume.targets = {2, 3, 99};
  volume.quantity = 0;
  volume.amount = 10;
  volume.additive = true;
  volume.note = &note;
  EXPECT_EQ(Write(&volume), kHead + kLine1 +
                                "         2         3         1     260.5       1.0       2.0"
                                "       3.0       4.0\n"
                                "         3         0         3      22.0       0.0       0.0"
                                "       0.0       0.0\n");
  EXPECT_EQ(note, "VOLUME +/- 10");

  Variation dxp = volume;
  dxp.targets = {1};
  dxp.quantity = 4;
  dxp.additive = false;
  dxp.percent = true;
  dxp.amount = 50;
  note = "DXP";
  EXPECT_EQ(Write(&dxp), kHead +
                             "         1         3         1    1000.0       0.2       0.4"
                             "       0.3       0.3\n" +
                             kLine2 + kLine3);
  EXPECT_EQ(note, "DXP 50%");

  Variation vmult = dxp;
  vmult.quantity = 1;
  vmult.percent = false;
  vmult.amount = 7;
  vmult.note = nullptr;
  EXPECT_EQ(Write(&vmult), kHead +
                               "         1         3         1    1000.0       7.0       0.4"
                               "       0.3       0.6\n" +
                               kLine2 + kLine3);

  Variation other = vmult;
  other.quantity = 5;
  EXPECT_EQ(Write(&other), Write());
  EXPECT_EQ(doc.GetSegmentNode(2)->GetParameter(9), "250.5");
}

}  // namespace
}  // namespace orvo
