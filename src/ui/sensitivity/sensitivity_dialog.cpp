#include "ui/sensitivity/sensitivity_dialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "model/number_text.h"
#include "runs/model_execution.h"
#include "ui/sensitivity/family_progress_dialog.h"
#include "ui/shell/child_frame.h"
#include "ui/shell/qt_platform.h"
#include "ui/widgets/stored_text.h"

namespace orvo::ui {
namespace {

QString Text(const std::string& stored) {
  return FromStored(stored);
}

QComboBox* NewCombo(QWidget* parent, const QString& name, const std::vector<std::string>& items) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(name);
  for (const std::string& item : items) combo->addItem(Text(item));
  return combo;
}

// Refills a combo box with items, keeping the chosen entry by its position.
void Refill(QComboBox* combo, const std::vector<std::string>& items, bool keep_none = false) {
  const int index = combo->currentIndex();
  const QSignalBlocker block(combo);
  combo->clear();
  for (const std::string& item : items) combo->addItem(Text(item));
  combo->setCurrentIndex(
      index < combo->count() && (index >= 0 || keep_none) ? index : (items.empty() ? -1 : 0));
}

}  // namespace

// ---- The common part --------------------------------------------------------------------------

SensitivityDialog::SensitivityDialog(const ModelRunContext& context, int group,
                                     const QString& title, QWidget* parent)
    : QDialog(parent), context_(context), group_(group), selection_(new QGridLayout) {
  setObjectName(
      QStringLiteral("sensitivity_%1").arg(QChar(SensitivityGroupLetter(group)).toLower()));
  setWindowTitle(title);
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);
  document().AddObserver(this);
}

COrvoBuilderDoc& SensitivityDialog::document() const {
  return *context_.project->document;
}

SensitivityDialog::~SensitivityDialog() {
  document().RemoveObserver(this);
}

SensitivityDialog* SensitivityDialog::Find(const COrvoBuilderDoc& document, int group) {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    auto* dialog = qobject_cast<SensitivityDialog*>(window);
    if (dialog != nullptr && &dialog->document() == &document && dialog->group() == group)
      return dialog;
  }
  return nullptr;
}

void SensitivityDialog::CloseFor(const COrvoBuilderDoc& document) {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    auto* dialog = qobject_cast<SensitivityDialog*>(window);
    if (dialog != nullptr && &dialog->document() == &document) delete dialog;
  }
}

SensitivityDialog* SensitivityDialog::ShowFor(const ModelRunContext& context, int group) {
  SensitivityDialog* dialog = Find(*context.project->document, group);
  if (dialog == nullptr) {
    switch (group) {
      case kVaryB:
        dialog = new SensitivityDlgB(context, context.parent);
        break;
      case kVaryC:
        dialog = new SensitivityDlgC(context, context.parent);
        break;
      case kVaryD:
        dialog = new SensitivityDlgD(context, context.parent);
        break;
      case kVaryE:
      case kVaryF:
        dialog = new SensitivityDlgEF(context, group, context.parent);
        break;
      case kVaryG:
        dialog = new SensitivityDlgG(context, context.parent);
        break;
      case kVaryH:
        dialog = new SensitivityDlgH(context, context.parent);
        break;
      case kVaryJ:
        dialog = new SensitivityDlgJ(context, context.parent);
        break;
      default:
        return nullptr;
    }
  }
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
  return dialog;
}

void SensitivityDialog::AddLabelled(const QString& label, QWidget* widget, int row, int column,
                                    int row_span) {
  auto* caption = new QLabel(label, this);
  caption->setBuddy(widget);
  selection_->addWidget(caption, row, column);
  selection_->addWidget(widget, row + 1, column, row_span, 1);
}

QListWidget* SensitivityDialog::NewList(QWidget* parent, const QString& name) {
  auto* list = new QListWidget(parent);
  list->setObjectName(name);
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list->setMinimumHeight(list->fontMetrics().lineSpacing() * 8);
  return list;
}

void SensitivityDialog::FillNumbers(QListWidget* list, const std::vector<int>& numbers) {
  const QSignalBlocker block(list);
  list->clear();
  for (int number : numbers) {
    auto* item = new QListWidgetItem(QString::number(number), list);
    item->setData(Qt::UserRole, number);
  }
}

