// COrvoBuilderView: the scrolling drawing and editing surface of one project's network. It
// keeps only the selection; every change goes through document and node operations, each
// user gesture as one undo step.
#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QCursor>
#include <QPoint>
#include <QRect>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "model/project_document.h"
#include "ui/network/view_state.h"

class QMenu;
class QPainter;
class QPrinter;

namespace orvo::ui {

class IconPalette;
class NetworkPainter;

class COrvoBuilderView : public QAbstractScrollArea, public DocumentObserver {
  Q_OBJECT

 public:
  // state is shared with the project's other windows.
  COrvoBuilderView(COrvoBuilderDoc& document, std::shared_ptr<ProjectViewState> state,
                   QWidget* parent = nullptr);
  // A view with a state of its own.
  explicit COrvoBuilderView(COrvoBuilderDoc& document, QWidget* parent = nullptr);
  ~COrvoBuilderView() override;

  COrvoBuilderDoc& document() const { return *document_; }
  ProjectViewState& state() const { return *state_; }
  // The view keeps the numbers of the nodes it selects, so a selection outlives the node
  // objects that undo and redo replace, and a node deleted elsewhere is simply not found.
  COrvoBuilderCntrItem* selected_node() const { return document_->FindNode(selected_); }
  // The group selection's nodes that exist, in the order they were chosen.
  std::vector<COrvoBuilderCntrItem*> group_selection() const;
  void Select(COrvoBuilderCntrItem* node);

  // Commands of the menus and the tool bar.
  void OnEditProperties();
  void OnAddSegmentInterface();
  void OnAddInflow();
  void OnAddOutflow();
  void OnDelete();
  void OnSetFontAsDefault();
  void OnToggleAnchorLines();
  void OnTether();
  void OnUntether();
  void OnResizeWindow();
  void OnDisplayPalette();
  void SetInteractionMode(InteractionMode mode);
  // Every node joins the group selection (Ctrl+A).
  void SelectAll();
  // What the status bar says while a placing or linking mode lasts; empty in selection mode.
  QString ModeHint() const;
  void Print(QPrinter& printer);
  // Scrolls to the segment and selects it; false when there is no such segment.
  bool FindSegment(int segment_id);
  void ZoomIn();
  void ZoomOut();
  void ZoomFit();
  double zoom() const { return zoom_; }

  void OnDocumentUpdate(UpdateHint hint, int node_number) override;

  // The scroll size ("New Window Dimensions" on OK); sizes of 0 or less are ignored.
  void SetWindowDimensions(int width, int height);
  // Client (viewport) and document coordinates, through the zoom and the scroll position.
  QPoint ToDocument(QPoint client) const;
  QPoint ToClient(QPoint document_point) const;
  IconPalette* palette() const { return palette_; }
  // The menu the right button opens at client point; null where none opens (and then a
  // placing or linking mode is left). The caller owns the menu.
  QMenu* CreateContextMenu(QPoint client);

  // Results drawn on the network: fill colours of segments by ID (index ID - 1, see
  // PaintOptions::segment_fill) and the tool tip of a segment by ID. An empty list draws the
  // pictures again. Only the drawing changes, never the document.
  void SetSegmentFill(std::vector<QColor> colours, std::function<QString(int)> tool_tip = {});
  const std::vector<QColor>& segment_fill() const { return segment_fill_; }

 signals:
  void SelectionChanged();
  void ModeChanged(InteractionMode mode);

 protected:
  // Implemented in network_view.cpp (event handlers, painting).
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  bool viewportEvent(QEvent* event) override;

 private:
  enum class Drag { kNone, kMove, kResize, kRubberBand };

  void UpdateScrollBars();
  void SetZoom(double zoom, QPoint anchor_client);
  void ScrollToDocument(QPoint document_point);
  std::vector<COrvoBuilderCntrItem*> Nodes(const std::vector<int>& numbers) const;
  std::vector<COrvoBuilderCntrItem*> AnchorGroup(COrvoBuilderCntrItem* node) const;
  // Resize handle of the selected node under a client point: column * 3 + row (0 left or
  // top, 2 right or bottom; 4, the middle, is no handle), or -1.
  int HandleAt(QPoint client) const;
  QRect HandleRect(const QRect& frame, int handle) const;
  void BeginDrag(COrvoBuilderCntrItem* hit, QPoint client, int handle);
  QRect TrackedRect() const;
  void FinishDrag();
  void PlaceNode(QPoint document_point);
  void Connect(COrvoBuilderCntrItem* target);
  void Tether(COrvoBuilderCntrItem* target, bool tether);
  void UpdateCursor(QPoint client);
  QCursor& ModeCursor(InteractionMode mode) {
    return mode_cursors_[static_cast<std::size_t>(mode)];
  }
  void SyncPalette();
  void TogglePalette();
  void PaintOverlay(QPainter& painter);
  // Moves the selection and its tethered nodes by delta document units.
  void Nudge(QPoint delta);
  void EndNudge();

  COrvoBuilderDoc* document_;
  std::shared_ptr<ProjectViewState> state_;
  int selected_ = 0;  // node number, 0 for none
  std::vector<int> group_selection_;
  double zoom_ = 1.0;
  bool first_show_ = true;
  std::unique_ptr<NetworkPainter> painter_;
  IconPalette* palette_ = nullptr;
  QPoint last_mouse_;

  // The gesture in progress with the left button.
  Drag drag_ = Drag::kNone;
  int drag_node_ = 0;
  std::vector<int> companions_;
  int drag_handle_ = -1;
  QRect drag_start_rect_;  // document units
  QPoint drag_start_;      // document point of the press
  QPoint drag_now_;        // document point of the last move

  // A burst of arrow presses: its undo step is open until the key is let go.
  bool nudging_ = false;
  std::vector<QColor> segment_fill_;
  std::function<QString(int)> segment_tip_;

  // Cursors of the placing and linking modes, made once from the node pictures.
  std::array<QCursor, 10> mode_cursors_;
};

}  // namespace orvo::ui
