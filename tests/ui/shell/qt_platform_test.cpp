// The desktop program's platform: chooser filters, the settings store shared with the command
// line, message texts and questions.
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "model/settings.h"
#include "ui/shell/qt_platform.h"

using namespace orvo;
using namespace orvo::ui;

namespace {

// Presses the button of the next message box.
void AnswerNextBox(QMessageBox::StandardButton button) {
  QTimer::singleShot(0, [button] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box != nullptr) box->button(button)->click();
  });
}

}  // namespace

class QtPlatformTest : public QObject {
  Q_OBJECT

 private slots:
  // A settings store of this program's own, away from the user's and the other tests'.
  void initTestCase() {
    QVERIFY(settings_directory_.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_directory_.path());
  }

  void FileFilters_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("expected");
    QTest::newRow("deck") << "ORVO input files (*.inp)|*.inp|All Files (*.*)|*.*||"
                          << "ORVO input files (*.inp);;All Files (*)";
    QTest::newRow("blank before bar") << "All Files (*.*) |*.*|Text Files (*.txt)|*.txt||"
                                      << "All Files (*);;Text Files (*.txt)";
    QTest::newRow("pattern list") << "Decks (*.inp;*.dat)|*.inp;*.dat||"
                                  << "Decks (*.inp *.dat)";
    QTest::newRow("no parentheses") << "Projects|*.orb||"
                                    << "Projects (*.orb)";
    QTest::newRow("empty") << ""
                           << "";
  }
  void FileFilters() {
    QFETCH(QString, filter);
    QFETCH(QString, expected);
    QCOMPARE(QtFileFilter(filter.toStdString()), expected);
  }

  // The command line reads the same QSettings keys: "section/key".
  void SettingsKeyLayout() {
    QtPlatform platform;
    QCOMPARE(platform.GetSetting(settings::kOrvoPath), std::string());
    platform.SetSetting(settings::kOrvoPath, "/opt/orvo5 bin");
    QSettings store(QStringLiteral("OrvoBuilder"), QStringLiteral("orvobuilder"));
    QCOMPARE(store.value(QStringLiteral("ORVO/ORVO Path")).toString(),
             QStringLiteral("/opt/orvo5 bin"));
    store.setValue(QStringLiteral("ORVOBuilder/ORVOBuilder CWD"), QStringLiteral("/srv/models"));
    store.sync();
    QCOMPARE(platform.GetSetting(settings::kStartDirectory), std::string("/srv/models"));
  }

  void MessageTexts() {
    QCOMPARE(MessageText("caf\xc3\xa9.inp"), QString::fromUtf8("caf\xc3\xa9.inp"));
    // Not UTF-8: the stored 8-bit form (0xE9 e acute, 0x80 euro sign).
    QCOMPARE(MessageText("caf\xe9 \x80"), QString::fromUtf8("caf\xc3\xa9 \xe2\x82\xac"));
  }

  void Questions() {
    QtPlatform platform;
    AnswerNextBox(QMessageBox::Yes);
    QVERIFY(platform.AskYesNo("Delete?"));
    AnswerNextBox(QMessageBox::No);
    QVERIFY(!platform.AskYesNo("Delete?"));
    AnswerNextBox(QMessageBox::Cancel);
    QVERIFY(!platform.AskOkCancel("Go on?"));
  }

 private:
  QTemporaryDir settings_directory_;
};

QTEST_MAIN(QtPlatformTest)
#include "qt_platform_test.moc"
