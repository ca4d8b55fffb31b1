#include "ui/network/label_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/project_document.h"
#include "ui/network/network_painting.h"
#include "ui/widgets/stored_text.h"

namespace orvo::ui {

LabelDialog::LabelDialog(COrvoBuilderCntrItem& node, QWidget* parent)
    : QDialog(parent), node_(node) {
  setWindowTitle(tr("Label Dialog"));
  if (node_.label() != nullptr) font_ = node_.label()->font;
  text_ = new QLineEdit(FromStored(node_.GetParameter(label_param::kText)), this);
  text_->setObjectName("labelText");
  border_ = new QCheckBox(tr("Draw Border"), this);
  border_->setObjectName("drawBorder");
  border_->setChecked(!node_.GetParameter(label_param::kBorder).empty());
  font_button_ = new QPushButton(this);
  font_button_->setObjectName("font");
  font_button_->setAutoDefault(false);
  connect(font_button_, &QPushButton::clicked, this, &LabelDialog::ChooseFont);
  SetFont(font_);

  auto* form = new QFormLayout;
  form->addRow(tr("Label text:"), text_);
  form->addRow(QString(), border_);
  form->addRow(tr("Font:"), font_button_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

void LabelDialog::SetFont(const std::string& font) {
  font_ = font;
  QFont shown = QApplication::font();
  if (!font_.empty()) shown.fromString(QString::fromStdString(font_));
  font_button_->setText(shown.family() + ", " + QString::number(shown.pointSize()));
}

void LabelDialog::ChooseFont() {
  QFont current = QApplication::font();
  if (!font_.empty()) current.fromString(QString::fromStdString(font_));
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, current, this);
  if (ok) SetFont(chosen.toString().toStdString());
}

void LabelDialog::accept() {
  std::string text;
  if (!ToStored(text_->text(), text)) {
    node_.document().platform().ShowMessage(
        "The label text holds characters that cannot be stored in a project file.");
    return;
  }
  const bool resized = node_.GetParameter(label_param::kText) != text ||
                       (node_.label() != nullptr && node_.label()->font != font_);
  if (node_.GetParameter(label_param::kText) != text) node_.SetParameter(label_param::kText, text);
  const std::string border = border_->isChecked() ? "1" : "";
  if (node_.GetParameter(label_param::kBorder) != border)
    node_.SetParameter(label_param::kBorder, border);
  node_.SetFont(font_);
  // A label grows or shrinks with a new text or font; one left as it was keeps its size.
  if (resized) FitLabelToText(node_);
  QDialog::accept();
}

}  // namespace orvo::ui
