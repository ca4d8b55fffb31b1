// Start-up of the desktop program: the start directory, the projects it is given, the window
// layout, the start-up picture and the about box.
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <QMdiArea>

#include "ui/shell/about_dialog.h"
#include "ui/shell/application.h"
#include "ui/shell/child_frame.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/qt_platform.h"

using namespace orvo::ui;
using orvo::kSettingsApplication;
using orvo::kSettingsOrganisation;

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

  // The about box names the version the build was made from: the project version of
  // CMakeLists.txt and, in a git checkout, the commit checked out.
  void AboutNamesVersionLicenceAndQt() {
    QFile lists(QStringLiteral(ORVO_SOURCE_DIR "/CMakeLists.txt"));
    QVERIFY(lists.open(QIODevice::ReadOnly));
    const QRegularExpressionMatch version =
        QRegularExpression(QStringLiteral("project\\(OrvoBuilder VERSION ([0-9.]+)"))
            .match(QString::fromUtf8(lists.readAll()));
    QVERIFY(version.hasMatch());
    QString expected = QStringLiteral("Version ") + version.captured(1);
    QProcess git;
    git.start(QStringLiteral("git"), {"-C", ORVO_SOURCE_DIR, "rev-parse", "--short=10", "HEAD"});
    if (git.waitForFinished() && git.exitStatus() == QProcess::NormalExit && git.exitCode() == 0) {
      expected += QStringLiteral(" (commit ") + QString::fromLatin1(git.readAll()).trimmed() + u')';
    }
    QCOMPARE(VersionLine(), expected);

    AboutDialog dialog;
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("About ORVO Builder"));
    QCOMPARE(dialog.findChild<QLabel*>("version")->text(), expected);
    QVERIFY(dialog.findChild<QLabel*>("licence")->text().contains(QStringLiteral("MIT")));
    QVERIFY(dialog.findChild<QLabel*>("qt")->text().contains(QString::fromLatin1(qVersion())));
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    QVERIFY(buttons != nullptr);
    QVERIFY(buttons->button(QDialogButtonBox::Ok) != nullptr);
    buttons->button(QDialogButtonBox::Ok)->click();
    QVERIFY(!dialog.isVisible());
  }
};

QTEST_MAIN(ApplicationTest)
#include "application_test.moc"
