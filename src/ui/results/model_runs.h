// The model-run commands of the desktop program: "E&xecute ORVO", "Execute File..." (with its
// "Enter Simulation Type" dialog) and "View Output". The core prepares each run (deck,
// "orvo.ctl", old outputs); the run then goes in the background with its progress window, and
// the output viewer opens on the run's base path when the program has ended well. While a
// project's run goes, the commands that would write its deck or start another run wait.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "runs/model_execution.h"

class QListWidget;

namespace orvo {
class Platform;
}

namespace orvo::ui {

struct OpenProject;
class RunProgressDialog;

// What the commands work with: the window that owns their dialogs, the platform for messages
// and choosers, the project, and who is told when the project's run starts or ends.
struct ModelRunContext {
  QWidget* parent = nullptr;
  Platform* platform = nullptr;
  std::shared_ptr<OpenProject> project;
  std::function<void()> state_changed;
  // The output viewer's messages and choosers; null: its own dialogs.
  Platform* viewer_platform = nullptr;
};

// True while a model run of the project goes.
bool ModelRunGoing(const OpenProject& project);

// "E&xecute ORVO": the deck-saving chooser, the deck written, the run in the background, then
// the output viewer. Nothing happens while the project's run goes.
void ExecuteOrvoWithProgress(const ModelRunContext& context);
// "Execute File...": the deck chooser, "Enter Simulation Type", the run, the viewer.
void ExecuteFileWithProgress(const ModelRunContext& context);
// "View Output": the viewer on the project's run file path.
void ViewOutput(const ModelRunContext& context);

// Starts a prepared run with its progress window; the project counts as running until it
// ends. Then: a clean end opens the output viewer on the run file path, a failure is shown
// with the program's last lines, a cancelled run is said in the main window's status bar.
// null (after the message) when the program could not start.
RunProgressDialog* StartRunWithProgress(const ModelRunContext& context, PreparedModelRun run);

// "Enter Simulation Type": OK, Cancel and the sorted list "fenu", "kobals", "verda".
class SimulationTypeDialog : public QDialog {
  Q_OBJECT

 public:
  explicit SimulationTypeDialog(QWidget* parent = nullptr);
  // The entry chosen with OK; nullopt for Cancel.
  static std::optional<std::string> Ask(QWidget* parent);
  std::string Chosen() const;
  QListWidget* list() const { return list_; }

 private:
  QListWidget* list_;
};

}  // namespace orvo::ui
