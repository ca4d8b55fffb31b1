// The about box: the program's picture, its version line and "OK".
#pragma once

#include <QDialog>

namespace orvo::ui {

inline constexpr const char* kVersionText = "ORVO Builder Version 1.0";

class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace orvo::ui
