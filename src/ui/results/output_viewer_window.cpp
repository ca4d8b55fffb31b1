#include "ui/results/output_viewer_window.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <utility>
#include <vector>

#include "model/platform.h"
#include "ui/results/runs_load_job.h"
#include "ui/shell/qt_platform.h"

namespace orvo::ui {
namespace {

constexpr char kOutputFilter[] = "ORVO output files (*.out)|*.out|All Files (*.*)|*.*||";
constexpr char kTextFilter[] = "Text files (*.txt)|*.txt|All Files (*.*)|*.*||";

QListWidget* MakeList(QWidget* parent, const char* name) {
  auto* list = new QListWidget(parent);
  list->setObjectName(QString::fromUtf8(name));
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list->setUniformItemSizes(true);  // thousands of segments lay out at once
  return list;
}

std::vector<int> SelectedRows(const QListWidget* list) {
  std::vector<int> rows;
  for (const QModelIndex& index : list->selectionModel()->selectedRows()) {
    rows.push_back(index.row());
  }
  std::sort(rows.begin(), rows.end());
  return rows;
}

void Fill(QListWidget* list, const std::vector<std::string>& entries) {
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(entries.size()));
  for (const std::string& entry : entries) texts << MessageText(entry);
  list->clear();
  list->addItems(texts);
}

// Selects exactly the given rows of list.
void SelectRows(QListWidget* list, const std::vector<int>& rows) {
  QItemSelection selection;
  for (int row : rows) {
    if (row < 0 || row >= list->count()) continue;
    const QModelIndex index = list->model()->index(row, 0);
    selection.select(index, index);
  }
  list->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

// The selection cut down so that its table holds about `limit` values: whole variables while
// they fit, else the first segments of the first variable.
OutputSelection ShownPart(const OutputSelection& selection, int steps, long long limit, bool& cut) {
  const long long step_count = std::max(steps, 1);
  const long long per_segment = static_cast<long long>(selection.runs.size()) * step_count;
  const long long per_variable = per_segment * static_cast<long long>(selection.segments.size());
  cut = per_variable * static_cast<long long>(selection.variables.size()) > limit;
  if (!cut) return selection;
  OutputSelection shown = selection;
  if (per_variable <= limit) {
    shown.variables.resize(static_cast<std::size_t>(std::max(1LL, limit / per_variable)));
  } else {
    shown.variables.resize(1);
    shown.segments.resize(static_cast<std::size_t>(std::max(1LL, limit / per_segment)));
  }
  return shown;
}

// The viewer's text ends its lines with "\r\n", as "Write" keeps them; the field shows lines.
QString FieldText(const std::string& text) {
  std::string shown;
  shown.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    shown += text[i];
  }
  return MessageText(shown);
}

}  // namespace

OutputViewerWindow* OpenOutputViewer(QWidget* parent, const std::string& base_path,
                                     Platform* platform) {
  auto* window = new OutputViewerWindow(parent, platform);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->show();
  if (!base_path.empty()) window->LoadRuns(base_path);
  return window;
}

OutputViewerWindow::OutputViewerWindow(QWidget* parent, Platform* platform)
    : QDialog(parent), platform_(platform), load_timer_(new QTimer(this)) {
  if (platform_ == nullptr) {
    own_platform_ = std::make_unique<QtPlatform>(this);
    platform_ = own_platform_.get();
  }
  setObjectName(QStringLiteral("output_viewer"));
  setWindowTitle(QStringLiteral("View Output"));
  setWindowFlag(Qt::WindowMinMaxButtonsHint);
  setModal(false);
  BuildLayout();
  load_timer_->setInterval(50);
  connect(load_timer_, &QTimer::timeout, this, &OutputViewerWindow::CheckLoad);
  resize(980, 620);
  UpdateButtons();
}

OutputViewerWindow::~OutputViewerWindow() = default;

