#include "ui/editors/node_group_editors.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "groups/time_function_editing.h"
#include "model/model_vocabulary.h"
#include "model/number_text.h"
#include "model/platform.h"
#include "ui/editors/group_editors.h"
#include "ui/editors/time_function_editor.h"
#include "ui/widgets/grid_widget.h"
#include "ui/widgets/number_field.h"
#include "ui/widgets/stored_text.h"
#include "ui/widgets/window_fit.h"

namespace orvo::ui {
namespace {

namespace ne = orvo::node_editing;

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}
std::string S(const QString& text) {
  return text.toStdString();
}

QTableWidgetItem* ReadOnlyItem(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(item->flags() & ~Qt::ItemIsEditable);
  return item;
}

QDialogButtonBox* OkCancel(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

// Columns of a grid made by Grid that take only numbers.
void NumberColumns(QTableWidget* grid, std::initializer_list<int> columns, NumberKind kind,
                   bool empty_allowed = false) {
  for (const int column : columns) {
    static_cast<GridWidget*>(grid)->SetNumberColumn(column, kind, empty_allowed);
  }
}

// The shared grid, so that blocks of cells copy to and from a spreadsheet here too.
QTableWidget* Grid(QWidget* parent, const QStringList& headers, const std::vector<int>& widths) {
  auto* grid = new GridWidget(0, static_cast<int>(headers.size()), parent);
  grid->setObjectName("grid");
  grid->setHorizontalHeaderLabels(headers);
  for (size_t c = 0; c < widths.size(); ++c) grid->setColumnWidth(static_cast<int>(c), widths[c]);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->verticalHeader()->setVisible(false);
  return grid;
}

}  // namespace

// ---- Group B -------------------------------------------------------------------------

GroupBNodeEditor::GroupBNodeEditor(int field, int surface_count, int pore_count,
                                   const std::string& entries, QWidget* parent)
    : QDialog(parent),
      field_(field),
      surface_count_(surface_count),
      pore_count_(pore_count),
      entries_(ne::SplitExchangeEntries(entries)),
      original_(entries) {
  setWindowTitle(tr("Edit Group B Parameters (Exchange Data)"));
  FitWidthToTitle(this);
  auto* box = new QGroupBox(tr("Exchange Type"), this);
  auto* box_layout = new QVBoxLayout(box);
  type_ = new QButtonGroup(this);
  const char* names[] = {"Surface Water", "Pore Water", "No exchange data here"};
  for (int i = 0; i < 3; ++i) {
    auto* radio = new QRadioButton(tr(names[i]), box);
    radio->setObjectName(QString("exchangeType%1").arg(i));
    type_->addButton(radio, i);
    box_layout->addWidget(radio);
  }
  if (QAbstractButton* chosen = type_->button(field_)) chosen->setChecked(true);
  connect(type_, &QButtonGroup::idClicked, this, &GroupBNodeEditor::SetField);

  grid_ = Grid(this,
               {tr("Exchange Time Function index"), tr("Area, m^2 (A(K))"),
                tr("Characteristic length, m (EL(K))")},
               {50, 100, 100});
  NumberColumns(grid_, {1, 2}, NumberKind::kReal);
  connect(grid_, &QTableWidget::itemChanged, this, &GroupBNodeEditor::CellChanged);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(box);
  layout->addWidget(new QLabel(tr("Exchange data"), this));
  layout->addWidget(grid_);
  layout->addWidget(OkCancel(this));
  Rebuild();
}

void GroupBNodeEditor::SetField(int field) {
  field_ = field;
  Rebuild();
}

std::string GroupBNodeEditor::EntriesText() const {
  return entries_changed_ ? ne::ExchangeEntriesText(entries_) : original_;
}

void GroupBNodeEditor::Rebuild() {
  const int rows = ne::ExchangeRowCount(field_, surface_count_, pore_count_);
  if (static_cast<int>(entries_.size()) < rows) {
    ne::EnsureExchangeEntries(entries_, rows);
    entries_changed_ = true;
  }
  filling_ = true;
  grid_->setRowCount(rows);
  for (int r = 0; r < rows; ++r) {
    const std::string& entry = entries_[static_cast<size_t>(r)];
    grid_->setItem(r, 0, ReadOnlyItem(QString::number(r + 1)));
    grid_->setItem(r, 1, new QTableWidgetItem(Q(ne::ExchangeEntryValue(entry, 0))));
    grid_->setItem(r, 2, new QTableWidgetItem(Q(ne::ExchangeEntryValue(entry, 1))));
  }
  filling_ = false;
}

void GroupBNodeEditor::CellChanged(QTableWidgetItem* item) {
  if (filling_ || item->column() == 0) return;
  const std::string kept =
      ne::SetExchangeEntryValue(entries_, item->row(), item->column() - 1, S(item->text()));
  entries_changed_ = true;
  filling_ = true;
  item->setText(Q(kept));
  filling_ = false;
}

// ---- Group C -------------------------------------------------------------------------

GroupCNodeEditor::GroupCNodeEditor(Platform& platform, const GroupCValues& values, int noseg,
                                   const std::string& units, double CONVV, QWidget* parent)
    : QDialog(parent), platform_(platform), values_(values), noseg_(noseg), CONVV_(CONVV) {
  setWindowTitle(tr("Edit Group C Parameters (Volumes)"));
  type_ = new QComboBox(this);
  type_->setObjectName("segmentType");
  for (const char* name : ne::kSegmentTypeNames) type_->addItem(QString::fromLatin1(name));
  const int type = AtoI(values.segment_type);
  type_->setCurrentIndex(type >= 0 && type < type_->count() ? type : -1);
  auto line = [this](const std::string& text, const char* name) {
    auto* edit = new QLineEdit(Q(text), this);
    edit->setObjectName(name);
    return edit;
  };
  ibotseg_ = line(values.IBOTSEG, "IBOTSEG");
  bvol_ = line(values.BVOL, "BVOL");
  vmult_ = line(values.VMULT, "VMULT");
  vexp_ = line(values.VEXP, "VEXP");
  dmult_ = line(values.DMULT, "DMULT");
  dxp_ = line(values.DXP, "DXP");
  MakeNumberField(ibotseg_, tr("Bottom Segment ID (IBOTSEG)"), NumberKind::kInteger);
  MakeNumberField(bvol_, tr("Volume (BVOL)"));
  MakeNumberField(vmult_, tr("Hydraulic coefficient \"a\" for velocity (VMULT)"));
  MakeNumberField(vexp_, tr("Hydraulic exponent \"b\" for velocity (VEXP)"));
  MakeNumberField(dmult_, tr("Hydraulic coefficient \"c\" for depth (DMULT)"));
  MakeNumberField(dxp_, tr("Hydraulic exponent \"d\" for depth (DXP)"));
  adjusted_ = new QLabel(this);
  adjusted_->setObjectName("adjustedVolume");
  connect(bvol_, &QLineEdit::textChanged, this, &GroupCNodeEditor::VolumeChanged);

  auto* volume_row = new QHBoxLayout;
  volume_row->addWidget(bvol_);
  volume_row->addWidget(new QLabel("(" + FromStored(units) + "):", this));
  auto* form = new QFormLayout;
  form->addRow(tr("Segment Type:"), type_);
  form->addRow(tr("Bottom Segment ID (IBOTSEG):"), ibotseg_);
  form->addRow(tr("Volume (BVOL)"), volume_row);
  form->addRow(tr("Adjusted Volume (m^3):"), adjusted_);
  form->addRow(tr("Hydraulic coefficient \"a\" for velocity (VMULT):"), vmult_);
  form->addRow(tr("Hydraulic exponent \"b\" for velocity (VEXP):"), vexp_);
  form->addRow(tr("Hydraulic coefficient \"c\" for depth (DMULT):"), dmult_);
  form->addRow(tr("Hydraulic exponent \"d\" for depth (DXP):"), dxp_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(OkCancel(this));
  VolumeChanged();
}

void GroupCNodeEditor::VolumeChanged() {
  adjusted_->setText(Q(ne::AdjustedVolumeText(S(bvol_->text()), CONVV_)));
}

void GroupCNodeEditor::accept() {
  if (!CheckNumberFields(this)) return;
  const int ibotseg = AtoI(S(ibotseg_->text()));
  // A bottom segment that does not exist would be written into the deck as it is.
  if (!ne::ValidSegmentReference(ibotseg, noseg_)) {
    platform_.ShowMessage("The bottom segment ID (IBOTSEG) must be 0 or a segment ID from 1 to " +
                          IntText(noseg_) + ".");
    return;
  }
  GroupCValues values;
  values.segment_type = IntText(type_->currentIndex());
  values.IBOTSEG = IntText(ibotseg);
  values.BVOL = ne::NumberText(S(bvol_->text()));
  values.VMULT = ne::NumberText(S(vmult_->text()));
  values.VEXP = ne::NumberText(S(vexp_->text()));
  values.DMULT = ne::NumberText(S(dmult_->text()));
  values.DXP = ne::NumberText(S(dxp_->text()));
  values_ = values;
  QDialog::accept();
}

// ---- Group D -------------------------------------------------------------------------

GroupDNodeEditor::GroupDNodeEditor(Platform& platform, const ne::PortionLists& portions,
                                   QWidget* parent)
    : QDialog(parent), platform_(platform), portions_(portions) {
  setWindowTitle(tr("Edit Group D Parameters (Flows)"));
  FitWidthToTitle(this);
  const int columns = static_cast<int>(ne::MaxPortionCount(portions_));
  QStringList headers{tr("Flow field name")};
  std::vector<int> widths{100};
  for (int n = 1; n <= columns; ++n) {
    headers << tr("Portion of flow for time function ") + QString::number(n);
    widths.push_back(100);
  }
  grid_ = Grid(this, headers, widths);
  grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
  grid_->setRowCount(ne::kFlowFields);
  filling_ = true;
  for (int k = 0; k < ne::kFlowFields; ++k) {
    grid_->setItem(k, 0,
                   ReadOnlyItem(QString::fromLatin1(ne::kFlowFieldNames[static_cast<size_t>(k)])));
    for (int n = 1; n <= columns; ++n) ShowCell(k, n);
  }
  filling_ = false;
  for (int n = 1; n <= columns; ++n) NumberColumns(grid_, {n}, NumberKind::kReal, true);
  connect(grid_, &QTableWidget::itemChanged, this, &GroupDNodeEditor::CellChanged);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grid_);
  layout->addWidget(OkCancel(this));
  resize(qMin(140 + 100 * columns, 900), 300);
}

void GroupDNodeEditor::ShowCell(int field, int column) {
  const std::vector<std::string>& list = portions_[static_cast<size_t>(field)];
  const size_t at = static_cast<size_t>(column - 1);
  const bool filling = filling_;
  filling_ = true;
  grid_->setItem(field, column,
                 new QTableWidgetItem(at < list.size() ? Q(ne::PortionCell(list[at])) : QString()));
  filling_ = filling;
}

void GroupDNodeEditor::CellChanged(QTableWidgetItem* item) {
  if (filling_ || item->column() == 0) return;
  const int field = item->row();
  const int column = item->column();
  std::string message;
  const ne::PortionEdit edit = ne::EditPortion(portions_, field, column, S(item->text()), message);
  if (edit == ne::PortionEdit::kRefused) platform_.ShowMessage(message);
  ShowCell(field, column);
}

// ---- Groups E and F ------------------------------------------------------------------

SystemFunctionEditor::SystemFunctionEditor(Group group, Platform& platform, SimulationType simtyp,
                                           int systems, const std::vector<std::string>& texts,
                                           const std::vector<int>& breaks, QWidget* parent)
    : QDialog(parent), group_(group), platform_(platform), texts_(texts), breaks_(breaks) {
  const bool boundaries = group_ == kBoundaries;
  setWindowTitle(boundaries ? tr("Edit Group E Parameters (Boundary Concentrations)")
                            : tr("Edit Group F Parameters (Waste Loads)"));
  if (texts_.size() < static_cast<size_t>(systems)) texts_.resize(static_cast<size_t>(systems));
  grid_ = Grid(this,
               {tr("System name"), boundaries ? tr("Boundary Concentration Time Functions")
                                              : tr("Point Source Time Function")},
               {120, 400});
  grid_->setRowCount(systems);
  filling_ = true;
  for (int k = 0; k < systems; ++k) {
    grid_->setItem(k, 0, ReadOnlyItem(FromStored(vocabulary::SystemName(simtyp, k + 1))));
    grid_->setItem(k, 1, new QTableWidgetItem(Q(texts_[static_cast<size_t>(k)])));
  }
  filling_ = false;
  if (systems > 0) grid_->selectRow(0);
  NumberColumns(grid_, {1}, NumberKind::kRealList, true);
  connect(grid_, &QTableWidget::itemChanged, this, &SystemFunctionEditor::CellChanged);

  auto* edit = new QPushButton(tr("Edit time function"), this);
  edit->setObjectName("editTimeFunction");
  connect(edit, &QPushButton::clicked, this, &SystemFunctionEditor::EditTimeFunction);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grid_);
  auto* row = new QHBoxLayout;
  row->addWidget(edit);
  row->addStretch();
  row->addWidget(OkCancel(this));
  layout->addLayout(row);
  resize(580, 320);
}

