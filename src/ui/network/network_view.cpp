#include "ui/network/network_view.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFont>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "model/network_deletion.h"
#include "model/number_text.h"
#include "ui/network/icon_palette.h"
#include "ui/network/network_painting.h"
#include "ui/network/network_picture.h"
#include "ui/network/node_dialogs.h"
#include "ui/shell/resize_window_dialog.h"

namespace orvo::ui {

namespace {

constexpr int kPlaceSize = 32;  // a placing click needs this much free room
constexpr int kMinTracked = 5;  // smallest size a node can be dragged to
constexpr int kAutoScroll = 5;  // document units scrolled while a drag leaves the window
constexpr double kMinZoom = 0.1;
constexpr double kMaxZoom = 8.0;
constexpr double kZoomStep = 1.25;

using Mode = InteractionMode;

bool IsPlacingSegment(Mode mode) {
  return mode == Mode::kPlaceSurface || mode == Mode::kPlaceSubsurface ||
         mode == Mode::kPlaceUpperBed || mode == Mode::kPlaceLowerBed;
}
bool IsPlacingMode(Mode mode) {
  return IsPlacingSegment(mode) || mode == Mode::kPlaceLabel;
}
bool IsArrowKey(int key) {
  return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}
bool IsLinkingMode(Mode mode) {
  return mode == Mode::kConnect || mode == Mode::kTether || mode == Mode::kUntether;
}

// A cursor made of the usual pointer with the tool's picture beside it.
QCursor ToolCursor(NodePicture picture) {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const QPointF pointer[] = {{0.5, 0.5},  {0.5, 15.0}, {4.0, 11.5}, {6.5, 17.0},
                             {9.0, 16.0}, {6.5, 10.5}, {11.5, 10.5}};
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::white);
  painter.drawPolygon(pointer, static_cast<int>(std::size(pointer)));
  painter.drawPixmap(14, 14, RenderPicture(picture, QSize(17, 17)));
  painter.end();
  return QCursor(pixmap, 0, 0);
}

}  // namespace

COrvoBuilderView::COrvoBuilderView(COrvoBuilderDoc& document, QWidget* parent)
    : COrvoBuilderView(document, std::make_shared<ProjectViewState>(), parent) {}

COrvoBuilderView::COrvoBuilderView(COrvoBuilderDoc& document,
                                   std::shared_ptr<ProjectViewState> state, QWidget* parent)
    : QAbstractScrollArea(parent),
      document_(&document),
      state_(std::move(state)),
      painter_(std::make_unique<NetworkPainter>()) {
  document_->AddObserver(this);
  viewport()->setMouseTracking(true);
  viewport()->setAutoFillBackground(false);
  setFocusPolicy(Qt::StrongFocus);
  horizontalScrollBar()->setSingleStep(16);
  verticalScrollBar()->setSingleStep(16);

  ModeCursor(Mode::kPlaceSurface) = ToolCursor(NodePicture::kSurface);
  ModeCursor(Mode::kPlaceSubsurface) = ToolCursor(NodePicture::kSubsurface);
  ModeCursor(Mode::kPlaceUpperBed) = ToolCursor(NodePicture::kUpperBed);
  ModeCursor(Mode::kPlaceLowerBed) = ToolCursor(NodePicture::kLowerBed);
  ModeCursor(Mode::kConnect) = ToolCursor(NodePicture::kConnect);
  ModeCursor(Mode::kPlaceLabel) = ToolCursor(NodePicture::kLabel);
  ModeCursor(Mode::kTether) = ToolCursor(NodePicture::kTether);
  ModeCursor(Mode::kUntether) = ToolCursor(NodePicture::kUntether);

  palette_ = new IconPalette(this);
  connect(palette_, &IconPalette::ModeChosen, this, &COrvoBuilderView::SetInteractionMode);
  connect(palette_, &IconPalette::DoneClicked, this, [this] {
    state_->palette_shown = false;
    SetInteractionMode(Mode::kSelect);
  });
  UpdateScrollBars();
}

COrvoBuilderView::~COrvoBuilderView() {
  EndNudge();
  document_->RemoveObserver(this);
}

// ---------------------------------------------------------------------------------------
// Coordinates and scrolling

QPoint COrvoBuilderView::ToDocument(QPoint client) const {
  return QPoint(static_cast<int>(std::floor((client.x() + horizontalScrollBar()->value()) / zoom_)),
                static_cast<int>(std::floor((client.y() + verticalScrollBar()->value()) / zoom_)));
}

QPoint COrvoBuilderView::ToClient(QPoint document_point) const {
  return QPoint(
      static_cast<int>(std::lround(document_point.x() * zoom_)) - horizontalScrollBar()->value(),
      static_cast<int>(std::lround(document_point.y() * zoom_)) - verticalScrollBar()->value());
}

void COrvoBuilderView::UpdateScrollBars() {
  // The scroll size is the document's drawing extent, widened to hold every node so that
  // nothing placed or read can end up out of reach.
  int width = std::max(document_->extent_width, 1);
  int height = std::max(document_->extent_height, 1);
  for (const auto& node : document_->nodes()) {
    width = std::max(width, node->left() + std::max(node->width(), 0) + kPlaceSize);
    height = std::max(height, node->top() + std::max(node->height(), 0) + kPlaceSize);
  }
  const QSize view = viewport()->size();
  const auto range = [this](int extent, int page) {
    return std::max(0, static_cast<int>(std::ceil(extent * zoom_)) - page);
  };
  horizontalScrollBar()->setRange(0, range(width, view.width()));
  horizontalScrollBar()->setPageStep(view.width());
  verticalScrollBar()->setRange(0, range(height, view.height()));
  verticalScrollBar()->setPageStep(view.height());
}

