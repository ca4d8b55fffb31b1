// What `orvo show` and the other commands do is checked by the scripts under
// tests/data/cli/scripts/; this is the guard every command runs in.
#include <gtest/gtest.h>

#include <new>
#include <sstream>
#include <stdexcept>

#include "cli_command.h"
#include "support/golden.h"

namespace orvo::cli {
namespace {

TEST(CatchAllTest, AnExceptionBecomesAMessageAndAFailure) {
  std::ostringstream err;
  EXPECT_EQ(CatchAll([] { return kUsage; }, err), kUsage);
  EXPECT_EQ(CatchAll([]() -> int { throw std::bad_alloc(); }, err), kFailed);
  EXPECT_EQ(CatchAll([]() -> int { throw std::runtime_error("disk on fire"); }, err), kFailed);
  EXPECT_EQ(CatchAll([]() -> int { throw 42; }, err), kFailed);
  orvo::testing::ExpectText(err.str());
}

}  // namespace
}  // namespace orvo::cli
