#include "network_node.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "model/archive.h"
#include "model/number_text.h"
#include "model/project_document.h"
#include "model/string_array.h"
#include "model/string_array_view.h"

namespace orvo {
namespace {

// The only process-wide state of the system: every node ever constructed took a number.
int node_number_counter = 0;

constexpr uint16_t kNodeMagic = 0x6655;

// Parameter booleans: "1" for true, "" for false; "0" and "" read as false.
std::string BoolText(bool value) {
  return value ? "1" : "";
}
bool TextBool(const std::string& text) {
  return !(text.empty() || text == "0");
}

// The canonical string form of a StringArray text, as a node keeping a StringArray would
// give it back. A text without the cookie leaves the previous value (StringArray keeps its
// elements then); a text with an impossible delimiter level is refused.
// An unchanged text keeps its shared copy.
bool StoreArrayText(SharedText& stored, const std::string& text, Platform& platform) {
  StringArray array(std::vector<std::string>{});
  if (!array.FromString(stored)) return false;
  if (!array.FromString(text)) {
    platform.ShowMessage(array.error());
    return false;
  }
  std::string canonical = array.ToString();
  if (stored != canonical) stored = std::move(canonical);
  return true;
}

// The empty array text new nodes start with, one copy for all of them.
const SharedText& EmptyArrayText() {
  static const SharedText empty(StringArray().ToString());
  return empty;
}

// Brings the group B entries to count: copies of the last entry, or ("0.0", "0.0").
void ResizeExchangeEntries(SharedText& entries_text, int count) {
  StringArray entries(entries_text);
  std::vector<std::string>& list = entries.GetList();
  const size_t wanted = count < 0 ? 0 : static_cast<size_t>(count);
  if (list.size() < wanted) {
    std::string fill = list.empty() ? StringArray({"0.0", "0.0"}).ToString() : list.back();
    list.resize(wanted, fill);
  } else {
    list.resize(wanted);
  }
  entries_text = entries.ToString();
}

}  // namespace

COrvoBuilderCntrItem::COrvoBuilderCntrItem(COrvoBuilderDoc& document, int node_number)
    : document_(&document), number_(node_number) {}

int COrvoBuilderCntrItem::NodeNumberCounter() {
  return node_number_counter;
}
void COrvoBuilderCntrItem::SetNodeNumberCounter(int value) {
  node_number_counter = value;
}
int COrvoBuilderCntrItem::TakeNodeNumber() {
  return ++node_number_counter;
}

void COrvoBuilderCntrItem::SetType(NodeType type) {
  document_->NoteNodeChange(*this);
  document_->SetModifiedFlag();
  type_ = type;
  switch (type) {
    case kSegmentNode:
      segment_ = std::make_unique<SegmentData>();
      segment_->group_e = EmptyArrayText();
      segment_->group_f = EmptyArrayText();
      segment_->group_g = document_->DefaultSegmentGroupG();
      break;
    case kExchangeNode:
      exchange_ = std::make_unique<ExchangeData>();
      exchange_->entries = EmptyArrayText();
      exchange_->group_d = EmptyArrayText();
      break;
    case kLabelNode:
      label_ = std::make_unique<LabelData>();
      break;
    default:
      break;
  }
}

void COrvoBuilderCntrItem::SetParameter(int index, const std::string& text) {
  document_->NoteNodeChange(*this);
  if (index == node_param::kType) {
    SetType(static_cast<NodeType>(AtoI(text)));
    return;
  }
  if (index == node_param::kNumber) {
    number_ = AtoI(text);
  } else {
    switch (type_) {
      case kSegmentNode:
        SetSegmentParameter(index, text);
        break;
      case kExchangeNode:
        SetExchangeParameter(index, text);
        break;
      case kLabelNode:
        SetLabelParameter(index, text);
        break;
      default:
        document_->platform().ShowMessage(
            "COrvoBuilderCntrItem::SetParameter called with unknown node type " + IntText(type_));
        return;
    }
  }
  document_->SetModifiedFlag();
}

std::string COrvoBuilderCntrItem::GetParameter(int index) const {
  if (index == node_param::kType) return IntText(type_);
  if (index == node_param::kNumber) return IntText(number_);
  switch (type_) {
    case kSegmentNode:
      return GetSegmentParameter(index);
    case kExchangeNode:
      return GetExchangeParameter(index);
    case kLabelNode:
      return GetLabelParameter(index);
    default:
      document_->platform().ShowMessage(
          "COrvoBuilderCntrItem::GetParameter called with unknown node type " + IntText(type_));
      return "<error>";
  }
}

void COrvoBuilderCntrItem::SetSegmentParameter(int index, const std::string& text) {
  SegmentData& s = *segment_;
  Platform& platform = document_->platform();
  switch (index) {
    case segment_param::kSegmentId:
      s.segment_id = AtoI(text);
      break;
    case segment_param::kSegmentType:
      s.segment_type = AtoI(text);
      break;
    case segment_param::kIBOTSEG:
      s.IBOTSEG = AtoI(text);
      break;
    case segment_param::kDMULT:
      s.DMULT = AtoF(text);
      break;
    case segment_param::kDXP:
      s.DXP = AtoF(text);
      break;
    case segment_param::kVEXP:
      s.VEXP = AtoF(text);
      break;
    case segment_param::kVMULT:
      s.VMULT = AtoF(text);
      break;
    case segment_param::kBVOL:
      s.BVOL = AtoF(text);
      break;
    case segment_param::kGroupE:
      StoreArrayText(s.group_e, text, platform);
      break;
    case segment_param::kGroupF:
      if (StoreArrayText(s.group_f, text, platform)) document_->CopyLoadsToGroupF(s);
      break;
    case segment_param::kGroupG:
      StoreArrayText(s.group_g, text, platform);
      break;
    default:
      break;
  }
}

std::string COrvoBuilderCntrItem::GetSegmentParameter(int index) const {
  const SegmentData& s = *segment_;
  switch (index) {
    case segment_param::kSegmentId:
      return IntText(s.segment_id);
    case segment_param::kSegmentType:
      return IntText(s.segment_type);
    case segment_param::kIBOTSEG:
      return IntText(s.IBOTSEG);
    case segment_param::kDMULT:
      return RealText(s.DMULT);
    case segment_param::kDXP:
      return RealText(s.DXP);
    case segment_param::kVEXP:
      return RealText(s.VEXP);
    case segment_param::kVMULT:
      return RealText(s.VMULT);
    case segment_param::kBVOL:
      return RealText(s.BVOL);
    case segment_param::kGroupE:
      return s.group_e;
    case segment_param::kGroupF:
      return s.group_f;
    case segment_param::kGroupG:
      return s.group_g;
    default:
      return "";
  }
}

// The function counts keep the entries sized for the exchange's own field: a change of the
// surface-water count resizes them when the exchange is a surface-water exchange, and the
// pore-water count likewise for pore-water exchanges.
void COrvoBuilderCntrItem::SetExchangeParameter(int index, const std::string& text) {
  ExchangeData& e = *exchange_;
  switch (index) {
    case exchange_param::kUpstream:
      e.upstream = AtoI(text);
      break;
    case exchange_param::kDownstream:
      e.downstream = AtoI(text);
      break;
    case exchange_param::kExchangeField:
      e.exchange_field = AtoI(text);
      break;
    case exchange_param::kSurfaceCount: {
      const int count = AtoI(text);
      const bool changed = count != e.surface_count;
      e.surface_count = count;
      if (changed && e.exchange_field == 0) ResizeExchangeEntries(e.entries, count);
      break;
    }
    case exchange_param::kPoreCount: {
      const int count = AtoI(text);
      const bool changed = count != e.pore_count;
      e.pore_count = count;
      if (changed && e.exchange_field == 1) ResizeExchangeEntries(e.entries, count);
      break;
    }
    case exchange_param::kEntries:
      StoreArrayText(e.entries, text, document_->platform());
      break;
    case exchange_param::kGroupD:
      StoreArrayText(e.group_d, text, document_->platform());
      break;
    default:
      break;
  }
}

std::string COrvoBuilderCntrItem::GetExchangeParameter(int index) const {
  const ExchangeData& e = *exchange_;
  switch (index) {
    case exchange_param::kUpstream:
      return IntText(e.upstream);
    case exchange_param::kDownstream:
      return IntText(e.downstream);
    case exchange_param::kExchangeField:
      return IntText(e.exchange_field);
    case exchange_param::kSurfaceCount:
      return IntText(e.surface_count);
    case exchange_param::kPoreCount:
      return IntText(e.pore_count);
    case exchange_param::kEntries:
      return e.entries;
    case exchange_param::kGroupD:
      return e.group_d;
    default:
      return "";
  }
}

void COrvoBuilderCntrItem::SetLabelParameter(int index, const std::string& text) {
  if (index == label_param::kText) label_->text = text;
  if (index == label_param::kBorder) label_->border = TextBool(text);
}

std::string COrvoBuilderCntrItem::GetLabelParameter(int index) const {
  if (index == label_param::kText) return label_->text;
  if (index == label_param::kBorder) return BoolText(label_->border);
  return "<error>";
}

void COrvoBuilderCntrItem::Redraw() const {
  document_->UpdateAllViews(kHintNodeChanged, number_);
}

void COrvoBuilderCntrItem::SetRect(int left, int top, int right, int bottom) {
  document_->NoteNodeChange(*this);
  Redraw();
  left_ = std::max(left, 0);
  top_ = std::max(top, 0);
  // The size comes from the unclamped corner, so a node dragged past the edge keeps its
  // far side where it was.
  width_ = right - left;
  height_ = bottom - top;
  Redraw();
}

bool COrvoBuilderCntrItem::Contains(int x, int y) const {
  return x >= left_ && x < left_ + width_ && y >= top_ && y < top_ + height_;
}

void COrvoBuilderCntrItem::SetSize(int width, int height) {
  document_->NoteNodeChange(*this);
  width_ = width;
  height_ = height;
}

void COrvoBuilderCntrItem::SetFont(const std::string& font) {
  if (label_ == nullptr || label_->font == font) return;
  document_->NoteNodeChange(*this);
  label_->font = font;
}

void COrvoBuilderCntrItem::EnsureDefaultSize() {
  if (width_ == 0 && height_ == 0) {
    document_->NoteNodeChange(*this);
    const int size = type_ == kExchangeNode ? 16 : 32;
    width_ = size;
    height_ = size;
  }
  Redraw();
}

void COrvoBuilderCntrItem::SwapGeometry(COrvoBuilderCntrItem& other) {
  document_->NoteNodeChange(*this);
  document_->NoteNodeChange(other);
  std::swap(left_, other.left_);
  std::swap(top_, other.top_);
  std::swap(width_, other.width_);
  std::swap(height_, other.height_);
  Redraw();
  other.Redraw();
}

void COrvoBuilderCntrItem::Delete() {
  for (const auto& node : document_->nodes()) {
    if (node.get() == this) {
      document_->EraseNodes({this});
      return;
    }
  }
}

bool COrvoBuilderCntrItem::AddAnchor(const COrvoBuilderCntrItem& other) {
  const std::string number = IntText(other.number_);
  if (number == "0") {
    document_->platform().ShowMessage(
        "Anchor node needs an ID assigned before a connection can be made.");
    return false;
  }
  if (std::find(anchors_.begin(), anchors_.end(), number) != anchors_.end()) return false;
  document_->NoteNodeChange(*this);
  anchors_.push_back(number);
  return true;
}

void COrvoBuilderCntrItem::RemoveAnchor(const std::string& number) {
  document_->NoteNodeChange(*this);
  anchors_.erase(std::remove(anchors_.begin(), anchors_.end(), number), anchors_.end());
}

void COrvoBuilderCntrItem::WriteRecord(ArchiveWriter& ar, int counter,
                                       const std::vector<std::string>& anchors) const {
  ar.U16(kNodeMagic);
  ar.I32(type_);
  ar.I32(left_);
  ar.I32(top_);
  ar.I32(width_);
  ar.I32(height_);
  ar.I32(counter);
  ar.I32(static_cast<int32_t>(anchors.size()));
  for (const std::string& anchor : anchors) ar.String(anchor);
  switch (type_) {
    case kSegmentNode: {
      const SegmentData& s = *segment_;
      ar.I32(s.segment_id);
      ar.I32(s.segment_type);
      ar.I32(s.IBOTSEG);
      ar.F64(s.DMULT);
      ar.F64(s.DXP);
      ar.F64(s.VEXP);
      ar.F64(s.VMULT);
      ar.F64(s.BVOL);
      ar.String(s.group_e);
      ar.String(s.group_f);
      ar.String(s.group_g);
      break;
    }
    case kExchangeNode: {
      const ExchangeData& e = *exchange_;
      ar.I32(e.upstream);
      ar.I32(e.downstream);
      ar.I32(e.exchange_field);
      ar.I32(e.surface_count);
      ar.I32(e.pore_count);
      ar.String(e.entries);
      // The six portion lists as the elements of the stored array (empty ones past its end).
      thread_local std::vector<std::string_view> portions;
      int level;
      std::string_view error;
      if (!SplitStringArray(e.group_d, portions, level, error)) portions.clear();
      for (size_t field = 0; field < 6; ++field) {
        ar.String(field < portions.size() ? portions[field] : std::string_view());
      }
      break;
    }
    case kLabelNode:
      ar.String(label_->text);
      ar.I32(label_->border ? 1 : 0);
      break;
    default:
      break;
  }
}

namespace {

// A stored StringArray text: validated and kept in its canonical form. Nodes read one after
// another mostly hold the same texts: one stored as the field's text in the node read before
// it was shares that node's copy.
SharedText ReadArrayText(ArchiveReader& ar, NodeRecordTexts::Last& last) {
  const std::string_view stored = ar.StringView();
  if (ar.ok() && !stored.empty() && stored == last.stored) return last.text;
  std::string text(stored);
  std::string_view error;
  if (!CanonicalizeStringArray(text, error)) {
    ar.Fail(std::string(error));
    return EmptyArrayText();
  }
  last.stored.assign(stored);
  last.text = std::move(text);
  return last.text;
}

// The level an array of these elements takes (StringArray::Resync from level 0); false when
// an element nests too deep.
bool ArrayLevel(const std::string_view* elements, size_t count, int& level) {
  level = 0;
  for (size_t i = 0; i < count; ++i) {
    const std::string_view element = elements[i];
    if (element.substr(0, StringArray::kCookie.size()) != StringArray::kCookie) continue;
    const int nested = AtoI(element.substr(StringArray::kCookie.size()));
    if (nested < level) continue;
    if (nested >= StringArray::kMaxLevel) return false;
    level = nested + 1;
  }
  return true;
}

}  // namespace

// Reads the record after the node was constructed (and numbered). The anchors are left as
// stored; the document turns positions back into node numbers once every node exists.
bool COrvoBuilderCntrItem::ReadRecord(ArchiveReader& ar, int& stored_counter,
                                      NodeRecordTexts& previous) {
  if (ar.U16() != kNodeMagic) {
    ar.Fail("The project file is damaged: a node record does not start where expected.");
    return false;
  }
  type_ = static_cast<NodeType>(ar.I32());
  left_ = ar.I32();
  top_ = ar.I32();
  width_ = ar.I32();
  height_ = ar.I32();
  stored_counter = ar.I32();
  const int32_t anchor_count = ar.I32();
  // Each anchor takes at least its length byte.
  if (anchor_count < 0 || static_cast<size_t>(anchor_count) > ar.remaining()) {
    ar.Fail("The project file is damaged: impossible anchor count " + IntText(anchor_count) + ".");
    return false;
  }
  anchors_.clear();
  for (int32_t i = 0; i < anchor_count && ar.ok(); ++i) anchors_.push_back(ar.String());
  switch (type_) {
    case kSegmentNode: {
      if (!segment_) segment_ = std::make_unique<SegmentData>();
      SegmentData& s = *segment_;
      s.segment_id = ar.I32();
      s.segment_type = ar.I32();
      s.IBOTSEG = ar.I32();
      s.DMULT = ar.F64();
      s.DXP = ar.F64();
      s.VEXP = ar.F64();
      s.VMULT = ar.F64();
      s.BVOL = ar.F64();
      s.group_e = ReadArrayText(ar, previous.group_e);
      s.group_f = ReadArrayText(ar, previous.group_f);
      s.group_g = ReadArrayText(ar, previous.group_g);
      break;
    }
    case kExchangeNode: {
      if (!exchange_) exchange_ = std::make_unique<ExchangeData>();
      ExchangeData& e = *exchange_;
      e.upstream = ar.I32();
      e.downstream = ar.I32();
      e.exchange_field = ar.I32();
      e.surface_count = ar.I32();
      e.pore_count = ar.I32();
      e.entries = ReadArrayText(ar, previous.entries);
      // Six portion lists, each a valid array text, kept as the elements of one array.
      std::string_view portions[6];
      thread_local std::vector<std::string_view> scratch;
      for (std::string_view& text : portions) {
        text = ar.StringView();
        int level;
        std::string_view error;
        if (!SplitStringArray(text, scratch, level, error)) ar.Fail(std::string(error));
      }
      int level;
      if (!ArrayLevel(portions, 6, level)) {
        ar.Fail("[StringArray::Resync] Out of array delimiters!");
        level = 0;
      }
      int used;
      std::string group_d;
      FormatStringArray(
          level, 6, [&portions](size_t i) { return portions[i]; }, group_d, used);
      if (previous.group_d != group_d) previous.group_d = std::move(group_d);
      e.group_d = previous.group_d;
      break;
    }
    case kLabelNode:
      if (!label_) label_ = std::make_unique<LabelData>();
      label_->text = ar.String();
      label_->border = ar.I32() != 0;
      break;
    default:
      break;
  }
  return ar.ok();
}

}  // namespace orvo
