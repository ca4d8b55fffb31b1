#include "ui/widgets/run_progress_parts.h"

#include <QBoxLayout>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include "runs/model_run.h"

namespace orvo::ui {
namespace {

constexpr int kBarSteps = 1000;

QString DayText(double day) {
  return QString::number(day, 'g', 6);
}

}  // namespace

QString DurationText(double seconds) {
  const long long whole = seconds > 0 ? static_cast<long long>(seconds) : 0;
  const long long hours = whole / 3600;
  const QString minutes_seconds = QStringLiteral("%1:%2")
                                      .arg(whole / 60 % 60, hours > 0 ? 2 : 1, 10, QLatin1Char('0'))
                                      .arg(whole % 60, 2, 10, QLatin1Char('0'));
  return hours > 0 ? QString::number(hours) + u':' + minutes_seconds : minutes_seconds;
}

QPlainTextEdit* NewOutputLinesBox(QWidget* parent, int rows) {
  auto* lines = new QPlainTextEdit(parent);
  lines->setObjectName(QStringLiteral("output_lines"));
  lines->setReadOnly(true);
  lines->setLineWrapMode(QPlainTextEdit::NoWrap);
  lines->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  const QFontMetrics metrics(lines->font());
  lines->setMinimumSize(metrics.horizontalAdvance(QLatin1Char('x')) * 72,
                        metrics.lineSpacing() * rows + 2 * lines->frameWidth() + 8);
  return lines;
}

QPushButton* AddCancelRow(QBoxLayout& layout, QWidget* parent) {
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), parent);
  cancel->setObjectName(QStringLiteral("cancel"));
  cancel->setAutoDefault(false);
  row->addWidget(cancel);
  layout.addLayout(row);
  return cancel;
}

void ShowRunProgress(const RunProgress& progress, QProgressBar& bar, QLabel& time) {
  if (bar.maximum() != kBarSteps) bar.setRange(0, kBarSteps);
  bar.setValue(static_cast<int>(progress.Fraction() * kBarSteps + 0.5));
  time.setText(QStringLiteral("Day %1 of %2").arg(DayText(progress.time), DayText(progress.end)));
}

}  // namespace orvo::ui
