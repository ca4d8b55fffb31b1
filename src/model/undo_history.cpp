#include "model/undo_history.h"

#include <utility>

#include "model/archive.h"

namespace orvo {

// Enough to undo a long session; the oldest steps go first.
constexpr size_t kMaxSteps = 200;

namespace {

NodeState StateOf(const COrvoBuilderCntrItem& node) {
  NodeState state;
  state.type = node.type();
  state.number = node.number();
  state.left = node.left();
  state.top = node.top();
  state.width = node.width();
  state.height = node.height();
  state.anchors = node.anchors();
  if (node.segment()) state.segment = *node.segment();
  if (node.exchange()) state.exchange = *node.exchange();
  if (node.label()) state.label = *node.label();
  return state;
}

template <typename Doc>
std::string GroupBytes(const Doc& doc) {
  ArchiveWriter ar;
  doc.group_a.Serialize(ar);
  doc.group_b.Serialize(ar);
  doc.group_c.Serialize(ar);
  doc.group_d.Serialize(ar);
  doc.group_e.Serialize(ar);
  doc.group_f.Serialize(ar);
  doc.group_g.Serialize(ar);
  doc.group_h.Serialize(ar);
  doc.group_i.Serialize(ar);
  doc.group_j.Serialize(ar);
  return std::move(ar.bytes());
}

}  // namespace

std::unique_ptr<DocumentSnapshot> COrvoBuilderDoc::TakeSnapshot() const {
  auto snapshot = std::make_unique<DocumentSnapshot>(DocumentSnapshot{group_a,
                                                                      group_b,
                                                                      group_c,
                                                                      group_d,
                                                                      group_e,
                                                                      group_f,
                                                                      group_g,
                                                                      group_h,
                                                                      group_i,
                                                                      group_j,
                                                                      GroupBytes(*this),
                                                                      {},
                                                                      range_file_path,
                                                                      extent_width,
                                                                      extent_height,
                                                                      0});
  snapshot->nodes.reserve(nodes_.size());
  for (const auto& node : nodes_) snapshot->nodes.push_back(StateOf(*node));
  return snapshot;
}

void COrvoBuilderDoc::RestoreSnapshot(DocumentSnapshot& snapshot) {
  // Views drop their node pointers before the nodes go.
  UpdateAllViews(kHintNetworkDeleting);
  group_a = std::move(snapshot.group_a);
  group_b = std::move(snapshot.group_b);
  group_c = std::move(snapshot.group_c);
  group_d = std::move(snapshot.group_d);
  group_e = std::move(snapshot.group_e);
  group_f = std::move(snapshot.group_f);
  group_g = std::move(snapshot.group_g);
  group_h = std::move(snapshot.group_h);
  group_i = std::move(snapshot.group_i);
  group_j = std::move(snapshot.group_j);
  range_file_path = std::move(snapshot.range_file_path);
  extent_width = snapshot.extent_width;
  extent_height = snapshot.extent_height;
  std::vector<std::unique_ptr<COrvoBuilderCntrItem>> nodes;
  nodes.reserve(snapshot.nodes.size());
  for (NodeState& state : snapshot.nodes) {
    auto node = std::make_unique<COrvoBuilderCntrItem>(*this, state.number);
    node->type_ = state.type;
    node->left_ = state.left;
    node->top_ = state.top;
    node->width_ = state.width;
    node->height_ = state.height;
    node->anchors_ = std::move(state.anchors);
    if (state.segment) node->segment_ = std::make_unique<SegmentData>(*state.segment);
    if (state.exchange) node->exchange_ = std::make_unique<ExchangeData>(*state.exchange);
    if (state.label) node->label_ = std::make_unique<LabelData>(*state.label);
    nodes.push_back(std::move(node));
  }
  nodes_ = std::move(nodes);
  segment_array_.clear();
  segment_array_built_ = false;
  default_group_g_type_ = -2;
  UpdateAllViews(kHintNetworkBuilt);
}

void COrvoBuilderDoc::BeginStep(const std::string& label) {
  if (!history_) history_ = std::make_unique<History>();
  if (history_->depth++ > 0) return;
  history_->before = TakeSnapshot();
  history_->open_label = label;
}

void COrvoBuilderDoc::EndStep() {
  History& h = *history_;
  if (h.depth == 0 || --h.depth > 0) return;
  std::unique_ptr<DocumentSnapshot> before = std::move(h.before);
  bool changed = before->group_bytes != GroupBytes(*this) ||
                 before->range_file_path != range_file_path ||
                 before->extent_width != extent_width || before->extent_height != extent_height ||
                 before->nodes.size() != nodes_.size();
  for (size_t i = 0; !changed && i < nodes_.size(); ++i) {
    changed = !(before->nodes[i] == StateOf(*nodes_[i]));
  }
  if (!changed) return;
  before->id = h.current_id;
  h.current_id = h.next_id++;
  h.undo.push_back({h.open_label, std::move(before)});
  if (h.undo.size() > kMaxSteps) h.undo.erase(h.undo.begin());
  h.redo.clear();
  modified_ = true;
}

COrvoBuilderDoc::~COrvoBuilderDoc() = default;

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

namespace {

// Moves the top step of from onto to, swapping its state with the document's.
template <typename Step>
std::unique_ptr<DocumentSnapshot> SwapOut(std::vector<Step>& from, std::vector<Step>& to,
                                          std::unique_ptr<DocumentSnapshot> current,
                                          int current_id) {
  Step step = std::move(from.back());
  from.pop_back();
  current->id = current_id;
  std::unique_ptr<DocumentSnapshot> target = std::move(step.state);
  step.state = std::move(current);
  to.push_back(std::move(step));
  return target;
}

}  // namespace

bool COrvoBuilderDoc::Undo() {
  if (!CanUndo() || history_->depth > 0) return false;
  History& h = *history_;
  auto target = SwapOut(h.undo, h.redo, TakeSnapshot(), h.current_id);
  h.current_id = target->id;
  RestoreSnapshot(*target);
  modified_ = h.current_id != h.saved_id;
  return true;
}

bool COrvoBuilderDoc::Redo() {
  if (!CanRedo() || history_->depth > 0) return false;
  History& h = *history_;
  auto target = SwapOut(h.redo, h.undo, TakeSnapshot(), h.current_id);
  h.current_id = target->id;
  RestoreSnapshot(*target);
  modified_ = h.current_id != h.saved_id;
  return true;
}

void COrvoBuilderDoc::ClearHistory() {
  if (!history_) return;
  history_->undo.clear();
  history_->redo.clear();
  history_->saved_id = history_->current_id;
}

void COrvoBuilderDoc::SetModifiedFlag(bool modified) {
  modified_ = modified;
  if (!modified && history_) history_->saved_id = history_->current_id;
}

}  // namespace orvo
