// Saving, reloading and damaging a group holder's project-file record, shared by the holders'
// tests so that each of them states only its own bytes and rules.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

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

// Loading `saved` into a fresh holder fails with `error`.
template <class Group>
void ExpectLoadFails(const std::string& saved, const std::string& error) {
  Group loaded;
  ArchiveReader ar(saved);
  EXPECT_FALSE(loaded.Serialize(ar, 1));
  EXPECT_EQ(ar.error(), error);
}

// The next group's cookie stops the load right after the cookie, and every shorter prefix of a
// good record fails instead of reading past its end.
template <class Group>
void ExpectDamagedRecordsFail(const std::string& saved, char letter) {
  std::string wrong = saved;
  wrong[0] = static_cast<char>(wrong[0] + 1);
  Group loaded;
  ArchiveReader ar(wrong);
  EXPECT_FALSE(loaded.Serialize(ar, 1));
  EXPECT_EQ(ar.error(),
            std::string("Error reading group ") + letter + " from archive (bad cookie).");
  EXPECT_EQ(ar.position(), 2u);
  for (size_t size = 0; size < saved.size(); ++size) {
    Group cut;
    ArchiveReader prefix(std::string_view(saved).substr(0, size));
    EXPECT_FALSE(cut.Serialize(prefix, 1)) << "prefix " << size;
    EXPECT_FALSE(prefix.ok());
  }
}

}  // namespace orvo::testing
