#include "ui/report/background_read.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QProgressDialog>
#include <QTimer>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>

#include "model/platform.h"
#include "ui/shell/qt_platform.h"

namespace orvo::ui {
namespace {

// The work's way to the user: it never blocks on the window's thread.
class Reporter : public Platform {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
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
  bool Progress(int done, int total, const std::string& text) override {
    permille = total > 0 ? static_cast<int>(1000LL * done / total) : 0;
    {
      const std::lock_guard<std::mutex> lock(mutex);
      reading = text;
    }
    return done >= total || !stop;
  }
  std::string GetSetting(const SettingKey& key) override { return key.default_value; }
  void SetSetting(const SettingKey&, const std::string&) override {}

  std::string Reading() {
    const std::lock_guard<std::mutex> lock(mutex);
    return reading;
  }

  std::vector<std::string> messages;  // the thread's until it has ended
  std::atomic<bool> stop{false};
  std::atomic<int> permille{0};

 private:
  std::mutex mutex;
  std::string reading;
};

}  // namespace

BackgroundResult RunInBackground(QWidget* parent, const QString& title,
                                 const std::function<void(Platform&)>& work) {
  Reporter reporter;
  std::atomic<bool> done{false};
  std::thread thread([&] {
    try {
      work(reporter);
    } catch (const std::exception& error) {
      reporter.messages.push_back(title.toStdString() + " failed: " + error.what());
    }
    done = true;
  });

  QProgressDialog progress(title, QStringLiteral("Cancel"), 0, 1000, parent);
  progress.setWindowTitle(title);
  // Nothing else may change while the work goes: it reads into what the windows show.
  progress.setWindowModality(Qt::ApplicationModal);
  progress.setMinimumDuration(400);
  progress.setAutoClose(false);
  progress.setAutoReset(false);
  progress.setMinimumWidth(420);
  QObject::connect(&progress, &QProgressDialog::canceled, [&] { reporter.stop = true; });
  QEventLoop loop;
  QTimer poll;
  poll.setInterval(40);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (done) {
      loop.quit();
      return;
    }
    progress.setValue(reporter.permille);
    const std::string reading = reporter.Reading();
    // "Reading <path>": the file name is what fits.
    const std::size_t blank = reading.find(' ');
    if (blank != std::string::npos && !reporter.stop) {
      progress.setLabelText(QStringLiteral("Reading ") +
                            QFileInfo(FromLocalPath(reading.substr(blank + 1))).fileName());
    }
  });
  poll.start();
  if (!done) loop.exec();
  poll.stop();
  thread.join();
  progress.close();
  return {std::move(reporter.messages), reporter.stop};
}

}  // namespace orvo::ui
