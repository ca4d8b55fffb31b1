// Model runs from the desktop against stand-in simulation programs: one that prints progress
// lines and finishes (the viewer opens), one that hangs (Cancel ends it and what it started,
// no viewer), one that fails (its last lines in the message); the project's deck commands wait
// while its run goes.
#include "ui/results/model_runs.h"

#include <signal.h>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include <cerrno>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "model/model_vocabulary.h"
#include "model/scripted_platform.h"
#include "model/settings.h"
#include "support/example_river.h"
#include "support/grid_typing.h"
#include "support/modal_dialog.h"
#include "support/ui_runs.h"
#include "ui/results/output_viewer_window.h"
#include "ui/results/run_progress_dialog.h"
#include "ui/shell/child_frame.h"
#include "ui/shell/main_frame.h"

using namespace orvo;
using namespace orvo::ui;
using orvo::testing::StandIn;
using orvo::testing::Viewers;

namespace {

void WriteFile(const QString& path, const std::string& text) {
  std::ofstream(path.toStdString(), std::ios::binary) << text;
}

// The outputs of a two-segment FENU5 run in the model programs' layout.
std::string OutputFile() {
  return "0\nsteps\n2\nCHEM {mg/L)\nFLOW\n"
         "     1      0.000\n1 2 0 0 0 0\n"
         "     2      0.000\n3 4 0 0 0 0\n";
}

// A process that has ended: gone, or a zombie nobody has collected yet.
bool Gone(int pid) {
  for (int i = 0; i < 250; ++i) {
    if (::kill(pid, 0) != 0 && errno == ESRCH) return true;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string skip, state;
    if (stat >> skip >> skip >> state && state == "Z") return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

RunProgressDialog* ProgressOf(const OpenProject& project) {
  return qobject_cast<RunProgressDialog*>(project.model_run.data());
}

}  // namespace

class ModelRunsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    QDir(dir_->path()).mkpath(QStringLiteral("orvo"));
    QDir(dir_->path()).mkpath(QStringLiteral("deck dir"));
    orvo_dir_ = dir_->filePath(QStringLiteral("orvo")) + u'/';
    deck_dir_ = dir_->filePath(QStringLiteral("deck dir")) + u'/';
    platform_ = std::make_unique<ScriptedPlatform>();
    platform_->SetSetting(settings::kOrvoPath, orvo_dir_.toStdString());
    project_ = std::make_shared<OpenProject>();
    project_->document = std::make_unique<COrvoBuilderDoc>(*platform_);
    project_->untitled_name = QStringLiteral("OrvoB1");
    testing::BuildExampleRiver(*project_->document);
    main_ = std::make_unique<QMainWindow>();
    main_->statusBar();
    main_->show();
    state_changes_ = 0;
  }
  void cleanup() {
    for (OutputViewerWindow* viewer : Viewers()) delete viewer;
    project_.reset();
    main_.reset();
    platform_.reset();
    dir_.reset();
  }

