// The output viewer window against the core it shows: its lists and text for one run and for
// several, driven by clicks and keys. The texts themselves are the core's
// (tests/results/output_viewer_text_test); here the window must show exactly them.
#include "ui/results/output_viewer_window.h"

#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "model/scripted_platform.h"
#include "results/output_viewer_text.h"
#include "support/grid_typing.h"
#include "support/results_run.h"
#include "support/widget_dump.h"

using namespace orvo;
using namespace orvo::ui;

namespace {

// A FENU5 run with steps time steps 1.5 days apart, and its mass balance.
void WriteRun(const std::string& run, int segments, const std::vector<std::string>& names,
              int steps, const testing::RunValues& values) {
  std::vector<double> times;
  for (int t = 0; t < steps; ++t) times.push_back(1.5 * t);
  testing::WriteResultsRun(run, segments, names, times, values);
  std::ofstream(run + ".msb", std::ios::binary) << "Mass balance of " + run + "\r\nline 2\n";
}

double Base(int v, int s, int t) {
  return v * 100 + s * 10 + t;
}

QStringList Entries(const QListWidget* list) {
  QStringList entries;
  for (int row = 0; row < list->count(); ++row) entries << list->item(row)->text();
  return entries;
}

// What the field shows for a core text: the same lines, ended by "\n".
QString Shown(const std::string& text) {
  QString shown = QString::fromStdString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

void Click(QListWidget* list, int row, Qt::KeyboardModifiers modifiers = {}) {
  list->scrollToItem(list->item(row));
  const QRect rect = list->visualItemRect(list->item(row));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, rect.center());
}

}  // namespace

class OutputViewerWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    base_ = dir_->filePath(QStringLiteral("Run Dir/River")).toStdString();
    QDir().mkpath(dir_->filePath(QStringLiteral("Run Dir")));
    platform_.messages.clear();
    platform_.files.clear();
  }
  void cleanup() { dir_.reset(); }

  void OneRunListsAndTextFollowTheCore() {
    WriteRun(base_, 3, {"SOLIDS {mg/L)", "FLOW"}, 3, Base);
    QPointer<OutputViewerWindow> window = Open(base_);
    OutputViewerText core;
    core.LoadRuns(base_, platform_);

    ORVO_COMPARE_EXPECTED("ui/results/output_viewer_window/one_run.txt", Dump(*window));
    QCOMPARE(window->path_field()->cursorPosition(), int(base_.size()));  // scrolled to its end
    QVERIFY(QFontInfo(window->text_field()->font()).fixedPitch());

    // Segments 1 and 3 (a click, then Ctrl+click) and the second variable.
    Click(window->segment_list(), 0);
    Click(window->segment_list(), 2, Qt::ControlModifier);
    Click(window->variable_list(), 1);
    OutputSelection selection{kModelResults, {0}, {0, 2}, {1}};
    QCOMPARE(window->Selection().segments, selection.segments);
    QCOMPARE(window->text_field()->toPlainText(), Shown(core.TableText(selection)));
    QVERIFY(window->graph_button()->isEnabled());

    // The transport variables keep the segments; their variables start unselected.
    QTest::keyClick(window->file_type_list(), Qt::Key_Down);
    ORVO_COMPARE_EXPECTED("ui/results/output_viewer_window/transport_variables.txt", Dump(*window));
    Click(window->variable_list(), 0);
    selection = {kTransportVariables, {0}, {0, 2}, {0}};
    QCOMPARE(window->text_field()->toPlainText(), Shown(core.TableText(selection)));

    // The mass-balance record: no segments or variables, the record's text.
    QTest::keyClick(window->file_type_list(), Qt::Key_Down);
    std::string record;
    QVERIFY(core.MassBalanceText({0}, platform_, record));
    QCOMPARE(window->text_field()->toPlainText(), Shown(record));
    ORVO_COMPARE_EXPECTED("ui/results/output_viewer_window/mass_balance.txt", Dump(*window));
    QCOMPARE(platform_.messages, std::vector<std::string>{});

    // "Write" saves the text byte for byte, "\r\n" line ends and all.
    const std::string written = dir_->filePath(QStringLiteral("out.txt")).toStdString();
    platform_.files.push_back(written);
    QTest::mouseClick(window->write_button(), Qt::LeftButton);
    QCOMPARE(platform_.messages.back(),
             std::string("? save Text files (*.txt)|*.txt|All Files (*.*)|*.*||"));
    std::ifstream in(written, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    QCOMPARE(bytes, record);

    QTest::mouseClick(window->close_button(), Qt::LeftButton);
    QTRY_VERIFY(window.isNull());  // closed and gone
  }

  void SeveralRunsCompareAndShowDifferences() {
    WriteRun(base_, 2, {"A", "B", "C"}, 2, Base);
    WriteRun(base_ + "0", 2, {"A", "B", "C"}, 2,
             [](int v, int s, int t) { return v == 2 && s == 1 && t == 1 ? 7.25 : Base(v, s, t); });
    WriteRun(base_ + "1", 2, {"A", "B", "C"}, 2, Base);
    QPointer<OutputViewerWindow> window = Open(base_);
    QScopedPointer<OutputViewerWindow> owner(window.data());
    OutputViewerText core;
    core.LoadRuns(base_, platform_);
    QCOMPARE(Entries(window->run_list()), QStringList({"Base", "0", "1"}));
    QVERIFY(window->differences_button()->isEnabled());

    // All three runs (a click and a Shift+click), segment 2, every variable (Ctrl+A).
    Click(window->run_list(), 0);
    Click(window->run_list(), 2, Qt::ShiftModifier);
    Click(window->segment_list(), 1);
    window->variable_list()->setFocus();
    QTest::keyClick(window->variable_list(), Qt::Key_A, Qt::ControlModifier);
    const OutputSelection selection{kModelResults, {0, 1, 2}, {1}, {0, 1, 2}};
    QCOMPARE(window->Selection().runs, selection.runs);
    QCOMPARE(window->Selection().variables, selection.variables);
    QCOMPARE(window->text_field()->toPlainText(), Shown(core.TableText(selection)));

    // Only C differs at segment 2.
    QTest::mouseClick(window->differences_button(), Qt::LeftButton);
    QCOMPARE(window->Selection().variables, std::vector<int>{2});
    QCOMPARE(window->Selection().variables, *core.ShowDifferences(window->Selection(), platform_));
    const OutputSelection marked{kModelResults, {0, 1, 2}, {1}, {2}};
    QCOMPARE(window->text_field()->toPlainText(), Shown(core.TableText(marked)));

    // Two segments cannot be compared: the message, and the selection stays.
    Click(window->segment_list(), 0, Qt::ControlModifier);
    platform_.messages.clear();
    QTest::mouseClick(window->differences_button(), Qt::LeftButton);
    QCOMPARE(platform_.messages,
             std::vector<std::string>{
                 "Please select a single segment that will be used to generate the list of "
                 "variables that will show the differences between the runs."});
    QCOMPARE(window->Selection().variables, std::vector<int>{2});
    window->param_vs_seg_button()->click();
    QCOMPARE(window->graph_type(), GraphType::kParamVsSeg);
  }

  void SelectKeepsTheCaseOfTheChosenPath() {
    const std::string mixed = dir_->filePath(QStringLiteral("Run Dir/MixedCase")).toStdString();
    WriteRun(mixed, 2, {"A"}, 1, Base);
    QScopedPointer<OutputViewerWindow> window(new OutputViewerWindow(nullptr, &platform_));
    window->show();
    QCOMPARE(window->run_list()->count(), 0);
    QVERIFY(!window->write_button()->isEnabled());
    platform_.files.push_back(mixed + ".OUT");
    QSignalSpy loaded(window.data(), &OutputViewerWindow::RunsLoaded);
    QTest::mouseClick(window->select_button(), Qt::LeftButton);
    QVERIFY(loaded.wait(10000));
    QCOMPARE(platform_.messages.front(),
             std::string("? open ORVO output files (*.out)|*.out|All Files (*.*)|*.*||"));
    QCOMPARE(window->base_path(), mixed);
    QCOMPARE(Entries(window->run_list()), QStringList({"Base"}));
    QCOMPARE(platform_.messages.size(), std::size_t{1});
  }

  void ReadingFailuresAreShownAndAbsurdCountsListNothing() {
    WriteRun(base_, 2, {"A", "B"}, 2, Base);
    std::ofstream(base_ + ".inp", std::ios::binary) << "T1\nT2\nx\n2147483647 6\n";
    QPointer<OutputViewerWindow> window = Open(base_);
    QScopedPointer<OutputViewerWindow> owner(window.data());
    QCOMPARE(window->run_list()->count(), 1);
    QCOMPARE(window->segment_list()->count(), 0);
    QCOMPARE(platform_.messages.size(), std::size_t{1});
    QVERIFY(platform_.messages[0].find("The number of segments 2147483647") != std::string::npos);
  }

  void BigTablesShowTheirBeginningAndWriteWhole() {
    // 400 segments x 3 variables x 500 steps: 600,000 values, more than the field shows.
    WriteRun(base_, 400, {"A", "B", "C"}, 500, Base);
    QPointer<OutputViewerWindow> window = Open(base_);
    QScopedPointer<OutputViewerWindow> owner(window.data());
    window->segment_list()->setFocus();
    QTest::keyClick(window->segment_list(), Qt::Key_A, Qt::ControlModifier);
    window->variable_list()->setFocus();
    QTest::keyClick(window->variable_list(), Qt::Key_A, Qt::ControlModifier);
    const QString shown = window->text_field()->toPlainText();
    QVERIFY(shown.endsWith(QStringLiteral(
        "...\nThe table goes on beyond what is shown here; \"Write\" saves all of it.\n")));
    QVERIFY(shown.contains(QStringLiteral("Variable B")));
    QVERIFY(!shown.contains(QStringLiteral("Variable C")));
    OutputViewerText core;
    core.LoadRuns(base_, platform_);
    QCOMPARE(window->FullText(), core.TableText(window->Selection()));
  }

  void StopReadingKeepsTheWindowUsable() {
    for (const std::string& run : {base_, base_ + "0", base_ + "1"}) {
      WriteRun(run, 1000, {"A", "B", "C", "D", "E", "F", "G"}, 60, Base);
    }
    QScopedPointer<OutputViewerWindow> window(new OutputViewerWindow(nullptr, &platform_));
    window->show();
    QSignalSpy loaded(window.data(), &OutputViewerWindow::RunsLoaded);
    window->LoadRuns(base_);
    QVERIFY(window->Loading());
    QVERIFY(window->load_progress()->isVisible());
    QVERIFY(!window->select_button()->isEnabled());
    QTest::mouseClick(window->stop_button(), Qt::LeftButton);
    QVERIFY(loaded.wait(20000));
    QVERIFY(!window->Loading());
    QVERIFY(!window->load_progress()->isVisible());
    QVERIFY(window->viewer().load_cancelled || window->run_list()->count() == 3);
    QVERIFY(window->select_button()->isEnabled());
    QCOMPARE(platform_.messages, std::vector<std::string>{});

    // Closing a window while it reads stops the reading.
    window->LoadRuns(base_);
    window.reset();
  }

  void LooksRight() {
    WriteRun(base_, 12, {"SOLIDS {mg/L)", "CHEMICAL 1 {mg/L)", "FLOW"}, 8, Base);
    WriteRun(base_ + "0", 12, {"SOLIDS {mg/L)", "CHEMICAL 1 {mg/L)", "FLOW"}, 8, Base);
    QPointer<OutputViewerWindow> window = Open(base_);
    QScopedPointer<OutputViewerWindow> owner(window.data());
    Click(window->segment_list(), 0);
    Click(window->segment_list(), 3, Qt::ShiftModifier);
    Click(window->variable_list(), 1);
    testing::Grab(window, QStringLiteral("output_viewer"));
    // Every button shows its whole text.
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
      if (!button->isVisible()) continue;
      QVERIFY2(button->width() >= button->fontMetrics().horizontalAdvance(button->text()),
               qPrintable(button->text()));
    }
  }

 private:
  // The window's dump, the scratch folder written as "<dir>".
  QByteArray Dump(const QWidget& window) const {
    return orvo::testing::WidgetDump(window).replace(dir_->path().toUtf8(), "<dir>");
  }

  OutputViewerWindow* Open(const std::string& base) {
    OutputViewerWindow* window = OpenOutputViewer(nullptr, base, &platform_);
    QSignalSpy loaded(window, &OutputViewerWindow::RunsLoaded);
    if (window->Loading()) loaded.wait(20000);
    return window;
  }

  std::unique_ptr<QTemporaryDir> dir_;
  std::string base_;
  ScriptedPlatform platform_;
};

QTEST_MAIN(OutputViewerWindowTest)
#include "output_viewer_window_test.moc"
