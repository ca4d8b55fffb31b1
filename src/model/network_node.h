// A member of the network: a segment, an exchange or a label, with its rectangle on the
// drawing, its tethers and the per-node group data, all reached as text by parameter index.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/shared_text.h"

namespace orvo {

class COrvoBuilderDoc;
class ArchiveReader;
class ArchiveWriter;

enum NodeType : int { kNoType = 0, kSegmentNode = 1, kExchangeNode = 2, kLabelNode = 3 };

// Indices of SetParameter and GetParameter: every node has the first two, each kind its own
// from 2 on. The project file and the parameter interface number them so.
namespace node_param {
inline constexpr int kType = 0;
inline constexpr int kNumber = 1;
}  // namespace node_param
namespace segment_param {
inline constexpr int kSegmentId = 2;
inline constexpr int kSegmentType = 3;
inline constexpr int kIBOTSEG = 4;
inline constexpr int kDMULT = 5;
inline constexpr int kDXP = 6;
inline constexpr int kVEXP = 7;
inline constexpr int kVMULT = 8;
inline constexpr int kBVOL = 9;
inline constexpr int kGroupE = 10;
inline constexpr int kGroupF = 11;
inline constexpr int kGroupG = 12;
}  // namespace segment_param
namespace exchange_param {
inline constexpr int kUpstream = 2;
inline constexpr int kDownstream = 3;
inline constexpr int kExchangeField = 4;
inline constexpr int kSurfaceCount = 5;
inline constexpr int kPoreCount = 6;
inline constexpr int kEntries = 7;  // group B
inline constexpr int kGroupD = 8;
}  // namespace exchange_param
namespace label_param {
inline constexpr int kText = 2;
inline constexpr int kBorder = 3;
}  // namespace label_param

// Segment kind record: the segment ID and the per-segment data of groups C, E, F and G.
// Groups E, F and G are kept as the string form of their StringArray, which is what the
// parameter interface and the project file carry; most segments of a network share theirs.
struct SegmentData {
  int segment_id = 0;
  int segment_type = -1;  // list position: deck ITYPE - 1
  int IBOTSEG = 0;
  double DMULT = 0.0;
  double DXP = 0.0;
  double VEXP = 0.0;
  double VMULT = 0.0;
  double BVOL = 0.0;
  SharedText group_e;  // one time function per system
  SharedText group_f;  // one load function per system
  SharedText group_g;  // 32 label/value pairs

  bool operator==(const SegmentData&) const = default;
};

// Exchange kind record: the two ends and the per-exchange data of groups B and D (texts
// shared as a segment's are).
struct ExchangeData {
  int upstream = 0;
  int downstream = 0;
  int exchange_field = 2;  // 0 surface water, 1 pore water, 2 no exchange data
  int surface_count = 0;   // surface-water exchange functions the entries are sized for
  int pore_count = 0;
  SharedText entries;  // group B (area, length) per exchange function
  SharedText group_d;  // six portion lists, one per flow field

  bool operator==(const ExchangeData&) const = default;
};

struct LabelData {
  std::string text;
  bool border = true;
  std::string font;  // chosen in the desktop program; not kept in the project file

  bool operator==(const LabelData&) const = default;
};

// What a project load carries from one node record to the next: the texts of the node read
// last, by field, so that consecutive nodes holding equal texts share one copy.
struct NodeRecordTexts {
  struct Last {
    std::string stored;  // as in the file
    SharedText text;     // as kept
  };
  Last group_e, group_f, group_g, entries;
  SharedText group_d;
};

class COrvoBuilderCntrItem {
 public:
  // Use COrvoBuilderDoc::NewNode, which numbers the node and appends it to the list.
  COrvoBuilderCntrItem(COrvoBuilderDoc& document, int node_number);

  COrvoBuilderDoc& document() const { return *document_; }

  void SetType(NodeType type);
  void SetParameter(int index, const std::string& text);
  std::string GetParameter(int index) const;

  void SetRect(int left, int top, int right, int bottom);
  void SetSize(int width, int height);
  int width() const { return width_; }
  int height() const { return height_; }
  int left() const { return left_; }
  int top() const { return top_; }
  // (left + width/2, top + height/2), halves truncated toward zero.
  int CenterX() const { return left_ + width_ / 2; }
  int CenterY() const { return top_ + height_ / 2; }
  bool Contains(int x, int y) const;
  void EnsureDefaultSize();
  void SwapGeometry(COrvoBuilderCntrItem& other);

  // Unlinks the node from its document and destroys it; nothing when it is not listed there.
  // The node must not be used afterwards.
  void Delete();

  bool AddAnchor(const COrvoBuilderCntrItem& other);
  void RemoveAnchor(const std::string& number);
  const std::vector<std::string>& anchors() const { return anchors_; }
  // The font a label is drawn with (the desktop program's font description).
  void SetFont(const std::string& font);

  NodeType type() const { return type_; }
  int number() const { return number_; }
  bool is_segment() const { return type_ == kSegmentNode; }
  bool is_exchange() const { return type_ == kExchangeNode; }
  bool is_label() const { return type_ == kLabelNode; }

  // Kind records; null until the node was given that type. Direct access is for the
  // document's own bookkeeping and the readers and writers; edits go through SetParameter.
  SegmentData* segment() const { return segment_.get(); }
  ExchangeData* exchange() const { return exchange_.get(); }
  LabelData* label() const { return label_.get(); }

  // Node record of the project file. Anchors are written as 1-based node-list positions by
  // the caller's mapping (see project_file.cpp), so these take them ready-made.
  void WriteRecord(ArchiveWriter& ar, int counter, const std::vector<std::string>& anchors) const;
  bool ReadRecord(ArchiveReader& ar, int& stored_counter, NodeRecordTexts& previous);

  // The process-wide node-number counter: the number the last constructed node got.
  static int NodeNumberCounter();
  static void SetNodeNumberCounter(int value);
  static int TakeNodeNumber();

 private:
  friend class COrvoBuilderDoc;

  void SetSegmentParameter(int index, const std::string& text);
  void SetExchangeParameter(int index, const std::string& text);
  void SetLabelParameter(int index, const std::string& text);
  std::string GetSegmentParameter(int index) const;
  std::string GetExchangeParameter(int index) const;
  std::string GetLabelParameter(int index) const;
  void Redraw() const;

  COrvoBuilderDoc* document_;
  std::unique_ptr<SegmentData> segment_;
  std::unique_ptr<ExchangeData> exchange_;
  std::unique_ptr<LabelData> label_;
  int width_ = 0;
  int height_ = 0;
  NodeType type_ = kNoType;
  int number_ = 0;
  int left_ = 0;
  int top_ = 0;
  std::vector<std::string> anchors_;
};

}  // namespace orvo