void OutputViewerWindow::BuildLayout() {
  auto* layout = new QVBoxLayout(this);

  auto* path_row = new QHBoxLayout;
  auto* path_label = new QLabel(QStringLiteral("Base path:"), this);
  path_ = new QLineEdit(this);
  path_->setObjectName(QStringLiteral("base_path"));
  path_->setReadOnly(true);
  path_label->setBuddy(path_);
  path_row->addWidget(path_label);
  path_row->addWidget(path_, 1);
  layout->addLayout(path_row);

  auto* splitter = new QSplitter(Qt::Horizontal, this);
  auto* controls = new QWidget(splitter);
  auto* grid = new QGridLayout(controls);
  grid->setContentsMargins(0, 0, 0, 0);
  auto* type_label = new QLabel(QStringLiteral("File Type:"), controls);
  file_types_ = new QComboBox(controls);
  file_types_->setObjectName(QStringLiteral("file_type"));
  // Wide enough for every entry, filled or not: "Transport variables (.trn)".
  file_types_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  file_types_->setMinimumContentsLength(27);
  type_label->setBuddy(file_types_);
  auto* type_row = new QHBoxLayout;
  type_row->addWidget(type_label);
  type_row->addWidget(file_types_);
  type_row->addStretch(1);
  grid->addLayout(type_row, 0, 0, 1, 3);

  runs_ = MakeList(controls, "runs");
  segments_ = MakeList(controls, "segments");
  variables_ = MakeList(controls, "variables");
  const std::pair<const char*, QListWidget*> lists[] = {
      {"Runs:", runs_}, {"Segments:", segments_}, {"Variables:", variables_}};
  int column = 0;
  for (const auto& [text, list] : lists) {
    auto* label = new QLabel(QString::fromUtf8(text), controls);
    label->setBuddy(list);
    grid->addWidget(label, 1, column);
    grid->addWidget(list, 2, column);
    ++column;
  }
  runs_->setMinimumWidth(70);
  segments_->setMinimumWidth(70);
  variables_->setMinimumWidth(190);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(2, 3);
  grid->setRowStretch(2, 1);

  auto* graph_types = new QGroupBox(QStringLiteral("Graph Types"), controls);
  auto* graph_layout = new QHBoxLayout(graph_types);
  segment_vs_time_ = new QRadioButton(QStringLiteral("Segment vs. Time"), graph_types);
  param_vs_seg_ = new QRadioButton(QStringLiteral("Param vs. Seg"), graph_types);
  segment_vs_time_->setChecked(true);
  graph_layout->addWidget(segment_vs_time_);
  graph_layout->addWidget(param_vs_seg_);
  graph_layout->addStretch(1);
  grid->addWidget(graph_types, 3, 0, 1, 3);

  text_ = new QPlainTextEdit(splitter);
  text_->setObjectName(QStringLiteral("output_text"));
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  splitter->addWidget(controls);
  splitter->addWidget(text_);
  splitter->setStretchFactor(0, 0);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({420, 560});
  layout->addWidget(splitter, 1);

  auto* buttons = new QHBoxLayout;
  select_ = new QPushButton(QStringLiteral("Select"), this);
  differences_ = new QPushButton(QStringLiteral("Show Differences"), this);
  write_ = new QPushButton(QStringLiteral("Write"), this);
  graph_ = new QPushButton(QStringLiteral("Graph"), this);
  close_ = new QPushButton(QStringLiteral("Close"), this);
  select_->setToolTip(QStringLiteral("Choose the output file of another run"));
  differences_->setToolTip(
      QStringLiteral("Select the variables whose values at the selected segment differ between "
                     "the first run and the other selected runs"));
  write_->setToolTip(QStringLiteral("Save the text to a file"));
  graph_->setToolTip(QStringLiteral("Draw the selection as charts"));
  for (QPushButton* button : {select_, differences_, write_, graph_}) {
    button->setAutoDefault(false);
    buttons->addWidget(button);
  }
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("status"));
  load_progress_ = new QProgressBar(this);
  load_progress_->setRange(0, 1000);
  load_progress_->setTextVisible(false);
  load_progress_->setMaximumWidth(200);
  stop_ = new QPushButton(QStringLiteral("Stop Reading"), this);
  stop_->setAutoDefault(false);
  load_progress_->hide();
  stop_->hide();
  buttons->addSpacing(12);
  buttons->addWidget(status_, 1);
  buttons->addWidget(load_progress_);
  buttons->addWidget(stop_);
  close_->setAutoDefault(false);
  buttons->addWidget(close_);
  layout->addLayout(buttons);

  connect(file_types_, &QComboBox::currentIndexChanged, this,
          &OutputViewerWindow::OnFileTypeChanged);
  for (QListWidget* list : {runs_, segments_, variables_}) {
    connect(list, &QListWidget::itemSelectionChanged, this, [this] {
      if (filling_) return;
      RebuildText();
      UpdateButtons();
    });
  }
  connect(select_, &QPushButton::clicked, this, &OutputViewerWindow::OnSelect);
  connect(differences_, &QPushButton::clicked, this, &OutputViewerWindow::OnShowDifferences);
  connect(write_, &QPushButton::clicked, this, &OutputViewerWindow::OnWrite);
  connect(graph_, &QPushButton::clicked, this, &OutputViewerWindow::OnGraph);
  connect(close_, &QPushButton::clicked, this, &QDialog::close);
  connect(stop_, &QPushButton::clicked, this, &OutputViewerWindow::StopLoading);
}

