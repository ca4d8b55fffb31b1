#include "ui/shell/resize_window_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

#include "ui/widgets/window_fit.h"

namespace orvo::ui {

namespace {

// Large enough for any river network, small enough that the zoomed extent stays an int.
constexpr int kMaxDimension = 1000000;

QSpinBox* DimensionBox(int value) {
  auto* box = new QSpinBox;
  box->setRange(1, kMaxDimension);
  box->setValue(value);
  return box;
}

}  // namespace

ResizeWindowDialog::ResizeWindowDialog(int width, int height, QWidget* parent)
    : QDialog(parent), width_(DimensionBox(width)), height_(DimensionBox(height)) {
  setWindowTitle(QStringLiteral("New Window Dimensions"));
  FitWidthToTitle(this);
  auto* form = new QFormLayout(this);
  form->addRow(QStringLiteral("Width:"), width_);
  form->addRow(QStringLiteral("Height:"), height_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
}

int ResizeWindowDialog::width_value() const {
  return width_->value();
}
int ResizeWindowDialog::height_value() const {
  return height_->value();
}

}  // namespace orvo::ui