void COrvoBuilderView::scrollContentsBy(int, int) {
  viewport()->update();
}

void COrvoBuilderView::ScrollToDocument(QPoint document_point) {
  horizontalScrollBar()->setValue(static_cast<int>(std::lround(document_point.x() * zoom_)) -
                                  viewport()->width() / 2);
  verticalScrollBar()->setValue(static_cast<int>(std::lround(document_point.y() * zoom_)) -
                                viewport()->height() / 2);
}

void COrvoBuilderView::SetZoom(double zoom, QPoint anchor_client) {
  zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
  const double x = (anchor_client.x() + horizontalScrollBar()->value()) / zoom_;
  const double y = (anchor_client.y() + verticalScrollBar()->value()) / zoom_;
  zoom_ = zoom;
  UpdateScrollBars();
  horizontalScrollBar()->setValue(static_cast<int>(std::lround(x * zoom_)) - anchor_client.x());
  verticalScrollBar()->setValue(static_cast<int>(std::lround(y * zoom_)) - anchor_client.y());
  UpdateCursor(last_mouse_);
  viewport()->update();
}

void COrvoBuilderView::ZoomIn() {
  SetZoom(zoom_ * kZoomStep, viewport()->rect().center());
}
void COrvoBuilderView::ZoomOut() {
  SetZoom(zoom_ / kZoomStep, viewport()->rect().center());
}

void COrvoBuilderView::ZoomFit() {
  QRect bounds;
  for (const auto& node : document_->nodes()) bounds |= NodeRect(*node);
  if (bounds.isEmpty()) {
    SetZoom(1.0, QPoint(0, 0));
    return;
  }
  bounds.adjust(-kPlaceSize / 2, -kPlaceSize / 2, kPlaceSize / 2, kPlaceSize / 2);
  const double zoom = std::min(viewport()->width() / static_cast<double>(bounds.width()),
                               viewport()->height() / static_cast<double>(bounds.height()));
  SetZoom(zoom, QPoint(0, 0));
  horizontalScrollBar()->setValue(static_cast<int>(std::lround(bounds.left() * zoom_)));
  verticalScrollBar()->setValue(static_cast<int>(std::lround(bounds.top() * zoom_)));
}

// ---------------------------------------------------------------------------------------
// Selection and document updates

void COrvoBuilderView::Select(COrvoBuilderCntrItem* node) {
  const int number = node != nullptr ? node->number() : 0;
  if (selected_ == number) return;
  selected_ = number;
  viewport()->update();
  emit SelectionChanged();
}

std::vector<COrvoBuilderCntrItem*> COrvoBuilderView::Nodes(const std::vector<int>& numbers) const {
  std::vector<COrvoBuilderCntrItem*> nodes;
  nodes.reserve(numbers.size());
  for (const int number : numbers)
    if (COrvoBuilderCntrItem* node = document_->FindNode(number)) nodes.push_back(node);
  return nodes;
}

std::vector<COrvoBuilderCntrItem*> COrvoBuilderView::group_selection() const {
  return Nodes(group_selection_);
}

void COrvoBuilderView::OnDocumentUpdate(UpdateHint hint, int) {
  // Any change may move or renumber nodes: the painter's index is made again when next used.
  painter_->Invalidate();
  if (hint == kHintNetworkDeleting) {
    // The selection is kept by number: after an undo or redo it is the same nodes again.
    companions_.clear();
    drag_node_ = 0;
    drag_ = Drag::kNone;
  } else if (hint == kHintRedrawAll) {
    SyncPalette();
  }
  // The selected nodes may have gone or come back: the windows that follow the selection look
  // again.
  if ((hint == kHintNetworkBuilt || hint == kHintRedrawAll) &&
      (selected_ != 0 || !group_selection_.empty()))
    emit SelectionChanged();
  if (hint == kHintNetworkBuilt || hint == kHintRedrawAll) UpdateScrollBars();
  viewport()->update();
}

// ---------------------------------------------------------------------------------------
// Painting

void COrvoBuilderView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QRect area = event->rect();
  painter.fillRect(area, Qt::white);
  const int sx = horizontalScrollBar()->value();
  const int sy = verticalScrollBar()->value();
  painter.translate(-sx, -sy);
  painter.scale(zoom_, zoom_);
  painter.setRenderHint(QPainter::Antialiasing);
  PaintOptions options;
  options.screen = true;
  options.anchor_lines = state_->anchor_lines;
  options.selected = selected_node();
  const std::vector<COrvoBuilderCntrItem*> grouped = group_selection();
  options.group_selection = &grouped;
  options.visible = QRectF((area.left() + sx) / zoom_, (area.top() + sy) / zoom_,
                           area.width() / zoom_, area.height() / zoom_);
  options.pixel_scale = zoom_ * devicePixelRatioF();
  if (!segment_fill_.empty()) options.segment_fill = &segment_fill_;
  painter_->Paint(painter, *document_, options);
  painter.resetTransform();
  PaintOverlay(painter);
}

