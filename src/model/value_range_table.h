// The allowed ranges of group J's per-segment values, as read from the ranges file. Bounds
// are "%g" texts; an empty text means no bound.
#pragma once

#include <string>

namespace orvo {

struct ValueRangeTable {
  std::string path;
  std::string c_name;
  std::string c_min;
  std::string c_max;
  std::string dissf_name;
  std::string dissf_min;
  std::string dissf_max;
};

}  // namespace orvo
