// The platform interface of the desktop program: message boxes, questions, file choosers,
// the wait cursor, progress and the per-user settings store (QSettings).
#pragma once

#include <QPointer>
#include <QWidget>

#include "model/platform.h"

namespace orvo::ui {

class QtPlatform : public Platform {
 public:
  explicit QtPlatform(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  bool AskOkCancel(const std::string& text) override;
  std::optional<int> AskChoice(const std::string& title, const std::vector<std::string>& choices,
                               int default_choice) override;
  std::optional<std::string> ChooseOpenFile(const std::string& filter,
                                            const std::string& title = {}) override;
  std::optional<std::string> ChooseSaveFile(const std::string& filter,
                                            const std::string& suggested_name) override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;
  bool Progress(int done, int total, const std::string& text) override;
  std::string GetSetting(const SettingKey& key) override;
  void SetSetting(const SettingKey& key, const std::string& value) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace orvo::ui