void COrvoBuilderView::SetSegmentFill(std::vector<QColor> colours,
                                      std::function<QString(int)> tool_tip) {
  segment_fill_ = std::move(colours);
  segment_tip_ = std::move(tool_tip);
  viewport()->update();
}

bool COrvoBuilderView::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip && segment_tip_) {
    const auto* help = static_cast<QHelpEvent*>(event);
    const QPoint at = ToDocument(help->pos());
    const COrvoBuilderCntrItem* hit = document_->HitTest(at.x(), at.y());
    if (hit != nullptr && hit->is_segment() && hit->segment() != nullptr) {
      QToolTip::showText(help->globalPos(), segment_tip_(hit->segment()->segment_id), viewport());
    } else {
      QToolTip::hideText();
      event->ignore();
    }
    return true;
  }
  return QAbstractScrollArea::viewportEvent(event);
}

void COrvoBuilderView::PaintOverlay(QPainter& painter) {
  if (drag_ == Drag::kNone) return;
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setBrush(Qt::NoBrush);
  const auto client_rect = [this](const QRect& rect) {
    return QRect(ToClient(rect.topLeft()),
                 ToClient(rect.topLeft() + QPoint(rect.width(), rect.height())))
        .adjusted(0, 0, -1, -1);
  };
  if (drag_ == Drag::kRubberBand) {
    painter.setPen(QPen(Qt::black, 0, Qt::DashLine));
    painter.drawRect(QRect(ToClient(drag_start_), ToClient(drag_now_)).normalized());
    return;
  }
  const QRect tracked = TrackedRect();
  painter.setPen(QPen(Qt::black, 0, Qt::DashLine));
  painter.drawRect(client_rect(tracked));
  painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
  const QPoint offset = tracked.topLeft() - drag_start_rect_.topLeft();
  for (const COrvoBuilderCntrItem* companion : Nodes(companions_)) {
    painter.drawRect(client_rect(NodeRect(*companion).translated(offset)));
  }
}

void COrvoBuilderView::Print(QPrinter& printer) {
  QPainter painter;
  if (!painter.begin(&printer)) return;
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  PictureDecoration decoration;
  decoration.anchor_lines = state_->anchor_lines;
  PaintNetworkPicture(painter, *document_, QRectF(QPointF(0, 0), QSizeF(page.size())), &decoration);
  painter.end();
}

// ---------------------------------------------------------------------------------------
// Mouse

QRect COrvoBuilderView::HandleRect(const QRect& frame, int handle) const {
  const int h = kHandleSize;
  const int ix = handle / 3;
  const int iy = handle % 3;
  const int x = ix == 0   ? frame.left()
                : ix == 1 ? frame.center().x() - h / 2
                          : frame.right() - h + 1;
  const int y = iy == 0   ? frame.top()
                : iy == 1 ? frame.center().y() - h / 2
                          : frame.bottom() - h + 1;
  return QRect(x, y, h, h).adjusted(-1, -1, 1, 1);
}

int COrvoBuilderView::HandleAt(QPoint client) const {
  if (selected_node() == nullptr) return -1;
  const QRect rect = NodeRect(*selected_node());
  const QRect frame = QRect(ToClient(rect.topLeft()),
                            ToClient(rect.topLeft() + QPoint(rect.width(), rect.height())))
                          .adjusted(0, 0, -1, -1);
  for (int handle = 0; handle < 9; ++handle) {
    if (handle == 4) continue;  // the middle is the node itself
    if (HandleRect(frame, handle).contains(client)) return handle;
  }
  return -1;
}

std::vector<COrvoBuilderCntrItem*> COrvoBuilderView::AnchorGroup(COrvoBuilderCntrItem* node) const {
  // Breadth first, one pass over the list per generation of tethers: anchor lists are short
  // and chains shallow, so this beats indexing a large network on every click.
  std::vector<COrvoBuilderCntrItem*> group{node};
  std::unordered_set<const COrvoBuilderCntrItem*> seen{node};
  std::vector<int> wanted;
  for (size_t done = 0; done < group.size();) {
    wanted.clear();
    for (; done < group.size(); ++done) {
      for (const std::string& anchor : group[done]->anchors()) wanted.push_back(AtoI(anchor));
    }
    if (wanted.empty()) break;
    std::sort(wanted.begin(), wanted.end());
    for (const auto& owned : document_->nodes()) {
      if (std::binary_search(wanted.begin(), wanted.end(), owned->number()) &&
          seen.insert(owned.get()).second) {
        group.push_back(owned.get());
      }
    }
  }
  return group;
}

