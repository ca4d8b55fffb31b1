// The global editors of groups F to J and the project-parameters window, driven as a user
// would: cells typed, buttons clicked, OK or Cancel.
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "groups/group_editing.h"
#include "groups/time_function_editing.h"
#include "model/model_vocabulary.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "support/modal_dialog.h"
#include "support/network_builder.h"
#include "ui/editors/group_editors.h"
#include "ui/editors/project_parameters_window.h"
#include "ui/editors/time_function_editor.h"
#include "ui/widgets/grid_widget.h"

using namespace orvo;
using namespace orvo::ui;

namespace {

using testing::Click;
using testing::OnModal;

void Ok(QDialog* dialog) {
  dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

GridWidget* Grid(QWidget* dialog, const char* name) {
  return dialog->findChild<GridWidget*>(name);
}

// A FENU5 project with two systems and three segments.
struct Project {
  ScriptedPlatform platform;
  COrvoBuilderDoc doc{platform};
  Project() {
    doc.group_a.SIMTYP = kFenu5;
    doc.group_a.NOSYS = 2;
    doc.group_j.ApplyDefaults(2, 0, kFenu5);
    for (int i = 0; i < 3; ++i) testing::AddSegmentWithLabel(doc, 100 * i, 100);
    doc.SetModifiedFlag(false);
  }
};

}  // namespace

class GroupEditorsFjTest : public QObject {
  Q_OBJECT

 private slots:
  void cancelChangesNothing() {
    for (char group : {'F', 'G', 'H', 'I', 'J'}) {
      Project p;
      const std::string before = p.doc.SaveToBytes();
      OnModal<QDialog>([](QDialog* dialog) {
        if (GridWidget* grid = dialog->findChildren<GridWidget*>().value(0))
          grid->EditCell(1, 1, "7");
        dialog->reject();
      });
      QVERIFY(!RunGroupEditor(group, p.doc, nullptr));
      QCOMPARE(p.doc.SaveToBytes(), before);
      QVERIFY(!p.doc.IsModified());
    }
    Project p;
    QVERIFY(!RunGroupEditor('K', p.doc, nullptr));
  }

  void groupFFactorsLoadsAndFile() {
    Project p;
    p.platform.files = {std::string("/data/nonpoint.dat")};
    OnModal<QDialog>([](QDialog* dialog) {
      QCOMPARE(dialog->windowTitle(), QString("Edit Group F Global Parameters (Waste Loads)"));
      GridWidget* systems = Grid(dialog, "systemGrid");
      QCOMPARE(systems->rowCount(), 3);
      QCOMPARE(systems->CellText(2, 0), QString("Solid 1"));
      QVERIFY(systems->EditCell(1, 1, "2.50"));
      QCOMPARE(systems->CellText(1, 1), QString("2.5"));
      QCOMPARE(systems->CellText(1, 3), QString("kg/day"));  // the slot's defaults
      GridWidget* loads = Grid(dialog, "loadGrid");
      QCOMPARE(loads->rowCount(), 4);
      QVERIFY(loads->EditCell(2, 1, "1, 0\t2 10"));
      QCOMPARE(loads->CellText(2, 1), QString("1 0 2 10"));
      // The time-function editor takes over the selected row's function.
      loads->selectRow(3);
      OnModal<TimeFunctionEditor>([](TimeFunctionEditor* editor) {
        QCOMPARE(editor->mode(), int(time_function::kPointSource));
        editor->NewInterval();
        editor->accept();
      });
      Click(dialog, "editTimeFunction");
      QCOMPARE(loads->CellText(3, 1), QString("0 0"));
      Click(dialog, "fileButton");
      QCOMPARE(dialog->findChild<QLineEdit*>("nonpointFile")->text(),
               QString("/data/nonpoint.dat"));
      Ok(dialog);
    });
    QVERIFY(RunGroupEditor('F', p.doc, nullptr));
    QCOMPARE(p.doc.group_f.Entry(0, GroupFDlg::kScalw), std::string("2.5"));
    QCOMPARE(p.doc.group_f.nonpoint_file, std::string("/data/nonpoint.dat"));
    const StringArray loads(p.doc.GetSegmentNode(2)->GetParameter(11));
    QCOMPARE(StringArray(loads.At(0)).Join(' '), std::string("1 0 2 10"));
    QCOMPARE(p.doc.group_f.LookupLoad(0, 1), 0);
    QCOMPARE(StringArray(StringArray(p.doc.GetSegmentNode(3)->GetParameter(11)).At(0)).Join(' '),
             std::string("0 0"));
    QVERIFY(p.doc.IsModified());
    p.doc.Undo();
    QVERIFY(p.doc.group_f.SlotEmpty(0));
  }

