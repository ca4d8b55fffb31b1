#include "ui/report/report_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDoubleValidator>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>
#include <set>

#include "model/number_text.h"
#include "model/platform.h"
#include "results/orvo_report_doc.h"
#include "results/report_charts.h"
#include "ui/report/background_read.h"
#include "ui/report/report_plot.h"
#include "ui/shell/qt_platform.h"
#include "ui/widgets/grid_widget.h"

namespace orvo::ui {
namespace {

const char* const kOutputFilter = "ORVO output files (*.out)|*.out|All Files (*.*)|*.*||";
const char* const kTextFilter = "Text files (*.txt)|*.txt|All Files (*.*) |*.*||";
constexpr std::size_t kAllRows = std::numeric_limits<std::size_t>::max();

// Fills a grid with rows of cells, the first row its titles; every cell can only be looked
// at unless editable_column names one.
void FillGrid(GridWidget& grid, const CellRows& rows, std::size_t shown_rows,
              int editable_column = -1) {
  const int columns = rows.empty() ? 0 : static_cast<int>(rows.front().size());
  grid.setRowCount(0);
  grid.setColumnCount(columns);
  grid.setRowCount(static_cast<int>(std::min(rows.size(), shown_rows)));
  grid.SetFixedRowCount(1);
  for (int row = 0; row < grid.rowCount(); ++row) {
    const std::vector<std::string>& cells = rows[static_cast<std::size_t>(row)];
    for (int column = 0; column < columns; ++column) {
      const std::string& text = cells[static_cast<std::size_t>(column)];
      grid.SetCellText(row, column, text.empty() ? QString() : MessageText(text));
      if (row > 0 && column != editable_column) {
        if (QTableWidgetItem* item = grid.item(row, column)) {
          item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        }
      }
    }
  }
  grid.resizeColumnsToContents();
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// ChooseItemsDialog

ChooseItemsDialog::ChooseItemsDialog(const QString& title, const QStringList& items,
                                     QWidget* parent)
    : QDialog(parent), list_(new QListWidget(this)) {
  setWindowTitle(title);
  list_->setObjectName(QStringLiteral("items"));
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->addItems(items);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok"));
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addWidget(buttons);
  resize(360, 320);
}

std::vector<int> ChooseItemsDialog::Chosen() const {
  std::vector<int> chosen;
  for (int row = 0; row < list_->count(); ++row) {
    if (list_->item(row)->isSelected()) chosen.push_back(row);
  }
  return chosen;
}

// ---------------------------------------------------------------------------------------------
// CORVOReportView

CORVOReportView::CORVOReportView(CORVOReportDoc& document, Platform& platform, QWidget* parent)
    : QWidget(parent),
      document_(document),
      platform_(platform),
      input_grid_(new GridWidget(this)),
      segment_grid_(new GridWidget(this)),
      report_grid_(new GridWidget(this)),
      variables_(new QListWidget(this)),
      full_path_(new QCheckBox(QStringLiteral("Display Full Path"), this)),
      timesteps_(new QLabel(this)),
      threshold_(new QLineEdit(QStringLiteral("0"), this)),
      percent_(new QCheckBox(QStringLiteral("%"), this)),
      exceedences_(new QCheckBox(QStringLiteral("Exceedences"), this)),
      max_(new QCheckBox(QStringLiteral("Max"), this)),
      min_(new QCheckBox(QStringLiteral("Min"), this)),
      mean_(new QCheckBox(QStringLiteral("Mean"), this)),
      all_data_(new QCheckBox(QStringLiteral("Show All Data"), this)),
      note_(new QLabel(this)) {
  choose_output_files = [this] {
    return QFileDialog::getOpenFileNames(this, QStringLiteral("Add"), QString(),
                                         QtFileFilter(kOutputFilter));
  };
  choose_report_file = [this] {
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Choose an output file."),
                                                QString(), QtFileFilter(kTextFilter));
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".txt");
    return path;
  };
  plot = [this](const std::vector<int>& runs, const std::vector<int>& variables) {
    OpenReportPlot(this, ReportCharts(document_, runs, variables));
  };
  BuildLayout();
  document_.SetChangeHandler([this] { OnDocumentChanged(); });
  Refresh();
}

CORVOReportView::~CORVOReportView() {
  document_.SetChangeHandler({});
}

QPushButton* CORVOReportView::AddButton(const QString& text, const char* name,
                                        void (CORVOReportView::*handler)()) {
  auto* button = new QPushButton(text, this);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  connect(button, &QPushButton::clicked, this, handler);
  return button;
}

void CORVOReportView::BuildLayout() {
  input_grid_->setObjectName(QStringLiteral("input_files"));
  input_grid_->SetRowSelection(true);
  input_grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  segment_grid_->setObjectName(QStringLiteral("segments"));
  segment_grid_->SetRowSelection(true);
  report_grid_->setObjectName(QStringLiteral("report"));
  report_grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  report_grid_->viewport()->installEventFilter(this);
  variables_->setObjectName(QStringLiteral("parameters"));
  variables_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  full_path_->setObjectName(QStringLiteral("full_path"));
  threshold_->setObjectName(QStringLiteral("threshold"));
  auto* validator = new QDoubleValidator(this);
  validator->setLocale(QLocale::c());
  threshold_->setValidator(validator);
  for (QCheckBox* box : {exceedences_, max_, min_, mean_}) box->setChecked(true);
  note_->setObjectName(QStringLiteral("report_note"));
  note_->hide();

  // Segment identifiers are edited in place; the segment numbers stay as they are.
  segment_grid_->SetMessageHandler(
      [this](const QString& message) { platform_.ShowMessage(message.toStdString()); });
  segment_grid_->SetCellValidator([](int, int column, const QString& text) {
    GridWidget::CellCheck check;
    check.text = text;
    if (column != 0) {
      check.accepted = false;
      check.message = QStringLiteral("The segments of an entry cannot be edited.");
    }
    return check;
  });
  connect(segment_grid_, &GridWidget::CellEdited, this,
          [this](int row, int column, const QString&, const QString& text) {
            if (column != 0 || row < 1) return;
            // The grid already shows the new name and is still closing its editor: it is
            // not refilled now.
            renaming_ = true;
            document_.RenameColumn(static_cast<std::size_t>(row - 1), text.toStdString());
            renaming_ = false;
          });

  auto* input_box = new QVBoxLayout;
  input_box->addWidget(new QLabel(QStringLiteral("Input Files:"), this));
  input_box->addWidget(input_grid_);
  auto* input_buttons = new QHBoxLayout;
  input_buttons->addWidget(AddButton(QStringLiteral("Add"), "add", &CORVOReportView::OnAdd));
  input_buttons->addWidget(
      AddButton(QStringLiteral("Delete"), "delete_runs", &CORVOReportView::OnDeleteRuns));
  input_buttons->addWidget(full_path_);
  input_buttons->addWidget(timesteps_);
  input_buttons->addStretch();
  input_box->addLayout(input_buttons);

  auto* parameter_box = new QVBoxLayout;
  parameter_box->addWidget(new QLabel(QStringLiteral("Report on Parameter:"), this));
  parameter_box->addWidget(variables_);
  parameter_box->addWidget(AddButton(QStringLiteral("Select parameters that show differences"),
                                     "select_differences", &CORVOReportView::OnSelectDifferences));

  auto* options = new QGroupBox(QStringLiteral("Report Options"), this);
  auto* options_layout = new QGridLayout(options);
  options_layout->addWidget(new QLabel(QStringLiteral("threshold difference:"), options), 0, 0);
  options_layout->addWidget(threshold_, 0, 1);
  options_layout->addWidget(percent_, 0, 2);
  options_layout->addWidget(exceedences_, 1, 0);
  options_layout->addWidget(max_, 2, 0);
  options_layout->addWidget(min_, 3, 0);
  options_layout->addWidget(mean_, 4, 0);
  options_layout->addWidget(all_data_, 1, 1, 1, 2);
  options_layout->addWidget(
      AddButton(QStringLiteral("Update"), "update", &CORVOReportView::RebuildReport), 4, 1, 1, 2);
  options_layout->setRowStretch(5, 1);

  auto* segment_box = new QVBoxLayout;
  segment_box->addWidget(new QLabel(QStringLiteral("Report on Segments:"), this));
  segment_box->addWidget(segment_grid_);
  auto* segment_buttons = new QHBoxLayout;
  segment_buttons->addWidget(
      AddButton(QStringLiteral("Add Segment"), "add_segment", &CORVOReportView::OnAddSegment));
  segment_buttons->addWidget(
      AddButton(QStringLiteral("Add Group"), "add_group", &CORVOReportView::OnAddGroup));
  segment_buttons->addWidget(
      AddButton(QStringLiteral("Delete"), "delete_entries", &CORVOReportView::OnDeleteEntries));
  segment_buttons->addStretch();
  segment_box->addLayout(segment_buttons);

  auto* top = new QHBoxLayout;
  top->addLayout(input_box, 3);
  top->addLayout(parameter_box, 2);
  top->addWidget(options, 0);
  top->addLayout(segment_box, 2);

  auto* report_buttons = new QHBoxLayout;
  report_buttons->addWidget(AddButton(QStringLiteral("Write Report to File"), "write_file",
                                      &CORVOReportView::OnWriteFile));
  report_buttons->addWidget(AddButton(QStringLiteral("Write Report to Clipboard"),
                                      "write_clipboard", &CORVOReportView::OnWriteClipboard));
  report_buttons->addWidget(AddButton(QStringLiteral("Plot"), "plot", &CORVOReportView::OnPlot));
  report_buttons->addWidget(note_);
  report_buttons->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 2);
  layout->addWidget(report_grid_, 3);
  layout->addLayout(report_buttons);

