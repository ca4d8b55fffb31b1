#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "groups/cards.h"
#include "model/model_vocabulary.h"
#include "model/number_text.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "model/string_array.h"
#include "support/card_writer_test.h"
#include "support/golden.h"
#include "support/node_records.h"

namespace orvo {
namespace {

using testing::AddLabel;

using testing::Entries;

class GroupBCardTest : public testing::CardWriterTest {
 protected:
  void SetUp() override {
    CardWriterTest::SetUp();
    DrawSegments(3);
  }

  // The global editor's OK: the functions change, then every exchange follows the counts.
  void SetFunctions(const std::vector<std::string>& surface, const std::vector<std::string>& pore) {
    doc.group_b.surface_functions.GetList() = surface;
    doc.group_b.pore_functions.GetList() = pore;
    doc.SetExchangeFunctionCount(0, static_cast<int>(surface.size()));
    doc.SetExchangeFunctionCount(1, static_cast<int>(pore.size()));
  }

  // The exchange editor's OK: a field and its entries.
  COrvoBuilderCntrItem* Exchange(int up, int down, int field, const std::string& entries) {
    COrvoBuilderCntrItem* node = DrawExchange(up, down);
    node->SetParameter(4, IntText(field));
    node->SetParameter(7, entries);
    return node;
  }

  std::string Write(const Variation* variation = nullptr, bool expect_ok = true) {
    DeckOut out(platform);
    EXPECT_EQ(group_b::WriteCard(doc, out, variation), expect_ok);
    return out.text();
  }

