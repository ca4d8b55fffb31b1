// The deck reader: decks cut anywhere, and cancelling "Read ORVO Input Dataset"
// at any progress report. Reading into a project (declined, failing, or asking for the nonpoint
// source file a deck names) is cases of tests/data/group_import/read.txt; card A's columns and
// its KOBALS line are deck cases; time-step pairs are cases of tests/data/scans.
#include "deck/deck_reader.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "deck/card_registry.h"
#include "deck/deck_reading.h"
#include "deck/deck_writer.h"
#include "model/model_vocabulary.h"
#include "model/scripted_platform.h"
#include "support/deck_cards.h"
#include "support/scratch_dir.h"
#include "support/small_project.h"

namespace orvo {
namespace {

namespace fs = std::filesystem;
using List = std::vector<std::string>;

// The deck card by card, A to J.
std::array<std::string, kCardCount> CardTexts(const COrvoBuilderDoc& doc, Platform& platform) {
  std::array<std::string, kCardCount> texts;
  for (size_t i = 0; i < texts.size(); ++i) {
    DeckOut out(platform);
    EXPECT_TRUE(Cards()[i].write(doc, out, nullptr));
    texts[i] = out.text();
  }
  return texts;
}

std::string Join(const std::array<std::string, kCardCount>& cards, size_t count = kCardCount) {
  std::string text;
  for (size_t i = 0; i < count; ++i) text += cards[i];
  return text;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

class DeckReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    COrvoBuilderCntrItem::SetNodeNumberCounter(0);
    testing::BuildSmallProject(project);
    cards = CardTexts(project, platform);
    deck = Join(cards);
  }

  std::string WriteFile(const std::string& name, const std::string& text) {
    return scratch.Write(name, text);
  }

  testing::ScratchDir scratch{"orvo_deck_reader"};
  ScriptedPlatform platform;
  COrvoBuilderDoc project{platform};
  std::array<std::string, kCardCount> cards;
  std::string deck;
};

// ---- whole decks ----

// A deck cut after any line: never a crash or a hang, and a record exactly when the cut falls
// between cards from F on. Other bad decks are cases under tests/data/decks.
TEST_F(DeckReaderTest, TruncatedDecksFailCleanly) {
  std::vector<size_t> line_starts = {0};
  for (size_t i = 0; i < deck.size(); ++i) {
    if (deck[i] == '\n') line_starts.push_back(i + 1);
  }
  std::vector<size_t> card_ends;
  size_t end = 0;
  for (const std::string& card : cards) card_ends.push_back(end += card.size());
  // Truncated after every line: usable exactly when cut between cards from F on.
  for (const size_t cut : line_starts) {
    ScriptedPlatform quiet;
    const OrvoClass reader(std::string_view(deck).substr(0, cut), "", quiet);
    const bool usable = cut >= card_ends[5] &&
                        std::find(card_ends.begin(), card_ends.end(), cut) != card_ends.end();
    EXPECT_EQ(reader.record() != nullptr, usable) << "cut at " << cut;
    EXPECT_FALSE(quiet.messages.empty() && cut < deck.size()) << "cut at " << cut;
  }
}

// ---- the read command on a project ----

// The user may cancel at every progress report, reading or building: inside an abandoned
// step the project is then exactly as it was, with its deck, and undo has nothing new.
TEST_F(DeckReaderTest, CancellingAtAnyProgressLeavesTheProject) {
  struct CancellingPlatform : ScriptedPlatform {
    int cancel_at = -1;
    int reports = 0;
    std::vector<std::string> texts;
    bool Progress(int done, int total, const std::string& text) override {
      if (done >= total) return true;
      if (texts.empty() || texts.back() != text) texts.push_back(text);
      return reports++ != cancel_at;
    }
  };
  CancellingPlatform user;
  COrvoBuilderDoc doc(user);
  const std::string first_path = WriteFile("first.inp", deck);
  ASSERT_TRUE(ReadDeckAndBuild(doc, first_path));
  EXPECT_EQ(user.texts, List({"Reading the input dataset...", "Building the network..."}));
  const int reports = user.reports;
  EXPECT_EQ(reports, 10 + 4) << "before each card, and before each stage of the build";
  const std::shared_ptr<const OrvoClass> first = doc.dataset_reader;
  doc.SetModifiedFlag(false);
  // Nodes made by a build that was put back still used up their numbers, as after any undo,
  // and the file keeps the counter: it is set back before comparing the bytes.
  const int counter = COrvoBuilderCntrItem::NodeNumberCounter();
  const std::string before = doc.SaveToBytes();
  const std::string other = WriteFile(
      "other.inp", Replace(deck, "    3    1    0    0    1", "    3    1    0    0    2"));
  for (int at = 0; at < reports; ++at) {
    user.cancel_at = at;
    user.reports = 0;
    doc.BeginStep("Read");
    EXPECT_FALSE(ReadDeckAndBuild(doc, other)) << at;
    doc.AbandonStep();
    COrvoBuilderCntrItem::SetNodeNumberCounter(counter);
    EXPECT_TRUE(doc.SaveToBytes() == before) << at;
    EXPECT_FALSE(doc.IsModified()) << at;
    EXPECT_FALSE(doc.CanUndo()) << at;
    EXPECT_EQ(doc.dataset_reader, first) << at;
    EXPECT_EQ(doc.input_deck_path, first_path) << at;
    EXPECT_EQ(doc.GetSegmentNode(3), doc.nodes()[4].get()) << at;
  }
  user.cancel_at = -1;
  doc.BeginStep("Read");
  EXPECT_TRUE(ReadDeckAndBuild(doc, other));
  doc.EndStep();
  EXPECT_EQ(doc.input_deck_path, other);
  EXPECT_TRUE(doc.CanUndo());
}

}  // namespace
}  // namespace orvo
