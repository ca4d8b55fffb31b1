#include "ui/widgets/number_field.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QWidget>

#include "model/number_syntax.h"

namespace orvo::ui {
namespace {

const char* const kNameProperty = "numberFieldName";

bool IsList(NumberKind kind) {
  return kind == NumberKind::kRealList || kind == NumberKind::kIntegerList;
}

bool IsInteger(NumberKind kind) {
  return kind == NumberKind::kInteger || kind == NumberKind::kIntegerList;
}

// A field holding text that is not a number gets a tinted background and says why.
void Mark(QLineEdit* edit) {
  const auto* validator = qobject_cast<const NumberValidator*>(edit->validator());
  const bool bad = validator != nullptr && !validator->Accepts(edit->text());
  if (edit->property("numberFieldBad").toBool() == bad) return;
  edit->setProperty("numberFieldBad", bad);
  QPalette palette = edit->parentWidget() != nullptr ? edit->parentWidget()->palette() : QPalette();
  if (bad) palette.setColor(QPalette::Base, QColor(255, 205, 205));
  edit->setPalette(palette);
  edit->setToolTip(
      bad ? NotANumberMessage(edit->property(kNameProperty).toString(), validator->kind())
          : QString());
}

}  // namespace

NumberValidator::NumberValidator(NumberKind kind, bool empty_allowed, QObject* parent)
    : QValidator(parent), kind_(kind), empty_allowed_(empty_allowed) {}

bool NumberValidator::Accepts(const QString& text) const {
  const std::string bytes = text.toStdString();
  if (IsList(kind_)) return IsNumberListText(bytes, IsInteger(kind_));
  if (text.trimmed().isEmpty()) return empty_allowed_;
  return IsNumberText(bytes, IsInteger(kind_));
}

// Never Invalid: the text stays editable and the field shows that it is not a number yet.
QValidator::State NumberValidator::validate(QString& text, int& /*position*/) const {
  return Accepts(text) ? Acceptable : Intermediate;
}

QString NotANumberMessage(const QString& field_name, NumberKind kind) {
  QString trimmed = field_name.trimmed();
  while (trimmed.endsWith(u':')) trimmed.chop(1);
  const QString name = QStringLiteral("\u201C%1\u201D").arg(trimmed.trimmed());
  switch (kind) {
    case NumberKind::kInteger:
      return QStringLiteral("%1 must be a whole number.").arg(name);
    case NumberKind::kRealList:
      return QStringLiteral("%1 must be numbers separated by blanks.").arg(name);
    case NumberKind::kIntegerList:
      return QStringLiteral("%1 must be whole numbers separated by blanks.").arg(name);
    case NumberKind::kReal:
      break;
  }
  return QStringLiteral("%1 must be a number.").arg(name);
}

void MakeNumberField(QLineEdit* edit, const QString& name, NumberKind kind, bool empty_allowed) {
  edit->setValidator(new NumberValidator(kind, empty_allowed, edit));
  edit->setProperty(kNameProperty, name);
  QObject::connect(edit, &QLineEdit::textChanged, edit, [edit] { Mark(edit); });
  Mark(edit);
}

bool CheckNumberFields(QWidget* root) {
  for (QLineEdit* edit : root->findChildren<QLineEdit*>()) {
    const auto* validator = qobject_cast<const NumberValidator*>(edit->validator());
    if (validator == nullptr || !edit->isEnabled() || validator->Accepts(edit->text())) continue;
    QMessageBox::warning(
        root, root->windowTitle(),
        NotANumberMessage(edit->property(kNameProperty).toString(), validator->kind()));
    edit->setFocus();
    edit->selectAll();
    return false;
  }
  return true;
}

}  // namespace orvo::ui
