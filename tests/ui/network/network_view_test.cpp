// The network view driven with real mouse and key events on its viewport.
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPrinter>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolButton>
#include <QtTest>

#include "model/scripted_platform.h"
#include "support/network_builder.h"
#include "support/ui_network_gestures.h"
#include "support/widget_dump.h"
#include "ui/network/icon_palette.h"
#include "ui/network/network_painting.h"
#include "ui/network/network_view.h"
#include "ui/shell/resize_window_dialog.h"

using namespace orvo;
using namespace orvo::ui;

namespace {

using Mode = InteractionMode;

struct Fixture {
  ScriptedPlatform platform;
  COrvoBuilderDoc doc{platform};
  COrvoBuilderView view{doc};
  Fixture() {
    view.resize(800, 600);
    view.show();
  }
  QWidget* port() { return view.viewport(); }
  void Click(QPoint at) { QTest::mouseClick(port(), Qt::LeftButton, Qt::NoModifier, at); }
  COrvoBuilderCntrItem* Last() { return doc.nodes().back().get(); }
};

QRect Rect(const COrvoBuilderCntrItem* node) {
  return NodeRect(*node);
}

}  // namespace

class NetworkViewTest : public QObject {
  Q_OBJECT

 private slots:
  void GestureScripts();
  void InflowOutflowAndConnectingAreDrawnWithArrows();
  void RightClickOnEmptySpaceLeavesTheTool();
  void ResizeWindowFindSegmentAndZoom();
  void DoubleClickCancelledAddsNoStep();
  void PrintsEmptyAndFilledNetworks();
  void WindowsShareTheirViewStateAndTheFileKeepsNone();
};

// Placing, dragging, resizing, rubber bands, Delete with its question, arrow keys, tethering,
// Escape in every mode, each with its undo steps and the selection surviving them
// (tests/data/ui/network/network_view/gestures.txt).
void NetworkViewTest::GestureScripts() {
  const QString file = QStringLiteral("ui/network/network_view/gestures.txt");
  const QByteArray actual = testing::NetworkGestures::Rerun(file);
  const QString first = testing::NetworkGestures::FirstDifference(file, actual);
  QVERIFY2(first.isEmpty(), qPrintable(first));
  ORVO_COMPARE_EXPECTED(file, actual);
}

// What the arrows join is in the gesture script; here they are drawn.
void NetworkViewTest::InflowOutflowAndConnectingAreDrawnWithArrows() {
  Fixture f;
  COrvoBuilderCntrItem* one = testing::AddSegmentWithLabel(f.doc, 100, 200);
  COrvoBuilderCntrItem* two = testing::AddSegmentWithLabel(f.doc, 300, 200);
  f.Click(QPoint(110, 210));
  f.view.OnAddInflow();
  COrvoBuilderCntrItem* inflow = f.Last();
  f.view.OnAddOutflow();
  COrvoBuilderCntrItem* outflow = f.Last();
  f.view.OnAddSegmentInterface();
  f.Click(QPoint(310, 210));
  COrvoBuilderCntrItem* link = f.Last();
  QCOMPARE(link->GetParameter(2) + ">" + link->GetParameter(3), std::string("1>2"));

  const QImage image = f.port()->grab().toImage();
  // The darkest pixel around the middle of the arrow between two nodes.
  const auto midpoint = [&image](const COrvoBuilderCntrItem* from, const COrvoBuilderCntrItem* to) {
    const auto arrow = ArrowBetween(Rect(from), Rect(to));
    const QPoint mid = (arrow->start + arrow->end) / 2;
    QRgb darkest = qRgb(255, 255, 255);
    for (int dx = -1; dx <= 1; ++dx) {
      for (int dy = -1; dy <= 1; ++dy) {
        const QRgb pixel = image.pixel(mid + QPoint(dx, dy));
        if (qGray(pixel) < qGray(darkest)) darkest = pixel;
      }
    }
    return QColor(darkest);
  };
  for (const auto& [from, to] : {std::pair{inflow, one}, {one, outflow}, {one, link}, {link, two}})
    QVERIFY(qGray(midpoint(from, to).rgb()) < 100);
  // Inflows and outflows are told apart by colour: blue in, orange out.
  QVERIFY(midpoint(inflow, one).blue() > midpoint(inflow, one).red() + 60);
  QVERIFY(midpoint(one, outflow).red() > midpoint(one, outflow).blue() + 60);
  // Outside the model there is only the short mark at the inflow's corner: straight above
  // the inflow is blank.
  QCOMPARE(qGray(image.pixel(108, 140)), 255);
}

void NetworkViewTest::RightClickOnEmptySpaceLeavesTheTool() {
  Fixture f;
  QVERIFY(f.view.state().palette_shown && f.view.palette()->isVisible());
  testing::AddSegmentWithLabel(f.doc, 100, 100);
  QTest::mouseClick(f.view.palette()->ButtonFor(InteractionMode::kPlaceSurface), Qt::LeftButton);
  QCOMPARE(f.view.state().interaction_mode, Mode::kPlaceSurface);
  QVERIFY(f.view.palette()->ButtonFor(InteractionMode::kPlaceSurface)->isChecked());
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(400, 400),
                          f.port()->mapToGlobal(QPoint(400, 400)));
  QApplication::sendEvent(f.port(), &event);
  QCOMPARE(f.view.state().interaction_mode, Mode::kSelect);
  QVERIFY(!f.view.palette()->ButtonFor(InteractionMode::kPlaceSurface)->isChecked());

  // The menus of a segment, of its label and of empty space
  // (tests/data/ui/network/network_view/context_menus.txt).
  QByteArray menus;
  std::unique_ptr<QMenu> menu;
  for (const QPoint at : {QPoint(110, 110), QPoint(130, 70), QPoint(600, 500)}) {
    menu.reset(f.view.CreateContextMenu(at));
    menus += "-- " + menu->title().toUtf8() + '\n' + testing::MenuDump(menu->actions());
  }
  ORVO_COMPARE_EXPECTED("ui/network/network_view/context_menus.txt", menus);
  menu->actions().first()->trigger();
  QVERIFY(f.view.state().anchor_lines);
}

