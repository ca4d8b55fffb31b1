// A group holder's project-file record, shared by the holders' tests so that each of them states
// only its own bytes and rules. Records read back, damaged or of version 0 are project cases
// under tests/data/projects (every_group_field_set, bad_group_*_cookie, version_zero_file, ...).
#pragma once

#include <initializer_list>
#include <string>

#include "model/archive.h"

namespace orvo::testing {

inline std::string Bytes(std::initializer_list<unsigned char> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

// An empty StringArray as a record stores it.
inline const std::string kEmptyArrayRecord = Bytes({0x15}) + "_StringArrayCookie_0_";

template <class Group>
std::string SaveRecord(const Group& group) {
  ArchiveWriter ar;
  group.Serialize(ar);
  return ar.bytes();
}

}  // namespace orvo::testing
