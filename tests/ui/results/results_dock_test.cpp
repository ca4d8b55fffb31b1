// The Results dock on a two-segment project: runs read in the background, the variable and
// the time slider drive the colours of the view, the tool tip names segment, variable and
// value, the profile follows the slider, and the document never changes.
#include "ui/results/results_dock.h"

#include <QAction>
#include <QCheckBox>
#include <QHelpEvent>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>

#include "model/scripted_platform.h"
#include "support/grid_typing.h"
#include "support/network_builder.h"
#include "support/results_run.h"
#include "support/widget_dump.h"
#include "ui/network/network_view.h"
#include "ui/results/graph_view.h"
#include "ui/results/profile_window.h"
#include "ui/results/results_legend.h"
#include "ui/shell/child_frame.h"
#include "ui/shell/main_frame.h"

using namespace orvo;
using namespace orvo::ui;

namespace {

// DO: segment 1 holds 1 + t, segment 2 twice that, at days 0, 1.5 and 3; TEMP is 20 throughout.
void WriteTwoSegmentRun(const std::string& base) {
  testing::WriteResultsRun(base, 2, {"DO {mg/L)", "TEMP"}, {0, 1.5, 3},
                           [](int v, int s, int t) { return v == 1 ? 20.0 : (s + 1) * (1.0 + t); });
}

QColor Viridis(double fraction) {
  return ToQColor(ColourScale::Viridis().At(fraction));
}

void BuildTwoSegments(COrvoBuilderDoc& doc) {
  COrvoBuilderCntrItem* first = testing::AddSegmentWithLabel(doc, 40, 80);
  COrvoBuilderCntrItem* second = testing::AddSegmentWithLabel(doc, 200, 80);
  doc.AddExchange(first, second, kInterface);
}

}  // namespace

class ResultsDockTest : public QObject {
  Q_OBJECT

 private slots:
  void PanelColoursTheViewByVariableAndTime();
  void ProfileFollowsTheChainAndTheSlider();
  void DockInTheMainWindowIsOffByDefault();
};

void ResultsDockTest::PanelColoursTheViewByVariableAndTime() {
  QTemporaryDir dir;
  const std::string base = dir.filePath(QStringLiteral("river")).toStdString();
  WriteTwoSegmentRun(base);
  ScriptedPlatform platform;
  COrvoBuilderDoc doc(platform);
  BuildTwoSegments(doc);
  doc.run_file_path = base;
  const bool modified = doc.IsModified();
  const bool can_undo = doc.CanUndo();
  COrvoBuilderView view(doc);
  view.resize(400, 300);
  view.show();

  ResultsPanel panel(view, platform);
  QVERIFY(view.segment_fill().empty());  // nothing until the panel is active
  QSignalSpy loaded(&panel, &ResultsPanel::RunsLoaded);
  panel.SetActive(true);
  QVERIFY(panel.Loading());
  QVERIFY(loaded.wait(10000));
  // The runs, the variables of both files and the first time step.
  ORVO_COMPARE_EXPECTED("ui/results/results_dock/loaded.txt",
                        orvo::testing::WidgetDump(panel).replace(dir.path().toUtf8(), "<dir>"));
  QVERIFY(platform.messages.empty());

  // Day 0: values 1 and 2 within the whole run's 1 to 6.
  QCOMPARE(panel.time_slider()->maximum(), 2);
  QCOMPARE(view.segment_fill().size(), 2u);
  QCOMPARE(view.segment_fill()[0], Viridis(0));
  QCOMPARE(view.segment_fill()[1], Viridis(0.2));
  QCOMPARE(panel.legend()->content().units, QStringLiteral("mg/L"));
  QCOMPARE(panel.legend()->content().minimum, 1.0);
  QCOMPARE(panel.legend()->content().maximum, 6.0);

  // The slider moves the colours: day 3 holds 3 and 6.
  panel.time_slider()->setValue(2);
  QCOMPARE(view.segment_fill()[0], Viridis(0.4));
  QCOMPARE(view.segment_fill()[1], Viridis(1));
  QCOMPARE(panel.time_label()->text(), QStringLiteral("Day 3 (time step 3 of 3)"));
  QCOMPARE(panel.SegmentToolTip(2), QStringLiteral("Segment 2\nDO {mg/L): 6\nDay 3"));
  // The range of the shown time only: one segment twice the other spans the scale.
  panel.step_range_box()->setChecked(true);
  QCOMPARE(view.segment_fill()[0], Viridis(0));
  QCOMPARE(view.segment_fill()[1], Viridis(1));

  // The tool tip of the segment under the mouse.
  const QPoint centre = view.ToClient(QPoint(200 + 16, 80 + 16));
  QHelpEvent help(QEvent::ToolTip, centre, view.viewport()->mapToGlobal(centre));
  QApplication::sendEvent(view.viewport(), &help);
  QTRY_COMPARE(QToolTip::text(), QStringLiteral("Segment 2\nDO {mg/L): 6\nDay 3"));

  // A variable that is the same everywhere sits in the middle of the scale.
  panel.variable_list()->setCurrentIndex(1);
  QCOMPARE(view.segment_fill()[0], Viridis(0.5));

  // Play runs to the last time step and stops there.
  panel.variable_list()->setCurrentIndex(0);
  panel.interval_field()->setValue(20);
  panel.time_slider()->setValue(0);
  QTest::mouseClick(panel.play_button(), Qt::LeftButton);
  QVERIFY(panel.playing());
  QTRY_COMPARE(panel.time_slider()->value(), 2);
  QTRY_VERIFY(!panel.playing());
  QVERIFY(!panel.play_button()->isChecked());

  // Inactive: the pictures are back; the document never changed.
  panel.SetActive(false);
  QVERIFY(view.segment_fill().empty());
  QCOMPARE(doc.IsModified(), modified);
  QCOMPARE(doc.CanUndo(), can_undo);
}