void COrvoBuilderView::BeginDrag(COrvoBuilderCntrItem* hit, QPoint client, int handle) {
  Select(hit);
  const bool grouped = std::find(group_selection_.begin(), group_selection_.end(), hit->number()) !=
                       group_selection_.end();
  if (!grouped) group_selection_.clear();
  std::vector<COrvoBuilderCntrItem*> companions = AnchorGroup(hit);
  if (grouped) {
    std::unordered_set<const COrvoBuilderCntrItem*> seen(companions.begin(), companions.end());
    for (COrvoBuilderCntrItem* member : group_selection()) {
      if (seen.insert(member).second) companions.push_back(member);
    }
  }
  companions_.clear();
  for (const COrvoBuilderCntrItem* companion : companions)
    if (companion != hit) companions_.push_back(companion->number());
  drag_ = handle >= 0 ? Drag::kResize : Drag::kMove;
  drag_node_ = hit->number();
  drag_handle_ = handle;
  drag_start_rect_ = NodeRect(*hit);
  drag_start_ = drag_now_ = ToDocument(client);
  viewport()->update();
}

QRect COrvoBuilderView::TrackedRect() const {
  const QPoint delta = drag_now_ - drag_start_;
  if (drag_ != Drag::kResize) return drag_start_rect_.translated(delta);
  int left = drag_start_rect_.left();
  int top = drag_start_rect_.top();
  int right = left + drag_start_rect_.width();
  int bottom = top + drag_start_rect_.height();
  const int ix = drag_handle_ / 3;
  const int iy = drag_handle_ % 3;
  if (ix == 0) left = std::min(left + delta.x(), right - kMinTracked);
  if (ix == 2) right = std::max(right + delta.x(), left + kMinTracked);
  if (iy == 0) top = std::min(top + delta.y(), bottom - kMinTracked);
  if (iy == 2) bottom = std::max(bottom + delta.y(), top + kMinTracked);
  return QRect(left, top, right - left, bottom - top);
}

void COrvoBuilderView::FinishDrag() {
  const Drag drag = drag_;
  const QRect moved = TrackedRect();
  drag_ = Drag::kNone;
  if (drag == Drag::kRubberBand) {
    const QRect band = QRect(drag_start_, drag_now_).normalized();
    group_selection_.clear();
    for (const auto& node : document_->nodes()) {
      if (NodeRect(*node).intersects(band)) group_selection_.push_back(node->number());
    }
    document_->UpdateAllViews(kHintRedrawAll);
    return;
  }
  COrvoBuilderCntrItem* hit = document_->FindNode(drag_node_);
  drag_node_ = 0;
  const std::vector<COrvoBuilderCntrItem*> companions = Nodes(companions_);
  companions_.clear();
  viewport()->update();
  if (hit == nullptr) return;
  if (moved == drag_start_rect_) return;
  // A drop onto a node outside the moving group is refused.
  for (const auto& node : document_->nodes()) {
    if (node.get() == hit || !NodeRect(*node).intersects(moved)) continue;
    if (std::find(companions.begin(), companions.end(), node.get()) == companions.end()) return;
    break;
  }
  ScopedStep step(*document_, drag == Drag::kResize ? "Resize" : "Move", kNoGroups);
  const int dx = moved.left() - drag_start_rect_.left();
  const int dy = moved.top() - drag_start_rect_.top();
  hit->SetRect(moved.left(), moved.top(), moved.left() + moved.width(),
               moved.top() + moved.height());
  for (COrvoBuilderCntrItem* companion : companions) {
    const int left = std::max(companion->left() + dx, 0);
    const int top = std::max(companion->top() + dy, 0);
    companion->SetRect(left, top, left + companion->width(), top + companion->height());
  }
  document_->SetModifiedFlag();
  document_->UpdateAllViews(kHintRedrawAll);
}

void COrvoBuilderView::PlaceNode(QPoint at) {
  const Mode mode = state_->interaction_mode;
  const QRect room(at, QSize(kPlaceSize, kPlaceSize));
  const COrvoBuilderCntrItem* selected = selected_node();
  for (const auto& node : document_->nodes()) {
    if (node.get() != selected && NodeRect(*node).intersects(room)) return;
  }
  const bool label_mode = mode == Mode::kPlaceLabel;
  ScopedStep step(*document_, label_mode ? "Place Label" : "Place Segment");
  COrvoBuilderCntrItem* node = document_->NewNode();
  node->SetRect(at.x(), at.y(), at.x(), at.y());
  Select(node);
  const auto give_default_font = [this](COrvoBuilderCntrItem& label) {
    if (state_->default_label_font) label.SetFont(*state_->default_label_font);
  };
  if (label_mode) {
    node->SetType(kLabelNode);
    give_default_font(*node);
  } else {
    node->SetType(kSegmentNode);
    document_->AddSegment(*node);
    node->SetParameter(segment_param::kSegmentType,
                       IntText(static_cast<int>(mode) - static_cast<int>(Mode::kPlaceSurface)));
    COrvoBuilderCntrItem* label = document_->NewNode();
    const int left = at.x() + 20;
    const int top = at.y() - 40;
    label->SetRect(left, top, left, top);
    label->SetType(kLabelNode);
    give_default_font(*label);
    label->SetParameter(label_param::kBorder, "0");
    label->SetParameter(label_param::kText, node->GetParameter(segment_param::kSegmentId));
    label->EnsureDefaultSize();
    FitLabelToText(*label);
    node->AddAnchor(*label);
  }
  node->EnsureDefaultSize();
  if (label_mode) FitLabelToText(*node);
  document_->UpdateAllViews(kHintRedrawAll);
}

