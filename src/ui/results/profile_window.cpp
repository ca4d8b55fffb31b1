#include "ui/results/profile_window.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <set>

#include "model/project_document.h"
#include "ui/network/network_view.h"
#include "ui/results/results_dock.h"
#include "ui/widgets/stored_text.h"

namespace orvo::ui {

namespace {

// Segment IDs label the positions along the axis while they can be read.
constexpr std::size_t kMaxLabelledPositions = 40;

}  // namespace

LongitudinalProfileWindow::LongitudinalProfileWindow(ResultsPanel& panel, QWidget* parent)
    : QDialog(parent),
      panel_(panel),
      path_field_(new QLineEdit(this)),
      add_(new QPushButton(QStringLiteral("Add Selected Segment"), this)),
      downstream_(new QPushButton(QStringLiteral("Follow Downstream"), this)),
      clear_(new QPushButton(QStringLiteral("Clear"), this)),
      message_(new QLabel(this)),
      chart_view_(new QChartView(this)) {
  setWindowTitle(QStringLiteral("Longitudinal Profile"));
  path_field_->setPlaceholderText(QStringLiteral("segment IDs in order, e.g. 1, 4-9, 12"));
  add_->setToolTip(QStringLiteral("Append the segment selected in the network"));
  downstream_->setToolTip(
      QStringLiteral("Follow the exchanges downstream from the segment selected in the network"));
  message_->setWordWrap(true);
  chart_view_->setRenderHint(QPainter::Antialiasing);
  chart_view_->setMinimumSize(480, 300);
  chart_view_->chart()->legend()->hide();

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
  layout->addWidget(chart_view_, 1);
  resize(640, 460);

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
  QChart* chart = chart_view_->chart();
  chart->removeAllSeries();
  for (QAbstractAxis* axis : chart->axes()) {
    chart->removeAxis(axis);
    delete axis;
  }
  points_.clear();
  const OrvoOutputData* run = panel_.CurrentRun();
  const auto variable = panel_.CurrentVariable();
  const ResultsColouring* colouring = panel_.colouring();
  if (run == nullptr || !variable || colouring == nullptr) {
    chart->setTitle(QStringLiteral("No results to show"));
    return;
  }
  points_ = ProfileValues(*run, variable->transport, variable->variable, panel_.time_step(), path_);
  chart->setTitle(FromStored(colouring->variable_name) + QStringLiteral(" on day ") +
                  QString::fromStdString(ValueText(colouring->time)));

  // A missing value breaks the line rather than being drawn as 0.
  auto* markers = new QScatterSeries;
  markers->setMarkerSize(7);
  QLineSeries* line = nullptr;
  ValueRange shown;
  for (std::size_t i = 0; i < points_.size(); ++i) {
    if (points_[i].missing) {
      line = nullptr;
      continue;
    }
    const QPointF point(static_cast<double>(i + 1), points_[i].value);
    if (line == nullptr) {
      line = new QLineSeries;
      chart->addSeries(line);
    }
    line->append(point);
    markers->append(point);
    shown.Include(points_[i].value);
  }
  chart->addSeries(markers);
  const QColor colour = chart->series().isEmpty() ? QColor() : QColor(31, 119, 180);
  for (QAbstractSeries* series : chart->series()) {
    if (auto* xy = qobject_cast<QXYSeries*>(series)) xy->setColor(colour);
  }

  // The Y axis keeps the panel's range, so that the profile moves against fixed limits while
  // the time steps play.
  ValueRange range = panel_.ShownRange();
  if (!range.valid) range = shown;
  double low = range.valid ? range.minimum : 0;
  double high = range.valid ? range.maximum : 1;
  if (!(high > low)) {
    low -= 1;
    high += 1;
  }
  auto* y = new QValueAxis;
  y->setRange(low, high);
  const QString units =
      colouring->units != colouring->variable_name ? FromStored(colouring->units) : QString();
  y->setTitleText(units.isEmpty() ? FromStored(colouring->variable_name) : units);
  chart->addAxis(y, Qt::AlignLeft);

  const double count = static_cast<double>(std::max<std::size_t>(points_.size(), 1));
  QAbstractAxis* x = nullptr;
  std::set<int> distinct;
  for (const ProfilePoint& point : points_) distinct.insert(point.segment_id);
  if (!points_.empty() && points_.size() <= kMaxLabelledPositions &&
      distinct.size() == points_.size()) {
    auto* labelled = new QCategoryAxis;
    labelled->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    labelled->setStartValue(0.5);
    for (std::size_t i = 0; i < points_.size(); ++i) {
      labelled->append(QString::number(points_[i].segment_id), static_cast<double>(i + 1));
    }
    labelled->setRange(0.5, count + 0.5);
    labelled->setTitleText(QStringLiteral("Segment (upstream to downstream)"));
    x = labelled;
  } else {
    auto* positions = new QValueAxis;
    positions->setRange(0.5, count + 0.5);
    positions->setLabelFormat(QStringLiteral("%d"));
    positions->setTitleText(QStringLiteral("Position along the profile"));
    x = positions;
  }
  chart->addAxis(x, Qt::AlignBottom);
  for (QAbstractSeries* series : chart->series()) {
    series->attachAxis(x);
    series->attachAxis(y);
  }
  if (path_.empty()) {
    message_->setText(
        QStringLiteral("Type segment IDs, add selected segments, or follow the exchanges "
                       "downstream from a selected segment."));
  }
}

}  // namespace orvo::ui
