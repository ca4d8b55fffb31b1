#include "scripted_platform.h"

namespace orvo {

void ScriptedPlatform::Record(const std::string& text) {
  messages.push_back(text);
  if (echo) echo(text);
}

void ScriptedPlatform::ShowMessage(const std::string& text) {
  Record(text);
}

bool ScriptedPlatform::Answer(const std::string& text) {
  Record("? " + text);
  if (answers.empty()) return default_answer;
  const bool answer = answers.front();
  answers.pop_front();
  return answer;
}

bool ScriptedPlatform::AskYesNo(const std::string& text) {
  return Answer(text);
}
bool ScriptedPlatform::AskOkCancel(const std::string& text) {
  return Answer(text);
}

std::optional<int> ScriptedPlatform::AskChoice(const std::string& title,
                                               const std::vector<std::string>& /*options*/,
                                               int default_choice) {
  Record("? " + title);
  if (choices.empty()) return default_answer ? std::optional<int>(default_choice) : std::nullopt;
  const std::optional<int> choice = choices.front();
  choices.pop_front();
  return choice;
}

std::optional<std::string> ScriptedPlatform::ChooseOpenFile(const std::string& filter,
                                                            const std::string& title) {
  Record("? open " + (title.empty() ? filter : title + " " + filter));
  if (files.empty()) return std::nullopt;
  std::optional<std::string> file = files.front();
  files.pop_front();
  return file;
}

std::optional<std::string> ScriptedPlatform::ChooseSaveFile(const std::string& filter,
                                                            const std::string& /*suggested*/) {
  Record("? save " + filter);
  if (files.empty()) return std::nullopt;
  std::optional<std::string> file = files.front();
  files.pop_front();
  return file;
}

std::string ScriptedPlatform::GetSetting(const SettingKey& key) {
  const auto found = settings.find({key.section, key.key});
  return found == settings.end() ? key.default_value : found->second;
}

void ScriptedPlatform::SetSetting(const SettingKey& key, const std::string& value) {
  settings[{key.section, key.key}] = value;
}

}  // namespace orvo
