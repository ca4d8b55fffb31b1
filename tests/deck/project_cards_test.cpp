// Every project case under tests/data/projects that loads is written as its cards in cards.txt
// (support/project_cards.h): the card writers' output, failures and messages, the group
// findings and the node judgements. Project files keep neither the nonpoint source file nor
// the kinetic function names; what depends on them is tested where they are set.
#include <gtest/gtest.h>

#include <string>

#include "support/document_test.h"
#include "support/golden.h"
#include "support/project_cards.h"

namespace orvo {
namespace {

class ProjectCardsTest : public testing::DocumentTestOf<::testing::TestWithParam<std::string>> {};

TEST_P(ProjectCardsTest, WritesEveryCardAndJudgesEveryNode) {
  const auto folder = testing::DataPath("projects/" + GetParam());
  std::string error;
  if (!doc.LoadFromBytes(testing::ReadFile(folder / "project.orb"), error)) return;
  testing::ExpectFileText(folder / "cards.txt", testing::CardsText(doc, platform));
}

INSTANTIATE_TEST_SUITE_P(Projects, ProjectCardsTest,
                         ::testing::ValuesIn(testing::CaseNames("projects")),
                         testing::CaseTestName);

}  // namespace
}  // namespace orvo
