#include "ui/revisions/project_documentation_dialog.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/shell/qt_platform.h"

namespace orvo::ui {
namespace {

QString Text(const std::string& text) {
  return MessageText(text);
}

std::string Typed(const QString& text) {
  return text.toUtf8().toStdString();
}

QPlainTextEdit* ReadOnlyBox(QWidget* parent, const char* name) {
  auto* box = new QPlainTextEdit(parent);
  box->setObjectName(QString::fromUtf8(name));
  box->setReadOnly(true);
  box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  return box;
}

QLabel* Label(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setWordWrap(true);  // long file names wrap rather than being cut
  return label;
}

QPushButton* Button(const QString& text, const char* name, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QString::fromUtf8(name));
  // Return in the name field must not check anything in.
  button->setAutoDefault(false);
  return button;
}

}  // namespace

ProjectDocumentationDialog::ProjectDocumentationDialog(Mode mode, const std::string& path,
                                                       Platform& platform, QWidget* parent)
    : QDialog(parent), mode_(mode), record_(path, platform) {
  setWindowTitle(mode == Mode::kOpen ? QStringLiteral("Project Documentation- Open")
                                     : QStringLiteral("Project Documentation - Save"));
  const QString file = FromLocalPath(record_.file_name);

  list_label_ = Label(QStringLiteral("Previous versions of ") + file + u':', this);
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("versions"));
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setMinimumWidth(180);
  connect(list_, &QListWidget::itemSelectionChanged, this,
          &ProjectDocumentationDialog::ShowSelected);

  description_label_ = Label(QStringLiteral("Description of ") + file, this);
  description_ = ReadOnlyBox(this, "description");
  description_->setMaximumHeight(fontMetrics().lineSpacing() * 5);
  log_label_ = Label(QStringLiteral("Log message"), this);
  log_ = ReadOnlyBox(this, "log_message");

  auto* left = new QVBoxLayout;
  left->addWidget(list_label_);
  left->addWidget(list_, 1);
  auto* right = new QVBoxLayout;
  right->addWidget(description_label_);
  right->addWidget(description_);
  right->addWidget(log_label_);
  right->addWidget(log_, 1);
  auto* top = new QHBoxLayout;
  top->addLayout(left, 2);
  top->addLayout(right, 3);
  auto* column = new QVBoxLayout(this);
  column->addLayout(top, 1);

  auto* buttons = new QHBoxLayout;
  if (mode == Mode::kOpen) {
    open_ = Button(QStringLiteral("Open Version"), "open_version", this);
    connect(open_, &QPushButton::clicked, this, &ProjectDocumentationDialog::OpenVersion);
    connect(list_, &QListWidget::itemDoubleClicked, this, &ProjectDocumentationDialog::OpenVersion);
    buttons->addWidget(open_);
  } else {
    auto* name_row = new QHBoxLayout;
    auto* name_label = new QLabel(QStringLiteral("Optional name for new version:"), this);
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("version_name"));
    name_label->setBuddy(name_);
    name_row->addWidget(name_label);
    name_row->addWidget(name_, 1);
    column->addLayout(name_row);
    column->addWidget(new QLabel(QStringLiteral("Documentation of the new version:"), this));
    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("documentation"));
    text_->setTabChangesFocus(true);
    column->addWidget(text_, 1);
    save_ = Button(QStringLiteral("Save New Version"), "save_new_version", this);
    connect(save_, &QPushButton::clicked, this, &ProjectDocumentationDialog::SaveNewVersion);
    buttons->addWidget(save_);
  }
  delete_ = Button(QStringLiteral("Delete Version"), "delete_version", this);
  connect(delete_, &QPushButton::clicked, this, &ProjectDocumentationDialog::DeleteVersion);
  buttons->addWidget(delete_);
  buttons->addStretch();
  close_ = Button(QStringLiteral("Close"), "close", this);
  connect(close_, &QPushButton::clicked, this, &QDialog::reject);
  buttons->addWidget(close_);
  column->addLayout(buttons);

  resize(mode == Mode::kOpen ? QSize(640, 400) : QSize(640, 560));
  Fill();
}

void ProjectDocumentationDialog::Fill() {
  list_->clear();
  for (size_t i = 0; i < record_.revisions.size(); ++i) {
    list_->addItem(Text(record_.ListLine(i)));
  }
  description_->setPlainText(Text(record_.description));
  ShowSelected();
}

int ProjectDocumentationDialog::Selected() const {
  const QList<QListWidgetItem*> selected = list_->selectedItems();
  if (selected.isEmpty()) return -1;
  const int row = list_->row(selected.front());
  return row >= 0 && static_cast<size_t>(row) < record_.revisions.size() ? row : -1;
}

void ProjectDocumentationDialog::ShowSelected() {
  const int row = Selected();
  if (row < 0) {
    log_label_->setText(QStringLiteral("Log message"));
    log_->clear();
    return;
  }
  const auto index = static_cast<size_t>(row);
  // The list line of an unnamed revision ends in a blank, which has no place before the colon.
  log_label_->setText(QStringLiteral("Log message for version ") +
                      Text(record_.ListLine(index)).trimmed() + u':');
  log_->setPlainText(Text(record_.log_messages[index]));
}

void ProjectDocumentationDialog::OpenVersion() {
  const int row = Selected();
  if (row < 0) {
    record_.platform.ShowMessage("Please select a version to open");
    return;
  }
  const std::string revision = record_.revisions[static_cast<size_t>(row)];
  {
    WaitCursor wait(record_.platform);
    if (!orvo::OpenVersion(record_, revision)) return;
  }
  done_revision_ = revision;
  accept();
}

void ProjectDocumentationDialog::DeleteVersion() {
  if (record_.revisions.size() < 2) {
    record_.platform.ShowMessage(kCannotDeleteLastVersion);
    return;
  }
  const int row = Selected();
  if (row < 0) {
    record_.platform.ShowMessage("Please select a version to delete");
    return;
  }
  const std::string revision = record_.revisions[static_cast<size_t>(row)];
  // A removed revision cannot be had back.
  if (!record_.platform.AskYesNo("Delete version " + revision + " of " + record_.file_name +
                                 "? It cannot be restored.")) {
    return;
  }
  {
    WaitCursor wait(record_.platform);
    record_.DeleteRevision(revision);
  }
  Fill();
}

void ProjectDocumentationDialog::SaveNewVersion() {
  bool saved = false;
  {
    WaitCursor wait(record_.platform);
    saved = record_.CIVersion(record_.NextRevision(), Typed(name_->text()),
                              Typed(text_->toPlainText()));
  }
  if (!saved || record_.revisions.empty()) {
    Fill();
    return;
  }
  done_revision_ = record_.revisions.front();
  accept();
}

}  // namespace orvo::ui
