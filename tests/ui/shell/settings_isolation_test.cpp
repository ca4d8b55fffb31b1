// What a test writes into the settings store lands in a temporary folder of the test
// program's own, never in the user's store.
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QtTest>

#include "ui/network/icon_palette.h"
#include "ui/shell/qt_platform.h"

using namespace orvo::ui;
using orvo::kSettingsApplication;
using orvo::kSettingsOrganisation;

namespace {

QByteArray Bytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

}  // namespace

class SettingsIsolationTest : public QObject {
  Q_OBJECT

 private slots:
  void WritesLandInTheTemporaryStore() {
    const QString folder = qEnvironmentVariable("XDG_CONFIG_HOME");
    QVERIFY(!folder.isEmpty() && QDir(folder).exists());
    QVERIFY(!folder.startsWith(QDir::homePath() + QStringLiteral("/.config")));
    const QString users =
        QDir::homePath() + QStringLiteral("/.config/OrvoBuilder/orvobuilder.conf");
    const QByteArray before = Bytes(users);

    const QString store = QSettings(kSettingsOrganisation, kSettingsApplication).fileName();
    QVERIFY2(store.startsWith(folder + u'/'), qPrintable(store));
    {
      // Hiding the palette remembers where it was.
      IconPalette palette;
      palette.show();
      palette.move(40, 30);
      palette.hide();
    }
    QSettings settings(kSettingsOrganisation, kSettingsApplication);
    settings.sync();
    QVERIFY(QFile::exists(store));
    QVERIFY(Bytes(store).contains("Icon%20Palette"));
    QCOMPARE(Bytes(users), before);
  }
};

QTEST_MAIN(SettingsIsolationTest)
#include "settings_isolation_test.moc"
