// Painting the whole network outside a window: printing and picture export share it with
// the view's own painting.
#pragma once

#include <QString>

class QPainter;
class QRectF;

namespace orvo {
class COrvoBuilderDoc;
}

namespace orvo::ui {

// Paints every node, arrow and link of the document, scaled isotropically so that the union
// of the node rectangles fills target (the printed appearance: thin black frames).
void PaintNetworkPicture(QPainter& painter, const COrvoBuilderDoc& document, const QRectF& target);

// Writes the picture to path as PNG, SVG or PDF, chosen by the extension. false with a
// message in error when the file cannot be written or the extension is none of these.
bool ExportNetworkPicture(const COrvoBuilderDoc& document, const QString& path, QString& error);

}  // namespace orvo::ui
