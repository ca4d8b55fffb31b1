// Parts several group editors are made of: the slot table of groups G and I, the time
// function lists of groups B and D, and the check of typed texts on OK.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/model_vocabulary.h"

class QDialog;
class QHBoxLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace orvo {
class Platform;
}

namespace orvo::ui {

class GridWidget;

// A title line, a grid with a header row and one row per slot, and the description of the
// current slot below the grid.
struct SlotTable {
  QLineEdit* title = nullptr;
  GridWidget* grid = nullptr;
  QPlainTextEdit* description = nullptr;
  int rows = 0;
};
// Cell texts pass through keep(slot, column, stored text), which returns the text the
// editor's form keeps; a text that cannot be stored is refused.
using SlotCellKeeper = std::function<std::string(int slot, int column, const std::string& text)>;
SlotTable MakeSlotTable(QDialog& dialog, const std::string& title, const char* grid_name,
                        const QStringList& headers, int rows, SlotCellKeeper keep,
                        std::function<QString(int slot)> describe);
// "Use/Restore default parameter names (PNAME)": column 1 of every slot from name(slot).
QPushButton* RestoreNamesButton(QDialog& dialog, const SlotTable& table, SlotCellKeeper keep,
                                std::function<std::string(int slot)> name);
// Lays the dialog out (the buttons left of OK and Cancel, which end it) and shows the first
// slot's description.
void LayOutSlotTable(QDialog& dialog, const SlotTable& table, const std::vector<QWidget*>& buttons,
                     int width);

// Makes grid a list of time functions, one per row as normalise leaves the typed text; a
// function with a value but not its time is refused, since the card writer would fail on it.
void MakeTimeFunctionList(GridWidget& grid, std::string (*normalise)(std::string_view),
                          std::function<void(const QString&)> message);
// The "New", "Delete" and "Edit" buttons of a function list.
QHBoxLayout* FunctionButtons(QWidget* parent, const std::function<void()>& add,
                             const std::function<void()>& remove,
                             const std::function<void()>& edit);

// Number and number-list texts between the fields and the forms (names and titles go
// through the stored-text conversions instead).
inline QString Text(const std::string& text) {
  return QString::fromStdString(text);
}
std::string Std(const QLineEdit* edit);

// "Edit Bypass Options" for the systems listed in bypass; OK puts the choice back there.
void EditBypassOptions(QWidget* parent, SimulationType simtyp, QLineEdit& bypass);

// The texts of the line edits as stored text, in the strings paired with them; false, with
// message shown, when one holds a character that cannot be stored (nothing is taken then).
bool TakeStoredTexts(Platform& platform, const char* message,
                     std::initializer_list<std::pair<const QLineEdit*, std::string*>> texts);

}  // namespace orvo::ui
