// orvobuilder --export-chart run as a program: pictures of the asked size, and its exit
// statuses for unreadable runs, empty selections and usage errors.
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>

namespace {

// A FENU5 run of two segments, one variable, two time steps.
void WriteRun(const QString& run) {
  std::ofstream(run.toStdString() + ".inp") << "T1\nT2\nx\n    2    6\n";
  const char* output =
      "0\nsteps\nsegments\nDO {mg/L)\n"
      "     1     0.000\n 1 0 0 0 0 0\n     2     0.000\n 2 0 0 0 0 0\n"
      "     1     1.000\n 3 0 0 0 0 0\n     2     1.000\n 4 0 0 0 0 0\n";
  std::ofstream(run.toStdString() + ".trn") << output;
  std::ofstream(run.toStdString() + ".fdf") << output;
}

int Run(const QStringList& arguments, QString* errors = nullptr) {
  QProcess program;
  program.start(QStringLiteral(ORVO_BIN_DIR "/orvobuilder"),
                QStringList{QStringLiteral("--export-chart")} + arguments);
  if (!program.waitForFinished(60000)) return -1;
  if (errors != nullptr) *errors = QString::fromLocal8Bit(program.readAllStandardError());
  return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
}

}  // namespace

class ExportChartTest : public QObject {
  Q_OBJECT

 private slots:
  void WritesPicturesOfTheAskedSize() {
    QTemporaryDir dir;
    const QString run = dir.filePath(QStringLiteral("river"));
    WriteRun(run);
    QCOMPARE(Run({run, dir.filePath("a.png")}), 0);
    QCOMPARE(QImage(dir.filePath("a.png")).size(), QSize(800, 600));
    QCOMPARE(Run({run, dir.filePath("b.png"), "--graph", "param-seg", "--type", "transport",
                  "--segments", "2", "--size", "320x200"}),
             0);
    QCOMPARE(QImage(dir.filePath("b.png")).size(), QSize(320, 200));
    QCOMPARE(Run({run, dir.filePath("c.svg"), "--runs", "Base", "--variables", "1"}), 0);
    QVERIFY(QFileInfo(dir.filePath("c.svg")).size() > 0);
  }

  void FailsWithItsStatus() {
    QTemporaryDir dir;
    const QString run = dir.filePath(QStringLiteral("river"));
    QString errors;
    QCOMPARE(Run({run, dir.filePath("a.png")}, &errors), 1);  // no run there
    QVERIFY(errors.contains(QStringLiteral("no run found")));
    WriteRun(run);
    std::ofstream(run.toStdString() + ".fdf") << "0\nsteps\nsegments\n";  // no variable
    QCOMPARE(Run({run, dir.filePath("a.png")}, &errors), 1);
    QVERIFY(!QFileInfo::exists(dir.filePath("a.png")));
    QCOMPARE(Run({run, dir.filePath("a.png"), "--type", "transport", "--segments", "3"}), 2);
    QCOMPARE(Run({run, dir.filePath("a.png"), "--graph", "pie"}), 2);
    QCOMPARE(Run({run}), 2);
    QCOMPARE(Run({run, dir.filePath("a.png"), "--type", "transport", "--size", "0x5"}), 2);
  }
};

QTEST_MAIN(ExportChartTest)
#include "export_chart_test.moc"