  // The cell rules are the core's (group_editing_test); here the grids and buttons reach them.
  void groupGNamesValuesAndDefaults() {
    Project p;
    OnModal<QDialog>([](QDialog* dialog) {
      GridWidget* grid = Grid(dialog, "parameterGrid");
      QCOMPARE(grid->rowCount(), 19);  // 18 FENU5 parameters
      QCOMPARE(dialog->findChild<QPlainTextEdit*>("description")->toPlainText(),
               QString("Pointer to water velocity time function (1-4); V."));
      QString refusal;
      grid->SetMessageHandler([&refusal](const QString& message) { refusal = message; });
      QVERIFY(!grid->EditCell(1, 1, QString::fromUtf8("\u6f22")));  // not storable in a project
      QVERIFY(!refusal.isEmpty());
      QVERIFY(grid->EditCell(1, 1, "LONGNAME"));
      QVERIFY(grid->EditCell(2, 2, "3.0"));
      grid->setCurrentCell(2, 1);
      QCOMPARE(dialog->findChild<QPlainTextEdit*>("description")->toPlainText(),
               QString("Pointer to normalized temperature time function (1-4); ALL."));
      Click(dialog, "defaultNames");
      QCOMPARE(grid->CellText(1, 1), QString("VELFN"));
      dialog->findChild<QLineEdit*>("title")->setText("Parameters");
      Ok(dialog);
    });
    QVERIFY(RunGroupEditor('G', p.doc, nullptr));
    QCOMPARE(p.doc.group_g.names[0], std::string("VELFN"));
    QCOMPARE(p.doc.group_g.values[1], 3.0);
    QCOMPARE(p.doc.group_g.title, std::string("Parameters"));
  }

  void groupHSelectionMessagesAndEdits() {
    Project p;
    OnModal<QDialog>([&p](QDialog* dialog) {
      GridWidget* blocks = Grid(dialog, "systemGrid");
      GridWidget* fields = Grid(dialog, "fieldGrid");
      GridWidget* constants = Grid(dialog, "constantGrid");
      QCOMPARE(blocks->rowCount(), 4);  // header, Globals, two systems
      Click(dialog, "newField");
      QCOMPARE(p.platform.messages,
               std::vector<std::string>{"Please select a system to add the new field under."});
      QVERIFY(blocks->EditCell(1, 0, "Globals"));
      blocks->selectRow(1);
      QCOMPARE(dialog->findChild<QLabel*>("fieldHeading")->text(),
               QString("Fields for system Globals:"));
      Click(dialog, "newField");
      QVERIFY(constants->EditCell(1, 1, "4"));
      QVERIFY(constants->EditCell(1, 2, "0.50"));
      QVERIFY(fields->EditCell(1, 0, "Kinetics"));
      fields->selectRow(1);
      QCOMPARE(dialog->findChild<QLabel*>("constantHeading")->text(),
               QString("Constants for field Kinetics:"));
      Click(dialog, "newConstant");
      constants->selectRow(2);
      Click(dialog, "deleteConstant");
      QCOMPARE(constants->rowCount(), 2);
      Ok(dialog);
    });
    QVERIFY(RunGroupEditor('H', p.doc, nullptr));
    QCOMPARE(editing::FieldNames(p.doc.group_h, 0), std::vector<std::string>{"Kinetics"});
    const auto constants = editing::Constants(p.doc.group_h, 0, 0);
    QCOMPARE(constants.size(), size_t(1));
    QCOMPARE(constants[0][2], std::string("0.5"));
  }