void COrvoBuilderView::Connect(COrvoBuilderCntrItem* target) {
  if (selected_node() == nullptr || !selected_node()->is_segment()) {
    SetInteractionMode(Mode::kSelect);
    return;
  }
  if (!target->is_segment() || target == selected_node()) {
    // Exchanges join two different segments; the mode stays so that another can be clicked.
    document_->platform().ShowMessage(
        "An exchange connects two segments.  Click on another segment, or click the right "
        "mouse button on empty space to stop.");
    return;
  }
  {
    ScopedStep step(*document_, "Add Segment Interface");
    document_->AddExchange(selected_node(), target, kInterface);
  }
  SetInteractionMode(Mode::kSelect);
}

void COrvoBuilderView::Tether(COrvoBuilderCntrItem* target, bool tether) {
  if (selected_node() == nullptr || target == selected_node()) return;
  if (tether) {
    if (target->number() == 0) {
      document_->platform().ShowMessage(
          "Anchor node needs an ID assigned before a connection can be made.");
      return;
    }
    ScopedStep step(*document_, "Tether", kNoGroups);
    if (target->AddAnchor(*selected_node())) document_->SetModifiedFlag();
  } else {
    ScopedStep step(*document_, "Untether", kNoGroups);
    const size_t before = target->anchors().size();
    target->RemoveAnchor(IntText(selected_node()->number()));
    if (target->anchors().size() != before) document_->SetModifiedFlag();
  }
  document_->UpdateAllViews(kHintNodeChanged, target->number());
  // One node per command: a mode left on would tether whatever is clicked next.
  SetInteractionMode(Mode::kSelect);
}

void COrvoBuilderView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QAbstractScrollArea::mousePressEvent(event);
    return;
  }
  EndNudge();
  const QPoint client = event->position().toPoint();
  last_mouse_ = client;
  const Mode mode = state_->interaction_mode;
  // The selected node's handles lie on top of everything.
  if (!IsLinkingMode(mode)) {
    const int handle = HandleAt(client);
    if (handle >= 0) {
      BeginDrag(selected_node(), client, handle);
      return;
    }
  }
  const QPoint at = ToDocument(client);
  COrvoBuilderCntrItem* hit = document_->HitTest(at.x(), at.y());
  if (hit != nullptr) {
    if (mode == Mode::kConnect) {
      Connect(hit);
    } else if (mode == Mode::kTether || mode == Mode::kUntether) {
      Tether(hit, mode == Mode::kTether);
    } else {
      BeginDrag(hit, client, -1);
    }
  } else if (mode == Mode::kSelect) {
    // A click on empty canvas lets go of everything; dragging from there draws a band.
    if (!group_selection_.empty()) {
      group_selection_.clear();
      emit SelectionChanged();
    }
    Select(nullptr);
    drag_ = Drag::kRubberBand;
    drag_start_ = drag_now_ = at;
  } else if (IsPlacingMode(mode)) {
    PlaceNode(at);
  }
}

void COrvoBuilderView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint client = event->position().toPoint();
  last_mouse_ = client;
  if (drag_ == Drag::kNone) {
    UpdateCursor(client);
    return;
  }
  drag_now_ = ToDocument(client);
  if (drag_ == Drag::kMove || drag_ == Drag::kResize) {
    // Leaving the window with the dragged corner scrolls the drawing along.
    const QPoint corner = ToClient(TrackedRect().topLeft());
    const int step = std::max(1, static_cast<int>(std::lround(kAutoScroll * zoom_)));
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    if (corner.x() < 0) h->setValue(h->value() - step);
    if (corner.y() < 0) v->setValue(v->value() - step);
    if (corner.x() > viewport()->width()) h->setValue(h->value() + step);
    if (corner.y() > viewport()->height()) v->setValue(v->value() + step);
    drag_now_ = ToDocument(client);
  }
  viewport()->update();
}

void COrvoBuilderView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QAbstractScrollArea::mouseReleaseEvent(event);
    return;
  }
  if (drag_ == Drag::kNone) return;
  drag_now_ = ToDocument(event->position().toPoint());
  FinishDrag();
}

void COrvoBuilderView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  drag_ = Drag::kNone;
  drag_node_ = 0;
  companions_.clear();
  if (IsLinkingMode(state_->interaction_mode)) return;
  const QPoint at = ToDocument(event->position().toPoint());
  COrvoBuilderCntrItem* hit = document_->HitTest(at.x(), at.y());
  if (hit == nullptr) return;
  Select(hit);
  OnEditProperties();
}

void COrvoBuilderView::UpdateCursor(QPoint client) {
  const Mode mode = state_->interaction_mode;
  const QPoint at = ToDocument(client);
  const COrvoBuilderCntrItem* hit = document_->HitTest(at.x(), at.y());
  QCursor cursor(Qt::ArrowCursor);
  if (!IsLinkingMode(mode) && selected_node() != nullptr) {
    switch (HandleAt(client)) {
      case 0:
      case 8:
        cursor = QCursor(Qt::SizeFDiagCursor);
        break;
      case 2:
      case 6:
        cursor = QCursor(Qt::SizeBDiagCursor);
        break;
      case 1:
      case 7:
        cursor = QCursor(Qt::SizeHorCursor);
        break;
      case 3:
      case 5:
        cursor = QCursor(Qt::SizeVerCursor);
        break;
      default:
        if (hit == selected_node())
          cursor = QCursor(Qt::SizeAllCursor);
        else if (hit == nullptr && IsPlacingMode(mode))
          cursor = ModeCursor(mode);
        break;
    }
  } else if (hit == nullptr && IsPlacingMode(mode)) {
    cursor = ModeCursor(mode);
  } else if (IsLinkingMode(mode)) {
    // The mode shows wherever the pointer is; a node that cannot be the target says so.
    cursor = mode == Mode::kConnect && hit != nullptr && !hit->is_segment()
                 ? QCursor(Qt::ForbiddenCursor)
                 : ModeCursor(mode);
  }
  viewport()->setCursor(cursor);
}

