// COrvoBuilderDoc: one project in memory. It owns the ten group holders and the network,
// an ordered list of nodes, and keeps NOSEG (group A) equal to the segments it numbers.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/group_a.h"
#include "model/group_b.h"
#include "model/group_c.h"
#include "model/group_d.h"
#include "model/group_e.h"
#include "model/group_f.h"
#include "model/group_g.h"
#include "model/group_h.h"
#include "model/group_i.h"
#include "model/group_j.h"
#include "model/network_node.h"
#include "model/platform.h"
#include "model/value_range_table.h"

namespace orvo {

// Update hints for the views.
enum UpdateHint : int {
  kHintRedrawAll = 0,
  kHintNetworkDeleting = 1,
  kHintNodeChanged = 2,
  kHintNetworkBuilt = 3,
  // The undo history or the modified marker changed (a step recorded, undone or redone; the
  // document saved or marked), so that windows show the marker and the undo items without
  // asking.
  kHintHistoryChanged = 4,
};

class OrvoClass;

class DocumentObserver {
 public:
  virtual ~DocumentObserver() = default;
  // `node_number` names the node concerned (kHintNodeChanged), 0 for none. Windows keep node
  // numbers, not pointers: a number outlives the node objects undo and redo replace.
  virtual void OnDocumentUpdate(UpdateHint hint, int node_number) = 0;
};

// The groups an undo step may change directly (bits of BeginStep's groups): a step keeps
// copies of these as they were before it. Changes the document makes itself (group F loads
// copied from a segment, segment rows of groups A and J) are noticed without being named.
enum StepGroups : unsigned {
  kNoGroups = 0,
  kGroupA = 1u << 0,
  kGroupB = 1u << 1,
  kGroupC = 1u << 2,
  kGroupD = 1u << 3,
  kGroupE = 1u << 4,
  kGroupF = 1u << 5,
  kGroupG = 1u << 6,
  kGroupH = 1u << 7,
  kGroupI = 1u << 8,
  kGroupJ = 1u << 9,
  kAllGroups = (1u << 10) - 1,
};

// Exchange placement modes of AddExchange.
enum ExchangeMode : int { kInterface = 0, kInflow = 1, kOutflow = 2 };

struct DocumentSnapshot;
struct NodeState;

// The ten data group holders, A to J: the document's own, and those an undo state keeps.
struct DataGroups {
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

  static constexpr int kCount = 10;

  // f(holder) for every holder, A to J.
  template <typename F>
  void ForEachGroup(F&& f) {
    Each(*this, f);
  }
  template <typename F>
  void ForEachGroup(F&& f) const {
    Each(*this, f);
  }
  // f(holder) for holder index 0 (A) to 9 (J).
  template <typename F>
  void WithGroup(int index, F&& f) {
    WithOne(*this, index, f);
  }
  template <typename F>
  void WithGroup(int index, F&& f) const {
    WithOne(*this, index, f);
  }

 private:
  template <typename Self, typename F>
  static void Each(Self& self, F&& f) {
    f(self.group_a);
    f(self.group_b);
    f(self.group_c);
    f(self.group_d);
    f(self.group_e);
    f(self.group_f);
    f(self.group_g);
    f(self.group_h);
    f(self.group_i);
    f(self.group_j);
  }
  template <typename Self, typename F>
  static void WithOne(Self& self, int index, F& f) {
    int at = 0;
    Each(self, [&](auto& group) {
      if (at++ == index) f(group);
    });
  }
};

class COrvoBuilderDoc : public DataGroups {
 public:
  explicit COrvoBuilderDoc(Platform& platform);
  ~COrvoBuilderDoc();
  COrvoBuilderDoc(const COrvoBuilderDoc&) = delete;
  COrvoBuilderDoc& operator=(const COrvoBuilderDoc&) = delete;

  Platform& platform() const { return *platform_; }

  // The deck read last by "Read ORVO Input Dataset"; consulted by later operations.
  std::shared_ptr<const OrvoClass> dataset_reader;
  std::string application_directory;  // with a trailing "/"
  std::string input_deck_path;
  std::string run_file_path;
  std::string range_file_path;
  // Filled from the ranges file only when the ranges are edited; empty means no bounds.
  ValueRangeTable value_ranges;
  int imported_NOSEG = 0;
  int imported_NOSYS = 0;
  int extent_width = 10000;
  int extent_height = 500;

  // The node list, in creation (or file) order.
  const std::vector<std::unique_ptr<COrvoBuilderCntrItem>>& nodes() const { return nodes_; }
  // Constructs a node with the next node number and appends it to the list.
  COrvoBuilderCntrItem* NewNode();
  // The node with this number, or nullptr. The list is in number order (numbers only grow
  // and undo keeps the order), so this is a binary search; a file that stored its nodes out of
  // order is searched through.
  COrvoBuilderCntrItem* FindNode(int number) const;

