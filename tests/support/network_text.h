// A network as text for expected files: the drawing extent, then one line per node in
// node-list order as `orvo dump` prints it (number, type, rectangle, parameters 2 to 12,
// anchors).
#pragma once

#include <sstream>
#include <string>

#include "model/project_document.h"

namespace orvo::testing {

inline std::string NetworkText(const COrvoBuilderDoc& doc) {
  std::ostringstream out;
  out << "extent\t" << doc.extent_width << '\t' << doc.extent_height << '\n';
  for (const auto& node : doc.nodes()) {
    out << node->number() << '\t' << node->type() << '\t' << node->left() << '\t' << node->top()
        << '\t' << node->width() << '\t' << node->height();
    for (int index = 2; index <= 12; ++index) out << '\t' << node->GetParameter(index);
    out << '\t';
    const auto& anchors = node->anchors();
    for (size_t i = 0; i < anchors.size(); ++i) out << (i ? "," : "") << anchors[i];
    out << '\n';
  }
  return out.str();
}

}  // namespace orvo::testing
