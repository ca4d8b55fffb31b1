#include "ui/editors/property_panel.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "model/number_text.h"
#include "ui/editors/property_number_kind.h"
#include "ui/network/network_painting.h"
#include "ui/network/network_view.h"
#include "ui/widgets/grid_widget.h"
#include "ui/widgets/stored_text.h"

namespace orvo::ui {
namespace {

namespace np = orvo::node_properties;

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

// Texts of the core are 8-bit stored text; names and numbers are plain ASCII.
QString Shown(const np::Property& property) {
  return FromStored(np::ShownText(property));
}

int ChoicePosition(const np::Property& property, const QString& typed) {
  return np::ChoicePosition(property.choices, typed.toStdString());
}

QString FieldName(const np::Property& property) {
  return property.column == "Value"
             ? FromStored(property.row)
             : FromStored(property.row) + QStringLiteral(", ") + Q(property.column);
}

QString Heading(const COrvoBuilderDoc& doc, const std::vector<int>& numbers) {
  if (numbers.empty()) {
    return QStringLiteral("No node selected. Click a node on the map to see its values here.");
  }
  if (numbers.size() > 1) {
    return QStringLiteral(
               "%1 nodes selected: the values they all have. An edit sets it on "
               "every one of them.")
        .arg(numbers.size());
  }
  const COrvoBuilderCntrItem* node = doc.FindNode(numbers.front());
  if (node == nullptr) return {};
  if (node->is_segment() && node->segment() != nullptr) {
    return QStringLiteral("Segment %1").arg(node->segment()->segment_id);
  }
  if (node->is_exchange() && node->exchange() != nullptr) {
    return QStringLiteral("Exchange %1 \u2192 %2")
        .arg(node->exchange()->upstream)
        .arg(node->exchange()->downstream);
  }
  return QStringLiteral("Label");
}

}  // namespace

PropertyPanel::PropertyPanel(COrvoBuilderView& view, QWidget* parent)
    : QWidget(parent), view_(view), document_(view.document()) {
  setObjectName(QStringLiteral("propertyPanel"));
  heading_ = new QLabel(this);
  heading_->setObjectName(QStringLiteral("propertyHeading"));
  heading_->setWordWrap(true);
  QFont bold = heading_->font();
  bold.setBold(true);
  heading_->setFont(bold);
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName(QStringLiteral("propertyScroll"));
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  body_ = new QWidget;
  sections_layout_ = new QVBoxLayout(body_);
  sections_layout_->setContentsMargins(0, 0, 0, 0);
  sections_layout_->addStretch();
  scroll->setWidget(body_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(heading_);
  layout->addWidget(scroll, 1);
  document_.AddObserver(this);
  connect(&view_, &COrvoBuilderView::SelectionChanged, this, &PropertyPanel::SelectionChanged);
  Refresh();
}

PropertyPanel::~PropertyPanel() {
  document_.RemoveObserver(this);
  // An editor still open commits when the window closes, after this body: the grids must
  // no longer reach the panel by then.
  for (Section& section : sections_) {
    if (!section.grid) continue;
    section.grid->SetCellValidator({});
    section.grid->SetMessageHandler({});
    disconnect(section.grid, nullptr, this, nullptr);
  }
}

GridWidget* PropertyPanel::SectionGrid(const QString& title) const {
  for (const Section& section : sections_) {
    if (section.title == title) return section.grid;
  }
  return nullptr;
}

std::pair<int, int> PropertyPanel::CellOf(const std::string& key) const {
  for (const Section& section : sections_) {
    for (const auto& [cell, property] : section.cells) {
      if (property.key == key) return cell;
    }
  }
  return {-1, -1};
}

void PropertyPanel::OnDocumentUpdate(UpdateHint, int) {
  ScheduleRefresh();
}

void PropertyPanel::SelectionChanged() {
  ScheduleRefresh();
}

void PropertyPanel::ScheduleRefresh() {
  if (refresh_pending_) return;
  refresh_pending_ = true;
  // Later, not now: the change may come from one of the panel's own grids, which a rebuild
  // must not delete under its own feet.
  QTimer::singleShot(0, this, [this] {
    if (refresh_pending_) Refresh();
  });
}

void PropertyPanel::Refresh() {
  refresh_pending_ = false;
  // The view keeps its selection by node number, through undo and redo as well.
  numbers_.clear();
  const std::vector<COrvoBuilderCntrItem*> chosen = view_.group_selection();
  for (const COrvoBuilderCntrItem* node : chosen) numbers_.push_back(node->number());
  if (chosen.empty() && view_.selected_node() != nullptr)
    numbers_.push_back(view_.selected_node()->number());
  heading_->setText(Heading(document_, numbers_));
  const std::vector<np::Property> properties = np::CommonProperties(document_, numbers_);
  std::vector<std::string> shape;
  for (const np::Property& property : properties) {
    for (const std::string* part :
         {&property.section, &property.row, &property.column, &property.key}) {
      shape.push_back(*part);
    }
  }
  if (shape != shape_) {
    shape_ = std::move(shape);
    Rebuild(properties);
  }
  ShowValues(properties);
}

void PropertyPanel::Rebuild(const std::vector<np::Property>& properties) {
  for (Section& section : sections_) {
    if (section.grid) section.grid->deleteLater();
  }
  sections_.clear();
  // Everything but the final stretch: the section titles and their grids.
  while (sections_layout_->count() > 1) {
    QLayoutItem* item = sections_layout_->takeAt(0);
    if (item->widget() != nullptr) item->widget()->deleteLater();
    delete item;
  }
  // Sections, rows and columns in the order the properties come.
  std::vector<std::string> titles;
  for (const np::Property& property : properties) {
    if (std::find(titles.begin(), titles.end(), property.section) == titles.end()) {
      titles.push_back(property.section);
    }
  }
  QFont bold = font();
  bold.setBold(true);
  for (const std::string& title : titles) {
    std::vector<std::string> rows;
    std::vector<std::string> columns;
    for (const np::Property& property : properties) {
      if (property.section != title) continue;
      if (std::find(rows.begin(), rows.end(), property.row) == rows.end()) {
        rows.push_back(property.row);
      }
      if (std::find(columns.begin(), columns.end(), property.column) == columns.end()) {
        columns.push_back(property.column);
      }
    }
    const size_t index = sections_.size();
    auto* grid = new GridWidget(static_cast<int>(rows.size()) + 1,
                                static_cast<int>(columns.size()) + 1, body_);
    grid->setObjectName(Q(title));
    grid->SetFixedRowCount(1);
    grid->SetFixedColumnCount(1);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    for (size_t c = 0; c < columns.size(); ++c) {
      grid->SetCellText(0, static_cast<int>(c) + 1, Q(columns[c]));
    }
    for (size_t r = 0; r < rows.size(); ++r) {
      grid->SetCellText(static_cast<int>(r) + 1, 0, FromStored(rows[r]));
      // A narrow panel cuts long names short; the whole name is a hover away.
      grid->item(static_cast<int>(r) + 1, 0)->setToolTip(FromStored(rows[r]));
    }
    grid->viewport()->installEventFilter(this);
    Section section{Q(title), grid, {}};
    for (const np::Property& property : properties) {
      if (property.section != title) continue;
      const int row =
          static_cast<int>(std::find(rows.begin(), rows.end(), property.row) - rows.begin()) + 1;
      const int column =
          static_cast<int>(std::find(columns.begin(), columns.end(), property.column) -
                           columns.begin()) +
          1;
      section.cells[{row, column}] = property;
      if (property.kind != np::Kind::kText && property.kind != np::Kind::kChoice) {
        grid->SetNumberCell(row, column, NumberKindOf(property.kind),
                            property.kind == np::Kind::kRealList, FieldName(property));
      }
      if (property.kind == np::Kind::kChoice) {
        QStringList names;
        for (const std::string& choice : property.choices) names << Q(choice);
        grid->item(row, column)
            ->setToolTip(QStringLiteral("One of: ") + names.join(QStringLiteral(", ")));
      }
    }
    // A cell no selected node has a value for can only be looked at.
    for (int row = 1; row < grid->rowCount(); ++row) {
      for (int column = 1; column < grid->columnCount(); ++column) {
        if (section.cells.count({row, column}) == 0)
          grid->item(row, column)->setFlags(Qt::ItemIsEnabled);
      }
    }
    grid->SetMessageHandler([this](const QString& message) { ShowMessage(message); });
    grid->SetCellValidator([this, index](int row, int column, const QString& text) {
      GridWidget::CellCheck check{true, text, {}};
      const auto found = sections_[index].cells.find({row, column});
      if (found == sections_[index].cells.end()) {
        return GridWidget::CellCheck{false, {}, {}};
      }
      const np::Property& property = found->second;
      if (property.kind == np::Kind::kChoice) {
        const int position = ChoicePosition(property, text);
        if (position < 0) {
          QStringList names;
          for (const std::string& choice : property.choices) names << Q(choice);
          return GridWidget::CellCheck{
              false,
              {},
              QStringLiteral("\u201C%1\u201D must be one of: %2.")
                  .arg(FieldName(property), names.join(QStringLiteral(", ")))};
        }
        check.text = Q(property.choices[static_cast<size_t>(position)]);
      } else if (property.kind == np::Kind::kText) {
        std::string stored;
        if (!ToStored(text, stored)) {
          return GridWidget::CellCheck{
              false,
              {},
              QStringLiteral(
                  "The label text holds characters that cannot be stored in a project file.")};
        }
      }
      return check;
    });
    connect(grid, &GridWidget::CellEdited, this,
            [this, index](int row, int column, const QString&, const QString& text) {
              CellEdited(index, row, column, text);
            });
    sections_.push_back(std::move(section));

    auto* title_label = new QLabel(Q(title), body_);
    title_label->setFont(bold);
    const int at = sections_layout_->count() - 1;
    sections_layout_->insertWidget(at, title_label);
    sections_layout_->insertWidget(at + 1, grid);
    // Shown now, not when the layout gets round to it, so that they take input at once.
    title_label->show();
    grid->show();
  }
}

void PropertyPanel::ShowValues(const std::vector<np::Property>& properties) {
  for (Section& section : sections_) {
    GridWidget* grid = section.grid;
    if (grid == nullptr) continue;
    for (auto& [cell, property] : section.cells) {
      const auto found = std::find_if(properties.begin(), properties.end(),
                                      [&](const np::Property& p) { return p.key == property.key; });
      if (found == properties.end()) continue;
      property = *found;
      grid->SetCellText(cell.first, cell.second, Shown(property));
      grid->item(cell.first, cell.second)
          ->setToolTip(property.mixed ? QStringLiteral("The selected nodes hold different values.")
                                      : grid->item(cell.first, cell.second)->toolTip());
    }
    grid->resizeColumnsToContents();
    // Never narrower than the bold header texts, whatever the contents.
    QFont bold = grid->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    for (int column = 0; column < grid->columnCount(); ++column) {
      int width = std::max(grid->columnWidth(column), column > 0 ? 90 : 0);
      for (int row = 0; row < grid->FixedRowCount(); ++row) {
        width = std::max(width, metrics.horizontalAdvance(grid->CellText(row, column)) + 16);
      }
      grid->setColumnWidth(column, width);
    }
    section.name_width = grid->columnWidth(0);
    FitNames(section);
    int height = 2 * grid->frameWidth() + grid->horizontalScrollBar()->sizeHint().height();
    for (int row = 0; row < grid->rowCount(); ++row) height += grid->rowHeight(row);
    grid->setFixedHeight(height);
  }
}

void PropertyPanel::FitNames(const Section& section) {
  GridWidget* grid = section.grid;
  if (grid == nullptr || section.name_width == 0) return;
  // The values stay in sight: the names give up width down to two fifths of the grid before
  // the grid scrolls sideways.
  int values = 0;
  for (int column = 1; column < grid->columnCount(); ++column) values += grid->columnWidth(column);
  const int room = grid->viewport()->width();
  const int least = std::min(section.name_width, room * 2 / 5);
  grid->setColumnWidth(0, std::clamp(room - values, least, section.name_width));
}

bool PropertyPanel::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize) {
    for (const Section& section : sections_) {
      if (section.grid != nullptr && section.grid->viewport() == watched) FitNames(section);
    }
  }
  return QWidget::eventFilter(watched, event);
}

