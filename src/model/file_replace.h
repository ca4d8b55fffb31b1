// Saving that never destroys the previous file: the new contents are written in full to a
// temporary file beside it, flushed to disk, and only then take the file's name.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace orvo {

struct FileReplaceResult {
  bool ok = false;
  bool opened = false;     // false: not even the temporary file could be made
  bool cancelled = false;  // the writer gave up without a failed write
  int reason = 0;          // errno of the failure
};

// Takes the next bytes of the file; false once they, or bytes taken before, could not be
// written.
using ByteSink = std::function<bool(std::string_view)>;
// Produces the file's contents through the sink, in as many pieces as it likes; false stops
// the saving. ReplaceFile writes each piece on another thread while the next is made.
using ContentWriter = std::function<bool(const ByteSink& sink)>;

// A replaced file keeps its permissions; a new one gets rw-r--r--. On failure or cancel the
// temporary file is removed and path is as it was.
FileReplaceResult ReplaceFile(const std::string& path, const ContentWriter& write);
FileReplaceResult ReplaceFileContents(const std::string& path, std::string_view bytes);

}  // namespace orvo
