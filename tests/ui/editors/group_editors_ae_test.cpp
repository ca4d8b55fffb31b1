// The global editors of groups A to E and the shared "Edit Bypass Options" window, on the
// small FENU5 project of tests/support.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

#include "model/model_vocabulary.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "support/modal_dialog.h"
#include "support/network_builder.h"
#include "support/small_project.h"
#include "ui/editors/bypass_options_dialog.h"
#include "ui/editors/group_a_editor.h"
#include "ui/editors/group_b_editor.h"
#include "ui/editors/group_c_editor.h"
#include "ui/editors/group_d_editor.h"
#include "ui/editors/group_e_editor.h"
#include "ui/editors/group_editors.h"
#include "ui/editors/time_function_editor.h"
#include "ui/widgets/grid_widget.h"

using namespace orvo;
using namespace orvo::ui;

namespace {

using testing::OnModal;

struct Project {
  ScriptedPlatform platform;
  COrvoBuilderDoc doc{platform};
  Project() {
    testing::BuildSmallProject(doc);
    doc.SetModifiedFlag(false);
  }
  COrvoBuilderCntrItem* Node(bool exchange) const {
    for (const auto& node : doc.nodes())
      if (exchange ? node->is_exchange() : node->is_segment()) return node.get();
    return nullptr;
  }
  bool Shown(const std::string& text) const {
    return std::find(platform.messages.begin(), platform.messages.end(), text) !=
           platform.messages.end();
  }
};

}  // namespace

class GroupEditorsAETest : public QObject {
  Q_OBJECT

 private slots:
  void cancelChangesNothing();
  void groupATypeAndSystems();
  void groupATimeStepsThroughEditor();
  void groupBFunctionLists();
  void groupCPromptAndUnshownOption();
  void groupDFieldsAndFunctions();
  void groupEBreakCounts();
  void bypassOptions();
};

void GroupEditorsAETest::cancelChangesNothing() {
  Project p;
  const std::string before = p.doc.SaveToBytes();
  {
    GroupAEditor a(p.doc);
    a.title1()->setText("changed");
    a.SimulationTypeChosen(kVerda5);
    a.reject();
    GroupBEditor b(p.doc);
    b.NewFunction(GroupBEditor::kPore);
    b.reject();
    GroupCEditor c(p.doc);
    c.scalv()->setText("7");
    c.reject();
    GroupDEditor d(p.doc);
    d.NewFunction();
    d.reject();
    GroupEEditor e(p.doc);
    QVERIFY(e.grid()->EditCell(1, GroupEEditor::kBreaks, "5"));
    e.reject();
  }
  QCOMPARE(p.doc.SaveToBytes(), before);
  QVERIFY(!p.doc.IsModified());
  QVERIFY(!p.doc.CanUndo());
  // Through the modal entry point as well.
  OnModal<GroupCEditor>([](GroupCEditor* c) { c->reject(); });
  QVERIFY(!RunGroupCEditor(p.doc, nullptr));
  QCOMPARE(p.doc.SaveToBytes(), before);
}

// The rules behind the fields are the core's (group_editing_test); here the fields reach them.
void GroupEditorsAETest::groupATypeAndSystems() {
  Project p;
  p.doc.group_a.SIMTYP = kVerda5;
  p.doc.group_a.NOSYS = 8;
  GroupAEditor a(p.doc);
  QCOMPARE(a.simtyp()->currentText(), QString("VERDA"));
  QCOMPARE(a.jmass()->count(), 9);  // "None", "1".."8"
  a.nosys()->setText("9");
  a.LeaveNOSYS();
  QCOMPARE(a.nosys()->text(), QString("8"));
  a.simtyp()->setCurrentIndex(kKobal5);
  a.SimulationTypeChosen(kKobal5);
  QCOMPARE(a.nosys()->text(), QString("7"));
  QCOMPARE(a.jmass()->count(), 8);
  a.printIntervals()->setText("1,30\t2  60");
  a.LeavePrintIntervals();
  a.title1()->setText("Lake run");
  a.accept();
  const GroupADlg& g = p.doc.group_a;
  QCOMPARE(g.TITLE1, std::string("Lake run"));
  QCOMPARE(g.SIMTYP, int(kKobal5));
  QCOMPARE(g.print_intervals.Join(' '), std::string("1 30 2 60"));
  QVERIFY(p.doc.CanUndo());
  p.doc.Undo();
  QCOMPARE(p.doc.group_a.NOSYS, 8);
}

void GroupEditorsAETest::groupATimeStepsThroughEditor() {
  Project p;
  GroupAEditor a(p.doc);
  QCOMPARE(a.timeSteps()->text(), QString("0.01 10 0.02 30"));
  OnModal<TimeFunctionEditor>([](TimeFunctionEditor* editor) {
    QCOMPARE(editor->mode(), 0);
    editor->NewInterval();
    editor->accept();
  });
  a.EditTimeSteps();
  QCOMPARE(a.timeSteps()->text(), QString("0.01 10 0.02 30 0.0 0.0"));
}

