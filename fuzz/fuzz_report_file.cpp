// Any bytes may be handed to the report reader as a ".orr" file: one written by hand, cut
// short, or not a report at all. Parsing must end in linear time without allocating ahead of
// the text, and whatever it accepts must come back unchanged when written and read again.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/scripted_platform.h"
#include "results/orvo_report_doc.h"

namespace {

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "report file round trip: %s\n", what);
  std::abort();
}

// Identifiers are written on one line each.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  orvo::ReportFileContents contents;
  std::string error;
  if (!orvo::ParseReportFile(text, contents, error)) {
    Check(error.rfind("Parse error: unable to find header '", 0) == 0, "failure message");
    return 0;
  }
  // Written through a document whose runs are named but never read.
  orvo::ScriptedPlatform platform;
  orvo::CORVOReportDoc document(platform);
  for (const auto& run : contents.runs) {
    Check(run.pathname.size() <= orvo::CORVOReportDoc::kMaxFileText, "text length");
    orvo::OrvoOutputData named(run.pathname);
    named.basename = run.basename;
    document.runs.push_back(std::move(named));
  }
  document.report_segments = contents.segments;
  orvo::ReportFileContents again;
  Check(orvo::ParseReportFile(document.FileText(), again, error), "written text reads");
  Check(again.runs.size() == contents.runs.size(), "run count");
  for (size_t i = 0; i < again.runs.size(); ++i) {
    Check(again.runs[i].pathname == contents.runs[i].pathname, "pathname");
    Check(again.runs[i].basename == contents.runs[i].basename, "basename");
  }
  Check(again.segments.size() == contents.segments.size(), "segment count");
  for (const auto& [node, entry] : contents.segments) {
    const auto found = again.segments.find(node);
    Check(found != again.segments.end() && found->second.segment == entry.segment, "segment");
    Check(found->second.identifier == OneLine(entry.identifier), "identifier");
  }
  return 0;
}
