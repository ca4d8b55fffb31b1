// The command table of the orvo command line. Each command takes its arguments (options
// common to all commands already removed) and returns the exit status.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "model/scripted_platform.h"

namespace orvo::cli {

enum ExitStatus : int { kSuccess = 0, kFailed = 1, kUsage = 2 };

struct Context {
  ScriptedPlatform& platform;
  std::ostream& out;
};

struct Command {
  const char* name;
  const char* usage;    // arguments, e.g. "PROJECT"
  const char* summary;  // one line for the help text
  int (*run)(Context& context, const std::vector<std::string>& args);
};

// The whole command line: options, then a command of the table. Never throws: an exception
// that escapes a command is reported on err and fails it (kFailed).
int RunOrvo(std::vector<std::string> args, std::ostream& out, std::ostream& err);

// Runs body; an exception it throws becomes a message on err ("orvo: ...") and kFailed.
int CatchAll(const std::function<int()>& body, std::ostream& err);

// Every command, in the order the help text lists them.
const std::vector<Command>& Commands();

// Commands, one file each.
int Dump(Context& context, const std::vector<std::string>& args);
int Write(Context& context, const std::vector<std::string>& args);
int Check(Context& context, const std::vector<std::string>& args);
int Read(Context& context, const std::vector<std::string>& args);
int Import(Context& context, const std::vector<std::string>& args);
int Run(Context& context, const std::vector<std::string>& args);
int Locate(Context& context, const std::vector<std::string>& args);
int Show(Context& context, const std::vector<std::string>& args);
int Compare(Context& context, const std::vector<std::string>& args);
int Revisions(Context& context, const std::vector<std::string>& args);
int CheckIn(Context& context, const std::vector<std::string>& args);
int CheckOut(Context& context, const std::vector<std::string>& args);
int DeleteRevision(Context& context, const std::vector<std::string>& args);

}  // namespace orvo::cli