std::vector<int> SensitivityDialog::SelectedData(const QListWidget* list) {
  std::vector<int> data;
  for (int row = 0; row < list->count(); ++row) {
    if (list->item(row)->isSelected()) data.push_back(list->item(row)->data(Qt::UserRole).toInt());
  }
  return data;
}

std::vector<int> SensitivityDialog::SelectedRows(const QListWidget* list) {
  std::vector<int> rows;
  for (int row = 0; row < list->count(); ++row) {
    if (list->item(row)->isSelected()) rows.push_back(row);
  }
  return rows;
}

RangeRules SensitivityDialog::rules() const {
  return group_ == kVaryH || group_ == kVaryJ ? RangeRules::kGroupsHAndJ : RangeRules::kGroupsBToG;
}

AmountRule SensitivityDialog::Rule() const {
  // A box disabled by "As Percentage" does not count, whatever it showed before.
  return {percentage_->isChecked(), additive_->isEnabled() && additive_->isChecked()};
}

void SensitivityDialog::Finish() {
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(selection_);

  auto* range = new QGroupBox(this);
  auto* form = new QGridLayout(range);
  const auto number_field = [this](const QString& name) {
    auto* field = new QLineEdit(QStringLiteral("0"), this);
    field->setObjectName(name);
    field->setMaximumWidth(field->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 14);
    connect(field, &QLineEdit::editingFinished, this, [this, field] { TakeNumber(field); });
    return field;
  };
  minimum_ = number_field(QStringLiteral("minimum"));
  maximum_ = number_field(QStringLiteral("maximum"));
  increment_ = number_field(QStringLiteral("increment"));
  runs_ = number_field(QStringLiteral("runs"));
  minimum_label_ = new QLabel(QStringLiteral("Minimum:"), this);
  maximum_label_ = new QLabel(QStringLiteral("Maximum:"), this);
  auto* increment_label = new QLabel(QStringLiteral("Increment:"), this);
  auto* runs_label = new QLabel(QStringLiteral("No. of runs:"), this);
  minimum_label_->setBuddy(minimum_);
  maximum_label_->setBuddy(maximum_);
  increment_label->setBuddy(increment_);
  runs_label->setBuddy(runs_);
  form->addWidget(minimum_label_, 0, 0);
  form->addWidget(minimum_, 0, 1);
  form->addWidget(maximum_label_, 0, 2);
  form->addWidget(maximum_, 0, 3);
  form->addWidget(increment_label, 1, 0);
  form->addWidget(increment_, 1, 1);
  form->addWidget(runs_label, 1, 2);
  form->addWidget(runs_, 1, 3);

  intervals_label_ = new QLabel(QStringLiteral("Intervals:"), this);
  intervals_ = new QPlainTextEdit(QStringLiteral("0"), this);
  intervals_->setObjectName(QStringLiteral("intervals"));
  intervals_->setFixedHeight(intervals_->fontMetrics().lineSpacing() * 3 +
                             2 * intervals_->frameWidth() + 8);
  intervals_label_->setBuddy(intervals_);
  unit_ = new QLabel(QStringLiteral("%"), this);
  unit_->setObjectName(QStringLiteral("unit"));
  unit_->setMinimumWidth(unit_->fontMetrics().horizontalAdvance(QStringLiteral("%%")));
  form->addWidget(intervals_label_, 2, 0);
  form->addWidget(intervals_, 2, 1, 1, 3);
  form->addWidget(unit_, 2, 4);

  percentage_ = new QRadioButton(QStringLiteral("As Percentage"), this);
  percentage_->setObjectName(QStringLiteral("as_percentage"));
  value_ = new QRadioButton(QStringLiteral("As Value"), this);
  value_->setObjectName(QStringLiteral("as_value"));
  auto* amount_mode = new QButtonGroup(this);
  amount_mode->addButton(percentage_);
  amount_mode->addButton(value_);
  percentage_->setChecked(true);
  additive_ =
      new QCheckBox(group_ == kVaryB ? QStringLiteral("Offset") : QStringLiteral("+/-"), this);
  additive_->setObjectName(QStringLiteral("additive"));
  auto* modes = new QHBoxLayout;
  modes->addWidget(percentage_);
  modes->addWidget(value_);
  modes->addWidget(additive_);
  modes->addStretch(1);
  form->addLayout(modes, 3, 0, 1, 5);
  connect(percentage_, &QRadioButton::toggled, this, &SensitivityDialog::ShowAmountMode);
  if (group_ == kVaryH) {
    // Group H's offsets run under and over the present value.
    connect(additive_, &QCheckBox::toggled, this, [this](bool offset) {
      minimum_label_->setText(offset ? QStringLiteral("Under:") : QStringLiteral("Minimum:"));
      maximum_label_->setText(offset ? QStringLiteral("Over:") : QStringLiteral("Maximum:"));
      intervals_label_->setText(offset ? QStringLiteral("Intervals (+/-):")
                                       : QStringLiteral("Intervals:"));
    });
  }

  current_ = new QLineEdit(this);
  current_->setObjectName(QStringLiteral("current_value"));
  current_->setReadOnly(true);
  auto* current_label = new QLabel(QStringLiteral("Current Value:"), this);
  current_label->setBuddy(current_);
  form->addWidget(current_label, 4, 0);
  form->addWidget(current_, 4, 1, 1, 3);
  layout->addWidget(range);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  generate_ = new QPushButton(QStringLiteral("Generate"), this);
  generate_->setObjectName(QStringLiteral("generate"));
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  cancel_->setObjectName(QStringLiteral("cancel"));
  generate_->setAutoDefault(false);
  cancel_->setAutoDefault(false);
  buttons->addWidget(generate_);
  buttons->addWidget(cancel_);
  layout->addLayout(buttons);
  connect(generate_, &QPushButton::clicked, this, &SensitivityDialog::OnGenerate);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

  ShowAmountMode();
  ShowFields();
  ShowCurrentValue();
  ShowRunState();
}

