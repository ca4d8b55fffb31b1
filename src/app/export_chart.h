// orvobuilder --export-chart: the first chart "Graph" would open for a selection of runs,
// drawn into a picture file without a display or a window.
#pragma once

namespace orvo::app {

// argv[1] is "--export-chart". Exit status: 0 written, 1 runs unreadable, selection empty or
// the picture not written (with a message), 2 usage error.
int ExportChartCommand(int argc, char** argv);

}  // namespace orvo::app
