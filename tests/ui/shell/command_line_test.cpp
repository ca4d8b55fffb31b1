// orvobuilder's picture and chart exports run as a program with no display, one case a line of
// tests/data/ui/shell/command_line/cases.txt: its exit status, and the files and messages it
// leaves.
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "model/scripted_platform.h"
#include "support/network_builder.h"
#include "support/qt_golden.h"
#include "support/results_run.h"

using namespace orvo;

namespace {

const QString kCases =
    QStringLiteral(ORVO_SOURCE_DIR "/tests/data/ui/shell/command_line/cases.txt");

}  // namespace

class CommandLineTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    const std::string base = dir_.filePath(QStringLiteral("run")).toStdString();
    // Segment 2 holds twice segment 1 at day 10; at day 0 both hold 3.
    testing::WriteResultsRun(base, 2, {"TOTAL CHEMICAL {mg/L)"}, {0, 10},
                             [](int, int s, int t) { return t == 0 ? 3.0 : 2.0 * (s + 1); });
    const std::string novar = dir_.filePath(QStringLiteral("novar")).toStdString();
    testing::WriteResultsRun(novar, 2, {"DO"}, {0}, [](int, int, int) { return 1.0; });
    std::ofstream(novar + ".fdf") << "0\nsteps\nsegments\n";
    ScriptedPlatform platform;
    COrvoBuilderDoc doc(platform);
    COrvoBuilderCntrItem* first = testing::AddSegmentWithLabel(doc, 40, 80);
    doc.AddExchange(first, testing::AddSegmentWithLabel(doc, 200, 80), kInterface);
    QVERIFY(doc.Save(dir_.filePath(QStringLiteral("two.orb")).toStdString()));
  }

  void Runs_data() {
    QTest::addColumn<QString>("line");
    QFile cases(kCases);
    QVERIFY(cases.open(QIODevice::ReadOnly | QIODevice::Text));
    while (!cases.atEnd()) {
      const QString line = QString::fromUtf8(cases.readLine()).trimmed();
      if (!line.isEmpty() && !line.startsWith(u'#')) QTest::newRow(qPrintable(line)) << line;
    }
  }

  void Runs() {
    QFETCH(QString, line);
    line.replace(QStringLiteral("{dir}"), dir_.path())
        .replace(QStringLiteral("{river}"),
                 QStringLiteral(ORVO_SOURCE_DIR "/examples/river/river.orb"));
    QStringList checks = line.split(QStringLiteral(" -> "));
    QStringList arguments = QProcess::splitCommand(checks.takeFirst());
    const int status = arguments.takeFirst().toInt();

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
      environment.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ORVO_BIN_DIR "/orvobuilder"), arguments);
    QVERIFY(process.waitForFinished(60000));
    const QString errors = QString::fromLocal8Bit(process.readAllStandardError());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QVERIFY2(process.exitCode() == status, qPrintable(errors));

    for (const QString& check : checks) {
      const QString kind = check.section(u' ', 0, 0);
      const QString file = check.section(u' ', 1, 1);
      if (kind == QStringLiteral("errors")) {
        QVERIFY2(errors.contains(check.section(u' ', 1)), qPrintable(errors));
      } else if (kind == QStringLiteral("no")) {
        QVERIFY2(!QFile::exists(file), qPrintable(file));
      } else if (kind == QStringLiteral("image")) {
        const QImage image(file);
        QVERIFY2(!image.isNull(), qPrintable(file));
        const QString size = check.section(u' ', 2, 2);
        if (!size.isEmpty())
          QCOMPARE(QStringLiteral("%1x%2").arg(image.width()).arg(image.height()), size);
      } else if (kind == QStringLiteral("svg")) {
        QVERIFY(testing::FileBytes(file).left(400).contains("<svg"));
      } else if (kind == QStringLiteral("pdf")) {
        QVERIFY(testing::FileBytes(file).startsWith("%PDF"));
      } else {
        QFAIL(qPrintable("unknown check: " + check));
      }
    }
  }

 private:
  QTemporaryDir dir_;
};

QTEST_MAIN(CommandLineTest)
#include "command_line_test.moc"
