// Network construction from a read deck beyond what the deck cases under tests/data/decks
// show (layout, node order, exchanges of cards B and D, per-node records, read-then-write):
// the stored form of the records, building twice, and building without a deck.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "deck/deck_reader.h"
#include "support/document_test.h"
#include "support/golden.h"

namespace orvo {
namespace {

class NetworkConstructionTest : public testing::DocumentTest {
 protected:
  // Builds the canonical deck of two systems and four segments into `doc`.
  void BuildCanonical() {
    const auto path = testing::DataPath("decks/canonical_deck/deck.inp");
    auto reader = std::make_shared<const OrvoClass>(path.string(), platform);
    ASSERT_NE(reader->record(), nullptr) << ::testing::PrintToString(platform.messages);
    doc.dataset_reader = reader;
    BuildNetwork(doc);
  }
};

// The records are in the form setting them as parameters leaves them in.
TEST_F(NetworkConstructionTest, RecordsAreInTheirStoredForm) {
  BuildCanonical();
  const std::string group_f = doc.group_f.SlotText(0);
  for (const auto& node : doc.nodes()) {
    if (node->is_label()) continue;
    const std::vector<int> indices =
        node->is_segment() ? std::vector<int>{5, 6, 7, 8, 9, 10, 11, 12} : std::vector<int>{7, 8};
    for (const int index : indices) {
      const std::string stored = node->GetParameter(index);
      node->SetParameter(index, stored);
      EXPECT_EQ(node->GetParameter(index), stored) << node->number() << " index " << index;
    }
  }
  EXPECT_EQ(doc.group_f.SlotText(0), group_f);
}

// Building again replaces the whole network; node numbers keep counting.
TEST_F(NetworkConstructionTest, BuildingAgainReplacesTheNetwork) {
  BuildCanonical();
  EXPECT_TRUE(doc.IsModified());
  const size_t count = doc.nodes().size();
  const int last = doc.nodes().back()->number();
  BuildNetwork(doc);
  ASSERT_EQ(doc.nodes().size(), count);
  EXPECT_EQ(doc.nodes().front()->number(), last + 1);
}

TEST_F(NetworkConstructionTest, WithoutADeckNothingHappens) {
  BuildCanonical();
  doc.dataset_reader = nullptr;
  const std::string before = doc.SaveToBytes();
  BuildNetwork(doc);
  EXPECT_EQ(doc.SaveToBytes(), before);
}

}  // namespace
}  // namespace orvo