void PropertyPanel::CellEdited(size_t index, int row, int column, const QString& text) {
  if (index >= sections_.size()) return;
  const auto found = sections_[index].cells.find({row, column});
  if (found == sections_[index].cells.end()) return;
  const np::Property property = found->second;
  std::string typed;
  if (property.kind == np::Kind::kChoice) {
    typed = IntText(ChoicePosition(property, text));
  } else if (!ToStored(text, typed)) {
    return;  // refused by the validator already
  }
  np::Outcome outcome;
  {
    // A label takes the size of its new text in the same step.
    ScopedStep step(document_, "Edit " + FieldName(property).toStdString());
    outcome = np::SetProperty(document_, numbers_, property.key, typed);
    if (outcome.changed && property.key == "L:text") {
      for (const int number : numbers_) {
        if (COrvoBuilderCntrItem* node = document_.FindNode(number)) FitLabelToText(*node);
      }
    }
  }
  if (!outcome.message.empty()) ShowMessage(Q(outcome.message));
  if (outcome.changed) document_.UpdateAllViews(kHintRedrawAll);
  // The cell shows the value as kept (or as it was, when refused).
  ScheduleRefresh();
}

void PropertyPanel::ShowMessage(const QString& text) {
  document_.platform().ShowMessage(text.toStdString());
}

}  // namespace orvo::ui
