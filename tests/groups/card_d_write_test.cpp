#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "groups/cards.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "model/string_array.h"
#include "support/card_writer_test.h"
#include "support/golden.h"
#include "support/node_records.h"

namespace orvo {
namespace {

using testing::AddLabel;

using testing::Portions;

class GroupDCardTest : public testing::CardWriterTest {
 protected:
  void SetUp() override {
    CardWriterTest::SetUp();
    DrawSegments(3);
  }

  // The exchange editor's OK.
  COrvoBuilderCntrItem* Exchange(int up, int down,
                                 const std::vector<std::vector<std::string>>& portions) {
    COrvoBuilderCntrItem* node = DrawExchange(up, down);
    node->SetParameter(8, Portions(portions));
    return node;
  }

  // Field 1 with two functions, carried by four exchanges, and a short bypass list.
  void FieldOne() {
    doc.group_a.NOSYS = 2;
    doc.group_d.flow_option = 0;
    doc.group_d.bypass.Parse("1", false);
    doc.group_d.fields[0].GetList() = {"1", "2", "m^3/sec", "10 0 20 5", "3 0"};
    Exchange(0, 1, {{"1", "0.25"}});
    AddLabel(doc, "not an exchange");
    Exchange(1, 2, {{"0.5", ""}});
    Exchange(2, 3, {{"", "0"}});
    Exchange(3, 0, {{"0", "0"}});
  }

  std::string Write(const Variation* variation = nullptr, bool expect_ok = true) {
    DeckOut out(platform);
    EXPECT_EQ(group_d::WriteCard(doc, out, variation), expect_ok);
    return out.text();
  }

  std::vector<std::string> Findings() { return CardWriterTest::Findings(group_d::Check); }
};

TEST_F(GroupDCardTest, FieldOne) {
  FieldOne();
  orvo::testing::ExpectText(Write());
}

TEST_F(GroupDCardTest, NewProjectStillWritesTheBypassRecord) {
  doc.group_a.NOSYS = 3;
  EXPECT_EQ(Write(),
            "    0    0\n"
            "    0    0    0\n");
}

TEST_F(GroupDCardTest, FieldsBeforeTheLastDefinedOne) {
  doc.group_d.flow_option = 1;
  doc.group_d.fields[1].GetList() = {"0", "0", "m^3/s"};  // defined, no function
  doc.group_d.fields[2].GetList() = {"1", "1", "m^3/sec", "0 0"};
  orvo::testing::ExpectText(Write());
}

TEST_F(GroupDCardTest, HydrodynamicFileReplacesFieldOne) {
  doc.group_d.flow_option = 2;
  doc.group_d.hydrodynamic_file = "flows.hyd";
  doc.group_d.fields[0].GetList() = {"1", "1", "m^3/sec", "5 0"};
  doc.group_d.fields[1].GetList() = {"2", "1", "m^3/sec", "1 0"};
  Exchange(1, 2, {{"1"}, {"0.5"}});
  orvo::testing::ExpectText(Write());
}

TEST_F(GroupDCardTest, FourExchangesToALine) {
  doc.group_d.flow_option = 0;
  doc.group_d.fields[0].GetList() = {"1", "1", "m^3/s", "1 0"};
  Exchange(0, 1, {{"1"}});
  Exchange(1, 2, {{"2"}});
  Exchange(2, 3, {{"3"}});
  Exchange(3, 0, {{"4"}});
  Exchange(2, 1, {{"5"}});
  const std::string four =
      "       1.0    0    1       2.0    1    2       3.0    2    3       4.0    3    0\n";
  EXPECT_EQ(four.size(), 81u);
  EXPECT_EQ(Write(),
            "    1    1\n"
            "    1       1.0       1.0\t\t(water column field)\n"
            "    5\n" +
                four +
                "       5.0    2    1\n"
                "    1\n"
                "       1.0       0.0\n"
                "\n");
}

TEST_F(GroupDCardTest, VariationChangesTheFlowsOfChosenFunctions) {
  FieldOne();
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

TEST_F(GroupDCardTest, OddFunctionFails) {
  doc.group_d.fields[0].GetList() = {"1", "1", "m^3/s", "1 0 2"};
  orvo::testing::ExpectText(Write(nullptr, false));
}

TEST_F(GroupDCardTest, SegmentIdTooWideFails) {
  doc.group_d.fields[0].GetList() = {"1", "1", "m^3/s", "1 0"};
  Exchange(1, 2, {{"1"}})->SetParameter(3, "100000");
  Write(nullptr, false);
  EXPECT_EQ(platform.messages,
            std::vector<std::string>{
                "The downstream segment ID 100000 does not fit its 5-column field."});
}

TEST_F(GroupDCardTest, Findings) {
  EXPECT_EQ(Findings(), (std::vector<std::string>{
                            "Group D: Error: Flow option unset (IQOPT).",
                            "Group D: Warning: No flows in project (NFIELD).",
                        }));
  FieldOne();
  EXPECT_TRUE(Findings().empty());
}

TEST_F(GroupDCardTest, NodeCheck) {
  EXPECT_EQ(group_d::NodeCheck(doc, *doc.GetSegmentNode(1)), "Wrong Segment Type");
  COrvoBuilderCntrItem* exchange = Exchange(1, 2, {{"0"}, {"0.5", ""}});
  EXPECT_EQ(group_d::NodeCheck(doc, *exchange), "OK") << "no field has a function";

  doc.group_d.fields[1].GetList() = {"1", "1", "m^3/s", "1 0", "2 0"};
  EXPECT_EQ(group_d::NodeCheck(doc, *exchange), "No flow given for field 1, time 1");
  exchange->SetParameter(8, Portions({{"0"}, {"0.5", "x"}}));
  EXPECT_EQ(group_d::NodeCheck(doc, *exchange), "No flow given for field 1, time 1");
  exchange->SetParameter(8, Portions({{"0"}, {"0.5", "0.1"}}));
  EXPECT_EQ(group_d::NodeCheck(doc, *exchange), "OK") << "field 0 has no function";

  doc.group_d.fields[0].GetList() = {"1", "1", "m^3/s", "1 0"};
  EXPECT_EQ(group_d::NodeCheck(doc, *exchange), "No flow given for field 0, time 0");
}

}  // namespace
}  // namespace orvo
