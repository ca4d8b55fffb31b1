// "Label Dialog": a label's text, its border and its font (a QFont::toString() text). The
// text is kept 8-bit in project files, so characters that cannot be stored are refused.
#pragma once

#include <QDialog>
#include <string>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace orvo {
class COrvoBuilderCntrItem;
}

namespace orvo::ui {

class LabelDialog : public QDialog {
  Q_OBJECT

 public:
  explicit LabelDialog(COrvoBuilderCntrItem& node, QWidget* parent = nullptr);
  void accept() override;

  const std::string& font() const { return font_; }
  // What the font button sets after its chooser's OK.
  void SetFont(const std::string& font);

 public slots:
  void ChooseFont();

 private:
  COrvoBuilderCntrItem& node_;
  std::string font_;
  QLineEdit* text_ = nullptr;
  QCheckBox* border_ = nullptr;
  QPushButton* font_button_ = nullptr;
};

}  // namespace orvo::ui
