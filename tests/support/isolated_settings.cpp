// Linked into every test program: its settings store (QSettings, which follows
// XDG_CONFIG_HOME) is a folder of its own, made before main and removed at exit. Nothing a
// test writes reaches the user's store, no run sees what an earlier one left, and programs
// the tests start share the folder through the environment.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

class IsolatedSettings {
 public:
  IsolatedSettings() : owner_(::getpid()) {
    std::error_code error;
    std::filesystem::path base = std::filesystem::temp_directory_path(error);
    if (error) base = "/tmp";
    std::string pattern = (base / "orvo_settings_XXXXXX").string();
    // Better no test at all than one that writes into the user's settings.
    if (::mkdtemp(pattern.data()) == nullptr ||
        ::setenv("XDG_CONFIG_HOME", pattern.c_str(), 1) != 0) {
      std::perror("test settings folder");
      std::abort();
    }
    path_ = pattern;
  }
  ~IsolatedSettings() {
    if (::getpid() != owner_) return;  // a forked child leaves the parent's folder alone
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  IsolatedSettings(const IsolatedSettings&) = delete;
  IsolatedSettings& operator=(const IsolatedSettings&) = delete;

 private:
  pid_t owner_;
  std::filesystem::path path_;
};

const IsolatedSettings isolated_settings;

}  // namespace
