#include "ui/editors/bypass_options_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "model/model_vocabulary.h"
#include "ui/widgets/stored_text.h"

namespace orvo::ui {

BypassOptionsDialog::BypassOptionsDialog(SimulationType simtyp,
                                         const std::vector<std::string>& entries, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle("Edit Bypass Options");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Check systems that are to be bypassed:", this));
  list_ = new QListWidget(this);
  for (size_t i = 0; i < entries.size(); ++i) {
    const int system = static_cast<int>(i) + 1;
    std::string name = vocabulary::SystemName(simtyp, system);
    QString shown = name.empty() ? QString::number(system) : FromStored(name);
    auto* item = new QListWidgetItem(shown, list_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(entries[i] == "1" ? Qt::Checked : Qt::Unchecked);
  }
  layout->addWidget(list_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

std::optional<std::vector<std::string>> BypassOptionsDialog::Edit(
    QWidget* parent, SimulationType simtyp, const std::vector<std::string>& entries) {
  BypassOptionsDialog dialog(simtyp, entries, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Entries();
}

std::vector<std::string> BypassOptionsDialog::Entries() const {
  std::vector<std::string> entries;
  for (int i = 0; i < list_->count(); ++i)
    entries.push_back(list_->item(i)->checkState() == Qt::Checked ? "1" : "0");
  return entries;
}

}  // namespace orvo::ui
