// Pieces that cards E and F share: both keep one time function per system on every segment
// and write them system by system in the same record shape.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "groups/deck_format.h"
#include "groups/variation.h"
#include "model/project_document.h"

namespace orvo::group_e {

// Systems the cards cover: NOSYS, at most the eight settings slots.
int SystemCount(const COrvoBuilderDoc& doc);

// A segment with its per-system record taken apart once: entry k is the string form of the
// function for system k, viewed in the node's record.
struct SystemRecord {
  const COrvoBuilderCntrItem* node;
  int segment_id;
  std::span<const std::string_view> systems;
};

// Segment nodes in ID order, each with the record `field` (group_e or group_f) parsed. Most
// segments share one copy of their record (no function at all): a copy is taken apart once.
class SystemRecords {
 public:
  SystemRecords(const COrvoBuilderDoc& doc, SharedText SegmentData::*field);
  // The records view the parts this object holds.
  SystemRecords(const SystemRecords&) = delete;
  SystemRecords& operator=(const SystemRecords&) = delete;

  std::vector<SystemRecord>::const_iterator begin() const { return records_.begin(); }
  std::vector<SystemRecord>::const_iterator end() const { return records_.end(); }

 private:
  std::vector<SystemRecord> records_;
  // The parts of each record copy, by the copy's address.
  std::unordered_map<const std::string*, std::vector<std::string_view>> parts_;
};

// The numbers of one system's function; empty when the entry is missing or no list.
std::vector<std::string> FunctionNumbers(const SystemRecord& record, int system);

// Flags by segment ID (index ID) of the variation's targets, so a lookup costs nothing.
std::vector<bool> TargetFlags(const Variation& variation, int noseg);

// One record 3 entry: "%5d" with the segment ID, then the function's block. When varied,
// every value (not the times) is replaced and carried as "%g" text as the deck would hold it.
bool WriteSegmentFunction(DeckOut& out, int segment_id, std::vector<std::string> numbers,
                          const Variation* variation);

// The node check of a per-system record: none when no system has a break, first_missing
// followed by the 1-based system without one, else all.
std::string SystemsNodeCheck(const COrvoBuilderCntrItem& node, SharedText SegmentData::*field,
                             const std::string& none, const std::string& first_missing,
                             const std::string& all);

}  // namespace orvo::group_e
