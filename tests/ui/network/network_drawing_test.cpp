// What the spatial index and the simplified drawing must not change: an area painted through
// the index shows what painting everything shows there; zoomed far out every segment still
// leaves its colour; the SVG picture uses one definition per picture and looks like the PNG.
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QtTest>

#include "model/scripted_platform.h"
#include "support/example_river.h"
#include "support/network_builder.h"
#include "ui/network/network_painting.h"
#include "ui/network/network_picture.h"

using namespace orvo;
using namespace orvo::ui;

namespace {

// Rows of ten segments with labels, each joined to the next; every third with a bottom link.
void BuildGrid(COrvoBuilderDoc& doc, int segments) {
  COrvoBuilderCntrItem* previous = nullptr;
  for (int i = 0; i < segments; ++i) {
    COrvoBuilderCntrItem* segment =
        testing::AddSegmentWithLabel(doc, 40 + (i % 10) * 90, 60 + (i / 10) * 110, i % 4);
    doc.AddExchange(previous, segment, previous ? kInterface : kInflow);
    if (i % 3 == 2) segment->SetParameter(4, previous->GetParameter(2));
    previous = segment;
  }
  doc.AddExchange(previous, nullptr, kOutflow);
}

// The screen drawing of area (document units) at zoom, as the view paints it.
QImage PaintArea(NetworkPainter& painter, const COrvoBuilderDoc& doc, const QRectF& area,
                 const QRectF& visible, double zoom) {
  QImage image(static_cast<int>(area.width() * zoom), static_cast<int>(area.height() * zoom),
               QImage::Format_ARGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.scale(zoom, zoom);
  p.translate(-area.topLeft());
  p.setRenderHint(QPainter::Antialiasing);
  PaintOptions options;
  options.screen = true;
  options.anchor_lines = true;
  options.visible = visible;
  options.pixel_scale = zoom;
  painter.Paint(p, doc, options);
  return image;
}

int Differing(const QImage& a, const QImage& b) {
  int differing = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) differing += a.pixel(x, y) != b.pixel(x, y);
  }
  return differing;
}

}  // namespace

class NetworkDrawingTest : public QObject {
  Q_OBJECT

 private slots:
  void AnAreaShowsWhatTheWholeDrawingShowsThere() {
    ScriptedPlatform platform;
    COrvoBuilderDoc doc(platform);
    BuildGrid(doc, 300);
    NetworkPainter indexed;
    NetworkPainter everything;
    // Areas cutting through nodes and links, at 100 % and zoomed in and out.
    for (const QRectF area :
         {QRectF(25, 35, 400, 300), QRectF(333, 1111, 250, 180), QRectF(0, 2900, 1000, 500)}) {
      for (const double zoom : {1.0, 2.0, 0.5}) {
        const QImage part = PaintArea(indexed, doc, area, area, zoom);
        const QImage whole = PaintArea(everything, doc, area, QRectF(-1e6, -1e6, 2e6, 2e6), zoom);
        QCOMPARE(Differing(part, whole), 0);
      }
    }
    // A moved node is found in its new place once the painter is told.
    COrvoBuilderCntrItem& moved = *doc.GetSegmentNode(1);
    moved.SetRect(500, 1150, 532, 1182);
    indexed.Invalidate();
    everything.Invalidate();
    const QRectF area(450, 1100, 200, 200);
    QCOMPARE(Differing(PaintArea(indexed, doc, area, area, 1.0),
                       PaintArea(everything, doc, area, QRectF(-1e6, -1e6, 2e6, 2e6), 1.0)),
             0);
  }

  void FarOutEverySegmentLeavesItsColour() {
    ScriptedPlatform platform;
    COrvoBuilderDoc doc(platform);
    BuildGrid(doc, 2000);
    std::vector<QColor> fill(2000, QColor(200, 0, 0));
    fill[1999] = QColor(0, 0, 200);
    NetworkPainter painter;
    const QRectF all(0, 0, 1000, 22200);
    const double zoom = 0.02;  // a segment is well under a pixel
    QImage image(static_cast<int>(all.width() * zoom) + 1,
                 static_cast<int>(all.height() * zoom) + 1, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.scale(zoom, zoom);
    PaintOptions options;
    options.visible = all;
    options.pixel_scale = zoom;
    options.segment_fill = &fill;
    painter.Paint(p, doc, options);
    p.end();
    // The last segment's own pixel shows its colour: it is drawn after the others there.
    const COrvoBuilderCntrItem& last = *doc.GetSegmentNode(2000);
    const QPoint dot = (QRectF(NodeRect(last)).center() * zoom).toPoint();
    QCOMPARE(QColor(image.pixel(dot)), QColor(0, 0, 200));
    int red = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) red += QColor(image.pixel(x, y)) == QColor(200, 0, 0);
    }
    QVERIFY2(red > 100, qPrintable(QString::number(red)));
  }

  void SvgDefinesEachPictureOnceAndLooksLikeThePng() {
    ScriptedPlatform platform;
    COrvoBuilderDoc doc(platform);
    testing::BuildExampleRiver(doc);
    PictureDecoration anchor_lines;
    anchor_lines.anchor_lines = true;
    QTemporaryDir dir;
    QString error;
    QVERIFY2(ExportNetworkPicture(doc, dir.filePath("river.svg"), error, &anchor_lines),
             qPrintable(error));
    QVERIFY2(ExportNetworkPicture(doc, dir.filePath("river.png"), error, &anchor_lines),
             qPrintable(error));
    QFile file(dir.filePath("river.svg"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray svg = file.readAll();
    int pictured = 0;
    for (const auto& node : doc.nodes()) pictured += node->is_segment() || node->is_exchange();
    QCOMPARE(svg.count("<use "), pictured);
    QVERIFY(!svg.contains("<image"));
    for (qsizetype at = svg.indexOf("<g id=\""); at >= 0; at = svg.indexOf("<g id=\"", at + 1)) {
      const QByteArray id = svg.mid(at, svg.indexOf('"', at + 7) - at + 1);
      QCOMPARE(svg.count(id), 1);
    }

    QSvgRenderer renderer(svg);
    QVERIFY(renderer.isValid());
    QImage png(dir.filePath("river.png"));
    png = png.convertToFormat(QImage::Format_ARGB32);
    QImage drawn(png.size(), QImage::Format_ARGB32);
    drawn.fill(Qt::white);
    QPainter p(&drawn);
    renderer.render(&p, QRectF(drawn.rect()));
    p.end();
    // Antialiased edges and text may differ by a shade; the drawing may not.
    int differing = 0;
    for (int y = 0; y < png.height(); ++y) {
      for (int x = 0; x < png.width(); ++x) {
        const QRgb a = png.pixel(x, y), b = drawn.pixel(x, y);
        differing += std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                               std::abs(qBlue(a) - qBlue(b))}) > 60;
      }
    }
    if (qEnvironmentVariableIsSet("ORVO_KEEP_PICTURES")) {
      png.save(QDir::temp().filePath("orvo_river_png.png"));
      drawn.save(QDir::temp().filePath("orvo_river_svg.png"));
    }
    QVERIFY2(differing < png.width() * png.height() / 50,
             qPrintable(QStringLiteral("%1 pixels differ").arg(differing)));
  }
};

QTEST_MAIN(NetworkDrawingTest)
#include "network_drawing_test.moc"
