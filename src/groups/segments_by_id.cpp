#include "groups/cards.h"

namespace orvo {

std::vector<const COrvoBuilderCntrItem*> SegmentsById(const COrvoBuilderDoc& doc) {
  const int count = doc.group_a.NOSEG > 0 ? doc.group_a.NOSEG : 0;
  std::vector<const COrvoBuilderCntrItem*> segments(static_cast<size_t>(count), nullptr);
  for (const auto& node : doc.nodes()) {
    if (!node->is_segment()) continue;
    const int id = node->segment()->segment_id;
    if (id >= 1 && id <= count) segments[static_cast<size_t>(id - 1)] = node.get();
  }
  return segments;
}

}  // namespace orvo
