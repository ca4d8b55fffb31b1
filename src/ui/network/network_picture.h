// Painting the whole network outside a window: printing and picture export share it with
// the view's own painting.
#pragma once

#include <QColor>
#include <QSize>
#include <QString>
#include <functional>
#include <vector>

class QPainter;
class QRectF;

namespace orvo {
class COrvoBuilderDoc;
}

namespace orvo::ui {

// Additions to the picture: segment fill colours (see PaintOptions::segment_fill), a legend in
// a band of legend_size (picture pixels) below the network, and the anchor lines.
struct PictureDecoration {
  std::vector<QColor> segment_fill;
  bool anchor_lines = false;
  QSize legend_size;
  std::function<void(QPainter&, const QRectF&)> paint_legend;
};

// Paints every node, arrow and link of the document, scaled isotropically so that the union
// of the node rectangles fills target (the printed appearance: thin black frames). With a
// decoration the network and the legend band below it fill target together.
void PaintNetworkPicture(QPainter& painter, const COrvoBuilderDoc& document, const QRectF& target,
                         const PictureDecoration* decoration = nullptr);

// Writes the picture to path as PNG, SVG or PDF, chosen by the extension. false with a
// message in error when the file cannot be written or the extension is none of these.
bool ExportNetworkPicture(const COrvoBuilderDoc& document, const QString& path, QString& error,
                          const PictureDecoration* decoration = nullptr);

}  // namespace orvo::ui
