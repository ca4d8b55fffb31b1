// Builds networks the way the drawing view does, for tests and benchmarks.
#pragma once

#include "model/number_text.h"
#include "model/project_document.h"

namespace orvo::testing {

// A segment of the given type at (left, top), with its ID label tethered to it.
inline COrvoBuilderCntrItem* AddSegmentWithLabel(COrvoBuilderDoc& doc, int left, int top,
                                                 int segment_type = 0) {
  COrvoBuilderCntrItem* segment = doc.NewNode();
  segment->SetType(kSegmentNode);
  segment->SetRect(left, top, left + 32, top + 32);
  doc.AddSegment(*segment);
  segment->SetParameter(3, IntText(segment_type));
  COrvoBuilderCntrItem* label = doc.NewNode();
  label->SetType(kLabelNode);
  label->SetParameter(2, segment->GetParameter(2));
  label->SetParameter(3, "0");
  label->SetRect(left + 20, top - 40, left + 52, top - 8);
  segment->AddAnchor(*label);
  return segment;
}

inline COrvoBuilderCntrItem* AddLabel(COrvoBuilderDoc& doc, const std::string& text) {
  COrvoBuilderCntrItem* label = doc.NewNode();
  label->SetType(kLabelNode);
  label->SetParameter(2, text);
  label->EnsureDefaultSize();
  return label;
}

}  // namespace orvo::testing
