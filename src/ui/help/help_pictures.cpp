#include "ui/help/help_pictures.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "ui/editors/group_editors.h"
#include "ui/editors/project_parameters_window.h"
#include "ui/help/help_window.h"
#include "ui/network/network_view.h"
#include "ui/shell/about_dialog.h"
#include "ui/shell/child_frame.h"
#include "ui/shell/main_frame.h"
#include "ui/validation/valid_ranges_dialog.h"

namespace orvo::ui {
namespace {

void Settle() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

bool Save(QWidget& window, const QString& path) {
  Settle();
  if (window.grab().toImage().save(path)) return true;
  std::fprintf(stderr, "orvobuilder: cannot write %s\n", qPrintable(path));
  return false;
}

// Runs open, which shows a modal window, saves that window's picture and closes it.
bool SaveModal(const std::function<void()>& open, const QString& path) {
  bool saved = false;
  QTimer timer;
  timer.setInterval(20);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    timer.stop();
    saved = Save(*dialog, path);
    dialog->reject();
  });
  timer.start();
  open();
  return saved;
}

}  // namespace

int WriteHelpPictures(const QString& project, const QString& directory) {
  QDir().mkpath(directory);
  const QDir out(directory);
  CMainFrame frame;
  frame.resize(960, 640);
  frame.show();
  CChildFrame* child = frame.OpenFile(project);
  if (child == nullptr) {
    std::fprintf(stderr, "orvobuilder: cannot open %s\n", qPrintable(project));
    return 1;
  }
  if (QMdiSubWindow* window = frame.mdi_area()->activeSubWindow()) window->showMaximized();
  // A selected segment, so that the picture shows its values in the Properties dock.
  child->view()->Select(child->document().GetSegmentNode(3));
  bool ok = Save(frame, out.filePath(QStringLiteral("main_window.png")));

  ProjectParametersWindow* parameters = ProjectParametersWindow::ShowFor(child->document(), &frame);
  ok = Save(*parameters, out.filePath(QStringLiteral("project_parameters.png"))) && ok;
  parameters->hide();
  ok = SaveModal([&] { RunGroupJEditor(child->document(), &frame); },
                 out.filePath(QStringLiteral("group_j_editor.png"))) &&
       ok;
  ok = SaveModal([&] { ValidRangesDialog::EditValueRanges(child->document(), &frame); },
                 out.filePath(QStringLiteral("valid_ranges.png"))) &&
       ok;
  ok = SaveModal(
           [&] {
             AboutDialog about(&frame);
             about.exec();
           },
           out.filePath(QStringLiteral("about.png"))) &&
       ok;
  HelpWindow* help = HelpWindow::ShowPage(QString::fromLatin1(kGuideHome));
  ok = Save(*help, out.filePath(QStringLiteral("help_window.png"))) && ok;
  help->close();
  return ok ? 0 : 1;
}

}  // namespace orvo::ui
