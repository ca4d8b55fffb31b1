#include "ui/shell/child_frame.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QIcon>

#include "ui/editors/project_parameters_window.h"
#include "ui/network/network_view.h"
#include "ui/validation/card_completion_matrix.h"

namespace orvo::ui {

OpenProject::~OpenProject() {
  // A model run still going is stopped before its project goes.
  delete model_run.data();
  if (document) {
    delete CardCompletionMatrix::Find(*document);
    ProjectParametersWindow::CloseFor(*document);
  }
}

QString OpenProject::DisplayName() const {
  return path.isEmpty() ? untitled_name : QFileInfo(path).fileName();
}

CChildFrame::CChildFrame(std::shared_ptr<OpenProject> project, SaveModifiedHook save_modified,
                         QWidget* parent)
    : QMdiSubWindow(parent),
      project_(std::move(project)),
      save_modified_(std::move(save_modified)),
      view_(new COrvoBuilderView(*project_->document, this)),
      window_number_(++project_->window_count) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowIcon(QIcon(QStringLiteral(":/shell/new.svg")));
  setWidget(view_);
  project_->document->AddObserver(this);
  connect(view_, &COrvoBuilderView::SelectionChanged, this, &CChildFrame::StateChanged);
  RefreshTitle();
}

CChildFrame::~CChildFrame() {
  // The view goes first: it observes the document, which may die with this window.
  delete view_;
  project_->document->RemoveObserver(this);
  if (counted_) --project_->window_count;
}

void CChildFrame::RefreshTitle() {
  QString title = project_->DisplayName();
  if (window_number_ > 1 || project_->window_count > 1) {
    title += u':' + QString::number(window_number_);
  }
  setWindowTitle(title + QStringLiteral("[*]"));
  setWindowModified(project_->document->IsModified());
}

void CChildFrame::OnDocumentUpdate(int /*hint*/, const COrvoBuilderCntrItem* /*node*/) {
  setWindowModified(project_->document->IsModified());
  emit StateChanged();
}

void CChildFrame::closeEvent(QCloseEvent* event) {
  const bool last_window = project_->window_count == 1;
  if (last_window && project_->document->IsModified() && !project_->discard_changes &&
      save_modified_ && !save_modified_(*this)) {
    event->ignore();
    return;
  }
  QMdiSubWindow::closeEvent(event);
  // A closed window is deleted later; the next one to close must already count as the last.
  if (event->isAccepted() && counted_) {
    counted_ = false;
    --project_->window_count;
  }
}

}  // namespace orvo::ui
