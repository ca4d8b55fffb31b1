// orvo: the command line of OrvoBuilder. Messages the editor would show go to standard
// error, one per line; questions are answered Yes/OK unless --no is given; file choosers
// inside an operation are cancelled.
#include <iostream>
#include <string>
#include <vector>

#include "cli_command.h"

namespace {

void PrintUsage(std::ostream& out) {
  out << "usage: orvo [--no] COMMAND ARGS...\n\n"
         "  --no   answer No / Cancel to every question\n\ncommands:\n";
  for (const auto& command : orvo::cli::Commands()) {
    out << "  " << command.name << ' ' << command.usage << "\n      " << command.summary << '\n';
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  orvo::ScriptedPlatform platform;
  platform.echo = [](const std::string& text) { std::cerr << text << '\n'; };

  while (!args.empty() && args.front().rfind("--", 0) == 0) {
    if (args.front() == "--no") {
      platform.default_answer = false;
    } else if (args.front() == "--help") {
      PrintUsage(std::cout);
      return orvo::cli::kSuccess;
    } else {
      std::cerr << "orvo: unknown option " << args.front() << '\n';
      PrintUsage(std::cerr);
      return orvo::cli::kUsage;
    }
    args.erase(args.begin());
  }
  if (args.empty()) {
    PrintUsage(std::cerr);
    return orvo::cli::kUsage;
  }
  for (const auto& command : orvo::cli::Commands()) {
    if (args.front() != command.name) continue;
    orvo::cli::Context context{platform, std::cout};
    const int status = command.run(context, {args.begin() + 1, args.end()});
    if (status == orvo::cli::kUsage) {
      std::cerr << "usage: orvo " << command.name << ' ' << command.usage << '\n';
    }
    return status;
  }
  std::cerr << "orvo: unknown command " << args.front() << '\n';
  PrintUsage(std::cerr);
  return orvo::cli::kUsage;
}
