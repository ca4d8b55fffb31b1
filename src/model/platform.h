// The core's only way to reach the user: messages, questions, file choosers, the wait
// cursor, progress and the per-user settings store. The desktop program implements it
// with dialogs; tests and the command line use ScriptedPlatform.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orvo {

// One per-user setting: declared once (settings.h), read and written through this.
struct SettingKey {
  const char* section;
  const char* key;
  const char* default_value;
};

class Platform {
 public:
  virtual ~Platform() = default;

  virtual void ShowMessage(const std::string& text) = 0;
  // true for Yes / OK.
  virtual bool AskYesNo(const std::string& text) = 0;
  virtual bool AskOkCancel(const std::string& text) = 0;
  // A dialog offering choices (radio buttons), default_choice preselected; the index chosen,
  // or nullopt for Cancel.
  virtual std::optional<int> AskChoice(const std::string& title,
                                       const std::vector<std::string>& choices,
                                       int default_choice) = 0;
  // Filters are given in the "Name (*.ext)|*.ext|All Files (*.*)|*.*||" form. nullopt: cancelled.
  // An empty title leaves the chooser's usual one.
  virtual std::optional<std::string> ChooseOpenFile(const std::string& filter,
                                                    const std::string& title = {}) = 0;
  virtual std::optional<std::string> ChooseSaveFile(const std::string& filter,
                                                    const std::string& suggested_name) = 0;

  virtual void BeginWaitCursor() {}
  virtual void EndWaitCursor() {}
  // Long work reports its progress; false means the user asked to stop.
  virtual bool Progress(int /*done*/, int /*total*/, const std::string& /*text*/) { return true; }

  virtual std::string GetSetting(const SettingKey& key) = 0;
  virtual void SetSetting(const SettingKey& key, const std::string& value) = 0;

  // The directory of the running program, ending in "/": the simulation programs and the
  // shipped value ranges are looked for beside it.
  virtual std::string ProgramDirectory() = 0;
};

// Shows the wait cursor for its lifetime.
class WaitCursor {
 public:
  explicit WaitCursor(Platform& platform) : platform_(platform) { platform_.BeginWaitCursor(); }
  ~WaitCursor() { platform_.EndWaitCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  Platform& platform_;
};

}  // namespace orvo
