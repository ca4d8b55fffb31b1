// A longitudinal profile: one variable of a run at one time step along a path of segments,
// either picked one by one or followed downstream through the network's exchanges.
#pragma once

#include <string>
#include <vector>

#include "results/output_table.h"

namespace orvo {

class COrvoBuilderDoc;
class OrvoOutputData;

// The segments downstream of start, start first: each step takes the first exchange (in node
// order) leaving the current segment for a segment not yet on the path; the path ends at the
// outside of the model (ID 0), at a segment with no such exchange, or where it would loop.
// Empty when start is no segment of the document.
std::vector<int> DownstreamChain(const COrvoBuilderDoc& document, int start);

// "3, 5-7, 12" -> 3, 5, 6, 7, 12 in the order given (blanks and commas separate; a range
// may run downwards: "7-5" -> 7, 6, 5). false with a message in error for anything that is
// not an ID from 1 to segment_count, and for more than max_segments IDs.
bool ParseSegmentPath(const std::string& text, int segment_count, std::vector<int>& path,
                      std::string& error, int max_segments = 100000);

// The path as text ParseSegmentPath reads back, consecutive runs joined ("3, 5-7").
std::string SegmentPathText(const std::vector<int>& path);

struct ProfilePoint {
  int segment_id = 0;
  double value = 0;
  bool missing = false;  // the value could not be read (or is not finite)
};

// The values of the variable at time_step along path.
std::vector<ProfilePoint> ProfileValues(const OrvoOutputData& run, OutputTable table, int variable,
                                        int time_step, const std::vector<int>& path);

}  // namespace orvo