void NetworkViewTest::ResizeWindowFindSegmentAndZoom() {
  Fixture f;
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<ResizeWindowDialog*>(QApplication::activeModalWidget());
    QVERIFY(dialog != nullptr);
    QCOMPARE(dialog->width_box()->value(), 10000);
    dialog->width_box()->setValue(4000);
    dialog->height_box()->setValue(3000);
    dialog->accept();
  });
  f.view.OnResizeWindow();
  QCOMPARE(f.doc.extent_width, 4000);
  QCOMPARE(f.doc.extent_height, 3000);
  f.view.SetWindowDimensions(0, 100);
  QCOMPARE(f.doc.extent_width, 4000);
  QVERIFY(f.doc.Undo());
  QCOMPARE(f.doc.extent_height, 500);

  testing::AddSegmentWithLabel(f.doc, 100, 100);
  COrvoBuilderCntrItem* far = testing::AddSegmentWithLabel(f.doc, 3000, 2000);
  QVERIFY(!f.view.FindSegment(7));
  QVERIFY(f.view.FindSegment(2));
  QCOMPARE(f.view.selected_node(), far);
  QVERIFY(f.port()->rect().contains(f.view.ToClient(QPoint(3016, 2016))));
  QVERIFY(f.view.verticalScrollBar()->value() > 0);
  QCOMPARE(f.view.ToClient(QPoint(3016, 2016)).x(), f.port()->width() / 2);

  // Zoom only maps the mouse: a click at twice the distance places at the same spot.
  f.view.ZoomIn();
  QVERIFY(f.view.zoom() > 1.0);
  f.view.ZoomFit();
  QVERIFY(f.view.zoom() < 1.0);
  f.view.SetInteractionMode(Mode::kPlaceLabel);
  const QPoint at = f.view.ToClient(QPoint(1500, 1000));
  f.Click(at);
  QVERIFY(f.Last()->is_label());
  QVERIFY(std::abs(f.Last()->left() - 1500) <= 2 && std::abs(f.Last()->top() - 1000) <= 2);
}

void NetworkViewTest::DoubleClickCancelledAddsNoStep() {
  Fixture f;
  testing::AddSegmentWithLabel(f.doc, 100, 100);
  bool shown = false;
  QTimer::singleShot(0, [&shown] {
    QWidget* dialog = QApplication::activeModalWidget();
    shown = dialog != nullptr;
    if (auto* modal = qobject_cast<QDialog*>(dialog)) modal->reject();
  });
  QTest::mouseDClick(f.port(), Qt::LeftButton, Qt::NoModifier, QPoint(110, 110));
  QVERIFY(shown);
  QVERIFY(!f.doc.CanUndo());
  QCOMPARE(f.view.selected_node(), f.doc.nodes()[0].get());
}

void NetworkViewTest::PrintsEmptyAndFilledNetworks() {
  Fixture f;
  QTemporaryDir dir;
  const auto print = [&f, &dir](const QString& name) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(name));
    f.view.Print(printer);
    return QFileInfo(dir.filePath(name)).size();
  };
  const qint64 empty = print("empty.pdf");
  testing::AddSegmentWithLabel(f.doc, 100, 100);
  QVERIFY(print("one.pdf") > empty);
  QVERIFY(!f.doc.CanUndo());
}

void NetworkViewTest::WindowsShareTheirViewStateAndTheFileKeepsNone() {
  ScriptedPlatform platform;
  COrvoBuilderDoc doc(platform);
  const auto state = std::make_shared<ProjectViewState>();
  COrvoBuilderView one(doc, state);
  COrvoBuilderView two(doc, state);
  testing::AddSegmentWithLabel(doc, 100, 100);
  const std::string bytes = doc.SaveToBytes();
  one.Select(doc.nodes()[1].get());
  one.OnSetFontAsDefault();
  one.OnToggleAnchorLines();
  one.OnDisplayPalette();
  one.SetInteractionMode(Mode::kPlaceLabel);
  QCOMPARE(two.state().interaction_mode, Mode::kPlaceLabel);
  QVERIFY(two.state().anchor_lines && two.state().palette_shown);
  QVERIFY(two.state().default_label_font.has_value());
  QVERIFY(!two.palette()->isHidden());
  QCOMPARE(doc.SaveToBytes(), bytes);
  // A window of its own keeps its own state.
  COrvoBuilderView alone(doc);
  QCOMPARE(alone.state().interaction_mode, Mode::kSelect);
  QVERIFY(!alone.state().anchor_lines);
}

QTEST_MAIN(NetworkViewTest)
#include "network_view_test.moc"
