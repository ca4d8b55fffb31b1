// Arrow geometry worked out by hand, and the printed picture of the example river compared
// with a stored reference image.
#include <QImage>
#include <QPainter>
#include <QtTest>
#include <cstdlib>

#include "model/scripted_platform.h"
#include "support/example_river.h"
#include "ui/network/network_painting.h"
#include "ui/network/network_picture.h"

using namespace orvo;
using namespace orvo::ui;

class NetworkPaintingTest : public QObject {
  Q_OBJECT

 private slots:
  void ArrowsRunBetweenTheRectangles();
  void ExampleRiverMatchesReference();
  void ExportWritesThreeFormatsAndRefusesOthers();
};

// Worked out by hand: from the edge of one rectangle, on the line between the (truncated)
// centres, to the edge of the other.
void NetworkPaintingTest::ArrowsRunBetweenTheRectangles() {
  const struct {
    QRect from, to;
    QPoint start, end;
  } cases[] = {
      {QRect(0, 0, 32, 32), QRect(100, 0, 32, 32), QPoint(32, 16), QPoint(100, 16)},
      // Centres (16,16) and (72,104), d = (56,88). Rectangle 1: t = min(16/88, 16/56) = 2/11,
      // start (26.18, 32). Rectangle 2: t = min(8/88, 8/56) = 1/11, end (66.9, 96).
      {QRect(0, 0, 32, 32), QRect(64, 96, 16, 16), QPoint(26, 32), QPoint(67, 96)},
      // Centres (17,24) and (17,104): the distance to the top edge is 4 on both rectangles.
      {QRect(10, 20, 15, 9), QRect(10, 100, 15, 9), QPoint(17, 28), QPoint(17, 100)},
  };
  for (const auto& c : cases) {
    const auto arrow = ArrowBetween(c.from, c.to);
    QVERIFY(arrow.has_value());
    QCOMPARE(arrow->start, c.start);
    QCOMPARE(arrow->end, c.end);
  }
  // Strokes of length 10 turned 45 degrees either way from the way back.
  const auto arrow = ArrowBetween(cases[0].from, cases[0].to);
  QVERIFY(qAbs(arrow->head_left.x() - 92.929) < 1e-3 && qAbs(arrow->head_left.y() - 8.929) < 1e-3);
  QVERIFY(qAbs(arrow->head_right.x() - 92.929) < 1e-3 &&
          qAbs(arrow->head_right.y() - 23.071) < 1e-3);
  // Coincident centres give no arrow.
  QVERIFY(!ArrowBetween(QRect(0, 0, 32, 32), QRect(8, 8, 16, 16)).has_value());
}

void NetworkPaintingTest::ExampleRiverMatchesReference() {
  ScriptedPlatform platform;
  COrvoBuilderDoc doc(platform);
  testing::BuildExampleRiver(doc);
  PictureDecoration anchor_lines;
  anchor_lines.anchor_lines = true;
  QImage image(480, 360, QImage::Format_ARGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  PaintNetworkPicture(painter, doc, QRectF(image.rect()), &anchor_lines);
  painter.end();

  const QString reference = QStringLiteral(ORVO_SOURCE_DIR "/tests/ui/data/example_river.png");
  if (qEnvironmentVariableIsSet("ORVO_UPDATE_EXPECTED")) QVERIFY(image.save(reference, "PNG"));
  QImage expected(reference);
  QVERIFY2(!expected.isNull(), "reference image missing: run with ORVO_UPDATE_EXPECTED=1");
  expected = expected.convertToFormat(QImage::Format_ARGB32);
  QCOMPARE(expected.size(), image.size());
  // Font rendering may differ by a shade here and there; the drawing itself may not.
  int differing = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb a = image.pixel(x, y);
      const QRgb b = expected.pixel(x, y);
      const int delta = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                  std::abs(qBlue(a) - qBlue(b))});
      if (delta > 40) ++differing;
    }
  }
  QVERIFY2(differing < image.width() * image.height() / 200,
           qPrintable(QStringLiteral("%1 pixels differ").arg(differing)));
}

void NetworkPaintingTest::ExportWritesThreeFormatsAndRefusesOthers() {
  ScriptedPlatform platform;
  COrvoBuilderDoc doc(platform);
  QTemporaryDir dir;
  QString error;
  QVERIFY(!ExportNetworkPicture(doc, dir.filePath("empty.png"), error));
  QVERIFY(!QFile::exists(dir.filePath("empty.png")));
  testing::BuildExampleRiver(doc);
  for (const char* name : {"river.png", "river.svg", "river.pdf"}) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QVERIFY2(ExportNetworkPicture(doc, path, error), qPrintable(error));
    QVERIFY(QFileInfo(path).size() > 100);
  }
  QFile svg(dir.filePath("river.svg"));
  QVERIFY(svg.open(QIODevice::ReadOnly));
  QVERIFY(svg.readAll().contains("<svg"));
  QVERIFY(!ExportNetworkPicture(doc, dir.filePath("river.bmp"), error));
  QVERIFY(error.contains(".png"));
  QVERIFY(!ExportNetworkPicture(doc, dir.filePath("no/such/dir/river.png"), error));
}

QTEST_MAIN(NetworkPaintingTest)
#include "network_painting_test.moc"
