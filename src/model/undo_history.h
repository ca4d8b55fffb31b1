// The states an undo step keeps. Most steps change a few nodes or a group: they keep only
// those, as they were before (the document tells the open step before it changes a node or
// a group of its own accord), so a step costs what it changed. A step that adds or removes
// nodes keeps the whole groups and network instead, in memory rather than as project-file
// bytes, since reading a large network back costs several times more than copying it;
// consecutive whole states share every node and group record that did not change.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "model/project_document.h"

namespace orvo {

struct NodeState {
  NodeType type = kNoType;
  int number = 0;
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<std::string> anchors;
  std::optional<SegmentData> segment;
  std::optional<ExchangeData> exchange;
  std::optional<LabelData> label;
};

struct GroupsState : DataGroups {
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

inline constexpr int kGroupCount = DataGroups::kCount;

struct NodeChange {
  const COrvoBuilderCntrItem* node;  // valid while the history's node generation holds
  int number;                        // the node's number after the step; found by it otherwise
  std::shared_ptr<const NodeState> state;
};

// The parts of the document a step touched, as they were on the other side of it.
struct COrvoBuilderDoc::PartialState {
  unsigned groups_kept = 0;                   // StepGroups bits
  std::unique_ptr<GroupsState> groups;        // only the kept groups hold values
  std::array<std::string, kGroupCount> keys;  // of the kept groups, while the step is open
  std::vector<NodeChange> nodes;
  std::string range_file_path;
  int extent_width = 0;
  int extent_height = 0;
  long generation = 0;
  int id = 0;
};

struct COrvoBuilderDoc::History {
  struct Step {
    std::string label;
    std::unique_ptr<DocumentSnapshot> state;  // the whole document, or
    std::unique_ptr<PartialState> partial;    // what the step touched
  };
  std::vector<Step> undo;
  std::vector<Step> redo;
  // The open step records what it touches in partial until it adds or removes a node; from
  // then on before holds the whole document as it was.
  std::unique_ptr<PartialState> partial;
  std::unordered_set<const COrvoBuilderCntrItem*> touched;
  std::unique_ptr<DocumentSnapshot> before;  // of the open step
  // Debug builds: the whole document when the step opened, to check that the step was told
  // of every change.
  std::unique_ptr<DocumentSnapshot> check;
  // Counts node list changes; node pointers kept by a step are trusted while it holds.
  long generation = 0;
  // The document's state as last captured: what new captures share unchanged records with.
  std::unique_ptr<DocumentSnapshot> current;
  std::string open_label;
  int depth = 0;
  int current_id = 0;
  int saved_id = 0;
  int next_id = 1;
};

}  // namespace orvo