  void ProgressLinesMoveTheBarAndTheViewerOpensAtTheEnd() {
    // An existing deck, run as "Execute File..." with the type chosen in its dialog.
    WriteFile(deck_dir_ + "RIVER.inp", "T1\nT2\nx\n    2    6\n");
    WriteFile(dir_->filePath(QStringLiteral("RIVER.trn")), OutputFile());
    StandIn(orvo_dir_ + "fenu5",
            "echo 'reading the deck'\n"
            "for i in 1 2 3; do echo \"t = $i of 4\"; done\n"
            "while [ ! -f go ]; do sleep 0.05; done\n"
            "cp ../RIVER.trn RIVER.trn; cp ../RIVER.trn RIVER.fdf\n"
            "echo 't = 4 of 4'; echo 'run finished'\n");
    platform_->files.push_back((deck_dir_ + "RIVER.inp").toStdString());
    QStringList types;
    testing::OnModal<SimulationTypeDialog>([&types](SimulationTypeDialog* dialog) {
      QCOMPARE(dialog->windowTitle(), QStringLiteral("Enter Simulation Type"));
      for (int row = 0; row < dialog->list()->count(); ++row)
        types << dialog->list()->item(row)->text();
      QVERIFY(!dialog->findChild<QPushButton*>(QStringLiteral("ok"))->isEnabled());
      testing::Grab(dialog, QStringLiteral("sim_type"));
      const QRect fenu = dialog->list()->visualItemRect(dialog->list()->item(0));
      QTest::mouseClick(dialog->list()->viewport(), Qt::LeftButton, {}, fenu.center());
      testing::Click(dialog, "ok");
    });
    ExecuteFileWithProgress(Context());
    QCOMPARE(types, QStringList({"fenu", "kobals", "verda"}));
    QVERIFY(ModelRunGoing(*project_));
    RunProgressDialog* dialog = ProgressOf(*project_);
    QVERIFY(dialog != nullptr);
    QVERIFY(dialog->isVisible());
    QVERIFY(!dialog->isModal());
    QCOMPARE(project_->document->run_file_path, (deck_dir_ + "RIVER").toStdString());
    QVERIFY(state_changes_ > 0);

    QTRY_COMPARE(dialog->progress_bar()->value(), 750);
    QCOMPARE(dialog->progress_bar()->maximum(), 1000);
    QCOMPARE(dialog->time_label()->text(), QStringLiteral("Day 3 of 4"));
    QTRY_COMPARE(dialog->lines_box()->toPlainText(), QStringLiteral("reading the deck"));
    QVERIFY(dialog->elapsed_label()->text().startsWith(QStringLiteral("Elapsed time: 0:0")));
    testing::Grab(dialog, QStringLiteral("run_progress"));
    QCOMPARE(Viewers().size(), 0);

    WriteFile(deck_dir_ + "go", "");
    QTRY_VERIFY(!ModelRunGoing(*project_));
    QTRY_COMPARE(Viewers().size(), 1);
    OutputViewerWindow* viewer = Viewers().front();
    QCOMPARE(viewer->base_path(), (deck_dir_ + "RIVER").toStdString());
    QTRY_VERIFY(!viewer->Loading());
    QCOMPARE(viewer->run_list()->count(), 1);
    QCOMPARE(viewer->segment_list()->count(), 2);
    QCOMPARE(platform_->messages.size(), std::size_t{1});  // the chooser only
  }

  void CancelEndsAHangingRunAndOpensNoViewer() {
    StandIn(orvo_dir_ + "fenu5", "sleep 300 & echo $! > sleeper.pid\necho waiting\nwait\n");
    const QString deck = deck_dir_ + "river.inp";
    platform_->files.push_back(deck.toStdString());
    ExecuteOrvoWithProgress(Context());
    // "E&xecute ORVO" wrote the deck first.
    QCOMPARE(project_->document->input_deck_path, deck.toStdString());
    QVERIFY(QFile(deck).size() > 100);
    RunProgressDialog* dialog = ProgressOf(*project_);
    QVERIFY(dialog != nullptr);
    QTRY_COMPARE(dialog->lines_box()->toPlainText(), QStringLiteral("waiting"));
    QCOMPARE(dialog->progress_bar()->maximum(), 0);  // no progress lines: busy
    const int sleeper = SleeperPid();
    QVERIFY(sleeper > 0);

    // Another run of the project waits for this one.
    platform_->files.push_back(deck.toStdString());
    ExecuteOrvoWithProgress(Context());
    QCOMPARE(platform_->files.size(), std::size_t{1});  // not even asked

    QTest::mouseClick(dialog->cancel_button(), Qt::LeftButton);
    QTRY_VERIFY(!ModelRunGoing(*project_));
    QVERIFY(Gone(sleeper));
    QCOMPARE(main_->statusBar()->currentMessage(),
             QStringLiteral("The run of fenu5 was cancelled."));
    QTest::qWait(100);
    QCOMPARE(Viewers().size(), 0);
    QCOMPARE(platform_->messages.size(), std::size_t{1});  // the chooser only
  }

  void AFailedRunShowsItsLastLines() {
    StandIn(orvo_dir_ + "fenu5", "echo 'reading the deck'\necho 'bad card C' >&2\nexit 3\n");
    platform_->files.push_back((deck_dir_ + "river.inp").toStdString());
    ExecuteOrvoWithProgress(Context());
    QTRY_VERIFY(!ModelRunGoing(*project_));
    QTRY_COMPARE(platform_->messages.size(), std::size_t{2});
    QCOMPARE(platform_->messages.back(),
             std::string("COrvoBuilderDoc::ExecuteOrvo: fenu5 ended with exit status 3.  Its "
                         "last output:\nreading the deck\nbad card C"));
    QCOMPARE(Viewers().size(), 0);

    // A program that cannot start at all.
    QFile::setPermissions(orvo_dir_ + "fenu5", QFileDevice::ReadOwner);
    platform_->files.push_back((deck_dir_ + "river.inp").toStdString());
    ExecuteOrvoWithProgress(Context());
    QVERIFY(!ModelRunGoing(*project_));
    QVERIFY(platform_->messages.back().rfind("COrvoBuilderDoc::ExecuteOrvo: Unable to run fenu5 (",
                                             0) == 0);
  }

