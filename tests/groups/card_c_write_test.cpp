#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "groups/cards.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "support/card_writer_test.h"
#include "support/golden.h"
#include "support/network_builder.h"

namespace orvo {
namespace {

using testing::AddSegmentWithLabel;

// Records 1 and 2 of the project ThreeSegments builds.
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
  // The segment editor's OK.
  static void SetVolumes(COrvoBuilderCntrItem* segment, const char* bottom, const char* volume,
                         const char* vmult, const char* vexp, const char* dmult, const char* dxp) {
    segment->SetParameter(4, bottom);
    segment->SetParameter(9, volume);
    segment->SetParameter(8, vmult);
    segment->SetParameter(7, vexp);
    segment->SetParameter(5, dmult);
    segment->SetParameter(6, dxp);
  }

  // Two surface-water segments over an upper-bed segment.
  void ThreeSegments() {
    doc.group_c.IVOPT = 0;
    doc.group_c.IBEDV = 1;
    doc.group_c.TDINTS = 0.5;
    doc.group_c.title = "Volumes";
    doc.group_c.CONVV = 2;
    SetVolumes(AddSegmentWithLabel(doc, 100, 100, 0), "3", "1000", "0.2", "0.4", "0.3", "0.6");
    SetVolumes(AddSegmentWithLabel(doc, 200, 100, 0), "3", "250.5", "1", "2", "3", "4");
    SetVolumes(AddSegmentWithLabel(doc, 150, 200, 2), "0", "12", "0", "0", "0", "0");
  }

  std::string Write(const Variation* variation = nullptr, bool expect_ok = true) {
    DeckOut out(platform);
    EXPECT_EQ(group_c::WriteCard(doc, out, variation), expect_ok);
    return out.text();
  }

  std::vector<std::string> Findings() { return CardWriterTest::Findings(group_c::Check); }
};

TEST_F(GroupCCardTest, NewProjectAndUntypedSegment) {
  COrvoBuilderCntrItem* segment = doc.NewNode();
  segment->SetType(kSegmentNode);
  doc.AddSegment(*segment);
  orvo::testing::ExpectText(Write());
}

TEST_F(GroupCCardTest, SegmentIdsInOrderAndGapsSkipped) {
  ThreeSegments();
  // Segment 2 takes ID 1 as well: no node holds 2, and of the two with ID 1 the later wins.
  doc.GetSegmentNode(2)->SetParameter(2, "1");
  EXPECT_EQ(Write(), kHead +
                         "         1         3         1     250.5       1.0       2.0       3.0"
                         "       4.0\n" +
                         kLine3);
}

TEST_F(GroupCCardTest, VariationChangesOneQuantityOfTheTargets) {
  ThreeSegments();
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

TEST_F(GroupCCardTest, IntegerTooWideFails) {
  ThreeSegments();
  doc.GetSegmentNode(1)->SetParameter(4, "-2000000000");
  Write(nullptr, false);
  EXPECT_EQ(platform.messages,
            std::vector<std::string>{"IBOTSEG -2000000000 does not fit its 10-column field."});
}

TEST_F(GroupCCardTest, Findings) {
  EXPECT_EQ(Findings(), (std::vector<std::string>{
                            "Group C: Error: Water column volume option is unset (IVOPT).",
                            "Group C: Warning: Benthic time step is unset (TDINTS).",
                            "Group C: Warning: Title is unset (TITLE).",
                        }));
  doc.group_c.IBEDV = -1;
  doc.group_c.SCALV = 0;
  doc.group_c.CONVV = 0;
  doc.group_c.TDINTS = -1;
  EXPECT_EQ(Findings(), (std::vector<std::string>{
                            "Group C: Error: Water column volume option is unset (IVOPT).",
                            "Group C: Error: Benthic volume option is unset (IBEDV).",
                            "Group C: Warning: Benthic time step is unset (TDINTS).",
                            "Group C: Warning: Title is unset (TITLE).",
                            "Group C: Warning: Scale factor is zero (SCALV).",
                            "Group C: Warning: Conversion factor is zero (CONVV).",
                        }));
  ThreeSegments();
  doc.group_c.SCALV = -1;  // only exactly zero is reported
  doc.group_c.CONVV = -1;
  EXPECT_TRUE(Findings().empty());
}

TEST_F(GroupCCardTest, NodeCheck) {
  COrvoBuilderCntrItem* segment = AddSegmentWithLabel(doc, 100, 100);
  COrvoBuilderCntrItem* exchange = doc.AddExchange(segment, segment, kOutflow);
  EXPECT_EQ(group_c::NodeCheck(doc, *exchange), "Wrong Segment Type");

  segment->SetParameter(9, "0");
  EXPECT_EQ(group_c::NodeCheck(doc, *segment), "Need DMULT") << "the first missing one only";
  segment->SetParameter(5, "1");
  EXPECT_EQ(group_c::NodeCheck(doc, *segment), "Need DXP");
  segment->SetParameter(6, "1");
  EXPECT_EQ(group_c::NodeCheck(doc, *segment), "Need VEXP");
  segment->SetParameter(7, "1");
  EXPECT_EQ(group_c::NodeCheck(doc, *segment), "Need VMULT");
  segment->SetParameter(8, "1");
  EXPECT_EQ(group_c::NodeCheck(doc, *segment), "Need VOLUME");
  segment->SetParameter(9, "-3");
  EXPECT_EQ(group_c::NodeCheck(doc, *segment), "OK");
}

}  // namespace
}  // namespace orvo
