// The group editors' option lists, number lists, the C, G and I editors' undo step and group H's
// buttons; the other editors' forms are scripts in tests/data/groups/group_editing.txt.
#include "groups/group_editing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/model_vocabulary.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "support/document_test.h"
#include "support/network_builder.h"

namespace orvo {
namespace {

using namespace editing;
using testing::AddSegmentWithLabel;

class GroupEditingTest : public testing::DocumentTest {
 protected:
  void SetUp() override {
    for (int i = 0; i < 3; ++i) AddSegmentWithLabel(doc, 100 * (i + 1), 100);
  }
};

TEST(OptionListTest, AStoredValueTheListCannotShowSurvivesOk) {
  EXPECT_EQ(OptionIndex(1, 2), 1);
  EXPECT_EQ(OptionIndex(2, 2), -1);  // a deck's IVOPT 3
  EXPECT_EQ(OptionIndex(-1, 2), -1);
  EXPECT_EQ(OptionStored(2, -1, 2), 2);
  EXPECT_EQ(OptionStored(2, 0, 2), 0);
  EXPECT_EQ(OptionStored(-1, -1, 2), -1);
  EXPECT_EQ(NormaliseNumberList("1.50, 2e1\n.5\t7"), "1.5 20 0.5 7");
}

TEST_F(GroupEditingTest, OkIsOneUndoStepCancelIsNone) {
  GroupCDlg c = doc.group_c;
  c.IVOPT = 2;  // a deck's IVOPT 3
  c.IVOPT = OptionStored(c.IVOPT, OptionIndex(c.IVOPT, 2), 2);
  AcceptGroupC(doc, c);
  EXPECT_EQ(doc.group_c.IVOPT, 2);

  doc.group_g.SetSlotCountFromType(kFenu5);
  doc.group_i.SetSlotCountFromType(kFenu5);
  GroupGDlg g = doc.group_g;
  EXPECT_EQ(SetGroupGCell(g, 3, 1, "LONGNAME"), "LONGN");
  EXPECT_EQ(SetGroupGCell(g, 3, 2, "0.50"), "0.5");
  GroupIDlg i = doc.group_i;
  EXPECT_EQ(SetGroupICell(i, 0, 1, "TEMPERATURES"), "TEMPERATUR");
  EXPECT_EQ(SetGroupICell(i, 0, 2, "20,0 25\t30"), "20 0 25 30");
  EXPECT_EQ(doc.group_g.names[3], "");  // the forms are copies
  AcceptGroupG(doc, g);
  AcceptGroupI(doc, i);
  EXPECT_EQ(doc.group_g.values[3], 0.5);
  EXPECT_EQ(doc.group_i.functions[0], "20 0 25 30");
  EXPECT_EQ(doc.UndoLabel(), "Edit Group I");
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(doc.group_i.functions[0], "");
  EXPECT_EQ(doc.group_g.names[3], "LONGN");
}

TEST(GroupHEditingTest, ButtonsAskForWhatIsNotSelected) {
  GroupHDlg group;
  EXPECT_EQ(NewField(group, -1).message, "Please select a system to add the new field under.");
  EXPECT_EQ(NewConstant(group, -1, 0).message,
            "Please select a system and field to add the new constant under.");
  EXPECT_EQ(NewConstant(group, 0, -1).message,
            "Please select a field to add the new constant under.");
  EXPECT_EQ(DeleteField(group, -1, 0).message,
            "Please select the system that has the field to delete.");
  EXPECT_EQ(DeleteField(group, 0, -1).message, "Please select a field to delete.");
  EXPECT_EQ(DeleteConstant(group, -1, 0, 0).message,
            "Please select the system that has the field to delete.");
  EXPECT_EQ(DeleteConstant(group, 0, -1, 0).message,
            "Please select a field with constants to delete.");

  EXPECT_EQ(NewField(group, 0).selection, 0);
  EXPECT_EQ(NewField(group, 0).selection, 1);
  EXPECT_EQ(NewConstant(group, 0, 1).selection, 1);
  EXPECT_EQ(DeleteConstant(group, 0, 1, -1).message, "Please select a constant to delete.");
  SetFieldName(group, 0, 1, "Rates");
  EXPECT_EQ(SetConstantCell(group, 0, 1, 1, 1, "12.7"), "12");
  EXPECT_EQ(SetConstantCell(group, 0, 1, 1, 2, "0.50"), "0.5");
  EXPECT_EQ(FieldNames(group, 0), (std::vector<std::string>{"New Field", "Rates"}));
  EXPECT_EQ(Constants(group, 0, 1), (std::vector<std::array<std::string, 3>>{
                                        {"<NEW>", "<NEW>", "<NEW>"}, {"<NEW>", "12", "0.5"}}));
  EXPECT_EQ(DeleteConstant(group, 0, 1, 1).selection, 0);
  EXPECT_EQ(DeleteField(group, 0, 0).selection, 0);
  EXPECT_EQ(FieldNames(group, 0), std::vector<std::string>{"Rates"});
  EXPECT_EQ(DeleteField(group, 0, 0).selection, -1);
}

}  // namespace
}  // namespace orvo
