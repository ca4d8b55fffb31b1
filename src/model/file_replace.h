// Saving that never destroys the previous file: the new contents are written in full to a
// temporary file beside it, flushed to disk, and only then take the file's name.
#pragma once

#include <string>
#include <string_view>

namespace orvo {

struct FileReplaceResult {
  bool ok = false;
  bool opened = false;  // false: not even the temporary file could be made
  int reason = 0;       // errno of the failure
};

// A replaced file keeps its permissions; a new one gets rw-r--r--. On failure the temporary
// file is removed and path is as it was.
FileReplaceResult ReplaceFileContents(const std::string& path, std::string_view bytes);

}  // namespace orvo
