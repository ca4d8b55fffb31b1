// Writes the deck of the synthetic benchmark network of N segments, for measuring whole
// programs on it: make_deck N FILE.
#include <cstdio>
#include <cstdlib>

#include "deck/deck_writer.h"
#include "synthetic_deck.h"

int main(int argc, char** argv) {
  if (argc != 3 || std::atoi(argv[1]) < 1 || std::atoi(argv[1]) > 99999) {
    std::fprintf(stderr, "usage: %s SEGMENTS(1..99999) FILE\n", argv[0]);
    return 2;
  }
  const auto project = orvo::bench::SyntheticProject(std::atoi(argv[1]));
  return orvo::OrvoWrite(project->document, argv[2]) ? 0 : 1;
}