// ---------------------------------------------------------------------------------------
// Menus, keys, wheel

QMenu* COrvoBuilderView::CreateContextMenu(QPoint client) {
  const QPoint at = ToDocument(client);
  COrvoBuilderCntrItem* hit = document_->HitTest(at.x(), at.y());
  const auto add_linking = [this](QMenu* menu) {
    menu->addSeparator();
    QAction* toggle = menu->addAction(QStringLiteral("&Toggle Anchor Lines"), this,
                                      &COrvoBuilderView::OnToggleAnchorLines);
    toggle->setStatusTip(QStringLiteral(
        "Toggles the display of anchor lines that show what nodes are tethered to other "
        "nodes."));
    toggle->setCheckable(true);
    toggle->setChecked(state_->anchor_lines);
  };
  if (hit == nullptr) {
    if (state_->interaction_mode != Mode::kSelect) {
      SetInteractionMode(Mode::kSelect);
      return nullptr;
    }
    auto* menu = new QMenu(QStringLiteral("Default"), this);
    add_linking(menu);
    menu->removeAction(menu->actions().first());  // no leading separator
    return menu;
  }
  Select(hit);
  const char* title = hit->is_segment()    ? "Segment Commands"
                      : hit->is_exchange() ? "Exchange Commands"
                                           : "Label Commands";
  auto* menu = new QMenu(QString::fromLatin1(title), this);
  menu->addAction(QStringLiteral("&Edit Properties"), this, &COrvoBuilderView::OnEditProperties)
      ->setStatusTip(QStringLiteral("Change the card data for this item."));
  if (hit->is_segment()) {
    menu->addSeparator();
    menu->addAction(QStringLiteral("Add Segment Interface"), this,
                    &COrvoBuilderView::OnAddSegmentInterface)
        ->setStatusTip(QStringLiteral(
            "Click on another segment to create an exchange by this segment and the target."));
    menu->addAction(QStringLiteral("Add &Inflow"), this, &COrvoBuilderView::OnAddInflow)
        ->setStatusTip(QStringLiteral(
            "Create an exchange with inflow from ID 0 and outflow to this segment."));
    menu->addAction(QStringLiteral("Add &Outflow"), this, &COrvoBuilderView::OnAddOutflow)
        ->setStatusTip(QStringLiteral(
            "Create an exchange going to ID 0 at this segment and inflow from this segment."));
  }
  if (hit->is_label()) {
    menu->addSeparator();
    menu->addAction(QStringLiteral("Set Font As Default"), this,
                    &COrvoBuilderView::OnSetFontAsDefault);
  }
  menu->addSeparator();
  menu->addAction(QStringLiteral("Delete"), this, &COrvoBuilderView::OnDelete);
  menu->addSeparator();
  menu->addAction(QStringLiteral("Te&ther to Node..."), this, &COrvoBuilderView::OnTether)
      ->setStatusTip(QStringLiteral("Click on another node to make this node follow it."));
  menu->addAction(QStringLiteral("&Untether from Node..."), this, &COrvoBuilderView::OnUntether)
      ->setStatusTip(QStringLiteral("Click on a node that this node should no longer follow."));
  add_linking(menu);
  return menu;
}

void COrvoBuilderView::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = CreateContextMenu(event->pos());
  if (menu == nullptr) return;
  menu->exec(event->globalPos());
  delete menu;
}

void COrvoBuilderView::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (!IsArrowKey(key)) EndNudge();
  if (key == Qt::Key_Delete) {
    OnDelete();
  } else if (key == Qt::Key_Escape && drag_ != Drag::kNone) {
    drag_ = Drag::kNone;
    drag_node_ = 0;
    companions_.clear();
    viewport()->update();
  } else if (key == Qt::Key_Escape && state_->interaction_mode != Mode::kSelect) {
    SetInteractionMode(Mode::kSelect);
  } else if (event->matches(QKeySequence::SelectAll)) {
    SelectAll();
  } else if (drag_ == Drag::kNone && IsArrowKey(key) &&
             (selected_node() != nullptr || !group_selection_.empty())) {
    const int step = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    Nudge(QPoint(key == Qt::Key_Left    ? -step
                 : key == Qt::Key_Right ? step
                                        : 0,
                 key == Qt::Key_Up     ? -step
                 : key == Qt::Key_Down ? step
                                       : 0));
  } else {
    QAbstractScrollArea::keyPressEvent(event);
  }
}

void COrvoBuilderView::SelectAll() {
  group_selection_.clear();
  group_selection_.reserve(document_->nodes().size());
  for (const auto& node : document_->nodes()) group_selection_.push_back(node->number());
  viewport()->update();
  emit SelectionChanged();
}

