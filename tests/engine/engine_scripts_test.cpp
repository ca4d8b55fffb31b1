// The simulation programs as the editor starts them, in scripts under tests/data/engine/scripts/
// (the runner of support/cli_script.h) with two more commands:
//   run <program>      runs a program in the case's folder: its exit status
//   results <run>      what the results reader makes of a run's files
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "model/scripted_platform.h"
#include "results/orvo_output_data.h"
#include "support/cli_script.h"
#include "support/results_dump.h"

namespace orvo::engine {
namespace {

using testing::CommandScript;

// The exit status of `program` started in `directory`, or -1 when it did not end normally.
int RunIn(const std::string& program, const std::filesystem::path& directory) {
  const pid_t child = fork();
  if (child == 0) {
    if (chdir(directory.c_str()) != 0) _exit(126);
    char* const argv[] = {const_cast<char*>(program.c_str()), nullptr};
    execv(program.c_str(), argv);
    _exit(127);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_P(CommandScript, PrintsItsTranscript) {
  Check("engine",
        [](const std::vector<std::string>& args,
           const std::filesystem::path& folder) -> std::optional<std::string> {
          if (args[0] == "run") return "status " + std::to_string(RunIn(args.at(1), folder)) + "\n";
          if (args[0] != "results") return std::nullopt;
          ScriptedPlatform platform;
          OrvoOutputData data(args.at(1));
          const bool read = data.ReadInputData(platform) && data.ReadOutputData(platform);
          std::string text = read ? "read\n" : "not read\n";
          for (const std::string& message : platform.messages) text += "message " + message + "\n";
          return text + testing::ResultsDump(data);
        });
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandScript, testing::ScriptCases("engine"),
                         testing::CaseTestName);

}  // namespace
}  // namespace orvo::engine
