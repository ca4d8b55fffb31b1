#include "groups/group_editing.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "model/model_vocabulary.h"
#include "model/number_text.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "model/string_array.h"
#include "support/document_test.h"
#include "support/network_builder.h"

namespace orvo {
namespace {

using namespace editing;
using testing::AddSegmentWithLabel;

std::string Pairs(const std::vector<std::pair<std::string, std::string>>& pairs) {
  std::vector<std::string> entries;
  for (const auto& [a, b] : pairs) entries.push_back(StringArray{a, b}.ToString());
  return StringArray(std::move(entries)).ToString();
}

// Entries of parameter `index` taken apart one level, then each entry joined by blanks.
std::vector<std::string> Nested(const COrvoBuilderCntrItem& node, int index) {
  std::vector<std::string> out;
  const StringArray entries(node.GetParameter(index));
  for (const std::string& entry : entries.GetList()) out.push_back(StringArray(entry).Join(' '));
  return out;
}

class GroupEditingTest : public testing::DocumentTest {
 protected:
  void SetUp() override {
    for (int i = 0; i < 3; ++i) AddSegmentWithLabel(doc, 100 * (i + 1), 100);
  }
  COrvoBuilderCntrItem* Exchange(int up, int down) {
    return doc.AddExchange(doc.GetSegmentNode(up), doc.GetSegmentNode(down), kInterface);
  }
};

TEST(OptionListTest, AStoredValueTheListCannotShowSurvivesOk) {
  EXPECT_EQ(OptionIndex(1, 2), 1);
  EXPECT_EQ(OptionIndex(2, 2), -1);  // a deck's IVOPT 3
  EXPECT_EQ(OptionIndex(-1, 2), -1);
  EXPECT_EQ(OptionStored(2, -1, 2), 2);
  EXPECT_EQ(OptionStored(2, 0, 2), 0);
  EXPECT_EQ(OptionStored(-1, -1, 2), -1);
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

TEST_F(GroupEditingTest, GroupANosysFollowsTypeAndBypassFollowsNosys) {
  GroupAForm form = OpenGroupA(doc);
  EXPECT_EQ(form.values.JMASS, 0);  // unset shows as "None"
  form.sysby_text = "0 1 0 1 0 1 0 1";
  ChooseSimulationType(form, kKobal5);
  EXPECT_EQ(form.values.NOSYS, 7);
  EXPECT_EQ(form.sysby_text, "0 1 0 1 0 1 0");

  ChooseSimulationType(form, kVerda5);
  form.sysby_text = "0,0 0\t0 0 0";
  LeaveNOSYS(form, 6);
  EXPECT_EQ(form.sysby_text, "0 0 0 0 0 0");
  LeaveNOSYS(form, 8);
  EXPECT_EQ(form.sysby_text, "0 0 0 0 0 0 1 1");
  LeaveNOSYS(form, 9);
  EXPECT_EQ(form.values.NOSYS, 8);

  // Without a type the most any type has is the cap.
  form.values.SIMTYP = kSimUnset;
  LeaveNOSYS(form, 12);
  EXPECT_EQ(form.values.NOSYS, 8);
  LeaveNOSYS(form, -4);
  EXPECT_EQ(form.values.NOSYS, 0);
  EXPECT_EQ(form.sysby_text, "");

  EXPECT_EQ(NormaliseNumberList("1.50, 2e1\n.5\t7"), "1.5 20 0.5 7");
}

TEST_F(GroupEditingTest, GroupAOkIsOneStepAndBringsTheOtherGroupsAlong) {
  doc.group_d.bypass.Parse("1 0 1", false);
  doc.group_h.blocks[0].GetList() = {"Mine", ""};
  GroupAForm form = OpenGroupA(doc);
  ChooseSimulationType(form, kFenu5);
  form.values.NOSEG = 99;  // the network's count wins
  form.time_steps_text = "0.1 10";
  AcceptGroupA(doc, form);

  EXPECT_EQ(doc.group_a.NOSYS, 6);
  EXPECT_EQ(doc.group_a.NOSEG, 3);
  EXPECT_EQ(doc.group_a.SYSBY.Join(' '), "1 1 1 1 1 1");
  EXPECT_EQ(doc.group_a.time_steps.size(), 2u);
  EXPECT_EQ(doc.group_d.bypass.Join(' '), "1 0 1 0 0 0");
  EXPECT_EQ(doc.group_e.systems[5].Join('|'), "1.0|1.0|mg/L|Group E system #6");
  EXPECT_TRUE(doc.group_e.systems[6].empty());
  EXPECT_FALSE(doc.group_f.SlotEmpty(5));
  EXPECT_EQ(doc.group_h.blocks[0].At(0), "Globals");
  EXPECT_EQ(doc.group_h.blocks[1].At(0), vocabulary::SystemName(kFenu5, 1));
  EXPECT_EQ(doc.group_j.RowCount(5), 3);
  EXPECT_TRUE(doc.IsModified());

  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(doc.group_a.NOSYS, 0);
  EXPECT_EQ(doc.group_d.bypass.Join(' '), "1 0 1");
  EXPECT_TRUE(doc.group_e.systems[0].empty());
  EXPECT_TRUE(doc.group_f.SlotEmpty(5));
  EXPECT_EQ(doc.group_h.blocks[0].At(0), "Mine");

  // Once every slot holds its defaults, a new title changes group A alone.
  ASSERT_TRUE(doc.Redo());
  form = OpenGroupA(doc);
  form.values.TITLE1 = "Renamed";
  AcceptGroupA(doc, form);
  EXPECT_EQ(doc.group_j.RowCount(5), 3);
  ASSERT_TRUE(doc.Undo());
  EXPECT_NE(doc.group_a.TITLE1, "Renamed");
  EXPECT_EQ(doc.group_j.RowCount(5), 3);
}

TEST_F(GroupEditingTest, GroupBDeletedFunctionTakesOnlyItsOwnEntries) {
  doc.group_b.surface_functions.GetList() = {"1 0", "2 0", "3 0"};
  doc.SetExchangeFunctionCount(0, 3);
  COrvoBuilderCntrItem* exchanges[2] = {Exchange(1, 2), Exchange(2, 3)};
  COrvoBuilderCntrItem* pore = Exchange(1, 3);
  for (int i = 0; i < 2; ++i) {
    const std::string n = IntText(i);
    exchanges[i]->SetParameter(4, "0");
    exchanges[i]->SetParameter(7, Pairs({{"1" + n, "1"}, {"2" + n, "2"}, {"3" + n, "3"}}));
  }
  pore->SetParameter(4, "1");

  GroupBForm form = OpenGroupB(doc);
  EXPECT_EQ(DeleteExchangeFunction(form, 0, 1).selection, 1);
  AcceptGroupB(doc, form);
  EXPECT_EQ(doc.group_b.surface_functions.Join('|'), "1 0|3 0");
  EXPECT_EQ(Nested(*exchanges[0], 7), (std::vector<std::string>{"10 1", "30 3"}));
  EXPECT_EQ(Nested(*exchanges[1], 7), (std::vector<std::string>{"11 1", "31 3"}));
  EXPECT_EQ(exchanges[0]->GetParameter(5), "2");
  EXPECT_EQ(pore->GetParameter(5), "2");

  // Deleting the last function lowers the count: every exchange loses its last entry.
  form = OpenGroupB(doc);
  EXPECT_EQ(DeleteExchangeFunction(form, 0, 1).selection, 0);
  EXPECT_EQ(NewExchangeFunction(form, 1), 0);
  AcceptGroupB(doc, form);
  EXPECT_EQ(Nested(*exchanges[0], 7), (std::vector<std::string>{"10 1"}));
  EXPECT_EQ(Nested(*exchanges[1], 7), (std::vector<std::string>{"11 1"}));
  EXPECT_EQ(doc.group_b.pore_functions.Join('|'), "0.0 0.0");
  EXPECT_EQ(pore->GetParameter(6), "1");

  form = OpenGroupB(doc);
  EXPECT_EQ(DeleteExchangeFunction(form, 0, -1).message,
            "Please select an exchange data group to delete.");
  EXPECT_EQ(EditExchangeFunctionNeed(form, 1, 3).message,
            "Please select an exchange data group to edit.");
  SetExchangeFunctionText(form, 0, 0, "5,0\n6\t1");
  EXPECT_EQ(form.rows[0][0].text, "5 0 6 1");
}

TEST_F(GroupEditingTest, GroupDPortionsStayWithTheirFunctions) {
  doc.group_d.fields[0].GetList() = {"1", "1", "m^3/sec", "1 0", "2 0"};
  COrvoBuilderCntrItem* exchange = Exchange(1, 2);
  exchange->SetParameter(
      8, StringArray{StringArray{"0.5", "0.25"}.ToString(), "", "", "", "", ""}.ToString());
  GroupDForm form = OpenGroupD(doc);
  EXPECT_EQ(NewFlowFunction(form, 0, 1), 1);  // in front of the second function
  EXPECT_EQ(DeleteFlowFunction(form, 0, 0).selection, 0);
  EXPECT_EQ(NewFlowFunction(form, 2, -1), 0);  // an undefined field is created
  // Nothing selected: nothing happens, or the selection is asked for.
  EXPECT_EQ(NewFlowFunction(form, -1, 0), -1);
  EXPECT_EQ(DeleteFlowFunction(form, -1, 0).message, "");
  EXPECT_EQ(DeleteFlowFunction(form, 1, 0).message, "");
  EXPECT_EQ(DeleteFlowFunction(form, 0, -1).message,
            "Please select an exchange data group to delete.");
  EXPECT_EQ(EditFlowFunctionNeed(form, -1, 0).message,
            "Please select a time function group to edit.");
  EXPECT_EQ(EditFlowFunctionNeed(form, 1, 0).selection, -1);
  AcceptGroupD(doc, form);

  EXPECT_EQ(doc.group_d.fields[0].Join('|'), "1|1|m^3/sec|0.0 0.0|2 0");
  EXPECT_EQ(doc.group_d.fields[2].Join('|'), "1.0|1.0|m^3/sec|0.0 0.0");
  const StringArray record(exchange->GetParameter(8));
  EXPECT_EQ(StringArray(record.At(0)).GetList(), (std::vector<std::string>{"", "0.25"}));
  EXPECT_EQ(StringArray(record.At(2)).GetList(), (std::vector<std::string>{""}));

  // Clearing a cell of a field without functions undefines it.
  form = OpenGroupD(doc);
  EXPECT_EQ(SetFlowFieldCell(form, 4, 1, "2.50"),
            (std::array<std::string, 3>{"2.5", "0.0", "m^3/sec"}));
  EXPECT_EQ(SetFlowFieldCell(form, 1, 1, ""), (std::array<std::string, 3>{}));
  EXPECT_TRUE(form.values.fields[1].empty());
}

TEST_F(GroupEditingTest, GroupELoweredBreakCountTrimsFromTheStartAfterOk) {
  doc.group_a.NOSYS = 1;
  for (int id = 1; id <= 3; ++id) {
    const std::string n = IntText(id);
    const StringArray function{"1", n, "2", n, "3", n};
    doc.GetSegmentNode(id)->SetParameter(10,
                                         StringArray{StringArray(function).ToString()}.ToString());
  }
  GroupEForm form = OpenGroupE(doc);
  EXPECT_EQ(form.breaks, std::vector<int>{3});
  EXPECT_EQ(SetGroupECell(form, 0, 4, "1.0"), "1");
  EXPECT_EQ(SetGroupECell(form, 0, 1, "2.50"), "2.5");

  platform.answers = {false};
  AcceptGroupE(doc, form);
  const std::string question =
      "? Warning: system 0 has fewer breaks in its time function.  Time function data will be "
      "removed from the start of the list.  Is this okay?";
  ASSERT_EQ(platform.messages, std::vector<std::string>{question});
  EXPECT_EQ(StringArray(StringArray(doc.GetSegmentNode(2)->GetParameter(10)).At(0)).Join(' '),
            "1 2 2 2 3 2");
  EXPECT_EQ(doc.group_e.systems[0].At(0), "2.5");

  platform.answers = {true};
  AcceptGroupE(doc, form);
  for (int id = 1; id <= 3; ++id) {
    const std::string n = IntText(id);
    EXPECT_EQ(StringArray(StringArray(doc.GetSegmentNode(id)->GetParameter(10)).At(0)).Join(' '),
              "3 " + n);
  }
}

TEST_F(GroupEditingTest, GroupFLoadTypedInTheLowerGridReachesTheSegment) {
  doc.group_a.NOSYS = 2;
  GroupFForm form = OpenGroupF(doc);
  EXPECT_EQ(SetGroupFCell(form, 1, 1, "3"), "3");
  EXPECT_EQ(SetLoadFunction(form, 1, 2, "5, 0 6\t10"), "5 0 6 10");
  EXPECT_EQ(LoadRows(doc, form, 1), (std::vector<std::string>{"", "5 0 6 10", ""}));
  EXPECT_TRUE(StringArray(doc.GetSegmentNode(2)->GetParameter(11)).empty());  // not before OK

  AcceptGroupF(doc, form);
  const StringArray record(doc.GetSegmentNode(2)->GetParameter(11));
  EXPECT_EQ(record.size(), 8u);
  EXPECT_EQ(StringArray(record.At(1)).Join(' '), "5 0 6 10");
  const int position = doc.group_f.LookupLoad(1, 1);
  ASSERT_GE(position, 0);
  EXPECT_EQ(StringArray(doc.group_f.LoadRecord(1, position).At(1)).Join(' '), "5 0 6 10");
  EXPECT_EQ(doc.group_f.Entry(1, GroupFDlg::kScalw), "3");
  EXPECT_EQ(LoadRows(doc, OpenGroupF(doc), 1), (std::vector<std::string>{"", "5 0 6 10", ""}));
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

TEST_F(GroupEditingTest, GroupJCellsAreCutClampedAndRangeChecked) {
  doc.group_a.NOSYS = 1;
  GroupJDlg group = doc.group_j;
  group.ApplyDefaults(1, 3, kVerda5);
  EXPECT_EQ(SetGroupJSystemCell(group, 0, 2, "1"), "3");
  EXPECT_EQ(SetGroupJSystemCell(group, 0, 2, "9"), "5");
  EXPECT_EQ(SetGroupJSystemCell(group, 0, 2, "4"), "4");
  EXPECT_EQ(SetGroupJSystemCell(group, 0, 3, "1.50"), "1.5");
  EXPECT_EQ(SetGroupJSystemCell(group, 0, 1, std::string(45, 'x')), std::string(40, 'x'));
  EXPECT_EQ(group.Entry(0, GroupJDlg::kIfield), "4");
  EXPECT_EQ(SetGroupJSegmentCell(group, 0, 1, 1, "Upstream", nullptr), "Upstr");

  // The window passes the value-range questions; the platform's answer decides.
  const double c_min = 1.0;
  auto keep = [&](int column, double value) {
    return column != 2 || value >= c_min || platform.AskYesNo("below C minimum");
  };
  platform.answers = {false, true};
  EXPECT_EQ(SetGroupJSegmentCell(group, 0, 1, 2, "0.5", keep), std::nullopt);
  EXPECT_EQ(group.Row(0, 1).At(1), "0.0");
  EXPECT_EQ(SetGroupJSegmentCell(group, 0, 1, 2, "0.50", keep), "0.5");
  EXPECT_EQ(SetGroupJSegmentCell(group, 0, 1, 2, "2", keep), "2");
  EXPECT_EQ(platform.messages.size(), 2u);
  EXPECT_EQ(group.Row(0, 1).Join(' '), "Upstr 2 0.0");
  EXPECT_EQ(SetGroupJSegmentCell(group, 0, 7, 2, "2", keep), std::nullopt);

  AcceptGroupJ(doc, group);
  EXPECT_EQ(doc.group_j.Row(0, 1).Join(' '), "Upstr 2 0.0");
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(doc.group_j.Row(0, 1).Join(' '), "2 0.0 0.0");
}

}  // namespace
}  // namespace orvo