void COrvoBuilderView::Nudge(QPoint delta) {
  // The selection with everything tethered to it moves, as a drag would move it.
  std::vector<COrvoBuilderCntrItem*> moving;
  std::unordered_set<const COrvoBuilderCntrItem*> seen;
  std::vector<COrvoBuilderCntrItem*> roots = group_selection();
  if (roots.empty() && selected_node() != nullptr) roots.push_back(selected_node());
  for (COrvoBuilderCntrItem* root : roots) {
    for (COrvoBuilderCntrItem* node : AnchorGroup(root)) {
      if (seen.insert(node).second) moving.push_back(node);
    }
  }
  // Nothing is pushed off the drawing's top or left edge.
  for (const COrvoBuilderCntrItem* node : moving) {
    delta.setX(std::max(delta.x(), -node->left()));
    delta.setY(std::max(delta.y(), -node->top()));
  }
  if (moving.empty() || delta.isNull()) return;
  // The presses of one burst (an arrow key held down, repeating) are one step, which stays
  // open until the key is let go: one undo takes back the whole burst.
  if (!nudging_) {
    document_->BeginStep("Nudge", kNoGroups);
    nudging_ = true;
  }
  for (COrvoBuilderCntrItem* node : moving) {
    const int left = node->left() + delta.x();
    const int top = node->top() + delta.y();
    node->SetRect(left, top, left + node->width(), top + node->height());
  }
  document_->UpdateAllViews(kHintRedrawAll);
}

void COrvoBuilderView::EndNudge() {
  if (!nudging_) return;
  nudging_ = false;
  document_->EndStep();
}

void COrvoBuilderView::keyReleaseEvent(QKeyEvent* event) {
  if (IsArrowKey(event->key()) && !event->isAutoRepeat()) EndNudge();
  QAbstractScrollArea::keyReleaseEvent(event);
}

void COrvoBuilderView::focusOutEvent(QFocusEvent* event) {
  EndNudge();
  QAbstractScrollArea::focusOutEvent(event);
}

QString COrvoBuilderView::ModeHint() const {
  switch (state_->interaction_mode) {
    case Mode::kPlaceSurface:
    case Mode::kPlaceSubsurface:
    case Mode::kPlaceUpperBed:
    case Mode::kPlaceLowerBed:
      return QStringLiteral(
          "Click on empty space to place a segment. Esc or a right click on empty space ends "
          "placing.");
    case Mode::kPlaceLabel:
      return QStringLiteral(
          "Click on empty space to place a label. Esc or a right click on empty space ends "
          "placing.");
    case Mode::kConnect:
      return QStringLiteral(
          "Click on the segment to connect the selected segment to. Esc ends connecting.");
    case Mode::kTether:
      return QStringLiteral(
          "Click on the node the selected node should follow. Esc ends tethering.");
    case Mode::kUntether:
      return QStringLiteral(
          "Click on the node the selected node should no longer follow. Esc ends untethering.");
    default:
      return {};
  }
}

void COrvoBuilderView::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier)) {
    QAbstractScrollArea::wheelEvent(event);
    return;
  }
  const int delta = event->angleDelta().y();
  if (delta == 0) return;
  SetZoom(zoom_ * std::pow(kZoomStep, delta / 120.0), event->position().toPoint());
  event->accept();
}

void COrvoBuilderView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void COrvoBuilderView::showEvent(QShowEvent* event) {
  QAbstractScrollArea::showEvent(event);
  if (!first_show_) return;
  first_show_ = false;
  Select(nullptr);
  UpdateScrollBars();
  TogglePalette();
}

// ---------------------------------------------------------------------------------------
// Commands

void COrvoBuilderView::OnEditProperties() {
  if (selected_node() == nullptr) return;
  COrvoBuilderCntrItem& node = *selected_node();
  {
    ScopedStep step(*document_, "Edit Properties", kNoGroups);
    document_->EditProperties(
        node, [this](COrvoBuilderCntrItem& edited) { return RunNodeDialog(this, edited); });
  }
  document_->UpdateAllViews(kHintRedrawAll);
}

void COrvoBuilderView::OnAddSegmentInterface() {
  if (selected_node() != nullptr && selected_node()->is_segment())
    SetInteractionMode(Mode::kConnect);
}

void COrvoBuilderView::OnAddInflow() {
  if (selected_node() == nullptr || !selected_node()->is_segment()) return;
  ScopedStep step(*document_, "Add Inflow");
  document_->AddExchange(selected_node(), selected_node(), kInflow);
  document_->UpdateAllViews(kHintRedrawAll);
}

void COrvoBuilderView::OnAddOutflow() {
  if (selected_node() == nullptr || !selected_node()->is_segment()) return;
  ScopedStep step(*document_, "Add Outflow");
  document_->AddExchange(selected_node(), selected_node(), kOutflow);
  document_->UpdateAllViews(kHintRedrawAll);
}

namespace {

// Says how many exchanges go with the nodes, so nobody loses a connection unawares.
std::string DeleteQuestion(const std::string& what, const std::string& whose, int exchanges) {
  std::string question = "Are you sure you want to delete " + what;
  if (exchanges > 0) {
    question += " and " + whose + " " + std::to_string(exchanges) +
                (exchanges == 1 ? " exchange" : " exchanges");
  }
  return question + "?";
}

}  // namespace