  void groupIFunctionsAndNames() {
    Project p;
    OnModal<QDialog>([](QDialog* dialog) {
      GridWidget* grid = Grid(dialog, "functionGrid");
      QCOMPARE(grid->rowCount(), 1 + vocabulary::TimeFunctionCount(kFenu5));
      QVERIFY(grid->EditCell(1, 1, "AVERYLONGNAME"));
      QCOMPARE(grid->CellText(1, 1), QString("AVERYLONGN"));
      QVERIFY(grid->EditCell(1, 2, "1,0 2.50 10"));
      QCOMPARE(grid->CellText(1, 2), QString("1 0 2.5 10"));
      grid->selectRow(2);
      OnModal<TimeFunctionEditor>([](TimeFunctionEditor* editor) {
        QCOMPARE(editor->mode(), int(time_function::kKineticFunction));
        editor->NewInterval();
        editor->accept();
      });
      Click(dialog, "editTimeFunctions");
      QCOMPARE(grid->CellText(2, 2), QString("0 0"));
      Ok(dialog);
    });
    QVERIFY(RunGroupEditor('I', p.doc, nullptr));
    QCOMPARE(p.doc.group_i.names[0], std::string("AVERYLONGN"));
    QCOMPARE(p.doc.group_i.functions[0], std::string("1 0 2.5 10"));
    QCOMPARE(p.doc.group_i.functions[1], std::string("0 0"));
  }

  void groupJClampsCutsAndRanges() {
    Project p;
    p.doc.value_ranges.c_min = "1";
    OnModal<QDialog>([&p](QDialog* dialog) {
      GridWidget* systems = Grid(dialog, "systemGrid");
      QCOMPARE(systems->CellText(1, 1), QString("Chemical 1"));
      QVERIFY(systems->EditCell(1, 2, "1"));
      QCOMPARE(systems->CellText(1, 2), QString("3"));
      QVERIFY(systems->EditCell(2, 1, "Sand"));
      systems->setCurrentCell(2, 1);
      QCOMPARE(dialog->findChild<QLineEdit*>("systemName")->text(), QString("Sand"));
      GridWidget* segments = Grid(dialog, "segmentGrid");
      QCOMPARE(segments->rowCount(), 4);
      QVERIFY(segments->EditCell(1, 1, "UPSTREAM"));
      // Below the minimum: kept only when the user says so.
      p.platform.answers = {false, true};
      QVERIFY(!segments->EditCell(2, 2, "0.5"));
      QCOMPARE(segments->CellText(2, 2), QString("0.0"));
      QVERIFY(segments->EditCell(2, 2, "0.50"));
      QCOMPARE(p.platform.messages.size(), size_t(2));
      Click(dialog, "defaultNames");
      QCOMPARE(systems->CellText(2, 1), QString("Solid 1"));
      Ok(dialog);
    });
    QVERIFY(RunGroupEditor('J', p.doc, nullptr));
    QCOMPARE(p.doc.group_j.Entry(0, GroupJDlg::kIfield), std::string("3"));
    QCOMPARE(p.doc.group_j.Entry(1, GroupJDlg::kCheml), std::string("Solid 1"));
    QCOMPARE(p.doc.group_j.Row(1, 0).At(0), std::string("UPSTR"));
    QCOMPARE(p.doc.group_j.Row(1, 1).At(1), std::string("0.5"));
  }

  void projectParametersWindow() {
    Project p;
    ProjectParametersWindow* window = ProjectParametersWindow::ShowFor(p.doc, nullptr);
    QCOMPARE(ProjectParametersWindow::ShowFor(p.doc, nullptr), window);
    QVERIFY(!window->isModal());
    QCOMPARE(window->windowTitle(), QString("Edit Project Parameters"));
    QCOMPARE(window->GroupButton('F')->text(), QString("Group F (WasteLoads)"));
    QCOMPARE(window->GroupButton('J')->text(), QString("Group J (Initial Conc.)"));
    std::string accepted;
    window->SetAcceptedHook([&accepted](char group) { accepted += group; });
    OnModal<QDialog>([](QDialog* dialog) { dialog->reject(); });
    window->GroupButton('G')->click();
    OnModal<QDialog>([](QDialog* dialog) { Ok(dialog); });
    window->GroupButton('I')->click();
    QCOMPARE(accepted, std::string("I"));
    Click(window, "ok");
    QVERIFY(!window->isVisible());
    QCOMPARE(ProjectParametersWindow::ShowFor(p.doc, nullptr), window);
    ProjectParametersWindow::CloseFor(p.doc);
    QVERIFY(ProjectParametersWindow::Find(p.doc) == nullptr);
  }
};

QTEST_MAIN(GroupEditorsFjTest)
#include "group_editors_fj_test.moc"