  for (QCheckBox* box : {percent_, exceedences_, max_, min_, mean_, all_data_}) {
    connect(box, &QCheckBox::toggled, this, &CORVOReportView::OnOptionChanged);
  }
  connect(full_path_, &QCheckBox::toggled, this, [this] {
    FillInputFiles();
    RebuildReport();
  });
  connect(threshold_, &QLineEdit::editingFinished, this, &CORVOReportView::OnOptionChanged);
}

ReportOptions CORVOReportView::Options() const {
  ReportOptions options;
  options.threshold = AtoF(threshold_->text().toStdString());
  options.percent = percent_->isChecked();
  options.exceedences = exceedences_->isChecked();
  options.maximum = max_->isChecked();
  options.minimum = min_->isChecked();
  options.mean = mean_->isChecked();
  options.show_all_data = all_data_->isChecked();
  options.full_path = full_path_->isChecked();
  options.sort_mode = sort_mode_;
  return options;
}

std::vector<int> CORVOReportView::SelectedVariables() const {
  std::vector<int> selected;
  for (int row = 0; row < variables_->count(); ++row) {
    if (variables_->item(row)->isSelected()) selected.push_back(row);
  }
  return selected;
}

void CORVOReportView::SelectVariables(const std::vector<int>& variables) {
  const std::set<int> chosen(variables.begin(), variables.end());
  for (int row = 0; row < variables_->count(); ++row) {
    variables_->item(row)->setSelected(chosen.count(row) != 0);
  }
}

