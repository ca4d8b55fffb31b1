// Every folder under tests/data/projects is a project file:
//   project.orb  the file
//   error.txt    for a file that must not load: the reason the load gives
//   network.txt  for one that loads: its network (support/network_text.h)
//   saved.orb    what saving it writes, where that differs from project.orb
//   cards.txt    for one that loads: its cards, findings and node judgements, checked by
//                tests/deck/project_cards_test.cpp
// A file that loads also fails cleanly when cut short anywhere: each cut reports an error and
// leaves the document it was loaded into as it was. The empty project's file holds the fresh
// record of every group holder byte for byte.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "support/document_test.h"
#include "support/golden.h"
#include "support/network_text.h"

namespace orvo {
namespace {

class ProjectCaseTest : public testing::DocumentTestOf<::testing::TestWithParam<std::string>> {};

TEST_P(ProjectCaseTest, LoadsSavesAndRefusesEveryCut) {
  const auto folder = testing::DataPath("projects/" + GetParam());
  const std::string bytes = testing::ReadFile(folder / "project.orb");
  std::string error;
  if (!doc.LoadFromBytes(bytes, error)) {
    EXPECT_TRUE(doc.nodes().empty());
    testing::ExpectFileText(folder / "error.txt", error + "\n");
    return;
  }
  EXPECT_FALSE(doc.IsModified());
  testing::ExpectFileText(folder / "network.txt", testing::NetworkText(doc));
  const std::string saved = doc.SaveToBytes();
  testing::ExpectFileTextOr(folder / "saved.orb", saved, bytes);
  const int counter = COrvoBuilderCntrItem::NodeNumberCounter();
  for (size_t size = 0; size < bytes.size(); ++size) {
    std::string cut_error;
    EXPECT_FALSE(doc.LoadFromBytes(std::string_view(bytes).substr(0, size), cut_error)) << size;
    EXPECT_FALSE(cut_error.empty()) << size;
  }
  // A failed load may have spent node numbers (they are never reused); the project is the same.
  COrvoBuilderCntrItem::SetNodeNumberCounter(counter);
  EXPECT_EQ(doc.SaveToBytes(), saved);
  EXPECT_TRUE(platform.messages.empty()) << ::testing::PrintToString(platform.messages);
}

INSTANTIATE_TEST_SUITE_P(Projects, ProjectCaseTest,
                         ::testing::ValuesIn(testing::CaseNames("projects")),
                         testing::CaseTestName);

}  // namespace
}  // namespace orvo
