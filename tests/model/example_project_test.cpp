// The bundled example project is what BuildExampleRiver makes in a fresh program. Run with
// ORVO_UPDATE_EXPECTED=1 to write it again after a deliberate change of the example.
#include <gtest/gtest.h>

#include <cstdlib>

#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "support/example_river.h"
#include "support/golden.h"

namespace orvo {
namespace {

TEST(ExampleProjectTest, BundledRiverMatchesItsBuilder) {
  COrvoBuilderCntrItem::SetNodeNumberCounter(0);
  ScriptedPlatform platform;
  COrvoBuilderDoc doc(platform);
  doc.range_file_path = "RangeDefaults.txt";
  testing::BuildExampleRiver(doc);
  EXPECT_TRUE(platform.messages.empty());

  const std::string path = std::string(ORVO_SOURCE_DIR) + "/examples/river/river.orb";
  if (testing::UpdatingExpected()) {
    ASSERT_TRUE(doc.Save(path));
  }
  EXPECT_EQ(testing::ReadFile(path), doc.SaveToBytes()) << path;
}

}  // namespace
}  // namespace orvo
