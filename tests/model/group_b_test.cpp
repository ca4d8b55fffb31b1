#include "model/group_b.h"

#include <gtest/gtest.h>

#include <string>

namespace orvo {
namespace {

// An empty surface field is still written once pore water has functions.
TEST(GroupBTest, FieldCount) {
  GroupBDlg group;
  EXPECT_EQ(group.NRFLD(), 0);
  group.surface_functions.GetList() = {"0 0"};
  EXPECT_EQ(group.NRFLD(), 1);
  group.pore_functions.GetList() = {"0 0", "1 1"};
  group.surface_functions.RemoveAll();
  EXPECT_EQ(group.NRFLD(), 2);
  EXPECT_EQ(group.PoreFunctionCount(), 2);
}

}  // namespace
}  // namespace orvo
