#include "ui/shell/qt_platform.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QVBoxLayout>
#include <string_view>

#include "ui/shell/window_layout.h"
#include "ui/widgets/stored_text.h"

namespace orvo::ui {
namespace {

const QString kTitle = QStringLiteral("ORVO Builder");

bool Contains(const std::string& text, std::string_view fragment) {
  return text.find(fragment) != std::string::npos;
}

}  // namespace

MessageSeverity SeverityOf(const std::string& text) {
  for (std::string_view fragment : {"successfully", "was cancelled", "Please choose"}) {
    if (Contains(text, fragment)) return MessageSeverity::kInformation;
  }
  // Entries the program refused, and the readers' warnings: the operation goes on or can be
  // repeated with other input.
  for (std::string_view fragment :
       {"Warning", "warning", "Please ", "You must ", " must be ", "cannot be stored",
        "An exchange connects", "Anchor node needs"}) {
    if (Contains(text, fragment)) return MessageSeverity::kWarning;
  }
  return MessageSeverity::kCritical;
}

QString QtFileFilter(const std::string& filter) {
  // Fields alternate description and pattern list; the final "||" only ends the list.
  const QStringList fields = QString::fromUtf8(filter).split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
    QString name = fields[i].trimmed();
    const QString patterns_text = fields[i + 1].trimmed();
    if (name.isEmpty() && patterns_text.isEmpty()) break;
    QStringList patterns;
    for (QString pattern : patterns_text.split(u';', Qt::SkipEmptyParts)) {
      pattern = pattern.trimmed();
      if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
      if (!pattern.isEmpty()) patterns << pattern;
    }
    if (patterns.isEmpty()) patterns << QStringLiteral("*");
    // Qt reads the patterns from the parentheses, so the description's own are replaced.
    name.remove(QRegularExpression(QStringLiteral("\\s*\\([^()]*\\)\\s*$")));
    if (name.isEmpty()) name = patterns.join(u' ');
    filters << name + QStringLiteral(" (") + patterns.join(u' ') + u')';
  }
  return filters.join(QStringLiteral(";;"));
}

QString MessageText(const std::string& text) {
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString decoded =
      decoder.decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
  if (!decoder.hasError()) return decoded;
  return FromStored(text);
}

std::string LocalPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

QString FromLocalPath(const std::string& path) {
  return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

QtPlatform::QtPlatform(QWidget* parent) : parent_(parent) {}

QtPlatform::~QtPlatform() = default;

void QtPlatform::ShowMessage(const std::string& text) {
  switch (SeverityOf(text)) {
    case MessageSeverity::kCritical:
      QMessageBox::critical(parent_, kTitle, MessageText(text));
      break;
    case MessageSeverity::kWarning:
      QMessageBox::warning(parent_, kTitle, MessageText(text));
      break;
    case MessageSeverity::kInformation:
      QMessageBox::information(parent_, kTitle, MessageText(text));
      break;
  }
}

bool QtPlatform::AskYesNo(const std::string& text) {
  return QMessageBox::question(parent_, kTitle, MessageText(text),
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool QtPlatform::AskOkCancel(const std::string& text) {
  return QMessageBox::question(parent_, kTitle, MessageText(text),
                               QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

std::optional<int> QtPlatform::AskChoice(const std::string& title,
                                         const std::vector<std::string>& choices,
                                         int default_choice) {
  QDialog dialog(parent_);
  dialog.setWindowTitle(MessageText(title));
  auto* layout = new QVBoxLayout(&dialog);
  QButtonGroup group(&dialog);
  for (size_t i = 0; i < choices.size(); ++i) {
    auto* button = new QRadioButton(MessageText(choices[i]), &dialog);
    button->setChecked(static_cast<int>(i) == default_choice);
    group.addButton(button, static_cast<int>(i));
    layout->addWidget(button);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted || group.checkedId() < 0) return std::nullopt;
  return group.checkedId();
}

std::optional<std::string> QtPlatform::ChooseOpenFile(const std::string& filter,
                                                      const std::string& title) {
  const QString path = QFileDialog::getOpenFileName(
      parent_, title.empty() ? QStringLiteral("Open") : MessageText(title), LastDirectory(),
      QtFileFilter(filter));
  if (path.isEmpty()) return std::nullopt;
  RememberDirectoryOf(path);
  return LocalPath(path);
}

std::optional<std::string> QtPlatform::ChooseSaveFile(const std::string& filter,
                                                      const std::string& suggested_name) {
  // QFileDialog asks before replacing a file and offers no read-only option.
  // A bare suggested name starts in the last directory; a path keeps its own.
  QString suggested = FromLocalPath(suggested_name);
  const QString last = LastDirectory();
  if (!suggested.contains(u'/') && !last.isEmpty()) suggested = last + u'/' + suggested;
  const QString path = QFileDialog::getSaveFileName(parent_, QStringLiteral("Save As"), suggested,
                                                    QtFileFilter(filter));
  if (path.isEmpty()) return std::nullopt;
  RememberDirectoryOf(path);
  return LocalPath(path);
}

void QtPlatform::BeginWaitCursor() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtPlatform::EndWaitCursor() {
  QApplication::restoreOverrideCursor();
}

bool QtPlatform::Progress(int done, int total, const std::string& text) {
  if (done >= total) {
    progress_.reset();
    return true;
  }
  if (!progress_) {
    progress_ = std::make_unique<QProgressDialog>(parent_);
    progress_->setWindowTitle(kTitle);
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setMinimumDuration(500);
  }
  progress_->setMaximum(total);
  progress_->setValue(done);
  progress_->setLabelText(MessageText(text));
  QApplication::processEvents();
  if (progress_->wasCanceled()) {
    progress_.reset();
    return false;
  }
  return true;
}

std::string QtPlatform::ProgramDirectory() {
  return LocalPath(QCoreApplication::applicationDirPath()) + '/';
}

std::string QtPlatform::GetSetting(const SettingKey& key) {
  return ReadStoredSetting(key);
}

void QtPlatform::SetSetting(const SettingKey& key, const std::string& value) {
  WriteStoredSetting(key, value);
}

}  // namespace orvo::ui
