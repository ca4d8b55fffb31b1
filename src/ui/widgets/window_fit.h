// Window sizes that show their whole title: a title bar takes room for the icon and the
// buttons besides the text, which a small dialog's layout knows nothing about.
#pragma once

class QWidget;

namespace orvo::ui {

// Widens window (its minimum width) so that its title fits in the title bar.
void FitWidthToTitle(QWidget* window);

}  // namespace orvo::ui
