#include "ui/report/report_frame.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QMdiArea>
#include <QMessageBox>

#include "model/platform.h"
#include "ui/report/background_read.h"
#include "ui/report/report_view.h"
#include "ui/shell/application.h"
#include "ui/shell/qt_platform.h"

namespace orvo::ui {
namespace {

const DocumentType& ReportType() {
  return DocumentTypes()[1];
}

// New report files get the extension in lower case, whatever the registered one says.
const QString kReportExtension = QStringLiteral(".orr");

}  // namespace

bool IsReportFile(const QString& path) {
  return path.endsWith(kReportExtension, Qt::CaseInsensitive);
}

QString ReportFilter() {
  // Both cases: a file system that tells them apart shows ".ORR" files too.
  return QString::fromStdString(ResourceField(ReportType(), kFilterName))
             .replace(QStringLiteral("*.orr"), QStringLiteral("*.orr *.ORR")) +
         QStringLiteral(";;All Files (*)");
}

std::unique_ptr<CORVOReportDoc> ReadReportFile(QWidget* parent, Platform& platform,
                                               const QString& path) {
  auto document = std::make_unique<CORVOReportDoc>(platform);
  bool opened = false;
  const BackgroundResult result = RunInBackground(
      parent, QStringLiteral("Opening ") + QFileInfo(path).fileName(), [&](Platform& reporter) {
        document->SetPlatform(reporter);
        opened = document->Open(LocalPath(path));
      });
  document->SetPlatform(platform);
  for (const std::string& message : result.messages) platform.ShowMessage(message);
  if (!opened) return nullptr;
  return document;
}

CReportChildFrame::CReportChildFrame(std::unique_ptr<CORVOReportDoc> document, const QString& path,
                                     const QString& untitled_name, Platform& platform,
                                     QWidget* parent)
    : QMdiSubWindow(parent),
      document_(std::move(document)),
      platform_(platform),
      path_(path),
      untitled_name_(untitled_name),
      view_(new CORVOReportView(*document_, platform, this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowIcon(QIcon(QStringLiteral(":/shell/report.svg")));
  setWidget(view_);
  connect(view_, &CORVOReportView::DocumentChanged, this, [this] {
    RefreshTitle();
    emit StateChanged();
  });
  RefreshTitle();
}

CReportChildFrame::~CReportChildFrame() {
  // The view goes before the document it shows.
  delete view_;
}

QString CReportChildFrame::DisplayName() const {
  return path_.isEmpty() ? untitled_name_ : QFileInfo(path_).fileName();
}

void CReportChildFrame::RefreshTitle() {
  setWindowTitle(DisplayName() + QStringLiteral("[*]"));
  setWindowModified(document_->IsModified());
}

bool CReportChildFrame::Save(const QString& path) {
  QString target = path.isEmpty() ? path_ : path;
  if (target.isEmpty()) {
    target = QFileDialog::getSaveFileName(this, QStringLiteral("Save As"),
                                          DisplayName() + kReportExtension, ReportFilter());
    if (target.isEmpty()) return false;
  }
  if (QFileInfo(target).suffix().isEmpty()) target += kReportExtension;
  target = QFileInfo(target).absoluteFilePath();
  const bool saved = document_->Save(LocalPath(target));
  if (saved) {
    path_ = target;
    emit Saved(target);
  }
  RefreshTitle();
  emit StateChanged();
  return saved;
}

bool CReportChildFrame::SaveAs() {
  const QString suggested = path_.isEmpty() ? DisplayName() + kReportExtension : path_;
  const QString path =
      QFileDialog::getSaveFileName(this, QStringLiteral("Save As"), suggested, ReportFilter());
  return !path.isEmpty() && Save(path);
}

bool CReportChildFrame::AskToSave() {
  if (!document_->IsModified()) return true;
  if (QMdiArea* area = mdiArea()) area->setActiveSubWindow(this);
  const auto answer = QMessageBox::question(
      this, QStringLiteral("ORVO Builder"),
      QStringLiteral("Save changes to %1?").arg(DisplayName()),
      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
  if (answer == QMessageBox::Cancel) return false;
  return answer == QMessageBox::No || Save();
}

bool CReportChildFrame::CloseReport() {
  return close();
}

void CReportChildFrame::closeEvent(QCloseEvent* event) {
  if (!asked_ && !AskToSave()) {
    event->ignore();
    return;
  }
  asked_ = true;
  QMdiSubWindow::closeEvent(event);
}

}  // namespace orvo::ui
