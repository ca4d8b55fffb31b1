// Start-up of the desktop program: the start directory, the projects it is given, the window
// layout, the start-up picture and the headless picture export of its command line.
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QPointer>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <QMdiArea>

#include "ui/shell/application.h"
#include "ui/shell/child_frame.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/qt_platform.h"

using namespace orvo::ui;
using orvo::kSettingsApplication;
using orvo::kSettingsOrganisation;

namespace {

const QString kRiver = QStringLiteral(ORVO_SOURCE_DIR "/examples/river/river.orb");
const QString kProgram = QStringLiteral(ORVO_BIN_DIR "/orvobuilder");

QByteArray Head(const QString& path, int size) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.read(size) : QByteArray();
}

// The program with no display of any kind.
int RunHeadless(const QStringList& arguments, QString* error = nullptr) {
  if (!QFile::exists(kProgram)) qWarning("%s is not built", qPrintable(kProgram));
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
    environment.remove(QString::fromLatin1(name));
  }
  process.setProcessEnvironment(environment);
  process.start(kProgram, arguments);
  if (!process.waitForFinished(60000)) return -1;
  if (error != nullptr) *error = QString::fromLocal8Bit(process.readAllStandardError());
  return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

}  // namespace

class ApplicationTest : public QObject {
  Q_OBJECT

 private slots:
  void StartDirectoryFromTheSetting() {
    QTemporaryDir directory;
    QSettings store(kSettingsOrganisation, kSettingsApplication);
    store.setValue("ORVOBuilder/ORVOBuilder CWD", directory.path());
    store.sync();
    QCOMPARE(StartDirectory(), directory.path());
    // A directory that does not exist leaves the working directory alone.
    store.setValue("ORVOBuilder/ORVOBuilder CWD", directory.filePath("gone"));
    store.sync();
    QCOMPARE(StartDirectory(), QString());
    store.remove("ORVOBuilder/ORVOBuilder CWD");
  }

  // The projects named on the command line are opened before the working directory changes.
  void StartUpOpensTheNamedProject() {
    QTemporaryDir start;
    QSettings store(kSettingsOrganisation, kSettingsApplication);
    store.setValue("ORVOBuilder/ORVOBuilder CWD", start.path());
    store.sync();
    const QString before = QDir::currentPath();
    QDir::setCurrent(QStringLiteral(ORVO_SOURCE_DIR));
    CMainFrame* main = StartDesktop({QStringLiteral("examples/river/river.orb"),
                                     QStringLiteral("examples/fenu5_river/river.orb")},
                                    StartupOptions{true, 10, 50});
    QCOMPARE(main->mdi_area()->subWindowList().size(), 2);
    QVERIFY(main->isVisible());
    QCOMPARE(QDir::currentPath(), QDir(start.path()).canonicalPath());
    QDir::setCurrent(before);
    store.remove("ORVOBuilder/ORVOBuilder CWD");
    delete main;
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
  }

  // Closing the program keeps the main window's place; the next start puts it back.
  void WindowLayoutIsRemembered() {
    const QString river = QStringLiteral(ORVO_SOURCE_DIR "/examples/river/river.orb");
    const QRect place(20, 30, 400, 260);
    {
      CMainFrame main;
      main.show();
      main.resize(820, 610);
      CChildFrame* child = main.OpenFile(river);
      QVERIFY(child != nullptr);
      child->setGeometry(place);
      QVERIFY(main.close());
    }
    CMainFrame main;
    main.show();
    QCOMPARE(main.size(), QSize(820, 610));
    CChildFrame* reopened = main.OpenFile(river);
    QVERIFY(reopened != nullptr);
    QCOMPARE(reopened->geometry(), place);
  }

  void PictureGoesAtTheFirstKeyOrWhenItsTimeIsUp() {
    QWidget main;
    main.show();
    QPointer<StartupPicture> picture = new StartupPicture(&main, 60000);
    picture->show();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QApplication::sendEvent(&main, &press);
    QTRY_VERIFY(picture.isNull());

    picture = new StartupPicture(&main, 50);
    picture->show();
    QTRY_VERIFY_WITH_TIMEOUT(picture.isNull(), 5000);
  }

  void ExportWithoutDisplay() {
    QTemporaryDir directory;
    const QString png = directory.filePath("river.png");
    QString error;
    QCOMPARE(RunHeadless({"--export-picture", kRiver, png}, &error), 0);
    QCOMPARE(Head(png, 8), QByteArray("\x89PNG\r\n\x1a\n", 8));
    const QString svg = directory.filePath("river.svg");
    QCOMPARE(ExportPictureCommand(kRiver, svg), 0);
    QVERIFY(Head(svg, 200).contains("<svg") || Head(svg, 400).contains("<svg"));
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
  }

  void ExportFailuresExitWithOne() {
    QTemporaryDir directory;
    QString error;
    QCOMPARE(RunHeadless(
                 {"--export-picture", directory.filePath("none.orb"), directory.filePath("x.png")},
                 &error),
             1);
    QVERIFY(error.contains("none.orb"));
    QCOMPARE(RunHeadless({"--export-picture", kRiver, directory.filePath("x.bmp")}), 1);
    QVERIFY(!QFile::exists(directory.filePath("x.bmp")));
    QCOMPARE(RunHeadless({"--export-picture", kRiver}), 1);
  }
};

QTEST_MAIN(ApplicationTest)
#include "application_test.moc"