void ResultsDockTest::ProfileFollowsTheChainAndTheSlider() {
  QTemporaryDir dir;
  const std::string base = dir.filePath(QStringLiteral("river")).toStdString();
  WriteTwoSegmentRun(base);
  ScriptedPlatform platform;
  COrvoBuilderDoc doc(platform);
  BuildTwoSegments(doc);
  doc.run_file_path = base;
  COrvoBuilderView view(doc);
  ResultsPanel panel(view, platform);
  QSignalSpy loaded(&panel, &ResultsPanel::RunsLoaded);
  panel.SetActive(true);
  QVERIFY(loaded.wait(10000));

  panel.OpenProfile();
  LongitudinalProfileWindow* profile = panel.profile_window();
  QVERIFY(profile != nullptr);
  view.Select(doc.GetSegmentNode(1));
  QTest::mouseClick(profile->downstream_button(), Qt::LeftButton);
  QCOMPARE(profile->path(), (std::vector<int>{1, 2}));
  QCOMPARE(profile->path_field()->text(), QStringLiteral("1, 2"));
  QCOMPARE(profile->points().size(), 2u);
  QCOMPARE(profile->points()[1].value, 2.0);
  QVERIFY(profile->graph() != nullptr);
  QCOMPARE(profile->graph()->frame_count(), 3);  // one frame per time step
  QCOMPARE(profile->graph()->description().Value(2, 0, 1), 6.0);
  panel.time_slider()->setValue(1);
  QCOMPARE(profile->points()[1].value, 4.0);
  QCOMPARE(profile->graph()->frame(), 1);
  // A frame advanced on the chart moves the slider.
  profile->graph()->AdvanceFrame();
  QCOMPARE(panel.time_slider()->value(), 2);

  // Typed paths: in the given order; a bad one is refused with its reason.
  profile->path_field()->setText(QStringLiteral("2, 1"));
  QVERIFY(profile->ApplyPathText());
  QCOMPARE(profile->points()[0].value, 6.0);
  profile->path_field()->setText(QStringLiteral("1, 3"));
  QVERIFY(!profile->ApplyPathText());
  QCOMPARE(profile->path(), (std::vector<int>{2, 1}));
  QVERIFY(profile->message_label()->text().contains(QStringLiteral("Segment 3")));
  profile->show();
  testing::Grab(profile, QStringLiteral("results_profile"));
}

void ResultsDockTest::DockInTheMainWindowIsOffByDefault() {
  QTemporaryDir dir;
  const std::string base = dir.filePath(QStringLiteral("river")).toStdString();
  WriteTwoSegmentRun(base);
  CMainFrame main;
  main.show();
  CChildFrame* frame = main.NewProject();
  QVERIFY(frame != nullptr);
  COrvoBuilderDoc& doc = frame->document();
  BuildTwoSegments(doc);
  doc.run_file_path = base;
  const bool modified = doc.IsModified();
  const bool can_undo = doc.CanUndo();
  frame->view()->ZoomFit();

  auto* dock = main.findChild<ResultsDock*>();
  QVERIFY(dock != nullptr);
  QVERIFY(dock->isHidden());
  QVERIFY(frame->view()->segment_fill().empty());
  QAction* toggle = dock->toggleViewAction();
  QCOMPARE(toggle->text(), QStringLiteral("&Results"));
  toggle->trigger();
  QVERIFY(dock->isVisible());
  ResultsPanel* panel = dock->current_panel();
  QVERIFY(panel != nullptr);
  QCOMPARE(panel->view(), frame->view());
  QTRY_VERIFY(!panel->Loading());
  QTRY_COMPARE(frame->view()->segment_fill().size(), 2u);
  QCOMPARE(panel->variable_list()->currentText(), QStringLiteral("DO {mg/L)"));
  panel->time_slider()->setValue(2);
  QCOMPARE(frame->view()->segment_fill()[1], Viridis(1));
  testing::Grab(&main, QStringLiteral("results_dock"));

  toggle->trigger();
  QVERIFY(frame->view()->segment_fill().empty());
  QCOMPARE(doc.IsModified(), modified);
  QCOMPARE(doc.CanUndo(), can_undo);
  doc.SetModifiedFlag(false);  // closes without the question
}

QTEST_MAIN(ResultsDockTest)
#include "results_dock_test.moc"
