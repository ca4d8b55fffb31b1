#include "results/longitudinal_profile.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

#include "model/number_text.h"
#include "model/project_document.h"
#include "results/orvo_output_data.h"

namespace orvo {

std::vector<int> DownstreamChain(const COrvoBuilderDoc& document, int start) {
  std::unordered_set<int> segments;
  std::unordered_map<int, std::vector<int>> leaving;  // upstream ID -> downstream IDs, node order
  for (const auto& node : document.nodes()) {
    if (node->is_segment() && node->segment() != nullptr) {
      segments.insert(node->segment()->segment_id);
    } else if (node->is_exchange() && node->exchange() != nullptr) {
      leaving[node->exchange()->upstream].push_back(node->exchange()->downstream);
    }
  }
  std::vector<int> path;
  if (start < 1 || segments.count(start) == 0) return path;
  std::unordered_set<int> visited;
  int current = start;
  for (;;) {
    path.push_back(current);
    visited.insert(current);
    int next = 0;
    if (const auto found = leaving.find(current); found != leaving.end()) {
      for (int downstream : found->second) {
        if (downstream >= 1 && segments.count(downstream) != 0 && visited.count(downstream) == 0) {
          next = downstream;
          break;
        }
      }
    }
    if (next == 0) return path;
    current = next;
  }
}

bool ParseSegmentPath(const std::string& text, int segment_count, std::vector<int>& path,
                      std::string& error, int max_segments) {
  path.clear();
  std::size_t position = 0;
  const auto is_separator = [](char c) { return c == ',' || c == ' ' || c == '\t' || c == ';'; };
  const auto read_number = [&](int& number) {
    const std::size_t begin = position;
    long long value = 0;
    while (position < text.size() && text[position] >= '0' && text[position] <= '9') {
      if (value <= 1'000'000'000) value = value * 10 + (text[position] - '0');
      ++position;
    }
    if (position == begin) return false;
    number = static_cast<int>(std::min<long long>(value, 2'000'000'000));
    return true;
  };
  const auto bad = [&](const std::string& what) {
    error = what;
    path.clear();
    return false;
  };
  while (position < text.size()) {
    if (is_separator(text[position])) {
      ++position;
      continue;
    }
    int first = 0;
    if (!read_number(first))
      return bad("\"" + text.substr(position, 20) + "\" is not a segment ID");
    int last = first;
    if (position < text.size() && text[position] == '-') {
      ++position;
      if (!read_number(last)) return bad("A range of segments needs an ID after the \"-\"");
    }
    if (position < text.size() && !is_separator(text[position])) {
      return bad("\"" + text.substr(position, 20) + "\" is not a segment ID");
    }
    for (int id : {first, last}) {
      if (id < 1 || id > segment_count) {
        return bad("Segment " + IntText(id) + " is not a segment of the run (1 to " +
                   IntText(segment_count) + ")");
      }
    }
    const int step = last >= first ? 1 : -1;
    if (static_cast<long long>(path.size()) + std::abs(last - first) + 1 > max_segments) {
      return bad("A profile holds at most " + IntText(max_segments) + " segments");
    }
    for (int id = first;; id += step) {
      path.push_back(id);
      if (id == last) break;
    }
  }
  return true;
}

std::string SegmentPathText(const std::vector<int>& path) {
  std::string text;
  for (std::size_t i = 0; i < path.size();) {
    std::size_t j = i;
    while (j + 1 < path.size() && path[j + 1] == path[j] + 1) ++j;
    if (!text.empty()) text += ", ";
    text += IntText(path[i]);
    if (j > i + 1) {
      text += "-" + IntText(path[j]);
    } else if (j == i + 1) {
      text += ", " + IntText(path[j]);
    }
    i = j + 1;
  }
  return text;
}

std::vector<ProfilePoint> ProfileValues(const OrvoOutputData& run, OutputTable table, int variable,
                                        int time_step, const std::vector<int>& path) {
  std::vector<ProfilePoint> points;
  points.reserve(path.size());
  for (int id : path) {
    ProfilePoint point;
    point.segment_id = id;
    point.missing = !run.GetValue(table, variable, id - 1, time_step, point.value) ||
                    !std::isfinite(point.value);
    if (point.missing) point.value = 0;
    points.push_back(point);
  }
  return points;
}

}  // namespace orvo
