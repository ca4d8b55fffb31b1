#include "model/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <new>

namespace orvo {
namespace {

// A quarter of the physical memory: what a file expands to once loaded must fit beside it.
std::size_t MemoryLimit() {
  const long pages = ::sysconf(_SC_PHYS_PAGES);
  const long page_size = ::sysconf(_SC_PAGESIZE);
  if (pages <= 0 || page_size <= 0) return SIZE_MAX / 2;
  return static_cast<std::size_t>(pages) / 4 * static_cast<std::size_t>(page_size);
}

// Closes the descriptor on every way out.
struct FileDescriptor {
  int fd;
  ~FileDescriptor() {
    if (fd >= 0) ::close(fd);
  }
};

}  // namespace

bool ReadFileBytes(const std::string& path, std::string& bytes) {
  bytes = std::string();
  const FileDescriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
  struct stat status;
  if (file.fd < 0 || ::fstat(file.fd, &status) != 0 || S_ISDIR(status.st_mode)) return false;
  // Pipes and other special files report no size: they are read a piece at a time.
  constexpr std::size_t kPiece = 64 * 1024;
  const bool regular = S_ISREG(status.st_mode);
  const std::size_t expected = regular ? static_cast<std::size_t>(status.st_size) : 0;
  // What cannot be loaded is refused before any of it is read. A special file stops at a
  // gigabyte: a deck piped in is a few dozen megabytes; a device read by mistake never ends.
  constexpr std::size_t kSpecialFileLimit = std::size_t{1} << 30;
  const std::size_t limit = regular ? MemoryLimit() : std::min(MemoryLimit(), kSpecialFileLimit);
  if (expected >= limit) return false;
  std::size_t filled = 0;
  bool ended = false;
  try {
    // One byte more than the size, so that the end of an unchanged file is seen at once.
    bytes.resize(expected + 1);
    while (!ended && filled < limit) {
      if (filled == bytes.size()) {
        bytes.resize(std::min(limit, bytes.size() + std::max(bytes.size() / 2, kPiece)));
      }
      const ssize_t n = ::read(file.fd, bytes.data() + filled, bytes.size() - filled);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) break;
      ended = n == 0;
      filled += static_cast<std::size_t>(n);
    }
  } catch (const std::bad_alloc&) {
  }
  // A read error, a failed allocation or a special file that did not end.
  if (!ended) {
    bytes = std::string();
    return false;
  }
  bytes.resize(filled);
  return true;
}

}  // namespace orvo
