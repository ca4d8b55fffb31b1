#include "ui/results/input_plot_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <sstream>

#include "groups/node_editing.h"
#include "model/model_vocabulary.h"
#include "model/number_text.h"
#include "model/project_document.h"
#include "model/string_array.h"
#include "ui/results/graph_view.h"

namespace orvo::ui {
namespace {

constexpr const char* kVolumeQuantities[] = {"BVOL", "VMULT", "VEXP", "DMULT", "DXP"};

std::vector<double> Numbers(const std::string& text) {
  std::vector<double> numbers;
  std::string token;
  std::istringstream in(text);
  while (in >> token) numbers.push_back(AtoF(token));
  return numbers;
}

// Segment nodes by segment ID.
std::vector<const SegmentData*> Segments(const COrvoBuilderDoc& document) {
  std::vector<const SegmentData*> segments;
  for (const auto& node : document.nodes()) {
    if (node->is_segment() && node->segment() != nullptr) segments.push_back(node->segment());
  }
  std::sort(segments.begin(), segments.end(), [](const SegmentData* a, const SegmentData* b) {
    return a->segment_id < b->segment_id;
  });
  return segments;
}

const char* LeftTitle(InputCard card) {
  switch (card) {
    case InputCard::kB:
      return "Exchange";
    case InputCard::kC:
      return "Volume";
    case InputCard::kD:
      return "Flow";
    case InputCard::kE:
      return "Concentration";
    case InputCard::kF:
      return "Load";
    case InputCard::kI:
      return "Value";
  }
  return "";
}

}  // namespace

const char* InputCardTitle(InputCard card) {
  switch (card) {
    case InputCard::kB:
      return "Card B (Exchanges)";
    case InputCard::kC:
      return "Card C (Volumes)";
    case InputCard::kD:
      return "Card D (Flows)";
    case InputCard::kE:
      return "Card E (Concentrations)";
    case InputCard::kF:
      return "Card F (Loadings)";
    case InputCard::kI:
      return "Card I (Kinetic Time Funcs)";
  }
  return "";
}

std::vector<InputPlotItem> InputPlotItems(const COrvoBuilderDoc& document, InputCard card) {
  std::vector<InputPlotItem> items;
  const SimulationType simtyp = document.group_a.SIMTYP;
  switch (card) {
    case InputCard::kB: {
      const StringArray* fields[] = {&document.group_b.surface_functions,
                                     &document.group_b.pore_functions};
      const char* names[] = {"Surface water", "Pore water"};
      for (int f = 0; f < 2; ++f) {
        for (std::size_t i = 0; i < fields[f]->size(); ++i) {
          items.push_back(
              {std::string(names[f]) + " function " + IntText(i + 1), fields[f]->At(i)});
        }
      }
      break;
    }
    case InputCard::kC:
      for (int q = 0; q < 5; ++q) items.push_back({kVolumeQuantities[q], {}, q});
      break;
    case InputCard::kD:
      // Each defined field: SCALQ, CONVQ, units, then one entry per flow function.
      for (int f = 0; f < GroupDDlg::kFieldCount; ++f) {
        const StringArray& field = document.group_d.fields[f];
        for (std::size_t i = 3; i < field.size(); ++i) {
          items.push_back({"Field " + IntText(f + 1) + " function " + IntText(i - 2), field.At(i)});
        }
      }
      break;
    case InputCard::kE:
    case InputCard::kF:
      for (const SegmentData* segment : Segments(document)) {
        const std::vector<std::string> functions = node_editing::SystemFunctionTexts(
            card == InputCard::kE ? segment->group_e : segment->group_f, 0);
        for (std::size_t k = 0; k < functions.size(); ++k) {
          if (Numbers(functions[k]).size() < 2) continue;  // nothing to draw
          std::string system = vocabulary::SystemName(simtyp, static_cast<int>(k) + 1);
          if (system.empty()) system = "System " + IntText(k + 1);
          items.push_back(
              {"Segment " + IntText(segment->segment_id) + ", " + system, functions[k]});
        }
      }
      break;
    case InputCard::kI:
      for (int i = 0; i < document.group_i.slot_count && i < GroupIDlg::kSlots; ++i) {
        if (Numbers(document.group_i.functions[i]).size() < 2) continue;
        const std::string& name = document.group_i.names[i];
        items.push_back(
            {name.empty() ? "Function " + IntText(i + 1) : name, document.group_i.functions[i]});
      }
      break;
  }
  return items;
}

ChartDescription BuildInputPlot(const COrvoBuilderDoc& document, InputCard card,
                                const InputPlotItem& item) {
  ChartDescription chart;
  if (card == InputCard::kC) {
    const std::vector<const SegmentData*> segments = Segments(document);
    chart.Resize(1, 1, static_cast<int>(segments.size()), false);
    for (std::size_t p = 0; p < segments.size(); ++p) {
      const SegmentData& s = *segments[p];
      const double values[] = {s.BVOL, s.VMULT, s.VEXP, s.DMULT, s.DXP};
      chart.SetValue(0, 0, static_cast<int>(p), values[std::clamp(item.quantity, 0, 4)]);
      chart.point_labels.push_back(IntText(s.segment_id));
    }
    chart.graph_style = 4;
    chart.legend_texts[0] = item.label;
    chart.frame_texts[0] = {
        std::string(InputCardTitle(card)) + ": " + item.label, "Segment #", item.label, {}};
  } else {
    // Value, time pairs; an odd number leaves its last value out.
    const std::vector<double> numbers = Numbers(item.function);
    const int points = static_cast<int>(numbers.size() / 2);
    chart.graph_type = ChartDescription::kXYChart;
    chart.graph_style = 2;
    chart.Resize(1, 1, points, true);
    for (int p = 0; p < points; ++p) {
      chart.SetValue(0, 0, p, numbers[2 * p]);
      chart.x_positions[chart.Index(0, 0, p)] = numbers[2 * p + 1];
    }
    chart.legend_texts[0] = item.label;
    chart.frame_texts[0] = {
        std::string(InputCardTitle(card)) + ": " + item.label, "Time (days)", LeftTitle(card), {}};
  }
  chart.ApplyYLimits();
  return chart;
}

InputPlotDialog::InputPlotDialog(COrvoBuilderDoc& document, InputCard card, QWidget* parent)
    : QDialog(parent), document_(document), card_(card) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QString::fromUtf8(InputCardTitle(card)));
  entries_ = InputPlotItems(document, card);
  items_ = new QComboBox(this);
  items_->setMinimumContentsLength(28);
  for (const InputPlotItem& item : entries_) items_->addItem(QString::fromStdString(item.label));
  plot_ = new QPushButton(QStringLiteral("Plot"), this);
  plot_->setDefault(true);
  plot_->setEnabled(!entries_.empty());
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(plot_, QDialogButtonBox::ActionRole);
  buttons->addButton(close, QDialogButtonBox::RejectRole);
  auto* form = new QFormLayout;
  form->addRow(card == InputCard::kC ? QStringLiteral("Volume item:") : QStringLiteral("Item:"),
               items_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  if (entries_.empty()) {
    layout->addWidget(new QLabel(QStringLiteral("This card holds no function to plot."), this));
  }
  layout->addWidget(buttons);
  connect(plot_, &QPushButton::clicked, this, [this] { Plot(); });
  connect(close, &QPushButton::clicked, this, &QDialog::close);
}

QDialog* InputPlotDialog::Plot() {
  const int index = items_->currentIndex();
  if (index < 0 || index >= static_cast<int>(entries_.size())) return nullptr;
  auto* view = new GraphView(BuildInputPlot(document_, card_, entries_[index]), parentWidget());
  view->show();
  return view;
}

}  // namespace orvo::ui