void SensitivityDialog::ShowAmountMode() {
  const bool percent = percentage_->isChecked();
  unit_->setText(percent ? QStringLiteral("%") : QString());
  additive_->setEnabled(!percent);
}

void SensitivityDialog::ShowFields() {
  const auto show = [](QLineEdit* field, const QString& text) {
    if (field->text() != text) field->setText(text);
  };
  // Groups H and J show their bounds as "%g" text; the others keep them as typed.
  if (rules() == RangeRules::kGroupsHAndJ) {
    show(minimum_, QString::fromStdString(RealText(fields_.minimum)));
    show(maximum_, QString::fromStdString(RealText(fields_.maximum)));
  }
  show(increment_, QString::fromStdString(RealText(fields_.increment)));
  show(runs_, QString::number(fields_.runs));
  intervals_->setPlainText(QString::fromStdString(IntervalsText(fields_)));
}

void SensitivityDialog::TakeNumber(QLineEdit* field) {
  // Read as the fields always were: the leading number, 0 when there is none.
  const double typed = AtoF(field->text().toStdString());
  RangeFields changed = fields_;
  bool accepted = true;
  if (field == runs_) {
    const int runs = AtoI(field->text().toStdString());
    if (runs == fields_.runs) return;
    changed.runs = runs;
    accepted = RunsChanged(changed, rules());
  } else if (field == increment_) {
    if (typed == fields_.increment) return;
    changed.increment = typed;
    accepted = IncrementChanged(changed);
  } else {
    double& bound = field == minimum_ ? changed.minimum : changed.maximum;
    if (typed == bound) return;
    bound = typed;
    accepted = BoundChanged(changed, rules());
  }
  if (!accepted) {
    context_.platform->ShowMessage(TooManyRunsMessage());
    if (field == minimum_) field->setText(QString::fromStdString(RealText(fields_.minimum)));
    if (field == maximum_) field->setText(QString::fromStdString(RealText(fields_.maximum)));
    ShowFields();
    return;
  }
  fields_ = changed;
  ShowFields();
}

void SensitivityDialog::ShowCurrentValue() {
  current_->setText(Text(CurrentValue(document(), Choice())));
}

void SensitivityDialog::ShowRunState() {
  generate_->setEnabled(!ModelRunGoing(*context_.project));
}

void SensitivityDialog::OnDocumentUpdate(UpdateHint hint, int) {
  // Lists of segments and exchanges follow the network; node pointers are never kept.
  if (hint == kHintNetworkDeleting) return;
  Reload();
  ShowCurrentValue();
}

