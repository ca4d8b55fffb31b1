// Cards imported one at a time into the project built from a deck case (the case's "from", else
// canonical_deck, or kobal5 for card G, whose slots follow the type), one or more files per card
// under tests/data/card_import/ named card_<letter>[_<more>].txt (cases as support/card_cases.h
// reads them; the shape is the deck's NOSEG and NOSYS the importer reads by; file choosers are
// answered with the case's files in turn). The result states
//   skip: how skipping the card followed by "next card" ends; the project stays unchanged
//   imports | fails, then each message; a failed import leaves the project unchanged
//   the lines of the network and group dumps (and the nonpoint source file and kinetic
//   function names) the import changed
//   the card then written from the project, which a second import writes back unchanged
//   which cuts of the card at a line end import; those that fail change nothing
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "deck/card_registry.h"
#include "groups/deck_format.h"
#include "support/card_cases.h"
#include "support/case_project.h"
#include "support/golden.h"

namespace orvo {
namespace {

using Project = testing::CaseProject;
using testing::ChangedLines;

std::string Result(const CardEntry& card, const testing::CardCase& c) {
  const std::string start = !c.from.empty()      ? c.from
                            : card.letter == 'G' ? "kobal5"  // its slots follow the type
                                                 : "canonical_deck";
  const std::string input = c.Input();
  std::string result = "skip: ";
  {
    Project project(start, c.shape, c.files);
    const std::string before = project.doc.SaveToBytes();
    const std::string text = input + "next card\n";
    DeckScanner in(text);
    std::string next = "(end)";
    const bool ok = card.import(project.doc, in, true);
    in.ReadLine(next);
    result += ok ? "reads, then " + next + "\n" : "fails\n";
    result += testing::TakeMessages(project.platform);
    EXPECT_EQ(project.doc.SaveToBytes(), before);
    EXPECT_FALSE(project.doc.IsModified());
  }

  Project project(start, c.shape, c.files);
  const std::string before = project.doc.SaveToBytes();
  const std::string dump = project.Dump();
  DeckScanner in(input);
  const bool ok = card.import(project.doc, in, false);
  result += ok ? "imports\n" : "fails\n";
  result += testing::TakeMessages(project.platform);
  if (!ok) {
    EXPECT_EQ(project.doc.SaveToBytes(), before);
    EXPECT_FALSE(project.doc.IsModified());
    return result;
  }
  EXPECT_TRUE(project.doc.IsModified());
  result += "--- changed\n" + ChangedLines(dump, project.Dump());

  DeckOut first(project.platform);
  result += card.write(project.doc, first, nullptr) ? "--- written\n" : "--- written, failing\n";
  result += first.text() + testing::TakeMessages(project.platform);
  // The card written holds the whole project, whatever the shape it was read by.
  Project copy(start, {project.doc.group_a.NOSEG, project.doc.group_a.NOSYS}, c.files);
  DeckScanner again(first.text());
  if (card.import(copy.doc, again, false)) {
    DeckOut second(copy.platform);
    card.write(copy.doc, second, nullptr);
    EXPECT_EQ(second.text(), first.text()) << "written, imported and written again";
  }

  result += "--- cuts that import:";
  for (size_t end = input.find('\n'); end + 1 < input.size(); end = input.find('\n', end + 1)) {
    Project cut(start, c.shape, c.files);
    const std::string cut_text = input.substr(0, end + 1);
    DeckScanner prefix(cut_text);
    if (card.import(cut.doc, prefix, false)) {
      result += " " + std::to_string(end + 1);
    } else {
      EXPECT_EQ(cut.doc.SaveToBytes(), before) << "cut at " << end + 1;
      EXPECT_EQ(cut.platform.messages.size(), 1u) << "cut at " << end + 1;
    }
  }
  return result + "\n";
}

class CardImportTest : public ::testing::TestWithParam<std::string> {};

TEST_P(CardImportTest, SkipsImportsWritesBackAndRefusesCuts) {
  const auto path = testing::DataPath("card_import/" + GetParam() + ".txt");
  const CardEntry& card = *CardOf(static_cast<char>(std::toupper(GetParam()[5])));
  testing::CheckCases(path, [&](const testing::CardCase& c) { return Result(card, c); });
}

INSTANTIATE_TEST_SUITE_P(Cards, CardImportTest,
                         ::testing::ValuesIn(testing::CaseNames("card_import", ".txt")),
                         testing::CaseTestName);

}  // namespace
}  // namespace orvo
