// The network picture with results: the two-segment colours and the legend (the command line
// that makes it is tests/ui/shell/command_line_test).
#include "ui/results/results_picture.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

#include "model/scripted_platform.h"
#include "results/results_colouring.h"
#include "support/network_builder.h"
#include "support/results_run.h"

using namespace orvo;
using namespace orvo::ui;

namespace {

int CountPixels(const QImage& image, const Rgb& colour) {
  const QRgb wanted = qRgb(colour.red, colour.green, colour.blue);
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == wanted ? 1 : 0;
  }
  return count;
}

}  // namespace

class ResultsPictureTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    QVERIFY(dir_.isValid());
    base_ = dir_.filePath(QStringLiteral("run")).toStdString();
    // Segment 2 holds twice segment 1 at day 10; at day 0 both hold 3, within that range.
    testing::WriteResultsRun(base_, 2, {"TOTAL CHEMICAL {mg/L)"}, {0, 10},
                             [](int, int s, int t) { return t == 0 ? 3.0 : 2.0 * (s + 1); });
    ScriptedPlatform platform;
    COrvoBuilderDoc doc(platform);
    COrvoBuilderCntrItem* first = testing::AddSegmentWithLabel(doc, 40, 80);
    COrvoBuilderCntrItem* second = testing::AddSegmentWithLabel(doc, 200, 80);
    doc.AddExchange(first, second, kInterface);
    project_ = dir_.filePath(QStringLiteral("two.orb"));
    QVERIFY(doc.Save(project_.toStdString()));
  }

  void TwoSegmentsTakeTheEndsOfTheScale() {
    ScriptedPlatform platform;
    COrvoBuilderDoc doc(platform);
    QVERIFY(doc.Load(project_.toStdString()));
    const QString out = dir_.filePath(QStringLiteral("two.png"));
    QString error;
    // Day 7 is nearest to the output at day 10.
    QVERIFY2(ExportResultsPicture(doc, out, base_, "TOTAL CHEMICAL {mg/L)", 7, platform, error),
             qPrintable(error));
    const QImage image(out);
    QVERIFY(!image.isNull());
    QVERIFY(image.width() >= 300);  // room for the legend
    const ColourScale& scale = ColourScale::Viridis();
    // Each segment is 32 x 32 pixels with its frame; the legend bar adds a little of each.
    QVERIFY(CountPixels(image, scale.stops().front()) >= 25 * 25);
    QVERIFY(CountPixels(image, scale.stops().back()) >= 25 * 25);
    const int grey = CountPixels(image, kNoDataColour);  // the legend's swatch only
    QVERIFY(grey > 0 && grey < 20 * 20);
  }

 private:
  QTemporaryDir dir_;
  std::string base_;
  QString project_;
};

QTEST_MAIN(ResultsPictureTest)
#include "results_picture_test.moc"
