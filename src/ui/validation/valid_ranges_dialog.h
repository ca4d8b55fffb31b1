// ValidRangesDialog: the "Valid Ranges" dialog, where the bounds of group J's initial
// concentration C and dissolved fraction DISSF are edited, opened from and saved to a ranges
// file (ReadTableData / SaveTableData).
//
// Use: ValidRangesDialog::EditValueRanges(document, parent) carries out "Edit Value Ranges":
// it reads the document's table again from the document's ranges file, runs the dialog, and
// afterwards the document's ranges file path follows the file the dialog ended on, as one
// undo step. Messages and file choosers go through the document's platform.
#pragma once

#include <QDialog>
#include <QString>

#include "model/project_document.h"
#include "model/value_range_table.h"

class QLabel;
class QPushButton;

namespace orvo::ui {

class GridWidget;

class ValidRangesDialog : public QDialog {
  Q_OBJECT

 public:
  // Edits table in place: typed bounds go into it at once.
  ValidRangesDialog(ValueRangeTable& table, Platform& platform, QWidget* parent = nullptr);

  static void EditValueRanges(COrvoBuilderDoc& document, QWidget* parent);

  // The buttons. "Save" ends the dialog once the table is written ("Save As..." first when the
  // table has no file); it stays open when the file could not be written, so that the edits
  // can still go elsewhere. "Close" (or Escape) ends it without writing.
  void Open();
  void SaveAs();
  void Save();

  // The file line: "File: " and the table's path, or "<NONE>" when it names no readable file.
  void ShowFile();
  // The grid from the table.
  void Fill();

  QLabel* file_line() const { return file_line_; }
  GridWidget* grid() const { return grid_; }
  QPushButton* open_button() const { return open_; }
  QPushButton* save_as_button() const { return save_as_; }
  QPushButton* save_button() const { return save_; }
  QPushButton* close_button() const { return close_; }

 private:
  void TakeCell(int row, int column, const QString& text);

  ValueRangeTable* table_;
  Platform* platform_;
  QLabel* file_line_;
  GridWidget* grid_;
  QPushButton* open_;
  QPushButton* save_as_;
  QPushButton* save_;
  QPushButton* close_;
};

}  // namespace orvo::ui
