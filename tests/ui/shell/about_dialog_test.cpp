// The about box names the version the build was made from: the project version of
// CMakeLists.txt and, in a git checkout, the commit checked out.
#include "ui/shell/about_dialog.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

using namespace orvo::ui;

class AboutDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void VersionLicenceAndQt() {
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

QTEST_MAIN(AboutDialogTest)
#include "about_dialog_test.moc"