void SensitivityDialog::OnGenerate() {
  OpenProject& project = *context_.project;
  Platform& platform = *context_.platform;
  if (ModelRunGoing(project)) return;
  const SensitivityChoice choice = Choice();
  if (!CheckSensitivitySelection(choice, platform)) return;
  std::vector<double> amounts;
  std::string problem;
  if (!ParseIntervals(intervals_->toPlainText().toStdString(), amounts, problem)) {
    platform.ShowMessage(problem);
    return;
  }
  SensitivityParametersDialog parameters(platform, this);
  if (parameters.exec() != QDialog::Accepted) return;
  const std::string title1 = parameters.Title();
  if (!CheckTitleLine(title1, platform)) return;
  const std::optional<std::string> chosen = platform.ChooseSaveFile(kDeckFilter, "");
  if (!chosen || chosen->empty()) return;
  // The chooser's default extension.
  std::string path = *chosen;
  if (QFileInfo(FromLocalPath(path)).suffix().isEmpty()) path += ".inp";
  const std::optional<SensitivityFiles> files = SensitivityFilesFor(path, platform);
  if (!files) return;
  FamilyOptions options;
  {
    WaitCursor wait(platform);
    if (!GenerateSensitivityRun(document(), group_, *files)) return;
    if (!WriteSensitivityRunFiles(document(), choice, amounts, Rule(), title1, *files,
                                  &options.descriptions)) {
      return;
    }
  }
  options.files = *files;
  options.runs = static_cast<int>(amounts.size());
  options.base_case = parameters.BaseCase();
  options.jobs = parameters.ParallelRuns();
  ModelRunContext context = context_;
  const QPointer<SensitivityDialog> self = this;
  const std::function<void()> outer = context_.state_changed;
  context.state_changed = [self, outer] {
    if (outer) outer();
    if (self) self->ShowRunState();
  };
  StartFamilyWithProgress(context, std::move(options));
  ShowRunState();
}

// ---- Group B --------------------------------------------------------------------------------

SensitivityDlgB::SensitivityDlgB(const ModelRunContext& context, QWidget* parent)
    : SensitivityDialog(context, kVaryB, QStringLiteral("Card B Input (Exchanges)"), parent) {
  field_ = NewCombo(this, QStringLiteral("field"), ExchangeFieldNames());
  variable_ = NewCombo(this, QStringLiteral("variable"), ExchangeVariableNames());
  functions_ = NewList(this, QStringLiteral("functions"));
  exchanges_ = NewList(this, QStringLiteral("exchanges"));
  AddLabelled(QStringLiteral("Field:"), field_, 0, 0);
  AddLabelled(QStringLiteral("Variable:"), variable_, 2, 0);
  selection_layout()->setRowStretch(4, 1);
  AddLabelled(QStringLiteral("Exchange Time Function No.:"), functions_, 0, 1, 4);
  AddLabelled(QStringLiteral("Exchanges"), exchanges_, 0, 2, 4);
  connect(field_, &QComboBox::currentIndexChanged, this, [this] {
    Reload();
    ShowCurrentValue();
  });
  connect(variable_, &QComboBox::currentIndexChanged, this, [this] { ShowCurrentValue(); });
  connect(functions_, &QListWidget::itemSelectionChanged, this, [this] {
    FillExchanges();
    ShowCurrentValue();
  });
  connect(exchanges_, &QListWidget::itemSelectionChanged, this, [this] { ShowCurrentValue(); });
  Reload();
  Finish();
}

void SensitivityDlgB::Reload() {
  const std::vector<int> selected = SelectedData(functions_);
  std::vector<int> numbers;
  for (int n = 1; n <= ExchangeFunctionCount(document(), field_->currentIndex()); ++n)
    numbers.push_back(n);
  FillNumbers(functions_, numbers);
  for (int row = 0; row < functions_->count(); ++row) {
    const int number = functions_->item(row)->data(Qt::UserRole).toInt();
    if (std::find(selected.begin(), selected.end(), number) != selected.end())
      functions_->item(row)->setSelected(true);
  }
  FillExchanges();
}

