#include "model/undo_history.h"

#include <algorithm>
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

template <typename Groups>
std::string GroupsKey(const Groups& g) {
  ArchiveWriter ar;
  g.group_a.Serialize(ar);
  g.group_b.Serialize(ar);
  g.group_c.Serialize(ar);
  g.group_d.Serialize(ar);
  g.group_e.Serialize(ar);
  g.group_f.Serialize(ar);
  g.group_g.Serialize(ar);
  g.group_h.Serialize(ar);
  g.group_i.Serialize(ar);
  g.group_j.Serialize(ar);
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
        GroupsState{group_a, group_b, group_c, group_d, group_e, group_f, group_g, group_h, group_i,
                    group_j, std::move(key)});
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

void COrvoBuilderDoc::RestoreSnapshot(const DocumentSnapshot& snapshot) {
  // Views drop their node pointers before the nodes go.
  UpdateAllViews(kHintNetworkDeleting);
  const GroupsState& groups = *snapshot.groups;
  group_a = groups.group_a;
  group_b = groups.group_b;
  group_c = groups.group_c;
  group_d = groups.group_d;
  group_e = groups.group_e;
  group_f = groups.group_f;
  group_g = groups.group_g;
  group_h = groups.group_h;
  group_i = groups.group_i;
  group_j = groups.group_j;
  range_file_path = snapshot.range_file_path;
  extent_width = snapshot.extent_width;
  extent_height = snapshot.extent_height;
  std::vector<std::unique_ptr<COrvoBuilderCntrItem>> nodes;
  nodes.reserve(snapshot.nodes.size());
  for (const auto& state : snapshot.nodes) {
    auto node = std::make_unique<COrvoBuilderCntrItem>(*this, state->number);
    node->type_ = state->type;
    node->left_ = state->left;
    node->top_ = state->top;
    node->width_ = state->width;
    node->height_ = state->height;
    node->anchors_ = state->anchors;
    if (state->segment) node->segment_ = std::make_unique<SegmentData>(*state->segment);
    if (state->exchange) node->exchange_ = std::make_unique<ExchangeData>(*state->exchange);
    if (state->label) node->label_ = std::make_unique<LabelData>(*state->label);
    nodes.push_back(std::move(node));
  }
  nodes_ = std::move(nodes);
  segment_array_.clear();
  segment_array_built_ = false;
  default_group_g_type_ = -2;
  UpdateAllViews(kHintNetworkBuilt);
}

COrvoBuilderDoc::~COrvoBuilderDoc() = default;

void COrvoBuilderDoc::BeginStep(const std::string& label) {
  if (!history_) history_ = std::make_unique<History>();
  if (history_->depth++ > 0) return;
  history_->before = TakeSnapshot(history_->current.get());
  history_->open_label = label;
}

void COrvoBuilderDoc::EndStep() {
  History& h = *history_;
  if (h.depth == 0 || --h.depth > 0) return;
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
  h.undo.push_back({h.open_label, std::move(before)});
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
  std::unique_ptr<DocumentSnapshot> current = TakeSnapshot(h.current.get());
  current->id = h.current_id;
  std::unique_ptr<DocumentSnapshot> target = std::move(step.state);
  RestoreSnapshot(*target);
  h.current_id = target->id;
  h.current = std::move(target);
  step.state = std::move(current);
  to.push_back(std::move(step));
  modified_ = h.current_id != h.saved_id;
  UpdateAllViews(kHintHistoryChanged);
}

void COrvoBuilderDoc::ClearHistory() {
  if (!history_) return;
  history_->undo.clear();
  history_->redo.clear();
  history_->current.reset();
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
