#include <gtest/gtest.h>

#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "model/undo_history.h"
#include "support/document_test.h"
#include "support/network_builder.h"

namespace orvo {
namespace {

using testing::AddSegmentWithLabel;

struct HintLog : DocumentObserver {
  std::vector<int> hints;
  void OnDocumentUpdate(UpdateHint hint, int) override { hints.push_back(hint); }
};

class UndoTest : public testing::DocumentTest {
 protected:
  void SetUp() override {
    for (int i = 0; i < 3; ++i) AddSegmentWithLabel(doc, 100 * (i + 1), 200);
    doc.AddExchange(doc.GetSegmentNode(1), doc.GetSegmentNode(2), kInterface);
    doc.SetModifiedFlag(false);
    saved = Bytes();
  }

  // The project file with the node-number counter pinned: numbers are never handed out
  // twice, so undo restores the nodes with their numbers but leaves the counter where it is.
  std::string Bytes() {
    const int counter = COrvoBuilderCntrItem::NodeNumberCounter();
    COrvoBuilderCntrItem::SetNodeNumberCounter(1000);
    std::string bytes = doc.SaveToBytes();
    COrvoBuilderCntrItem::SetNodeNumberCounter(counter);
    return bytes;
  }

  void Move(COrvoBuilderCntrItem& node, int left, int top) {
    ScopedStep step(doc, "Move");
    node.SetRect(left, top, left + node.width(), top + node.height());
    doc.SetModifiedFlag();
  }

  std::string saved;
};

TEST_F(UndoTest, UndoAndRedoRestoreTheProjectAndTheModifiedFlag) {
  Move(*doc.GetSegmentNode(2), 500, 600);
  const std::string moved = Bytes();
  ASSERT_TRUE(doc.CanUndo());
  EXPECT_EQ(doc.UndoLabel(), "Move");
  EXPECT_TRUE(doc.IsModified());

  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(Bytes(), saved);
  EXPECT_FALSE(doc.IsModified()) << "back at the saved state";
  EXPECT_EQ(doc.RedoLabel(), "Move");

  ASSERT_TRUE(doc.Redo());
  EXPECT_EQ(Bytes(), moved);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.GetSegmentNode(2)->left(), 500) << "the segment array follows the new nodes";
}

TEST_F(UndoTest, AGestureThatChangedNothingAddsNoStep) {
  COrvoBuilderCntrItem& segment = *doc.GetSegmentNode(1);
  Move(segment, segment.left(), segment.top());
  EXPECT_FALSE(doc.CanUndo());
  { ScopedStep step(doc, "Nothing"); }
  EXPECT_FALSE(doc.CanUndo());
}

TEST_F(UndoTest, NestedStepsAreOneAndANewStepDropsTheRedoBranch) {
  {
    ScopedStep outer(doc, "Place");
    AddSegmentWithLabel(doc, 900, 200);
    Move(*doc.GetSegmentNode(1), 40, 40);
  }
  EXPECT_EQ(doc.group_a.NOSEG, 4);
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(doc.group_a.NOSEG, 3);
  EXPECT_EQ(Bytes(), saved);
  EXPECT_FALSE(doc.CanUndo());

  Move(*doc.GetSegmentNode(3), 10, 10);
  EXPECT_FALSE(doc.CanRedo());
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(Bytes(), saved);
}

TEST_F(UndoTest, DeletionAndGroupEditsComeBackWhole) {
  {
    ScopedStep step(doc, "Delete");
    doc.DeleteNode(doc.GetSegmentNode(2));
  }
  {
    ScopedStep step(doc, "Group A");
    doc.group_a.ICFL = 2;
  }
  EXPECT_EQ(doc.UndoLabel(), "Group A");
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(doc.group_a.ICFL, -1);
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(Bytes(), saved);
  EXPECT_EQ(doc.GetSegmentNode(3)->GetParameter(2), "3");
}

TEST_F(UndoTest, OneUndoBringsBackASegmentWithItsExchanges) {
  doc.AddExchange(doc.GetSegmentNode(2), doc.GetSegmentNode(3), kInterface);
  doc.AddExchange(nullptr, doc.GetSegmentNode(2), kInflow);
  doc.SetModifiedFlag(false);
  const std::string before = Bytes();
  {
    ScopedStep step(doc, "Delete");
    doc.DeleteNode(doc.GetSegmentNode(2));
  }
  for (const auto& node : doc.nodes()) EXPECT_FALSE(node->is_exchange());
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(Bytes(), before);
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_FALSE(doc.IsModified());
}

struct HistoryLog : DocumentObserver {
  int changes = 0;
  void OnDocumentUpdate(UpdateHint hint, int) override {
    if (hint == kHintHistoryChanged) ++changes;
  }
};

// An editor accepted without a change must agree with the history: no step, no marker.
TEST_F(UndoTest, AStepThatChangesNothingLeavesMarkerAndHistoryAlone) {
  HistoryLog log;
  doc.AddObserver(&log);
  {
    ScopedStep step(doc, "Edit Group A");
    doc.group_a.ICFL = doc.group_a.ICFL;
    doc.SetModifiedFlag(true);
  }
  EXPECT_FALSE(doc.IsModified());
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_EQ(log.changes, 0);

  {
    ScopedStep step(doc, "Edit Group A");
    doc.group_a.ICFL = 2;
    doc.SetModifiedFlag(true);
  }
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(log.changes, 1) << "the step is announced once";
  ASSERT_TRUE(doc.Undo());
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(log.changes, 2);
  doc.RemoveObserver(&log);
}

TEST_F(UndoTest, ViewsDropTheirNodesBeforeTheNetworkIsReplaced) {
  Move(*doc.GetSegmentNode(1), 0, 0);
  HintLog log;
  doc.AddObserver(&log);
  doc.Undo();
  doc.RemoveObserver(&log);
  EXPECT_EQ(log.hints,
            (std::vector<int>{kHintNetworkDeleting, kHintNetworkBuilt, kHintHistoryChanged}));
}

TEST_F(UndoTest, SavingMovesTheCleanStateAndLoadingForgetsTheHistory) {
  Move(*doc.GetSegmentNode(1), 0, 0);
  doc.SetModifiedFlag(false);  // what a successful save does
  ASSERT_TRUE(doc.Undo());
  EXPECT_TRUE(doc.IsModified()) << "the undone state is not the saved one any more";
  ASSERT_TRUE(doc.Redo());
  EXPECT_FALSE(doc.IsModified());

  std::string error;
  ASSERT_TRUE(doc.LoadFromBytes(saved, error)) << error;
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_FALSE(doc.CanRedo());
}

}  // namespace
}  // namespace orvo
