#include "project_document.h"

#include <algorithm>
#include <filesystem>
#include <unordered_set>

#include "model/network_deletion.h"
#include "model/number_text.h"
#include "model/string_array.h"
#include "model/undo_history.h"

namespace orvo {
namespace {

// The integer a text holds when the text is exactly its "%d" form.
bool IntegerText(const std::string& text, int& value) {
  if (text.empty()) return false;
  value = AtoI(text);
  return IntText(value) == text;
}

}  // namespace

COrvoBuilderDoc::COrvoBuilderDoc(Platform& platform) : platform_(&platform) {
  application_directory = platform.ProgramDirectory();
  range_file_path = application_directory + "RangeDefaults.txt";
}

COrvoBuilderCntrItem* COrvoBuilderDoc::NewNode() {
  NoteStructureChange();
  nodes_.push_back(
      std::make_unique<COrvoBuilderCntrItem>(*this, COrvoBuilderCntrItem::TakeNodeNumber()));
  return nodes_.back().get();
}

const std::string& COrvoBuilderDoc::DefaultSegmentGroupG() {
  if (default_group_g_type_ != group_a.SIMTYP) {
    default_group_g_ = GroupGDlg::DefaultSegmentRecord(group_a.SIMTYP).ToString();
    default_group_g_type_ = group_a.SIMTYP;
  }
  return default_group_g_;
}

void COrvoBuilderDoc::BuildSegmentArray() {
  const int count = std::max(NOSEG(), 0);
  // Sized by the highest ID a node holds, not by NOSEG: IDs above it map to no node either
  // way, and a damaged NOSEG must not decide how much memory is taken.
  int highest = 0;
  invalid_segment_ids_ = 0;
  for (const auto& node : nodes_) {
    if (!node->is_segment()) continue;
    const int id = node->segment()->segment_id;
    if (id < 1 || id > count) {
      ++invalid_segment_ids_;
      platform_->ShowMessage("COrvoBuilderDoc::BuildSegmentArray: Found invalid segment ID " +
                             IntText(id));
      continue;
    }
    highest = std::max(highest, id);
  }
  segment_array_.assign(static_cast<size_t>(highest), nullptr);
  for (const auto& node : nodes_) {
    if (!node->is_segment()) continue;
    const int id = node->segment()->segment_id;
    if (id >= 1 && id <= count) segment_array_[static_cast<size_t>(id - 1)] = node.get();
  }
  segment_array_built_ = true;
}

void COrvoBuilderDoc::EnsureSegmentArray() {
  if (!segment_array_built_) BuildSegmentArray();
}

COrvoBuilderCntrItem* COrvoBuilderDoc::GetSegmentNode(int segment_id) {
  EnsureSegmentArray();
  if (segment_id < 1 || segment_id > static_cast<int>(segment_array_.size())) return nullptr;
  return segment_array_[static_cast<size_t>(segment_id - 1)];
}

void COrvoBuilderDoc::AddSegment(COrvoBuilderCntrItem& node) {
  NoteStructureChange();
  group_a.NOSEG += 1;
  node.SetParameter(segment_param::kSegmentId, IntText(group_a.NOSEG));
  group_j.AddSegmentRow(group_a.NOSEG);
  // A full rebuild gives the same array when the cache is sound and the new segment is the
  // last node: the new ID maps to it and nothing else moves. Building a network segment by
  // segment then stays linear.
  const bool extend = segment_array_built_ && invalid_segment_ids_ == 0 && !nodes_.empty() &&
                      nodes_.back().get() == &node &&
                      static_cast<int>(segment_array_.size()) == group_a.NOSEG - 1;
  if (extend) {
    segment_array_.push_back(&node);
  } else {
    BuildSegmentArray();
  }
}

COrvoBuilderCntrItem* COrvoBuilderDoc::AddExchange(COrvoBuilderCntrItem* from,
                                                   COrvoBuilderCntrItem* to, ExchangeMode mode) {
  COrvoBuilderCntrItem* node = NewNode();
  node->SetType(kExchangeNode);
  const std::string upstream =
      mode == kInflow || from == nullptr ? "0" : from->GetParameter(segment_param::kSegmentId);
  const std::string downstream =
      mode == kOutflow || to == nullptr ? "0" : to->GetParameter(segment_param::kSegmentId);
  node->SetParameter(exchange_param::kUpstream, upstream);
  node->SetParameter(exchange_param::kDownstream, downstream);

  const COrvoBuilderCntrItem* up = GetSegmentNode(AtoI(upstream));
  const COrvoBuilderCntrItem* down = GetSegmentNode(AtoI(downstream));
  // With neither end on the drawing the node keeps its position.
  if (up && down) {
    node->left_ = (up->left_ + down->left_) / 2;
    node->top_ = (up->top_ + down->top_) / 2;
  } else if (down) {
    node->left_ = down->left_;
    node->top_ = down->top_ - 50;
  } else if (up) {
    node->left_ = up->left_;
    node->top_ = up->top_ + 50;
  }
  node->SetParameter(exchange_param::kSurfaceCount, IntText(group_b.SurfaceFunctionCount()));
  node->SetParameter(exchange_param::kPoreCount, IntText(group_b.PoreFunctionCount()));
  node->SetParameter(exchange_param::kGroupD, group_d.EmptyExchangeRecord().ToString());
  node->EnsureDefaultSize();
  return node;
}

void COrvoBuilderDoc::SetExchangeFunctionCount(int field, int count) {
  const int index = field == 0 ? exchange_param::kSurfaceCount : exchange_param::kPoreCount;
  const std::string text = IntText(count);
  for (const auto& node : nodes_) {
    if (node->is_exchange()) node->SetParameter(index, text);
  }
}

void COrvoBuilderDoc::CopyLoadsToGroupF(const SegmentData& segment) {
  NoteGroupChange(5);
  const StringArray loads(segment.group_f);
  const size_t systems = std::min<size_t>(loads.size(), 8);
  for (size_t k = 0; k < systems; ++k) {
    group_f.UpdateLoadList(static_cast<int>(k), segment.segment_id - 1, loads.At(k));
  }
}

bool COrvoBuilderDoc::RemoveItem(const COrvoBuilderCntrItem* node) {
  const auto found = std::find_if(nodes_.begin(), nodes_.end(),
                                  [node](const auto& owned) { return owned.get() == node; });
  if (found == nodes_.end()) {
    platform_->ShowMessage("RemoveItem failed.");
    return false;
  }
  NoteStructureChange();
  if (node->is_segment()) segment_array_built_ = false;
  nodes_.erase(found);
  return true;
}

void COrvoBuilderDoc::EditProperties(COrvoBuilderCntrItem& node,
                                     const std::function<bool(COrvoBuilderCntrItem&)>& dialog) {
  const bool segment = node.is_segment();
  const int old_id = segment ? node.segment()->segment_id : 0;
  if (dialog(node)) SetModifiedFlag();
  if (!segment) return;
  if (node.segment()->segment_id != old_id) ChangeSegmentID(node, old_id);
  if (GetSegmentNode(node.segment()->segment_id) != &node) BuildSegmentArray();
}

void COrvoBuilderDoc::EraseNodes(const std::vector<const COrvoBuilderCntrItem*>& doomed) {
  if (doomed.empty()) return;
  NoteStructureChange();
  const std::unordered_set<const COrvoBuilderCntrItem*> gone(doomed.begin(), doomed.end());
  std::unordered_set<std::string> numbers;
  for (const COrvoBuilderCntrItem* node : doomed) {
    numbers.insert(IntText(node->number()));
    if (node->is_segment()) segment_array_built_ = false;
  }
  std::erase_if(nodes_, [&gone](const auto& owned) { return gone.count(owned.get()) > 0; });
  // Tethers name node numbers; a number that no longer exists must not be left behind.
  for (const auto& node : nodes_) {
    std::erase_if(node->anchors_,
                  [&numbers](const std::string& anchor) { return numbers.count(anchor) > 0; });
  }
}

void COrvoBuilderDoc::DeleteNode(COrvoBuilderCntrItem* node) {
  if (node == nullptr) return;
  NoteStructureChange();
  WaitCursor wait(*platform_);
  const bool segment = node->is_segment();
  const int deleted_id = segment ? node->segment()->segment_id : 0;
  std::vector<const COrvoBuilderCntrItem*> doomed;

  if (segment) {
    EnsureSegmentArray();
    group_j.RemoveSegmentRow(deleted_id - 1);
    if (deleted_id >= 1 && deleted_id <= static_cast<int>(segment_array_.size())) {
      segment_array_[static_cast<size_t>(deleted_id - 1)] = nullptr;
    }
    const std::string id_text = IntText(deleted_id);
    for (const auto& other : nodes_) {
      if (other->is_label() && other->label()->text == id_text) doomed.push_back(other.get());
      // An exchange left with an end of 0 would become an inflow or outflow nobody drew,
      // so the segment's exchanges go with it.
      if (other->is_exchange() && (other->exchange()->upstream == deleted_id ||
                                   other->exchange()->downstream == deleted_id)) {
        doomed.push_back(other.get());
      }
      if (other->is_segment() && other->segment()->IBOTSEG == deleted_id) {
        other->segment()->IBOTSEG = 0;
      }
    }
  }

  // Closing the gap: every segment after the deleted one moves down by one, and so does
  // every reference to it (ID labels, exchange ends, bottom segments). A reference is
  // renumbered when it names a segment that the array holds, exactly once.
  std::vector<COrvoBuilderCntrItem*> later;
  if (segment) {
    for (size_t i = std::max(deleted_id, 0); i < segment_array_.size(); ++i) {
      later.push_back(segment_array_[i]);
    }
  }
  const auto shifts = [&](int value) {
    return value > deleted_id && value <= static_cast<int>(segment_array_.size()) &&
           segment_array_[static_cast<size_t>(value - 1)] != nullptr;
  };

  doomed.push_back(node);
  const std::unordered_set<const COrvoBuilderCntrItem*> gone(doomed.begin(), doomed.end());
  if (segment) {
    for (const auto& other : nodes_) {
      if (gone.count(other.get())) continue;
      if (other->is_label()) {
        int value;
        if (IntegerText(other->label()->text, value) && shifts(value)) {
          other->label()->text = IntText(value - 1);
        }
      } else if (other->is_exchange()) {
        ExchangeData& e = *other->exchange();
        if (shifts(e.upstream)) --e.upstream;
        if (shifts(e.downstream)) --e.downstream;
      } else if (other->is_segment()) {
        if (shifts(other->segment()->IBOTSEG)) --other->segment()->IBOTSEG;
      }
    }
    for (COrvoBuilderCntrItem* moved : later) {
      if (moved != nullptr) moved->segment()->segment_id -= 1;
    }
  }

  EraseNodes(doomed);
  SetModifiedFlag();
  if (segment) {
    group_a.NOSEG -= 1;
    BuildSegmentArray();
  }
  UpdateAllViews(kHintRedrawAll);
}

int CountExchangesOf(const COrvoBuilderDoc& doc, const COrvoBuilderCntrItem& node) {
  if (!node.is_segment() || node.segment() == nullptr) return 0;
  const int id = node.segment()->segment_id;
  const auto& nodes = doc.nodes();
  return static_cast<int>(std::count_if(nodes.begin(), nodes.end(), [id](const auto& other) {
    return other->is_exchange() && other->exchange() != nullptr &&
           (other->exchange()->upstream == id || other->exchange()->downstream == id);
  }));
}

void COrvoBuilderDoc::DeleteNetwork() {
  NoteStructureChange();
  UpdateAllViews(kHintNetworkDeleting);
  if (!nodes_.empty()) SetModifiedFlag();
  nodes_.clear();
  segment_array_.clear();
  segment_array_built_ = false;
  UpdateAllViews(kHintRedrawAll);
}

void COrvoBuilderDoc::ChangeSegmentID(COrvoBuilderCntrItem& node, int old_id) {
  if (!node.is_segment()) return;
  NoteNodeChange(node);
  const int wanted = node.segment()->segment_id;
  node.segment()->segment_id = old_id;
  if (wanted < 1 || wanted > NOSEG()) {
    platform_->ShowMessage("You must enter a segment ID that ranges from 1.." + IntText(NOSEG()) +
                           ".  Segment ID reverted.");
    return;
  }
  if (wanted == old_id) return;
  const std::optional<int> choice =
      platform_->AskChoice("Insert Segment",
                           {"Juxtapose segment " + IntText(old_id) + " with " + IntText(wanted),
                            "Insert and shift segments up."},
                           0);
  if (!choice) return;
  BuildSegmentArray();
  // Every segment the move touches must be on the drawing before anything moves.
  const bool shift = *choice != 0;
  const int step = wanted > old_id ? 1 : -1;
  for (int id = shift ? old_id + step : wanted; id != wanted + step; id += step) {
    if (GetSegmentNode(id) == nullptr) {
      platform_->ShowMessage("Segment " + IntText(id) +
                             " is not in the network.  Segment ID reverted.");
      return;
    }
  }
  if (!shift) {
    node.SwapGeometry(*GetSegmentNode(wanted));
  } else {
    // The moved segment's drawing travels step by step to the new place; each segment it
    // passes takes the place it left.
    for (int id = old_id; id != wanted; id += step) node.SwapGeometry(*GetSegmentNode(id + step));
  }
  UpdateAllViews(kHintRedrawAll);
}

COrvoBuilderCntrItem* COrvoBuilderDoc::HitTest(int x, int y) const {
  for (auto it = nodes_.rbegin(); it != nodes_.rend(); ++it) {
    if ((*it)->Contains(x, y)) return it->get();
  }
  return nullptr;
}

void COrvoBuilderDoc::AddObserver(DocumentObserver* observer) {
  observers_.push_back(observer);
}

void COrvoBuilderDoc::RemoveObserver(DocumentObserver* observer) {
  std::erase(observers_, observer);
}

void COrvoBuilderDoc::UpdateAllViews(UpdateHint hint, int node_number) const {
  for (DocumentObserver* observer : observers_) observer->OnDocumentUpdate(hint, node_number);
}

COrvoBuilderCntrItem* COrvoBuilderDoc::FindNode(int number) const {
  if (number <= 0) return nullptr;
  const auto found =
      std::lower_bound(nodes_.begin(), nodes_.end(), number,
                       [](const auto& node, int wanted) { return node->number() < wanted; });
  if (found != nodes_.end() && (*found)->number() == number) return found->get();
  for (const auto& node : nodes_)
    if (node->number() == number) return node.get();
  return nullptr;
}

}  // namespace orvo
