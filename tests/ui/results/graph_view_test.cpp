// Chart windows: drawing a description (gaps for missing points, limits, legends), frames by
// click and by the "Graph Control" dialog, pictures of the asked size, and the input plots.
#include "ui/results/graph_view.h"

#include <QChart>
#include <QChartView>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QTemporaryDir>
#include <QValueAxis>
#include <QtTest>

#include "model/scripted_platform.h"
#include "results/output_charts.h"
#include "support/example_river.h"
#include "support/grid_typing.h"
#include "support/qt_golden.h"
#include "ui/results/input_plot_dialog.h"
#include "ui/results/output_graphs.h"

using namespace orvo;
using namespace orvo::ui;

namespace {

// Two series over x = 0, 1, 2, 3; the first misses its point at x = 2.
ChartDescription TwoLines() {
  ChartDescription chart;
  chart.graph_type = ChartDescription::kXYChart;
  chart.Resize(1, 2, 4, true);
  for (int s = 0; s < 2; ++s) {
    for (int p = 0; p < 4; ++p) {
      chart.x_positions[chart.Index(0, s, p)] = p;
      chart.SetValue(0, s, p, 5 + s * 3 + p);
    }
  }
  chart.SetMissing(0, 0, 2);
  chart.legend_texts = {"Segment 1", "Segment 2"};
  chart.frame_texts[0] = {"river", "Period", "Variable DO", ""};
  return chart;
}

// Three frames titled "run 0" to "run 2", each one series of two labelled points.
ChartDescription ThreeFrames() {
  ChartDescription chart;
  chart.Resize(3, 1, 2, false);
  chart.point_labels = {"1", "2"};
  chart.legend_texts = {"Period 0"};
  for (int f = 0; f < 3; ++f) {
    chart.frame_texts[f] = {"run " + std::to_string(f), "Segment #", "Variable DO", ""};
    chart.SetValue(f, 0, 0, f);
    chart.SetValue(f, 0, 1, f + 1);
  }
  return chart;
}

}  // namespace

class GraphViewTest : public QObject {
  Q_OBJECT

