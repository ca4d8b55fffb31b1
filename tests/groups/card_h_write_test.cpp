#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "groups/cards.h"
#include "model/model_vocabulary.h"
#include "model/scripted_platform.h"
#include "support/card_writer_test.h"
#include "support/golden.h"

namespace orvo {
namespace {

class GroupHCardTest : public testing::CardWriterTest {
 protected:
  void SetUp() override {
    CardWriterTest::SetUp();
    doc.group_a.SIMTYP = kVerda5;
    doc.group_a.NOSYS = 2;
    doc.group_h.title = "constants";
    // As accepting group A does: "Globals", then the system names.
    doc.group_h.ApplyNames(2, kVerda5);
  }

  // Appends a field of (TNAME, ISC, CONST) triples to block k.
  void AddField(int k, const std::string& name, const std::vector<std::string>& triples) {
    StringArray& block = doc.group_h.blocks[static_cast<size_t>(k)];
    StringArray fields(block.At(1));
    fields.GetList().push_back(name);
    fields.SetList(StringArray(triples), fields.size());
    block.SetList(fields, 1);
  }

  std::string Write(const Variation* variation = nullptr) {
    return Written(group_h::WriteCard, variation);
  }
};

TEST_F(GroupHCardTest, BlocksFieldsAndConstantsTwoToALine) {
  AddField(0, "rates", {"K1", "12", "0.5", "K2", "13", "5", "LONGCONSTNAME", "14", "1e20"});
  AddField(0, "new", {"<NEW>", "<NEW>", "<NEW>"});
  AddField(2, "settling", {"VS", "3", "-0.25", "VB", "4", "0.000123456"});
  orvo::testing::ExpectText(Write());
  EXPECT_TRUE(written);
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(GroupHCardTest, FieldWithoutConstantsWritesNoConstantLine) {
  AddField(1, "empty", {});
  orvo::testing::ExpectText(Write());
}

TEST_F(GroupHCardTest, NosysBeyondTheBlocksStopsAtBlockEight) {
  doc.group_a.NOSYS = 12;
  doc.group_h.blocks[2] = StringArray();  // a block never given its entries
  const std::string text = Write();
  EXPECT_TRUE(written);
  orvo::testing::ExpectText(text);
}

TEST_F(GroupHCardTest, UnfittingConstantNumberFailsWithItsValue) {
  AddField(0, "rates", {"K1", "-99999999999", "1"});
  Write();
  EXPECT_FALSE(written);
  EXPECT_EQ(platform.messages,
            std::vector<std::string>{"Group H: the constant number ISC -2147483648 does not fit "
                                     "its 10-column field."});
}

TEST_F(GroupHCardTest, VariationChangesOnlyTheChosenConstant) {
  AddField(0, "rates", {"K1", "1", "2", "K2", "2", "5"});
  AddField(2, "rates", {"K1", "1", "2", "K2", "2", "5"});
  const std::string stored = doc.group_h.blocks[2].At(1);
  std::string note = "run";
  Variation variation;
  variation.block = 2;
  variation.field = 0;
  variation.constant = 1;
  variation.amount = 50;
  variation.percent = true;
  variation.note = &note;
  orvo::testing::ExpectText(Write(&variation));
  EXPECT_EQ(note, "run 50%");
  EXPECT_EQ(doc.group_h.blocks[2].At(1), stored);

  note.clear();
  variation.percent = false;
  variation.additive = true;
  variation.amount = -2;
  variation.constant = 0;
  EXPECT_NE(
      Write(&variation).find("        K1         1       0.0        K2         2       5.0\n"),
      std::string::npos);
  EXPECT_EQ(note, " +/- -2");
}

TEST_F(GroupHCardTest, CheckNamesEveryBlockWithoutFields) {
  AddField(1, "rates", {"K1", "1", "2"});
  std::vector<std::string> findings;
  group_h::Check(doc, findings);
  EXPECT_EQ(findings, (std::vector<std::string>{
                          "Group H: Warning: No constants defined for group 0 (NFLD).",
                          "Group H: Warning: No constants defined for group 2 (NFLD)."}));

  findings.clear();
  doc.group_a.NOSYS = 0;
  group_h::Check(doc, findings);
  EXPECT_TRUE(findings.empty());
}

}  // namespace
}  // namespace orvo