void OutputViewerWindow::ShowBasePath() {
  const QString path = FromLocalPath(viewer_.base_path);
  path_->setText(path);
  path_->setToolTip(path);
  // The end of a long path names the run: it is what the field shows.
  path_->setCursorPosition(static_cast<int>(path.size()));
  const QString name = QFileInfo(path).fileName();
  setWindowTitle(name.isEmpty() ? QStringLiteral("View Output")
                                : QStringLiteral("View Output - ") + name);
}

void OutputViewerWindow::LoadRuns(const std::string& base_path) {
  job_.reset();
  viewer_ = OutputViewerText();
  viewer_.base_path = base_path;
  table_text_.clear();
  filling_ = true;
  file_types_->clear();
  runs_->clear();
  segments_->clear();
  variables_->clear();
  filling_ = false;
  text_->clear();
  ShowBasePath();
  job_ = std::make_unique<RunsLoadJob>(base_path);
  status_->setText(QStringLiteral("Reading the runs..."));
  load_progress_->setValue(0);
  load_progress_->show();
  stop_->show();
  stop_->setEnabled(true);
  load_timer_->start();
  UpdateButtons();
}

void OutputViewerWindow::StopLoading() {
  if (!job_) return;
  job_->Stop();
  stop_->setEnabled(false);
  status_->setText(QStringLiteral("Stopping..."));
}

void OutputViewerWindow::CheckLoad() {
  if (!job_) {
    load_timer_->stop();
    return;
  }
  if (!job_->done()) {
    load_progress_->setValue(job_->permille());
    const std::string reading = job_->Reading();
    // "Reading <path>": the file name is what fits.
    const std::size_t blank = reading.find(' ');
    if (blank != std::string::npos && !job_->stopping()) {
      status_->setText(QStringLiteral("Reading ") +
                       QFileInfo(FromLocalPath(reading.substr(blank + 1))).fileName());
    }
    return;
  }
  FinishLoad();
}

void OutputViewerWindow::FinishLoad() {
  load_timer_->stop();
  std::unique_ptr<RunsLoadJob> job = std::move(job_);
  viewer_ = job->TakeResult();
  load_progress_->hide();
  stop_->hide();
  const std::size_t count = viewer_.runs.size();
  if (viewer_.load_cancelled) {
    status_->setText(QStringLiteral("Reading stopped: %1 run(s) read.").arg(count));
  } else {
    status_->setText(count == 1 ? QStringLiteral("1 run") : QStringLiteral("%1 runs").arg(count));
  }
  FillRuns();
  UpdateButtons();
  // Shown once the window is whole again: each message waits for its OK.
  for (const std::string& message : job->TakeMessages()) platform_->ShowMessage(message);
  emit RunsLoaded();
}

void OutputViewerWindow::FillRuns() {
  filling_ = true;
  Fill(runs_, viewer_.labels);
  file_types_->clear();
  if (!viewer_.runs.empty()) {
    for (const std::string& entry : viewer_.FileTypeList()) {
      file_types_->addItem(MessageText(entry));
    }
    // The first run is where a modeller starts looking.
    SelectRows(runs_, {0});
  }
  filling_ = false;
  file_types_->setCurrentIndex(viewer_.runs.empty() ? -1 : 0);
  OnFileTypeChanged();
}