 private slots:
  void DrawsMissingPointsAsGaps() {
    auto* view = new GraphView(TwoLines());
    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view));
    QCOMPARE(view->windowTitle(), QStringLiteral("river"));
    QCOMPARE(view->size(), QSize(800, 600));
    // Series 1 breaks into two lines at its missing point; only one legend entry each.
    const QList<QAbstractSeries*> lines = view->chart()->series();
    QCOMPARE(lines.size(), 3);
    QCOMPARE(static_cast<QLineSeries*>(lines[0])->points(),
             QList<QPointF>({QPointF(0, 5), QPointF(1, 6)}));
    QCOMPARE(static_cast<QLineSeries*>(lines[1])->points(), QList<QPointF>({QPointF(3, 8)}));
    int shown_markers = 0;
    for (QLegendMarker* marker : view->chart()->legend()->markers()) {
      shown_markers += marker->isVisible();
    }
    QCOMPARE(shown_markers, 2);
    auto* y_axis = qobject_cast<QValueAxis*>(view->chart()->axes(Qt::Vertical).first());
    QCOMPARE(y_axis->min(), 0.0);  // all values positive
    QCOMPARE(y_axis->max(), 11.0);
    testing::Grab(view, QStringLiteral("graph_view"));

    QTemporaryDir dir;
    QString error;
    QVERIFY(view->SaveCsv(dir.filePath("a.csv"), error));
    QFile csv(dir.filePath("a.csv"));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    ORVO_COMPARE_EXPECTED("ui/results/graph_view/two_lines.csv", csv.readAll());
    QVERIFY(view->SaveImage(dir.filePath("window.png"), error));
    QCOMPARE(QImage(dir.filePath("window.png")).size(), view->chart_view()->size());
    QVERIFY(!view->SaveImage(dir.filePath("window.bmp"), error));
    view->close();
  }

  void AClickOnEmptySpaceAdvancesAFrameAndWraps() {
    QPointer<GraphView> view = new GraphView(ThreeFrames());
    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view));
    QCOMPARE(view->windowTitle(), QStringLiteral("run 0"));
    // The top left corner of the plot is far from the rising line.
    const QPoint empty = view->chart()->plotArea().topLeft().toPoint() + QPoint(10, 10);
    QTest::mouseClick(view->chart_view()->viewport(), Qt::LeftButton, {}, empty);
    QTRY_COMPARE(view->frame(), 1);
    QCOMPARE(view->windowTitle(), QStringLiteral("run 1"));
    view->AdvanceFrame();
    view->AdvanceFrame();
    QCOMPARE(view->frame(), 0);
    // A double click resets the zoom and shows no other frame.
    view->chart()->zoomIn();
    QTest::mouseDClick(view->chart_view()->viewport(), Qt::LeftButton, {}, empty);
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    QCOMPARE(view->frame(), 0);
    QVERIFY(!view->chart()->isZoomed());
    view->close();
  }

  void GraphControlPlaysAdvancesAndCancels() {
    std::vector<ChartDescription> charts = {ThreeFrames(), ThreeFrames()};
    QPointer<GraphControl> control = OpenGraphs(nullptr, charts);
    QVERIFY(QTest::qWaitForWindowExposed(control));
    QCOMPARE(control->windowTitle(), QStringLiteral("Graph Control"));
    QCOMPARE(control->interval_field()->text(), QStringLiteral("1000"));
    testing::Grab(control, QStringLiteral("graph_control"));
    const QList<GraphView*> views = control->Views();
    QCOMPARE(views.size(), 2);

    QTest::mouseClick(control->advance_button(), Qt::LeftButton);
    QCOMPARE(views[0]->frame(), 1);
    QCOMPARE(views[1]->frame(), 1);

    control->interval_field()->setText(QStringLiteral("20"));
    QTest::mouseClick(control->play_button(), Qt::LeftButton);
    QCOMPARE(views[0]->frame(), 0);  // from the first frame
    QTRY_VERIFY(!control->Playing());
    QCOMPARE(views[0]->frame(), 2);  // the last frame stays
    QTest::mouseClick(control->advance_button(), Qt::LeftButton);
    QCOMPARE(views[1]->frame(), 0);  // wraps

    QPointer<GraphView> first = views[0], second = views[1];
    QTest::mouseClick(control->cancel_button(), Qt::LeftButton);
    QTRY_VERIFY(!control && !first && !second);
  }

  void OutputGraphsOpenOneWindowPerVariable() {
    OutputViewerText viewer;
    OrvoOutputData run("/runs/lake");
    run.number_of_segments = 2;
    run.model_times = {0, 1};
    run.model_variables = {{"DO", "mg/L", {{1, 2}, {3, 4}}}, {"BOD", "mg/L", {{5, 6}, {7, 8}}}};
    viewer.runs = {run};
    viewer.labels = {"Base"};
    QPointer<GraphControl> control = OpenOutputGraphs(
        nullptr, viewer, {kModelResults, {0}, {0, 1}, {0, 1}}, GraphType::kSegmentVsTime);
    QVERIFY(control);
    const QList<GraphView*> views = control->Views();
    QCOMPARE(views.size(), 2);
    QCOMPARE(views[1]->description().frame_texts[0].left_title, std::string("Variable BOD"));
    QCOMPARE(views[1]->windowTitle(), QStringLiteral("/runs/lake"));
    control->Cancel();
    QTRY_VERIFY(!control);
  }

  void PicturesHaveTheAskedSize() {
    QTemporaryDir dir;
    QString error;
    QVERIFY2(ExportChartImage(TwoLines(), dir.filePath("c.png"), {640, 480}, error),
             qPrintable(error));
    QCOMPARE(QImage(dir.filePath("c.png")).size(), QSize(640, 480));
    QVERIFY(ExportChartImage(TwoLines(), dir.filePath("c.svg"), {640, 480}, error));
    QFile svg(dir.filePath("c.svg"));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    const QByteArray drawing = svg.readAll();
    QVERIFY(drawing.contains("width=\"") && drawing.contains("viewBox=\"0 0 640 480\""));
    QVERIFY(ExportChartImage(TwoLines(), dir.filePath("c.pdf"), {640, 480}, error));
    QFile pdf(dir.filePath("c.pdf"));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QRegularExpression page(QStringLiteral("/MediaBox \\[0 0 640(\\.0*)? 480(\\.0*)?\\]"));
    QVERIFY(page.match(QString::fromLatin1(pdf.readAll())).hasMatch());
    QVERIFY(!ExportChartImage(TwoLines(), dir.filePath("c.png"), {0, 480}, error));
    QVERIFY(!ExportChartImage(TwoLines(), dir.filePath("no/dir/c.png"), {64, 48}, error));
  }

  // The "View Input" plots on the example river: the items each card offers, the charts
  // they make, and the dialog's "Plot".
  void InputCardsOfferTheirFunctions() {
    ScriptedPlatform platform;
    COrvoBuilderDoc river(platform);
    testing::BuildExampleRiver(river);
    using Strings = std::vector<std::string>;
    const auto Labels = [](const std::vector<InputPlotItem>& items) {
      Strings labels;
      for (const InputPlotItem& item : items) labels.push_back(item.label);
      return labels;
    };
    QCOMPARE(Labels(InputPlotItems(river, InputCard::kB)), Strings{"Surface water function 1"});
    QCOMPARE(Labels(InputPlotItems(river, InputCard::kD)), Strings{"Field 1 function 1"});
    QCOMPARE(InputPlotItems(river, InputCard::kC).size(), std::size_t{5});
    const auto boundaries = InputPlotItems(river, InputCard::kE);
    QVERIFY(!boundaries.empty());
    QVERIFY(boundaries[0].label.rfind("Segment 1, ", 0) == 0);

    // A flow function: value, time pairs drawn over time.
    const ChartDescription flow =
        BuildInputPlot(river, InputCard::kD, InputPlotItems(river, InputCard::kD)[0]);
    QCOMPARE(flow.graph_type, ChartDescription::kXYChart);
    QCOMPARE(flow.points(), 3);
    QCOMPARE(flow.x_positions, (std::vector<double>{0, 15, 30}));
    QCOMPARE(flow.values, (std::vector<double>{12.5, 9.5, 12.5}));
    QCOMPARE(flow.y_min, 0.0);
    QCOMPARE(flow.frame_texts[0].graph_title, std::string("Card D (Flows): Field 1 function 1"));

    // Card C: one point per segment, labelled with its ID.
    const ChartDescription volumes =
        BuildInputPlot(river, InputCard::kC, InputPlotItems(river, InputCard::kC)[0]);
    QCOMPARE(volumes.points(), 6);
    QCOMPARE(volumes.point_labels.front(), std::string("1"));
    QCOMPARE(volumes.Value(0, 0, 5), 800.0);  // a bed segment's BVOL
  }

  void InputPlotOpensTheChosenItem() {
    ScriptedPlatform platform;
    COrvoBuilderDoc river(platform);
    testing::BuildExampleRiver(river);
    auto* dialog = new InputPlotDialog(river, InputCard::kD);
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

    river.group_i.functions.fill("");
    auto* empty = new InputPlotDialog(river, InputCard::kI);
    QVERIFY(!empty->plot_button()->isEnabled());
    QVERIFY(empty->Plot() == nullptr);
    empty->close();
  }
};

QTEST_MAIN(GraphViewTest)
#include "graph_view_test.moc"
