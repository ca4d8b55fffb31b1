// A window as the text of its expected file under tests/data/ui/: one line per widget the user
// can see that shows something, depth first in the order the widgets were made, indented under
// group boxes:
//   <class>[#<objectName>] "<text>" [checked|unchecked] [default] [read-only] [disabled]
// A combo box adds its items ("*" before the current one); an item view adds its column
// headers and one line per row ("*" before a selected row, "|" before the others; "[x]" or
// "[ ]" before a checkable cell), up to 200 rows. Containers show nothing themselves. Compare
// with ORVO_COMPARE_WINDOW; run with ORVO_UPDATE_EXPECTED=1 to write the files again.
#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTextEdit>

#include "support/qt_golden.h"

namespace orvo::testing {

namespace widget_dump {

inline QString Quoted(QString text) {
  text.replace(u'\\', QStringLiteral("\\\\")).replace(u'\n', QStringLiteral("\\n"));
  return u'"' + text.replace(u'\t', QStringLiteral("\\t")) + u'"';
}

// The column headers and rows of a table or list view.
inline QString Rows(const QAbstractItemView& view) {
  const QAbstractItemModel& model = *view.model();
  const auto* table = qobject_cast<const QTableView*>(&view);
  const auto* list = qobject_cast<const QListView*>(&view);
  const auto shown = [&](int column) {
    return table != nullptr ? !table->isColumnHidden(column)
                            : list == nullptr || column == list->modelColumn();
  };
  QString out;
  if (table != nullptr && table->horizontalHeader()->isVisible()) {
    QStringList titles;
    for (int column = 0; column < model.columnCount(); ++column)
      if (shown(column)) titles << model.headerData(column, Qt::Horizontal).toString();
    out += QStringLiteral("columns: ") + titles.join(QStringLiteral(" | ")) + u'\n';
  }
  for (int row = 0; row < model.rowCount() && row < 200; ++row) {
    QStringList cells;
    if (table != nullptr && table->verticalHeader()->isVisible())
      cells << model.headerData(row, Qt::Vertical).toString();
    for (int column = 0; column < model.columnCount(); ++column) {
      if (!shown(column)) continue;
      const QModelIndex index = model.index(row, column);
      const QVariant check = model.data(index, Qt::CheckStateRole);
      const QString mark = !check.isValid() ? QString() : check.toInt() ? "[x] " : "[ ] ";
      cells << mark + model.data(index).toString().replace(u'\n', QStringLiteral("\\n"));
    }
    const bool selected = view.selectionModel()->isRowSelected(row, {});
    out += (selected ? "* " : "| ") + cells.join(QStringLiteral(" | ")) + u'\n';
  }
  return out;
}

// What `widget` shows; empty for a container. `leaf` tells that its children are its own parts.
inline QString Shows(const QWidget& widget, bool& leaf, QString& below) {
  leaf = true;
  QString shows;
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
    shows = label->pixmap().isNull() ? Quoted(label->text()) : QStringLiteral("(picture)");
  } else if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
    shows = Quoted(button->text());
    if (button->isCheckable()) shows += button->isChecked() ? " checked" : " unchecked";
    const auto* push = qobject_cast<const QPushButton*>(&widget);
    if (push != nullptr && push->isDefault()) shows += " default";
  } else if (const auto* line = qobject_cast<const QLineEdit*>(&widget)) {
    shows = Quoted(line->text()) + (line->isReadOnly() ? " read-only" : "");
  } else if (const auto* combo = qobject_cast<const QComboBox*>(&widget)) {
    shows = Quoted(combo->currentText());
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
      items << (i == combo->currentIndex() ? "*" : "") + combo->itemText(i);
    below = QStringLiteral("items: ") + items.join(QStringLiteral(" | ")) + u'\n';
  } else if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(&widget)) {
    shows = Quoted(spin->text());
  } else if (const auto* plain = qobject_cast<const QPlainTextEdit*>(&widget)) {
    shows = Quoted(plain->toPlainText()) + (plain->isReadOnly() ? " read-only" : "");
  } else if (const auto* text = qobject_cast<const QTextEdit*>(&widget)) {
    shows = Quoted(text->toPlainText()) + (text->isReadOnly() ? " read-only" : "");
  } else if (const auto* view = qobject_cast<const QAbstractItemView*>(&widget)) {
    shows = QStringLiteral("(view)");
    if (view->model() != nullptr) below = Rows(*view);
  } else if (const auto* box = qobject_cast<const QGroupBox*>(&widget)) {
    leaf = false;
    shows = Quoted(box->title());
    if (box->isCheckable()) shows += box->isChecked() ? " checked" : " unchecked";
  } else {
    leaf = false;
    return {};
  }
  return widget.isEnabled() ? shows : shows + " disabled";
}

inline void Children(const QWidget& root, const QWidget& parent, const QString& indent,
                     QString& out) {
  for (const QObject* object : parent.children()) {
    const auto* widget = qobject_cast<const QWidget*>(object);
    if (widget == nullptr || widget->isWindow() || !widget->isVisibleTo(&root)) continue;
    bool leaf = false;
    QString below;
    const QString shows = Shows(*widget, leaf, below);
    QString next = indent;
    if (!shows.isEmpty()) {
      QString name = QString::fromLatin1(widget->metaObject()->className()).section(u':', -1);
      if (!widget->objectName().isEmpty() && !widget->objectName().startsWith("qt_"))
        name += u'#' + widget->objectName();
      out += indent + name + u' ' + shows + u'\n';
      next += QStringLiteral("  ");
      for (const QString& line : below.split(u'\n', Qt::SkipEmptyParts)) out += next + line + u'\n';
    }
    if (!leaf) Children(root, *widget, next, out);
  }
}

}  // namespace widget_dump

inline QByteArray WidgetDump(const QWidget& window) {
  QString out = QStringLiteral("window ") + widget_dump::Quoted(window.windowTitle()) +
                (window.isEnabled() ? "\n" : " disabled\n");
  widget_dump::Children(window, window, QString(), out);
  return out.toUtf8();
}

// The column headers and rows of one view, as a window's dump lists them.
inline QByteArray ViewDump(const QAbstractItemView& view) {
  return widget_dump::Rows(view).toUtf8();
}

// One line per item of a menu (and of its submenus, by path): its text, status text and
// shortcuts, then "hidden", "disabled" or "checked" as they apply, tab-separated.
inline QByteArray MenuDump(const QList<QAction*>& actions, const QString& path = QString()) {
  QByteArray text;
  for (QAction* action : actions) {
    if (action->isSeparator()) continue;
    const QString item = path.isEmpty() ? action->text() : path + " > " + action->text();
    QStringList keys;
    for (const QKeySequence& key : action->shortcuts()) keys << key.toString();
    QStringList line = {item, action->statusTip(), keys.join(", ")};
    if (!action->isVisible()) line << "hidden";
    if (!action->isEnabled()) line << "disabled";
    if (action->isChecked()) line << "checked";
    text += line.join('\t').toUtf8() + '\n';
    if (action->menu() != nullptr) text += MenuDump(action->menu()->actions(), item);
  }
  return text;
}

}  // namespace orvo::testing

// Fails the running QtTest function unless `window` dumps as the expected file `relative`.
#define ORVO_COMPARE_WINDOW(relative, window) \
  ORVO_COMPARE_EXPECTED(relative, orvo::testing::WidgetDump(window))
