// Finds texts a window cuts at its default size: a title wider than the window leaves room
// for, a button, label or group title narrower than its text, or a table column narrower
// than its header. Each finding names the widget's text.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QStringList>
#include <QTableWidget>
#include <QWidget>

#include "ui/widgets/grid_widget.h"

namespace orvo::testing {

// The part of widget the window shows: its rectangle clipped by every parent (a scroll area's
// viewport hides what lies beyond it).
// A widget of another window (a floating tool bar) is that window's business.
inline QRect ShownPart(const QWidget* widget, const QWidget* window) {
  if (widget->window() != window) return widget->rect();
  QRect shown(widget->mapTo(window, QPoint(0, 0)), widget->size());
  for (const QWidget* parent = widget->parentWidget(); parent != nullptr && parent != window;
       parent = parent->parentWidget()) {
    shown &= QRect(parent->mapTo(window, QPoint(0, 0)), parent->size());
  }
  return (shown & window->rect()).translated(-widget->mapTo(window, QPoint(0, 0)));
}

inline QStringList CutTexts(QWidget* window) {
  QStringList cut;
  // Room a window manager takes from the title bar for the icon and three buttons.
  constexpr int kTitleBarExtras = 110;
  QFont title_font = QApplication::font();
  title_font.setBold(true);
  const int title = QFontMetrics(title_font).horizontalAdvance(window->windowTitle());
  if (title + kTitleBarExtras > window->width()) {
    cut << QStringLiteral("title \"%1\" (%2 px of %3)")
               .arg(window->windowTitle())
               .arg(title + kTitleBarExtras)
               .arg(window->width());
  }
  for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
    if (!button->isVisibleTo(window) || button->text().isEmpty()) continue;
    if (button->width() < button->minimumSizeHint().width() ||
        ShownPart(button, window).size() != button->size()) {
      cut << QStringLiteral("button \"%1\"").arg(button->text());
    }
  }
  for (QLabel* label : window->findChildren<QLabel*>()) {
    if (!label->isVisibleTo(window) || label->wordWrap() || label->text().isEmpty()) continue;
    if (label->width() < label->minimumSizeHint().width()) {
      cut << QStringLiteral("label \"%1\"").arg(label->text());
    }
  }
  for (QGroupBox* box : window->findChildren<QGroupBox*>()) {
    if (!box->isVisibleTo(window)) continue;
    if (box->width() < box->fontMetrics().horizontalAdvance(box->title()) + 16) {
      cut << QStringLiteral("group \"%1\"").arg(box->title());
    }
  }
  for (QTableWidget* table : window->findChildren<QTableWidget*>()) {
    if (!table->isVisibleTo(window)) continue;
    // Columns out of the window's sight are as cut as narrow ones (a table scrolled out of
    // sight as a whole is not).
    const QRect shown = ShownPart(table, window);
    if (!shown.isEmpty() && shown.width() < table->width()) {
      cut << QStringLiteral("table \"%1\" (%2 px of %3 shown)")
                 .arg(table->objectName())
                 .arg(shown.width())
                 .arg(table->width());
    }
    QHeaderView* header = table->horizontalHeader();
    for (int column = 0; column < table->columnCount(); ++column) {
      if (table->isColumnHidden(column)) continue;
      if (!header->isHidden() && header->sectionSize(column) < header->sectionSizeHint(column)) {
        cut << QStringLiteral("header \"%1\"")
                   .arg(table->model()->headerData(column, Qt::Horizontal).toString());
      }
      // Header rows drawn as cells (the grid's fixed rows), in bold.
      const auto* grid = qobject_cast<const ui::GridWidget*>(table);
      if (grid == nullptr) continue;
      QFont bold = table->font();
      bold.setBold(true);
      for (int row = 0; row < grid->FixedRowCount(); ++row) {
        const QString text = grid->CellText(row, column);
        // Wrapped onto several lines is fine when the row is tall enough for them.
        const QRect needed = QFontMetrics(bold).boundingRect(
            QRect(0, 0, table->columnWidth(column) - 8, 10000), Qt::TextWordWrap, text);
        if (needed.width() > table->columnWidth(column) - 8 ||
            needed.height() > table->rowHeight(row) - 4) {
          cut << QStringLiteral("header cell \"%1\"").arg(text);
        }
      }
    }
  }
  return cut;
}

}  // namespace orvo::testing
