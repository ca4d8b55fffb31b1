// Every dialog and group editor opened at its default size: no title, button, label, group
// or column header may be cut.
#include <QDialog>
#include <QRegularExpression>
#include <QtTest>
#include <functional>

#include "groups/time_function_editing.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "support/layout_check.h"
#include "support/modal_dialog.h"
#include "support/small_project.h"
#include "ui/editors/bypass_options_dialog.h"
#include "ui/editors/group_editors.h"
#include "ui/editors/time_function_editor.h"
#include "ui/network/network_legend.h"
#include "ui/network/network_view.h"
#include "ui/network/node_dialogs.h"
#include "ui/results/model_runs.h"
#include "ui/shell/about_dialog.h"
#include "ui/shell/resize_window_dialog.h"
#include "ui/validation/card_completion_matrix.h"
#include "ui/validation/valid_ranges_dialog.h"

using namespace orvo;
using namespace orvo::ui;

namespace {

QStringList found;

// Records what window cuts, under its title. With ORVO_GRAB_DIR set, each window is also
// saved there as a picture, to be looked at.
void Check(QWidget* window) {
  for (const QString& text : testing::CutTexts(window)) {
    found << window->windowTitle() + QStringLiteral(": ") + text;
  }
  const QString grabs = qEnvironmentVariable("ORVO_GRAB_DIR");
  if (!grabs.isEmpty()) {
    static int count = 0;
    QString name = window->windowTitle();
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]+")), QStringLiteral("_"));
    window->grab().save(QStringLiteral("%1/%2_%3.png").arg(grabs).arg(++count).arg(name));
  }
}

// Opens the modal dialog that run shows, checks it and closes it.
void CheckModal(const std::function<void()>& run,
                const std::function<void(QDialog*)>& inside = {}) {
  testing::OnModal<QDialog>([inside](QDialog* dialog) {
    Check(dialog);
    if (inside) inside(dialog);
  });
  run();
}

// Clicks a button of dialog that opens another modal dialog, and checks that one.
void CheckNested(QDialog* dialog, const char* button) {
  testing::OnModal<QDialog>([](QDialog* nested) { Check(nested); });
  testing::Click(dialog, button);
}

}  // namespace

class DialogLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void NothingIsCut() {
    ScriptedPlatform platform;
    COrvoBuilderDoc doc(platform);
    testing::BuildSmallProject(doc);
    doc.group_a.NOSYS = 6;
    for (const char group : QByteArray("ABCDEFGHIJ")) {
      CheckModal([&] { RunGroupEditor(group, doc, nullptr); });
    }
    for (const auto& node : doc.nodes()) {
      COrvoBuilderCntrItem* item = node.get();
      CheckModal(
          [item] { RunNodeDialog(nullptr, *item); },
          [item](QDialog* dialog) {
            if (item->is_segment()) {
              for (const char* button : {"editGroupC", "editGroupE", "editGroupF", "editGroupG"}) {
                CheckNested(dialog, button);
              }
            } else if (item->is_exchange()) {
              CheckNested(dialog, "editGroupB");
              CheckNested(dialog, "editGroupD");
            }
          });
    }
    for (int mode = 0; mode < time_function::kModeCount; ++mode) {
      TimeFunctionEditor editor(mode, {"1", "0", "2", "10"});
      editor.show();
      Check(&editor);
    }
    {
      BypassOptionsDialog dialog(kFenu5, {"0", "1"});
      dialog.show();
      Check(&dialog);
    }
    {
      CardCompletionMatrix* matrix = CardCompletionMatrix::ShowFor(doc, nullptr);
      Check(matrix);
      delete matrix;
    }
    {
      ValueRangeTable table;
      ValidRangesDialog dialog(table, platform);
      dialog.show();
      Check(&dialog);
    }
    for (QDialog* dialog : std::initializer_list<QDialog*>{
             new ResizeWindowDialog(10000, 500), new AboutDialog, new SimulationTypeDialog}) {
      dialog->show();
      Check(dialog);
      delete dialog;
    }
    {
      NetworkLegend legend;
      legend.setWindowTitle(QStringLiteral("Legend"));
      legend.resize(legend.sizeHint());
      legend.show();
      Check(&legend);
    }
    {
      COrvoBuilderView view(doc);
      view.setWindowTitle(QStringLiteral("Network"));
      view.resize(640, 360);
      view.show();
      COrvoBuilderCntrItem* inflow = doc.AddExchange(nullptr, doc.GetSegmentNode(1), kInflow);
      doc.AddExchange(doc.GetSegmentNode(2), nullptr, kOutflow);
      view.Select(inflow);
      view.SelectAll();
      view.Select(doc.GetSegmentNode(1));
      Check(&view);
    }
    if (!found.isEmpty()) qWarning().noquote() << found.join(QStringLiteral("\n"));
    QVERIFY2(found.isEmpty(), qPrintable(QString::number(found.size()) + " texts cut"));
  }
};

QTEST_MAIN(DialogLayoutTest)
#include "dialog_layout_test.moc"
