// A Platform that answers from a script: used by the tests and the command line.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform.h"

namespace orvo {

class ScriptedPlatform : public Platform {
 public:
  // Questions take their answers from the queue; when it is empty, default_answer.
  std::deque<bool> answers;
  bool default_answer = true;
  // Choices and file choosers likewise; nullopt means Cancel.
  std::deque<std::optional<int>> choices;
  std::deque<std::optional<std::string>> files;
  std::map<std::pair<std::string, std::string>, std::string> settings;

  // Everything shown or asked, in order. Questions are recorded as "? " + text.
  std::vector<std::string> messages;
  // Called for every message and question as it happens (the command line prints them).
  std::function<void(const std::string&)> echo;

  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  bool AskOkCancel(const std::string& text) override;
  std::optional<int> AskChoice(const std::string& title, const std::vector<std::string>& options,
                               int default_choice) override;
  std::optional<std::string> ChooseOpenFile(const std::string& filter,
                                            const std::string& title = {}) override;
  std::optional<std::string> ChooseSaveFile(const std::string& filter,
                                            const std::string& suggested_name) override;
  // Where the program's companions are looked for; set by the program that scripts it.
  std::string program_directory = "./";
  std::string ProgramDirectory() override { return program_directory; }

  std::string GetSetting(const SettingKey& key) override;
  void SetSetting(const SettingKey& key, const std::string& value) override;

  int wait_depth = 0;
  void BeginWaitCursor() override { ++wait_depth; }
  void EndWaitCursor() override { --wait_depth; }

 private:
  bool Answer(const std::string& text);
  void Record(const std::string& text);
};

}  // namespace orvo