void GroupEditorsAETest::groupBFunctionLists() {
  Project p;
  GroupBEditor b(p.doc);
  GridWidget* surface = b.functions(GroupBEditor::kSurface);
  QCOMPARE(surface->CellText(1, 0), QString("0.0001 0 0.0002 30"));
  b.DeleteFunction(GroupBEditor::kPore);
  QVERIFY(p.Shown("Please select an exchange data group to delete."));
  b.NewFunction(GroupBEditor::kSurface);
  QCOMPARE(surface->SelectedRow(), 2);
  QVERIFY(surface->EditCell(2, 0, "1e-4,0\t3e-4   30"));
  b.scalr(GroupBEditor::kSurface)->setText("2.5");
  b.bypass()->setText("1");
  b.accept();
  const GroupBDlg& g = p.doc.group_b;
  QCOMPARE(g.surface_functions.GetList(),
           (std::vector<std::string>{"0.0001 0 0.0002 30", "1e-4 0 3e-4 30"}));
  QCOMPARE(g.surface_SCALR, 2.5);
  QCOMPARE(g.bypass.Join(' '), std::string("1"));
  QCOMPARE(p.Node(true)->GetParameter(5), std::string("2"));
}

void GroupEditorsAETest::groupCPromptAndUnshownOption() {
  Project p;
  p.doc.group_c.IVOPT = 2;  // a deck's IVOPT 3
  GroupCEditor c(p.doc);
  QCOMPARE(c.ivopt()->currentIndex(), -1);
  QCOMPARE(c.tdintsPrompt()->text(),
           QString("Benthic time step in days for recomputing porosity (TDINTS):"));
  c.ibedv()->setCurrentIndex(1);
  c.IBEDVChosen();
  QCOMPARE(c.tdintsPrompt()->text(),
           QString("Benthic time step in days for recomputing sediment bed compaction (TDINTS):"));
  c.scalv()->setText("0.5");
  c.accept();
  QCOMPARE(p.doc.group_c.IVOPT, 2);
  QCOMPARE(p.doc.group_c.IBEDV, 1);
  QCOMPARE(p.doc.group_c.SCALV, 0.5);
  QVERIFY(p.doc.IsModified());
}

void GroupEditorsAETest::groupDFieldsAndFunctions() {
  Project p;
  p.platform.files.push_back(std::string("/data/run.hyd"));
  GroupDEditor d(p.doc);
  QCOMPARE(d.fieldName()->text(), QString("Advective flows in the water column"));
  QVERIFY(!d.hydrodynamicFile()->isEnabled());
  d.flowOption()->setCurrentIndex(2);
  d.FlowOptionChosen();
  QVERIFY(d.hydrodynamicFile()->isEnabled());
  d.ChooseFile();
  QCOMPARE(d.hydrodynamicFile()->text(), QString("/data/run.hyd"));
  d.NewFunction();
  QVERIFY(d.functionList()->EditCell(0, 0, "5, 0 6 30"));
  QVERIFY(d.fieldsGrid()->EditCell(3, 1, "2.50"));
  QCOMPARE(d.fieldsGrid()->CellText(3, 3), QString("m^3/sec"));
  d.accept();
  const GroupDDlg& g = p.doc.group_d;
  QCOMPARE(g.flow_option, 2);
  QCOMPARE(g.hydrodynamic_file, std::string("/data/run.hyd"));
  QCOMPARE(g.fields[0].GetList(),
           (std::vector<std::string>{"1", "1", "m^3/sec", "5 0 6 30", "10 0 12 30"}));
  QCOMPARE(g.fields[2].GetList(), (std::vector<std::string>{"2.5", "0.0", "m^3/sec", "0.0 0.0"}));
}

void GroupEditorsAETest::groupEBreakCounts() {
  Project p;
  COrvoBuilderCntrItem* s1 = p.Node(false);
  GroupEEditor e(p.doc);
  QCOMPARE(e.grid()->CellText(1, 0), QString::fromStdString(vocabulary::SystemName(kFenu5, 1)));
  QCOMPARE(e.grid()->CellText(1, GroupEEditor::kBreaks), QString("2"));
  QVERIFY(e.grid()->EditCell(1, GroupEEditor::kScale, "2.50"));
  QVERIFY(e.grid()->EditCell(1, GroupEEditor::kBreaks, "1"));
  e.accept();  // the question about trimming is answered OK
  QCOMPARE(p.platform.messages.size(), size_t{1});
  QCOMPARE(p.doc.group_e.systems[0].At(0), std::string("2.5"));
  QCOMPARE(StringArray(StringArray(s1->GetParameter(10)).At(0)).Join(' '), std::string("5 30"));
}

void GroupEditorsAETest::bypassOptions() {
  BypassOptionsDialog dialog(kFenu5, {"1", "0"});
  QCOMPARE(dialog.windowTitle(), QString("Edit Bypass Options"));
  QCOMPARE(dialog.list()->count(), 2);
  QCOMPARE(dialog.list()->item(1)->text(),
           QString::fromStdString(vocabulary::SystemName(kFenu5, 2)));
  QCOMPARE(dialog.list()->item(0)->checkState(), Qt::Checked);
  dialog.list()->item(0)->setCheckState(Qt::Unchecked);
  dialog.list()->item(1)->setCheckState(Qt::Checked);
  QCOMPARE(dialog.Entries(), (std::vector<std::string>{"0", "1"}));

  // Group A's button rebuilds its field from the window.
  Project p;
  GroupAEditor a(p.doc);
  OnModal<BypassOptionsDialog>([](BypassOptionsDialog* d) {
    d->list()->item(0)->setCheckState(Qt::Checked);
    d->accept();
  });
  a.EditBypassOptions();
  QCOMPARE(a.sysby()->text(), QString("1"));
}

QTEST_MAIN(GroupEditorsAETest)
#include "group_editors_ae_test.moc"
