// orvobuilder: the desktop program.
#include "ui/shell/application.h"

int main(int argc, char** argv) {
  return orvo::ui::RunOrvoBuilder(argc, argv);
}
