#include "deck/deck_writer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "model/model_vocabulary.h"
#include "model/scripted_platform.h"
#include "support/document_test.h"
#include "support/file_size_limit.h"
#include "support/golden.h"
#include "support/network_builder.h"
#include "support/scratch_dir.h"

namespace orvo {
namespace {

namespace fs = std::filesystem;

using testing::ReadFile;

class DeckWriterTest : public testing::DocumentTest {
 protected:
  testing::ScratchDir scratch{"orvo_deck_writer"};
  const fs::path& directory = scratch.path();
};

TEST(InpPathTest, AppendsTheExtensionUnlessItEndsTheName) {
  EXPECT_EQ(InpPath("run1"), "run1.inp");
  EXPECT_EQ(InpPath("run1.inp"), "run1.inp");
  EXPECT_EQ(InpPath("a.inp.txt"), "a.inp.txt.inp");
  EXPECT_EQ(InpPath("/data/lake.v2/run"), "/data/lake.v2/run.inp");
}

// A new project writes all ten cards without a complaint, and the deck reads back.
TEST_F(DeckWriterTest, EmptyProjectWritesEveryCard) {
  const fs::path path = directory / "empty.inp";
  ASSERT_TRUE(OrvoWrite(doc, path.string()));
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_FALSE(doc.IsModified());
  testing::ExpectFileText(testing::DataPath("decks/empty_project/deck.inp"), ReadFile(path));
}

TEST_F(DeckWriterTest, UnwritableDeckIsReported) {
  const std::string path = (directory / "missing" / "deck.inp").string();
  EXPECT_FALSE(OrvoWrite(doc, path));
  EXPECT_EQ(platform.messages.back(), "Unable to open " + path + "for writing.");
}

TEST_F(DeckWriterTest, FullDiskIsReported) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  EXPECT_FALSE(OrvoWrite(doc, "/dev/full"));
  EXPECT_NE(platform.messages.back().find("Unable to write /dev/full"), std::string::npos);
}

// The new deck takes the previous one's place only once it is whole on disk.
TEST_F(DeckWriterTest, FailedWriteKeepsThePreviousDeck) {
  const fs::path path = directory / "lake.inp";
  testing::WriteFile(path, "previous deck\n");
  {
    const testing::FileSizeLimit limit(100);
    EXPECT_FALSE(OrvoWrite(doc, path.string()));
  }
  EXPECT_EQ(platform.messages.back(), "Unable to write " + path.string() + ": File too large.");
  EXPECT_EQ(ReadFile(path), "previous deck\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(directory), fs::directory_iterator()), 1)
      << "no temporary file is left behind";
}

// A link to a deck stays a link; the deck it names is written.
TEST_F(DeckWriterTest, WritesTheDeckALinkNames) {
  fs::create_directories(directory / "decks");
  testing::WriteFile(directory / "decks" / "lake.inp", "previous deck\n");
  fs::create_symlink("decks/lake.inp", directory / "current.inp");
  ASSERT_TRUE(OrvoWrite(doc, (directory / "current.inp").string()));
  EXPECT_TRUE(fs::is_symlink(directory / "current.inp"));
  testing::ExpectFileText(testing::DataPath("decks/empty_project/deck.inp"),
                          ReadFile(directory / "decks" / "lake.inp"));
}

// The first group that fails ends the deck; what came before stays on disk.
TEST_F(DeckWriterTest, FailingGroupStopsTheDeck) {
  doc.group_a.time_steps.GetList() = {"1", "0", "2"};
  const fs::path path = directory / "odd.inp";
  EXPECT_FALSE(OrvoWrite(doc, path.string()));
  ASSERT_GE(platform.messages.size(), 2u);
  EXPECT_EQ(platform.messages[platform.messages.size() - 2],
            "Error occurred while writing model timesteps.");
  EXPECT_EQ(platform.messages.back(),
            "COrvoBuilderDoc::OrvoWrite: Failed to properly write group A.");
  const std::string text = ReadFile(path);
  const std::string tail = "    1\n       1.0       0.0       2.0";
  ASSERT_GE(text.size(), tail.size());
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail) << "ends at the unpaired value";
}

TEST_F(DeckWriterTest, GroupEFailureLeavesCardsAToD) {
  doc.group_a.NOSYS = 1;
  doc.group_e.ApplyDefaults(1);
  COrvoBuilderCntrItem* segment = testing::AddSegmentWithLabel(doc, 80, 80);
  segment->SetParameter(10, StringArray({StringArray({"1", "0", "2"}).ToString()}).ToString());
  bool ok = true;
  const std::string text = DeckText(doc, ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(platform.messages.back(),
            "COrvoBuilderDoc::OrvoWrite: Failed to properly write group E.");
  EXPECT_NE(text.find("    0    0\n"), std::string::npos) << "card D is complete";
}

// The file gets the text a megabyte at a time: a deck of several chunks arrives whole.
TEST_F(DeckWriterTest, DeckOfSeveralChunksReachesTheFileWhole) {
  doc.group_a.SIMTYP = kVerda5;
  doc.group_a.NOSYS = 8;
  doc.group_e.ApplyDefaults(8);
  doc.group_f.ApplyDefaults(8);
  constexpr int kSegments = 12000;  // card J alone: 25 columns x 8 systems x 12000
  for (int i = 0; i < kSegments; ++i) testing::AddSegmentWithLabel(doc, 80 * (i % 100), 80);
  doc.group_j.ApplyDefaults(8, kSegments, kVerda5);
  bool ok = false;
  const std::string text = DeckText(doc, ok);
  ASSERT_TRUE(ok);
  ASSERT_GT(text.size(), size_t{2} << 20);
  const fs::path path = directory / "big.inp";
  ASSERT_TRUE(OrvoWrite(doc, path.string()));
  EXPECT_TRUE(ReadFile(path) == text);
}

}  // namespace
}  // namespace orvo
