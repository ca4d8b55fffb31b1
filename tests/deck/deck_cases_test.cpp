// Every folder under tests/data/decks is a deck read, built into a network and written back:
//   deck.inp      the deck (files it names are looked for beside it)
//   messages.txt  what the user is told, one message a line; a deck that cannot be used ends
//                 with "(no deck record)"
//   network.txt   the network built from it (support/network_text.h)
//   groups.txt    the group holders of the built project (support/groups_text.h)
//   written.inp   the deck written back, where it differs from deck.inp
//   check.txt     the card completeness report of the built project: every group's findings,
//                 then each segment's and exchange's judgement card by card
//   project.orb   a project file that writes deck.inp byte for byte, unchanged and unmodified
//                 (the examples' files; a KOBAL5 project built as the editors build it)
// The built project also saves and loads back to the same bytes.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "deck/deck_reader.h"
#include "deck/deck_writer.h"
#include "support/document_test.h"
#include "support/golden.h"
#include "support/groups_text.h"
#include "support/network_text.h"
#include "validate/card_completeness.h"

namespace orvo {
namespace {

class DeckCaseTest : public testing::DocumentTestOf<::testing::TestWithParam<std::string>> {};

std::string Lines(const std::vector<std::string>& messages) {
  std::string text;
  for (const std::string& message : messages) text += message + "\n";
  return text;
}

std::string CheckText(const COrvoBuilderDoc& doc) {
  const CompletenessReport report = BuildCompletenessReport(doc);
  std::string text = Lines(report.findings);
  for (const auto& s : report.segments)
    text += "segment " + s.id + "\tC: " + s.group_c + "\tE: " + s.group_e + "\tF: " + s.group_f +
            "\tG: " + s.group_g + "\n";
  for (const auto& e : report.exchanges)
    text += "exchange " + e.id + "\tB: " + e.group_b + "\tD: " + e.group_d + "\n";
  return text;
}

TEST_P(DeckCaseTest, ReadsBuildsAndWritesBack) {
  const auto folder = testing::DataPath("decks/" + GetParam());
  const std::string input = testing::ReadFile(folder / "deck.inp");
  auto reader = std::make_shared<const OrvoClass>((folder / "deck.inp").string(), platform);
  if (reader->record() == nullptr) {
    platform.messages.push_back("(no deck record)");
    testing::ExpectFileText(folder / "messages.txt", Lines(platform.messages));
    return;
  }
  doc.dataset_reader = reader;
  BuildNetwork(doc);
  EXPECT_EQ(platform.wait_depth, 0);
  bool ok = false;
  const std::string written = DeckText(doc, ok);
  EXPECT_TRUE(ok);
  testing::ExpectFileText(folder / "messages.txt", Lines(platform.messages));
  testing::ExpectFileText(folder / "network.txt", testing::NetworkText(doc));
  testing::ExpectFileText(folder / "groups.txt", testing::GroupsText(doc));
  testing::ExpectFileTextOr(folder / "written.inp", written, input);
  testing::ExpectFileText(folder / "check.txt", CheckText(doc));

  const std::string saved = doc.SaveToBytes();
  testing::NodeNumbersFromOne as_if_started_again;
  ScriptedPlatform reloaded_platform;
  COrvoBuilderDoc reloaded(reloaded_platform);
  std::string error;
  ASSERT_TRUE(reloaded.LoadFromBytes(saved, error)) << error;
  EXPECT_EQ(reloaded.SaveToBytes(), saved);

  if (std::filesystem::exists(folder / "project.orb")) {
    ScriptedPlatform project_platform;
    COrvoBuilderDoc project(project_platform);
    ASSERT_TRUE(project.Load((folder / "project.orb").string()));
    const std::string project_bytes = project.SaveToBytes();
    EXPECT_EQ(DeckText(project, ok), input);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(project_platform.messages.empty());
    EXPECT_EQ(project.SaveToBytes(), project_bytes) << "writing the deck changed the project";
    EXPECT_FALSE(project.IsModified());
  }
}

INSTANTIATE_TEST_SUITE_P(Decks, DeckCaseTest, ::testing::ValuesIn(testing::CaseNames("decks")),
                         testing::CaseTestName);

}  // namespace
}  // namespace orvo
