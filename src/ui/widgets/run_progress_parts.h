// What the progress windows of model runs share: a duration as text, the box of the
// program's last output lines, the "Cancel" row and a run's progress on a bar and a label.
#pragma once

#include <QString>

class QBoxLayout;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QWidget;

namespace orvo {
struct RunProgress;
}

namespace orvo::ui {

// "m:ss", or "h:mm:ss" from an hour on; whole seconds.
QString DurationText(double seconds);

// A read-only, fixed-width, unwrapped box at least 72 characters wide and rows lines high.
QPlainTextEdit* NewOutputLinesBox(QWidget* parent, int rows);

// A "Cancel" button at the right end of a row of its own under layout.
QPushButton* AddCancelRow(QBoxLayout& layout, QWidget* parent);

// bar turns from busy to a thousand steps once the program has said how far it is; the label
// reads "Day t of end".
void ShowRunProgress(const RunProgress& progress, QProgressBar& bar, QLabel& time);

}  // namespace orvo::ui