void SensitivityDlgB::FillExchanges() {
  const std::vector<int> selected = SelectedData(exchanges_);
  std::vector<int> functions;
  for (int row : SelectedRows(functions_)) functions.push_back(row);
  const QSignalBlocker block(exchanges_);
  exchanges_->clear();
  for (const COrvoBuilderCntrItem* node :
       ExchangesOfFunctions(document(), field_->currentIndex(), functions)) {
    auto* item = new QListWidgetItem(QString::fromStdString(ExchangeLabel(*node)), exchanges_);
    item->setData(Qt::UserRole, node->number());
    if (std::find(selected.begin(), selected.end(), node->number()) != selected.end())
      item->setSelected(true);
  }
}

SensitivityChoice SensitivityDlgB::Choice() const {
  SensitivityChoice choice;
  choice.group = kVaryB;
  choice.field = field_->currentIndex();
  choice.quantity = variable_->currentIndex();
  choice.functions = SelectedRows(functions_);
  const std::vector<int> numbers = SelectedData(exchanges_);
  for (const auto& node : document().nodes()) {
    if (std::find(numbers.begin(), numbers.end(), node->number()) != numbers.end())
      choice.exchanges.push_back(node.get());
  }
  return choice;
}

// ---- Group C --------------------------------------------------------------------------------

SensitivityDlgC::SensitivityDlgC(const ModelRunContext& context, QWidget* parent)
    : SensitivityDialog(context, kVaryC, QStringLiteral("Card C Input (Volumes)"), parent) {
  item_ = NewCombo(this, QStringLiteral("item"), VolumeItemNames());
  segments_ = NewList(this, QStringLiteral("segments"));
  AddLabelled(QStringLiteral("Plot Item:"), item_, 0, 0);
  selection_layout()->setRowStretch(2, 1);
  AddLabelled(QStringLiteral("Segments:"), segments_, 0, 1, 2);
  connect(item_, &QComboBox::currentIndexChanged, this, [this] { ShowCurrentValue(); });
  connect(segments_, &QListWidget::itemSelectionChanged, this, [this] { ShowCurrentValue(); });
  Reload();
  Finish();
}

void SensitivityDlgC::Reload() {
  FillNumbers(segments_, AllSegmentIds(document()));
}

SensitivityChoice SensitivityDlgC::Choice() const {
  SensitivityChoice choice;
  choice.group = kVaryC;
  choice.quantity = item_->currentIndex();
  choice.segments = SelectedData(segments_);
  return choice;
}

// ---- Group D --------------------------------------------------------------------------------

SensitivityDlgD::SensitivityDlgD(const ModelRunContext& context, QWidget* parent)
    : SensitivityDialog(context, kVaryD, QStringLiteral("Card D Input (Flow)"), parent) {
  fields_ = NewList(this, QStringLiteral("flow_fields"));
  functions_ = NewList(this, QStringLiteral("functions"));
  AddLabelled(QStringLiteral("Flow Field:"), fields_, 0, 0);
  AddLabelled(QStringLiteral("Exchange Time Function No.:"), functions_, 0, 1);
  for (QListWidget* list : {fields_, functions_})
    connect(list, &QListWidget::itemSelectionChanged, this, [this] { ShowCurrentValue(); });
  fields_->setMinimumWidth(fields_->fontMetrics().horizontalAdvance(
                               QStringLiteral("Advective flows in the water column")) +
                           40);
  Reload();
  Finish();
}

void SensitivityDlgD::Reload() {
  const QSignalBlocker block(fields_);
  fields_->clear();
  for (int field : DefinedFlowFields(document())) {
    auto* item = new QListWidgetItem(Text(FlowFieldName(field)), fields_);
    item->setData(Qt::UserRole, field);
  }
  std::vector<int> numbers;
  for (int n = 1; n <= FlowFunctionCount(document()); ++n) numbers.push_back(n);
  FillNumbers(functions_, numbers);
}

SensitivityChoice SensitivityDlgD::Choice() const {
  SensitivityChoice choice;
  choice.group = kVaryD;
  choice.flow_fields = SelectedData(fields_);
  choice.functions = SelectedRows(functions_);
  return choice;
}

// ---- Groups E and F -------------------------------------------------------------------------