void CORVOReportView::Refresh() {
  FillInputFiles();
  FillVariables();
  FillSegments();
  RebuildReport();
}

void CORVOReportView::OnDocumentChanged() {
  if (renaming_) {
    RebuildReport();
  } else {
    Refresh();
  }
  emit DocumentChanged();
}

void CORVOReportView::OnOptionChanged() {
  // The statistics boxes do not apply to the rows of every time step.
  for (QCheckBox* box : {exceedences_, max_, min_, mean_}) box->setEnabled(!all_data_->isChecked());
  RebuildReport();
}

void CORVOReportView::FillInputFiles() {
  FillGrid(*input_grid_, InputFileRows(document_, full_path_->isChecked()), kAllRows);
  timesteps_->setText(QString::number(document_.ReferenceSteps()) + QStringLiteral(" timesteps"));
}

void CORVOReportView::FillVariables() {
  // The names never change once filled, so a filled list keeps its selection.
  if (variables_->count() == static_cast<int>(document_.variable_names.size())) return;
  variables_->clear();
  for (const std::string& name : document_.variable_names) variables_->addItem(MessageText(name));
}

void CORVOReportView::FillSegments() {
  FillGrid(*segment_grid_, SegmentRows(document_), kAllRows, 0);
}

void CORVOReportView::RebuildReport() {
  report_ = BuildReport(document_, SelectedVariables(), Options());
  ShowReport();
}

