#include "ui/shell/window_layout.h"

#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>

#include "model/settings.h"
#include "ui/shell/child_frame.h"
#include "ui/shell/qt_platform.h"

namespace orvo::ui {
namespace {

// Window state is Qt's own binary form, so it is kept beside the core's text settings rather
// than through the platform interface.
const QString kGeometry = QStringLiteral("Window/Geometry");
const QString kState = QStringLiteral("Window/State");
const QString kDocuments = QStringLiteral("Window/Documents");
constexpr int kRememberedDocuments = 16;

QSettings Store() {
  return QSettings(kSettingsOrganisation, kSettingsApplication);
}

}  // namespace

void SaveWindowLayout(const QMainWindow& main, const QMdiArea& area) {
  QSettings settings = Store();
  settings.setValue(kGeometry, main.saveGeometry());
  settings.setValue(kState, main.saveState());
  // Open windows first, then the ones remembered from before that are not open now.
  QVariantList documents;
  QStringList seen;
  for (QMdiSubWindow* window : area.subWindowList()) {
    const auto* child = qobject_cast<const CChildFrame*>(window);
    if (child == nullptr || child->project()->path.isEmpty() ||
        seen.contains(child->project()->path)) {
      continue;
    }
    seen << child->project()->path;
    const QRect place = window->isMaximized() ? window->normalGeometry() : window->geometry();
    // One entry per window: appending a list to a list would splice its items in.
    documents.append(QVariant(QVariantList{child->project()->path, place, window->isMaximized()}));
  }
  for (const QVariant& old : settings.value(kDocuments).toList()) {
    const QVariantList entry = old.toList();
    if (entry.size() != 3 || seen.contains(entry[0].toString())) continue;
    if (documents.size() >= kRememberedDocuments) break;
    documents << old;
  }
  settings.setValue(kDocuments, documents);
}

void RestoreMainWindowLayout(QMainWindow& main) {
  QSettings settings = Store();
  main.restoreGeometry(settings.value(kGeometry).toByteArray());
  main.restoreState(settings.value(kState).toByteArray());
}

void RestoreDocumentWindow(QMdiSubWindow& window, const QString& path) {
  QSettings settings = Store();
  for (const QVariant& stored : settings.value(kDocuments).toList()) {
    const QVariantList entry = stored.toList();
    if (entry.size() != 3 || entry[0].toString() != path) continue;
    const QRect place = entry[1].toRect();
    if (place.width() > 50 && place.height() > 50) window.setGeometry(place);
    if (entry[2].toBool()) window.showMaximized();
    return;
  }
}

QString LastDirectory() {
  QtPlatform platform;
  const QString directory = QString::fromStdString(platform.GetSetting(settings::kLastDirectory));
  return !directory.isEmpty() && QFileInfo(directory).isDir() ? directory : QString();
}

void RememberDirectoryOf(const QString& file) {
  if (file.isEmpty()) return;
  QtPlatform platform;
  platform.SetSetting(settings::kLastDirectory,
                      QFileInfo(file).absoluteDir().absolutePath().toStdString());
}

}  // namespace orvo::ui
