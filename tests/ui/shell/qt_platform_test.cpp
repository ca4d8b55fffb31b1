// The desktop program's platform: chooser filters, the settings store shared with the command
// line (a temporary one of the test program's own, never the user's), message texts and
// questions.
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QtTest>

#include "model/settings.h"
#include "support/qt_golden.h"
#include "ui/network/icon_palette.h"
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
  // The choosers' filters as Qt writes them (tests/data/ui/shell/qt_platform/filters.txt).
  void FileFilters() {
    const auto filter = [](const QString& text) { return QtFileFilter(text.toStdString()); };
    const QString file = QStringLiteral("ui/shell/qt_platform/filters.txt");
    ORVO_COMPARE_EXPECTED(file, testing::Reanswered(file, filter));
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

  void WritesLandInTheTemporaryStore() {
    const QString folder = qEnvironmentVariable("XDG_CONFIG_HOME");
    QVERIFY(!folder.isEmpty() && QDir(folder).exists());
    QVERIFY(!folder.startsWith(QDir::homePath() + QStringLiteral("/.config")));
    const QString users =
        QDir::homePath() + QStringLiteral("/.config/OrvoBuilder/orvobuilder.conf");
    const QByteArray before = testing::FileBytes(users);
    const QString store = QSettings(kSettingsOrganisation, kSettingsApplication).fileName();
    QVERIFY2(store.startsWith(folder + u'/'), qPrintable(store));
    {
      // Hiding the palette remembers where it was.
      IconPalette palette;
      palette.show();
      palette.move(40, 30);
      palette.hide();
    }
    QSettings(kSettingsOrganisation, kSettingsApplication).sync();
    QVERIFY(testing::FileBytes(store).contains("Icon%20Palette"));
    QCOMPARE(testing::FileBytes(users), before);
  }

  void MessageTexts() {
    QCOMPARE(MessageText("caf\xc3\xa9.inp"), QString::fromUtf8("caf\xc3\xa9.inp"));
    // Not UTF-8: the stored 8-bit form (0xE9 e acute, 0x80 euro sign).
    QCOMPARE(MessageText("caf\xe9 \x80"), QString::fromUtf8("caf\xc3\xa9 \xe2\x82\xac"));
  }

  // Real texts of the core and the editors, by the icon their box carries
  // (tests/data/ui/shell/qt_platform/severities.txt).
  void MessageSeverities() {
    const auto severity = [](const QString& text) {
      const MessageSeverity found = SeverityOf(text.toStdString());
      return found == MessageSeverity::kCritical  ? QStringLiteral("critical")
             : found == MessageSeverity::kWarning ? QStringLiteral("warning")
                                                  : QStringLiteral("information");
    };
    const QString file = QStringLiteral("ui/shell/qt_platform/severities.txt");
    ORVO_COMPARE_EXPECTED(file, testing::Reanswered(file, severity));
  }

  void MessageBoxesCarryTheirIcon() {
    QtPlatform platform;
    const std::pair<const char*, QMessageBox::Icon> shown[] = {
        {"Unable to save x.orb: No space left on device.", QMessageBox::Critical},
        {"ReadGroupE: Warning: at least one segment in the input was not found in network.",
         QMessageBox::Warning},
        {"All card groups imported successfully.", QMessageBox::Information}};
    for (const auto& [text, icon] : shown) {
      QMessageBox::Icon seen = QMessageBox::NoIcon;
      QString seen_text;
      QTimer::singleShot(0, [&seen, &seen_text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        seen = box->icon();
        seen_text = box->text();
        box->button(QMessageBox::Ok)->click();
      });
      platform.ShowMessage(text);
      QCOMPARE(seen, icon);
      QCOMPARE(seen_text, QString(text));
    }
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
};

QTEST_MAIN(QtPlatformTest)
#include "qt_platform_test.moc"
