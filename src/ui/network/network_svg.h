// The network picture as SVG text, written directly: each node picture is defined once and
// used by every node that shows it, so a large network gives a file that grows by a short
// line per node (a painter-driven SVG writer would embed a copy of the picture each time).
#pragma once

#include <QRect>
#include <QSize>

class QIODevice;

namespace orvo {
class COrvoBuilderDoc;
}

namespace orvo::ui {

struct PictureDecoration;

// Writes what PaintNetworkPicture draws into a target of canvas at scale 1: the network's
// bounds (node rectangles with their margin) centred across the canvas's top, and the
// decoration's legend band below. false when the device refuses the bytes.
bool WriteNetworkSvg(const COrvoBuilderDoc& document, const QRect& bounds, const QSize& canvas,
                     const PictureDecoration* decoration, QIODevice& out);

}  // namespace orvo::ui
