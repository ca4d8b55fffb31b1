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
    QCOMPARE(p.one->GetParameter(9), std::string("250"));
    QCOMPARE(p.one->GetParameter(8), std::string("0.1"));
    std::vector<node_editing::ParameterPair> pairs;
    QVERIFY(node_editing::SplitParameterPairs(p.one->GetParameter(12), kVerda5, pairs));
    QCOMPARE(pairs[1].value, std::string("30"));
    QCOMPARE(pairs[0].value, std::string("0"));
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
    QCOMPARE(p.platform.messages.size(), size_t{1});
    QCOMPARE(p.platform.messages[0], std::string(node_editing::kBreakCountFixed));
    QCOMPARE(node_editing::SystemFunctionTexts(p.two->GetParameter(10), 2),
             (std::vector<std::string>{"3 0 4 5", "0 0 8 0"}));
  }

  void segmentIdTypedMovesTheDrawing() {
    Project p;
    p.platform.choices = {0};  // juxtapose
    OnModal<SegmentDialog>([](SegmentDialog* dialog) {
      Edit(dialog, "segmentId")->setText("2");
      dialog->accept();
    });
    QVERIFY(p.Run(*p.one));
    QCOMPARE(p.one->GetParameter(2), std::string("1"));
    QCOMPARE(p.one->left(), 200);
    QCOMPARE(p.two->left(), 0);
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
    QCOMPARE(p.platform.messages,
             std::vector<std::string>{"Error: field 2 doesn't have a time function 1"});
    QCOMPARE(p.exchange->GetParameter(4), std::string("0"));
    const std::vector<std::string> entries =
        node_editing::SplitExchangeEntries(p.exchange->GetParameter(7));
    QCOMPARE(entries.size(), size_t{1});
    QCOMPARE(node_editing::ExchangeEntryValue(entries[0], 0), std::string("1500"));
    QCOMPARE(node_editing::ExchangeEntryValue(entries[0], 1), std::string("20"));
    node_editing::PortionLists portions;
    QVERIFY(node_editing::SplitPortions(p.exchange->GetParameter(8), portions));
    QCOMPARE(portions[0], std::vector<std::string>{"0.5"});
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
    QCOMPARE(p.label->GetParameter(2), std::string("Caf\xE9 \x80"));
    QCOMPARE(p.label->GetParameter(3), std::string());
    QCOMPARE(p.label->label()->font, std::string("Sans Serif,12,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"));
    QVERIFY(p.doc.IsModified());
  }
};

QTEST_MAIN(NodeDialogsTest)
#include "node_dialogs_test.moc"