  COrvoBuilderCntrItem* GetSegmentNode(int segment_id);
  void BuildSegmentArray();
  void AddSegment(COrvoBuilderCntrItem& node);
  COrvoBuilderCntrItem* AddExchange(COrvoBuilderCntrItem* from, COrvoBuilderCntrItem* to,
                                    ExchangeMode mode);
  void DeleteNode(COrvoBuilderCntrItem* node);
  void DeleteNetwork();
  void ChangeSegmentID(COrvoBuilderCntrItem& node, int old_id);
  bool RemoveItem(const COrvoBuilderCntrItem* node);
  // Runs the node's dialog (true for OK) and carries out a segment ID typed into it.
  void EditProperties(COrvoBuilderCntrItem& node,
                      const std::function<bool(COrvoBuilderCntrItem&)>& dialog);
  COrvoBuilderCntrItem* HitTest(int x, int y) const;
  // Sets parameter 5 (field 0) or 6 (field 1) of every exchange node to count.
  void SetExchangeFunctionCount(int field, int count);

  // The group G record a new segment starts with, for the current simulation type.
  const std::string& DefaultSegmentGroupG();

  // Project file. Save writes a temporary file beside path and renames it over path, so a
  // failed save leaves the previous file as it was. Load expects a new, empty document; on
  // failure it reports the reason and leaves the document unchanged.
  bool Save(const std::string& path);
  bool Load(const std::string& path);
  std::string SaveToBytes() const;
  bool LoadFromBytes(std::string_view bytes, std::string& error);

  bool IsModified() const { return modified_; }
  // Marking the document unmodified also marks the current state as the saved one.
  void SetModifiedFlag(bool modified = true);

  // Undo history. Every change between BeginStep and the matching EndStep becomes one step,
  // recorded only when the document differs afterwards; nested pairs make one step. A step
  // keeps what it touched (nodes changed, groups named in groups or changed by the document)
  // and costs that much; one that adds or removes nodes keeps the whole network. Undo and
  // Redo send the views hint 1 (drop every node pointer) and then hint 3. Undoing back to
  // the state last saved or loaded clears the modified flag. Loading a project file clears
  // the history.
  void BeginStep(const std::string& label, unsigned groups = kAllGroups);
  void EndStep();
  // Ends the outermost step by putting back what it changed, as if it had never begun
  // (an operation cancelled half-way); a nested call only ends its pair.
  void AbandonStep();
  bool CanUndo() const;
  bool CanRedo() const;
  std::string UndoLabel() const;
  std::string RedoLabel() const;
  bool Undo();
  bool Redo();
  void ClearHistory();

  void AddObserver(DocumentObserver* observer);
  void RemoveObserver(DocumentObserver* observer);
  void UpdateAllViews(UpdateHint hint, int node_number = 0) const;

 private:
  friend class COrvoBuilderCntrItem;

  int NOSEG() const { return group_a.NOSEG; }
  // Called by a segment node whose group F value was set.
  void CopyLoadsToGroupF(const SegmentData& segment);
  // Unlinks and destroys the nodes in doomed (one pass) and drops their numbers from every
  // anchor list.
  void EraseNodes(const std::vector<const COrvoBuilderCntrItem*>& doomed);
  void EnsureSegmentArray();
  // What an open undo step is told before the change is made.
  void NoteNodeChange(const COrvoBuilderCntrItem& node);
  void NoteGroupChange(int index);
  void NoteStructureChange();

  Platform* platform_;
  std::vector<std::unique_ptr<COrvoBuilderCntrItem>> nodes_;
  std::vector<COrvoBuilderCntrItem*> segment_array_;
  bool segment_array_built_ = false;
  int invalid_segment_ids_ = 0;  // nodes left out of the last segment array
  std::vector<DocumentObserver*> observers_;
  bool modified_ = false;
  int default_group_g_type_ = -2;
  std::string default_group_g_;

  // The current state, sharing every record that equals reference's.
  std::unique_ptr<DocumentSnapshot> TakeSnapshot(const DocumentSnapshot* reference) const;
  void RestoreSnapshot(const DocumentSnapshot& snapshot);
  void EscalateStep();
  static void ApplyNodeState(COrvoBuilderCntrItem& node, const NodeState& state);
  struct PartialState;
  void CheckStepJournal() const;
  std::unique_ptr<PartialState> RestorePartial(PartialState& target);
  void MoveThroughHistory(bool undo);
  struct History;
  std::unique_ptr<History> history_;
};

// Makes the changes of its lifetime one undo step.
class ScopedStep {
 public:
  ScopedStep(COrvoBuilderDoc& document, const std::string& label, unsigned groups = kAllGroups)
      : document_(document) {
    document_.BeginStep(label, groups);
  }
  ~ScopedStep() { document_.EndStep(); }
  ScopedStep(const ScopedStep&) = delete;
  ScopedStep& operator=(const ScopedStep&) = delete;

 private:
  COrvoBuilderDoc& document_;
};

}  // namespace orvo