SensitivityDlgEF::SensitivityDlgEF(const ModelRunContext& context, int group, QWidget* parent)
    : SensitivityDialog(context, group,
                        group == kVaryE ? QStringLiteral("Card E Input (Boundaries)")
                                        : QStringLiteral("Card F Input (Waste Loads)"),
                        parent) {
  system_ = NewCombo(this, QStringLiteral("system"), SensitivitySystemNames(document()));
  segments_ = NewList(this, QStringLiteral("segments"));
  AddLabelled(QStringLiteral("System:"), system_, 0, 0);
  selection_layout()->setRowStretch(2, 1);
  AddLabelled(QStringLiteral("Segments:"), segments_, 0, 1, 2);
  connect(system_, &QComboBox::currentIndexChanged, this, [this] {
    FillSegments();
    ShowCurrentValue();
  });
  connect(segments_, &QListWidget::itemSelectionChanged, this, [this] { ShowCurrentValue(); });
  FillSegments();
  Finish();
}

void SensitivityDlgEF::Reload() {
  Refill(system_, SensitivitySystemNames(document()));
  FillSegments();
}

void SensitivityDlgEF::FillSegments() {
  const int system = system_->currentIndex();
  FillNumbers(segments_, system < 0          ? std::vector<int>()
                         : group() == kVaryE ? BoundarySegmentIds(document(), system)
                                             : LoadSegmentIds(document(), system));
}

SensitivityChoice SensitivityDlgEF::Choice() const {
  SensitivityChoice choice;
  choice.group = group();
  choice.system = system_->currentIndex();
  choice.segments = SelectedData(segments_);
  return choice;
}

// ---- Group G --------------------------------------------------------------------------------

SensitivityDlgG::SensitivityDlgG(const ModelRunContext& context, QWidget* parent)
    : SensitivityDialog(context, kVaryG, QStringLiteral("Card G Input (Parameters)"), parent) {
  parameter_ = new QComboBox(this);
  parameter_->setObjectName(QStringLiteral("parameter"));
  segments_ = NewList(this, QStringLiteral("segments"));
  AddLabelled(QStringLiteral("Parameter:"), parameter_, 0, 0);
  selection_layout()->setRowStretch(2, 1);
  AddLabelled(QStringLiteral("Segments:"), segments_, 0, 1, 2);
  connect(parameter_, &QComboBox::currentIndexChanged, this, [this] { ShowCurrentValue(); });
  connect(segments_, &QListWidget::itemSelectionChanged, this, [this] { ShowCurrentValue(); });
  Reload();
  Finish();
}

void SensitivityDlgG::Reload() {
  slots_ = ParametersInUse(document());
  std::vector<std::string> names;
  for (int slot : slots_) names.push_back(ParameterName(document(), slot));
  Refill(parameter_, names);
  FillNumbers(segments_, AllSegmentIds(document()));
}

SensitivityChoice SensitivityDlgG::Choice() const {
  SensitivityChoice choice;
  choice.group = kVaryG;
  const int index = parameter_->currentIndex();
  choice.slot = index >= 0 && static_cast<size_t>(index) < slots_.size() ? slots_[index] : -1;
  choice.segments = SelectedData(segments_);
  return choice;
}

// ---- Group H --------------------------------------------------------------------------------

SensitivityDlgH::SensitivityDlgH(const ModelRunContext& context, QWidget* parent)
    : SensitivityDialog(context, kVaryH, QStringLiteral("Sensitivity Analysis for Group H"),
                        parent) {
  system_ = NewCombo(this, QStringLiteral("system"), ConstantBlockNames(document()));
  system_->setCurrentIndex(-1);
  field_ = new QComboBox(this);
  field_->setObjectName(QStringLiteral("field"));
  constant_ = new QComboBox(this);
  constant_->setObjectName(QStringLiteral("constant"));
  for (QComboBox* combo : {system_, field_, constant_}) combo->setMinimumContentsLength(16);
  range_ = new QLineEdit(this);
  range_->setObjectName(QStringLiteral("range"));
  range_to_ = new QLineEdit(this);
  range_to_->setObjectName(QStringLiteral("range_to"));
  for (QLineEdit* field : {range_, range_to_}) field->setReadOnly(true);
  AddLabelled(QStringLiteral("System:"), system_, 0, 0);
  AddLabelled(QStringLiteral("Field:"), field_, 0, 1);
  AddLabelled(QStringLiteral("Constant:"), constant_, 0, 2);
  AddLabelled(QStringLiteral("Range:"), range_, 2, 0);
  AddLabelled(QStringLiteral("to:"), range_to_, 2, 1);
  connect(system_, &QComboBox::currentIndexChanged, this, [this] {
    FillFields();
    ShowCurrentValue();
  });
  connect(field_, &QComboBox::currentIndexChanged, this, [this] {
    FillConstants();
    ShowCurrentValue();
  });
  connect(constant_, &QComboBox::currentIndexChanged, this, [this] { ShowCurrentValue(); });
  Finish();
}