  void CancellingTheTypeOrClosingTheProjectStartsOrLeavesNothing() {
    platform_->files.push_back((deck_dir_ + "river.inp").toStdString());
    testing::OnModal<SimulationTypeDialog>([](SimulationTypeDialog* dialog) { dialog->reject(); });
    ExecuteFileWithProgress(Context());
    QVERIFY(!ModelRunGoing(*project_));
    QVERIFY(!QFile::exists(deck_dir_ + "orvo.ctl"));

    // A project that closes stops its run, and the run opens nothing afterwards.
    StandIn(orvo_dir_ + "fenu5", "sleep 300 & echo $! > sleeper.pid\nwait\n");
    platform_->files.push_back((deck_dir_ + "river.inp").toStdString());
    ExecuteOrvoWithProgress(Context());
    QVERIFY(ModelRunGoing(*project_));
    QTRY_VERIFY(QFile::exists(deck_dir_ + "sleeper.pid"));
    QTest::qWait(50);
    const int sleeper = SleeperPid();
    QVERIFY(sleeper > 0);
    project_.reset();
    QVERIFY(Gone(sleeper));
    QTest::qWait(100);
    QCOMPARE(Viewers().size(), 0);
  }

  void TheMainWindowDisablesTheProjectsDeckCommandsWhileItRuns() {
    CMainFrame frame;
    frame.show();
    CChildFrame* child = frame.NewProject();
    const auto item = [&frame](const QString& text) {
      for (QAction* action : frame.actions()) {
        if (action->text() == text) return action;
      }
      return static_cast<QAction*>(nullptr);
    };
    QAction* execute = item(QStringLiteral("E&xecute ORVO"));
    QAction* execute_file = item(QStringLiteral("Execute File..."));
    QAction* write = item(QStringLiteral("&Write ORVO Input Dataset"));
    QAction* view_output = item(QStringLiteral("View Output"));
    QVERIFY(execute && execute_file && write && view_output);
    QVERIFY(execute->isEnabled() && execute_file->isEnabled() && write->isEnabled());
    QVERIFY(view_output->isEnabled());
    QToolBar* bar = frame.findChild<QToolBar*>(QStringLiteral("standard_toolbar"));
    QVERIFY(bar->actions().contains(execute));

    StandIn(orvo_dir_ + "fenu5", "exec sleep 300\n");
    WriteFile(deck_dir_ + "RIVER.inp", "deck\n");
    ModelRunContext context{&frame, platform_.get(), child->project(),
                            [&frame] { frame.UpdateCommandState(); }, platform_.get()};
    child->document().group_a.SIMTYP = kFenu5;
    auto prepared =
        PrepareModelRun(*platform_, "", (deck_dir_ + "RIVER.inp").toStdString(), kFenu5);
    QVERIFY(prepared.has_value());
    RunProgressDialog* dialog = StartRunWithProgress(context, *prepared);
    QVERIFY(dialog != nullptr);
    QVERIFY(!execute->isEnabled() && !execute_file->isEnabled() && !write->isEnabled());
    QVERIFY(view_output->isEnabled());  // looking stays possible
    // Another project runs as it likes.
    frame.NewProject();
    QVERIFY(execute->isEnabled() && write->isEnabled());
    frame.mdi_area()->setActiveSubWindow(child);
    QVERIFY(!execute->isEnabled());

    dialog->Cancel();
    QTRY_VERIFY(!ModelRunGoing(*child->project()));
    QVERIFY(execute->isEnabled() && execute_file->isEnabled() && write->isEnabled());
    QCOMPARE(frame.statusBar()->currentMessage(),
             QStringLiteral("The run of fenu5 was cancelled."));
  }

 private:
  // The process the stand-in left running, as it wrote it into sleeper.pid.
  int SleeperPid() const {
    int pid = 0;
    std::ifstream((deck_dir_ + "sleeper.pid").toStdString()) >> pid;
    return pid;
  }
  ModelRunContext Context() {
    return {main_.get(), platform_.get(), project_, [this] { ++state_changes_; }, platform_.get()};
  }

  std::unique_ptr<QTemporaryDir> dir_;
  QString orvo_dir_, deck_dir_;
  std::unique_ptr<ScriptedPlatform> platform_;
  std::shared_ptr<OpenProject> project_;
  std::unique_ptr<QMainWindow> main_;
  int state_changes_ = 0;
};

QTEST_MAIN(ModelRunsTest)
#include "model_runs_test.moc"
