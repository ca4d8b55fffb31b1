// The sensitivity dialogs offscreen: every group's controls, the range fields and the label
// changes, "Current Value:", and "Generate" running a family against a stand-in simulation
// program, with its progress window, Cancel and the output viewer at the end. With
// ORVO_GRAB_DIR set, each dialog is grabbed into that directory.
#include "ui/sensitivity/sensitivity_dialog.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <string>

#include "model/scripted_platform.h"
#include "model/settings.h"
#include "support/example_river.h"
#include "support/grid_typing.h"
#include "support/modal_dialog.h"
#include "support/ui_runs.h"
#include "support/widget_dump.h"
#include "ui/results/output_viewer_window.h"
#include "ui/sensitivity/family_progress_dialog.h"
#include "ui/shell/child_frame.h"

using namespace orvo;
using namespace orvo::ui;
using orvo::testing::Viewers;

namespace {

// Writes two output files of six segments between its progress lines, the tail between them.
void StandIn(const QString& path, const std::string& tail) {
  testing::StandIn(
      path,
      "deck=$(sed -n 2p orvo.ctl)\n"
      "echo \"t = 0 of 2\"\n" +
          tail +
          "out() {\n"
          "  printf '1\\nheader\\nsteps\\nsegs\\nFLOW (cms)\\n'\n"
          "  for s in 1 2 3 4 5 6; do printf '%6d%10.3f\\n%s.5 0 0 0 0 0\\n' $s 1 $s; done\n"
          "}\n"
          "out > \"${deck%.*}.trn\"\nout > \"${deck%.*}.fdf\"\necho \"t = 2 of 2\"\n");
}

void Type(QLineEdit* field, const QString& text) {
  field->setFocus();
  field->setText(text);
  emit field->editingFinished();
}

void Select(QListWidget* list, const QList<int>& rows) {
  list->clearSelection();
  for (int row : rows) list->item(row)->setSelected(true);
}

}  // namespace

class SensitivityDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    QDir(dir_->path()).mkpath(QStringLiteral("orvo"));
    orvo_dir_ = dir_->filePath(QStringLiteral("orvo")) + u'/';
    platform_ = std::make_unique<ScriptedPlatform>();
    platform_->SetSetting(settings::kOrvoPath, orvo_dir_.toStdString());
    project_ = std::make_shared<OpenProject>();
    project_->document = std::make_unique<COrvoBuilderDoc>(*platform_);
    testing::BuildExampleRiver(*project_->document);
    main_ = std::make_unique<QMainWindow>();
    main_->statusBar();
    main_->show();
  }
  void cleanup() {
    for (OutputViewerWindow* viewer : Viewers()) delete viewer;
    SensitivityDialog::CloseFor(*project_->document);
    project_.reset();
    main_.reset();
    platform_.reset();
    dir_.reset();
  }

  // Each dialog's controls and their first state are its file under tests/data/ui/sensitivity.
  void EveryGroupHasItsDialog() {
    for (int group : {kVaryB, kVaryC, kVaryD, kVaryE, kVaryF, kVaryG, kVaryH, kVaryJ}) {
      SensitivityDialog* dialog = SensitivityDialog::ShowFor(Context(), group);
      QVERIFY(dialog != nullptr);
      QVERIFY(!dialog->isModal());
      QCOMPARE(SensitivityDialog::ShowFor(Context(), group), dialog);  // raised again
      const QString letter = QChar(SensitivityGroupLetter(group)).toLower();
      ORVO_COMPARE_WINDOW("ui/sensitivity/dialog_" + letter + ".txt", *dialog);
      dialog->adjustSize();
      testing::Grab(dialog, QStringLiteral("sensitivity_") + letter.toUpper());
    }
    auto* b = qobject_cast<SensitivityDlgB*>(SensitivityDialog::Find(*project_->document, kVaryB));
    Select(b->function_list(), {0});
    QVERIFY(b->exchange_list()->count() > 0);
    // Closing the project closes its dialogs.
    SensitivityDialog::CloseFor(*project_->document);
    QVERIFY(SensitivityDialog::Find(*project_->document, kVaryB) == nullptr);
  }

  void RangeFieldsAndLabelChanges() {
    auto* c = SensitivityDialog::ShowFor(Context(), kVaryC);
    Type(c->minimum_field(), QStringLiteral("1"));
    Type(c->maximum_field(), QStringLiteral("2"));
    Type(c->increment_field(), QStringLiteral("0.3"));
    QCOMPARE(c->increment_field()->text(), QStringLiteral("0.333333"));
    QCOMPARE(c->runs_field()->text(), QStringLiteral("4"));
    QCOMPARE(c->intervals_field()->toPlainText(), QStringLiteral("1 1.33333 1.66667 2"));
    Type(c->runs_field(), QStringLiteral("1"));
    QCOMPARE(c->intervals_field()->toPlainText(), QStringLiteral("1"));
    // Too many runs: said, and nothing changes.
    Type(c->runs_field(), QStringLiteral("5000"));
    QCOMPARE(c->runs_field()->text(), QStringLiteral("1"));
    QCOMPARE(platform_->messages.size(), std::size_t{1});

    QVERIFY(!c->additive_box()->isEnabled());
    QCOMPARE(c->unit_label()->text(), QStringLiteral("%"));
    c->value_button()->click();
    QCOMPARE(c->unit_label()->text(), QString());
    QVERIFY(c->additive_box()->isEnabled());
    c->additive_box()->click();
    QVERIFY(c->Rule().additive);
    QVERIFY(!c->Rule().percent);
    c->percentage_button()->click();
    QVERIFY(!c->additive_box()->isEnabled());
    QVERIFY(!c->Rule().additive);  // the disabled box does not count

    auto* h = SensitivityDialog::ShowFor(Context(), kVaryH);
    Type(h->maximum_field(), QStringLiteral("10"));
    Type(h->runs_field(), QStringLiteral("1"));
    QCOMPARE(h->runs_field()->text(), QStringLiteral("2"));
    QCOMPARE(h->intervals_field()->toPlainText(), QStringLiteral("0 10"));
    h->value_button()->click();
    h->additive_box()->click();
    ORVO_COMPARE_WINDOW("ui/sensitivity/dialog_h_offset.txt", *h);
    testing::Grab(h, QStringLiteral("sensitivity_h_offset"));
    h->additive_box()->click();
    ORVO_COMPARE_WINDOW("ui/sensitivity/dialog_h_by_value.txt", *h);
  }

  void CurrentValueFollowsTheSelection() {
    auto* c = qobject_cast<SensitivityDlgC*>(SensitivityDialog::ShowFor(Context(), kVaryC));
    Select(c->segment_list(), {0});
    const double volume = project_->document->GetSegmentNode(1)->segment()->BVOL;
    QCOMPARE(c->current_value_field()->text(), QString::number(volume, 'g', 6));
    Select(c->segment_list(), {0, 1});
    QCOMPARE(c->current_value_field()->text(), QStringLiteral("NA"));

    project_->document->value_ranges.c_min = "0";
    project_->document->value_ranges.c_max = "50";
    auto* j = qobject_cast<SensitivityDlgJ*>(SensitivityDialog::ShowFor(Context(), kVaryJ));
    Select(j->segment_list(), {2});
    QVERIFY(j->current_value_field()->text() != QStringLiteral("NA"));
    QCOMPARE(j->range_field()->text(), QStringLiteral("0"));
    QCOMPARE(j->range_to_field()->text(), QStringLiteral("50"));
    Select(j->segment_list(), {1, 2});
    QCOMPARE(j->current_value_field()->text(), QStringLiteral("NA"));
    QCOMPARE(j->range_field()->text(), QString());
  }

  void GenerateRunsTheFamilyAndOpensTheViewer() {
    StandIn(orvo_dir_ + "fenu5", "sleep 0.2\necho \"t = 1 of 2\"\n");
    auto* c = qobject_cast<SensitivityDlgC*>(SensitivityDialog::ShowFor(Context(), kVaryC));
    // The selection is checked first.
    c->OnGenerate();
    QCOMPARE(platform_->messages.back(),
             std::string("Please choose segments to run sensitivity analysis on."));
    Select(c->segment_list(), {1});
    c->intervals_field()->setPlainText(QStringLiteral("50, 150"));
    const std::string deck = dir_->filePath(QStringLiteral("runs.inp")).toStdString();
    platform_->files.push_back(deck);
    testing::OnModal<SensitivityParametersDialog>([](SensitivityParametersDialog* dialog) {
      QCOMPARE(dialog->windowTitle(), QStringLiteral("Sensitivity Analysis Parameters"));
      QVERIFY(dialog->base_case_box()->isChecked());
      QCOMPARE(dialog->parallel_field()->value(), 1);
      testing::Grab(dialog, QStringLiteral("sensitivity_parameters"));
      dialog->title_field()->setText(QStringLiteral("Volume study"));
      dialog->parallel_field()->setValue(2);
      dialog->accept();
    });
    c->OnGenerate();
    QCOMPARE(platform_->GetSetting(settings::kParallelRuns), std::string("2"));
    QVERIFY(ModelRunGoing(*project_));
    QVERIFY(!c->generate_button()->isEnabled());
    auto* progress = qobject_cast<FamilyProgressDialog*>(project_->model_run.data());
    QVERIFY(progress != nullptr);
    QTRY_VERIFY(progress->time_label()->text().startsWith(QStringLiteral("Day")));
    QVERIFY(progress->run_label()->text().contains(QStringLiteral(" of 3")));
    QVERIFY(progress->elapsed_label()->text().startsWith(QStringLiteral("Elapsed time: ")));
    QVERIFY(progress->remaining_label()->text().startsWith(
        QStringLiteral("Estimated time remaining: ")));
    testing::Grab(progress, QStringLiteral("sensitivity_progress"));
    QTRY_VERIFY_WITH_TIMEOUT(!ModelRunGoing(*project_), 20000);
    QVERIFY(c->generate_button()->isEnabled());
    QTRY_COMPARE(Viewers().size(), 1);
    QCOMPARE(Viewers().front()->base_path(), dir_->filePath(QStringLiteral("runs")).toStdString());
    for (const char* name : {"runs.inp", "runs0.inp", "runs1.inp", "runs0.fdf", "runs1.fdf"})
      QVERIFY2(QFile::exists(dir_->filePath(QString::fromLatin1(name))), name);
    QVERIFY(!QFile::exists(dir_->filePath(QStringLiteral("runs_pre.inp"))));
    QVERIFY(c->isVisible());  // the dialog stays until Cancel
  }

  void CancelStopsTheFamilyAndLeavesItsFiles() {
    StandIn(orvo_dir_ + "fenu5", "sleep 300 & wait\n");
    auto* c = qobject_cast<SensitivityDlgC*>(SensitivityDialog::ShowFor(Context(), kVaryC));
    Select(c->segment_list(), {0});
    c->intervals_field()->setPlainText(QStringLiteral("50 150"));
    platform_->files.push_back(dir_->filePath(QStringLiteral("stop.inp")).toStdString());
    testing::OnModal<SensitivityParametersDialog>([](SensitivityParametersDialog* dialog) {
      dialog->base_case_box()->setChecked(false);
      dialog->accept();
    });
    c->OnGenerate();
    auto* progress = qobject_cast<FamilyProgressDialog*>(project_->model_run.data());
    QVERIFY(progress != nullptr);
    QTRY_COMPARE(progress->run_label()->text(), QStringLiteral("Run 1 of 2"));
    QTRY_COMPARE(progress->time_label()->text(), QStringLiteral("Day 0 of 2"));
    QTest::mouseClick(progress->cancel_button(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!ModelRunGoing(*project_), 10000);
    QCOMPARE(main_->statusBar()->currentMessage(),
             QStringLiteral("The sensitivity runs were cancelled."));
    QTest::qWait(100);
    QCOMPARE(Viewers().size(), 0);
    for (const char* name : {"stop0.inp", "stop_0.inp", "stop_A_0.inp", "stop_1.inp",
                             "stop_A_1.inp", "stop_pre.inp", "stop_post.inp"})
      QVERIFY2(QFile::exists(dir_->filePath(QString::fromLatin1(name))), name);
    QVERIFY(!QFile::exists(dir_->filePath(QStringLiteral("stop1.inp"))));
  }

 private:
  ModelRunContext Context() {
    return {main_.get(), platform_.get(), project_, {}, platform_.get()};
  }

  std::unique_ptr<QTemporaryDir> dir_;
  QString orvo_dir_;
  std::unique_ptr<ScriptedPlatform> platform_;
  std::shared_ptr<OpenProject> project_;
  std::unique_ptr<QMainWindow> main_;
};

QTEST_MAIN(SensitivityDialogTest)
#include "sensitivity_dialog_test.moc"
