#include "model/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace orvo {
namespace {

// Closes the descriptor on every way out.
struct FileDescriptor {
  int fd;
  ~FileDescriptor() {
    if (fd >= 0) ::close(fd);
  }
};

}  // namespace

bool ReadFileBytes(const std::string& path, std::string& bytes) {
  bytes.clear();
  const FileDescriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
  struct stat status;
  if (file.fd < 0 || ::fstat(file.fd, &status) != 0 || S_ISDIR(status.st_mode)) return false;
  // Pipes and other special files report no size: they are read a piece at a time.
  constexpr std::size_t kPiece = 64 * 1024;
  std::size_t expected = S_ISREG(status.st_mode) ? static_cast<std::size_t>(status.st_size) : 0;
  std::size_t filled = 0;
  // One byte more than the size, so that the end of an unchanged file is seen at once.
  bytes.resize(expected + 1);
  for (;;) {
    if (filled == bytes.size()) bytes.resize(bytes.size() + std::max(bytes.size() / 2, kPiece));
    const ssize_t n = ::read(file.fd, bytes.data() + filled, bytes.size() - filled);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      bytes.clear();
      return false;
    }
    if (n == 0) break;
    filled += static_cast<std::size_t>(n);
  }
  bytes.resize(filled);
  return true;
}

}  // namespace orvo
