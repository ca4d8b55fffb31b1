// What each data group does with a deck: its card writer, its completeness findings and,
// for groups with per-node data, the check of one node. One unit per card implements its
// part (card_a_write.cpp ... card_j_write.cpp, beside the readers deck/card_<x>_read.cpp); the
// registry in deck/card_registry.h lists them.
//
// Card writers append their card to `out`, walk the holder and, for per-node data, the
// document's node list in order, and return false (after reporting why through the
// platform) when the card could not be written as the deck layout demands. They never change
// the project.
#pragma once

#include <string>
#include <vector>

#include "groups/deck_format.h"
#include "groups/variation.h"
#include "model/project_document.h"

namespace orvo {

namespace group_a {
// Replacement titles are used when not empty (sensitivity runs name their decks so).
bool WriteCard(const COrvoBuilderDoc& doc, DeckOut& out, const std::string& title1 = {},
               const std::string& title2 = {});
void Check(const COrvoBuilderDoc& doc, std::vector<std::string>& findings);
}  // namespace group_a

namespace group_b {
bool WriteCard(const COrvoBuilderDoc& doc, DeckOut& out, const Variation* variation = nullptr);
void Check(const COrvoBuilderDoc& doc, std::vector<std::string>& findings);
std::string NodeCheck(const COrvoBuilderDoc& doc, const COrvoBuilderCntrItem& node);
}  // namespace group_b

namespace group_c {
bool WriteCard(const COrvoBuilderDoc& doc, DeckOut& out, const Variation* variation = nullptr);
void Check(const COrvoBuilderDoc& doc, std::vector<std::string>& findings);
std::string NodeCheck(const COrvoBuilderDoc& doc, const COrvoBuilderCntrItem& node);
}  // namespace group_c

namespace group_d {
bool WriteCard(const COrvoBuilderDoc& doc, DeckOut& out, const Variation* variation = nullptr);
void Check(const COrvoBuilderDoc& doc, std::vector<std::string>& findings);
std::string NodeCheck(const COrvoBuilderDoc& doc, const COrvoBuilderCntrItem& node);
}  // namespace group_d

namespace group_e {
bool WriteCard(const COrvoBuilderDoc& doc, DeckOut& out, const Variation* variation = nullptr);
void Check(const COrvoBuilderDoc& doc, std::vector<std::string>& findings);
std::string NodeCheck(const COrvoBuilderDoc& doc, const COrvoBuilderCntrItem& node);
// Segment nodes that are boundary segments of system (from 0), in segment ID order.
std::vector<const COrvoBuilderCntrItem*> BoundarySegments(const COrvoBuilderDoc& doc, int system);
// Breaks of each system's boundary functions, taken from segment 1 (0 without one).
std::vector<int> BreakCounts(const COrvoBuilderDoc& doc);
// Adds (0, 0) breakpoints at the start of, or removes breakpoints from the start of, every
// segment's function for system until it has `breaks` breaks.
void ChangeBreakCount(COrvoBuilderDoc& doc, int system, int breaks);
}  // namespace group_e

namespace group_f {
bool WriteCard(const COrvoBuilderDoc& doc, DeckOut& out, const Variation* variation = nullptr);
void Check(const COrvoBuilderDoc& doc, std::vector<std::string>& findings);
std::string NodeCheck(const COrvoBuilderDoc& doc, const COrvoBuilderCntrItem& node);
// Segment nodes that are load segments of system (from 0), in segment ID order.
std::vector<const COrvoBuilderCntrItem*> LoadSegments(const COrvoBuilderDoc& doc, int system);
}  // namespace group_f

namespace group_g {
bool WriteCard(const COrvoBuilderDoc& doc, DeckOut& out, const Variation* variation = nullptr);
void Check(const COrvoBuilderDoc& doc, std::vector<std::string>& findings);
std::string NodeCheck(const COrvoBuilderDoc& doc, const COrvoBuilderCntrItem& node);
}  // namespace group_g

namespace group_h {
bool WriteCard(const COrvoBuilderDoc& doc, DeckOut& out, const Variation* variation = nullptr);
void Check(const COrvoBuilderDoc& doc, std::vector<std::string>& findings);
}  // namespace group_h

namespace group_i {
bool WriteCard(const COrvoBuilderDoc& doc, DeckOut& out);
void Check(const COrvoBuilderDoc& doc, std::vector<std::string>& findings);
// Slots whose function holds at least one breakpoint, in slot order.
std::vector<int> DefinedFunctions(const COrvoBuilderDoc& doc);
}  // namespace group_i

namespace group_j {
bool WriteCard(const COrvoBuilderDoc& doc, DeckOut& out, const Variation* variation = nullptr);
}  // namespace group_j

// Segment nodes by segment ID: entry id - 1, null where no node has that ID. Built as the
// document's segment array is (a later node wins), without touching the document.
std::vector<const COrvoBuilderCntrItem*> SegmentsById(const COrvoBuilderDoc& doc);

}  // namespace orvo
