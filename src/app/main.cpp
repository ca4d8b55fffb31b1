// orvobuilder: the desktop program.
#include "ui/application.h"

int main(int argc, char** argv) {
  return orvo::ui::RunOrvoBuilder(argc, argv);
}
