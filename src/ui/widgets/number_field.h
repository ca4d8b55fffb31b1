// Number fields: line edits that take only number text. Text that is not a number may be
// typed (a paste can be mended in place) but marks the field, and the dialog's OK refuses it
// with a message naming the field, instead of storing whatever number the text begins with.
#pragma once

#include <QString>
#include <QValidator>

class QLineEdit;
class QWidget;

namespace orvo::ui {

enum class NumberKind { kReal, kInteger, kRealList, kIntegerList };

class NumberValidator : public QValidator {
  Q_OBJECT

 public:
  NumberValidator(NumberKind kind, bool empty_allowed, QObject* parent = nullptr);
  State validate(QString& text, int& position) const override;
  bool Accepts(const QString& text) const;
  NumberKind kind() const { return kind_; }

 private:
  NumberKind kind_;
  bool empty_allowed_;
};

// Makes edit a number field called name (the label the user sees, without its colon).
void MakeNumberField(QLineEdit* edit, const QString& name, NumberKind kind = NumberKind::kReal,
                     bool empty_allowed = false);

// The first number field under root (in creation order) whose text is not a number: its message
// is shown over root, it takes the focus, and false is returned. True when all are numbers.
bool CheckNumberFields(QWidget* root);
// The message for a refused text in the field or grid column called name.
QString NotANumberMessage(const QString& name, NumberKind kind);

}  // namespace orvo::ui
