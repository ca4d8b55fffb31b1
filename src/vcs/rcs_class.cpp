#include "vcs/rcs_class.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "model/text_trim.h"
#include "vcs/revision_number.h"

namespace orvo {
namespace {

namespace fs = std::filesystem;

// More than any project's log; a program printing beyond it is not one of ours.
constexpr size_t kMaxOutput = size_t{64} << 20;

// Why a program failed, in its own words when it said anything.
std::string FailureText(const std::string& program, const ProcessEnd& end,
                        const std::string& output) {
  std::string text(Trim(output.empty() ? end.output_tail : output, "\r\n "));
  if (!text.empty()) return text;
  if (end.signal != 0) return program + " was ended by signal " + std::to_string(end.signal) + ".";
  return program + " failed with exit status " + std::to_string(end.exit_code) + ".";
}

// A check-in number: digits in dot-separated fields ("2" asks RCS for revision 2.1).
bool IsCheckInNumber(const std::string& text) {
  if (text.empty() || text.front() == '.' || text.back() == '.') return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '.' ? text[i + 1] == '.' : text[i] < '0' || text[i] > '9') return false;
  }
  return true;
}

// Texts are stored as typed, with "\n" line ends; a NUL cannot travel as an argument.
std::string StoredText(const std::string& text) {
  std::string stored;
  stored.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\0') continue;
    if (text[i] == '\r') {
      stored += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      continue;
    }
    stored += text[i];
  }
  return stored;
}

}  // namespace

RCSClass::RCSClass(const std::string& file_path, Platform& the_platform)
    : platform(the_platform), path(file_path) {
  const fs::path split(file_path);
  file_name = split.filename().string();
  directory = split.parent_path().string();
  ReadLog();
}

void RCSClass::Show(const char* operation, const std::string& text) {
  platform.ShowMessage(std::string("RCSClass::") + operation + ": " + text);
}

std::string RCSClass::FileArgument() const {
  return !file_name.empty() && file_name.front() == '-' ? "./" + file_name : file_name;
}

bool RCSClass::Run(const char* operation, const std::vector<std::string>& arguments,
                   std::string& output, ProcessEnd& end) {
  output.clear();
  PipeProcess process;
  // The messages read the same in every language, and the user's RCSINIT options (another
  // date format, other archive suffixes) cannot change what is parsed or where archives go.
  process.SetEnvironment("LC_ALL", "C");
  process.SetEnvironment("RCSINIT", "");
  if (!process.Start(arguments, directory)) {
    Show(operation, process.error());
    return false;
  }
  // Nothing is typed to them: a program that would ask reads the end of its input.
  process.CloseInput();
  bool too_long = false;
  std::string line;
  for (bool more = true; more;) {
    more = process.ReadLine(line);
    if (output.size() + line.size() <= kMaxOutput) {
      output += line;
    } else {
      too_long = true;
    }
  }
  end = process.Close();
  if (too_long) {
    Show(operation, arguments.front() + " printed more than " + std::to_string(kMaxOutput >> 20) +
                        " MiB; its output was not read.");
    return false;
  }
  return true;
}

bool RCSClass::Run(const char* operation, const std::vector<std::string>& arguments) {
  std::string output;
  ProcessEnd end;
  if (!Run(operation, arguments, output, end)) return false;
  if (end.Succeeded()) return true;
  Show(operation, FailureText(arguments.front(), end, output));
  return false;
}

void RCSClass::Assign(RcsLog&& log) {
  revisions = std::move(log.revisions);
  revision_dates = std::move(log.revision_dates);
  log_messages = std::move(log.log_messages);
  revision_names = std::move(log.revision_names);
  symbolic_name_lines = std::move(log.symbolic_name_lines);
  description = std::move(log.description);
}

bool RCSClass::ReadLog() {
  log_read = ReadLogOutput();
  return log_read;
}

bool RCSClass::ReadLogOutput() {
  Assign({});
  archive_exists = false;
  if (file_name.empty()) {
    Show("ReadLog", "\"" + path + "\" names no file.");
    return false;
  }
  std::string output;
  ProcessEnd end;
  if (!Run("ReadLog", {"rlog", FileArgument()}, output, end)) return false;
  RcsLog log;
  const LogStatus status = ParseRcsLog(output, log);
  if (status == LogStatus::kNoArchive) return true;
  if (!end.Succeeded()) {
    Show("ReadLog", FailureText("rlog", end, output));
    return false;
  }
  archive_exists = true;
  Assign(std::move(log));
  if (status == LogStatus::kCutInHeader) {
    platform.ShowMessage(
        "RCSClass::RCSClass: Unknown error occurred while reading pipe for RCS symbolic names.");
    return false;
  }
  if (status == LogStatus::kCutInRevisions) {
    platform.ShowMessage(
        "RCSClass::RCSClass: Unknown error occurred while reading pipe for RCS revisions.");
    return false;
  }
  return true;
}

std::string RCSClass::NextRevision() const {
  return orvo::NextRevision(revisions);
}

