// The states an undo step keeps: the groups and the network as they were before it. States
// are kept in memory rather than as project-file bytes because reading a large network back
// costs several times more than copying it, and consecutive states share every node and
// group record that did not change, so a step costs what it changed.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/project_document.h"

namespace orvo {

// The update hint the document sends when its undo history or its modified marker changed
// (a step recorded, undone or redone; the document saved or marked), so that windows show
// the marker and the undo items without asking.
inline constexpr int kHintHistoryChanged = 4;

struct NodeState {
  int type = kNoType;
  int number = 0;
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<std::string> anchors;
  std::optional<SegmentData> segment;
  std::optional<ExchangeData> exchange;
  std::optional<LabelData> label;
};

struct GroupsState {
  GroupADlg group_a;
  GroupBDlg group_b;
  GroupCDlg group_c;
  GroupDDlg group_d;
  GroupEDlg group_e;
  GroupFDlg group_f;
  GroupGDlg group_g;
  GroupHDlg group_h;
  GroupIDlg group_i;
  GroupJDlg group_j;
  // The groups' project-file records and what the file leaves out (group I names), to tell
  // states apart.
  std::string key;
};

struct DocumentSnapshot {
  std::shared_ptr<const GroupsState> groups;
  std::vector<std::shared_ptr<const NodeState>> nodes;
  std::string range_file_path;
  int extent_width = 0;
  int extent_height = 0;
  int id = 0;  // which document state this is
};

struct COrvoBuilderDoc::History {
  struct Step {
    std::string label;
    std::unique_ptr<DocumentSnapshot> state;
  };
  std::vector<Step> undo;
  std::vector<Step> redo;
  std::unique_ptr<DocumentSnapshot> before;  // of the open step
  // The document's state as last captured: what new captures share unchanged records with.
  std::unique_ptr<DocumentSnapshot> current;
  std::string open_label;
  int depth = 0;
  int current_id = 0;
  int saved_id = 0;
  int next_id = 1;
};

}  // namespace orvo