void CORVOReportView::ShowReport() {
  const std::size_t columns =
      report_.rows.empty() ? 1 : std::max<std::size_t>(1, report_.rows[0].size());
  const auto shown_rows = static_cast<std::size_t>(
      std::max<long long>(2, kShownCells / static_cast<long long>(columns)));
  report_grid_->setUpdatesEnabled(false);
  FillGrid(*report_grid_, report_.rows, shown_rows);
  // Variable rows head their runs' rows.
  for (int row = 1; row < report_grid_->rowCount(); ++row) {
    if (!report_.variable_row[static_cast<std::size_t>(row)]) continue;
    for (int column = 0; column < report_grid_->columnCount(); ++column) {
      if (QTableWidgetItem* item = report_grid_->item(row, column)) {
        QFont font = item->font();
        font.setBold(true);
        item->setFont(font);
      }
    }
  }
  // Measured with the bold variable names.
  report_grid_->resizeColumnsToContents();
  report_grid_->setUpdatesEnabled(true);
  const bool cut = report_.rows.size() > shown_rows;
  note_->setVisible(cut);
  if (cut) {
    note_->setText(QStringLiteral("The first %1 of %2 rows are shown; "
                                  "\"Write Report to File\" writes them all.")
                       .arg(shown_rows - 1)
                       .arg(report_.rows.size() - 1));
  }
}

void CORVOReportView::CycleSortMode() {
  sort_mode_ = (sort_mode_ + 1) % 3;
  RebuildReport();
}

