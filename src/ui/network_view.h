// COrvoBuilderView: the scrolling drawing and editing surface of one project's network. It
// keeps only the selection; every change goes through document and node operations, each
// user gesture as one undo step.
#pragma once

#include <QAbstractScrollArea>
#include <vector>

#include "model/project_document.h"

class QPrinter;

namespace orvo::ui {

class COrvoBuilderView : public QAbstractScrollArea, public DocumentObserver {
  Q_OBJECT

 public:
  explicit COrvoBuilderView(COrvoBuilderDoc& document, QWidget* parent = nullptr);
  ~COrvoBuilderView() override;

  COrvoBuilderDoc& document() const { return *document_; }
  COrvoBuilderCntrItem* selected_node() const { return selected_; }
  const std::vector<COrvoBuilderCntrItem*>& group_selection() const { return group_selection_; }
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
  void SetInteractionMode(int mode);
  void Print(QPrinter& printer);
  // Scrolls to the segment and selects it; false when there is no such segment.
  bool FindSegment(int segment_id);
  void ZoomIn();
  void ZoomOut();
  void ZoomFit();
  double zoom() const { return zoom_; }

  void OnDocumentUpdate(int hint, const COrvoBuilderCntrItem* node) override;

 signals:
  void SelectionChanged();

 protected:
  // Implemented in network_view.cpp (event handlers, painting).
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  COrvoBuilderDoc* document_;
  COrvoBuilderCntrItem* selected_ = nullptr;
  std::vector<COrvoBuilderCntrItem*> group_selection_;
  double zoom_ = 1.0;
};

}  // namespace orvo::ui
