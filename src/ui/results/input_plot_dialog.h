// The "View Input" plots: a dialog on a project that picks one item of a card (an exchange or
// flow time function, a volume quantity, a segment's boundary or load function of a system, a
// kinetic time function) and "Plot" shows it in a GraphView. The items and their charts are
// built from the document alone (InputPlotItems, BuildInputPlot), so they are tested without
// the dialog.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "results/chart_description.h"

class QComboBox;
class QPushButton;

namespace orvo {
class COrvoBuilderDoc;
}

namespace orvo::ui {

// The six cards of "View Input", in menu order.
enum class InputCard { kB, kC, kD, kE, kF, kI };
const char* InputCardTitle(InputCard card);  // "Card B (Exchanges)" ...

struct InputPlotItem {
  std::string label;     // as the dialog lists it
  std::string function;  // "value time value time ..." of a time function
  int quantity = -1;     // card C: BVOL, VMULT, VEXP, DMULT, DXP over the segments
};

std::vector<InputPlotItem> InputPlotItems(const COrvoBuilderDoc& document, InputCard card);
// A time function as an x-y chart over its times, or a card C quantity per segment.
ChartDescription BuildInputPlot(const COrvoBuilderDoc& document, InputCard card,
                                const InputPlotItem& item);

class InputPlotDialog : public QDialog {
  Q_OBJECT

 public:
  // Modeless; deletes itself when closed. The items are read when it opens.
  InputPlotDialog(COrvoBuilderDoc& document, InputCard card, QWidget* parent = nullptr);

  QComboBox* item_list() const { return items_; }
  QPushButton* plot_button() const { return plot_; }
  // "Plot": the chosen item in a new GraphView (null when there is no item).
  QDialog* Plot();

 private:
  COrvoBuilderDoc& document_;
  InputCard card_;
  std::vector<InputPlotItem> entries_;
  QComboBox* items_;
  QPushButton* plot_;
};

}  // namespace orvo::ui