std::string RCSClass::ListLine(size_t index) const {
  if (index >= revisions.size()) return {};
  return revisions[index] + " " + (index < revision_names.size() ? revision_names[index] : "");
}

std::string RCSClass::VersionName(const std::string& name, std::string& message) {
  message.clear();
  const size_t first = name.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  std::string stored = name.substr(first, name.find_last_not_of(' ') + 1 - first);
  std::replace(stored.begin(), stored.end(), ' ', '_');
  // What RCS takes for a symbolic name, less a leading digit (a name that reads as a number
  // would stand for a revision) and characters outside ASCII (RCS takes only some of them).
  const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  const auto allowed = [](char c) {
    return c > ' ' && c < 0x7f && std::string_view("$,.:;@").find(c) == std::string_view::npos;
  };
  if (letter(stored.front()) && std::all_of(stored.begin(), stored.end(), allowed)) return stored;
  message = "The version name \"" + name +
            "\" cannot be used. A version name begins with a letter (A-Z, a-z) and holds only "
            "letters, digits, blanks (stored as \"_\") and the characters "
            "! \" # % & ' ( ) * + - / < = > ? [ \\ ] ^ _ ` { | } ~";
  return {};
}

bool RCSClass::CIVersion(const std::string& revision, const std::string& name,
                         const std::string& text) {
  // Everything is checked before anything starts, so that a refusal changes nothing.
  std::string message;
  const std::string stored_name = VersionName(name, message);
  if (!message.empty()) {
    Show("CIVersion", message);
    return false;
  }
  if (!revision.empty() && !IsCheckInNumber(revision)) {
    Show("CIVersion", "\"" + revision + "\" is no revision number.");
    return false;
  }
  std::error_code error;
  if (file_name.empty() || !fs::is_regular_file(path, error)) {
    Show("CIVersion", "Cannot find the file " + path + ".");
    return false;
  }
  const std::string file = FileArgument();
  const std::string log_text = StoredText(text);
  const bool later = !revision.empty() && CompareRevisions(revision, "1.0") > 0;

  if (!later && !revisions.empty()) {
    Show("CIVersion", file_name + " already has versions; the next is " + NextRevision() + ".");
    return false;
  }

  std::vector<std::string> check_in = {"ci", "-q", "-f", "-l"};
  if (later) {
    if (!Run("CIVersion", {"rcs", "-q", "-l", file})) return false;
    check_in.back() += revision;
  } else if (!archive_exists) {
    const fs::path archive_directory = fs::path(directory.empty() ? "." : directory) / "RCS";
    fs::create_directory(archive_directory, error);
    if (error) {
      Show("CIVersion",
           "Cannot create the directory " + archive_directory.string() + ": " + error.message());
      return false;
    }
    if (!Run("CIVersion", {"rcs", "-i", "-kb", "-t-" + log_text, file})) return false;
  } else {
    // An archive left without revisions by an earlier check-in that failed.
    if (!Run("CIVersion", {"rcs", "-q", "-t-" + log_text, file})) return false;
  }
  if (!stored_name.empty()) check_in.push_back("-n" + stored_name);
  // The first revision's log message is RCS's own; the text went to the description.
  if (later) check_in.push_back("-m" + log_text);
  check_in.push_back(file);
  if (!Run("CIVersion", check_in)) {
    if (later) {
      // Give back the lock taken above; the failure is what the user needs to hear of.
      std::string output;
      ProcessEnd end;
      Run("CIVersion", {"rcs", "-q", "-u", file}, output, end);
    }
    ReadLog();
    return false;
  }
  // The revision is in; a lock left behind is reported but does not undo that.
  Run("CIVersion", {"rcs", "-q", later ? "-u" + revision : "-u", file});
  ReadLog();
  return true;
}

bool RCSClass::Listed(const char* operation, const std::string& revision) {
  if (std::find(revisions.begin(), revisions.end(), revision) != revisions.end()) return true;
  Show(operation, file_name + " has no version \"" + revision + "\".");
  return false;
}

bool RCSClass::CheckOut(const std::string& revision) {
  if (!Listed("CheckOut", revision)) return false;
  const std::string file = FileArgument();
  if (!Run("CheckOut", {"co", "-q", "-f", "-l" + revision, file})) return false;
  // The lock only served to leave the working file writable.
  Run("CheckOut", {"rcs", "-q", "-u" + revision, file});
  return true;
}

bool RCSClass::DeleteRevision(const std::string& revision) {
  if (revisions.size() < 2) {
    platform.ShowMessage(kCannotDeleteLastVersion);
    return false;
  }
  if (!Listed("DeleteRevision", revision)) return false;
  const bool deleted = Run("DeleteRevision", {"rcs", "-q", "-o" + revision, FileArgument()});
  ReadLog();
  return deleted;
}

bool OpenVersion(RCSClass& record, const std::string& revision) {
  if (!record.platform.AskOkCancel("Warning: this operation will overwrite " + record.file_name +
                                   ".  Continue?")) {
    return false;
  }
  return record.CheckOut(revision);
}

}  // namespace orvo
