// The report window against the core whose cells it shows: its grids, options, sort title,
// segment entries, file and clipboard output; and the report document in the main window.
#include "ui/report/report_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QListWidget>
#include <QMdiArea>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>

#include "model/scripted_platform.h"
#include "results/orvo_report_doc.h"
#include "support/grid_typing.h"
#include "support/modal_dialog.h"
#include "support/run_files.h"
#include "support/widget_dump.h"
#include "ui/report/report_frame.h"
#include "ui/results/graph_view.h"
#include "ui/shell/main_frame.h"
#include "ui/widgets/grid_widget.h"

using namespace orvo;
using namespace orvo::ui;

namespace {

QStringList Row(const GridWidget* grid, int row) {
  QStringList cells;
  for (int column = 0; column < grid->columnCount(); ++column) {
    cells << grid->CellText(row, column);
  }
  return cells;
}

QStringList Expected(const std::vector<std::string>& cells) {
  QStringList texts;
  for (const std::string& cell : cells) texts << QString::fromStdString(cell);
  return texts;
}

void ClickCell(GridWidget* grid, int row, int column) {
  const QRect cell = grid->visualRect(grid->model()->index(row, column));
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

// Chooses the given rows of the next ChooseItemsDialog and presses OK.
void ChooseRows(const QString& title, QList<int> rows) {
  testing::OnModal<ChooseItemsDialog>([title, rows](ChooseItemsDialog* dialog) {
    QCOMPARE(dialog->windowTitle(), title);
    for (int row : rows) dialog->list()->item(row)->setSelected(true);
    testing::Click(dialog, "ok");
  });
}

}  // namespace

class ReportViewTest : public QObject {
  Q_OBJECT

 private:
  std::string Run(const std::string& name, double factor, int steps = 3) {
    testing::RunFiles run;
    run.title2 = name + " title";
    run.times.resize(static_cast<std::size_t>(steps));
    for (int t = 0; t < steps; ++t) run.times[static_cast<std::size_t>(t)] = 1.5 * t;
    run.value = [factor](OutputTable table, int variable, int segment, int step) {
      const double plain = 10.0 * segment + step + variable;
      return table == OutputTable::kTransport || variable != 0 ? plain : plain * factor;
    };
    return testing::WriteRun(directory_.filePath(QString::fromStdString(name)).toStdString(), run);
  }

  QTemporaryDir directory_;

 private slots:
  void initTestCase() { QVERIFY(directory_.isValid()); }