int SystemFunctionEditor::Breaks(int row) const {
  return row >= 0 && static_cast<size_t>(row) < breaks_.size() ? breaks_[static_cast<size_t>(row)]
                                                               : 0;
}

void SystemFunctionEditor::SetRowText(int row, const std::string& text) {
  texts_[static_cast<size_t>(row)] = text;
  filling_ = true;
  grid_->item(row, 1)->setText(Q(text));
  filling_ = false;
}

void SystemFunctionEditor::CellChanged(QTableWidgetItem* item) {
  if (filling_ || item->column() != 1) return;
  const int row = item->row();
  if (group_ == kLoads) {
    SetRowText(row, ne::NormalizeLoadFunction(S(item->text())));
    return;
  }
  std::string normalized;
  if (ne::NormalizeBoundaryFunction(S(item->text()), Breaks(row), normalized)) {
    SetRowText(row, normalized);
  } else {
    SetRowText(row, texts_[static_cast<size_t>(row)]);
    platform_.ShowMessage(ne::kBreakCountFixed);
  }
}

void SystemFunctionEditor::EditTimeFunction() {
  const int row = grid_->currentRow();
  if (row < 0 || row >= grid_->rowCount()) return;
  std::string text = texts_[static_cast<size_t>(row)];
  int mode = time_function::kWasteLoads;
  if (group_ == kBoundaries) {
    mode = time_function::kBoundaryConcentrations;
    // Rows cannot be added in this mode, so an empty function opens with its zero breaks.
    if (!ne::NormalizeBoundaryFunction(text, Breaks(row), text)) {
      platform_.ShowMessage(ne::kBreakCountFixed);
      return;
    }
  }
  std::optional<std::string> edited = TimeFunctionEditor::EditText(this, mode, text);
  if (edited) SetRowText(row, *edited);
}

