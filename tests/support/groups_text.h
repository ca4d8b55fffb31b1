// The ten group holders as text for expected files: one line per group, its project-file
// record with every byte outside printable ASCII (and "\") as \xNN.
#pragma once

#include <cstdio>
#include <string>

#include "model/archive.h"
#include "model/project_document.h"

namespace orvo::testing {

template <class Group>
std::string GroupLine(char letter, const Group& group) {
  ArchiveWriter ar;
  group.Serialize(ar);
  std::string line = std::string("group ") + letter + "\t";
  for (const unsigned char c : ar.bytes()) {
    if (c >= 0x20 && c < 0x7f && c != '\\') {
      line += static_cast<char>(c);
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
      line += escaped;
    }
  }
  return line + "\n";
}

inline std::string GroupsText(const COrvoBuilderDoc& doc) {
  return GroupLine('A', doc.group_a) + GroupLine('B', doc.group_b) + GroupLine('C', doc.group_c) +
         GroupLine('D', doc.group_d) + GroupLine('E', doc.group_e) + GroupLine('F', doc.group_f) +
         GroupLine('G', doc.group_g) + GroupLine('H', doc.group_h) + GroupLine('I', doc.group_i) +
         GroupLine('J', doc.group_j);
}

}  // namespace orvo::testing
