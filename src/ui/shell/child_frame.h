// CChildFrame: one window of a project, an MDI child holding a COrvoBuilderView with the icon
// palette as its tool bar and the property panel and segment table as its docks. Several
// windows may show the same project ("New Window"); they share one OpenProject, and the
// project closes with its last window.
#pragma once

#include <QDialog>
#include <QMdiSubWindow>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

#include "model/project_document.h"
#include "ui/network/view_state.h"

class QDockWidget;
class QMainWindow;

namespace orvo::ui {

class COrvoBuilderView;
class PropertyPanel;
class SegmentTable;

// A project open in the desktop program: the document and the file it belongs to.
struct OpenProject {
  // Closes the project's own windows (the card completion matrix) before the document goes.
  ~OpenProject();
  std::unique_ptr<COrvoBuilderDoc> document;
  // Shared by the project's windows.
  std::shared_ptr<ProjectViewState> view_state = std::make_shared<ProjectViewState>();
  QString path;                  // empty until saved or opened
  QString untitled_name;         // shown while path is empty ("OrvoB1")
  int window_count = 0;          // windows open and not closing
  bool discard_changes = false;  // the user already answered the question on closing
  // The progress window of the project's model run while one goes; it stops the run when the
  // project closes.
  QPointer<QDialog> model_run;
  QString DisplayName() const;
};

class CChildFrame : public QMdiSubWindow, public DocumentObserver {
  Q_OBJECT

 public:
  // Asked when the last window of a modified project closes; false keeps the window open.
  using SaveModifiedHook = std::function<bool(CChildFrame&)>;

  CChildFrame(std::shared_ptr<OpenProject> project, SaveModifiedHook save_modified,
              QWidget* parent = nullptr);
  ~CChildFrame() override;

  const std::shared_ptr<OpenProject>& project() const { return project_; }
  COrvoBuilderDoc& document() const { return *project_->document; }
  COrvoBuilderView* view() const { return view_; }
  // Docks of the window: "Properties" (shown at first) and "Segment Table" (hidden at first).
  // Where they and the palette are is kept in the settings when a window closes.
  QDockWidget* property_dock() const { return property_dock_; }
  QDockWidget* table_dock() const { return table_dock_; }
  PropertyPanel* property_panel() const;
  SegmentTable* segment_table() const;
  // Title from the project's name, this window's number among its windows and the modified
  // marker.
  void RefreshTitle();

  void OnDocumentUpdate(UpdateHint hint, int node_number) override;

 signals:
  // Something the menus depend on may have changed (document contents, selection).
  void StateChanged();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  std::shared_ptr<OpenProject> project_;
  SaveModifiedHook save_modified_;
  COrvoBuilderView* view_;
  QMainWindow* body_;  // the view in the middle, the palette and the docks around it
  QDockWidget* property_dock_;
  QDockWidget* table_dock_;
  int window_number_;
  bool counted_ = true;  // still in the project's window_count
};

}  // namespace orvo::ui
