#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "support/widget_dump.h"
#include "ui/widgets/grid_widget.h"

using orvo::ui::GridWidget;

class GridWidgetTest : public QObject {
  Q_OBJECT

 private slots:
  void PastedNumbersAreReformattedAndRefusalsShownOnce();
  void CopyGivesTheSelectedBlock();
  void EscapeCancelsAnEdit();
  void NumberColumnsRefuseTextAndNameTheColumn();
  void FixedCellsCannotBeEditedOrSelected();
  void SaveAndLoadRoundTrip();
  void LoadRefusesBadFiles();
};

namespace {

// A 1-row, 1-column header around a 4 x 3 body; columns 1 and 2 hold numbers.
void Fill(GridWidget& grid) {
  grid.setRowCount(5);
  grid.setColumnCount(4);
  grid.SetFixedRowCount(1);
  grid.SetFixedColumnCount(1);
  grid.SetCellText(0, 1, "Value");
  grid.SetCellText(0, 2, "Time");
  grid.SetCellText(0, 3, "Name");
  for (int row = 1; row < 5; ++row) grid.SetCellText(row, 0, QString::number(row));
}

}  // namespace

void GridWidgetTest::PastedNumbersAreReformattedAndRefusalsShownOnce() {
  GridWidget grid;
  Fill(grid);
  grid.SetCellValidator(GridWidget::NumberColumns({1, 2}));
  QSignalSpy edited(&grid, &GridWidget::CellEdited);
  grid.setCurrentCell(1, 1);
  // Three rows of two numbers, as a spreadsheet puts them on the clipboard.
  QCOMPARE(grid.PasteText("1.50\t2e3\r\n.25\t7\r\nabc\t-0.000\r\n"), 6);
  ORVO_COMPARE_EXPECTED("ui/widgets/grid_widget/pasted_numbers.txt", orvo::testing::ViewDump(grid));
  QCOMPARE(edited.count(), 6);
  QCOMPARE(edited.at(0).at(3).toString(), QString("1.5"));

  // A validator refusing a text: the cell keeps its text, the message comes once per paste,
  // and a block hanging over the edge loses only what lies past it.
  QStringList shown;
  grid.SetMessageHandler([&shown](const QString& message) { shown.append(message); });
  grid.SetCellValidator([](int, int column, const QString& text) {
    GridWidget::CellCheck check{true, text, {}};
    if (column == 3 && text.size() > 5) check = {false, {}, "Names have five characters."};
    return check;
  });
  grid.setCurrentCell(3, 2);
  QCOMPARE(grid.PasteText("8\tlonger name\t9\n5\tshort\n6\tlonger still\n"), 3);
  ORVO_COMPARE_EXPECTED("ui/widgets/grid_widget/refused_paste.txt", orvo::testing::ViewDump(grid));
  QCOMPARE(shown, QStringList{"Names have five characters."});
}

// "abc" must not become 0 in a number column: it is refused and the column is named.
void GridWidgetTest::NumberColumnsRefuseTextAndNameTheColumn() {
  GridWidget grid;
  Fill(grid);
  grid.SetNumberColumn(1, orvo::ui::NumberKind::kReal);
  grid.SetNumberColumn(2, orvo::ui::NumberKind::kRealList, true);
  grid.SetCellValidator(GridWidget::NumberColumns({1}));
  QStringList shown;
  grid.SetMessageHandler([&shown](const QString& message) { shown.append(message); });
  grid.SetCellText(1, 1, "5");
  QVERIFY(!grid.EditCell(1, 1, "abc"));
  QVERIFY(!grid.EditCell(1, 1, "3x"));
  QCOMPARE(grid.CellText(1, 1), QString("5"));
  QVERIFY(grid.EditCell(1, 1, " 2.50 "));
  QCOMPARE(grid.CellText(1, 1), QString("2.5"));
  QVERIFY(grid.EditCell(1, 2, "1 0 2 10"));
  QVERIFY(grid.EditCell(1, 2, ""));
  QVERIFY(!grid.EditCell(1, 2, "1 zero"));
  QVERIFY2(grid.EditCell(1, 3, "abc"), "a text column takes text");
  QCOMPARE(shown, (QStringList{QString::fromUtf8("\u201CValue\u201D must be a number."),
                               QString::fromUtf8("\u201CValue\u201D must be a number."),
                               QString::fromUtf8("\u201CTime\u201D must be numbers separated by "
                                                 "blanks.")}));

  // The in-place editor of a number cell is marked while its text is not a number.
  grid.show();
  QVERIFY(QTest::qWaitForWindowExposed(&grid));
  grid.setCurrentCell(2, 1);
  grid.editItem(grid.item(2, 1));
  auto* editor = grid.viewport()->findChild<QLineEdit*>();
  QVERIFY(editor != nullptr);
  QTest::keyClicks(editor, "abc");
  QVERIFY(!editor->hasAcceptableInput());
  QCOMPARE(editor->palette().color(QPalette::Base), QColor(255, 205, 205));
}

void GridWidgetTest::CopyGivesTheSelectedBlock() {
  GridWidget grid;
  Fill(grid);
  grid.SetCellText(1, 1, "1.5");
  grid.SetCellText(1, 2, "10");
  grid.SetCellText(2, 1, "2");
  grid.SetCellText(2, 2, "has\ttab");
  grid.setRangeSelected(QTableWidgetSelectionRange(1, 1, 2, 2), true);
  QCOMPARE(grid.SelectedText(), QString("1.5\t10\n2\thas tab\n"));
  grid.CopyToClipboard();
  QCOMPARE(QApplication::clipboard()->text(), QString("1.5\t10\n2\thas tab\n"));

  // A whole row carries its data cells, not its header cell.
  grid.clearSelection();
  grid.SetRowSelection(true);
  grid.selectRow(2);
  QCOMPARE(grid.SelectedRows(), QList<int>{2});
  QCOMPARE(grid.SelectedText(), QString("2\thas tab\t\n"));
}

