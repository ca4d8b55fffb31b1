// The example decks under examples/ stay readable and stable: each deck reads without a
// message, builds its network and is written back byte for byte, and its committed project
// file writes the same deck.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "deck/deck_reader.h"
#include "deck/deck_writer.h"
#include "model/model_vocabulary.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "support/scratch_dir.h"

namespace orvo {
namespace {

struct Example {
  std::string name;     // for the test name
  std::string deck;     // relative to the source tree
  std::string project;  // relative to the source tree
  SimulationType simtyp;
  int noseg;
  int nosys;
};

void PrintTo(const Example& example, std::ostream* os) {
  *os << example.name;
}

std::string SourcePath(const std::string& relative) {
  return std::string(ORVO_SOURCE_DIR) + "/" + relative;
}

using testing::ReadFile;

class ExampleDeckTest : public ::testing::TestWithParam<Example> {
 protected:
  void SetUp() override { COrvoBuilderCntrItem::SetNodeNumberCounter(0); }
};

TEST_P(ExampleDeckTest, DeckReadsBuildsAndWritesBackUnchanged) {
  const Example& example = GetParam();
  const std::string path = SourcePath(example.deck);
  const std::string deck = ReadFile(path);
  ASSERT_FALSE(deck.empty()) << path;

  ScriptedPlatform platform;
  auto reader = std::make_shared<const OrvoClass>(path, platform);
  ASSERT_NE(reader->record(), nullptr) << ::testing::PrintToString(platform.messages);
  EXPECT_TRUE(platform.messages.empty()) << ::testing::PrintToString(platform.messages);

  COrvoBuilderDoc doc(platform);
  doc.dataset_reader = reader;
  BuildNetwork(doc);
  EXPECT_TRUE(platform.messages.empty()) << ::testing::PrintToString(platform.messages);
  EXPECT_EQ(doc.group_a.SIMTYP, example.simtyp);
  EXPECT_EQ(doc.group_a.NOSEG, example.noseg);
  EXPECT_EQ(doc.group_a.NOSYS, example.nosys);
  for (int id = 1; id <= example.noseg; ++id) {
    EXPECT_NE(doc.GetSegmentNode(id), nullptr) << "segment " << id;
  }

  bool ok = false;
  EXPECT_EQ(DeckText(doc, ok), deck);
  EXPECT_TRUE(ok);
  EXPECT_TRUE(platform.messages.empty()) << ::testing::PrintToString(platform.messages);
}

TEST_P(ExampleDeckTest, CommittedProjectWritesTheSameDeck) {
  const Example& example = GetParam();
  const std::string deck = ReadFile(SourcePath(example.deck));
  ASSERT_FALSE(deck.empty());

  ScriptedPlatform platform;
  COrvoBuilderDoc doc(platform);
  ASSERT_TRUE(doc.Load(SourcePath(example.project))) << ::testing::PrintToString(platform.messages);
  EXPECT_EQ(doc.group_a.SIMTYP, example.simtyp);
  EXPECT_EQ(doc.group_a.NOSEG, example.noseg);

  bool ok = false;
  EXPECT_EQ(DeckText(doc, ok), deck);
  EXPECT_TRUE(ok);
  EXPECT_TRUE(platform.messages.empty()) << ::testing::PrintToString(platform.messages);
}

std::string ExampleName(const ::testing::TestParamInfo<Example>& param) {
  return param.param.name;
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleDeckTest,
                         ::testing::Values(Example{"Fenu5River", "examples/fenu5_river/river.inp",
                                                   "examples/fenu5_river/river.orb", kFenu5, 12, 6},
                                           Example{"Verda5Lake", "examples/verda5_lake/lake.inp",
                                                   "examples/verda5_lake/lake.orb", kVerda5, 6, 8}),
                         ExampleName);

}  // namespace
}  // namespace orvo
