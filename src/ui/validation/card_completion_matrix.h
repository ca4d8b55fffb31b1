// CardCompletionMatrix: the "Card Completion Matrix" window, a modeless report of what the
// project still lacks: the findings of every group and a card-by-card judgement of every
// segment and exchange (BuildCompletenessReport). It only reads the project.
//
// Use: CardCompletionMatrix::ShowFor(document, parent) for "Check Card Completeness"; it
// creates the document's window on first use and rebuilds and shows it every time. The
// group editors call CardCompletionMatrix::RefreshFor(document) when they close with OK,
// which rebuilds the window only while it is shown ("OK" hides it and so ends refreshes).
// Whoever owns the project's windows must destroy this one before the document (parenting
// it to a window that closes with the project does that).
#pragma once

#include <QDialog>
#include <QRect>
#include <QSize>
#include <functional>
#include <vector>

#include "model/project_document.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace orvo::ui {

class COrvoBuilderView;
class GridWidget;

class CardCompletionMatrix : public QDialog {
  Q_OBJECT

 public:
  explicit CardCompletionMatrix(COrvoBuilderDoc& document, QWidget* parent = nullptr);

  // The window of document (null when none was made), looked up among the open windows.
  static CardCompletionMatrix* Find(const COrvoBuilderDoc& document);
  // "Check Card Completeness": the document's window, made on first use, rebuilt and shown.
  static CardCompletionMatrix* ShowFor(COrvoBuilderDoc& document, QWidget* parent);
  // Rebuilds the document's window if it is shown.
  static void RefreshFor(const COrvoBuilderDoc& document);

  COrvoBuilderDoc& document() const { return *document_; }
  // Rebuilds and shows the window (normal show state) and brings it to the front.
  void ShowReport();
  // Rebuilds the report while the window is shown; nothing while it is hidden.
  void Refresh();
  // Rebuilds the report from the document now.
  void Rebuild();

  // Called with the node whose row was double-clicked, besides NodeActivated.
  void SetNodeHandler(std::function<void(const COrvoBuilderCntrItem*)> handler) {
    node_handler_ = std::move(handler);
  }

  QPlainTextEdit* findings_box() const { return findings_; }
  GridWidget* segment_table() const { return segments_; }
  GridWidget* exchange_table() const { return exchanges_; }
  QPushButton* ok_button() const { return ok_; }

 signals:
  // A segment or exchange row was double-clicked: the node it reports on.
  void NodeActivated(const COrvoBuilderCntrItem* node);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void LayOut(int dx, int dy);
  void ActivateRow(const std::vector<int>& numbers, int row);

  COrvoBuilderDoc* document_;
  QLabel* findings_label_;
  QPlainTextEdit* findings_;
  GridWidget* segments_;
  GridWidget* exchanges_;
  QPushButton* ok_;
  // Node numbers of the table rows, so that a row outliving its node finds nothing.
  std::vector<int> segment_numbers_;
  std::vector<int> exchange_numbers_;
  std::function<void(const COrvoBuilderCntrItem*)> node_handler_;
  QSize base_size_;
  QRect base_findings_, base_segments_, base_exchanges_, base_ok_;
};

// Selects node in view and scrolls to it (segments through FindSegment); nothing for a node
// of another document or one no longer in it.
void ShowNodeInView(COrvoBuilderView& view, const COrvoBuilderCntrItem* node);

}  // namespace orvo::ui

namespace orvo::ui {

// What the card completeness report finds, said when a deck is written or a run is about to
// start, so that a deck with unset options is never written in silence. Shows nothing and
// returns true when there are no errors or warnings. before_run: the box asks whether to run
// anyway (false: do not run). Its "Show Card Completion Matrix" button calls show_matrix
// (and, before a run, means not to run now).
bool ReportCompleteness(const COrvoBuilderDoc& document, bool before_run, QWidget* parent,
                        const std::function<void()>& show_matrix);

}  // namespace orvo::ui
