// The network scripts of tests/data/model/network/*.txt (support/network_script.h).
#include <gtest/gtest.h>

#include "support/card_cases.h"
#include "support/network_script.h"

namespace orvo {
namespace {

class NetworkScriptTest : public ::testing::TestWithParam<std::string> {};

TEST_P(NetworkScriptTest, RunsAsRecorded) {
  testing::CheckCases(
      testing::DataPath("model/network/" + GetParam() + ".txt"),
      [](const testing::CardCase& c) { return testing::NetworkScript().RunAll(c.text); });
}

INSTANTIATE_TEST_SUITE_P(Scripts, NetworkScriptTest,
                         ::testing::ValuesIn(testing::CaseNames("model/network", ".txt")),
                         testing::CaseTestName);

}  // namespace
}  // namespace orvo