void GridWidgetTest::EscapeCancelsAnEdit() {
  GridWidget grid;
  Fill(grid);
  grid.SetCellValidator(GridWidget::NumberColumns({1}));
  grid.SetCellText(1, 1, "5");
  grid.show();
  QVERIFY(QTest::qWaitForWindowExposed(&grid));
  QSignalSpy edited(&grid, &GridWidget::CellEdited);

  grid.setCurrentCell(1, 1);
  grid.editItem(grid.item(1, 1));
  auto* editor = grid.viewport()->findChild<QLineEdit*>();
  QVERIFY(editor != nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, "42");
  QTest::keyClick(editor, Qt::Key_Escape);
  QCoreApplication::processEvents();
  QCOMPARE(grid.CellText(1, 1), QString("5"));
  QCOMPARE(edited.count(), 0);

  // The same typing confirmed with Enter goes through the validator.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  grid.editItem(grid.item(1, 1));
  editor = grid.viewport()->findChild<QLineEdit*>();
  QVERIFY(editor != nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, "42.000");
  QTest::keyClick(editor, Qt::Key_Return);  // the delegate commits from the event loop
  QTRY_COMPARE(grid.CellText(1, 1), QString("42"));
  QCOMPARE(edited.count(), 1);
}

void GridWidgetTest::FixedCellsCannotBeEditedOrSelected() {
  GridWidget grid;
  Fill(grid);
  for (const auto& [row, column] : {std::pair{0, 0}, std::pair{0, 2}, std::pair{3, 0}}) {
    QVERIFY(grid.IsFixedCell(row, column));
    QVERIFY(!(grid.item(row, column)->flags() & Qt::ItemIsEditable));
    QVERIFY(!(grid.item(row, column)->flags() & Qt::ItemIsSelectable));
    QVERIFY(!grid.EditCell(row, column, "x"));
  }
  QCOMPARE(grid.CellText(0, 2), QString("Time"));
  QVERIFY(grid.item(2, 2)->flags() & Qt::ItemIsEditable);
  // Rows added later get the same treatment; a paste aimed at the header lands below it.
  grid.setRowCount(6);
  QVERIFY(grid.item(5, 0) != nullptr && !(grid.item(5, 0)->flags() & Qt::ItemIsEditable));
  grid.setCurrentCell(0, 0);
  grid.clearSelection();
  QCOMPARE(grid.PasteText("a\tb\n"), 2);
  ORVO_COMPARE_EXPECTED("ui/widgets/grid_widget/paste_below_header.txt",
                        orvo::testing::ViewDump(grid));

  // A click on a row's header cell selects the row's data cells.
  grid.show();
  QVERIFY(QTest::qWaitForWindowExposed(&grid));
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                    grid.visualItemRect(grid.item(2, 0)).center());
  QCOMPARE(grid.SelectedRows(), QList<int>{2});
  QCOMPARE(grid.SelectedText(), QString("\t\t\n"));
}

void GridWidgetTest::SaveAndLoadRoundTrip() {
  QTemporaryDir dir;
  const QString path = dir.filePath("cells.txt");
  GridWidget grid;
  Fill(grid);
  grid.SetCellText(2, 3, "a b");
  grid.SetCellText(3, 2, "<1>");
  QVERIFY(grid.SaveCells(path));
  QFile file(path);
  QVERIFY(file.open(QIODevice::ReadOnly));
  ORVO_COMPARE_EXPECTED("ui/widgets/grid_widget/saved_cells.txt", file.readAll());
  file.close();

  GridWidget other;
  other.SetFixedRowCount(1);
  other.SetFixedColumnCount(1);
  QVERIFY(other.LoadCells(path));
  QCOMPARE(other.rowCount(), 5);
  QCOMPARE(other.columnCount(), 4);
  QCOMPARE(other.AllText(), grid.AllText());
  QVERIFY(!(other.item(0, 3)->flags() & Qt::ItemIsEditable));

  // Printing goes through the same table: header cells as such, texts escaped.
  ORVO_COMPARE_EXPECTED("ui/widgets/grid_widget/printed_cells.html", grid.ToHtml().toUtf8());
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath("cells.pdf"));
  grid.Print(printer);
  QVERIFY(QFileInfo(dir.filePath("cells.pdf")).size() > 0);
}

void GridWidgetTest::LoadRefusesBadFiles() {
  QTemporaryDir dir;
  GridWidget grid;
  Fill(grid);
  const QString before = grid.AllText();
  QString error;
  QVERIFY(!grid.LoadCells(dir.filePath("missing.txt"), &error));
  QVERIFY(error.startsWith("Unable to open "));
  // Ten thousand cells on each of two hundred lines is more than any grid shows.
  const QString wide = dir.filePath("wide.txt");
  QFile file(wide);
  QVERIFY(file.open(QIODevice::WriteOnly));
  const QByteArray line = QByteArray("1\t").repeated(10000) + "\r\n";
  for (int i = 0; i < 200; ++i) file.write(line);
  file.close();
  QVERIFY(!grid.LoadCells(wide, &error));
  QVERIFY(error.endsWith("holds more cells than a grid can show."));
  QCOMPARE(grid.AllText(), before);
}

QTEST_MAIN(GridWidgetTest)
#include "grid_widget_test.moc"
