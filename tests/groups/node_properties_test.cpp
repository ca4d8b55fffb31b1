#include "groups/node_properties.h"

#include <gtest/gtest.h>

#include "groups/node_editing.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "support/small_project.h"

namespace orvo {
namespace {

namespace np = node_properties;

class NodePropertiesTest : public ::testing::Test {
 protected:
  NodePropertiesTest() {
    testing::BuildSmallProject(doc);
    doc.ClearHistory();
    doc.SetModifiedFlag(false);
  }
  COrvoBuilderCntrItem& Segment(int id) { return *doc.GetSegmentNode(id); }
  COrvoBuilderCntrItem& Exchange() {
    for (const auto& node : doc.nodes()) {
      if (node->is_exchange()) return *node;
    }
    throw std::logic_error("no exchange");
  }
  std::string Value(const std::vector<np::Property>& properties, const std::string& key) {
    for (const np::Property& p : properties) {
      if (p.key == key) return p.mixed ? "<mixed>" : p.value;
    }
    return "<none>";
  }

  ScriptedPlatform platform;
  COrvoBuilderDoc doc{platform};
};

TEST_F(NodePropertiesTest, VolumeEditIsOneUndoStep) {
  const int number = Segment(1).number();
  const np::Outcome outcome = np::SetProperty(doc, {number}, "C:BVOL", "2.50e3");
  EXPECT_TRUE(outcome.changed);
  EXPECT_EQ(outcome.message, "");
  EXPECT_EQ(Segment(1).GetParameter(9), "2500");
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.UndoLabel(), "Edit Volume (BVOL)");
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(Segment(1).GetParameter(9), "0");
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(NodePropertiesTest, TextThatIsNoNumberIsRefused) {
  const int number = Segment(1).number();
  const np::Outcome outcome = np::SetProperty(doc, {number}, "C:BVOL", "abc");
  EXPECT_FALSE(outcome.changed);
  EXPECT_EQ(outcome.message, "\xE2\x80\x9CVolume (BVOL)\xE2\x80\x9D must be a number.");
  EXPECT_EQ(np::SetProperty(doc, {number}, "E:0", "1 x").message,
            "\xE2\x80\x9C"
            "Chemical 1, Boundary Concentration Time Functions\xE2\x80\x9D must be numbers "
            "separated by blanks.");
  EXPECT_EQ(np::SetProperty(doc, {number}, "C:IBOTSEG", "7").message,
            "The bottom segment ID (IBOTSEG) must be 0 or a segment ID from 1 to 3.");
  // Group E functions keep the system's break count.
  EXPECT_EQ(np::SetProperty(doc, {number}, "E:0", "1 0").message, node_editing::kBreakCountFixed);
  // The same value again is no change.
  EXPECT_FALSE(np::SetProperty(doc, {number}, "C:BVOL", "0.0").changed);
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(NodePropertiesTest, ExchangeEntryEditIsOneUndoStep) {
  const std::vector<np::Property> properties = np::NodeProperties(doc, Exchange());
  EXPECT_EQ(Value(properties, "B:0:0:0"), "150");
  EXPECT_EQ(Value(properties, "B:0:0:1"), "400");
  EXPECT_EQ(Value(properties, "D:0:1"), "1");
  EXPECT_EQ(Value(properties, "X:up"), "1");
  const std::string before = Exchange().GetParameter(7);
  EXPECT_TRUE(np::SetProperty(doc, {Exchange().number()}, "B:0:0:1", "425.0").changed);
  EXPECT_EQ(Value(np::NodeProperties(doc, Exchange()), "B:0:0:1"), "425");
  EXPECT_EQ(Value(np::NodeProperties(doc, Exchange()), "B:0:0:0"), "150");
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(Exchange().GetParameter(7), before);
  EXPECT_EQ(np::SetProperty(doc, {Exchange().number()}, "X:down", "9").message,
            "An exchange end must be 0 (outside the model) or a segment ID from 1 to 3.");
}

TEST_F(NodePropertiesTest, SeveralNodesShareWhatTheyAllHave) {
  const std::vector<int> both = {Segment(1).number(), Segment(2).number()};
  std::vector<np::Property> common = np::CommonProperties(doc, both);
  EXPECT_EQ(Value(common, "id"), "<none>");
  EXPECT_EQ(Value(common, "C:BVOL"), "0");
  EXPECT_EQ(Value(common, "E:0"), "<mixed>");
  EXPECT_TRUE(np::SetProperty(doc, both, "C:VMULT", "0.25").changed);
  EXPECT_EQ(Segment(1).GetParameter(8), "0.25");
  EXPECT_EQ(Segment(2).GetParameter(8), "0.25");
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(Segment(1).GetParameter(8), "0");
  EXPECT_EQ(Segment(2).GetParameter(8), "0");
  EXPECT_FALSE(doc.CanUndo());
  // A segment and an exchange have nothing in common.
  EXPECT_TRUE(np::CommonProperties(doc, {Segment(1).number(), Exchange().number()}).empty());
}

TEST(NodePropertiesChoiceTest, ChoicesAreTypedByNameOrNumber) {
  const std::vector<std::string> types(node_editing::kSegmentTypeNames.begin(),
                                       node_editing::kSegmentTypeNames.end());
  EXPECT_EQ(np::ChoicePosition(types, " upper BED "), 2);
  EXPECT_EQ(np::ChoicePosition(types, "3"), 2);
  EXPECT_EQ(np::ChoicePosition(types, "(1) Surface water"), 0);
  EXPECT_EQ(np::ChoicePosition(types, "0"), -1);
  EXPECT_EQ(np::ChoicePosition(types, "bed"), -1);
  const std::vector<std::string> fields = {"Surface Water", "Pore Water", "No exchange data here"};
  EXPECT_EQ(np::ChoicePosition(fields, "1"), 1);
  EXPECT_EQ(np::ChoicePosition(fields, "pore water"), 1);
  EXPECT_EQ(np::ChoicePosition(fields, "3"), -1);
}

TEST_F(NodePropertiesTest, GroupJValuesAskBeforeTheyAreKept) {
  const int number = Segment(2).number();
  const std::string key = np::GroupJKey(0, false);
  EXPECT_FALSE(
      np::SetProperty(doc, {number}, key, "12", [](bool, double) { return false; }).changed);
  int asked = 0;
  EXPECT_TRUE(np::SetProperty(doc, {number}, key, "12", [&asked](bool dissolved, double value) {
                ++asked;
                return !dissolved && value == 12;
              }).changed);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(np::PropertyText(doc, Segment(2), key), "12");
  EXPECT_EQ(np::PropertyText(doc, Segment(1), key), "0.0");
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(np::PropertyText(doc, Segment(2), key), "0.0");
}

}  // namespace
}  // namespace orvo
