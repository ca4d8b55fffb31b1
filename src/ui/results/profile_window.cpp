#include "ui/results/profile_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "model/project_document.h"
#include "results/chart_description.h"
#include "ui/network/network_view.h"
#include "ui/results/graph_view.h"
#include "ui/results/results_dock.h"
#include "ui/widgets/stored_text.h"

namespace orvo::ui {

namespace {

// The chart keeps every time step of the path as a frame; beyond this many values the path is
// too long for the run.
constexpr long long kMaxChartValues = 4'000'000;

}  // namespace

LongitudinalProfileWindow::LongitudinalProfileWindow(ResultsPanel& panel, QWidget* parent)
    : QDialog(parent),
      panel_(panel),
      path_field_(new QLineEdit(this)),
      add_(new QPushButton(QStringLiteral("Add Selected Segment"), this)),
      downstream_(new QPushButton(QStringLiteral("Follow Downstream"), this)),
      clear_(new QPushButton(QStringLiteral("Clear"), this)),
      message_(new QLabel(this)),
      empty_(new QLabel(QStringLiteral("No results to show"), this)) {
  setWindowTitle(QStringLiteral("Longitudinal Profile"));
  path_field_->setPlaceholderText(QStringLiteral("segment IDs in order, e.g. 1, 4-9, 12"));
  add_->setToolTip(QStringLiteral("Append the segment selected in the network"));
  downstream_->setToolTip(
      QStringLiteral("Follow the exchanges downstream from the segment selected in the network"));
  message_->setWordWrap(true);
  empty_->setAlignment(Qt::AlignCenter);
  empty_->setMinimumSize(480, 300);

  auto* layout = new QVBoxLayout(this);
  auto* path_row = new QHBoxLayout;
  path_row->addWidget(new QLabel(QStringLiteral("Segments:"), this));
  path_row->addWidget(path_field_, 1);
  layout->addLayout(path_row);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(add_);
  buttons->addWidget(downstream_);
  buttons->addWidget(clear_);
  buttons->addStretch();
  layout->addLayout(buttons);
  layout->addWidget(message_);
  layout->addWidget(empty_, 1);
  resize(720, 540);

  connect(path_field_, &QLineEdit::editingFinished, this,
          &LongitudinalProfileWindow::ApplyPathText);
  connect(add_, &QPushButton::clicked, this, &LongitudinalProfileWindow::AddSelected);
  connect(downstream_, &QPushButton::clicked, this, &LongitudinalProfileWindow::FollowDownstream);
  connect(clear_, &QPushButton::clicked, this, [this] { SetPath({}); });
  connect(&panel_, &ResultsPanel::ColouringChanged, this, &LongitudinalProfileWindow::Redraw);
  Redraw();
}

bool LongitudinalProfileWindow::ApplyPathText() {
  const OrvoOutputData* run = panel_.CurrentRun();
  const int segments = run != nullptr ? run->HeldSegments() : 0;
  std::vector<int> path;
  std::string error;
  if (!ParseSegmentPath(path_field_->text().toStdString(), segments, path, error)) {
    message_->setText(QString::fromStdString(error));
    return false;
  }
  SetPath(path);
  return true;
}

void LongitudinalProfileWindow::SetPath(const std::vector<int>& path) {
  path_ = path;
  path_field_->setText(QString::fromStdString(SegmentPathText(path_)));
  message_->clear();
  Redraw();
}

int LongitudinalProfileWindow::SelectedSegment() const {
  const COrvoBuilderView* view = panel_.view();
  if (view == nullptr || view->selected_node() == nullptr) return 0;
  const COrvoBuilderCntrItem* node = view->selected_node();
  return node->is_segment() && node->segment() != nullptr ? node->segment()->segment_id : 0;
}

void LongitudinalProfileWindow::AddSelected() {
  const int id = SelectedSegment();
  if (id < 1) {
    message_->setText(QStringLiteral("Select a segment in the network first."));
    return;
  }
  std::vector<int> path = path_;
  path.push_back(id);
  SetPath(path);
}

void LongitudinalProfileWindow::FollowDownstream() {
  const int start = SelectedSegment() > 0 ? SelectedSegment() : path_.empty() ? 0 : path_.front();
  const COrvoBuilderView* view = panel_.view();
  if (start < 1 || view == nullptr) {
    message_->setText(QStringLiteral("Select the segment to start from in the network first."));
    return;
  }
  SetPath(DownstreamChain(view->document(), start));
}

void LongitudinalProfileWindow::Redraw() {
  const OrvoOutputData* run = panel_.CurrentRun();
  const auto variable = panel_.CurrentVariable();
  points_.clear();
  if (run == nullptr || !variable || path_.empty()) {
    delete graph_;
    graph_ = nullptr;
    built_run_ = nullptr;
    empty_->show();
    if (path_.empty()) {
      message_->setText(
          QStringLiteral("Type segment IDs, add selected segments, or follow the exchanges "
                         "downstream from a selected segment."));
    }
    return;
  }
  points_ = ProfileValues(*run, variable->table, variable->variable, panel_.time_step(), path_);
  if (graph_ == nullptr || built_run_ != run || built_variable_ != variable->variable ||
      built_table_ != variable->table || built_path_ != path_) {
    Rebuild();
  }
  if (graph_ != nullptr && graph_->frame() != panel_.time_step()) {
    graph_->ShowFrame(panel_.time_step());
  }
}

void LongitudinalProfileWindow::Rebuild() {
  delete graph_;
  graph_ = nullptr;
  const OrvoOutputData* run = panel_.CurrentRun();
  const auto variable = panel_.CurrentVariable();
  const ResultsColouring* colouring = panel_.colouring();
  if (run == nullptr || !variable || colouring == nullptr) return;
  const int steps = run->GetNumTimeSteps(variable->table);
  const int count = static_cast<int>(path_.size());
  if (static_cast<long long>(steps) * count > kMaxChartValues) {
    message_->setText(QStringLiteral("The profile is too long for the %1 time steps of the run: "
                                     "choose fewer segments.")
                          .arg(steps));
    empty_->show();
    return;
  }
  ChartDescription chart;
  chart.Resize(steps, 1, count, false);
  chart.graph_style = 4;
  const std::string name = colouring->variable_name;
  const std::string units = colouring->units != name ? colouring->units : name;
  for (int t = 0; t < steps; ++t) {
    const auto values = ProfileValues(*run, variable->table, variable->variable, t, path_);
    for (int i = 0; i < count; ++i) {
      const ProfilePoint& point = values[static_cast<std::size_t>(i)];
      if (point.missing) {
        chart.SetMissing(t, 0, i);
      } else {
        chart.SetValue(t, 0, i, point.value);
      }
    }
    ChartFrameTexts& texts = chart.frame_texts[static_cast<std::size_t>(t)];
    texts.graph_title = name + " on day " + ValueText(run->GetTime(variable->table, t));
    texts.bottom_title = "Segment (upstream to downstream)";
    texts.left_title = units;
    texts.caption = "Longitudinal Profile";
  }
  chart.legend_texts.assign(1, name);
  chart.point_labels.clear();
  for (int id : path_) chart.point_labels.push_back(ValueText(id));
  // Fixed limits: the profile moves against the same axis while the time steps play.
  const ValueRange range = WholeRunRange(*run, variable->table, variable->variable);
  if (range.valid) {
    chart.y_min = range.minimum;
    chart.y_max = range.maximum > range.minimum ? range.maximum : range.minimum + 1;
  }
  chart.current_frame = std::clamp(panel_.time_step(), 0, std::max(steps - 1, 0));

  graph_ = new GraphView(std::move(chart), this);
  graph_->setWindowFlags(Qt::Widget);
  layout()->addWidget(graph_);
  graph_->show();
  empty_->hide();
  // A click on the chart advances it a frame: the slider follows.
  connect(graph_, &GraphView::frameChanged, &panel_, [this](int frame) {
    if (frame != panel_.time_step()) panel_.SetTimeStep(frame);
  });
  built_run_ = run;
  built_variable_ = variable->variable;
  built_table_ = variable->table;
  built_path_ = path_;
}

}  // namespace orvo::ui
