// The project file (.orb): magic, version, the ten group records, the range file path and
// the node records. Reading checks every count against the bytes that are left before it
// trusts it, and builds the whole project aside before anything of the document changes.
#include <cerrno>
#include <cstring>
#include <functional>
#include <unordered_map>

#include "model/archive.h"
#include "model/file_bytes.h"
#include "model/file_replace.h"
#include "model/number_text.h"
#include "model/project_document.h"

namespace orvo {
namespace {

constexpr uint16_t kFileMagic = 0x3DBF;
constexpr int32_t kFileVersion = 1;
// Magic, type, geometry, counter and anchor count: the least a node record can hold.
constexpr size_t kSmallestNodeRecord = 2 + 4 * 7;
// Five-column segment IDs end at 99,999.
constexpr int64_t kLargestNetwork = 99999;
// Nodes between two progress reports of a save or load.
constexpr size_t kProgressStep = 8192;

}  // namespace

namespace {

// What the node records will take, give or take a few bytes.
size_t NodeRecordsSize(const COrvoBuilderDoc& doc) {
  size_t size = 0;
  for (const auto& node : doc.nodes()) {
    size += 40 + 8 * node->anchors().size();
    if (const SegmentData* s = node->segment(); s != nullptr && node->is_segment()) {
      size += 72 + s->group_e.size() + s->group_f.size() + s->group_g.size();
    } else if (const ExchangeData* e = node->exchange(); e != nullptr && node->is_exchange()) {
      size += 60 + e->entries.size() + e->group_d.size();
    } else if (const LabelData* l = node->label(); l != nullptr && node->is_label()) {
      size += 16 + l->text.size();
    }
  }
  return size;
}

constexpr size_t kSinkChunk = size_t{1} << 20;

// Hands the gathered bytes to sink once a chunk has gathered (all of them when `all`), so
// that a large project is never held whole. False once the sink failed.
bool Drain(ArchiveWriter& ar, const ByteSink* sink, bool all) {
  if (sink == nullptr || (!all && ar.bytes().size() < kSinkChunk)) return true;
  const bool taken = ar.bytes().empty() || (*sink)(ar.bytes());
  ar.bytes().clear();
  return taken;
}

// False when the sink failed or the user stopped the writing through progress (null: no
// progress shown).
bool WriteProject(const COrvoBuilderDoc& doc, ArchiveWriter& ar, Platform* progress,
                  const ByteSink* sink) {
  ar.U16(kFileMagic);
  ar.I32(kFileVersion);
  doc.group_a.Serialize(ar);
  doc.group_b.Serialize(ar);
  doc.group_c.Serialize(ar);
  doc.group_d.Serialize(ar);
  doc.group_e.Serialize(ar);
  // Groups F and J hold an entry per segment in each system's slot: they are handed on
  // between slots so that their lists are never gathered whole.
  const auto drain = [&ar, sink] { return Drain(ar, sink, false); };
  if (!doc.group_f.Serialize(ar, drain)) return false;
  doc.group_g.Serialize(ar);
  doc.group_h.Serialize(ar);
  doc.group_i.Serialize(ar);
  if (!doc.group_j.Serialize(ar, drain)) return false;
  ar.String(doc.range_file_path);
  const auto& nodes = doc.nodes();
  ar.I32(static_cast<int32_t>(nodes.size()));

  // Node numbers are not stored and loaded nodes are numbered afresh, so tethers are saved
  // as 1-based positions in the node list; an anchor naming no node is kept as it stands.
  std::unordered_map<int, size_t> position_of;
  position_of.reserve(nodes.size());
  for (size_t i = 0; i < nodes.size(); ++i) position_of.emplace(nodes[i]->number(), i + 1);
  const int counter = COrvoBuilderCntrItem::NodeNumberCounter();
  std::vector<std::string> anchors;
  const bool report = progress != nullptr && nodes.size() >= kProgressStep;
  for (size_t i = 0; i < nodes.size(); ++i) {
    const auto& node = nodes[i];
    if (report && i % kProgressStep == 0 &&
        !progress->Progress(static_cast<int>(i), static_cast<int>(nodes.size()),
                            "Saving the project...")) {
      return false;
    }
    anchors.clear();
    for (const std::string& anchor : node->anchors()) {
      const int number = AtoI(anchor);
      const auto found = IntText(number) == anchor ? position_of.find(number) : position_of.end();
      anchors.push_back(
          found == position_of.end() ? anchor : IntText(static_cast<long long>(found->second)));
    }
    node->WriteRecord(ar, counter, anchors);
    if (!Drain(ar, sink, false)) return false;
  }
  if (report) {
    const int total = static_cast<int>(nodes.size());
    progress->Progress(total, total, "Saving the project...");
  }
  return Drain(ar, sink, true);
}

}  // namespace

std::string COrvoBuilderDoc::SaveToBytes() const {
  ArchiveWriter ar;
  ar.bytes().reserve(4096 + NodeRecordsSize(*this));
  WriteProject(*this, ar, nullptr, nullptr);
  return std::move(ar.bytes());
}

// A large project reports its progress; stopped there, the load fails with an empty error and
// the document as it was.
bool COrvoBuilderDoc::LoadFromBytes(std::string_view bytes, std::string& error) {
  ArchiveReader ar(bytes);
  // A file without the magic is an old one: version 0, its first two bytes already spent.
  int version = 0;
  if (ar.U16() == kFileMagic) version = ar.I32();

  // Everything is read into a scratch document first.
  COrvoBuilderDoc scratch(*platform_);
  bool groups_read = true;
  scratch.ForEachGroup(
      [&](auto& group) { groups_read = groups_read && group.Serialize(ar, version); });
  if (!groups_read || !ar.ok()) {
    error = ar.error();
    return false;
  }
  // NOSEG sizes what the network keeps per segment; a count no network could reach is damage.
  const int32_t noseg = scratch.group_a.NOSEG;
  if (noseg < 0 ||
      noseg > std::max<int64_t>(kLargestNetwork, static_cast<int64_t>(ar.remaining()))) {
    ar.Fail("The project file is damaged: impossible number of segments " + IntText(noseg) + ".");
  }
  std::string range_path = ar.String();
  const int32_t node_count = ar.I32();
  if (ar.ok() &&
      (node_count < 0 || static_cast<size_t>(node_count) > ar.remaining() / kSmallestNodeRecord)) {
    ar.Fail("The project file is damaged: it cannot hold " + IntText(node_count) + " nodes.");
  }
  if (!ar.ok()) {
    error = ar.error();
    return false;
  }

  scratch.nodes_.reserve(static_cast<size_t>(node_count));
  int stored_counter = COrvoBuilderCntrItem::NodeNumberCounter();
  const bool report = static_cast<size_t>(node_count) >= kProgressStep;
  NodeRecordTexts previous;
  for (int32_t i = 0; i < node_count; ++i) {
    if (report && static_cast<size_t>(i) % kProgressStep == 0 &&
        !platform_->Progress(i, node_count, "Loading the project...")) {
      // Nothing of the document was touched; the caller says nothing more.
      error.clear();
      return false;
    }
    COrvoBuilderCntrItem* node = scratch.NewNode();
    if (!node->ReadRecord(ar, stored_counter, previous)) break;
  }
  if (report) platform_->Progress(node_count, node_count, "Loading the project...");
  if (!ar.ok()) {
    error = ar.error();
    return false;
  }

  // Anchor positions back to the numbers the loaded nodes now have.
  for (const auto& node : scratch.nodes_) {
    for (std::string& anchor : node->anchors_) {
      const int position = AtoI(anchor);
      if (IntText(position) == anchor && position >= 1 && position <= node_count) {
        anchor = IntText(scratch.nodes_[static_cast<size_t>(position - 1)]->number());
      }
    }
  }
  // Numbers are never reused: the counter only moves forward.
  if (stored_counter > COrvoBuilderCntrItem::NodeNumberCounter()) {
    COrvoBuilderCntrItem::SetNodeNumberCounter(stored_counter);
  }

  static_cast<DataGroups&>(*this) = std::move(static_cast<DataGroups&>(scratch));
  range_file_path = std::move(range_path);
  nodes_ = std::move(scratch.nodes_);
  for (const auto& node : nodes_) node->document_ = this;
  segment_array_.clear();
  segment_array_built_ = false;
  default_group_g_type_ = -2;
  ClearHistory();
  SetModifiedFlag(false);
  UpdateAllViews(kHintRedrawAll);
  return true;
}

bool COrvoBuilderDoc::Load(const std::string& path) {
  std::string contents;
  // An empty file is as unreadable as a missing one.
  if (!ReadFileBytes(path, contents) || contents.empty()) {
    platform_->ShowMessage("Unable to open " + path + " for reading.");
    return false;
  }
  std::string error;
  if (!LoadFromBytes(contents, error)) {
    if (error.empty()) return false;  // stopped by the user
    platform_->ShowMessage(error);
    platform_->ShowMessage("Failed to open document " + path + ".");
    return false;
  }
  return true;
}

bool COrvoBuilderDoc::Save(const std::string& path) {
  // Written as it is made, a megabyte at a time, so that a large project is never held whole.
  const FileReplaceResult result = ReplaceFile(path, [this](const ByteSink& sink) {
    ArchiveWriter ar;
    ar.bytes().reserve(kSinkChunk + kSinkChunk / 2);
    return WriteProject(*this, ar, platform_, &sink);
  });
  if (result.cancelled) {
    platform_->ShowMessage("Saving " + path + " was cancelled. The previous file is unchanged.");
    return false;
  }
  if (!result.ok) {
    platform_->ShowMessage("Unable to save " + path + ": " + std::strerror(result.reason) +
                           (result.opened ? ". The previous file is unchanged." : "."));
    return false;
  }
  SetModifiedFlag(false);
  return true;
}

}  // namespace orvo
