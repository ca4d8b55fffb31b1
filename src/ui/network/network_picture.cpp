#include "ui/network/network_picture.h"

#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRectF>
#include <QSaveFile>
#include <algorithm>

#include "model/project_document.h"
#include "ui/network/network_painting.h"
#include "ui/network/network_svg.h"

namespace orvo::ui {

namespace {

// Room around the nodes for arrowheads and frames.
constexpr int kMargin = 12;
// Pictures larger than this many pixels a side are scaled down to it.
constexpr int kMaxImageSide = 8000;

QRect NetworkBounds(const COrvoBuilderDoc& document) {
  QRect bounds;
  for (const auto& node : document.nodes()) bounds |= NodeRect(*node);
  if (bounds.isEmpty()) return bounds;
  return bounds.adjusted(-kMargin, -kMargin, kMargin, kMargin);
}

// The whole picture in picture pixels: the network at one pixel per unit, and the legend band
// below it, at least as wide as the legend.
QSize CanvasSize(const QRect& bounds, const PictureDecoration* decoration) {
  if (decoration == nullptr || !decoration->paint_legend) return bounds.size();
  return QSize(std::max(bounds.width(), decoration->legend_size.width()),
               bounds.height() + decoration->legend_size.height());
}

}  // namespace

void PaintNetworkPicture(QPainter& painter, const COrvoBuilderDoc& document, const QRectF& target,
                         const PictureDecoration* decoration) {
  const QRect bounds = NetworkBounds(document);
  if (bounds.isEmpty() || target.width() <= 0 || target.height() <= 0) return;
  const QSize canvas = CanvasSize(bounds, decoration);
  const double scale = std::min(target.width() / canvas.width(), target.height() / canvas.height());
  painter.save();
  painter.translate(target.topLeft());
  painter.scale(scale, scale);
  if (decoration != nullptr && decoration->paint_legend) {
    decoration->paint_legend(
        painter, QRectF(0, bounds.height(), canvas.width(), decoration->legend_size.height()));
  }
  painter.translate((canvas.width() - bounds.width()) / 2 - bounds.left(), -bounds.top());
  painter.setRenderHint(QPainter::Antialiasing);
  NetworkPainter network;
  PaintOptions options;
  options.screen = false;
  options.anchor_lines = decoration != nullptr && decoration->anchor_lines;
  options.visible = QRectF(bounds);
  if (decoration != nullptr && !decoration->segment_fill.empty()) {
    options.segment_fill = &decoration->segment_fill;
  }
  network.Paint(painter, document, options);
  painter.restore();
}

bool ExportNetworkPicture(const COrvoBuilderDoc& document, const QString& path, QString& error,
                          const PictureDecoration* decoration) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix != "png" && suffix != "svg" && suffix != "pdf") {
    error = QStringLiteral("Pictures can be saved as .png, .svg or .pdf files only.");
    return false;
  }
  const QRect bounds = NetworkBounds(document);
  if (bounds.isEmpty()) {
    error = QStringLiteral("The network is empty: there is no picture to save.");
    return false;
  }
  // Written beside the target and renamed over it, so a failure leaves no half picture.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    error = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
    return false;
  }
  const QSize canvas = CanvasSize(bounds, decoration);
  bool painted = true;
  if (suffix == "png") {
    const double scale = std::min(
        1.0, kMaxImageSide / static_cast<double>(std::max(canvas.width(), canvas.height())));
    QImage image(std::max(1, static_cast<int>(canvas.width() * scale)),
                 std::max(1, static_cast<int>(canvas.height() * scale)), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintNetworkPicture(painter, document, QRectF(image.rect()), decoration);
    painter.end();
    painted = image.save(&file, "PNG");
  } else if (suffix == "svg") {
    painted = WriteNetworkSvg(document, bounds, canvas, decoration, file);
  } else {
    QPdfWriter writer(&file);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageOrientation(canvas.width() > canvas.height() ? QPageLayout::Landscape
                                                               : QPageLayout::Portrait);
    writer.setTitle(QStringLiteral("Network"));
    QPainter painter;
    painted = painter.begin(&writer);
    if (painted) {
      const QRect page = writer.pageLayout().paintRectPixels(writer.resolution());
      PaintNetworkPicture(painter, document, QRectF(QPointF(0, 0), QSizeF(page.size())),
                          decoration);
      painter.end();
    }
  }
  if (!painted || !file.commit()) {
    file.cancelWriting();
    error = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
    return false;
  }
  return true;
}

}  // namespace orvo::ui
