#include "ui/network/network_painting.h"

#include <QFile>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "model/number_text.h"
#include "model/project_document.h"
#include "model/string_array.h"
#include "ui/network/rect_grid.h"
#include "ui/widgets/stored_text.h"

// Resources of a static library are registered by name from the global namespace.
static void InitViewResources() {
  Q_INIT_RESOURCE(view);
}

namespace orvo::ui {

namespace {

constexpr const char* kPictureFiles[] = {
    ":/view/seg_surface.svg",    ":/view/seg_subsurface.svg", ":/view/seg_upper_bed.svg",
    ":/view/seg_lower_bed.svg",  ":/view/exch_surface.svg",   ":/view/exch_surface_flow.svg",
    ":/view/exch_pore.svg",      ":/view/exch_pore_flow.svg", ":/view/exch_none.svg",
    ":/view/exch_none_flow.svg", ":/view/label.svg",          ":/view/connect.svg",
    ":/view/tether.svg",         ":/view/untether.svg"};
static_assert(std::size(kPictureFiles) == static_cast<size_t>(NodePicture::kCount));

constexpr double kArrowHead = 10.0;
constexpr size_t kMaxCachedPixmaps = 64;
constexpr double kLegibleText = 4.0;  // device pixels

int Round(double value) {
  return static_cast<int>(value + 0.5);
}

// Distance along d, in units of d, from the centre of rect to where the ray leaves it.
double ExitFactor(const QRect& rect, int cx, int cy, double dx, double dy) {
  const double inf = std::numeric_limits<double>::infinity();
  const double ty = dy != 0.0 ? std::fabs((rect.top() - cy) / dy) : inf;
  const double tx = dx != 0.0 ? std::fabs((rect.left() + rect.width() - cx) / dx) : inf;
  return std::min(ty, tx);
}

void DrawArrow(QPainter& painter, const QRect& from, const QRect& to, const QRectF& visible) {
  const QRectF span =
      QRectF(from.united(to)).adjusted(-kArrowHead, -kArrowHead, kArrowHead, kArrowHead);
  if (!span.intersects(visible)) return;
  const std::optional<ArrowGeometry> arrow = ArrowBetween(from, to);
  if (!arrow) return;
  painter.drawLine(arrow->start, arrow->end);
  painter.drawLine(QPointF(arrow->end), arrow->head_left);
  painter.drawLine(QPointF(arrow->end), arrow->head_right);
}

void DrawBoundaryMark(QPainter& painter, const QRect& rect, ExchangeKind kind) {
  const std::optional<ArrowGeometry> arrow = BoundaryMark(rect, kind);
  if (!arrow) return;
  painter.drawLine(arrow->start, arrow->end);
  painter.drawLine(QPointF(arrow->end), arrow->head_left);
  painter.drawLine(QPointF(arrow->end), arrow->head_right);
}

const QColor* SegmentFill(const COrvoBuilderCntrItem& node, const PaintOptions& options) {
  if (options.segment_fill == nullptr || !node.is_segment() || node.segment() == nullptr) {
    return nullptr;
  }
  const int index = node.segment()->segment_id - 1;
  if (index < 0 || static_cast<size_t>(index) >= options.segment_fill->size()) return nullptr;
  const QColor& colour = (*options.segment_fill)[static_cast<size_t>(index)];
  return colour.isValid() ? &colour : nullptr;
}

// The first fill colour a picture names: its body, what a node too small to show the picture
// is drawn with.
QColor PictureColour(const char* file_name) {
  QFile file(QString::fromLatin1(file_name));
  if (!file.open(QIODevice::ReadOnly)) return Qt::gray;
  const QByteArray text = file.readAll();
  for (qsizetype at = text.indexOf("fill=\"#"); at >= 0; at = text.indexOf("fill=\"#", at + 1)) {
    const QColor colour(QString::fromLatin1(text.mid(at + 6, 7)));
    if (colour.isValid()) return colour;
  }
  return Qt::gray;
}

}  // namespace

ExchangeKind KindOf(const COrvoBuilderCntrItem& node) {
  const ExchangeData* exchange = node.exchange();
  if (exchange == nullptr) return ExchangeKind::kInterior;
  if (exchange->upstream == 0 && exchange->downstream != 0) return ExchangeKind::kInflow;
  if (exchange->downstream == 0 && exchange->upstream != 0) return ExchangeKind::kOutflow;
  return ExchangeKind::kInterior;
}

QColor KindColour(ExchangeKind kind) {
  switch (kind) {
    case ExchangeKind::kInflow:
      return QColor(0, 110, 190);  // blue: water coming in
    case ExchangeKind::kOutflow:
      return QColor(170, 60, 0);  // dark orange: water leaving
    case ExchangeKind::kInterior:
      break;
  }
  return Qt::black;
}

QColor SelectionColour() {
  return QColor(0, 110, 220);
}

std::optional<ArrowGeometry> ArrowBetween(const QRect& from, const QRect& to) {
  const int c1x = from.left() + from.width() / 2;
  const int c1y = from.top() + from.height() / 2;
  const int c2x = to.left() + to.width() / 2;
  const int c2y = to.top() + to.height() / 2;
  const double dx = c2x - c1x;
  const double dy = c2y - c1y;
  if (dx == 0.0 && dy == 0.0) return std::nullopt;
  const double t1 = ExitFactor(from, c1x, c1y, dx, dy);
  const double t2 = ExitFactor(to, c2x, c2y, dx, dy);
  ArrowGeometry arrow;
  arrow.start = QPoint(Round(c1x + t1 * dx), Round(c1y + t1 * dy));
  arrow.end = QPoint(Round(c2x - t2 * dx), Round(c2y - t2 * dy));
  double ux = c1x - arrow.end.x();
  double uy = c1y - arrow.end.y();
  double length = std::hypot(ux, uy);
  if (length == 0.0) {
    ux = -dx;
    uy = -dy;
    length = std::hypot(ux, uy);
  }
  ux /= length;
  uy /= length;
  const double c = std::sqrt(0.5);  // cos 45° = sin 45°
  arrow.head_left = QPointF(arrow.end.x() + kArrowHead * (ux * c - uy * c),
                            arrow.end.y() + kArrowHead * (ux * c + uy * c));
  arrow.head_right = QPointF(arrow.end.x() + kArrowHead * (ux * c + uy * c),
                             arrow.end.y() + kArrowHead * (-ux * c + uy * c));
  return arrow;
}

std::optional<ArrowGeometry> BoundaryMark(const QRect& rect, ExchangeKind kind) {
  const int reach = std::max(8, rect.width() / 2);
  const QRect outside = kind == ExchangeKind::kInflow
                            ? QRect(rect.left() - reach - 4, rect.top() - reach - 4, 4, 4)
                            : QRect(rect.right() + reach, rect.bottom() + reach, 4, 4);
  return kind == ExchangeKind::kInflow ? ArrowBetween(outside, rect) : ArrowBetween(rect, outside);
}

QString PictureFile(NodePicture picture) {
  InitViewResources();
  return QString::fromLatin1(kPictureFiles[static_cast<size_t>(picture)]);
}

QRect NodeRect(const COrvoBuilderCntrItem& node) {
  return QRect(node.left(), node.top(), node.width(), node.height());
}

bool ExchangeHasFlows(const COrvoBuilderCntrItem& node) {
  const ExchangeData* exchange = node.exchange();
  if (exchange == nullptr || exchange->group_d.empty()) return false;
  const StringArray fields(exchange->group_d);
  for (const std::string& field : fields.GetList()) {
    const StringArray portions(field);
    for (const std::string& portion : portions.GetList()) {
      if (!portion.empty()) return true;
    }
  }
  return false;
}

NodePicture PictureOf(const COrvoBuilderCntrItem& node) {
  if (node.is_exchange() && node.exchange() != nullptr) {
    const bool flows = ExchangeHasFlows(node);
    switch (node.exchange()->exchange_field) {
      case 0:
        return flows ? NodePicture::kExchangeSurfaceFlow : NodePicture::kExchangeSurface;
      case 1:
        return flows ? NodePicture::kExchangePoreFlow : NodePicture::kExchangePore;
      default:
        return flows ? NodePicture::kExchangeNoneFlow : NodePicture::kExchangeNone;
    }
  }
  if (node.is_label()) return NodePicture::kLabel;
  const int type = node.segment() != nullptr ? node.segment()->segment_type : 0;
  switch (type) {
    case 1:
      return NodePicture::kSubsurface;
    case 2:
      return NodePicture::kUpperBed;
    case 3:
      return NodePicture::kLowerBed;
    default:
      return NodePicture::kSurface;
  }
}

QPixmap RenderPicture(NodePicture picture, QSize size) {
  InitViewResources();
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  QSvgRenderer renderer(QString::fromLatin1(kPictureFiles[static_cast<size_t>(picture)]));
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  if (renderer.isValid()) {
    renderer.render(&painter, QRectF(0, 0, size.width(), size.height()));
  } else {
    painter.drawEllipse(QRect(QPoint(0, 0), size).adjusted(0, 0, -1, -1));
  }
  return pixmap;
}

QFont LabelFont(const std::string& font_text) {
  QFont font = QGuiApplication::font();
  if (!font_text.empty()) font.fromString(QString::fromStdString(font_text));
  if (font.pixelSize() <= 0) {
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : 9.0;
    font.setPixelSize(std::max(1, Round(points * 96.0 / 72.0)));
  }
  return font;
}

void FitLabelToText(COrvoBuilderCntrItem& label) {
  if (!label.is_label() || label.label() == nullptr) return;
  const QFontMetricsF metrics(LabelFont(label.label()->font));
  const QString text = FromStored(label.label()->text);
  // Never smaller than a node symbol, so that a short label stays easy to grab.
  const int width = std::max(32, static_cast<int>(std::ceil(metrics.horizontalAdvance(text))) + 12);
  const int height = std::max(32, static_cast<int>(std::ceil(metrics.height())) + 8);
  if (width == label.width() && height == label.height()) return;
  label.SetRect(label.left(), label.top(), label.left() + width, label.top() + height);
}

NetworkPainter::NetworkPainter()
    : node_grid_(std::make_unique<RectGrid>()), link_grid_(std::make_unique<RectGrid>()) {
  InitViewResources();
  for (size_t i = 0; i < renderers_.size(); ++i) {
    renderers_[i] = new QSvgRenderer(QString::fromLatin1(kPictureFiles[i]));
    colours_[i] = PictureColour(kPictureFiles[i]);
  }
}

NetworkPainter::~NetworkPainter() {
  for (QSvgRenderer* renderer : renderers_) delete renderer;
}

void NetworkPainter::DrawPicture(QPainter& painter, NodePicture picture, const QRect& rect,
                                 double scale) {
  QSvgRenderer* renderer = renderers_[static_cast<size_t>(picture)];
  if (renderer == nullptr || !renderer->isValid() || rect.width() <= 0 || rect.height() <= 0) {
    painter.drawEllipse(rect);
    return;
  }
  if (scale <= 0.0) {
    renderer->render(&painter, QRectF(rect));
    return;
  }
  const QSize size(std::max(1, Round(rect.width() * scale)),
                   std::max(1, Round(rect.height() * scale)));
  const int key = static_cast<int>(picture);
  auto found = std::find_if(pixmaps_.begin(), pixmaps_.end(), [&](const CachedPixmap& cached) {
    return cached.picture == key && cached.size == size;
  });
  if (found == pixmaps_.end()) {
    if (pixmaps_.size() >= kMaxCachedPixmaps) pixmaps_.clear();
    CachedPixmap cached{key, size, QPixmap(size)};
    cached.pixmap.fill(Qt::transparent);
    QPainter icon(&cached.pixmap);
    icon.setRenderHint(QPainter::Antialiasing);
    renderer->render(&icon, QRectF(0, 0, size.width(), size.height()));
    icon.end();
    pixmaps_.push_back(std::move(cached));
    found = pixmaps_.end() - 1;
  }
  painter.drawPixmap(QRectF(rect), found->pixmap, QRectF(found->pixmap.rect()));
}

void NetworkPainter::DrawLabel(QPainter& painter, const COrvoBuilderCntrItem& node,
                               double pixel_scale) {
  const LabelData* label = node.label();
  if (label == nullptr) return;
  if (!font_ready_ || font_text_ != label->font) {
    font_ = LabelFont(label->font);
    metrics_ = QFontMetricsF(font_);
    font_text_ = label->font;
    font_ready_ = true;
  }
  // On screen, text zoomed out below a legible size is left out: it cannot be read, and a
  // whole network of it costs most of the painting.
  if (pixel_scale > 0.0 && metrics_.height() * pixel_scale < kLegibleText) return;
  const QString text = FromStored(label->text);
  if (text.isEmpty()) return;
  painter.setFont(font_);
  const QFontMetricsF& metrics = metrics_;
  const double center = node.left() + node.width() / 2.0;
  const double top = (node.top() + (node.top() + node.height()) - metrics.height()) / 2.0;
  painter.drawText(QPointF(center - metrics.horizontalAdvance(text) / 2.0, top + metrics.ascent()),
                   text);
}

void NetworkPainter::DrawFrame(QPainter& painter, const COrvoBuilderCntrItem& node,
                               const PaintOptions& options) {
  const bool selected = &node == options.selected;
  // grouped_ is sorted once per paint: a rubber band may hold the whole network.
  const bool grouped = std::binary_search(grouped_.begin(), grouped_.end(), &node, std::less<>());
  if (options.screen && !selected && !grouped && node.is_label() && node.label() != nullptr &&
      !node.label()->border) {
    return;
  }
  // Frames are drawn in device pixels so that they stay thin at every zoom.
  const QTransform world = painter.worldTransform();
  const QRect device = world.mapRect(QRectF(NodeRect(node))).toAlignedRect();
  // Switching the transform is much cheaper than saving the whole painter state per node.
  painter.setWorldTransform(QTransform());
  painter.setRenderHint(QPainter::Antialiasing, false);
  const QRect frame = device.adjusted(0, 0, -1, -1);
  if (!options.screen) {
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(frame);
  } else {
    if (!selected && (!node.is_label() || node.label() == nullptr || node.label()->border)) {
      painter.setPen(QPen(Qt::darkGray, 0));
      painter.drawRect(frame);
    }
    if (selected) {
      // A coloured frame just outside the node and hollow handles, so the node stays visible.
      painter.setPen(QPen(SelectionColour(), 2));
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(frame.adjusted(-1, -1, 1, 1));
      const int h = kHandleSize;
      const int xs[] = {frame.left(), frame.center().x() - h / 2, frame.right() - h + 1};
      const int ys[] = {frame.top(), frame.center().y() - h / 2, frame.bottom() - h + 1};
      painter.setPen(QPen(SelectionColour(), 1));
      painter.setBrush(Qt::white);
      for (int ix = 0; ix < 3; ++ix) {
        for (int iy = 0; iy < 3; ++iy) {
          if (ix == 1 && iy == 1) continue;
          painter.drawRect(QRect(xs[ix], ys[iy], h - 1, h - 1));
        }
      }
      painter.setBrush(Qt::NoBrush);
    }
    if (grouped) {
      painter.setPen(QPen(SelectionColour(), 0, Qt::DashLine));
      painter.drawRect(frame.adjusted(-3, -3, 3, 3));
    }
  }
  painter.setWorldTransform(world);
  painter.setRenderHint(QPainter::Antialiasing, antialias_);
  painter.setPen(QPen(Qt::black, 1));
}

void NetworkPainter::Prepare(const COrvoBuilderDoc& document) {
  const auto& nodes = document.nodes();
  if (prepared_ && prepared_document_ == &document && prepared_nodes_ == nodes.data() &&
      prepared_count_ == nodes.size()) {
    return;
  }
  // Segment nodes by ID (IDs 1..NOSEG only, the later of two with one ID winning), found
  // without asking the document to rebuild anything.
  by_segment_.clear();
  for (const auto& node : nodes) {
    if (!node->is_segment() || node->segment() == nullptr) continue;
    const int id = node->segment()->segment_id;
    if (id >= 1 && id <= document.group_a.NOSEG) by_segment_.emplace_back(id, node.get());
  }
  std::stable_sort(by_segment_.begin(), by_segment_.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  const auto segment = [this](int id) -> const COrvoBuilderCntrItem* {
    auto found =
        std::upper_bound(by_segment_.begin(), by_segment_.end(), id,
                         [](int wanted, const auto& entry) { return wanted < entry.first; });
    if (found == by_segment_.begin() || (--found)->first != id) return nullptr;
    return found->second;
  };

  std::vector<QRect> boxes;
  boxes.reserve(nodes.size());
  for (const auto& node : nodes) boxes.push_back(NodeRect(*node));
  node_grid_->Build(boxes);

  // The links in the order they are drawn: exchange arrows and marks, node by node; anchor
  // lines; bottom-segment links.
  links_.clear();
  for (const auto& owned : nodes) {
    const COrvoBuilderCntrItem& node = *owned;
    if (!node.is_exchange() || node.exchange() == nullptr) continue;
    const QRect rect = NodeRect(node);
    const auto kind = static_cast<uint8_t>(KindOf(node));
    if (const COrvoBuilderCntrItem* up = segment(node.exchange()->upstream)) {
      links_.push_back({NodeRect(*up), rect, 0, kind, false});
    }
    if (const COrvoBuilderCntrItem* down = segment(node.exchange()->downstream)) {
      links_.push_back({rect, NodeRect(*down), 0, kind, false});
    }
    if (KindOf(node) != ExchangeKind::kInterior) links_.push_back({rect, rect, 0, kind, true});
  }
  by_number_.clear();
  by_number_.reserve(nodes.size());
  for (const auto& node : nodes) by_number_.emplace_back(node->number(), node.get());
  std::sort(by_number_.begin(), by_number_.end());
  for (const auto& owned : nodes) {
    for (const std::string& anchor : owned->anchors()) {
      const int number = AtoI(anchor);
      const auto found =
          std::lower_bound(by_number_.begin(), by_number_.end(), number,
                           [](const auto& entry, int wanted) { return entry.first < wanted; });
      // A tether naming no node is only skipped: drawing never changes the document.
      if (found == by_number_.end() || found->first != number) continue;
      links_.push_back({NodeRect(*found->second), NodeRect(*owned), 1, 0, false});
    }
  }
  for (const auto& owned : nodes) {
    if (!owned->is_segment() || owned->segment() == nullptr) continue;
    const COrvoBuilderCntrItem* bottom = segment(owned->segment()->IBOTSEG);
    if (bottom != nullptr && bottom != owned.get()) {
      links_.push_back({NodeRect(*owned), NodeRect(*bottom), 2, 0, false});
    }
  }
  boxes.clear();
  const int head = static_cast<int>(std::ceil(kArrowHead));
  for (const Link& link : links_) {
    if (link.mark) {
      // As far as DrawBoundaryMark reaches.
      const int reach = std::max(8, link.from.width() / 2) + 8 + head;
      boxes.push_back(link.from.adjusted(-reach, -reach, reach, reach));
    } else {
      boxes.push_back(link.from.united(link.to).adjusted(-head, -head, head, head));
    }
  }
  link_grid_->Build(boxes);

  prepared_ = true;
  prepared_document_ = &document;
  prepared_nodes_ = nodes.data();
  prepared_count_ = nodes.size();
}

void NetworkPainter::DrawPatches(QPainter& painter) {
  if (patches_.empty() && !dotted_) return;
  const QTransform world = painter.worldTransform();
  painter.setWorldTransform(QTransform());
  const bool antialias = painter.testRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::Antialiasing, false);
  for (const auto& [rect, colour] : patches_) painter.fillRect(rect, QColor::fromRgb(colour));
  if (dotted_) painter.drawImage(QPoint(0, 0), dots_);
  painter.setRenderHint(QPainter::Antialiasing, antialias);
  painter.setWorldTransform(world);
  patches_.clear();
  dotted_ = false;
}

void NetworkPainter::Paint(QPainter& painter, const COrvoBuilderDoc& document,
                           const PaintOptions& options) {
  const auto& nodes = document.nodes();
  const QRectF& visible = options.visible;
  Prepare(document);

  antialias_ = painter.testRenderHint(QPainter::Antialiasing);
  grouped_.clear();
  if (options.group_selection != nullptr) {
    grouped_.assign(options.group_selection->begin(), options.group_selection->end());
    std::sort(grouped_.begin(), grouped_.end(), std::less<>());
  }
  // What is seen: every item when the area shows most of the drawing, else the index's.
  const auto seen_items = [&](const RectGrid& grid, size_t count) {
    if (grid.CoversMost(visible)) {
      found_.resize(count);
      for (size_t i = 0; i < count; ++i) found_[i] = static_cast<uint32_t>(i);
    } else {
      grid.Query(visible, found_);
    }
  };

  // Simplified drawing applies on screen only; print and export keep every detail.
  const QTransform world = painter.worldTransform();
  const double device_scale = std::hypot(world.m11(), world.m12());
  const bool simplify = options.pixel_scale > 0.0;
  const QPaintDevice* device = painter.device();
  const QRect device_area =
      device != nullptr ? QRect(0, 0, device->width(), device->height()) : QRect();

  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::NoBrush);
  seen_items(*node_grid_, nodes.size());
  for (const uint32_t index : found_) {
    const COrvoBuilderCntrItem& node = *nodes[index];
    const QRect rect = NodeRect(node);
    const bool seen = rect.left() < visible.right() &&
                      rect.left() + rect.width() > visible.left() &&
                      rect.top() < visible.bottom() && rect.top() + rect.height() > visible.top();
    if (!seen) continue;
    if (simplify && std::max(rect.width(), rect.height()) * device_scale < kDetailPixels) {
      const bool marked =
          &node == options.selected ||
          std::binary_search(grouped_.begin(), grouped_.end(), &node, std::less<>());
      if (!node.is_label()) {
        QRgb colour;
        if (const QColor* fill = SegmentFill(node, options)) {
          colour = fill->rgb();
        } else if (node.is_segment() || node.is_exchange()) {
          colour = colours_[static_cast<size_t>(PictureOf(node))].rgb();
        } else {
          colour = qRgb(0, 0, 0);
        }
        const QRect patch = world.mapRect(QRectF(rect)).toAlignedRect();
        if (patch.width() <= 2 && patch.height() <= 2) {
          // Many nodes share a pixel here: the last one drawn there shows, as it would.
          const QPoint dot = world.map(QRectF(rect).center()).toPoint();
          if (device_area.contains(dot)) {
            if (!dotted_) {
              if (dots_.size() != device_area.size()) {
                dots_ = QImage(device_area.size(), QImage::Format_ARGB32_Premultiplied);
              }
              dots_.fill(Qt::transparent);
              dotted_ = true;
            }
            reinterpret_cast<QRgb*>(dots_.scanLine(dot.y()))[dot.x()] = colour;
          }
        } else {
          patches_.emplace_back(patch, colour);
        }
      }
      if (marked) DrawFrame(painter, node, options);
      continue;
    }
    if (node.is_label()) {
      DrawLabel(painter, node, options.pixel_scale);
    } else if (const QColor* fill = SegmentFill(node, options)) {
      painter.fillRect(rect, *fill);
    } else if (node.is_segment() || node.is_exchange()) {
      DrawPicture(painter, PictureOf(node), rect, options.pixel_scale);
    } else {
      painter.drawEllipse(rect);
    }
    DrawFrame(painter, node, options);
  }
  DrawPatches(painter);

