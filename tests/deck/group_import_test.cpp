// The "Import..." commands run on the cases of tests/data/group_import/*.txt (as
// support/card_cases.h reads them): each command of the case's "import" line (a group letter,
// "all", or "read": "Read ORVO Input Dataset" of the first file) runs on a fresh project of the
// case's "from" (canonical_deck if none), its importer set to the case's shape first. File
// choosers are answered with the case's files in turn, or with its deck if it names none:
// "<deck>" is the deck written to a file, "<dir>" the folder it is in, "(cancel)" is Cancel;
// "(no)" answers the next question No. The result gives for each command
//   imports | fails, then each message; after a read, the deck it now has if that changed
//   the importer's shape afterwards, whether the views were redrawn and the project modified
//   whether the cards imported are written as the file has them, else the text written
//   the lines of the network and group dumps the command changed
#include "deck/group_import.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "deck/card_registry.h"
#include "deck/deck_reader.h"
#include "support/card_cases.h"
#include "support/case_project.h"
#include "support/scratch_dir.h"

namespace orvo {
namespace {

class RedrawCounter : public DocumentObserver {
 public:
  void OnDocumentUpdate(UpdateHint hint, int) override {
    if (hint == kHintRedrawAll) ++redraws;
  }
  int redraws = 0;
};

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
    text.replace(at, from.size(), to);
  return text;
}

std::string Result(const testing::CardCase& c, const testing::ScratchDir& scratch) {
  const std::string input = c.Input();
  const std::string deck = scratch.Write("deck.inp", input), dir = scratch.path().string();
  const std::vector<std::string> files =
      c.files.empty() ? std::vector<std::string>{"<deck>"} : c.files;
  std::string result;
  std::istringstream commands(c.import);
  for (std::string command; commands >> command;) {
    testing::CaseProject project(c.from.empty() ? "canonical_deck" : c.from, c.shape);
    const bool read = command == "read";
    std::string path;
    for (const std::string& file : files) {
      if (read && path.empty())
        path = Replaced(Replaced(file, "<deck>", deck), "<dir>", dir);
      else if (file == "(no)")
        project.platform.answers.push_back(false);
      else if (file == "(cancel)")
        project.platform.files.push_back(std::nullopt);
      else
        project.platform.files.push_back(Replaced(Replaced(file, "<deck>", deck), "<dir>", dir));
    }
    RedrawCounter redraws;
    project.doc.AddObserver(&redraws);
    const std::string before = project.Dump();
    const auto reader = project.doc.dataset_reader;
    const bool all = command == "all" || read;
    const bool ok = read  ? ReadOrvoInputDataset(project.doc, path)
                    : all ? ImportAllGroups(project.doc)
                          : ImportGroup(project.doc, command[0]);
    project.doc.RemoveObserver(&redraws);
    result += "--- import " + command + (ok ? ": imports\n" : ": fails\n");
    result += Replaced(testing::TakeMessages(project.platform), dir, "<dir>");
    if (project.doc.dataset_reader != reader)
      result += "deck " + Replaced(project.doc.input_deck_path, dir, "<dir>") + "\n";
    result += "shape " + std::to_string(project.doc.imported_NOSEG) + " " +
              std::to_string(project.doc.imported_NOSYS) + (redraws.redraws ? ", redrawn" : "") +
              (project.doc.IsModified() ? ", modified" : "") + "\n";
    if (ok) {
      DeckOut out(project.platform);
      for (const char letter : read  ? std::string("ABCDEFGHIJ")
                               : all ? std::string("BCDEFGHIJ")
                                     : command)
        CardOf(letter)->write(project.doc, out, nullptr);
      const std::string& written = out.text();
      const bool as_in_file =
          all ? input.size() >= written.size() &&
                    input.compare(input.size() - written.size(), written.size(), written) == 0
              : input.find(written) != std::string::npos;
      result += as_in_file ? "written as in the file\n" : "--- written\n" + written;
      result += testing::TakeMessages(project.platform);
    }
    result +=
        "--- changed\n" + Replaced(testing::ChangedLines(before, project.Dump()), dir, "<dir>");
  }
  return result;
}

class GroupImportTest : public ::testing::TestWithParam<std::string> {};

TEST_P(GroupImportTest, ImportsAsTheCasesSay) {
  const auto path = testing::DataPath("group_import/" + GetParam() + ".txt");
  testing::CheckCases(path, [](const testing::CardCase& c) {
    testing::ScratchDir scratch("orvo_group_import");
    return Result(c, scratch);
  });
}

INSTANTIATE_TEST_SUITE_P(Groups, GroupImportTest,
                         ::testing::ValuesIn(testing::CaseNames("group_import", ".txt")),
                         testing::CaseTestName);

}  // namespace
}  // namespace orvo
