// The property panel edits the selected node's values in place, each edit one undo step.
#include "ui/editors/property_panel.h"

#include <QDockWidget>
#include <QtTest>

#include "model/scripted_platform.h"
#include "support/grid_typing.h"
#include "support/layout_check.h"
#include "support/small_project.h"
#include "ui/network/network_view.h"
#include "ui/shell/child_frame.h"
#include "ui/shell/main_frame.h"
#include "ui/widgets/grid_widget.h"

using namespace orvo;
using namespace orvo::ui;

class PropertyPanelTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    platform_ = std::make_unique<ScriptedPlatform>();
    doc_ = std::make_unique<COrvoBuilderDoc>(*platform_);
    testing::BuildSmallProject(*doc_);
    doc_->ClearHistory();
    doc_->SetModifiedFlag(false);
    view_ = std::make_unique<COrvoBuilderView>(*doc_);
    panel_ = std::make_unique<PropertyPanel>(*view_);
    panel_->resize(420, 900);
    panel_->show();
  }
  void cleanup() {
    panel_.reset();
    view_.reset();
    doc_.reset();
  }

  void VolumeEditIsOneUndoStep() {
    COrvoBuilderCntrItem* segment = doc_->GetSegmentNode(1);
    view_->Select(segment);
    QTRY_VERIFY(panel_->SectionGrid("Group C (Volumes)") != nullptr);
    QCOMPARE(panel_->heading()->text(), QStringLiteral("Segment 1"));
    GridWidget* grid = panel_->SectionGrid("Group C (Volumes)");
    const auto [row, column] = panel_->CellOf("C:BVOL");
    QCOMPARE(grid->CellText(row, 0), QStringLiteral("Volume (BVOL)"));
    testing::TypeIntoCell(grid, row, column, "2.5e2");
    QCOMPARE(QString::fromStdString(segment->GetParameter(9)), QStringLiteral("250"));
    QCOMPARE(QString::fromStdString(doc_->UndoLabel()), QStringLiteral("Edit Volume (BVOL)"));
    QVERIFY(doc_->IsModified());
    QTRY_COMPARE(grid->CellText(row, column), QStringLiteral("250"));
    QVERIFY(doc_->Undo());
    QVERIFY(!doc_->CanUndo());
    QVERIFY(!doc_->IsModified());
    // The network was rebuilt; the panel keeps showing the segment, as it now is.
    QTRY_COMPARE(panel_->SectionGrid("Group C (Volumes)")->CellText(row, column),
                 QStringLiteral("0"));
    QCOMPARE(view_->selected_node(), doc_->GetSegmentNode(1));
    QCOMPARE(QString::fromStdString(doc_->GetSegmentNode(1)->GetParameter(9)), QStringLiteral("0"));
  }

  void ValuesStayInSightInANarrowPanel() {
    panel_->resize(900, 900);
    view_->Select(doc_->GetSegmentNode(1));
    QTRY_VERIFY(panel_->SectionGrid("Group C (Volumes)") != nullptr);
    GridWidget* grid = panel_->SectionGrid("Group C (Volumes)");
    const int wide = grid->columnWidth(0);
    panel_->resize(300, 900);
    QTRY_VERIFY(grid->columnWidth(0) < wide);
    // The value column ends inside the grid: nothing to scroll to.
    QVERIFY(grid->columnViewportPosition(1) + grid->columnWidth(1) <= grid->viewport()->width());
    const int row = panel_->CellOf("C:VMULT").first;
    QCOMPARE(grid->item(row, 0)->toolTip(), grid->CellText(row, 0));
    panel_->resize(900, 900);
    QTRY_COMPARE(grid->columnWidth(0), wide);
  }

  void ExchangeEntryEditIsOneUndoStep() {
    COrvoBuilderCntrItem* exchange = nullptr;
    for (const auto& node : doc_->nodes()) {
      if (node->is_exchange()) exchange = node.get();
    }
    view_->Select(exchange);
    QTRY_VERIFY(panel_->SectionGrid("Group B (Exchange Data)") != nullptr);
    GridWidget* grid = panel_->SectionGrid("Group B (Exchange Data)");
    const auto [row, column] = panel_->CellOf("B:0:0:0");
    QCOMPARE(grid->CellText(row, column), QStringLiteral("150"));
    const std::string before = exchange->GetParameter(7);
    testing::TypeIntoCell(grid, row, column, "175");
    QTRY_COMPARE(grid->CellText(row, column), QStringLiteral("175"));
    QCOMPARE(grid->CellText(row, column + 1), QStringLiteral("400"));
    QVERIFY(doc_->Undo());
    QVERIFY(!doc_->CanUndo());
    for (const auto& node : doc_->nodes()) {
      if (node->is_exchange()) QCOMPARE(node->GetParameter(7), before);
    }
    QTRY_COMPARE(panel_->SectionGrid("Group B (Exchange Data)")->CellText(row, column),
                 QStringLiteral("150"));
  }

  void TextThatIsNoNumberIsRefused() {
    view_->Select(doc_->GetSegmentNode(2));
    QTRY_VERIFY(panel_->SectionGrid("Group C (Volumes)") != nullptr);
    GridWidget* grid = panel_->SectionGrid("Group C (Volumes)");
    const auto [row, column] = panel_->CellOf("C:BVOL");
    testing::TypeIntoCell(grid, row, column, "abc", false);
    QLineEdit* editor = testing::OpenEditor(grid);
    QVERIFY(editor != nullptr && testing::Marked(editor));
    QTest::keyClick(editor, Qt::Key_Return);
    QVERIFY(platform_->messages ==
            std::vector<std::string>{"\xE2\x80\x9CVolume (BVOL)\xE2\x80\x9D must be a number."});
    QTest::keyClick(editor, Qt::Key_Escape);
    QTRY_COMPARE(grid->CellText(row, column), QStringLiteral("0"));
    QVERIFY(!doc_->CanUndo());
    QVERIFY(!doc_->IsModified());
    // A segment type is typed by name or number; anything else is refused.
    const auto [type_row, type_column] = panel_->CellOf("C:type");
    testing::TypeIntoCell(grid, type_row, type_column, "upper bed");
    QTRY_COMPARE(grid->CellText(type_row, type_column), QStringLiteral("(3) Upper bed"));
    QCOMPARE(QString::fromStdString(doc_->GetSegmentNode(2)->GetParameter(3)), QStringLiteral("2"));
    testing::TypeIntoCell(grid, type_row, type_column, "7");
    QCOMPARE(platform_->messages.size(), 2u);
    QCOMPARE(QString::fromStdString(doc_->GetSegmentNode(2)->GetParameter(3)), QStringLiteral("2"));
  }

  void SeveralNodesShowWhatTheyShare() {
    view_->SelectAll();
    QTRY_VERIFY(panel_->numbers().size() > 2);
    QVERIFY(panel_->heading()->text().contains(QStringLiteral("nodes selected")));
    // Segments, exchanges and labels have no value in common.
    QVERIFY(panel_->CellOf("C:BVOL") == std::make_pair(-1, -1));
    view_->Select(nullptr);
  }

  void ProjectWindowHasThePanelAsADock() {
    CMainFrame main;
    main.resize(1280, 760);
    main.show();
    CChildFrame* frame = main.NewProject();
    QVERIFY(frame != nullptr);
    frame->showMaximized();
    testing::BuildSmallProject(frame->document());
    frame->document().UpdateAllViews(kHintNetworkBuilt);
    QVERIFY(frame->property_dock()->isVisible());
    QVERIFY(!frame->table_dock()->isVisible());
    QAction* table = nullptr;
    for (QAction* action : main.findChildren<QAction*>()) {
      if (action->text() == QStringLiteral("Segment &Table")) table = action;
    }
    QVERIFY(table != nullptr && !table->isChecked());
    table->trigger();
    QVERIFY(frame->table_dock()->isVisible());
    frame->view()->Select(frame->document().GetSegmentNode(3));
    QTRY_VERIFY(frame->property_panel()->SectionGrid("Group C (Volumes)") != nullptr);
    QCoreApplication::processEvents();
    QStringList cut = testing::CutTexts(frame->property_panel());
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'\n')));
    testing::Grab(&main, QStringLiteral("project_window"));
    frame->document().SetModifiedFlag(false);
  }

 private:
  std::unique_ptr<ScriptedPlatform> platform_;
  std::unique_ptr<COrvoBuilderDoc> doc_;
  std::unique_ptr<COrvoBuilderView> view_;
  std::unique_ptr<PropertyPanel> panel_;
};

QTEST_MAIN(PropertyPanelTest)
#include "property_panel_test.moc"
