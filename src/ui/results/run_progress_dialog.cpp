#include "ui/results/run_progress_dialog.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

#include "ui/shell/qt_platform.h"
#include "ui/widgets/run_progress_parts.h"

namespace orvo::ui {
namespace {

// How often the window looks at a run whose output is quiet: the elapsed time, the end of a
// program that no longer writes, the timeout and the grace period of a stop.
constexpr int kPollMs = 200;

}  // namespace

RunProgressDialog::RunProgressDialog(PreparedModelRun prepared, QWidget* parent)
    : QDialog(parent),
      prepared_(std::move(prepared)),
      run_(std::make_unique<ModelRun>(prepared_.request)),
      timer_(new QTimer(this)) {
  setObjectName(QStringLiteral("run_progress"));
  const QString deck = FromLocalPath(prepared_.deck_path);
  const QString program = MessageText(prepared_.program_name);
  setWindowTitle(QStringLiteral("Model Run - ") + QFileInfo(deck).fileName());
  setModal(false);

  auto* layout = new QVBoxLayout(this);
  heading_ =
      new QLabel(QStringLiteral("Running %1 on %2").arg(program, QFileInfo(deck).fileName()), this);
  heading_->setToolTip(deck);
  QFont bold = heading_->font();
  bold.setBold(true);
  heading_->setFont(bold);
  layout->addWidget(heading_);
  auto* folder = new QLabel(QFileInfo(deck).absolutePath(), this);
  folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(folder);

  bar_ = new QProgressBar(this);
  bar_->setRange(0, 0);  // busy until the program tells how far it is
  bar_->setTextVisible(false);
  layout->addWidget(bar_);
  auto* state = new QHBoxLayout;
  time_ = new QLabel(QStringLiteral("Starting %1...").arg(program), this);
  time_->setObjectName(QStringLiteral("simulated_time"));
  elapsed_ = new QLabel(this);
  elapsed_->setObjectName(QStringLiteral("elapsed_time"));
  state->addWidget(time_, 1);
  state->addWidget(elapsed_);
  layout->addLayout(state);

  layout->addWidget(new QLabel(QStringLiteral("Last output of %1:").arg(program), this));
  lines_ = NewOutputLinesBox(this, 8);
  lines_->setMaximumBlockCount(kShownLines);
  layout->addWidget(lines_, 1);
  cancel_ = AddCancelRow(*layout, this);
  connect(cancel_, &QPushButton::clicked, this, &RunProgressDialog::Cancel);

  timer_->setInterval(kPollMs);
  connect(timer_, &QTimer::timeout, this, &RunProgressDialog::Poll);
  ShowState();
}

RunProgressDialog::~RunProgressDialog() {
  delete notifier_;
  notifier_ = nullptr;
  // ~ModelRun stops a program still running.
}

bool RunProgressDialog::Start() {
  if (!run_->Start()) return false;
  WatchOutput();
  timer_->start();
  ShowState();
  return true;
}

void RunProgressDialog::Cancel() {
  if (finished_ || !run_->Running()) return;
  run_->Cancel();
  cancel_->setEnabled(false);
  cancel_->setText(QStringLiteral("Cancelling..."));
  ShowState();
}

void RunProgressDialog::reject() {
  Cancel();
}

void RunProgressDialog::WatchOutput() {
  const int descriptor = run_->OutputDescriptor();
  if (notifier_ != nullptr && static_cast<int>(notifier_->socket()) == descriptor) return;
  if (notifier_ != nullptr) {
    // Its descriptor is closed already; it may be the one calling us, so it goes later.
    notifier_->setEnabled(false);
    notifier_->deleteLater();
    notifier_ = nullptr;
  }
  if (descriptor < 0) return;
  notifier_ = new QSocketNotifier(descriptor, QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &RunProgressDialog::Poll);
}

void RunProgressDialog::Poll() {
  if (finished_) return;
  const bool running = run_->Poll(0);
  QStringList shown;
  for (const std::string& line : run_->TakeLines()) {
    if (!ParseProgressLine(line)) shown << MessageText(line);
  }
  if (!shown.isEmpty()) lines_->appendPlainText(shown.join(u'\n'));
  WatchOutput();
  ShowState();
  if (running) return;
  finished_ = true;
  timer_->stop();
  const RunResult result = run_->result();
  hide();
  // Whoever listens may show a message or open a window; this one is gone by then.
  emit Finished(result);
  deleteLater();
}

void RunProgressDialog::ShowState() {
  elapsed_->setText(QStringLiteral("Elapsed time: ") + DurationText(run_->ElapsedSeconds()));
  if (run_->Cancelling()) {
    time_->setText(QStringLiteral("Stopping %1...").arg(MessageText(prepared_.program_name)));
    return;
  }
  const std::optional<RunProgress>& progress = run_->progress();
  if (!progress) return;
  ShowRunProgress(*progress, *bar_, *time_);
}

}  // namespace orvo::ui
