#include "ui/results/results_dock.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "model/platform.h"
#include "model/project_document.h"
#include "ui/network/network_view.h"
#include "ui/results/profile_window.h"
#include "ui/results/results_legend.h"
#include "ui/results/runs_load_job.h"
#include "ui/shell/qt_platform.h"
#include "ui/widgets/stored_text.h"

namespace orvo::ui {

namespace {

constexpr char kOutputFilter[] = "ORVO output files (*.out)|*.out|All Files (*.*)|*.*||";
constexpr int kDefaultInterval = 250;  // milliseconds per time step while playing

// Variable entries carry their table and index: model variable v as v, transport variable v
// as -(v + 1).
int EntryData(OutputTable table, int variable) {
  return table == OutputTable::kTransport ? -(variable + 1) : variable;
}

}  // namespace

ResultsPanel::ResultsPanel(COrvoBuilderView& view, Platform& platform, QWidget* parent)
    : QWidget(parent),
      view_(&view),
      platform_(platform),
      path_(new QLabel(this)),
      reload_(new QPushButton(QStringLiteral("Reload"), this)),
      select_(new QPushButton(QStringLiteral("Select..."), this)),
      runs_(new QComboBox(this)),
      variables_(new QComboBox(this)),
      slider_(new QSlider(Qt::Horizontal, this)),
      play_(new QToolButton(this)),
      interval_(new QSpinBox(this)),
      time_(new QLabel(this)),
      step_range_(new QCheckBox(QStringLiteral("Range of the shown time only"), this)),
      legend_(new ColourLegend(this)),
      profile_button_(new QPushButton(QStringLiteral("Longitudinal Profile..."), this)),
      progress_(new QProgressBar(this)),
      stop_(new QPushButton(QStringLiteral("Stop"), this)),
      status_(new QLabel(this)),
      play_timer_(new QTimer(this)) {
  path_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  path_->setMinimumWidth(60);
  variables_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  variables_->setMinimumContentsLength(16);
  runs_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  play_->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
  play_->setToolTip(QStringLiteral("Play the time steps"));
  play_->setCheckable(true);
  interval_->setRange(20, 10000);
  interval_->setSingleStep(50);
  interval_->setValue(kDefaultInterval);
  interval_->setSuffix(QStringLiteral(" ms"));
  interval_->setToolTip(QStringLiteral("Time between two steps while playing"));
  step_range_->setToolTip(
      QStringLiteral("Spread the colours over the values of the shown time instead of the "
                     "whole run"));
  progress_->setRange(0, 1000);
  progress_->hide();
  stop_->hide();
  status_->setWordWrap(true);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(path_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(reload_);
  buttons->addWidget(select_);
  buttons->addStretch();
  layout->addLayout(buttons);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Run:"), runs_);
  form->addRow(QStringLiteral("Variable:"), variables_);
  layout->addLayout(form);
  layout->addWidget(time_);
  auto* player = new QHBoxLayout;
  player->addWidget(play_);
  player->addWidget(slider_, 1);
  layout->addLayout(player);
  auto* speed = new QHBoxLayout;
  speed->addWidget(new QLabel(QStringLiteral("Step every"), this));
  speed->addWidget(interval_);
  speed->addStretch();
  layout->addLayout(speed);
  layout->addWidget(step_range_);
  layout->addWidget(legend_);
  layout->addWidget(profile_button_);
  auto* loading = new QHBoxLayout;
  loading->addWidget(progress_, 1);
  loading->addWidget(stop_);
  layout->addLayout(loading);
  layout->addWidget(status_);
  layout->addStretch();

  connect(reload_, &QPushButton::clicked, this, [this] { LoadRuns(ProjectRunPath()); });
  connect(select_, &QPushButton::clicked, this, [this] {
    const std::optional<std::string> chosen = platform_.ChooseOpenFile(kOutputFilter);
    if (chosen) LoadRuns(OutputViewerText::SelectedBasePath(*chosen));
  });
  connect(stop_, &QPushButton::clicked, this, &ResultsPanel::StopLoading);
  connect(runs_, &QComboBox::currentIndexChanged, this, [this] {
    if (filling_) return;
    FillVariables();
    OnVariableChanged();
  });
  connect(variables_, &QComboBox::currentIndexChanged, this, [this] {
    if (!filling_) OnVariableChanged();
  });
  connect(slider_, &QSlider::valueChanged, this, [this] {
    if (!filling_) Recolour();
  });
  connect(step_range_, &QCheckBox::toggled, this, [this] { Recolour(); });
  connect(play_, &QToolButton::clicked, this, [this](bool on) { on ? Play() : Pause(); });
  connect(interval_, &QSpinBox::valueChanged, play_timer_,
          [this](int ms) { play_timer_->setInterval(ms); });
  play_timer_->setInterval(kDefaultInterval);
  connect(play_timer_, &QTimer::timeout, this, [this] {
    if (slider_->value() >= slider_->maximum()) {
      Pause();
      return;
    }
    slider_->setValue(slider_->value() + 1);
  });
  connect(profile_button_, &QPushButton::clicked, this, &ResultsPanel::OpenProfile);
  UpdateControls();
}

ResultsPanel::~ResultsPanel() {
  job_.reset();
  if (view_) view_->SetSegmentFill({});
}

std::string ResultsPanel::ProjectRunPath() const {
  if (!view_) return {};
  const COrvoBuilderDoc& document = view_->document();
  if (!document.run_file_path.empty()) return document.run_file_path;
  if (!document.input_deck_path.empty()) {
    return OrvoOutputData::StripExtension(document.input_deck_path);
  }
  return {};
}

void ResultsPanel::LoadRuns(const std::string& base_path) {
  loaded_once_ = true;
  Pause();
  job_.reset();
  viewer_ = OutputViewerText();
  viewer_.base_path = base_path;
  colouring_.reset();
  filling_ = true;
  runs_->clear();
  variables_->clear();
  filling_ = false;
  Recolour();
  const QString path = FromLocalPath(base_path);
  path_->setText(path.isEmpty() ? QStringLiteral("No run file") : QFileInfo(path).fileName());
  path_->setToolTip(path);
  if (base_path.empty()) {
    status_->setText(
        QStringLiteral("The project has no run yet: run the model, or choose an output file "
                       "with Select..."));
    UpdateControls();
    return;
  }
  // The panel hears of the end through a queued call.
  job_ = std::make_unique<RunsLoadJob>(base_path, [this] {
    QMetaObject::invokeMethod(
        this, [this] { FinishLoad(); }, Qt::QueuedConnection);
  });
  status_->setText(QStringLiteral("Reading the runs..."));
  progress_->setValue(0);
  progress_->show();
  stop_->show();
  stop_->setEnabled(true);
  // The bar follows the reading while it lasts.
  auto* poll = new QTimer(this);
  poll->setInterval(100);
  connect(poll, &QTimer::timeout, this, [this, poll] {
    if (!job_) {
      poll->deleteLater();
      return;
    }
    progress_->setValue(job_->permille());
  });
  poll->start();
  UpdateControls();
}

void ResultsPanel::StopLoading() {
  if (!job_) return;
  job_->Stop();
  stop_->setEnabled(false);
  status_->setText(QStringLiteral("Stopping..."));
}

void ResultsPanel::FinishLoad() {
  if (!job_ || !job_->done()) return;
  std::unique_ptr<RunsLoadJob> job = std::move(job_);
  viewer_ = job->TakeResult();
  progress_->hide();
  stop_->hide();
  const std::size_t count = viewer_.runs.size();
  if (count == 0) {
    status_->setText(QStringLiteral("No run found for this project."));
  } else if (viewer_.load_cancelled) {
    status_->setText(QStringLiteral("Reading stopped: %1 run(s) read.").arg(count));
  } else {
    status_->setText(count == 1 ? QStringLiteral("1 run") : QStringLiteral("%1 runs").arg(count));
  }
  filling_ = true;
  for (const std::string& label : viewer_.labels) runs_->addItem(FromStored(label));
  runs_->setCurrentIndex(viewer_.runs.empty() ? -1 : viewer_.current_run);
  filling_ = false;
  FillVariables();
  OnVariableChanged();
  for (const std::string& message : job->TakeMessages()) platform_.ShowMessage(message);
  emit RunsLoaded();
}

const OrvoOutputData* ResultsPanel::CurrentRun() const {
  const int index = runs_->currentIndex();
  if (index < 0 || static_cast<std::size_t>(index) >= viewer_.runs.size()) return nullptr;
  return &viewer_.runs[static_cast<std::size_t>(index)];
}

std::optional<VariableRef> ResultsPanel::CurrentVariable() const {
  const OrvoOutputData* run = CurrentRun();
  if (run == nullptr || !variables_->currentData().isValid()) return std::nullopt;
  const int entry = variables_->currentData().toInt();
  const VariableRef ref{entry < 0 ? OutputTable::kTransport : OutputTable::kModel,
                        entry < 0 ? -entry - 1 : entry};
  if (ref.variable >= run->GetNumVariables(ref.table)) return std::nullopt;
  return ref;
}

int ResultsPanel::time_step() const {
  return slider_->value();
}

int ResultsPanel::time_step_count() const {
  const OrvoOutputData* run = CurrentRun();
  const auto variable = CurrentVariable();
  return run != nullptr && variable ? run->GetNumTimeSteps(variable->table) : 0;
}

void ResultsPanel::SetTimeStep(int step) {
  slider_->setValue(step);
}

void ResultsPanel::FillVariables() {
  // The variables of the first run with the most of them, as the output viewer lists them;
  // every run of a base path has the same simulation type.
  const QString kept = variables_->currentText();
  filling_ = true;
  variables_->clear();
  if (const OrvoOutputData* run = CurrentRun()) {
    for (OutputTable table : {OutputTable::kModel, OutputTable::kTransport}) {
      for (int v = 0; v < run->GetNumVariables(table); ++v) {
        QString name = FromStored(run->GetName(table, v));
        if (table == OutputTable::kTransport) name += QStringLiteral(" (transport)");
        variables_->addItem(name, EntryData(table, v));
      }
      if (table == OutputTable::kModel && run->GetNumVariables(OutputTable::kTransport) > 0 &&
          variables_->count() > 0) {
        variables_->insertSeparator(variables_->count());
      }
    }
  }
  // The separator has no text: an empty choice must not land on it.
  const int found = kept.isEmpty() ? -1 : variables_->findText(kept);
  variables_->setCurrentIndex(found >= 0 ? found : variables_->count() > 0 ? 0 : -1);
  filling_ = false;
}

void ResultsPanel::OnVariableChanged() {
  const OrvoOutputData* run = CurrentRun();
  const auto variable = CurrentVariable();
  whole_range_ = run != nullptr && variable
                     ? WholeRunRange(*run, variable->table, variable->variable)
                     : ValueRange();
  filling_ = true;
  const int steps = time_step_count();
  slider_->setRange(0, std::max(0, steps - 1));
  filling_ = false;
  Recolour();
}

ValueRange ResultsPanel::ShownRange() const {
  if (!step_range_->isChecked()) return whole_range_;
  ValueRange range;
  if (colouring_ && colouring_->has_range) {
    range.minimum = colouring_->minimum;
    range.maximum = colouring_->maximum;
    range.valid = true;
  }
  return range;
}

void ResultsPanel::Recolour() {
  const OrvoOutputData* run = CurrentRun();
  const auto variable = CurrentVariable();
  if (run == nullptr || !variable || time_step_count() == 0) {
    colouring_.reset();
  } else {
    colouring_ = ColourResults(*run, variable->table, variable->variable, slider_->value(),
                               step_range_->isChecked() ? ValueRange() : whole_range_);
  }
  if (view_) {
    if (active_ && colouring_) {
      view_->SetSegmentFill(SegmentFillColours(*colouring_),
                            [this](int id) { return SegmentToolTip(id); });
    } else {
      view_->SetSegmentFill({});
    }
  }
  if (colouring_) {
    legend_->SetContent(LegendOf(*colouring_));
    time_->setText(QStringLiteral("Day %1 (time step %2 of %3)")
                       .arg(QString::fromStdString(ValueText(colouring_->time)))
                       .arg(slider_->value() + 1)
                       .arg(time_step_count()));
  } else {
    legend_->SetContent(LegendContent());
    time_->setText(QStringLiteral("No time step"));
  }
  UpdateControls();
  emit ColouringChanged();
}

QString ResultsPanel::SegmentToolTip(int segment_id) const {
  QString tip = QStringLiteral("Segment %1").arg(segment_id);
  if (!colouring_) return tip;
  tip += u'\n' + FromStored(colouring_->variable_name) + QStringLiteral(": ");
  double value = 0;
  tip += colouring_->ValueOf(segment_id, value) ? QString::fromStdString(ValueText(value))
                                                : QStringLiteral("no data");
  tip += QStringLiteral("\nDay ") + QString::fromStdString(ValueText(colouring_->time));
  return tip;
}

void ResultsPanel::SetActive(bool active) {
  active_ = active;
  if (!active) Pause();
  if (active && !loaded_once_) LoadRuns(ProjectRunPath());
  Recolour();
}

void ResultsPanel::Play() {
  if (time_step_count() < 2) {
    Pause();
    return;
  }
  // Playing from the last step starts again at the first.
  if (slider_->value() >= slider_->maximum()) slider_->setValue(0);
  play_->setChecked(true);
  play_->setIcon(style()->standardIcon(QStyle::SP_MediaPause));
  play_->setToolTip(QStringLiteral("Pause"));
  play_timer_->start();
}

void ResultsPanel::Pause() {
  play_timer_->stop();
  play_->setChecked(false);
  play_->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
  play_->setToolTip(QStringLiteral("Play the time steps"));
}

bool ResultsPanel::playing() const {
  return play_timer_->isActive();
}

LongitudinalProfileWindow* ResultsPanel::profile_window() const {
  return profile_;
}

void ResultsPanel::OpenProfile() {
  if (!profile_) {
    profile_ = new LongitudinalProfileWindow(*this, this);
    profile_->setAttribute(Qt::WA_DeleteOnClose);
  }
  profile_->show();
  profile_->raise();
}

void ResultsPanel::UpdateControls() {
  const bool idle = !Loading();
  const bool shown = colouring_.has_value();
  reload_->setEnabled(idle && !ProjectRunPath().empty());
  select_->setEnabled(idle);
  runs_->setEnabled(idle && runs_->count() > 0);
  variables_->setEnabled(idle && variables_->count() > 0);
  slider_->setEnabled(shown && time_step_count() > 1);
  play_->setEnabled(shown && time_step_count() > 1);
  profile_button_->setEnabled(shown);
}

// ---------------------------------------------------------------------------------------------

ResultsDock::ResultsDock(Platform& platform, QWidget* parent)
    : QDockWidget(QStringLiteral("Results"), parent),
      platform_(platform),
      pages_(new QStackedWidget(this)),
      no_project_(new QLabel(QStringLiteral("Open a project to see its results."), this)) {
  setObjectName(QStringLiteral("results_dock"));
  no_project_->setWordWrap(true);
  no_project_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  no_project_->setMargin(8);
  pages_->addWidget(no_project_);
  setWidget(pages_);
  QAction* toggle = toggleViewAction();
  toggle->setText(QStringLiteral("&Results"));
  toggle->setStatusTip(QStringLiteral("Show results on the network"));
  connect(this, &QDockWidget::visibilityChanged, this, &ResultsDock::OnShown);
}

ResultsPanel* ResultsDock::PanelOf(const COrvoBuilderView* view) const {
  for (const QPointer<ResultsPanel>& panel : panels_) {
    if (panel && panel->view() == view) return panel;
  }
  return nullptr;
}

ResultsPanel* ResultsDock::current_panel() const {
  return qobject_cast<ResultsPanel*>(pages_->currentWidget());
}

void ResultsDock::SetView(COrvoBuilderView* view) {
  view_ = view;
  std::erase_if(panels_, [](const QPointer<ResultsPanel>& panel) { return panel.isNull(); });
  ResultsPanel* panel = PanelOf(view);
  if (panel == nullptr && view != nullptr) {
    panel = new ResultsPanel(*view, platform_, pages_);
    pages_->addWidget(panel);
    panels_.emplace_back(panel);
    // The panel goes with its project window.
    connect(view, &QObject::destroyed, panel, &QObject::deleteLater);
  }
  pages_->setCurrentWidget(panel != nullptr ? static_cast<QWidget*>(panel) : no_project_);
  if (panel != nullptr && isVisible()) panel->SetActive(true);
}

void ResultsDock::OnShown(bool shown) {
  // Hidden (closed, or its action unchecked): every view shows its pictures again. A dock
  // that is only covered by another keeps its colours.
  if (!shown && !isHidden()) return;
  for (const QPointer<ResultsPanel>& panel : panels_) {
    if (!panel) continue;
    if (!shown) {
      panel->SetActive(false);
    } else if (panel == current_panel()) {
      panel->SetActive(true);
    }
  }
}

}  // namespace orvo::ui