// ---- Group G -------------------------------------------------------------------------

GroupGNodeEditor::GroupGNodeEditor(Platform& platform, SimulationType simtyp,
                                   const std::vector<ne::ParameterPair>& pairs, QWidget* parent)
    : QDialog(parent), platform_(platform), simtyp_(simtyp), pairs_(pairs) {
  setWindowTitle(tr("Edit Group G Parameters (Parameters)"));
  grid_ = Grid(this, {tr("Parameter Name (PNAME(ISC))"), tr("ISC"), tr("PARAM(ISEG, ISC)")},
               {300, 50, 200});
  const int rows =
      std::min(vocabulary::SegmentParameterCount(simtyp_), static_cast<int>(pairs_.size()));
  grid_->setRowCount(rows);
  Fill();
  NumberColumns(grid_, {2}, NumberKind::kReal);
  connect(grid_, &QTableWidget::itemChanged, this, &GroupGNodeEditor::CellChanged);
  auto* defaults = new QPushButton(tr("Use defaults for parameter labels"), this);
  defaults->setObjectName("useDefaultLabels");
  connect(defaults, &QPushButton::clicked, this, &GroupGNodeEditor::UseDefaultLabels);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grid_);
  auto* row = new QHBoxLayout;
  row->addWidget(defaults);
  row->addStretch();
  row->addWidget(OkCancel(this));
  layout->addLayout(row);
  resize(600, 480);
}

