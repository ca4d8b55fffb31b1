// orvobuilder: the desktop program.
#include <cstdio>
#include <cstring>
#include <exception>

#include "app/export_chart.h"
#include "ui/shell/application.h"

int main(int argc, char** argv) {
  // No exception leaves the program unreported (those of event handlers are caught earlier).
  try {
    if (argc > 1 && std::strcmp(argv[1], "--export-chart") == 0) {
      return orvo::app::ExportChartCommand(argc, argv);
    }
    return orvo::ui::RunOrvoBuilder(argc, argv);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "orvobuilder: unexpected error: %s\n", error.what());
  } catch (...) {
    std::fprintf(stderr, "orvobuilder: unexpected error\n");
  }
  return 1;
}
