// Typed choices; the panel's edits are scripts in tests/data/groups/node_properties.txt
// (editing_script_test.cpp).
#include "groups/node_properties.h"

#include <gtest/gtest.h>

#include "groups/node_editing.h"

namespace orvo {
namespace {

namespace np = node_properties;

TEST(NodePropertiesChoiceTest, ChoicesAreTypedByNameOrNumber) {
  const std::vector<std::string> types(node_editing::kSegmentTypeNames.begin(),
                                       node_editing::kSegmentTypeNames.end());
  EXPECT_EQ(np::ChoicePosition(types, " upper BED "), 2);
  EXPECT_EQ(np::ChoicePosition(types, "3"), 2);
  EXPECT_EQ(np::ChoicePosition(types, "(1) Surface water"), 0);
  EXPECT_EQ(np::ChoicePosition(types, "0"), -1);
  EXPECT_EQ(np::ChoicePosition(types, "bed"), -1);
  const std::vector<std::string> fields = {"Surface Water", "Pore Water", "No exchange data here"};
  EXPECT_EQ(np::ChoicePosition(fields, "1"), 1);
  EXPECT_EQ(np::ChoicePosition(fields, "pore water"), 1);
  EXPECT_EQ(np::ChoicePosition(fields, "3"), -1);
}

}  // namespace
}  // namespace orvo
