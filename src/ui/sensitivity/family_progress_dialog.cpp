#include "ui/sensitivity/family_progress_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "model/number_text.h"
#include "model/settings.h"
#include "ui/results/output_viewer_window.h"
#include "ui/shell/child_frame.h"
#include "ui/shell/qt_platform.h"
#include "ui/widgets/run_progress_parts.h"
#include "ui/widgets/stored_text.h"

namespace orvo::ui {
namespace {

constexpr int kPollMs = 100;
constexpr int kMaxParallelRuns = 32;

}  // namespace

SensitivityParametersDialog::SensitivityParametersDialog(Platform& platform, QWidget* parent)
    : QDialog(parent), platform_(platform) {
  setObjectName(QStringLiteral("sensitivity_parameters"));
  setWindowTitle(QStringLiteral("Sensitivity Analysis Parameters"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Optional title string (TITLE1):"), this));
  title_ = new QLineEdit(this);
  title_->setObjectName(QStringLiteral("title"));
  title_->setMinimumWidth(title_->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 50);
  layout->addWidget(title_);
  base_case_ = new QCheckBox(QStringLiteral("Execute Base Case"), this);
  base_case_->setObjectName(QStringLiteral("base_case"));
  base_case_->setChecked(true);
  layout->addWidget(base_case_);
  auto* parallel = new QHBoxLayout;
  auto* parallel_label = new QLabel(QStringLiteral("Parallel runs:"), this);
  parallel_ = new QSpinBox(this);
  parallel_->setObjectName(QStringLiteral("parallel_runs"));
  parallel_->setRange(1, kMaxParallelRuns);
  parallel_->setValue(
      std::clamp(AtoI(platform_.GetSetting(settings::kParallelRuns)), 1, kMaxParallelRuns));
  parallel_->setToolTip(QStringLiteral("Runs that go side by side; this computer has %1 cores.")
                            .arg(std::max(QThread::idealThreadCount(), 1)));
  parallel_label->setBuddy(parallel_);
  parallel->addWidget(parallel_label);
  parallel->addWidget(parallel_);
  parallel->addStretch(1);
  layout->addLayout(parallel);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void SensitivityParametersDialog::accept() {
  std::string title;
  if (!ToStored(title_->text(), title)) {
    platform_.ShowMessage("The title holds characters that an input file cannot store.");
    return;
  }
  platform_.SetSetting(settings::kParallelRuns, IntText(parallel_->value()));
  QDialog::accept();
}

std::string SensitivityParametersDialog::Title() const {
  std::string title;
  return ToStored(title_->text(), title) ? title : std::string();
}

bool SensitivityParametersDialog::BaseCase() const {
  return base_case_->isChecked();
}

int SensitivityParametersDialog::ParallelRuns() const {
  return parallel_->value();
}

// ---------------------------------------------------------------------------------------------

FamilyProgressDialog::FamilyProgressDialog(COrvoBuilderDoc& document, FamilyOptions options,
                                           QWidget* parent)
    : QDialog(parent),
      family_(std::make_unique<SensitivityFamily>(document, std::move(options))),
      timer_(new QTimer(this)) {
  setObjectName(QStringLiteral("family_progress"));
  const SensitivityFiles& files = family_->options().files;
  setWindowTitle(QStringLiteral("Sensitivity Runs - ") + MessageText(files.title));
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  auto* heading = new QLabel(QStringLiteral("Sensitivity runs %1 in %2")
                                 .arg(MessageText(files.title), MessageText(files.directory)),
                             this);
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  layout->addWidget(heading);

  run_ = new QLabel(this);
  run_->setObjectName(QStringLiteral("run_number"));
  layout->addWidget(run_);
  family_bar_ = new QProgressBar(this);
  family_bar_->setObjectName(QStringLiteral("family_bar"));
  family_bar_->setRange(0, std::max(family_->Total(), 1));
  family_bar_->setValue(0);
  family_bar_->setFormat(QStringLiteral("%v of %m runs ended"));
  layout->addWidget(family_bar_);

  layout->addWidget(new QLabel(QStringLiteral("Current run:"), this));
  run_bar_ = new QProgressBar(this);
  run_bar_->setObjectName(QStringLiteral("run_bar"));
  run_bar_->setRange(0, 0);
  run_bar_->setTextVisible(false);
  layout->addWidget(run_bar_);
  time_ = new QLabel(QStringLiteral("Starting..."), this);
  time_->setObjectName(QStringLiteral("simulated_time"));
  layout->addWidget(time_);
  auto* times = new QHBoxLayout;
  elapsed_ = new QLabel(this);
  elapsed_->setObjectName(QStringLiteral("elapsed_time"));
  remaining_ = new QLabel(this);
  remaining_->setObjectName(QStringLiteral("remaining_time"));
  times->addWidget(elapsed_, 1);
  times->addWidget(remaining_);
  layout->addLayout(times);

  layout->addWidget(new QLabel(QStringLiteral("Last output of the current run:"), this));
  lines_ = NewOutputLinesBox(this, 6);
  layout->addWidget(lines_, 1);
  cancel_ = AddCancelRow(*layout, this);
  connect(cancel_, &QPushButton::clicked, this, &FamilyProgressDialog::Cancel);

  timer_->setInterval(kPollMs);
  connect(timer_, &QTimer::timeout, this, &FamilyProgressDialog::Poll);
  ShowState();
}

FamilyProgressDialog::~FamilyProgressDialog() = default;  // ~SensitivityFamily stops the runs

bool FamilyProgressDialog::Start() {
  if (!family_->Begin()) return false;
  timer_->start();
  Poll();
  return true;
}

void FamilyProgressDialog::Cancel() {
  if (finished_ || !family_->Going()) return;
  family_->Cancel();
  cancel_->setEnabled(false);
  cancel_->setText(QStringLiteral("Cancelling..."));
  ShowState();
}

void FamilyProgressDialog::reject() {
  Cancel();
}

void FamilyProgressDialog::Poll() {
  // A message shown by a run's end opens a nested event loop in which the timer fires again.
  if (finished_ || polling_) return;
  polling_ = true;
  const bool going = family_->Poll();
  polling_ = false;
  ShowState();
  if (going) return;
  finished_ = true;
  timer_->stop();
  hide();
  emit Finished(family_->Succeeded(), family_->Cancelled());
  deleteLater();
}

void FamilyProgressDialog::ShowState() {
  const int total = family_->Total();
  run_->setText(QStringLiteral("Run %1 of %2").arg(std::max(family_->LastStarted(), 1)).arg(total));
  family_bar_->setValue(family_->Ended());
  elapsed_->setText(QStringLiteral("Elapsed time: ") + DurationText(family_->ElapsedSeconds()));
  const std::optional<double> remaining = family_->RemainingSeconds();
  remaining_->setText(QStringLiteral("Estimated time remaining: ") +
                      (remaining ? DurationText(*remaining) : QStringLiteral("unknown")));
  if (family_->Cancelled()) {
    time_->setText(QStringLiteral("Stopping the runs..."));
    return;
  }
  const std::vector<const ModelRun*> running = family_->Running();
  const ModelRun* current = running.empty() ? nullptr : running.back();
  if (current != shown_run_) {
    shown_run_ = current;
    lines_->clear();
    run_bar_->setRange(0, 0);
  }
  if (current == nullptr) return;
  QStringList shown;
  for (const std::string& line : current->last_lines()) shown << MessageText(line);
  const QString text = shown.join(u'\n');
  if (lines_->toPlainText() != text) lines_->setPlainText(text);
  const std::optional<RunProgress>& progress = current->progress();
  if (!progress) {
    time_->setText(QStringLiteral("Starting..."));
    return;
  }
  ShowRunProgress(*progress, *run_bar_, *time_);
}

FamilyProgressDialog* StartFamilyWithProgress(const ModelRunContext& context,
                                              FamilyOptions options) {
  OpenProject& project = *context.project;
  const std::string base_path = options.files.RunFilePath();
  auto* dialog = new FamilyProgressDialog(*project.document, std::move(options), context.parent);
  if (!dialog->Start()) {
    delete dialog;
    if (context.state_changed) context.state_changed();
    return nullptr;
  }
  project.model_run = dialog;
  const std::weak_ptr<OpenProject> weak = context.project;
  const QPointer<QWidget> parent = context.parent;
  QObject::connect(
      dialog, &FamilyProgressDialog::Finished, dialog,
      [weak, parent, base_path, viewer_platform = context.viewer_platform,
       state_changed = context.state_changed](bool succeeded, bool cancelled) {
        if (const auto open = weak.lock()) open->model_run = nullptr;
        if (state_changed) state_changed();
        if (cancelled) {
          if (auto* main = qobject_cast<QMainWindow*>(parent.data())) {
            main->statusBar()->showMessage(QStringLiteral("The sensitivity runs were cancelled."));
          }
          return;
        }
        if (succeeded) OpenOutputViewer(parent, base_path, viewer_platform);
      });
  dialog->show();
  if (context.state_changed) context.state_changed();
  return dialog;
}

}  // namespace orvo::ui
