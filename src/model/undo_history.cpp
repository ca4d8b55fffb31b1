#include "model/undo_history.h"

#include <algorithm>
#include <cassert>
#include <unordered_map>
#include <utility>

#include "model/archive.h"

namespace orvo {

// Enough to undo a long session; the oldest steps go first.
constexpr size_t kMaxSteps = 100;

namespace {

bool Matches(const NodeState& state, const COrvoBuilderCntrItem& node) {
  const auto same = [](const auto& kept, const auto* live) {
    return kept.has_value() ? live != nullptr && *kept == *live : live == nullptr;
  };
  return state.type == node.type() && state.number == node.number() && state.left == node.left() &&
         state.top == node.top() && state.width == node.width() && state.height == node.height() &&
         state.anchors == node.anchors() && same(state.segment, node.segment()) &&
         same(state.exchange, node.exchange()) && same(state.label, node.label());
}

std::shared_ptr<const NodeState> StateOf(const COrvoBuilderCntrItem& node) {
  auto state = std::make_shared<NodeState>();
  state->type = node.type();
  state->number = node.number();
  state->left = node.left();
  state->top = node.top();
  state->width = node.width();
  state->height = node.height();
  state->anchors = node.anchors();
  if (node.segment()) state->segment = *node.segment();
  if (node.exchange()) state->exchange = *node.exchange();
  if (node.label()) state->label = *node.label();
  return state;
}

void CopyGroup(DataGroups& to, const DataGroups& from, int index) {
  to.WithGroup(index, [&](auto& group) {
    from.WithGroup(index, [&](const auto& source) {
      if constexpr (std::is_same_v<std::decay_t<decltype(group)>, std::decay_t<decltype(source)>>) {
        group = source;
      }
    });
  });
}

void SwapGroup(DataGroups& to, DataGroups& from, int index) {
  to.WithGroup(index, [&](auto& group) {
    from.WithGroup(index, [&](auto& other) {
      if constexpr (std::is_same_v<std::decay_t<decltype(group)>, std::decay_t<decltype(other)>>) {
        std::swap(group, other);
      }
    });
  });
}

// A group's project-file record and what the file leaves out (group I names), to tell
// states apart.
std::string GroupKey(const DataGroups& holder, int index) {
  ArchiveWriter ar;
  holder.WithGroup(index, [&](const auto& group) { group.Serialize(ar); });
  if (index == 8) {
    for (const std::string& name : holder.group_i.names) ar.String(name);
  }
  return std::move(ar.bytes());
}

std::string GroupsKey(const DataGroups& g) {
  ArchiveWriter ar;
  g.ForEachGroup([&](const auto& group) { group.Serialize(ar); });
  for (const std::string& name : g.group_i.names) ar.String(name);
  return std::move(ar.bytes());
}

// How far ahead in the reference a node is looked for: deletions since the reference shift
// the list by as many places as nodes went.
constexpr size_t kLookAhead = 64;

}  // namespace

std::unique_ptr<DocumentSnapshot> COrvoBuilderDoc::TakeSnapshot(
    const DocumentSnapshot* reference) const {
  auto snapshot = std::make_unique<DocumentSnapshot>();
  std::string key = GroupsKey(*this);
  if (reference != nullptr && reference->groups->key == key) {
    snapshot->groups = reference->groups;
  } else {
    snapshot->groups = std::make_shared<const GroupsState>(
        GroupsState{static_cast<const DataGroups&>(*this), std::move(key)});
  }
  snapshot->range_file_path = range_file_path;
  snapshot->extent_width = extent_width;
  snapshot->extent_height = extent_height;

  // Nodes keep their order, so one forward walk over the reference finds them.
  snapshot->nodes.reserve(nodes_.size());
  size_t next = 0;
  for (const auto& node : nodes_) {
    std::shared_ptr<const NodeState> shared;
    if (reference != nullptr) {
      const auto& kept = reference->nodes;
      const size_t end = std::min(kept.size(), next + kLookAhead);
      for (size_t j = next; j < end; ++j) {
        if (kept[j]->number != node->number()) continue;
        if (Matches(*kept[j], *node)) shared = kept[j];
        next = j + 1;
        break;
      }
    }
    snapshot->nodes.push_back(shared ? std::move(shared) : StateOf(*node));
  }
  return snapshot;
}

void COrvoBuilderDoc::ApplyNodeState(COrvoBuilderCntrItem& node, const NodeState& state) {
  node.type_ = state.type;
  node.number_ = state.number;
  node.left_ = state.left;
  node.top_ = state.top;
  node.width_ = state.width;
  node.height_ = state.height;
  node.anchors_ = state.anchors;
  node.segment_ = state.segment ? std::make_unique<SegmentData>(*state.segment) : nullptr;
  node.exchange_ = state.exchange ? std::make_unique<ExchangeData>(*state.exchange) : nullptr;
  node.label_ = state.label ? std::make_unique<LabelData>(*state.label) : nullptr;
}

void COrvoBuilderDoc::RestoreSnapshot(const DocumentSnapshot& snapshot) {
  // Views drop their node pointers before the nodes go.
  UpdateAllViews(kHintNetworkDeleting);
  static_cast<DataGroups&>(*this) = *snapshot.groups;
  range_file_path = snapshot.range_file_path;
  extent_width = snapshot.extent_width;
  extent_height = snapshot.extent_height;
  std::vector<std::unique_ptr<COrvoBuilderCntrItem>> nodes;
  nodes.reserve(snapshot.nodes.size());
  for (const auto& state : snapshot.nodes) {
    auto node = std::make_unique<COrvoBuilderCntrItem>(*this, state->number);
    ApplyNodeState(*node, *state);
    nodes.push_back(std::move(node));
  }
  nodes_ = std::move(nodes);
  ++history_->generation;
  segment_array_.clear();
  segment_array_built_ = false;
  default_group_g_type_ = -2;
  UpdateAllViews(kHintNetworkBuilt);
}

// Puts target's nodes, groups and extent back in place and returns what they replaced.
std::unique_ptr<COrvoBuilderDoc::PartialState> COrvoBuilderDoc::RestorePartial(
    PartialState& target) {
  UpdateAllViews(kHintNetworkDeleting);
  auto replaced = std::make_unique<PartialState>();
  // Another step removed and brought back nodes since: they are new objects, found by number.
  std::unordered_map<int, COrvoBuilderCntrItem*> by_number;
  if (target.generation != history_->generation) {
    for (const auto& node : nodes_) by_number.emplace(node->number(), node.get());
  }
  replaced->nodes.reserve(target.nodes.size());
  for (const NodeChange& change : target.nodes) {
    COrvoBuilderCntrItem* node = const_cast<COrvoBuilderCntrItem*>(change.node);
    if (target.generation != history_->generation) {
      const auto found = by_number.find(change.number);
      if (found == by_number.end()) continue;
      node = found->second;
    }
    const bool segment_moved = node->is_segment() != (change.state->type == kSegmentNode) ||
                               (node->is_segment() && change.state->segment &&
                                node->segment()->segment_id != change.state->segment->segment_id);
    if (segment_moved) segment_array_built_ = false;
    replaced->nodes.push_back({node, change.state->number, StateOf(*node)});
    ApplyNodeState(*node, *change.state);
  }
  replaced->groups_kept = target.groups_kept;
  if (target.groups_kept != 0) {
    for (int index = 0; index < kGroupCount; ++index) {
      if (target.groups_kept & (1u << index)) SwapGroup(*this, *target.groups, index);
    }
    replaced->groups = std::move(target.groups);
  }
  if (target.groups_kept & kGroupA) default_group_g_type_ = -2;
  std::swap(range_file_path, target.range_file_path);
  std::swap(extent_width, target.extent_width);
  std::swap(extent_height, target.extent_height);
  replaced->range_file_path = std::move(target.range_file_path);
  replaced->extent_width = target.extent_width;
  replaced->extent_height = target.extent_height;
  replaced->generation = history_->generation;
  UpdateAllViews(kHintNetworkBuilt);
  return replaced;
}

COrvoBuilderDoc::~COrvoBuilderDoc() = default;

void COrvoBuilderDoc::NoteNodeChange(const COrvoBuilderCntrItem& node) {
  if (!history_ || history_->depth == 0 || !history_->partial) return;
  if (!history_->touched.insert(&node).second) return;
  history_->partial->nodes.push_back({&node, node.number(), StateOf(node)});
}

void COrvoBuilderDoc::NoteGroupChange(int index) {
  if (!history_ || history_->depth == 0 || !history_->partial) return;
  PartialState& partial = *history_->partial;
  const unsigned bit = 1u << index;
  if (partial.groups_kept & bit) return;
  if (!partial.groups) partial.groups = std::make_unique<GroupsState>();
  CopyGroup(*partial.groups, *this, index);
  partial.keys[static_cast<size_t>(index)] = GroupKey(*this, index);
  partial.groups_kept |= bit;
}

void COrvoBuilderDoc::NoteStructureChange() {
  if (!history_) return;
  ++history_->generation;
  if (history_->depth > 0 && history_->partial) EscalateStep();
}

// The open step from now on keeps the whole document: the state as it is, with what the
// step already changed put back.
void COrvoBuilderDoc::EscalateStep() {
  History& h = *history_;
  CheckStepJournal();
  std::unique_ptr<PartialState> partial = std::move(h.partial);
  h.touched.clear();
  std::unique_ptr<DocumentSnapshot> before = TakeSnapshot(h.current.get());
  if (partial->groups_kept != 0) {
    GroupsState groups = *before->groups;
    for (int index = 0; index < kGroupCount; ++index) {
      if (partial->groups_kept & (1u << index)) CopyGroup(groups, *partial->groups, index);
    }
    groups.key = GroupsKey(groups);
    before->groups = std::make_shared<const GroupsState>(std::move(groups));
  }
  if (!partial->nodes.empty()) {
    // No node was added or removed while the step recorded, so positions still agree.
    std::unordered_map<const COrvoBuilderCntrItem*, size_t> position;
    for (size_t i = 0; i < nodes_.size(); ++i) position.emplace(nodes_[i].get(), i);
    for (const NodeChange& change : partial->nodes) {
      const auto found = position.find(change.node);
      if (found != position.end()) before->nodes[found->second] = change.state;
    }
  }
  before->range_file_path = std::move(partial->range_file_path);
  before->extent_width = partial->extent_width;
  before->extent_height = partial->extent_height;
  h.before = std::move(before);
  h.check.reset();
}

void COrvoBuilderDoc::BeginStep(const std::string& label, unsigned groups) {
  if (!history_) history_ = std::make_unique<History>();
  History& h = *history_;
  if (h.depth++ > 0) {
    // A nested step may name groups the outer one did not; they are unchanged so far.
    if (h.partial) {
      for (int index = 0; index < kGroupCount; ++index) {
        if (groups & (1u << index)) NoteGroupChange(index);
      }
    }
    return;
  }
  h.open_label = label;
  h.before.reset();
  h.touched.clear();
  h.partial = std::make_unique<PartialState>();
  h.partial->range_file_path = range_file_path;
  h.partial->extent_width = extent_width;
  h.partial->extent_height = extent_height;
  for (int index = 0; index < kGroupCount; ++index) {
    if (groups & (1u << index)) NoteGroupChange(index);
  }
#ifndef NDEBUG
  h.check = TakeSnapshot(nullptr);
#endif
}

// Every change a step made without telling it is a change undo would not take back.
void COrvoBuilderDoc::CheckStepJournal() const {
#ifndef NDEBUG
  const History& h = *history_;
  if (!h.check || !h.partial) return;
  assert(h.check->nodes.size() == nodes_.size() && "a recording step added or removed a node");
  for (size_t i = 0; i < nodes_.size(); ++i) {
    assert((h.touched.count(nodes_[i].get()) > 0 || Matches(*h.check->nodes[i], *nodes_[i])) &&
           "a step changed a node without telling it");
  }
  for (int index = 0; index < kGroupCount; ++index) {
    assert(((h.partial->groups_kept & (1u << index)) != 0 ||
            GroupKey(*h.check->groups, index) == GroupKey(*this, index)) &&
           "a step changed a group it did not name");
  }
#endif
}

void COrvoBuilderDoc::EndStep() {
  History& h = *history_;
  if (h.depth == 0 || --h.depth > 0) return;
  if (h.partial) {
    CheckStepJournal();
    h.check.reset();
    std::unique_ptr<PartialState> partial = std::move(h.partial);
    h.touched.clear();
    // What the step touched but left as it was is not kept.
    std::erase_if(partial->nodes,
                  [](const NodeChange& change) { return Matches(*change.state, *change.node); });
    for (NodeChange& change : partial->nodes) change.number = change.node->number();
    for (int index = 0; index < kGroupCount; ++index) {
      const unsigned bit = 1u << index;
      if ((partial->groups_kept & bit) &&
          partial->keys[static_cast<size_t>(index)] == GroupKey(*this, index)) {
        partial->groups_kept &= ~bit;
      }
      partial->keys[static_cast<size_t>(index)].clear();
    }
    const bool changed = !partial->nodes.empty() || partial->groups_kept != 0 ||
                         partial->range_file_path != range_file_path ||
                         partial->extent_width != extent_width ||
                         partial->extent_height != extent_height;
    if (!changed) return;
    partial->id = h.current_id;
    partial->generation = h.generation;
    h.current_id = h.next_id++;
    h.undo.push_back({h.open_label, nullptr, std::move(partial)});
  } else {
    std::unique_ptr<DocumentSnapshot> before = std::move(h.before);
    std::unique_ptr<DocumentSnapshot> after = TakeSnapshot(before.get());
    // Unchanged records are shared with before, so comparing pointers is enough.
    const bool changed = after->groups != before->groups || after->nodes != before->nodes ||
                         after->range_file_path != before->range_file_path ||
                         after->extent_width != before->extent_width ||
                         after->extent_height != before->extent_height;
    h.current = std::move(after);
    if (!changed) return;
    before->id = h.current_id;
    h.current_id = h.next_id++;
    h.undo.push_back({h.open_label, std::move(before), nullptr});
  }
  if (h.undo.size() > kMaxSteps) h.undo.erase(h.undo.begin());
  h.redo.clear();
  modified_ = true;
  UpdateAllViews(kHintHistoryChanged);
}

bool COrvoBuilderDoc::CanUndo() const {
  return history_ && !history_->undo.empty();
}
bool COrvoBuilderDoc::CanRedo() const {
  return history_ && !history_->redo.empty();
}

std::string COrvoBuilderDoc::UndoLabel() const {
  return CanUndo() ? history_->undo.back().label : std::string();
}

std::string COrvoBuilderDoc::RedoLabel() const {
  return CanRedo() ? history_->redo.back().label : std::string();
}

void COrvoBuilderDoc::AbandonStep() {
  History& h = *history_;
  const auto before = h.current_id;
  EndStep();
  // Recorded as a step (it changed something): put the document back and forget the step.
  if (h.depth == 0 && h.current_id != before) {
    MoveThroughHistory(true);
    h.redo.pop_back();
  }
}

bool COrvoBuilderDoc::Undo() {
  if (!CanUndo() || history_->depth > 0) return false;
  MoveThroughHistory(true);
  return true;
}

bool COrvoBuilderDoc::Redo() {
  if (!CanRedo() || history_->depth > 0) return false;
  MoveThroughHistory(false);
  return true;
}

void COrvoBuilderDoc::MoveThroughHistory(bool undo) {
  History& h = *history_;
  std::vector<History::Step>& from = undo ? h.undo : h.redo;
  std::vector<History::Step>& to = undo ? h.redo : h.undo;
  History::Step step = std::move(from.back());
  from.pop_back();
  if (step.partial) {
    std::unique_ptr<PartialState> replaced = RestorePartial(*step.partial);
    replaced->id = h.current_id;
    h.current_id = step.partial->id;
    step.partial = std::move(replaced);
  } else {
    std::unique_ptr<DocumentSnapshot> current = TakeSnapshot(h.current.get());
    current->id = h.current_id;
    std::unique_ptr<DocumentSnapshot> target = std::move(step.state);
    RestoreSnapshot(*target);
    h.current_id = target->id;
    h.current = std::move(target);
    step.state = std::move(current);
  }
  to.push_back(std::move(step));
  modified_ = h.current_id != h.saved_id;
  UpdateAllViews(kHintHistoryChanged);
}

void COrvoBuilderDoc::ClearHistory() {
  if (!history_) return;
  history_->undo.clear();
  history_->redo.clear();
  history_->current.reset();
  ++history_->generation;
  history_->saved_id = history_->current_id;
  UpdateAllViews(kHintHistoryChanged);
}

void COrvoBuilderDoc::SetModifiedFlag(bool modified) {
  // Inside a step the step itself decides: it marks the document only when it changed it,
  // so an editor accepted without a change leaves the marker and the history alone.
  if (modified && history_ && history_->depth > 0) return;
  const bool was = modified_;
  modified_ = modified;
  if (!modified && history_) history_->saved_id = history_->current_id;
  if (was != modified_) UpdateAllViews(kHintHistoryChanged);
}

}  // namespace orvo