  void ShowsTheCoresCellsAndFollowsTheOptions() {
    ScriptedPlatform platform;
    CORVOReportDoc document(platform);
    CORVOReportView view(document, platform);
    view.resize(1100, 700);
    // Two runs chosen in one "Add" come in path order.
    view.AddFiles({QString::fromStdString(Run("river2", 1.5, 2)),
                   QString::fromStdString(Run("river1", 1.0))});
    QVERIFY(platform.messages.empty());
    ORVO_COMPARE_EXPECTED("ui/report/report_view/two_runs.txt",
                          testing::WidgetDump(view).replace(directory_.path().toUtf8(), "<dir>"));
    view.full_path_box()->setChecked(true);
    QCOMPARE(view.input_grid()->CellText(1, 0), directory_.filePath("river1.out"));
    view.full_path_box()->setChecked(false);

    // Report entries: a segment and a group through "Choose Segment(s)".
    ChooseRows("Choose Segment(s)", {1});
    view.OnAddSegment();
    ChooseRows("Choose Segment(s)", {0, 1});  // 1 and 3: 2 is a report segment already
    view.OnAddGroup();
    QCOMPARE(Row(view.segment_grid(), 2), (QStringList{"1, 3", "1, 3"}));
    QVERIFY(view.segment_grid()->EditCell(1, 0, "Mouth"));
    QVERIFY(!view.segment_grid()->EditCell(1, 1, "7"));
    QCOMPARE(platform.messages.back(), std::string("The segments of an entry cannot be edited."));
    QCOMPARE(document.report_segments.at(2).identifier, std::string("Mouth"));

    view.SelectVariables({0, 1});
    view.RebuildReport();
    const ReportGrid core = BuildReport(document, {0, 1}, view.Options());
    QCOMPARE(view.report_grid()->rowCount(), static_cast<int>(core.rows.size()));
    for (int row = 0; row < view.report_grid()->rowCount(); ++row) {
      QCOMPARE(Row(view.report_grid(), row), Expected(core.rows[static_cast<std::size_t>(row)]));
    }
    QCOMPARE(view.report_grid()->CellText(0, 4), QStringLiteral("Mouth: + exceedences"));

    // The sort column's title cycles the modes.
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCOMPARE(view.report_grid()->CellText(0, 3), QStringLiteral("% diff  v"));
    ClickCell(view.report_grid(), 0, 3);
    QCOMPARE(view.report_grid()->CellText(0, 3), QStringLiteral("% diff  ^"));
    ClickCell(view.report_grid(), 0, 3);
    QCOMPARE(view.report_grid()->CellText(0, 3), QStringLiteral("% diff"));

    view.max_box()->setChecked(false);
    QVERIFY(!Row(view.report_grid(), 0).contains("Mouth: Max"));
    view.all_data_box()->setChecked(true);
    QVERIFY(!view.mean_box()->isEnabled());
    QCOMPARE(Row(view.report_grid(), 0),
             (QStringList{"Run", "Description", "Timesteps", "% diff", "Mouth", "1, 3"}));
    // "Show All Data" rows list the reference run's times.
    QCOMPARE(view.report_grid()->CellText(4, 2), QStringLiteral("3"));

    // Output: the report as CSV, the grid as tab-separated text.
    const QString written = directory_.filePath("report.txt");
    view.choose_report_file = [written] { return written; };
    view.OnWriteFile();
    QFile file(written);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().toStdString(), CsvText(view.report().rows));
    view.OnWriteClipboard();
    QCOMPARE(QApplication::clipboard()->text(), view.report_grid()->AllText());

    // "Select parameters that show differences" picks CHEMICAL (river2 is 1.5 times it).
    view.threshold_field()->setText("1");
    view.OnSelectDifferences();
    QVERIFY(view.SelectedVariables() == std::vector<int>{1});

    // "Plot" goes to the selected runs, or all of them.
    std::vector<int> plotted_runs;
    view.plot = [&](const std::vector<int>& runs, const std::vector<int>&) { plotted_runs = runs; };
    view.OnPlot();
    QVERIFY((plotted_runs == std::vector<int>{0, 1}));
    view.input_grid()->selectRow(2);
    view.OnPlot();
    QVERIFY(plotted_runs == std::vector<int>{1});

    // Deleting a run and an entry.
    ChooseRows("Delete", {0});
    view.OnDeleteRuns();
    QCOMPARE(view.input_grid()->rowCount(), 2);
    QCOMPARE(view.timesteps_label()->text(), QStringLiteral("2 timesteps"));
    ChooseRows("Delete", {1});
    view.OnDeleteEntries();
    QCOMPARE(view.segment_grid()->rowCount(), 2);
    QCOMPARE(view.segment_grid()->CellText(1, 0), QStringLiteral("Mouth"));

    testing::Grab(&view, QStringLiteral("report_view"));
  }

  void PlotStacksItsChartsUnderOneGraphControl() {
    ScriptedPlatform platform;
    CORVOReportDoc document(platform);
    CORVOReportView view(document, platform);
    view.AddFiles({QString::fromStdString(Run("plot1", 1.0)),
                   QString::fromStdString(Run("plot2", 2.0)),
                   QString::fromStdString(Run("plot3", 3.0))});
    document.AddReportSegment(1);
    document.AddReportSegment(3);
    view.SelectVariables({1, 2});
    view.OnPlot();
    auto* control = view.findChild<GraphControl*>();
    QVERIFY(control != nullptr);
    const QList<GraphView*> charts = control->Views();
    QCOMPARE(charts.size(), qsizetype{3});
    for (qsizetype i = 0; i < charts.size(); ++i) {
      QCOMPARE(charts[i]->width(), 800);
      QCOMPARE(charts[i]->height(), charts[0]->height());
      // One below the other, evenly (a screen too small for their least height overlaps them).
      const int step = charts[1]->geometry().top() - charts[0]->geometry().top();
      QVERIFY(step > 0);
      QCOMPARE(charts[i]->geometry().top(), charts[0]->geometry().top() + int(i) * step);
      QCOMPARE(charts[i]->frame_count(), 3);
    }
    QCOMPARE(charts[0]->description().y_max, charts[2]->description().y_max);
    testing::Grab(charts[2], QStringLiteral("report_plot"));
    control->Cancel();
  }

