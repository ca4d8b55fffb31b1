// "New Window Dimensions": the width and height of the network drawing's scroll area.
#pragma once

#include <QDialog>

class QSpinBox;

namespace orvo::ui {

class ResizeWindowDialog : public QDialog {
  Q_OBJECT

 public:
  ResizeWindowDialog(int width, int height, QWidget* parent = nullptr);
  int width_value() const;
  int height_value() const;
  QSpinBox* width_box() const { return width_; }
  QSpinBox* height_box() const { return height_; }

 private:
  QSpinBox* width_;
  QSpinBox* height_;
};

}  // namespace orvo::ui
