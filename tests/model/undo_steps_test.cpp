// Steps that keep only what they touched, mixed with steps that keep the whole network:
// every undo and redo must give back the project file's exact bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "model/string_array.h"
#include "support/network_builder.h"

namespace orvo {
namespace {

class UndoStepsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    COrvoBuilderCntrItem::SetNodeNumberCounter(0);
    doc.group_a.NOSYS = 2;
    for (int i = 0; i < 3; ++i) testing::AddSegmentWithLabel(doc, 100 * (i + 1), 200);
    doc.AddExchange(doc.GetSegmentNode(1), doc.GetSegmentNode(2), kInterface);
    doc.SetModifiedFlag(false);
    states.push_back(Bytes());
  }

  std::string Bytes() {
    const int counter = COrvoBuilderCntrItem::NodeNumberCounter();
    COrvoBuilderCntrItem::SetNodeNumberCounter(1000);
    std::string bytes = doc.SaveToBytes();
    COrvoBuilderCntrItem::SetNodeNumberCounter(counter);
    return bytes;
  }

  // Runs a step and remembers the state after it.
  template <typename Change>
  void Step(const std::string& label, unsigned groups, Change change) {
    {
      ScopedStep step(doc, label, groups);
      change();
      doc.SetModifiedFlag();
    }
    states.push_back(Bytes());
  }

  // Undoes every step back to the start and redoes them all, checking each state.
  void WalkTheHistory() {
    for (size_t i = states.size() - 1; i > 0; --i) {
      ASSERT_TRUE(doc.Undo());
      EXPECT_EQ(Bytes(), states[i - 1]) << "after undoing to state " << i - 1;
    }
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.IsModified());
    for (size_t i = 1; i < states.size(); ++i) {
      ASSERT_TRUE(doc.Redo());
      EXPECT_EQ(Bytes(), states[i]) << "after redoing to state " << i;
    }
    EXPECT_TRUE(doc.IsModified());
  }

  ScriptedPlatform platform;
  COrvoBuilderDoc doc{platform};
  std::vector<std::string> states;
};

TEST_F(UndoStepsTest, MovesEditsAndDeletionsComeBackInAnyMix) {
  Step("Move", kNoGroups, [&] { doc.GetSegmentNode(2)->SetRect(500, 600, 532, 632); });
  Step("Edit Properties", kNoGroups, [&] {
    // A load typed into a segment also goes to group F's load list.
    COrvoBuilderCntrItem& segment = *doc.GetSegmentNode(3);
    segment.SetParameter(11, StringArray{"", "1.0 2.0 3.0 4.0"}.ToString());
    segment.SetParameter(9, "42.5");
  });
  Step("Delete", kAllGroups, [&] { doc.DeleteNode(doc.GetSegmentNode(1)); });
  Step("Nudge", kNoGroups, [&] {
    // Nodes brought back by undoing the deletion are new objects: found by number.
    for (const auto& node : doc.nodes())
      node->SetRect(node->left() + 3, node->top(), node->left() + 35, node->top() + 32);
  });
  Step("Edit Group C", kGroupC, [&] { doc.group_c.title = "Volumes"; });
  Step("Resize Window", kNoGroups, [&] { doc.extent_width = 777; });
  WalkTheHistory();
  // Once more: the deletion's nodes are new objects again.
  WalkTheHistory();
}

TEST_F(UndoStepsTest, AStepThatAddsNodesAfterChangingSomeKeepsTheStateBeforeBoth) {
  Step("Place", kNoGroups, [&] {
    doc.GetSegmentNode(1)->SetRect(10, 10, 42, 42);
    {
      ScopedStep inner(doc, "Title", kGroupA);
      doc.group_a.TITLE1 = "named by the nested step";
    }
    testing::AddSegmentWithLabel(doc, 900, 200);
  });
  EXPECT_EQ(doc.group_a.NOSEG, 4);
  WalkTheHistory();
}

TEST_F(UndoStepsTest, ANestedStepMayNameMoreGroups) {
  Step("Outer", kNoGroups, [&] {
    doc.GetSegmentNode(1)->SetRect(10, 10, 42, 42);
    ScopedStep inner(doc, "Inner", kGroupH);
    doc.group_h.title = "Constants";
  });
  EXPECT_EQ(doc.UndoLabel(), "Outer");
  WalkTheHistory();
}

TEST_F(UndoStepsTest, ChangingANodeBackDropsTheStep) {
  COrvoBuilderCntrItem& segment = *doc.GetSegmentNode(1);
  const int left = segment.left();
  {
    ScopedStep step(doc, "Nudge", kNoGroups);
    segment.SetRect(left + 5, segment.top(), left + 37, segment.top() + 32);
    segment.SetRect(left, segment.top(), left + 32, segment.top() + 32);
  }
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_FALSE(doc.IsModified());
}

}  // namespace
}  // namespace orvo
