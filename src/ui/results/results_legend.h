// The legend of results drawn on the network: the variable, the colour scale with its value
// range and units, the "no data" colour and the time shown. Painted by the Results dock and
// by the picture export alike.
#pragma once

#include <QColor>
#include <QSize>
#include <QString>
#include <QWidget>
#include <vector>

class QPainter;
class QRectF;

namespace orvo {
struct ResultsColouring;
struct Rgb;
}  // namespace orvo

namespace orvo::ui {

QColor ToQColor(const Rgb& colour);

// Fill colours by segment ID (index ID - 1) for the network's painting.
std::vector<QColor> SegmentFillColours(const ResultsColouring& colouring);

// What the legend says.
struct LegendContent {
  QString title;  // the variable as the output viewer lists it
  QString units;  // empty when the name carries no separate units
  QString time;   // "Day 1.5"
  double minimum = 0;
  double maximum = 0;
  bool has_range = false;
};
LegendContent LegendOf(const ResultsColouring& colouring);

// The size the legend needs, in pixels of the font given.
QSize LegendSize();
// Paints the legend into area (white background, dark text).
void PaintColourLegend(QPainter& painter, const QRectF& area, const LegendContent& content);

// The legend as a widget.
class ColourLegend : public QWidget {
  Q_OBJECT

 public:
  explicit ColourLegend(QWidget* parent = nullptr);
  void SetContent(const LegendContent& content);
  const LegendContent& content() const { return content_; }
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  LegendContent content_;
};

}  // namespace orvo::ui
