#include "ui/shell/child_frame.h"

#include <QCloseEvent>
#include <QDockWidget>
#include <QFileInfo>
#include <QIcon>
#include <QMainWindow>
#include <QSettings>

#include "ui/editors/project_parameters_window.h"
#include "ui/editors/property_panel.h"
#include "ui/editors/segment_table.h"
#include "ui/network/icon_palette.h"
#include "ui/network/network_view.h"
#include "ui/sensitivity/sensitivity_dialog.h"
#include "ui/shell/qt_platform.h"
#include "ui/validation/card_completion_matrix.h"

namespace orvo::ui {

OpenProject::~OpenProject() {
  // A model run still going is stopped before its project goes.
  delete model_run.data();
  if (document) {
    delete CardCompletionMatrix::Find(*document);
    ProjectParametersWindow::CloseFor(*document);
    SensitivityDialog::CloseFor(*document);
  }
}

namespace {

// Where the last project window closed had its palette and docks.
const QString kBodyStateKey = QStringLiteral("Project Window/State");
constexpr int kBodyStateVersion = 1;

}  // namespace

QString OpenProject::DisplayName() const {
  return path.isEmpty() ? untitled_name : QFileInfo(path).fileName();
}

CChildFrame::CChildFrame(std::shared_ptr<OpenProject> project, SaveModifiedHook save_modified,
                         QWidget* parent)
    : QMdiSubWindow(parent),
      project_(std::move(project)),
      save_modified_(std::move(save_modified)),
      view_(new COrvoBuilderView(*project_->document, project_->view_state, this)),
      body_(new QMainWindow(this, Qt::Widget)),
      property_dock_(new QDockWidget(QStringLiteral("Properties"), body_)),
      table_dock_(new QDockWidget(QStringLiteral("Segment Table"), body_)),
      window_number_(++project_->window_count) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowIcon(QIcon(QStringLiteral(":/shell/new.svg")));
  // A main window is a window of its own unless told otherwise; this one lives inside.
  body_->setWindowFlags(Qt::Widget);
  body_->setObjectName(QStringLiteral("project_body"));
  body_->setCentralWidget(view_);
  // The palette's shown flag is shared by the project's windows; no menu of one window may
  // hide it behind the others' backs.
  body_->setContextMenuPolicy(Qt::PreventContextMenu);
  body_->addToolBar(Qt::TopToolBarArea, view_->palette());
  property_dock_->setObjectName(QStringLiteral("property_dock"));
  property_dock_->setWidget(new PropertyPanel(*view_, property_dock_));
  body_->addDockWidget(Qt::RightDockWidgetArea, property_dock_);
  table_dock_->setObjectName(QStringLiteral("segment_table_dock"));
  table_dock_->setWidget(new SegmentTable(*view_, table_dock_));
  body_->addDockWidget(Qt::BottomDockWidgetArea, table_dock_);
  table_dock_->hide();
  body_->restoreState(
      QSettings(kSettingsOrganisation, kSettingsApplication).value(kBodyStateKey).toByteArray(),
      kBodyStateVersion);
  for (QDockWidget* dock : {property_dock_, table_dock_}) {
    connect(dock, &QDockWidget::visibilityChanged, this, &CChildFrame::StateChanged);
  }
  setWidget(body_);
  project_->document->AddObserver(this);
  connect(view_, &COrvoBuilderView::SelectionChanged, this, &CChildFrame::StateChanged);
  RefreshTitle();
}

PropertyPanel* CChildFrame::property_panel() const {
  return static_cast<PropertyPanel*>(property_dock_->widget());
}

SegmentTable* CChildFrame::segment_table() const {
  return static_cast<SegmentTable*>(table_dock_->widget());
}

CChildFrame::~CChildFrame() {
  // The docks' windows and the view go first: they observe the document, which may die with
  // this window.
  delete property_dock_;
  delete table_dock_;
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

void CChildFrame::OnDocumentUpdate(UpdateHint /*hint*/, int /*node_number*/) {
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
  if (event->isAccepted()) {
    QSettings(kSettingsOrganisation, kSettingsApplication)
        .setValue(kBodyStateKey, body_->saveState(kBodyStateVersion));
  }
  // A closed window is deleted later; the next one to close must already count as the last.
  if (event->isAccepted() && counted_) {
    counted_ = false;
    --project_->window_count;
  }
}

}  // namespace orvo::ui
