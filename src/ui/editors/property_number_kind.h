// How the property panel and the segment table check what is typed into a node value's cell.
#pragma once

#include "groups/node_properties.h"
#include "ui/widgets/number_field.h"

namespace orvo::ui {

inline NumberKind NumberKindOf(node_properties::Kind kind) {
  switch (kind) {
    case node_properties::Kind::kInteger:
      return NumberKind::kInteger;
    case node_properties::Kind::kRealList:
      return NumberKind::kRealList;
    default:
      return NumberKind::kReal;
  }
}

}  // namespace orvo::ui
