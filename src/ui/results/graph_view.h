// Chart windows on Qt Charts.
//
// GraphView draws one ChartDescription (src/results/chart_description.h): its frames, titles,
// legends, axis limits, grid and ticks, dates on the X axis when it gives a start date, and
// missing points as gaps in their lines. A click on empty chart space shows the next frame
// (wrapping); the wheel zooms about the pointer, a dragged rectangle zooms into it and a double
// click resets the zoom. A context menu and a small tool bar save the picture (PNG, SVG, PDF),
// copy the data to the clipboard or save it as CSV, and save the layout file (".gsp").
//
// GraphControl is the "Graph Control" dialog that drives a set of GraphView windows together:
// "Play" runs their frames from the first at the "milliseconds" interval, "Advance Frame" shows
// the next frame of each, "Cancel" closes the dialog and its windows.
//
// Use:
//   OpenGraphs(parent, {description, ...});        // windows + their Graph Control, modeless
//   auto* view = new GraphView(description, parent); view->show();   // one chart alone
//   ExportChartImage(description, "out.png", {800, 600}, error);       // no window needed
#pragma once

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QSize>
#include <QString>
#include <vector>

#include "results/chart_description.h"

class QChart;
class QChartView;
class QLineEdit;
class QPushButton;
class QTimer;
class QToolBar;

namespace orvo::ui {

class ChartCanvas;

class GraphView : public QDialog {
  Q_OBJECT

 public:
  // The window is 800 x 600 and deletes itself when closed. When the description has a graph
  // name and the file graph_name + ".gsp" exists, the layout it holds is applied first.
  explicit GraphView(ChartDescription description, QWidget* parent = nullptr);
  ~GraphView() override;

  const ChartDescription& description() const { return description_; }
  int frame() const { return description_.current_frame; }
  int frame_count() const { return description_.frames(); }
  // Shows frame f (ignored when out of range); the caption follows its titles.
  void ShowFrame(int f);
  // The next frame, after the last the first again.
  void AdvanceFrame();
  // The next frame; false (and nothing changes) at the last one.
  bool NextFrame();
  void ResetZoom();

  // By the suffix of path: ".png" (the chart as shown, at size, or the window's size when
  // size is empty), ".svg" or ".pdf". false with error set when it fails.
  bool SaveImage(const QString& path, QString& error, QSize size = {}) const;
  // The shown frame as CSV (ChartDescription::Csv): to the clipboard, or to a file.
  void CopyData() const;
  bool SaveCsv(const QString& path, QString& error) const;
  // The chart's look as it stands (shown axis ranges included) as a ".gsp" layout file.
  bool SaveLayout(const QString& path, QString& error) const;

  QChart* chart() const;
  QChartView* chart_view() const;
  QToolBar* tool_bar() const { return tool_bar_; }

 signals:
  void frameChanged(int frame);

 private:
  void OnSavePicture();
  void OnSaveData();
  void OnSaveLayout();

  ChartDescription description_;
  ChartCanvas* canvas_;
  QToolBar* tool_bar_;
};

class GraphControl : public QDialog {
  Q_OBJECT

 public:
  explicit GraphControl(QWidget* parent = nullptr);

  // Drives view from now on; Cancel closes it. A view closed by its user drops out.
  void AddView(GraphView* view);
  QList<GraphView*> Views() const;

  // The buttons' work, as clicking them does it.
  void Play();
  void AdvanceFrame();
  void Cancel();
  bool Playing() const;

  QLineEdit* interval_field() const { return interval_; }
  QPushButton* play_button() const { return play_; }
  QPushButton* advance_button() const { return advance_; }
  QPushButton* cancel_button() const { return cancel_; }

 protected:
  void reject() override;  // Escape and the close button cancel as well

 private:
  void Tick();

  QList<QPointer<GraphView>> views_;
  QTimer* timer_;
  QLineEdit* interval_;
  QPushButton* play_;
  QPushButton* advance_;
  QPushButton* cancel_;
};

// One GraphView per description and one GraphControl driving them, all shown, modeless.
GraphControl* OpenGraphs(QWidget* parent, std::vector<ChartDescription> charts);

// Frame `frame` of a description drawn into a file as SaveImage does, without a window
// (a QApplication must exist; the offscreen platform serves).
bool ExportChartImage(const ChartDescription& description, const QString& path, QSize size,
                      QString& error, int frame = 0);

}  // namespace orvo::ui
