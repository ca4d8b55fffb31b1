// The segment table: every segment sorted by ID, edited in place (one undo step per edit or
// pasted block), a row chosen selects the segment on the map.
#include "ui/editors/segment_table.h"

#include <QApplication>
#include <QClipboard>
#include <QtTest>

#include "model/scripted_platform.h"
#include "support/grid_typing.h"
#include "support/layout_check.h"
#include "support/small_project.h"
#include "support/widget_dump.h"
#include "ui/network/network_view.h"
#include "ui/widgets/grid_widget.h"

using namespace orvo;
using namespace orvo::ui;

class SegmentTableTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    platform_ = std::make_unique<ScriptedPlatform>();
    doc_ = std::make_unique<COrvoBuilderDoc>(*platform_);
    testing::BuildSmallProject(*doc_);
    // Segment IDs out of creation order (the bed segment, made last, is 1): the table sorts.
    COrvoBuilderCntrItem* first = doc_->GetSegmentNode(1);
    COrvoBuilderCntrItem* bed = doc_->GetSegmentNode(3);
    first->SetParameter(2, "3");
    bed->SetParameter(2, "1");
    doc_->BuildSegmentArray();
    doc_->ClearHistory();
    doc_->SetModifiedFlag(false);
    view_ = std::make_unique<COrvoBuilderView>(*doc_);
    view_->resize(600, 400);
    view_->show();
    table_ = std::make_unique<SegmentTable>(*view_);
    table_->resize(table_->sizeHint());
    table_->show();
    QTRY_COMPARE(table_->grid()->rowCount(), 4);
  }
  void cleanup() {
    table_.reset();
    view_.reset();
    doc_.reset();
  }

  void ListsEverySegmentByID() {
    GridWidget* grid = table_->grid();
    ORVO_COMPARE_WINDOW("ui/editors/segment_table/three_segments.txt", *table_);
    // Long names wrap, so the first value columns are wholly in sight at the default size.
    const int vmult = table_->ColumnOf("C:VMULT");
    QVERIFY(grid->columnViewportPosition(vmult) + grid->columnWidth(vmult) <=
            grid->viewport()->width());
    QStringList cut = testing::CutTexts(table_.get());
    // Columns beyond the window's width scroll; the first ones and the chooser must fit.
    cut.erase(std::remove_if(cut.begin(), cut.end(),
                             [](const QString& text) { return text.startsWith("table"); }),
              cut.end());
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'\n')));
    testing::Grab(table_.get(), QStringLiteral("segment_table"));
  }

  void EditIsOneUndoStep() {
    GridWidget* grid = table_->grid();
    const int volume = table_->ColumnOf("C:BVOL");
    testing::TypeIntoCell(grid, 2, volume, "1e3");
    QCOMPARE(QString::fromStdString(doc_->GetSegmentNode(2)->GetParameter(9)),
             QStringLiteral("1000"));
    QTRY_COMPARE(grid->CellText(2, volume), QStringLiteral("1000"));
    QVERIFY(doc_->CanUndo());
    QVERIFY(doc_->Undo());
    QVERIFY(!doc_->CanUndo());
    QTRY_COMPARE(grid->CellText(2, volume), QStringLiteral("0"));
    // Text that is no number is refused, naming the column.
    testing::TypeIntoCell(grid, 1, volume, "abc");
    QTest::keyClick(testing::OpenEditor(grid), Qt::Key_Escape);
    QVERIFY(platform_->messages ==
            std::vector<std::string>{"\xE2\x80\x9CVolume (BVOL)\xE2\x80\x9D must be a number."});
    QVERIFY(!doc_->CanUndo());
  }

  void PastedBlockIsOneUndoStep() {
    GridWidget* grid = table_->grid();
    const int vmult = table_->ColumnOf("C:VMULT");
    QCOMPARE(table_->ColumnOf("C:VEXP"), vmult + 1);
    grid->setCurrentCell(1, vmult);
    QApplication::clipboard()->setText(QStringLiteral("0.5\t0.25\n0.75\t0.125\n"));
    QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(QString::fromStdString(doc_->GetSegmentNode(2)->GetParameter(7)),
             QStringLiteral("0.125"));
    QCOMPARE(QString::fromStdString(doc_->UndoLabel()), QStringLiteral("Paste"));
    QVERIFY(doc_->Undo());
    QVERIFY(!doc_->CanUndo());
    for (int id = 1; id <= 2; ++id) {
      QCOMPARE(QString::fromStdString(doc_->GetSegmentNode(id)->GetParameter(8)),
               QStringLiteral("0"));
    }
  }

  void ChosenRowSelectsTheSegmentOnTheMap() {
    GridWidget* grid = table_->grid();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualItemRect(grid->item(3, 0)).center());
    QCOMPARE(view_->selected_node(), doc_->GetSegmentNode(3));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualItemRect(grid->item(1, table_->ColumnOf("C:DXP"))).center());
    QCOMPARE(view_->selected_node(), doc_->GetSegmentNode(1));
  }

 private:
  std::unique_ptr<ScriptedPlatform> platform_;
  std::unique_ptr<COrvoBuilderDoc> doc_;
  std::unique_ptr<COrvoBuilderView> view_;
  std::unique_ptr<SegmentTable> table_;
};

QTEST_MAIN(SegmentTableTest)
#include "segment_table_test.moc"