void COrvoBuilderView::OnDelete() {
  if (!group_selection().empty()) {
    // Exchanges between two selected segments, or selected themselves, are counted once.
    std::unordered_set<const COrvoBuilderCntrItem*> exchanges;
    std::unordered_set<int> ids;
    const std::unordered_set<int> chosen(group_selection_.begin(), group_selection_.end());
    for (const COrvoBuilderCntrItem* node : group_selection()) {
      if (node->is_segment() && node->segment() != nullptr) ids.insert(node->segment()->segment_id);
    }
    for (const auto& node : document_->nodes()) {
      if (node->is_exchange() && node->exchange() != nullptr &&
          (ids.count(node->exchange()->upstream) || ids.count(node->exchange()->downstream)) &&
          chosen.count(node->number()) == 0) {
        exchanges.insert(node.get());
      }
    }
    if (!document_->platform().AskYesNo(
            DeleteQuestion("all selected nodes", "their", static_cast<int>(exchanges.size())))) {
      return;
    }
    // Deleting a segment also deletes its ID label, which may be in the selection too:
    // nodes are taken by number and skipped once they are gone.
    const std::vector<int> numbers = std::move(group_selection_);
    group_selection_.clear();
    Select(nullptr);
    ScopedStep step(*document_, "Delete");
    for (const int number : numbers) {
      if (COrvoBuilderCntrItem* node = document_->FindNode(number)) document_->DeleteNode(node);
    }
  } else if (selected_node() != nullptr) {
    if (!document_->platform().AskYesNo(
            DeleteQuestion("this node", "its", CountExchangesOf(*document_, *selected_node())))) {
      return;
    }
    COrvoBuilderCntrItem* node = selected_node();
    Select(nullptr);
    ScopedStep step(*document_, "Delete");
    document_->DeleteNode(node);
  } else {
    return;
  }
  document_->UpdateAllViews(kHintRedrawAll);
}

void COrvoBuilderView::OnSetFontAsDefault() {
  if (selected_node() == nullptr || !selected_node()->is_label() ||
      selected_node()->label() == nullptr)
    return;
  const std::string& text = selected_node()->label()->font;
  QFont font = QApplication::font();
  if (!text.empty() && !font.fromString(QString::fromStdString(text))) {
    state_->default_label_font.reset();
    return;
  }
  state_->default_label_font = font.toString().toStdString();
}

void COrvoBuilderView::OnToggleAnchorLines() {
  state_->anchor_lines = !state_->anchor_lines;
  document_->UpdateAllViews(kHintRedrawAll);
}

void COrvoBuilderView::OnTether() {
  if (selected_node() != nullptr) SetInteractionMode(Mode::kTether);
}

void COrvoBuilderView::OnUntether() {
  if (selected_node() != nullptr) SetInteractionMode(Mode::kUntether);
}

void COrvoBuilderView::OnResizeWindow() {
  ResizeWindowDialog dialog(std::max(document_->extent_width, 1),
                            std::max(document_->extent_height, 1), this);
  if (dialog.exec() != QDialog::Accepted) return;
  SetWindowDimensions(dialog.width_value(), dialog.height_value());
}

void COrvoBuilderView::SetWindowDimensions(int width, int height) {
  if (width <= 0 || height <= 0) return;
  {
    ScopedStep step(*document_, "Resize Window", kNoGroups);
    document_->extent_width = width;
    document_->extent_height = height;
  }
  document_->UpdateAllViews(kHintNetworkBuilt);
}

void COrvoBuilderView::OnDisplayPalette() {
  TogglePalette();
}

void COrvoBuilderView::TogglePalette() {
  if (state_->palette_shown) {
    state_->palette_shown = false;
    SetInteractionMode(Mode::kSelect);
  } else {
    state_->palette_shown = true;
    palette_->PlaceOnScreen();
    document_->UpdateAllViews(kHintRedrawAll);
  }
  SyncPalette();
}

void COrvoBuilderView::SyncPalette() {
  if (palette_ == nullptr) return;
  palette_->ShowMode(state_->interaction_mode);
  if (palette_->isVisible() != state_->palette_shown) {
    palette_->setVisible(state_->palette_shown);
  }
}

void COrvoBuilderView::SetInteractionMode(InteractionMode mode) {
  state_->interaction_mode = mode;
  document_->UpdateAllViews(kHintRedrawAll);
  SyncPalette();
  UpdateCursor(last_mouse_);
  // The status bar says how to leave the mode for as long as it lasts.
  if (auto* main = qobject_cast<QMainWindow*>(window())) {
    const QString hint = ModeHint();
    if (hint.isEmpty()) {
      main->statusBar()->clearMessage();
    } else {
      main->statusBar()->showMessage(hint);
    }
  }
  emit ModeChanged(mode);
}

bool COrvoBuilderView::FindSegment(int segment_id) {
  COrvoBuilderCntrItem* node = document_->GetSegmentNode(segment_id);
  if (node == nullptr) return false;
  group_selection_.clear();
  Select(node);
  UpdateScrollBars();
  ScrollToDocument(QPoint(node->CenterX(), node->CenterY()));
  viewport()->update();
  return true;
}

}  // namespace orvo::ui
