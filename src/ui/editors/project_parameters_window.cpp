#include "ui/editors/project_parameters_window.h"

#include <QApplication>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/editors/group_editors.h"
#include "ui/validation/card_completion_matrix.h"

namespace orvo::ui {

namespace {
constexpr const char* kGroupTitles[10] = {"Group A (Model Options)",  "Group B (Exchanges)",
                                          "Group C (Volumes)",        "Group D (Flows)",
                                          "Group E (Boundaries)",     "Group F (WasteLoads)",
                                          "Group G (Parameters)",     "Group H (Constants)",
                                          "Group I (Time Functions)", "Group J (Initial Conc.)"};
}  // namespace

ProjectParametersWindow::ProjectParametersWindow(COrvoBuilderDoc& document, QWidget* parent)
    : QDialog(parent), document_(&document) {
  setWindowTitle(tr("Edit Project Parameters"));
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  for (int i = 0; i < 10; ++i) {
    const char group = static_cast<char>('A' + i);
    auto* button = new QPushButton(tr(kGroupTitles[i]), this);
    button->setObjectName(QStringLiteral("group%1").arg(QChar(group)));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, group] { EditGroup(group); });
    layout->addWidget(button);
    buttons_[i] = button;
  }
  auto* ok = new QPushButton(tr("OK"), this);
  ok->setObjectName("ok");
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  layout->addSpacing(8);
  layout->addWidget(ok);
}

ProjectParametersWindow* ProjectParametersWindow::Find(const COrvoBuilderDoc& document) {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    auto* found = qobject_cast<ProjectParametersWindow*>(window);
    if (found != nullptr && found->document_ == &document) return found;
  }
  return nullptr;
}

ProjectParametersWindow* ProjectParametersWindow::ShowFor(COrvoBuilderDoc& document,
                                                          QWidget* parent) {
  ProjectParametersWindow* window = Find(document);
  if (window == nullptr) window = new ProjectParametersWindow(document, parent);
  window->showNormal();
  window->raise();
  window->activateWindow();
  return window;
}

void ProjectParametersWindow::CloseFor(const COrvoBuilderDoc& document) {
  // Deleted at once: the window must not outlive the document it points to.
  delete Find(document);
}

QPushButton* ProjectParametersWindow::GroupButton(char group) const {
  if (group < 'A' || group > 'J') return nullptr;
  return buttons_[group - 'A'];
}

bool ProjectParametersWindow::EditGroup(char group) {
  if (!RunGroupEditor(group, *document_, this)) return false;
  // A shown completion report would otherwise describe the groups as they were.
  CardCompletionMatrix::RefreshFor(*document_);
  if (accepted_hook_) accepted_hook_(group);
  return true;
}

}  // namespace orvo::ui
