#include "ui/results/results_legend.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QRectF>
#include <algorithm>

#include "results/results_colouring.h"
#include "ui/widgets/stored_text.h"

namespace orvo::ui {

namespace {

constexpr double kMargin = 8;
constexpr double kBarHeight = 16;
constexpr int kFontPixels = 12;
constexpr int kWidth = 300;
constexpr int kHeight = 92;

QString Number(double value) {
  return QString::fromStdString(ValueText(value));
}

}  // namespace

QColor ToQColor(const Rgb& colour) {
  return QColor(colour.red, colour.green, colour.blue);
}

std::vector<QColor> SegmentFillColours(const ResultsColouring& colouring) {
  std::vector<QColor> colours;
  colours.reserve(static_cast<std::size_t>(colouring.segment_count()));
  const ColourScale& scale = ColourScale::Viridis();
  for (int id = 1; id <= colouring.segment_count(); ++id) {
    colours.push_back(ToQColor(colouring.ColourOf(id, scale)));
  }
  return colours;
}

LegendContent LegendOf(const ResultsColouring& colouring) {
  LegendContent content;
  content.title = FromStored(colouring.variable_name);
  // A name without a blank is its own "units": nothing to add then.
  if (colouring.units != colouring.variable_name) content.units = FromStored(colouring.units);
  content.time = QStringLiteral("Day ") + Number(colouring.time);
  content.minimum = colouring.minimum;
  content.maximum = colouring.maximum;
  content.has_range = colouring.has_range;
  return content;
}

QSize LegendSize() {
  return QSize(kWidth, kHeight);
}

void PaintColourLegend(QPainter& painter, const QRectF& area, const LegendContent& content) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(area, Qt::white);
  QFont font = painter.font();
  font.setPixelSize(kFontPixels);
  font.setBold(true);
  painter.setFont(font);
  const QFontMetricsF bold(font);
  const double line = bold.height();
  const double left = area.left() + kMargin;
  const double width = std::max(10.0, area.width() - 2 * kMargin);
  painter.setPen(Qt::black);
  double y = area.top() + kMargin;
  painter.drawText(QRectF(left, y, width, line), Qt::AlignLeft | Qt::AlignVCenter,
                   bold.elidedText(content.title, Qt::ElideRight, width));
  font.setBold(false);
  painter.setFont(font);
  const QFontMetricsF plain(font);
  y += line;
  const QString units =
      content.units.isEmpty() ? QString() : QStringLiteral("Units: ") + content.units;
  painter.drawText(QRectF(left, y, width, line), Qt::AlignLeft | Qt::AlignVCenter,
                   plain.elidedText(units, Qt::ElideRight, width * 0.6));
  painter.drawText(QRectF(left, y, width, line), Qt::AlignRight | Qt::AlignVCenter, content.time);
  y += line + 2;

  // The scale, then the "no data" swatch to its right.
  const QString no_data = QStringLiteral("no data");
  const double swatch_width = kBarHeight + 4 + plain.horizontalAdvance(no_data) + 4;
  const double bar_width = std::max(10.0, width - swatch_width - kMargin);
  const QRectF bar(left, y, bar_width, kBarHeight);
  QLinearGradient gradient(bar.topLeft(), bar.topRight());
  const auto& stops = ColourScale::Viridis().stops();
  for (std::size_t i = 0; i < stops.size(); ++i) {
    gradient.setColorAt(static_cast<double>(i) / static_cast<double>(stops.size() - 1),
                        ToQColor(stops[i]));
  }
  painter.fillRect(bar, content.has_range ? QBrush(gradient) : QBrush(Qt::white));
  painter.setPen(QPen(Qt::black, 0));
  painter.drawRect(bar);
  const QRectF swatch(bar.right() + kMargin, y, kBarHeight, kBarHeight);
  painter.fillRect(swatch, ToQColor(kNoDataColour));
  painter.drawRect(swatch);
  painter.drawText(QRectF(swatch.right() + 4, y, width, kBarHeight),
                   Qt::AlignLeft | Qt::AlignVCenter, no_data);
  y += kBarHeight + 2;
  if (content.has_range) {
    const QRectF labels(left, y, bar_width, line);
    painter.drawText(labels, Qt::AlignLeft | Qt::AlignVCenter, Number(content.minimum));
    painter.drawText(labels, Qt::AlignRight | Qt::AlignVCenter, Number(content.maximum));
    if (content.maximum > content.minimum) {
      painter.drawText(labels, Qt::AlignHCenter | Qt::AlignVCenter,
                       Number((content.minimum + content.maximum) / 2));
    }
  } else {
    painter.drawText(QRectF(left, y, width, line), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("No values at this time"));
  }
  painter.restore();
}

ColourLegend::ColourLegend(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void ColourLegend::SetContent(const LegendContent& content) {
  content_ = content;
  update();
}

QSize ColourLegend::sizeHint() const {
  return LegendSize();
}

QSize ColourLegend::minimumSizeHint() const {
  return QSize(200, LegendSize().height());
}

void ColourLegend::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  PaintColourLegend(painter, QRectF(rect()), content_);
}

}  // namespace orvo::ui
