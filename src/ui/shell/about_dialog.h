// The about box: the program's picture, its name and version (with the commit it was built
// from), the licence, the Qt version and "OK".
#pragma once

#include <QDialog>
#include <QString>

namespace orvo::ui {

// "Version 0.1" and, when the build knows its commit, " (commit 1234abcd)".
QString VersionLine();

class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace orvo::ui
