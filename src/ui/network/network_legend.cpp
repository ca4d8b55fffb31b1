#include "ui/network/network_legend.h"

#include <QPainter>
#include <algorithm>
#include <functional>

#include "ui/network/network_painting.h"

namespace orvo::ui {
namespace {

constexpr int kSymbol = 28;  // width and height of a symbol cell
constexpr int kGap = 8;

void Arrow(QPainter& painter, const QRect& cell, const QColor& colour, Qt::PenStyle style,
           int width) {
  painter.setPen(QPen(colour, width, style));
  const int y = cell.center().y();
  const QPoint from(cell.left() + 2, y);
  const QPoint to(cell.right() - 2, y);
  painter.drawLine(from, to);
  painter.setPen(QPen(colour, width));
  painter.drawLine(to, to + QPoint(-6, -4));
  painter.drawLine(to, to + QPoint(-6, 4));
}

}  // namespace

struct NetworkLegend::Entry {
  QString text;
  std::function<void(QPainter&, const QRect&)> draw;
};

NetworkLegend::NetworkLegend(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("network_legend"));
  const auto picture = [](NodePicture kind) {
    return [kind](QPainter& painter, const QRect& cell) {
      painter.drawPixmap(cell.adjusted(2, 2, -2, -2),
                         RenderPicture(kind, cell.size() - QSize(4, 4)));
    };
  };
  const auto arrow = [](const QColor& colour, Qt::PenStyle style, int width) {
    return [colour, style, width](QPainter& painter, const QRect& cell) {
      Arrow(painter, cell, colour, style, width);
    };
  };
  entries_ = {
      {tr("Surface water segment"), picture(NodePicture::kSurface)},
      {tr("Subsurface water segment"), picture(NodePicture::kSubsurface)},
      {tr("Upper bed segment"), picture(NodePicture::kUpperBed)},
      {tr("Lower bed segment"), picture(NodePicture::kLowerBed)},
      {tr("Surface water exchange"), picture(NodePicture::kExchangeSurface)},
      {tr("Surface water exchange with flows"), picture(NodePicture::kExchangeSurfaceFlow)},
      {tr("Pore water exchange"), picture(NodePicture::kExchangePore)},
      {tr("Pore water exchange with flows"), picture(NodePicture::kExchangePoreFlow)},
      {tr("Exchange without exchange data"), picture(NodePicture::kExchangeNone)},
      {tr("Exchange with flows only"), picture(NodePicture::kExchangeNoneFlow)},
      {tr("Label"), picture(NodePicture::kLabel)},
      {tr("Exchange between two segments, upstream to downstream"),
       arrow(KindColour(ExchangeKind::kInterior), Qt::SolidLine, 1)},
      {tr("Inflow: exchange from outside the model (upstream 0)"),
       arrow(KindColour(ExchangeKind::kInflow), Qt::SolidLine, 2)},
      {tr("Outflow: exchange out of the model (downstream 0)"),
       arrow(KindColour(ExchangeKind::kOutflow), Qt::SolidLine, 2)},
      {tr("Anchor line: from a tethered node to the node it follows"),
       arrow(Qt::blue, Qt::SolidLine, 1)},
      {tr("Segment to its bottom segment (IBOTSEG)"), arrow(Qt::darkGreen, Qt::SolidLine, 1)},
      {tr("Selected node; drag a handle to resize it"),
       [](QPainter& painter, const QRect& cell) {
         const QRect frame = cell.adjusted(5, 5, -5, -5);
         painter.setPen(QPen(SelectionColour(), 2));
         painter.drawRect(frame);
         painter.setPen(QPen(SelectionColour(), 1));
         painter.setBrush(Qt::white);
         for (const QPoint corner :
              {frame.topLeft(), frame.topRight(), frame.bottomLeft(), frame.bottomRight()}) {
           painter.drawRect(QRect(corner - QPoint(2, 2), QSize(5, 5)));
         }
         painter.setBrush(Qt::NoBrush);
       }},
      {tr("Node of a group selection"),
       [](QPainter& painter, const QRect& cell) {
         painter.setPen(QPen(SelectionColour(), 1, Qt::DashLine));
         painter.drawRect(cell.adjusted(4, 4, -4, -4));
       }},
  };
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
}

NetworkLegend::~NetworkLegend() = default;

QStringList NetworkLegend::Texts() const {
  QStringList texts;
  for (const Entry& entry : entries_) texts << entry.text;
  return texts;
}

QSize NetworkLegend::sizeHint() const {
  int text_width = 0;
  for (const Entry& entry : entries_) {
    text_width = std::max(text_width, fontMetrics().horizontalAdvance(entry.text));
  }
  const int row = std::max(kSymbol, fontMetrics().height()) + 2;
  return QSize(kGap + kSymbol + kGap + text_width + kGap,
               kGap + row * static_cast<int>(entries_.size()) + kGap);
}

void NetworkLegend::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const int row = std::max(kSymbol, fontMetrics().height()) + 2;
  int y = kGap;
  for (const Entry& entry : entries_) {
    const QRect cell(kGap, y + (row - kSymbol) / 2, kSymbol, kSymbol);
    painter.save();
    entry.draw(painter, cell);
    painter.restore();
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(cell.right() + kGap, y, width() - cell.right() - 2 * kGap, row),
                     Qt::AlignVCenter | Qt::AlignLeft, entry.text);
    y += row;
  }
}

}  // namespace orvo::ui
