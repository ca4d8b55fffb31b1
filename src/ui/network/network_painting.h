// Drawing of the network shared by the view, printing and picture export: node pictures,
// frames, exchange arrows, anchor lines and bottom-segment links. Nothing here changes the
// document.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPixmap>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QPainter;
class QSvgRenderer;

namespace orvo {
class COrvoBuilderDoc;
class COrvoBuilderCntrItem;
}  // namespace orvo

namespace orvo::ui {

class RectGrid;

// The line of an arrow from one rectangle to another, clipped at both rectangles, and the
// two strokes of its head at the end point.
struct ArrowGeometry {
  QPoint start;
  QPoint end;
  QPointF head_left;
  QPointF head_right;
};

// Node rectangles as left, top, width, height; nullopt when the centres coincide (the
// direction of the arrow is undefined).
std::optional<ArrowGeometry> ArrowBetween(const QRect& from, const QRect& to);

QRect NodeRect(const COrvoBuilderCntrItem& node);

// Pictures of the nodes and of the palette, by role.
enum class NodePicture : int {
  kSurface,
  kSubsurface,
  kUpperBed,
  kLowerBed,
  kExchangeSurface,
  kExchangeSurfaceFlow,
  kExchangePore,
  kExchangePoreFlow,
  kExchangeNone,
  kExchangeNoneFlow,
  kLabel,
  kConnect,
  kTether,
  kUntether,
  kCount
};

// How an exchange is drawn: between two segments, or with one end outside the model.
enum class ExchangeKind { kInterior, kInflow, kOutflow };
ExchangeKind KindOf(const COrvoBuilderCntrItem& node);
// Line colours of the map, shared with its legend.
QColor KindColour(ExchangeKind kind);
QColor SelectionColour();

// The short arrow beside an inflow (into its top-left corner from outside) or an outflow (out
// of its bottom-right corner).
std::optional<ArrowGeometry> BoundaryMark(const QRect& rect, ExchangeKind kind);

// The picture a segment or exchange node is drawn with.
NodePicture PictureOf(const COrvoBuilderCntrItem& node);
// True when the exchange carries any flow portion text.
bool ExchangeHasFlows(const COrvoBuilderCntrItem& node);
// The resource path of a picture (an SVG file).
QString PictureFile(NodePicture picture);
// A picture rendered at a pixel size (for buttons and cursors).
QPixmap RenderPicture(NodePicture picture, QSize size);

struct PaintOptions {
  // Screen: the selected node gets handles, others thin frames, borderless labels none.
  // Otherwise (print, export) every node gets a thin black frame.
  bool screen = true;
  bool anchor_lines = false;
  const COrvoBuilderCntrItem* selected = nullptr;
  const std::vector<COrvoBuilderCntrItem*>* group_selection = nullptr;
  // Part of the drawing to paint, in document units; nodes outside are skipped.
  QRectF visible;
  // Device pixels per document unit, for the cached icon pixmaps; 0 draws icons as vectors.
  double pixel_scale = 0.0;
  // Results on the network: fill colours of segments by ID (index ID - 1), drawn in place of
  // their pictures; an invalid colour or an ID beyond the list keeps the picture.
  const std::vector<QColor>* segment_fill = nullptr;
};

// Size of the resize handles drawn inside the selected node's frame, in device pixels.

inline constexpr int kHandleSize = 6;

// Holds the parsed pictures and the pixmaps made from them, so that painting allocates
// nothing per node once the cache is warm, and a spatial index of the nodes and the links
// between them, so that painting an area costs what the area shows. On screen, nodes too
// small to show their pictures are drawn as plain patches of their picture's colour. The
// painter must map document units already.
class NetworkPainter {
 public:
  NetworkPainter();
  ~NetworkPainter();
  NetworkPainter(const NetworkPainter&) = delete;
  NetworkPainter& operator=(const NetworkPainter&) = delete;

  void Paint(QPainter& painter, const COrvoBuilderDoc& document, const PaintOptions& options);
  // The owner calls this whenever the document changed: the index is rebuilt at the next
  // paint.
  void Invalidate() { prepared_ = false; }

  // Below this many pixels a side, a node's picture cannot be made out.
  static constexpr double kDetailPixels = 6.0;

 private:
  // A line between two node rectangles, or an inflow's or outflow's mark beside one.
  struct Link {
    QRect from;
    QRect to;
    uint8_t pass;  // 0 exchange arrows and marks, 1 anchor lines, 2 bottom-segment links
    uint8_t kind;  // ExchangeKind of an exchange pass link
    bool mark;     // a boundary mark beside from
  };

  void Prepare(const COrvoBuilderDoc& document);
  void DrawPicture(QPainter& painter, NodePicture picture, const QRect& rect, double scale);
  void DrawLabel(QPainter& painter, const COrvoBuilderCntrItem& node, double pixel_scale);
  void DrawFrame(QPainter& painter, const COrvoBuilderCntrItem& node, const PaintOptions& options);
  void DrawPatches(QPainter& painter);

  std::array<QSvgRenderer*, static_cast<size_t>(NodePicture::kCount)> renderers_{};
  struct CachedPixmap {
    int picture = -1;
    QSize size;
    QPixmap pixmap;
  };
  std::vector<CachedPixmap> pixmaps_;
  std::array<QColor, static_cast<size_t>(NodePicture::kCount)> colours_;
  std::vector<std::pair<int, const COrvoBuilderCntrItem*>> by_number_;
  std::vector<std::pair<int, const COrvoBuilderCntrItem*>> by_segment_;
  // What Prepare made, and of what.
  bool prepared_ = false;
  const COrvoBuilderDoc* prepared_document_ = nullptr;
  const void* prepared_nodes_ = nullptr;
  size_t prepared_count_ = 0;
  std::unique_ptr<RectGrid> node_grid_;
  std::unique_ptr<RectGrid> link_grid_;
  std::vector<Link> links_;
  std::vector<uint32_t> found_;
  // Simplified nodes of one paint: patches in device pixels, and single-pixel dots.
  std::vector<std::pair<QRect, QRgb>> patches_;
  QImage dots_;
  bool dotted_ = false;
  std::string font_text_;
  QFont font_;
  QFontMetricsF metrics_{QFont()};
  std::vector<const COrvoBuilderCntrItem*> grouped_;
  bool font_ready_ = false;
  bool antialias_ = false;
};

// The font a label is drawn with: its own font text, or the application's font, sized in
// pixels so that it scales with the drawing on every device.
QFont LabelFont(const std::string& font_text);
// Gives a label the size its text needs in its font (at least a node symbol's), keeping its
// top-left corner.
void FitLabelToText(COrvoBuilderCntrItem& label);

}  // namespace orvo::ui
