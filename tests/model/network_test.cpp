// Network edits are scripts under tests/data/model/network (network_script_test.cpp); this one
// sets group records the scripts do not reach.
#include <gtest/gtest.h>

#include "model/project_document.h"
#include "model/string_array.h"
#include "support/document_test.h"
#include "support/network_builder.h"

namespace orvo {
namespace {

class NetworkTest : public testing::DocumentTest {};

TEST_F(NetworkTest, NewExchangeIsShapedByGroupsBAndD) {
  for (int i = 0; i < 2; ++i) testing::AddSegmentWithLabel(doc, 100 * (i + 1), 200);
  doc.group_b.surface_functions.GetList() = {"0.0 0.0", "1 2"};
  doc.group_d.fields[0].GetList() = {"1.0", "1.0", "m^3/sec", "0.0 0.0", "5 1"};
  COrvoBuilderCntrItem* exchange =
      doc.AddExchange(doc.GetSegmentNode(1), doc.GetSegmentNode(2), kInterface);
  EXPECT_EQ(exchange->GetParameter(5), "2");
  EXPECT_EQ(exchange->GetParameter(6), "0");
  StringArray portions(exchange->GetParameter(8));
  ASSERT_EQ(portions.size(), 6u);
  EXPECT_EQ(StringArray(portions.At(0)).size(), 2u);
  EXPECT_EQ(portions.At(1), "_StringArrayCookie_0_");
  EXPECT_EQ(exchange->width(), 16);
  EXPECT_EQ(exchange->height(), 16);
}

}  // namespace
}  // namespace orvo
