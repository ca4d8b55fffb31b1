#include <exception>
#include <filesystem>
#include <new>
#include <ostream>

#include "cli_command.h"
#include "ui/shell/settings_store.h"

namespace orvo::cli {
namespace {

// The scripted answers of the command line, with the settings in the per-user store the
// desktop program uses, so that a location chosen in either serves both.
class CommandLinePlatform : public ScriptedPlatform {
 public:
  CommandLinePlatform() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error && program.has_parent_path())
      program_directory = program.parent_path().string() + '/';
  }
  std::string GetSetting(const SettingKey& key) override { return ReadStoredSetting(key); }
  void SetSetting(const SettingKey& key, const std::string& value) override {
    WriteStoredSetting(key, value);
  }
};

int RunCommandLine(std::vector<std::string> args, std::ostream& out, std::ostream& err);

}  // namespace

void PrintUsage(std::ostream& out) {
  out << "usage: orvo [--no] COMMAND ARGS...\n\n"
         "  --no   answer No / Cancel to every question\n\ncommands:\n";
  for (const auto& command : Commands()) {
    out << "  " << command.name << ' ' << command.usage << "\n      " << command.summary << '\n';
  }
}

int CatchAll(const std::function<int()>& body, std::ostream& err) {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    err << "orvo: out of memory; the operation was stopped.\n";
  } catch (const std::exception& error) {
    err << "orvo: the operation failed: " << error.what() << '\n';
  } catch (...) {
    err << "orvo: the operation failed with an unknown error.\n";
  }
  return kFailed;
}

int RunOrvo(std::vector<std::string> args, std::ostream& out, std::ostream& err) {
  return CatchAll([&] { return RunCommandLine(std::move(args), out, err); }, err);
}

namespace {

int RunCommandLine(std::vector<std::string> args, std::ostream& out, std::ostream& err) {
  CommandLinePlatform platform;
  platform.echo = [&err](const std::string& text) { err << text << '\n'; };

  while (!args.empty() && args.front().rfind("--", 0) == 0) {
    if (args.front() == "--no") {
      platform.default_answer = false;
    } else if (args.front() == "--help") {
      PrintUsage(out);
      return kSuccess;
    } else {
      err << "orvo: unknown option " << args.front() << '\n';
      PrintUsage(err);
      return kUsage;
    }
    args.erase(args.begin());
  }
  if (args.empty()) {
    PrintUsage(err);
    return kUsage;
  }
  for (const auto& command : Commands()) {
    if (args.front() != command.name) continue;
    Context context{platform, out};
    const int status = command.run(context, {args.begin() + 1, args.end()});
    if (status == kUsage) err << "usage: orvo " << command.name << ' ' << command.usage << '\n';
    return status;
  }
  err << "orvo: unknown command " << args.front() << '\n';
  PrintUsage(err);
  return kUsage;
}

}  // namespace

}  // namespace orvo::cli
