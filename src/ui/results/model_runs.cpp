#include "ui/results/model_runs.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>
#include <utility>

#include "deck/deck_writer.h"
#include "model/platform.h"
#include "ui/results/output_viewer_window.h"
#include "ui/results/run_progress_dialog.h"
#include "ui/shell/child_frame.h"
#include "ui/shell/qt_platform.h"

namespace orvo::ui {

bool ModelRunGoing(const OpenProject& project) {
  return !project.model_run.isNull();
}

RunProgressDialog* StartRunWithProgress(const ModelRunContext& context, PreparedModelRun run) {
  auto* dialog = new RunProgressDialog(std::move(run), context.parent);
  if (!dialog->Start()) {
    context.platform->ShowMessage(RunEndMessage(dialog->prepared(), dialog->result()));
    delete dialog;
    return nullptr;
  }
  context.project->model_run = dialog;
  // The project may close while its model runs: it then stops the run, and nothing here may
  // keep it alive.
  const std::weak_ptr<OpenProject> project = context.project;
  const QPointer<QWidget> parent = context.parent;
  QObject::connect(
      dialog, &RunProgressDialog::Finished, dialog,
      [project, parent, platform = context.platform, viewer_platform = context.viewer_platform,
       state_changed = context.state_changed,
       prepared = dialog->prepared()](const RunResult& result) {
        if (const std::shared_ptr<OpenProject> open = project.lock()) open->model_run = nullptr;
        if (state_changed) state_changed();
        if (result.how == RunEnd::kCancelled) {
          if (auto* main = qobject_cast<QMainWindow*>(parent.data())) {
            main->statusBar()->showMessage(QStringLiteral("The run of %1 was cancelled.")
                                               .arg(MessageText(prepared.program_name)));
          }
          return;
        }
        const std::string problem = RunEndMessage(prepared, result);
        if (!problem.empty()) {
          platform->ShowMessage(problem);
          return;
        }
        OpenOutputViewer(parent, prepared.run_file_path, viewer_platform);
      });
  dialog->show();
  if (context.state_changed) context.state_changed();
  return dialog;
}

void ExecuteOrvoWithProgress(const ModelRunContext& context) {
  OpenProject& project = *context.project;
  if (ModelRunGoing(project)) return;
  COrvoBuilderDoc& document = *project.document;
  const std::string suggested =
      !document.input_deck_path.empty()
          ? document.input_deck_path
          : LocalPath(QFileInfo(project.DisplayName()).completeBaseName() + QStringLiteral(".inp"));
  const std::optional<std::string> chosen =
      context.platform->ChooseSaveFile(kDeckFilter, suggested);
  if (!chosen) return;
  // The chooser asked about the name as typed; the deck may go to another, existing file.
  const std::string path = InpPath(*chosen);
  if (path != *chosen && QFileInfo::exists(FromLocalPath(path)) &&
      !context.platform->AskYesNo(path + " already exists.\nDo you want to replace it?")) {
    return;
  }
  std::optional<PreparedModelRun> run;
  {
    WaitCursor wait(*context.platform);
    run = PrepareExecuteOrvoCommand(document, path);
  }
  if (context.state_changed) context.state_changed();
  if (run) StartRunWithProgress(context, std::move(*run));
}

void ExecuteFileWithProgress(const ModelRunContext& context) {
  OpenProject& project = *context.project;
  if (ModelRunGoing(project)) return;
  const std::optional<std::string> chosen =
      context.platform->ChooseOpenFile(kDeckFilter, kExecuteFileTitle);
  if (!chosen) return;
  const std::optional<std::string> type = SimulationTypeDialog::Ask(context.parent);
  if (!type) return;
  std::optional<PreparedModelRun> run;
  {
    WaitCursor wait(*context.platform);
    run = PrepareExecuteFileCommand(*project.document, *chosen, *type);
  }
  if (context.state_changed) context.state_changed();
  if (run) StartRunWithProgress(context, std::move(*run));
}

void ViewOutput(const ModelRunContext& context) {
  OpenOutputViewer(context.parent, context.project->document->run_file_path,
                   context.viewer_platform);
}

// ---------------------------------------------------------------------------------------------

SimulationTypeDialog::SimulationTypeDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("simulation_type"));
  setWindowTitle(QString::fromUtf8(kSimulationTypeTitle));
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(QStringLiteral("Simulation type of the input file:"), this);
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("types"));
  label->setBuddy(list_);
  for (const std::string& type : ExecuteFileTypes()) list_->addItem(QString::fromStdString(type));
  list_->setSortingEnabled(true);
  const QFontMetrics metrics(list_->font());
  list_->setFixedHeight(metrics.lineSpacing() * 4 + 2 * list_->frameWidth());
  layout->addWidget(label);
  layout->addWidget(list_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
  ok->setObjectName(QStringLiteral("ok"));
  ok->setEnabled(false);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  // Starting nothing is no choice: OK waits for an entry.
  connect(list_, &QListWidget::itemSelectionChanged, this,
          [this, ok] { ok->setEnabled(!list_->selectedItems().isEmpty()); });
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

std::string SimulationTypeDialog::Chosen() const {
  const QList<QListWidgetItem*> items = list_->selectedItems();
  return items.isEmpty() ? std::string() : items.front()->text().toStdString();
}

std::optional<std::string> SimulationTypeDialog::Ask(QWidget* parent) {
  SimulationTypeDialog dialog(parent);
  if (dialog.exec() != QDialog::Accepted || dialog.Chosen().empty()) return std::nullopt;
  return dialog.Chosen();
}

}  // namespace orvo::ui
