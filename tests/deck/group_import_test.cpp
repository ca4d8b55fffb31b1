#include "deck/group_import.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "deck/card_registry.h"
#include "deck/deck_writer.h"
#include "model/model_vocabulary.h"
#include "model/scripted_platform.h"
#include "support/deck_cards.h"
#include "support/document_test.h"
#include "support/example_river.h"
#include "support/scratch_dir.h"

namespace orvo {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

const char kChooser[] = "? open ORVO input files (*.inp)|*.inp|All Files (*.*)|*.*||";

// The text of the cards named by their letters, as the card writers give it.
std::string Cards(const COrvoBuilderDoc& doc, const std::string& letters) {
  DeckOut out(doc.platform());
  for (const char letter : letters) EXPECT_TRUE(CardOf(letter)->write(doc, out, nullptr));
  return out.text();
}

Lines SplitLines(const std::string& text) {
  Lines lines;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

std::string JoinLines(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + '\n';
  return text;
}

class RedrawCounter : public DocumentObserver {
 public:
  void OnDocumentUpdate(UpdateHint hint, int) override {
    if (hint == kHintRedrawAll) ++redraws;
  }
  int redraws = 0;
};

// The project imported into is the example river; the deck comes from the same river with
// different data in cards B to J, so every imported card shows.
class GroupImportTest : public testing::DocumentTest {
 protected:
  void SetUp() override {
    testing::BuildExampleRiver(source);
    source.group_b.title = "Exchanges of the deck";
    source.group_b.surface_functions.GetList() = {"2e-05 0 3e-05 30"};
    source.group_b.bypass.GetList() = {"0", "0", "1", "1", "1", "1"};  // one per system
    source.group_c.title = "Volumes of the deck";
    source.group_c.SCALV = 2.0;
    source.group_d.fields[0].GetList() = {"1.0", "1.0", "m^3/sec", "20 0 15 15 20 30"};
    source.GetSegmentNode(1)->SetParameter(
        10, StringArray({StringArray({"0.75", "0", "0.25", "30"}).ToString()}).ToString());
    source.group_h.title = "Constants of the deck";
    COrvoBuilderCntrItem::SetNodeNumberCounter(0);
    testing::BuildExampleRiver(doc);
    doc.SetModifiedFlag(false);
    doc.AddObserver(&redraws);
  }
  void TearDown() override { doc.RemoveObserver(&redraws); }

  std::string SourceDeck() {
    bool ok = false;
    std::string text = DeckText(source, ok);
    EXPECT_TRUE(ok);
    return text;
  }
  // Writes text as a deck and lets the next file chooser answer with it.
  std::string Offer(const std::string& text) {
    const std::string path = scratch.Write("deck" + std::to_string(++decks) + ".inp", text);
    platform.files.push_back(path);
    return path;
  }

  testing::ScratchDir scratch{"orvo_group_import"};
  const fs::path& directory = scratch.path();
  ScriptedPlatform source_platform;
  COrvoBuilderDoc source{source_platform};
  RedrawCounter redraws;
  int decks = 0;
};

TEST_F(GroupImportTest, CardDFromFullDeckSkipsCardsBAndC) {
  const std::string card_b = Cards(doc, "B"), card_c = Cards(doc, "C");
  doc.imported_NOSEG = doc.imported_NOSYS = 99;
  Offer(SourceDeck());
  EXPECT_TRUE(ImportGroup(doc, 'D'));
  EXPECT_EQ(platform.messages, (Lines{kChooser, "Card D imported successfully."}));
  EXPECT_EQ(Cards(doc, "D"), Cards(source, "D"));
  EXPECT_EQ(Cards(doc, "B"), card_b);
  EXPECT_EQ(Cards(doc, "C"), card_c);
  EXPECT_EQ(doc.imported_NOSEG, 6);
  EXPECT_EQ(doc.imported_NOSYS, 6);
  EXPECT_GE(redraws.redraws, 1);
}

TEST_F(GroupImportTest, EachGroupFromFullDeck) {
  const std::string deck = SourceDeck();
  for (char group = 'B'; group <= 'J'; ++group) {
    SCOPED_TRACE(std::string(1, group));
    platform.messages.clear();
    Offer(deck);
    EXPECT_TRUE(ImportGroup(doc, group));
    EXPECT_EQ(platform.messages,
              (Lines{kChooser, std::string("Card ") + group + " imported successfully."}));
    EXPECT_EQ(Cards(doc, std::string(1, group)), Cards(source, std::string(1, group)));
  }
  bool ok = false;
  EXPECT_EQ(DeckText(doc, ok), deck);
}

// Importing per-system data between different system counts must say what was taken.
TEST_F(GroupImportTest, DifferentSystemCountsAreReported) {
  doc.group_a.NOSYS = 1;
  Offer(SourceDeck());
  EXPECT_TRUE(ImportGroup(doc, 'H'));
  EXPECT_EQ(platform.messages,
            (Lines{kChooser, "Card H imported successfully.",
                   "The file has 6 systems, the project 1 system. Kept: the data of system 1. "
                   "Dropped: the data of systems 2 to 6 of the file, which the project does not "
                   "have."}));
  platform.messages.clear();
  Offer(SourceDeck());
  EXPECT_TRUE(ImportGroup(doc, 'C'));
  EXPECT_EQ(platform.messages.size(), 2u) << "card C has no systems";
  platform.messages.clear();
  doc.group_a.NOSYS = 8;
  Offer(SourceDeck());
  EXPECT_TRUE(ImportGroup(doc, 'J'));
  EXPECT_EQ(platform.messages.back(),
            "The file has 6 systems, the project 8 systems. Kept: the data of systems 1 to 6. "
            "Systems 7 to 8 of the project got no data from the file.");
}

TEST_F(GroupImportTest, CardDFromFragmentReadsAtTheStart) {
  doc.imported_NOSEG = doc.imported_NOSYS = 99;
  Offer(Cards(source, "DEF"));
  EXPECT_TRUE(ImportGroup(doc, 'D'));
  EXPECT_EQ(platform.messages, (Lines{kChooser, "Card D imported successfully."}));
  EXPECT_EQ(Cards(doc, "D"), Cards(source, "D"));
  EXPECT_EQ(doc.imported_NOSEG, 6);
  EXPECT_EQ(doc.imported_NOSYS, 6);
}

// A fragment has no NOSYS of its own: the project's six systems are read, not none.
TEST_F(GroupImportTest, FragmentUsesTheProjectsSystems) {
  doc.imported_NOSEG = doc.imported_NOSYS = 0;
  Offer(Cards(source, "E"));
  EXPECT_TRUE(ImportGroup(doc, 'E'));
  EXPECT_EQ(Cards(doc, "E"), Cards(source, "E"));
  EXPECT_EQ(doc.imported_NOSYS, 6);
  EXPECT_EQ(doc.imported_NOSEG, 6);
  EXPECT_NE(Cards(doc, "E").find("0.75"), std::string::npos);
}

TEST_F(GroupImportTest, ImportAllFromFullDeck) {
  const std::string deck = SourceDeck();
  Offer(deck);
  EXPECT_TRUE(ImportAllGroups(doc));
  EXPECT_EQ(platform.messages, (Lines{kChooser, "All card groups imported successfully."}));
  bool ok = false;
  EXPECT_EQ(DeckText(doc, ok), deck);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_GE(redraws.redraws, 1);
}

TEST_F(GroupImportTest, ImportAllOnFragmentChangesNothing) {
  const std::string before = doc.SaveToBytes();
  Offer(Cards(source, "BCDEFGHIJ"));
  EXPECT_FALSE(ImportAllGroups(doc));
  EXPECT_EQ(platform.messages, (Lines{kChooser, "Failed to import card groups from file."}));
  EXPECT_EQ(doc.SaveToBytes(), before);
  EXPECT_FALSE(doc.IsModified());
}

// The pair lines of the time-step block are passed by count: 9 pairs take 3 lines, 8 take 2.
TEST_F(GroupImportTest, TimeStepPairLinesAreCountedByFours) {
  for (const int pairs : {9, 8, 1, 0}) {
    SCOPED_TRACE(pairs);
    Lines steps;
    for (int i = 1; i <= pairs; ++i) {
      steps.push_back("0.01");
      steps.push_back(IntText(i));
    }
    source.group_a.time_steps.GetList() = steps;
    doc.group_a.time_steps.GetList() = steps;
    const std::string deck = SourceDeck();
    const Lines lines = SplitLines(deck);
    ASSERT_EQ(lines[5], "    " + IntText(pairs));
    ASSERT_EQ(lines[6 + (pairs + 3) / 4], "    1");  // the print-interval count
    Offer(deck);
    EXPECT_TRUE(ImportAllGroups(doc));
    bool ok = false;
    EXPECT_EQ(DeckText(doc, ok), deck);
  }
}

// The options line is scanned free-format: digits run together make one field.
TEST_F(GroupImportTest, OptionsLineWithAdjacentFieldsIsAFragment) {
  Lines lines = SplitLines(SourceDeck());
  ASSERT_EQ(lines[3], "    6    6    0    0    1    0    0    1    1  0 0    0");
  const std::string before = doc.SaveToBytes();
  lines[3] = "    6    6000100    1    1  0 0    0";  // 6 fields: 6 6000100 1 1 0 0
  Offer(JoinLines(lines));
  EXPECT_FALSE(ImportAllGroups(doc));
  EXPECT_EQ(platform.messages.back(), "Failed to import card groups from file.");
  EXPECT_EQ(doc.SaveToBytes(), before);

  // Start hour and minute run together (" 1230"): 11 fields are still card A.
  lines[3] = "    6    6    0    0    1    0    0    1    1 1230    0";
  Offer(JoinLines(lines));
  EXPECT_TRUE(ImportAllGroups(doc));
  EXPECT_EQ(platform.messages.back(), "All card groups imported successfully.");
}

// Decks with counts that cannot be passed are fragments; none of them hangs.
TEST_F(GroupImportTest, BadTimeStepCounts) {
  const Lines lines = SplitLines(SourceDeck());
  ASSERT_EQ(lines[5], "    1");
  struct Case {
    const char* count;
    bool drop_pair_line;
    bool card_a;
  };
  const Case cases[] = {
      {"2147483647", false, false}, {"99999", false, false}, {"   -4", true, true},
      {"-2147483648", true, true},  {"    x", true, true},   {"    2", false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    Lines changed = lines;
    changed[5] = c.count;
    if (c.drop_pair_line) changed.erase(changed.begin() + 6);
    Offer(JoinLines(changed));
    EXPECT_EQ(ImportAllGroups(doc), c.card_a);
  }
}

TEST_F(GroupImportTest, CardAWithUnusableCountsFails) {
  const std::string before = doc.SaveToBytes();
  for (const char* options : {"    6    9    0    0    1    0    0    1    1  0 0    0",
                              "   -1    6    0    0    1    0    0    1    1  0 0    0",
                              "    6   -1    0    0    1    0    0    1    1  0 0    0"}) {
    SCOPED_TRACE(options);
    Lines lines = SplitLines(SourceDeck());
    lines[3] = options;
    Offer(JoinLines(lines));
    EXPECT_FALSE(ImportGroup(doc, 'H'));
    EXPECT_EQ(platform.messages.back(), "Failed to read card H from file.");
    Offer(JoinLines(lines));
    EXPECT_FALSE(ImportAllGroups(doc));
    EXPECT_EQ(platform.messages.back(), "Failed to import card groups from file.");
    EXPECT_EQ(doc.SaveToBytes(), before);
  }
}

// Only the first line is the KOBALS marker; a title naming the model is a title.
TEST_F(GroupImportTest, KobalsLineIsPassedOver) {
  for (const char* titles : {"KOBALS\nKOBALS estuary\n", "Estuary\n"}) {
    SCOPED_TRACE(titles);
    Offer(std::string(titles) +
          "second title\n"
          " NSEG NSYS ICFL MFLG JMAS NSLN INTY ADFC   DD HHMM TFLG    A:MODEL OPTIONS\n"
          "    3    7    0    0    1    0    0    1    1  0 0    0\n"
          "    1    2    3    0    0    0\n"
          "    0\n"
          "    0\n"
          "    0    0    0    0    0    0    0\n"
          "    0Exchanges of the deck\n");
    EXPECT_TRUE(ImportGroup(doc, 'B'));
    EXPECT_EQ(doc.imported_NOSEG, 3);
    EXPECT_EQ(doc.imported_NOSYS, 7);
    EXPECT_EQ(doc.group_b.title, "Exchanges of the deck");
  }
}

TEST_F(GroupImportTest, FailedCardLeavesItsGroup) {
  const std::string card_d = Cards(doc, "D");
  const std::string deck = SourceDeck();
  const std::string cut = deck.substr(0, deck.find(Cards(source, "D")) + 12);
  Offer(cut);
  EXPECT_FALSE(ImportGroup(doc, 'D'));
  EXPECT_EQ(platform.messages.back(), "Failed to read card D from file.");
  EXPECT_EQ(Cards(doc, "D"), card_d);

  // Import All keeps the groups read before the failing one.
  Offer(cut);
  EXPECT_FALSE(ImportAllGroups(doc));
  EXPECT_EQ(platform.messages.back(), "Failed to import card groups from file.");
  EXPECT_EQ(Cards(doc, "BC"), Cards(source, "BC"));
  EXPECT_EQ(Cards(doc, "D"), card_d);
}

TEST_F(GroupImportTest, NoSimulationTypeReadsNothing) {
  doc.group_a.SIMTYP = kSimUnset;
  Offer(SourceDeck());
  EXPECT_FALSE(ImportGroup(doc, 'C'));
  EXPECT_FALSE(ImportAllGroups(doc));
  const std::string message =
      "COrvoBuilderDoc::ImportCheck: Please select a simulation type in the Group A dialog "
      "before importing.";
  EXPECT_EQ(platform.messages, (Lines{message, message}));
  EXPECT_EQ(platform.files.size(), 1u);  // never asked for a file
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(GroupImportTest, CancelAndUnreadableFiles) {
  const std::string before = doc.SaveToBytes();
  platform.files.push_back(std::nullopt);
  EXPECT_FALSE(ImportGroup(doc, 'B'));
  EXPECT_EQ(platform.messages, Lines{kChooser});

  for (const std::string& path : {(directory / "missing.inp").string(), directory.string()}) {
    platform.messages.clear();
    platform.files.push_back(path);
    EXPECT_FALSE(ImportAllGroups(doc));
    EXPECT_EQ(platform.messages,
              (Lines{kChooser, "COrvoBuilderDoc::ImportCheck: Unable to open file " + path}));
  }
  EXPECT_EQ(doc.SaveToBytes(), before);

  platform.messages.clear();
  EXPECT_FALSE(ImportGroup(doc, 'A'));
  EXPECT_FALSE(ImportGroup(doc, 'K'));
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(GroupImportTest, EmptyFileIsAFragmentWithoutTheCard) {
  const std::string card_b = Cards(doc, "B");
  Offer("");
  EXPECT_FALSE(ImportGroup(doc, 'B'));
  EXPECT_EQ(platform.messages.back(), "Failed to read card B from file.");
  Offer("");
  EXPECT_FALSE(ImportAllGroups(doc));
  EXPECT_EQ(platform.messages.back(), "Failed to import card groups from file.");
  EXPECT_EQ(Cards(doc, "B"), card_b);
}

}  // namespace
}  // namespace orvo
