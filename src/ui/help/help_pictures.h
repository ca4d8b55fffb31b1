// The pictures of the user guide, taken from the running program so that they show what the
// program shows today (tools/make_help_pictures runs this offscreen).
#pragma once

#include <QString>

namespace orvo::ui {

// Opens project in the main window and writes main_window.png, project_parameters.png,
// group_j_editor.png, valid_ranges.png, help_window.png and about.png into directory. 0 on
// success, 1 with a message on standard error otherwise.
int WriteHelpPictures(const QString& project, const QString& directory);

}  // namespace orvo::ui
