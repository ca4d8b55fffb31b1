// Reading a whole file into memory in one allocation: the size is asked first, so a large
// deck or project is neither copied while a buffer doubles nor touched twice.
#pragma once

#include <string>

namespace orvo {

// False when path cannot be opened or read (a directory cannot be read either) or holds more
// than a quarter of the machine's memory; bytes is then left empty. A file that grows or
// shrinks while it is read is taken as far as it goes.
bool ReadFileBytes(const std::string& path, std::string& bytes);

}  // namespace orvo
