#include "ui/editors/time_function_editor.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include "groups/time_function_editing.h"
#include "support/modal_dialog.h"
#include "support/widget_dump.h"

using orvo::ui::TimeFunctionEditor;
namespace tf = orvo::time_function;

namespace {

std::vector<std::string> Strings(std::initializer_list<const char*> texts) {
  return {texts.begin(), texts.end()};
}

}  // namespace

class TimeFunctionEditorTest : public QObject {
  Q_OBJECT

 private slots:
  // Each kind's title, caption, column titles and buttons, on the same two intervals
  // (tests/data/ui/editors/time_function_editor/kinds.txt).
  void everyKindHasItsWindow() {
    QByteArray dump;
    for (int mode = 0; mode < tf::kModeCount; ++mode) {
      TimeFunctionEditor editor(mode, Strings({"1", "0", "2", "10"}));
      editor.show();
      dump += "-- kind " + QByteArray::number(mode) + '\n' + orvo::testing::WidgetDump(editor);
    }
    ORVO_COMPARE_EXPECTED("ui/editors/time_function_editor/kinds.txt", dump);
  }

  void timeStepsAddAndReformat() {
    TimeFunctionEditor editor(tf::kTimeSteps, Strings({"1", "10", "0.5"}));
    QTableWidget* grid = editor.grid();
    QCOMPARE(grid->rowCount(), 2);  // the unpaired 0.5 gets time 0
    editor.newButton()->click();
    QCOMPARE(grid->rowCount(), 3);
    grid->item(2, 0)->setText("2.50");
    QCOMPARE(grid->item(2, 0)->text(), QString("2.5"));
    QCOMPARE(editor.Entries(), Strings({"1", "10", "0.5", "0", "2.5", "0.0"}));
    QCOMPARE(editor.plot()->points().size(), size_t{3});
    QCOMPARE(editor.plot()->points()[2], QPointF(0.0, 2.5));
    // Text that is not a number is refused, not read as 0.
    QString refusal;
    orvo::testing::OnModal<QMessageBox>([&refusal](QMessageBox* box) { refusal = box->text(); });
    editor.grid()->item(0, 0)->setText("abc");
    QCOMPARE(refusal,
             QString::fromUtf8("\u201CTimestep interval (DTS(I))\u201D must be a number."));
    QCOMPARE(editor.grid()->item(0, 0)->text(), QString("1"));
  }

  void printIntervalsDeleteSelectedRows() {
    TimeFunctionEditor editor(tf::kPrintIntervals, Strings({"1", "0", "2", "5", "3", "9"}));
    editor.grid()->setSelectionMode(QAbstractItemView::MultiSelection);
    editor.grid()->selectRow(0);
    editor.grid()->selectRow(2);
    editor.deleteButton()->click();
    QCOMPARE(editor.Entries(), Strings({"2", "5"}));
  }

  void clipboardPasteAddsRows() {
    TimeFunctionEditor editor(tf::kAdvectiveFlow, Strings({"1", "0"}));
    QApplication::clipboard()->setText("2\t10\n3\t20\n");
    editor.grid()->setCurrentCell(0, 0);
    editor.Paste();
    QCOMPARE(editor.Entries(), Strings({"2", "10", "3", "20"}));
  }

  void boundaryRowsAreFixedAndCancelGivesNothing() {
    TimeFunctionEditor editor(tf::kBoundaryConcentrations, Strings({"1", "0"}));
    editor.NewInterval();
    QCOMPARE(editor.grid()->rowCount(), 1);

    QTimer::singleShot(0, [] {
      auto* shown = qobject_cast<TimeFunctionEditor*>(QApplication::activeModalWidget());
      QVERIFY(shown != nullptr);
      shown->grid()->item(0, 0)->setText("7");
      shown->reject();
    });
    QVERIFY(!TimeFunctionEditor::EditText(nullptr, tf::kWasteLoads, "1 0").has_value());

    QTimer::singleShot(0, [] {
      auto* shown = qobject_cast<TimeFunctionEditor*>(QApplication::activeModalWidget());
      QVERIFY(shown != nullptr);
      shown->grid()->item(0, 1)->setText("3.0");
      shown->accept();
    });
    QCOMPARE(TimeFunctionEditor::EditText(nullptr, tf::kWasteLoads, "1 0").value_or("none"),
             std::string("1 3"));
  }
};

QTEST_MAIN(TimeFunctionEditorTest)
#include "time_function_editor_test.moc"
