#include "ui/report/background_read.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QProgressDialog>
#include <QTimer>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>

#include "model/worker_platform.h"
#include "ui/shell/qt_platform.h"

namespace orvo::ui {
BackgroundResult RunInBackground(QWidget* parent, const QString& title,
                                 const std::function<void(Platform&)>& work) {
  WorkerPlatform reporter;
  std::atomic<bool> done{false};
  std::thread thread([&] {
    try {
      work(reporter);
    } catch (const std::exception& error) {
      reporter.ShowMessage(title.toStdString() + " failed: " + error.what());
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
  QObject::connect(&progress, &QProgressDialog::canceled, [&] { reporter.Stop(); });
  QEventLoop loop;
  QTimer poll;
  poll.setInterval(40);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (done) {
      loop.quit();
      return;
    }
    progress.setValue(reporter.permille());
    const std::string reading = reporter.Reading();
    // "Reading <path>": the file name is what fits.
    const std::size_t blank = reading.find(' ');
    if (blank != std::string::npos && !reporter.stopping()) {
      progress.setLabelText(QStringLiteral("Reading ") +
                            QFileInfo(FromLocalPath(reading.substr(blank + 1))).fileName());
    }
  });
  poll.start();
  if (!done) loop.exec();
  poll.stop();
  thread.join();
  progress.close();
  return {reporter.TakeMessages(), reporter.stopping()};
}

}  // namespace orvo::ui
