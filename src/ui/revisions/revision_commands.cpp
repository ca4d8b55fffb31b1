#include "ui/revisions/revision_commands.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <vector>

#include "ui/revisions/project_documentation_dialog.h"
#include "ui/shell/child_frame.h"
#include "ui/shell/main_frame.h"

namespace orvo::ui {
namespace {

constexpr const char* kFilter = "ORVO project files (*.orb)|*.orb||";

// The windows of the project open from path.
std::vector<CChildFrame*> FramesOf(CMainFrame& frame, const QString& path) {
  std::vector<CChildFrame*> frames;
  for (QMdiSubWindow* window : frame.mdi_area()->subWindowList()) {
    auto* child = qobject_cast<CChildFrame*>(window);
    if (child != nullptr && !child->isHidden() && child->project()->window_count > 0 &&
        !child->project()->path.isEmpty() && QFileInfo(child->project()->path) == QFileInfo(path)) {
      frames.push_back(child);
    }
  }
  return frames;
}

// The file now holds revision: it is opened, or the project open from it is reloaded after
// asking.
void OpenCheckedOut(CMainFrame& frame, const QString& path, const std::string& revision) {
  const std::vector<CChildFrame*> open = FramesOf(frame, path);
  if (!open.empty()) {
    const std::shared_ptr<OpenProject> project = open.front()->project();
    const std::string question =
        LocalPath(QFileInfo(path).fileName()) + " now holds version " + revision +
        (project->document->IsModified()
             ? ". Reload it? The changes not saved in the open project are lost."
             : ". Reload it?");
    if (!frame.platform().AskYesNo(question)) {
      frame.mdi_area()->setActiveSubWindow(open.front());
      return;
    }
    project->discard_changes = true;
    for (CChildFrame* child : open) child->close();
  }
  frame.OpenFile(path);
}

}  // namespace

void ReviewChanges(CMainFrame& frame) {
  const QString path = QFileDialog::getOpenFileName(&frame, QStringLiteral("Review Changes"),
                                                    QString(), QtFileFilter(kFilter));
  if (!path.isEmpty()) ReviewChanges(frame, path);
}

bool ReviewChanges(CMainFrame& frame, const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  ProjectDocumentationDialog dialog(ProjectDocumentationDialog::Mode::kOpen, LocalPath(absolute),
                                    frame.platform(), &frame);
  if (dialog.exec() != QDialog::Accepted || dialog.done_revision().empty()) return false;
  OpenCheckedOut(frame, absolute, dialog.done_revision());
  frame.UpdateCommandState();
  return true;
}

void DocumentChanges(CMainFrame& frame) {
  QString suggested;
  if (CChildFrame* active = frame.ActiveFrame()) {
    const OpenProject& project = *active->project();
    suggested =
        project.path.isEmpty() ? project.DisplayName() + QStringLiteral(".orb") : project.path;
  }
  // The file chosen is documented, not replaced: no question about overwriting it.
  QString path = QFileDialog::getSaveFileName(&frame, QStringLiteral("Document Changes"), suggested,
                                              QtFileFilter(kFilter), nullptr,
                                              QFileDialog::DontConfirmOverwrite);
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".orb");
  DocumentChanges(frame, path);
}

bool DocumentChanges(CMainFrame& frame, const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  const std::vector<CChildFrame*> open = FramesOf(frame, absolute);
  if (!open.empty()) {
    if (open.front()->document().IsModified() && !frame.SaveModified(*open.front())) return false;
  } else if (!QFileInfo::exists(absolute)) {
    CChildFrame* active = frame.ActiveFrame();
    if (active != nullptr && !frame.SaveProject(*active, absolute)) return false;
  }
  ProjectDocumentationDialog dialog(ProjectDocumentationDialog::Mode::kSave, LocalPath(absolute),
                                    frame.platform(), &frame);
  if (dialog.exec() != QDialog::Accepted || dialog.done_revision().empty()) return false;
  frame.statusBar()->showMessage(
      QStringLiteral("Version ") + QString::fromStdString(dialog.done_revision()) +
          QStringLiteral(" of ") + QFileInfo(absolute).fileName() + QStringLiteral(" saved."),
      10000);
  return true;
}

}  // namespace orvo::ui
