#include "cli_command.h"

namespace orvo::cli {

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"dump", "PROJECT", "list the nodes of a project file, one TAB-separated line each", Dump},
      {"write", "PROJECT DECK", "write the project's input deck", Write},
      {"check", "PROJECT",
       "report incomplete card data: group findings, then each segment and exchange", Check},
      {"read", "DECK PROJECT", "build a new project from the input deck DECK, saved as PROJECT",
       Read},
      {"import", "PROJECT DECK GROUP OUTPUT",
       "import card group GROUP (B to J, or all) of DECK into PROJECT, saved as OUTPUT", Import},
      {"run",
       "PROJECT [DECK] [--timeout SECONDS] | DECK --type fenu|verda|kobals [--timeout SECONDS]",
       "write the project's deck (default: the project's name with .inp) and run the model on it, "
       "or run the model on an existing DECK; print the run's results",
       Run},
      {"locate", "PROGRAM",
       "remember the directory of the simulation program PROGRAM for later runs", Locate},
      {"show",
       "RUNPATH [--type model|transport|massbalance] [--runs LIST] [--segments LIST] "
       "[--variables LIST] [--differences SEGMENT]",
       "print the output viewer's text for the run RUNPATH (deck path without extension) and "
       "its numbered runs; LISTs are comma-separated run labels or 1-based numbers and ranges",
       Show},
      {"compare",
       "REPORT.orr|RUN.out RUN.out... [--segments LIST] [--group LIST]... [--variables NAMES] "
       "[--threshold X] [--percent] [--stats exceed,max,min,mean] [--sort none|desc|asc] "
       "[--all-data] [--full-path] [--save REPORT.orr]",
       "print the run comparison report of a report file or of output files (the first the "
       "reference run) as CSV, title row first; LISTs are 1-based segment numbers and ranges, "
       "NAMES comma-separated variable names (default all)",
       Compare},
      {"revisions", "PROJECT",
       "list the revisions of a project file, newest first: revision, name, date and the first "
       "line of its log message, TAB-separated",
       Revisions},
      {"checkin", "PROJECT -m TEXT [-n NAME]",
       "check the project file in as its next revision with the log message TEXT (the "
       "description for the first) and the optional name NAME; prints the revision",
       CheckIn},
      {"checkout", "PROJECT REVISION", "overwrite the project file with its revision REVISION",
       CheckOut},
      {"delete-revision", "PROJECT REVISION", "remove the revision REVISION of the project file",
       DeleteRevision},
  };
  return commands;
}

}  // namespace orvo::cli