  std::vector<std::string> Findings() { return CardWriterTest::Findings(group_b::Check); }
};

TEST_F(GroupBCardTest, NoFunctionsWritesOnlyTheFirstRecord) {
  doc.group_b.title = "Dispersion";
  doc.group_b.bypass.Parse("1 1", false);
  EXPECT_EQ(Write(), "    0Dispersion\n");
}

TEST_F(GroupBCardTest, SurfaceField) {
  doc.group_b.title = "Dispersion";
  doc.group_b.bypass.Parse("1 0", false);
  SetFunctions({"1.5 0 2 10"}, {});
  Exchange(1, 2, 0, Entries({{"100", "2.5"}}));
  AddLabel(doc, "not an exchange");
  Exchange(2, 3, 0, Entries({{"0", "3"}}));  // zero area: left out
  Exchange(2, 3, 0, Entries({{"7", "0"}}));  // zero length: left out
  Exchange(2, 1, 1, Entries({{"9", "9"}}));  // pore water
  Exchange(3, 0, 0, Entries({{"50", "4"}}));
  orvo::testing::ExpectText(Write());
}

TEST_F(GroupBCardTest, PoreWaterAloneStillWritesAnEmptySurfaceField) {
  SetFunctions({}, {"0.1 0", "0.2 0"});
  doc.group_b.pore_SCALR = 2;
  Exchange(1, 2, 1, Entries({{"10", "1"}, {"20", "2"}}));
  // Three entries from an earlier field: the third has no function and is ignored.
  Exchange(2, 3, 1, Entries({{"0", "0"}, {"30", "3"}, {"40", "4"}}));
  Exchange(3, 1, 0, Entries({{"99", "9"}, {"99", "9"}}));  // surface water: not in field 2
  orvo::testing::ExpectText(Write());
}

TEST_F(GroupBCardTest, EntryWithoutTwoNumbersTakesNoPart) {
  SetFunctions({"1 0"}, {});
  COrvoBuilderCntrItem* node = Exchange(1, 2, 0, "");
  node->SetParameter(7, StringArray{StringArray{"5", "5", "5"}.ToString()}.ToString());
  Exchange(2, 3, 0, StringArray{"5 5"}.ToString());  // not a pair of numbers
  orvo::testing::ExpectText(Write());
}

TEST_F(GroupBCardTest, VariationChangesChosenExchangesOfChosenFunctions) {
  SetFunctions({"1 0", "2 0"}, {});
  COrvoBuilderCntrItem* chosen = Exchange(1, 2, 0, Entries({{"100", "2.5"}, {"100", "2.5"}}));
  Exchange(2, 3, 0, Entries({{"100", "2.5"}, {"100", "2.5"}}));
  const std::string stored = chosen->GetParameter(7);

  std::string note = "Area";
  Variation area;
  area.functions = {1};
  area.exchanges = {chosen};
  area.quantity = 0;
  area.amount = 50;
  area.percent = true;
  area.note = &note;
  orvo::testing::ExpectText(Write(&area));
  EXPECT_EQ(note, "Area 50%");

  Variation length = area;
  length.quantity = 1;
  length.percent = false;
  length.additive = true;
  length.amount = 1;
  note = "Length";
  orvo::testing::ExpectText(Write(&length), "2");
  EXPECT_EQ(note, "Length +/- 1");

  Variation nothing = area;
  nothing.quantity = 2;
  nothing.note = nullptr;
  EXPECT_EQ(Write(&nothing), Write());
  EXPECT_EQ(chosen->GetParameter(7), stored);
}

TEST_F(GroupBCardTest, OddFunctionFails) {
  doc.group_b.bypass.Parse("1", false);
  SetFunctions({"1 0 2"}, {});
  orvo::testing::ExpectText(Write(nullptr, false));
}

TEST_F(GroupBCardTest, SegmentIdTooWideFails) {
  SetFunctions({"1 0"}, {});
  COrvoBuilderCntrItem* node = Exchange(1, 2, 0, Entries({{"1", "1"}}));
  node->SetParameter(2, "100000");
  Write(nullptr, false);
  EXPECT_EQ(
      platform.messages,
      std::vector<std::string>{"The upstream segment ID 100000 does not fit its 5-column field."});
}

TEST_F(GroupBCardTest, Findings) {
  EXPECT_EQ(Findings(), (std::vector<std::string>{
                            "Group B: Error: Simulation type is unset.",
                            "Group B: Warning: No exchange fields defined (NRFLD).",
                        }));
  doc.group_a.SIMTYP = kVerda5;
  SetFunctions({"1 0"}, {"1 0"});
  doc.group_b.surface_SCALR = -1;
  doc.group_b.surface_CONVR = 0;
  doc.group_b.pore_SCALR = 0;
  doc.group_b.pore_CONVR = -2;
  EXPECT_EQ(Findings(), (std::vector<std::string>{
                            "Group B: Warning: Pore water scale factor is 0 (SCALR).",
                            "Group B: Warning: Pore water conversion factor is 0 (CONVR).",
                            "Group B: Warning: Surface water scale factor is 0 (SCALR).",
                            "Group B: Warning: Surface water conversion factor is 0 (CONVR).",
                        }));
  doc.group_b.surface_SCALR = 1;
  doc.group_b.surface_CONVR = 1;
  doc.group_b.pore_SCALR = 1;
  doc.group_b.pore_CONVR = 1;
  EXPECT_TRUE(Findings().empty());
}

TEST_F(GroupBCardTest, NodeCheck) {
  COrvoBuilderCntrItem* exchange = Exchange(1, 2, 1, Entries({{"0", "1"}, {"5", "0"}}));
  EXPECT_EQ(group_b::NodeCheck(doc, *doc.GetSegmentNode(1)), "Wrong Segment Type");
  EXPECT_EQ(group_b::NodeCheck(doc, *exchange),
            "OK (no surface or porewater time functions defined).");

  SetFunctions({"1 0"}, {});
  EXPECT_EQ(group_b::NodeCheck(doc, *exchange), "OK") << "no pore-water functions";

  SetFunctions({}, {"1 0", "2 0"});
  EXPECT_EQ(group_b::NodeCheck(doc, *exchange), "Area unintialized for time function 0");
  exchange->SetParameter(7, Entries({{"3", "1"}, {"5", "0"}}));
  EXPECT_EQ(group_b::NodeCheck(doc, *exchange),
            "Characteristic length unintialized for time function 1");
  exchange->SetParameter(7, Entries({{"3", "1"}, {"5", "2"}}));
  EXPECT_EQ(group_b::NodeCheck(doc, *exchange), "OK");

  exchange->SetParameter(4, "2");
  exchange->SetParameter(7, Entries({{"0", "0"}}));
  EXPECT_EQ(group_b::NodeCheck(doc, *exchange), "OK") << "no exchange data here";
}

}  // namespace
}  // namespace orvo
