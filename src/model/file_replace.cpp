#include "model/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace orvo {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    written += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

FileReplaceResult ReplaceFile(const std::string& path, const ContentWriter& write) {
  std::string temporary = path + ".XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return {false, false, false, errno};
  struct stat old_file;
  ::fchmod(fd, ::stat(path.c_str(), &old_file) == 0 ? old_file.st_mode & 07777 : 0644);
  int write_errno = 0;
  off_t offset = 0;
  const ByteSink sink = [fd, &write_errno, &offset](std::string_view bytes) {
    if (!WriteAll(fd, bytes)) {
      write_errno = errno != 0 ? errno : EIO;
      return false;
    }
    // The disk starts on what is written while the rest is still being made, so that the
    // flush at the end waits only for the last pieces. Only a hint: errors show at fsync.
    ::sync_file_range(fd, offset, static_cast<off_t>(bytes.size()), SYNC_FILE_RANGE_WRITE);
    offset += static_cast<off_t>(bytes.size());
    return true;
  };
  bool written = write(sink);
  if (!written && write_errno == 0) {
    ::close(fd);
    ::unlink(temporary.c_str());
    return {false, true, true, 0};
  }
  if (written && ::fsync(fd) != 0) {
    write_errno = errno;
    written = false;
  }
  const bool closed = ::close(fd) == 0;
  if (!written || !closed || ::rename(temporary.c_str(), path.c_str()) != 0) {
    const int reason = !written ? write_errno : errno;
    ::unlink(temporary.c_str());
    return {false, true, false, reason};
  }
  return {true, true, false, 0};
}

FileReplaceResult ReplaceFileContents(const std::string& path, std::string_view bytes) {
  return ReplaceFile(path, [bytes](const ByteSink& sink) { return sink(bytes); });
}

}  // namespace orvo
