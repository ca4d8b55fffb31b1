// Real key and mouse input into the cells of a grid, for the window tests.
#pragma once

#include <QLineEdit>
#include <QPalette>
#include <QTableWidget>
#include <QtTest>

namespace orvo::testing {

// The in-place editor open on grid, or null.
inline QLineEdit* OpenEditor(QTableWidget* grid) {
  for (QLineEdit* editor : grid->viewport()->findChildren<QLineEdit*>()) {
    if (editor->isVisible()) return editor;
  }
  return nullptr;
}

// Double-clicks the cell and types text into its editor; Return unless finish is false.
inline void TypeIntoCell(QTableWidget* grid, int row, int column, const QString& text,
                         bool finish = true) {
  QTableWidgetItem* cell = grid->item(row, column);
  QVERIFY(cell != nullptr);
  grid->scrollToItem(cell);
  const QPoint at = grid->visualItemRect(cell).center();
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
  QLineEdit* editor = OpenEditor(grid);
  QVERIFY(editor != nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, text);
  if (!finish) return;
  QTest::keyClick(editor, Qt::Key_Return);
  // The item view commits a finished edit from the event loop.
  QCoreApplication::processEvents();
}

// Whether a number field's editor shows that its text is no number.
inline bool Marked(const QLineEdit* editor) {
  return editor->palette().color(QPalette::Base) == QColor(255, 205, 205);
}

// With ORVO_GRAB_DIR set, saves a picture of window there, to be looked at.
inline void Grab(QWidget* window, const QString& name) {
  const QString folder = qEnvironmentVariable("ORVO_GRAB_DIR");
  if (!folder.isEmpty()) window->grab().save(folder + u'/' + name + QStringLiteral(".png"));
}

}  // namespace orvo::testing