void GroupGNodeEditor::Fill() {
  filling_ = true;
  for (int r = 0; r < grid_->rowCount(); ++r) {
    const ne::ParameterPair& pair = pairs_[static_cast<size_t>(r)];
    const SegmentParameterRow* table = vocabulary::SegmentParameter(simtyp_, r);
    grid_->setItem(r, 0, new QTableWidgetItem(FromStored(pair.label)));
    grid_->setItem(r, 1, ReadOnlyItem(QString::fromLatin1(table != nullptr ? table->number : "")));
    grid_->setItem(r, 2, new QTableWidgetItem(Q(pair.value)));
  }
  filling_ = false;
}

void GroupGNodeEditor::UseDefaultLabels() {
  ne::UseDefaultLabels(pairs_, simtyp_);
  Fill();
}

void GroupGNodeEditor::CellChanged(QTableWidgetItem* item) {
  if (filling_) return;
  ne::ParameterPair& pair = pairs_[static_cast<size_t>(item->row())];
  filling_ = true;
  if (item->column() == 0) {
    std::string label;
    if (ToStored(item->text(), label)) {
      pair.label = label;
    } else {
      item->setText(FromStored(pair.label));
      platform_.ShowMessage("The label holds characters that cannot be stored in a project file.");
    }
  } else if (item->column() == 2) {
    pair.value = ne::NumberText(S(item->text()));
    item->setText(Q(pair.value));
  }
  filling_ = false;
}

// ---- Groups with nothing to edit yet ----------------------------------------------------

bool OfferGlobalEditor(QWidget* parent, COrvoBuilderDoc& doc, char group, const QString& missing) {
  QMessageBox box(QMessageBox::Information, QStringLiteral("Nothing to Edit Yet"), missing,
                  QMessageBox::Close, parent);
  box.setObjectName("nothingToEdit");
  QPushButton* open = box.addButton(QStringLiteral("Open Group %1 Editor").arg(QLatin1Char(group)),
                                    QMessageBox::AcceptRole);
  open->setObjectName("openGlobalEditor");
  box.setDefaultButton(open);
  box.exec();
  return box.clickedButton() == open && RunGroupEditor(group, doc, parent);
}

}  // namespace orvo::ui
