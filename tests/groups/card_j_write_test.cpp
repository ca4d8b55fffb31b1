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

// Column pieces of record 2.
const std::string kZero = "       0.0";

class GroupJCardTest : public testing::CardWriterTest {
 protected:
  void SetUp() override {
    CardWriterTest::SetUp();
    doc.group_a.SIMTYP = kVerda5;
    doc.group_a.NOSYS = 2;
    // As accepting group A does; the segments then add their rows.
    doc.group_j.ApplyDefaults(2, 0, kVerda5);
  }

  std::string Write(const Variation* variation = nullptr) {
    return Written(group_j::WriteCard, variation);
  }
};

TEST_F(GroupJCardTest, SevenSegmentsOnThreeLines) {
  DrawSegments(7);
  doc.group_j.SetEntry(0, GroupJDlg::kIfield, "3");
  doc.group_j.SetEntry(0, GroupJDlg::kDsed, "2.5");
  doc.group_j.SetEntry(0, GroupJDlg::kCmax, "100");
  doc.group_j.SetEntry(0, GroupJDlg::kTitle, "ammonia");
  doc.group_j.SetRow(0, 1, StringArray{"Upstream", "1.5", "0.25"});
  orvo::testing::ExpectText(Write());
  EXPECT_TRUE(written);
}

TEST_F(GroupJCardTest, DensityInFiveColumnsAndLongNamesKept) {
  doc.group_a.NOSYS = 1;
  const std::string long_name(45, 'A');
  doc.group_j.SetEntry(0, GroupJDlg::kCheml, long_name);
  doc.group_j.SetEntry(0, GroupJDlg::kDsed, "1.25");
  EXPECT_EQ(Write(), long_name + "    0 1.25       0.0\n");

  // Values that never fit five columns end at the shortest form instead of looping.
  doc.group_j.SetEntry(0, GroupJDlg::kCheml, "S");
  doc.group_j.SetEntry(0, GroupJDlg::kDsed, "0.0001");
  EXPECT_EQ(Write(), "S" + std::string(39, ' ') + "    00.0001       0.0\n");
  doc.group_j.SetEntry(0, GroupJDlg::kDsed, "-12345.6");
  EXPECT_EQ(Write(), "S" + std::string(39, ' ') + "    0-1e+04       0.0\n");
  EXPECT_TRUE(written);
}

TEST_F(GroupJCardTest, UnfittingSolidsFieldFailsWithItsValue) {
  doc.group_a.NOSYS = 1;
  doc.group_j.SetEntry(0, GroupJDlg::kIfield, "123456");
  Write();
  EXPECT_FALSE(written);
  EXPECT_EQ(platform.messages,
            std::vector<std::string>{"Group J: the solids field IFIELD 123456 does not fit its "
                                     "5-column field."});
}

TEST_F(GroupJCardTest, ShortListGivesMissingSegmentsTheirDefaultEntry) {
  DrawSegments(4);
  doc.group_a.NOSYS = 1;
  doc.group_j.SetRows(0, PackedTexts({StringArray{"a", "1", "0.5"}.ToString(), "not a row"}));
  EXPECT_EQ(Write(),
            "NH3                                         0  0.0       0.0\n"
            "    a       1.0       0.5" +
                std::string(5, ' ') + kZero + kZero +
                "    3       0.0       0.0\n"
                "    4       0.0       0.0\n");
}

TEST_F(GroupJCardTest, RemovedSegmentKeepsLaterDefaultNames) {
  DrawSegments(3);
  doc.group_a.NOSYS = 1;
  doc.DeleteNode(segments[1]);
  EXPECT_EQ(Write(),
            "NH3                                         0  0.0       0.0\n"
            "    1       0.0       0.0    3       0.0       0.0\n");
}

TEST_F(GroupJCardTest, VariationChangesTheChosenQuantityOfTheTargets) {
  DrawSegments(3);
  for (int position = 0; position < 3; ++position) {
    doc.group_j.SetRow(1, position, StringArray{"s", "2", "0.5"});
  }
  const PackedTexts stored = doc.group_j.Rows(1);
  std::string note = "Group J";
  Variation variation;
  variation.item = 1;
  variation.targets = {0, 2, 7};
  variation.quantity = 1;
  variation.amount = 10;
  variation.additive = true;
  variation.note = &note;
  orvo::testing::ExpectText(Write(&variation));
  EXPECT_EQ(note, "Group J +/- 10");
  EXPECT_EQ(doc.group_j.Rows(1), stored);

  variation.quantity = 2;
  variation.targets = {1};
  variation.additive = false;
  variation.percent = true;
  variation.amount = 50;
  note.clear();
  EXPECT_NE(
      Write(&variation)
          .find("    s       2.0       0.5    s       2.0      0.25    s       2.0       0.5\n"),
      std::string::npos);
  EXPECT_EQ(note, " 50%");
}

TEST_F(GroupJCardTest, NoSystemsWriteNothing) {
  DrawSegments(2);
  doc.group_a.NOSYS = 0;
  EXPECT_EQ(Write(), "");
  EXPECT_TRUE(written);
}

}  // namespace
}  // namespace orvo
