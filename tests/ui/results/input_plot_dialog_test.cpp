// The "View Input" plots on the example river: the items each card offers, the charts they
// make, and the dialog's "Plot".
#include "ui/results/input_plot_dialog.h"
#include "support/grid_typing.h"

#include <QComboBox>
#include <QPushButton>
#include <QtTest>

#include "model/scripted_platform.h"
#include "support/example_river.h"
#include "ui/results/graph_view.h"

using namespace orvo;
using namespace orvo::ui;

namespace {

std::vector<std::string> Labels(const std::vector<InputPlotItem>& items) {
  std::vector<std::string> labels;
  for (const InputPlotItem& item : items) labels.push_back(item.label);
  return labels;
}

}  // namespace

class InputPlotDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    document_ = std::make_unique<COrvoBuilderDoc>(platform_);
    orvo::testing::BuildExampleRiver(*document_);
  }

  void CardsOfferTheirFunctions() {
    using Strings = std::vector<std::string>;
    QCOMPARE(Labels(InputPlotItems(*document_, InputCard::kB)),
             Strings{"Surface water function 1"});
    QCOMPARE(Labels(InputPlotItems(*document_, InputCard::kD)), Strings{"Field 1 function 1"});
    QCOMPARE(InputPlotItems(*document_, InputCard::kC).size(), std::size_t{5});
    const auto boundaries = InputPlotItems(*document_, InputCard::kE);
    QVERIFY(!boundaries.empty());
    QVERIFY(boundaries[0].label.rfind("Segment 1, ", 0) == 0);

    // A flow function: value, time pairs drawn over time.
    const ChartDescription flow =
        BuildInputPlot(*document_, InputCard::kD, InputPlotItems(*document_, InputCard::kD)[0]);
    QCOMPARE(flow.graph_type, ChartDescription::kXYChart);
    QCOMPARE(flow.points(), 3);
    QCOMPARE(flow.x_positions, (std::vector<double>{0, 15, 30}));
    QCOMPARE(flow.values, (std::vector<double>{12.5, 9.5, 12.5}));
    QCOMPARE(flow.y_min, 0.0);
    QCOMPARE(flow.frame_texts[0].graph_title, std::string("Card D (Flows): Field 1 function 1"));

    // Card C: one point per segment, labelled with its ID.
    const ChartDescription volumes =
        BuildInputPlot(*document_, InputCard::kC, InputPlotItems(*document_, InputCard::kC)[0]);
    QCOMPARE(volumes.points(), 6);
    QCOMPARE(volumes.point_labels.front(), std::string("1"));
    QCOMPARE(volumes.Value(0, 0, 5), 800.0);  // a bed segment's BVOL
  }

  void PlotOpensTheChosenItem() {
    auto* dialog = new InputPlotDialog(*document_, InputCard::kD);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Card D (Flows)"));
    testing::Grab(dialog, QStringLiteral("input_plot"));
    QDialog* view = dialog->Plot();
    QVERIFY(view != nullptr);
    QCOMPARE(view->windowTitle(), QStringLiteral("Card D (Flows): Field 1 function 1"));
    testing::Grab(view, QStringLiteral("input_plot_chart"));
    view->close();
    dialog->close();

    document_->group_i.functions.fill("");
    auto* empty = new InputPlotDialog(*document_, InputCard::kI);
    QVERIFY(!empty->plot_button()->isEnabled());
    QVERIFY(empty->Plot() == nullptr);
    empty->close();
  }

 private:
  ScriptedPlatform platform_;
  std::unique_ptr<COrvoBuilderDoc> document_;
};

QTEST_MAIN(InputPlotDialogTest)
#include "input_plot_dialog_test.moc"
