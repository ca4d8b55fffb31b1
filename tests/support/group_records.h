// Saving and reloading a group holder's project-file record, shared by the holders' tests so
// that each of them states only its own bytes and rules. Damaged records are project cases
// under tests/data/projects (bad_group_*_cookie, group_*_list_of_level_40, ...).
#pragma once

#include <gtest/gtest.h>

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

// Loads `saved` (a record of `version`) into a fresh holder, which must take every byte; a
// current record must save back to the same bytes.
template <class Group>
Group ExpectReloads(const std::string& saved, int version = 1) {
  Group loaded;
  ArchiveReader ar(saved);
  EXPECT_TRUE(loaded.Serialize(ar, version)) << ar.error();
  EXPECT_EQ(ar.remaining(), 0u);
  if (version == 1) {
    EXPECT_EQ(SaveRecord(loaded), saved);
  }
  return loaded;
}

}  // namespace orvo::testing
