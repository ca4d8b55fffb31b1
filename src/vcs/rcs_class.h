// RCSClass: the revisions of one project file, kept by the RCS programs (rlog, co, ci, rcs) in
// the subdirectory "RCS" beside it. Every program runs as a child process from an argument
// list in the file's directory, with the C locale so that its messages read the same on every
// system; our own working directory never changes. A program that fails has its own message
// shown through the platform, after "RCSClass::<operation>: ", and the operation fails.
#pragma once

#include <string>
#include <vector>

#include "model/platform.h"
#include "runs/pipe_process.h"
#include "vcs/rcs_log.h"

namespace orvo {

// Shown when the only revision of a file would be deleted.
inline constexpr char kCannotDeleteLastVersion[] = "Sorry, can't delete the last version";

class RCSClass {
 public:
  // Reads the log at once (ReadLog).
  RCSClass(const std::string& path, Platform& platform);

  // Lists the revisions again. A file without an archive has none and reads fine.
  bool ReadLog();
  // Overwrites the working file with revision, which must be one of the list.
  bool CheckOut(const std::string& revision);
  // Checks the working file in as revision (empty or not above 1.0: the first revision, which
  // creates the archive with text as its description), named name when that is not empty
  // (blanks become "_"), with text as its log message. The list is read again afterwards.
  bool CIVersion(const std::string& revision, const std::string& name, const std::string& text);
  // Removes revision, one of a list of at least two, and reads the list again.
  bool DeleteRevision(const std::string& revision);

  // The revision the next check-in takes (see NextRevision of revision_number.h).
  std::string NextRevision() const;
  // The list's line for revision index: its number, a blank and its name.
  std::string ListLine(size_t index) const;
  // The name a version is stored under: name without leading and trailing blanks, its other
  // blanks made "_". Empty (and message set) when RCS would refuse it.
  static std::string VersionName(const std::string& name, std::string& message);

  Platform& platform;
  std::string path;       // the project file as given
  std::string file_name;  // the part after the last separator
  std::string directory;  // the part before it, where the programs run
  bool archive_exists = false;
  bool log_read = false;               // the last ReadLog succeeded
  std::vector<std::string> revisions;  // newest first; revision numbers as RCS writes them
  std::vector<std::string> revision_dates;
  std::vector<std::string> log_messages;
  std::vector<std::string> revision_names;
  std::vector<std::string> symbolic_name_lines;
  std::string description;

 private:
  // Runs an RCS program to its end with its output in output; false (shown) when it could not
  // start or printed more than anyone reads.
  bool Run(const char* operation, const std::vector<std::string>& arguments, std::string& output,
           ProcessEnd& end);
  // Runs an RCS program; false, with its message shown, unless it succeeded.
  bool Run(const char* operation, const std::vector<std::string>& arguments);
  // The file name as an argument: one that begins with "-" would read as an option.
  std::string FileArgument() const;
  bool Listed(const char* operation, const std::string& revision);
  void Show(const char* operation, const std::string& text);
  void Assign(RcsLog&& log);
  bool ReadLogOutput();
};

// "Open Version": asks before the working file is overwritten, then checks revision out.
// false when the user declined or the check-out failed.
bool OpenVersion(RCSClass& record, const std::string& revision);

}  // namespace orvo
