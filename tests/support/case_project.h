// The project an import case starts from, and the dump lines an import changes.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "deck/deck_reader.h"
#include "deck/deck_reading.h"
#include "support/document_test.h"
#include "support/golden.h"
#include "support/groups_text.h"
#include "support/network_text.h"

namespace orvo::testing {

// The project of a deck case, or of a project case ("projects/<name>"), unmodified, its importer
// set to `shape`.
struct CaseProject {
  CaseProject(const std::string& start, const DeckShape& shape,
              const std::vector<std::string>& files = {}) {
    if (start.rfind("projects/", 0) == 0) {
      EXPECT_TRUE(doc.Load(DataPath(start + "/project.orb").string())) << start;
    } else {
      const auto deck = DataPath("decks/" + start + "/deck.inp");
      doc.dataset_reader = std::make_shared<const OrvoClass>(deck.string(), platform);
      BuildNetwork(doc);
    }
    doc.imported_NOSEG = shape.NOSEG;
    doc.imported_NOSYS = shape.NOSYS;
    doc.SetModifiedFlag(false);
    platform.messages.clear();
    platform.files.assign(files.begin(), files.end());
  }
  // The nonpoint source file and the kinetic function names are not kept in the project file,
  // so not in the group dump.
  std::string Dump() const {
    std::string names;
    for (const std::string& name : doc.group_i.names) names += "\t" + name;
    return NetworkText(doc) + GroupsText(doc) + "nonpoint source file\t" +
           doc.group_f.nonpoint_file + "\nkinetic function names" + names + "\n";
  }

  NodeNumbersFromOne numbering;
  ScriptedPlatform platform;
  COrvoBuilderDoc doc{platform};
};

// The lines of `after` that differ from the same line of `before`.
inline std::string ChangedLines(const std::string& before, const std::string& after) {
  const auto lines = [](const std::string& text) {
    std::vector<std::string> all;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) all.push_back(line);
    return all;
  };
  const std::vector<std::string> old_lines = lines(before), new_lines = lines(after);
  std::string changed;
  for (size_t i = 0; i < new_lines.size(); ++i)
    if (i >= old_lines.size() || new_lines[i] != old_lines[i]) changed += new_lines[i] + "\n";
  return changed;
}

// What the platform showed and asked since the last call, a line each.
inline std::string TakeMessages(ScriptedPlatform& platform) {
  std::string text;
  for (const std::string& message : platform.messages) text += message + "\n";
  platform.messages.clear();
  return text;
}

}  // namespace orvo::testing
