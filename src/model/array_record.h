// A string array as a record of the project file: its text, parsed when read. The group
// holders' readers share it.
#pragma once

#include <string>

#include "model/archive.h"
#include "model/string_array.h"

namespace orvo {

// False, the array as it was, when the record cannot be read or its text does not parse; the
// reader then fails with the array's message.
inline bool ReadArray(ArchiveReader& ar, StringArray& array) {
  const std::string text = ar.String();
  if (!ar.ok()) return false;
  if (!array.FromString(text)) {
    ar.Fail(array.error());
    return false;
  }
  return true;
}

}  // namespace orvo