bool CORVOReportView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == report_grid_->viewport() && event->type() == QEvent::MouseButtonPress) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QModelIndex index = report_grid_->indexAt(mouse->position().toPoint());
    if (index.isValid() && index.row() == 0 && index.column() == report_.sort_column) {
      CycleSortMode();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void CORVOReportView::OnAdd() {
  QStringList chosen = choose_output_files ? choose_output_files() : QStringList();
  if (!chosen.isEmpty()) AddFiles(chosen);
}

void CORVOReportView::AddFiles(const QStringList& paths) {
  std::vector<std::string> files;
  for (const QString& path : paths) files.push_back(LocalPath(path));
  files = CORVOReportDoc::AddOrder(std::move(files));
  // Read off the window's thread; a run the user stopped reading is left out, those read
  // before it are added.
  std::vector<OrvoOutputData> read;
  const BackgroundResult result =
      RunInBackground(this, QStringLiteral("Adding runs"), [&](Platform& reporter) {
        for (const std::string& file : files) {
          OrvoOutputData run = CORVOReportDoc::ReadRun(file, reporter);
          if (run.read_cancelled) return;
          read.push_back(std::move(run));
        }
      });
  for (const std::string& message : result.messages) platform_.ShowMessage(message);
  for (OrvoOutputData& run : read) document_.AddRun(std::move(run));
}

void CORVOReportView::OnDeleteRuns() {
  QStringList paths;
  for (const OrvoOutputData& run : document_.runs) paths << MessageText(run.pathname);
  ChooseItemsDialog dialog(QStringLiteral("Delete"), paths, this);
  if (dialog.exec() != QDialog::Accepted) return;
  const std::vector<int> chosen = dialog.Chosen();
  for (auto row = chosen.rbegin(); row != chosen.rend(); ++row) {
    document_.RemoveRun(static_cast<std::size_t>(*row));
  }
}

void CORVOReportView::OnSelectDifferences() {
  const ReportOptions options = Options();
  const auto selected =
      VariablesShowingDifferences(document_, options.threshold, options.percent, platform_);
  if (!selected) return;
  SelectVariables(*selected);
  RebuildReport();
}

std::vector<int> CORVOReportView::ChooseSegments(const QString& title) {
  if (document_.runs.empty()) {
    platform_.ShowMessage("Please select a ORVO output file first.");
    return {};
  }
  // The segments the first run's files hold: a deck's count alone may be anything.
  QStringList numbers;
  std::vector<int> offered;
  for (int segment = 1; segment <= document_.runs.front().HeldSegments(); ++segment) {
    if (document_.report_segments.count(segment) != 0) continue;
    numbers << QString::number(segment);
    offered.push_back(segment);
  }
  ChooseItemsDialog dialog(title, numbers, this);
  if (dialog.exec() != QDialog::Accepted) return {};
  std::vector<int> chosen;
  for (int row : dialog.Chosen()) chosen.push_back(offered[static_cast<std::size_t>(row)]);
  return chosen;
}

void CORVOReportView::OnAddSegment() {
  for (int segment : ChooseSegments(QStringLiteral("Choose Segment(s)"))) {
    document_.AddReportSegment(segment);
  }
}

void CORVOReportView::OnAddGroup() {
  std::vector<int> chosen = ChooseSegments(QStringLiteral("Choose Segment(s)"));
  if (!chosen.empty()) document_.AddReportGroup(std::move(chosen));
}

void CORVOReportView::OnDeleteEntries() {
  const std::vector<ReportColumn> columns = document_.Columns();
  QStringList identifiers;
  for (const ReportColumn& column : columns) identifiers << MessageText(column.identifier);
  ChooseItemsDialog dialog(QStringLiteral("Delete"), identifiers, this);
  if (dialog.exec() != QDialog::Accepted) return;
  std::vector<int> segments;
  const std::vector<int> chosen = dialog.Chosen();
  const auto segment_count = static_cast<int>(document_.report_segments.size());
  for (auto row = chosen.rbegin(); row != chosen.rend(); ++row) {
    if (*row >= segment_count) {
      document_.RemoveReportGroup(static_cast<std::size_t>(*row - segment_count));
    } else {
      segments.push_back(columns[static_cast<std::size_t>(*row)].segments.front());
    }
  }
  for (int segment : segments) document_.RemoveReportSegment(segment);
}

void CORVOReportView::OnWriteFile() {
  const QString path = choose_report_file ? choose_report_file() : QString();
  if (path.isEmpty()) return;
  const std::string text = CsvText(report_.rows);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(text.data(), static_cast<qint64>(text.size())) !=
          static_cast<qint64>(text.size()) ||
      !file.commit()) {
    platform_.ShowMessage("Unable to write the report to " + LocalPath(path) + ".");
  }
}

void CORVOReportView::OnWriteClipboard() {
  QApplication::clipboard()->setText(report_grid_->AllText());
}

void CORVOReportView::OnPlot() {
  const std::vector<int> variables = SelectedVariables();
  if (document_.runs.empty() || variables.empty()) return;
  std::vector<int> runs;
  for (int row : input_grid_->SelectedRows()) runs.push_back(row - 1);
  if (runs.empty()) {
    for (int r = 0; r < static_cast<int>(document_.runs.size()); ++r) runs.push_back(r);
  }
  if (plot) plot(runs, variables);
}

}  // namespace orvo::ui
