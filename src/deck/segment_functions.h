// What cards E and F share: per system a count and title line, the two factors and one time
// function per listed segment; and the per-segment records their importers build from it.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "deck/deck_record.h"
#include "deck/deck_scanner.h"
#include "model/project_document.h"

namespace orvo::segment_functions {

// The system slots the holders have.
constexpr int kMaxSystems = 8;

struct SystemBlock {
  std::string title;
  double scale = 0;
  double conversion = 0;
  std::vector<SegmentFunction> functions;
};

// Reads shape.NOSYS systems; `group` names the importer in messages ("ReadGroupE"). Record 2
// follows a positive count, or with record2_unless_zero any count but 0 (card F); a
// negative count lists no segments.
bool ParseSystems(DeckScanner& in, const DeckShape& shape, const std::string& group,
                  bool record2_unless_zero, std::vector<SystemBlock>& systems, Platform& platform);

// The pairs as the StringArray text of their "%g" numbers.
std::string FunctionText(const Breaks& breaks);

// The project's NOSYS as far as the slots reach.
int ProjectSystems(const COrvoBuilderDoc& doc);

using SegmentRecords = std::unordered_map<COrvoBuilderCntrItem*, std::vector<std::string>>;

// For every segment node a card names: its new record, `width` empty entries with entry k set
// to the function system k gives it (the last one where a segment is listed twice). IDs
// without a node set `missing`.
SegmentRecords BuildSegmentRecords(COrvoBuilderDoc& doc,
                                   const std::vector<const std::vector<SegmentFunction>*>& systems,
                                   size_t width, bool& missing);

}  // namespace orvo::segment_functions
