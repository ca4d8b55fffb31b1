// What the desktop program remembers of its windows between sessions, in the per-user
// settings store: the main window's geometry and bars, the place and size of each project's
// window (by its file), and the directory of the last file chosen.
#pragma once

#include <QString>

class QMainWindow;
class QMdiArea;
class QMdiSubWindow;

namespace orvo::ui {

void SaveWindowLayout(const QMainWindow& main, const QMdiArea& area);
void RestoreMainWindowLayout(QMainWindow& main);
// Puts the window of the project file path where it was when the program last closed.
void RestoreDocumentWindow(QMdiSubWindow& window, const QString& path);

// The directory file choosers start in: the last one a file was chosen in, while it exists.
QString LastDirectory();
void RememberDirectoryOf(const QString& file);

}  // namespace orvo::ui
