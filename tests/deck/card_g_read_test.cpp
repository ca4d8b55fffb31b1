// Card G: a KOBAL5 project's card written, read and written again; the import is in
// tests/data/card_import/card_g.txt.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "deck/deck_reading.h"
#include "groups/cards.h"
#include "model/model_vocabulary.h"
#include "model/scripted_platform.h"
#include "support/deck_cards.h"
#include "support/document_test.h"

namespace orvo {
namespace {

// KOBAL5 slots of pH and SO4 (number 31).
constexpr size_t kPh = 27, kSo4 = 29;

void MakeProject(COrvoBuilderDoc& doc, int segments) {
  testing::MakeProject(doc, segments, 7, kKobal5);
  doc.group_g.SetSlotCountFromType(kKobal5);
  doc.group_g.RestoreDefaultNames(kKobal5);
  for (const auto& node : doc.nodes()) {
    if (node->is_segment()) node->SetParameter(12, doc.DefaultSegmentGroupG());
  }
}

class CardGTest : public testing::DocumentTest {
 protected:
  void SetUp() override {
    MakeProject(doc, 3);
    doc.imported_NOSEG = 2;
    doc.group_g.title = "Old";
    doc.group_g.values[0] = 4.0;
  }
};

TEST_F(CardGTest, RoundTripGivesTheSameCard) {
  doc.group_g.title = " Parameters";
  for (size_t slot : {size_t{1}, size_t{2}, size_t{15}, kPh, kSo4}) doc.group_g.values[slot] = 1.0;
  doc.group_g.values[0] = 0.0;
  int n = 0;
  for (const auto& node : doc.nodes()) {
    if (!node->is_segment()) continue;
    StringArray record(node->GetParameter(12));
    for (size_t slot : {size_t{1}, size_t{15}, kSo4})
      record.GetList()[2 * slot + 1] = RealText(0.5 + ++n);
    node->SetParameter(12, record.ToString());
  }
  testing::ExpectCardRoundTrip(
      doc, testing::WriteCardOf<group_g::WriteCard>, ReadGroupG,
      [](COrvoBuilderDoc& copy, ScriptedPlatform&) { MakeProject(copy, 3); });
}

}  // namespace
}  // namespace orvo