void OutputViewerWindow::OnFileTypeChanged() {
  if (filling_) return;
  const int index = file_types_->currentIndex();
  const int type = index < 0 ? kModelResults : OutputViewerText::FileTypeOfEntry(index);
  const std::vector<int> kept_segments = SelectedRows(segments_);
  const bool same_segments = file_type_ != kMassBalanceRecord && type != kMassBalanceRecord;
  file_type_ = type;
  filling_ = true;
  Fill(segments_, viewer_.SegmentList(type));
  Fill(variables_, viewer_.VariableList(type));
  // Model results and transport variables share their segments.
  if (same_segments) SelectRows(segments_, kept_segments);
  filling_ = false;
  RebuildText();
  UpdateButtons();
}

OutputSelection OutputViewerWindow::Selection() const {
  OutputSelection selection;
  selection.file_type = file_type_;
  selection.runs = SelectedRows(runs_);
  selection.segments = SelectedRows(segments_);
  selection.variables = SelectedRows(variables_);
  return selection;
}

GraphType OutputViewerWindow::graph_type() const {
  return param_vs_seg_->isChecked() ? GraphType::kParamVsSeg : GraphType::kSegmentVsTime;
}

std::string OutputViewerWindow::FullText() const {
  if (file_type_ == kMassBalanceRecord) return table_text_;
  return viewer_.TableText(Selection());
}

void OutputViewerWindow::RebuildText() {
  const OutputSelection selection = Selection();
  if (viewer_.runs.empty()) {
    table_text_.clear();
    text_->clear();
    return;
  }
  if (selection.file_type == kMassBalanceRecord) {
    // A record that cannot be read leaves the text as it was, after the message.
    viewer_.MassBalanceText(selection.runs, *platform_, table_text_);
    text_->setPlainText(FieldText(table_text_));
    return;
  }
  const OrvoOutputData& current = viewer_.runs[static_cast<std::size_t>(viewer_.current_run)];
  bool cut = false;
  const OutputSelection shown =
      ShownPart(selection, current.GetNumTimeSteps(OutputTable::kModel), kShownValues, cut);
  // Rows of a big table: text for a few hundred thousand values at most, whatever is selected.
  table_text_ = viewer_.TableText(shown);
  QString field = FieldText(table_text_);
  if (cut) {
    field += QStringLiteral(
        "...\nThe table goes on beyond what is shown here; \"Write\" saves all of it.\n");
  }
  text_->setPlainText(field);
}

void OutputViewerWindow::UpdateButtons() {
  const bool idle = !Loading();
  const OutputSelection selection = Selection();
  select_->setEnabled(idle);
  differences_->setEnabled(idle && runs_->count() >= 2);
  write_->setEnabled(idle && !viewer_.runs.empty());
  graph_->setEnabled(idle && selection.file_type != kMassBalanceRecord && !selection.runs.empty() &&
                     !selection.segments.empty() && !selection.variables.empty());
}

void OutputViewerWindow::OnSelect() {
  const std::optional<std::string> chosen = platform_->ChooseOpenFile(kOutputFilter);
  if (!chosen) return;
  // The path stays as chosen: on a case-sensitive file system its case names the file.
  LoadRuns(OutputViewerText::SelectedBasePath(*chosen));
}

void OutputViewerWindow::OnShowDifferences() {
  const std::optional<std::vector<int>> marked = viewer_.ShowDifferences(Selection(), *platform_);
  if (!marked) return;
  filling_ = true;
  SelectRows(variables_, *marked);
  filling_ = false;
  RebuildText();
  UpdateButtons();
}

void OutputViewerWindow::OnWrite() {
  // Beside the runs, under their name.
  const std::optional<std::string> path = platform_->ChooseSaveFile(
      kTextFilter,
      viewer_.base_path.empty() ? std::string("output.txt") : viewer_.base_path + ".txt");
  if (!path) return;
  std::string whole;
  {
    WaitCursor wait(*platform_);
    whole = FullText();
  }
  OutputViewerText::WriteText(*path, whole, *platform_);
}

void OutputViewerWindow::OnGraph() {
  const OutputSelection selection = Selection();
  if (selection.runs.empty() || selection.segments.empty() || selection.variables.empty()) return;
  OpenOutputGraphs(this, viewer_, selection, graph_type());
}

}  // namespace orvo::ui
