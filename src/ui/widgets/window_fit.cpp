#include "ui/widgets/window_fit.h"

#include <QApplication>
#include <QFontMetrics>
#include <QWidget>
#include <algorithm>

namespace orvo::ui {

void FitWidthToTitle(QWidget* window) {
  // Title bars use a bold face on most desktops; the extra is the icon and three buttons.
  constexpr int kTitleBarExtras = 120;
  QFont font = QApplication::font();
  font.setBold(true);
  const int needed = QFontMetrics(font).horizontalAdvance(window->windowTitle()) + kTitleBarExtras;
  window->setMinimumWidth(std::max(window->minimumWidth(), needed));
}

}  // namespace orvo::ui
