#include "ui/editors/editor_parts.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/platform.h"
#include "model/string_array.h"
#include "ui/editors/bypass_options_dialog.h"
#include "ui/widgets/grid_widget.h"
#include "ui/widgets/number_field.h"
#include "ui/widgets/stored_text.h"

namespace orvo::ui {

SlotTable MakeSlotTable(QDialog& dialog, const std::string& title, const char* grid_name,
                        const QStringList& headers, int rows, SlotCellKeeper keep,
                        std::function<QString(int slot)> describe) {
  SlotTable table;
  table.rows = rows;
  table.title = new QLineEdit(FromStored(title), &dialog);
  table.title->setObjectName("title");
  table.grid = HeaderedGrid(&dialog, grid_name, headers, rows);
  table.grid->SetCellValidator([keep = std::move(keep)](int row, int column, const QString& text) {
    GridWidget::CellCheck check;
    std::string stored;
    if (!ToStored(text, stored)) {
      return GridWidget::CellCheck{false, {}, QDialog::tr(kNotStorable)};
    }
    check.text = FromStored(keep(row - 1, column, stored));
    return check;
  });
  table.description = new QPlainTextEdit(&dialog);
  table.description->setObjectName("description");
  table.description->setReadOnly(true);
  table.description->setMaximumHeight(70);
  QObject::connect(table.grid, &QTableWidget::currentCellChanged, &dialog,
                   [description = table.description, describe = std::move(describe)](int row) {
                     description->setPlainText(describe(row - 1));
                   });
  return table;
}

QPushButton* RestoreNamesButton(QDialog& dialog, const SlotTable& table, SlotCellKeeper keep,
                                std::function<std::string(int slot)> name) {
  auto* button =
      new QPushButton(QDialog::tr("Use/Restore default parameter names (PNAME)"), &dialog);
  button->setObjectName("defaultNames");
  QObject::connect(
      button, &QPushButton::clicked, &dialog,
      [grid = table.grid, rows = table.rows, keep = std::move(keep), name = std::move(name)] {
        for (int slot = 0; slot < rows; ++slot) {
          grid->SetCellText(slot + 1, 1, FromStored(keep(slot, 1, name(slot))));
        }
      });
  return button;
}

void LayOutSlotTable(QDialog& dialog, const SlotTable& table, const std::vector<QWidget*>& buttons,
                     int width) {
  auto* title_row = new QHBoxLayout;
  title_row->addWidget(new QLabel(QDialog::tr("Title:"), &dialog));
  title_row->addWidget(table.title, 1);
  auto* ok_cancel = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(ok_cancel, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(ok_cancel, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

  auto* layout = new QVBoxLayout(&dialog);
  layout->addLayout(title_row);
  layout->addWidget(table.grid, 1);
  layout->addWidget(table.description);
  auto* bottom = new QHBoxLayout;
  for (QWidget* button : buttons) bottom->addWidget(button);
  bottom->addStretch(1);
  bottom->addWidget(ok_cancel);
  layout->addLayout(bottom);
  dialog.resize(width, 560);
  if (table.rows > 0) table.grid->setCurrentCell(1, 1);
}

void MakeTimeFunctionList(GridWidget& grid, std::string (*normalise)(std::string_view),
                          std::function<void(const QString&)> message) {
  grid.SetRowSelection(true);
  grid.horizontalHeader()->setStretchLastSection(true);
  grid.SetMessageHandler(std::move(message));
  grid.SetNumberColumn(0, NumberKind::kRealList, true);
  grid.SetCellValidator([normalise](int, int, const QString& text) {
    GridWidget::CellCheck check;
    check.text = QString::fromStdString(normalise(text.toStdString()));
    if (!check.text.isEmpty() && check.text.count(' ') % 2 == 0) {
      check.accepted = false;
      check.message = QStringLiteral("Every value of a time function needs its time.");
    }
    return check;
  });
}

QHBoxLayout* FunctionButtons(QWidget* parent, const std::function<void()>& add,
                             const std::function<void()>& remove,
                             const std::function<void()>& edit) {
  auto* row = new QHBoxLayout;
  const std::pair<const char*, const std::function<void()>*> buttons[] = {
      {"New", &add}, {"Delete", &remove}, {"Edit", &edit}};
  for (const auto& [name, action] : buttons) {
    auto* button = new QPushButton(name, parent);
    row->addWidget(button);
    QObject::connect(button, &QPushButton::clicked, parent, *action);
  }
  return row;
}

std::string Std(const QLineEdit* edit) {
  return edit->text().toStdString();
}

void EditBypassOptions(QWidget* parent, SimulationType simtyp, QLineEdit& bypass) {
  StringArray entries;
  entries.Parse(Std(&bypass), false);
  const std::optional<std::vector<std::string>> edited =
      BypassOptionsDialog::Edit(parent, simtyp, entries.GetList());
  if (edited) bypass.setText(Text(StringArray(*edited).Join(' ')));
}

bool TakeStoredTexts(Platform& platform, const char* message,
                     std::initializer_list<std::pair<const QLineEdit*, std::string*>> texts) {
  std::vector<std::string> stored(texts.size());
  auto into = stored.begin();
  for (const auto& [edit, text] : texts) {
    if (!ToStored(edit->text(), *into++)) {
      platform.ShowMessage(message);
      return false;
    }
  }
  into = stored.begin();
  for (const auto& [edit, text] : texts) *text = std::move(*into++);
  return true;
}

}  // namespace orvo::ui