  void SegmentsNeedARunFirst() {
    ScriptedPlatform platform;
    CORVOReportDoc document(platform);
    CORVOReportView view(document, platform);
    view.OnAddSegment();
    QCOMPARE(platform.messages.back(), std::string("Please select a ORVO output file first."));
  }

  void ReportDocumentsInTheMainWindow() {
    CMainFrame frame;
    frame.show();
    QAction* new_report = nullptr;
    for (QAction* action : frame.actions()) {
      if (action->text() == "New &Report") new_report = action;
    }
    QVERIFY(new_report != nullptr && new_report->isEnabled());
    new_report->trigger();
    CReportChildFrame* report = frame.ActiveReport();
    QVERIFY(report != nullptr);
    QCOMPARE(report->windowTitle(), QStringLiteral("ORVO Report1[*]"));
    QVERIFY(frame.ActiveFrame() == nullptr);  // project commands do not reach a project behind

    QStringList paths = {QString::fromStdString(Run("family", 1.0)),
                         QString::fromStdString(Run("family0", 2.0))};
    report->view()->AddFiles(paths);
    report->document().AddReportSegment(2);
    QVERIFY(report->isWindowModified());
    // Saved as ".orr" when no extension is given, then reopened from the file.
    QVERIFY(report->Save(directory_.filePath("compare")));
    const QString saved = directory_.filePath("compare.orr");
    QCOMPARE(report->windowTitle(), QStringLiteral("compare.orr[*]"));
    QCOMPARE(frame.recent_files().files().value(0), saved);
    QVERIFY(frame.windowTitle().contains("compare.orr"));

    // A modified report asks on closing; Cancel keeps it.
    report->document().AddReportSegment(3);
    testing::OnModal<QMessageBox>([](QMessageBox* box) {
      QCOMPARE(box->text(), QStringLiteral("Save changes to compare.orr?"));
      box->button(QMessageBox::Cancel)->click();
    });
    QVERIFY(!report->CloseReport());
    testing::OnModal<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
    QVERIFY(report->CloseReport());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // Opened whatever the case of the extension, by the main window's Open.
    QVERIFY(QFile::rename(saved, directory_.filePath("COMPARE.ORR")));
    QVERIFY(frame.OpenFile(directory_.filePath("COMPARE.ORR")) == nullptr);
    report = frame.ActiveReport();
    QVERIFY(report != nullptr);
    QCOMPARE(report->windowTitle(), QStringLiteral("COMPARE.ORR[*]"));
    QCOMPARE(report->document().runs.size(), std::size_t{2});
    QCOMPARE(report->view()->segment_grid()->rowCount(), 2);
    QVERIFY(!report->isWindowModified());
    report->view()->SelectVariables({1});
    report->view()->RebuildReport();
    frame.resize(1200, 800);
    report->showMaximized();
    testing::Grab(&frame, QStringLiteral("main_window_report"));

    // A file that is no report is not opened.
    QFile bad(directory_.filePath("bad.orr"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("number of files =1\r\n");
    bad.close();
    testing::OnModal<QMessageBox>([](QMessageBox* box) {
      QCOMPARE(box->text(), QStringLiteral("Parse error: unable to find header 'pathname ='"));
      box->accept();
    });
    QVERIFY(frame.OpenReport(bad.fileName()) == nullptr);
    QCOMPARE(frame.mdi_area()->subWindowList().size(), qsizetype{1});
  }
};

QTEST_MAIN(ReportViewTest)
#include "report_view_test.moc"