void SensitivityDlgH::Reload() {
  Refill(system_, ConstantBlockNames(document()), true);
  FillFields();
}

void SensitivityDlgH::FillFields() {
  const int block = system_->currentIndex();
  Refill(field_, block < 0 ? std::vector<std::string>() : ConstantFieldNames(document(), block),
         true);
  FillConstants();
}

void SensitivityDlgH::FillConstants() {
  const int block = system_->currentIndex();
  const int field = field_->currentIndex();
  Refill(constant_,
         block < 0 || field < 0 ? std::vector<std::string>()
                                : ConstantLabels(document(), block, field),
         true);
}

SensitivityChoice SensitivityDlgH::Choice() const {
  SensitivityChoice choice;
  choice.group = kVaryH;
  choice.system = system_->currentIndex();
  choice.constant_field = field_->currentIndex();
  choice.constant = constant_->currentIndex();
  return choice;
}

// ---- Group J --------------------------------------------------------------------------------

SensitivityDlgJ::SensitivityDlgJ(const ModelRunContext& context, QWidget* parent)
    : SensitivityDialog(context, kVaryJ, QStringLiteral("Sensitivity Analysis for Group J"),
                        parent) {
  system_ = NewCombo(this, QStringLiteral("system"), SensitivitySystemNames(document()));
  initial_ = new QRadioButton(QStringLiteral("Initial conditions"), this);
  initial_->setObjectName(QStringLiteral("initial"));
  dissolved_ = new QRadioButton(QStringLiteral("Dissolved concentration"), this);
  dissolved_->setObjectName(QStringLiteral("dissolved"));
  initial_->setChecked(true);
  segments_ = NewList(this, QStringLiteral("segments"));
  range_ = new QLineEdit(this);
  range_->setObjectName(QStringLiteral("range"));
  range_to_ = new QLineEdit(this);
  range_to_->setObjectName(QStringLiteral("range_to"));
  for (QLineEdit* field : {range_, range_to_}) field->setReadOnly(true);
  auto* quantity = new QVBoxLayout;
  quantity->addWidget(initial_);
  quantity->addWidget(dissolved_);
  AddLabelled(QStringLiteral("System:"), system_, 0, 0);
  selection_layout()->addLayout(quantity, 2, 0);
  AddLabelled(QStringLiteral("Range:"), range_, 3, 0);
  AddLabelled(QStringLiteral("to:"), range_to_, 5, 0);
  selection_layout()->setRowStretch(7, 1);
  AddLabelled(QStringLiteral("Apply to segments:"), segments_, 0, 1, 7);
  connect(system_, &QComboBox::currentIndexChanged, this, [this] { ShowCurrentValue(); });
  connect(initial_, &QRadioButton::toggled, this, [this] { ShowCurrentValue(); });
  connect(segments_, &QListWidget::itemSelectionChanged, this, [this] { ShowCurrentValue(); });
  Reload();
  Finish();
}

void SensitivityDlgJ::Reload() {
  Refill(system_, SensitivitySystemNames(document()));
  std::vector<int> numbers = AllSegmentIds(document());
  FillNumbers(segments_, numbers);
}

void SensitivityDlgJ::ShowCurrentValue() {
  SensitivityDialog::ShowCurrentValue();
  const SensitivityChoice choice = Choice();
  const bool one = choice.segments.size() == 1;
  const auto [low, high] = ValueRangeOf(document(), choice.quantity);
  range_->setText(one ? Text(low) : QString());
  range_to_->setText(one ? Text(high) : QString());
}

SensitivityChoice SensitivityDlgJ::Choice() const {
  SensitivityChoice choice;
  choice.group = kVaryJ;
  choice.system = system_->currentIndex();
  choice.quantity = dissolved_->isChecked() ? 2 : 1;
  // Segment positions, from 0.
  choice.segments = SelectedRows(segments_);
  return choice;
}

}  // namespace orvo::ui
