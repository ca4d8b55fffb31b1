#include "ui/network/node_dialogs.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QTableWidget>
#include <QtTest>

#include "groups/node_editing.h"
#include "model/model_vocabulary.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "support/modal_dialog.h"
#include "support/network_builder.h"
#include "support/network_text.h"
#include "support/qt_golden.h"
#include "ui/editors/group_a_editor.h"
#include "ui/editors/node_group_editors.h"
#include "ui/editors/time_function_editor.h"
#include "ui/network/exchange_dialog.h"
#include "ui/network/label_dialog.h"
#include "ui/network/segment_dialog.h"

using namespace orvo;
using namespace orvo::ui;

namespace {

using testing::Click;
using testing::OnModal;

QLineEdit* Edit(QWidget* dialog, const char* name) {
  return dialog->findChild<QLineEdit*>(name);
}

// Two VERDA5 segments and one exchange between them, with one surface-water exchange
// function and one flow function in field 1.
struct Project {
  // Nodes numbered from 1 in every test, for the expected networks.
  struct Numbering {
    Numbering() { COrvoBuilderCntrItem::SetNodeNumberCounter(0); }
  } numbering;
  ScriptedPlatform platform;
  COrvoBuilderDoc doc{platform};
  COrvoBuilderCntrItem* one = nullptr;
  COrvoBuilderCntrItem* two = nullptr;
  COrvoBuilderCntrItem* exchange = nullptr;
  COrvoBuilderCntrItem* label = nullptr;

  Project() {
    doc.group_a.SIMTYP = kVerda5;
    doc.group_a.NOSYS = 2;
    doc.group_b.surface_functions = StringArray{"1 0"};
    doc.group_d.fields[0] = StringArray{"1.0", "1.0", "m^3/sec", "5 0"};
    one = testing::AddSegmentWithLabel(doc, 0, 100);
    two = testing::AddSegmentWithLabel(doc, 200, 100);
    exchange = doc.AddExchange(one, two, kInterface);
    label = testing::AddLabel(doc, "River");
    doc.SetModifiedFlag(false);
  }
  bool Run(COrvoBuilderCntrItem& node) {
    bool accepted = false;
    doc.EditProperties(node, [&accepted](COrvoBuilderCntrItem& edited) {
      accepted = RunNodeDialog(nullptr, edited);
      return accepted;
    });
    return accepted;
  }
  // What the user was told, then the network (support/network_text.h).
  QByteArray Outcome() const {
    std::string out;
    for (const std::string& message : platform.messages) out += message + "\n";
    return QByteArray::fromStdString(out + testing::NetworkText(doc));
  }
};

}  // namespace

class NodeDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void segmentGroupsCAndGOnOk() {
    Project p;
    OnModal<SegmentDialog>([](SegmentDialog* dialog) {
      OnModal<GroupCNodeEditor>([](GroupCNodeEditor* editor) {
        Edit(editor, "BVOL")->setText("2.50e2");
        Edit(editor, "VMULT")->setText("0.1");
        editor->accept();
      });
      Click(dialog, "editGroupC");
      OnModal<GroupGNodeEditor>([](GroupGNodeEditor* editor) {
        QCOMPARE(editor->grid()->rowCount(), 15);
        QCOMPARE(editor->grid()->item(1, 0)->text(), QString("SAL"));
        editor->grid()->item(1, 2)->setText("30.0");
        QCOMPARE(editor->grid()->item(1, 2)->text(), QString("30"));
        editor->accept();
      });
      Click(dialog, "editGroupG");
      dialog->accept();
    });
    QVERIFY(p.Run(*p.one));
    // BVOL 250 and VMULT 0.1 in parameters 9 and 8; SAL 30 in group G's pairs.
    ORVO_COMPARE_EXPECTED("ui/network/node_dialogs/segment_c_and_g.txt", p.Outcome());
    QVERIFY(p.doc.IsModified());
  }

  void segmentCancelLeavesTheProjectAsItWas() {
    Project p;
    const std::string before = p.doc.SaveToBytes();
    OnModal<SegmentDialog>([](SegmentDialog* dialog) {
      OnModal<SystemFunctionEditor>([](SystemFunctionEditor* editor) {
        editor->grid()->item(1, 1)->setText("1 0 2 10");
        editor->accept();
      });
      Click(dialog, "editGroupF");
      Edit(dialog, "segmentId")->setText("2");
      dialog->reject();
    });
    QVERIFY(!p.Run(*p.one));
    QCOMPARE(p.doc.SaveToBytes(), before);
    QVERIFY(!p.doc.IsModified());
  }

  // "abc" typed as a segment ID or a volume is refused with the field named, not stored as 0.
  void numberFieldsRefuseText() {
    Project p;
    const std::string before = p.doc.SaveToBytes();
    QStringList messages;
    const auto answer = [&messages] {
      OnModal<QMessageBox>([&messages](QMessageBox* box) { messages << box->text(); });
    };
    OnModal<SegmentDialog>([&](SegmentDialog* dialog) {
      OnModal<GroupCNodeEditor>([&](GroupCNodeEditor* editor) {
        Edit(editor, "BVOL")->setText("abc");
        answer();
        editor->accept();
        QVERIFY(editor->isVisible());
        editor->reject();
      });
      Click(dialog, "editGroupC");
      Edit(dialog, "segmentId")->setText("abc");
      QVERIFY(!Edit(dialog, "segmentId")->hasAcceptableInput());
      answer();
      dialog->accept();
      QVERIFY(dialog->isVisible());
      dialog->reject();
    });
    QVERIFY(!p.Run(*p.one));
    QCOMPARE(messages,
             (QStringList{QString::fromUtf8("\u201CVolume (BVOL)\u201D must be a number."),
                          QString::fromUtf8("\u201CSegment ID\u201D must be a whole "
                                            "number.")}));
    QCOMPARE(p.doc.SaveToBytes(), before);
  }

  // Without systems there is nothing to edit per segment: the dialog says what to set up and
  // opens group A's editor.
  void missingSystemsOfferTheGlobalEditor() {
    Project p;
    p.doc.group_a.NOSYS = 0;
    QString said, opened;
    OnModal<SegmentDialog>([&](SegmentDialog* dialog) {
      OnModal<QMessageBox>([&](QMessageBox* box) {
        said = box->text();
        OnModal<GroupAEditor>([&opened](GroupAEditor* editor) {
          opened = editor->windowTitle();
          editor->reject();
        });
        Click(box, "openGlobalEditor");
      });
      Click(dialog, "editGroupE");
      dialog->reject();
    });
    p.Run(*p.one);
    QVERIFY(said.contains(QStringLiteral("Group A")));
    QCOMPARE(opened, QStringLiteral("Edit Group A Global Parameters (Model Identification)"));
  }

  void segmentBoundaryKeepsTheBreakCount() {
    Project p;
    p.one->SetParameter(10, node_editing::SystemRecordText({"1 0 2 5", "6 0 7 5"}));
    OnModal<SegmentDialog>([](SegmentDialog* dialog) {
      OnModal<SystemFunctionEditor>([](SystemFunctionEditor* editor) {
        editor->grid()->item(0, 1)->setText("7 0");  // one break where the system has two
        QCOMPARE(editor->grid()->item(0, 1)->text(), QString());
        editor->grid()->item(0, 1)->setText("3,0, 4.0 5");
        // An empty function opens in the time-function editor with its two (0, 0) breaks.
        OnModal<TimeFunctionEditor>([](TimeFunctionEditor* functions) {
          QCOMPARE(functions->Entries(), (std::vector<std::string>{"0", "0", "0", "0"}));
          functions->grid()->item(1, 0)->setText("8");
          functions->accept();
        });
        editor->grid()->selectRow(1);
        editor->EditTimeFunction();
        editor->accept();
      });
      Click(dialog, "editGroupE");
      dialog->accept();
    });
    QVERIFY(p.Run(*p.two));
    // The break count fixed, said once; functions "3 0 4 5" and "0 0 8 0".
    ORVO_COMPARE_EXPECTED("ui/network/node_dialogs/segment_boundary.txt", p.Outcome());
  }

  void segmentIdTypedMovesTheDrawing() {
    Project p;
    p.platform.choices = {0};  // juxtapose
    OnModal<SegmentDialog>([](SegmentDialog* dialog) {
      Edit(dialog, "segmentId")->setText("2");
      dialog->accept();
    });
    QVERIFY(p.Run(*p.one));
    // Segment 1 keeps its ID and takes segment 2's place, which goes to segment 1's.
    ORVO_COMPARE_EXPECTED("ui/network/node_dialogs/segment_id_typed.txt", p.Outcome());
  }

  void segmentCorruptGroupGIsReported() {
    Project p;
    p.one->SetParameter(12, "_StringArrayCookie_0_VELFN|!|1|!|SAL");
    const std::string before = p.one->GetParameter(12);
    OnModal<SegmentDialog>([&p](SegmentDialog* dialog) {
      Click(dialog, "editGroupG");  // no editor opens
      QCOMPARE(
          p.platform.messages,
          std::vector<std::string>{"Unable to set group G parameters; array string is corrupt."});
      dialog->accept();
    });
    QVERIFY(p.Run(*p.one));
    QCOMPARE(p.one->GetParameter(12), before);
  }

  void exchangeGroupsBAndD() {
    Project p;
    OnModal<ExchangeDialog>([](ExchangeDialog* dialog) {
      OnModal<GroupBNodeEditor>([](GroupBNodeEditor* editor) {
        QCOMPARE(editor->grid()->rowCount(), 0);  // "No exchange data here"
        Click(editor, "exchangeType0");
        QCOMPARE(editor->grid()->rowCount(), 1);
        QCOMPARE(editor->grid()->item(0, 1)->text(), QString("0.0"));
        editor->grid()->item(0, 1)->setText("1.5e3");
        editor->grid()->item(0, 2)->setText("20");
        editor->accept();
      });
      Click(dialog, "editGroupB");
      OnModal<GroupDNodeEditor>([](GroupDNodeEditor* editor) {
        QCOMPARE(editor->grid()->columnCount(), 2);
        QCOMPARE(editor->grid()->item(0, 1)->text(), QString("0"));
        editor->grid()->item(0, 1)->setText("0.50");
        QCOMPARE(editor->grid()->item(0, 1)->text(), QString("0.5"));
        editor->grid()->setItem(1, 1, new QTableWidgetItem("1"));
        QCOMPARE(editor->grid()->item(1, 1)->text(), QString());
        editor->accept();
      });
      Click(dialog, "editGroupD");
      dialog->accept();
    });
    QVERIFY(p.Run(*p.exchange));
    // Field 2's function refused; one exchange entry 1500 and 20; field 1's portion 0.5.
    ORVO_COMPARE_EXPECTED("ui/network/node_dialogs/exchange_b_and_d.txt", p.Outcome());
  }

  void exchangeEndsAreCheckedAndCancelChangesNothing() {
    Project p;
    const std::string before = p.doc.SaveToBytes();
    OnModal<ExchangeDialog>([&p](ExchangeDialog* dialog) {
      Edit(dialog, "upstream")->setText("3");
      dialog->accept();  // refused: there are two segments
      QVERIFY(dialog->isVisible());
      QCOMPARE(p.platform.messages.size(), size_t{1});
      OnModal<GroupBNodeEditor>([](GroupBNodeEditor* editor) {
        Click(editor, "exchangeType1");
        editor->accept();
      });
      Click(dialog, "editGroupB");
      dialog->reject();
    });
    QVERIFY(!p.Run(*p.exchange));
    QCOMPARE(p.doc.SaveToBytes(), before);
  }

  void labelTextBorderAndFont() {
    Project p;
    OnModal<LabelDialog>([&p](LabelDialog* dialog) {
      Edit(dialog, "labelText")->setText(QString::fromUtf8("日本"));
      dialog->accept();  // refused: not storable
      QVERIFY(dialog->isVisible());
      QCOMPARE(p.platform.messages.size(), size_t{1});
      Edit(dialog, "labelText")->setText(QString::fromUtf8("Café €"));
      dialog->findChild<QCheckBox*>("drawBorder")->setChecked(false);
      dialog->SetFont("Sans Serif,12,-1,5,400,0,0,0,0,0,0,0,0,0,0,1");
      dialog->accept();
    });
    QVERIFY(p.Run(*p.label));
    // The text in the project's code page, no border.
    ORVO_COMPARE_EXPECTED("ui/network/node_dialogs/label.txt", p.Outcome());
    QCOMPARE(p.label->label()->font, std::string("Sans Serif,12,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"));
    QVERIFY(p.doc.IsModified());
  }
};

QTEST_MAIN(NodeDialogsTest)
#include "node_dialogs_test.moc"