  // Links: a link between nodes too small to show, and too short to be seen, is left out.
  seen_items(*link_grid_, links_.size());
  int pen = -1;
  for (const uint32_t index : found_) {
    const Link& link = links_[index];
    if (link.pass == 1 && !options.anchor_lines) continue;
    if (simplify) {
      const QPointF span = QPointF(link.to.center() - link.from.center()) * device_scale;
      const int largest =
          std::max({link.from.width(), link.from.height(), link.to.width(), link.to.height()});
      if (largest * device_scale < kDetailPixels &&
          std::abs(span.x()) + std::abs(span.y()) < 2 * kDetailPixels) {
        continue;
      }
    }
    const int wanted = link.pass == 0 ? link.kind : 10 + link.pass;
    if (wanted != pen) {
      pen = wanted;
      if (link.pass == 0) {
        const auto kind = static_cast<ExchangeKind>(link.kind);
        // Inflows and outflows (an end of 0, outside the model) get their own colour and a
        // short arrow across the node from or to the outside, so they are told apart at a
        // glance.
        painter.setPen(QPen(KindColour(kind), kind == ExchangeKind::kInterior ? 1 : 2));
      } else {
        painter.setPen(QPen(link.pass == 1 ? Qt::blue : Qt::darkGreen, 1));
      }
    }
    if (link.mark) {
      if (QRectF(link.from).intersects(visible)) {
        DrawBoundaryMark(painter, link.from, static_cast<ExchangeKind>(link.kind));
      }
    } else {
      DrawArrow(painter, link.from, link.to, visible);
    }
  }
  painter.setPen(QPen(Qt::black, 1));
}

}  // namespace orvo::ui
