// The platform interface of the desktop program: message boxes, questions, file choosers,
// the wait cursor, progress and the per-user settings store (QSettings).
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

#include "model/platform.h"
#include "ui/shell/settings_store.h"

class QProgressDialog;

namespace orvo::ui {

// A chooser filter of the "Name (*.ext)|*.ext|All Files (*.*)|*.*||" form as a Qt filter
// ("Name (*.ext);;All Files (*)"). "*.*" becomes "*" so that files without an extension show.
QString QtFileFilter(const std::string& filter);

// Texts of the core for a window: UTF-8 when they are (paths), else the 8-bit stored form.
QString MessageText(const std::string& text);
// File names between the core (8-bit local encoding) and Qt.
std::string LocalPath(const QString& path);
QString FromLocalPath(const std::string& path);

// The core hands over message texts only; the icon of the message box is judged from the text:
// a finished operation or the user's own cancel informs, a refused entry or a "Warning" warns,
// anything else reports a failure.
enum class MessageSeverity { kCritical, kWarning, kInformation };
MessageSeverity SeverityOf(const std::string& text);

class QtPlatform : public Platform {
 public:
  explicit QtPlatform(QWidget* parent = nullptr);
  ~QtPlatform() override;
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
  std::string ProgramDirectory() override;
  std::string GetSetting(const SettingKey& key) override;
  void SetSetting(const SettingKey& key, const std::string& value) override;

 private:
  QPointer<QWidget> parent_;
  std::unique_ptr<QProgressDialog> progress_;
};

}  // namespace orvo::ui
