// The platform of work that nobody watches: questions are answered No, choosers cancelled,
// settings read as their defaults and never written. Messages are the deriving class's
// business.
#pragma once

#include "model/platform.h"

namespace orvo {

class UnattendedPlatform : public Platform {
 public:
  bool AskYesNo(const std::string&) override { return false; }
  bool AskOkCancel(const std::string&) override { return false; }
  std::optional<int> AskChoice(const std::string&, const std::vector<std::string>&, int) override {
    return std::nullopt;
  }
  std::optional<std::string> ChooseOpenFile(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> ChooseSaveFile(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  std::string GetSetting(const SettingKey& key) override { return key.default_value; }
  void SetSetting(const SettingKey&, const std::string&) override {}
  std::string ProgramDirectory() override { return "./"; }
};

}  // namespace orvo
