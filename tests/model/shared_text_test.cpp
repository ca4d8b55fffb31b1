#include "model/shared_text.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <string_view>

#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "model/string_array.h"
#include "support/network_builder.h"

namespace orvo {
namespace {

TEST(SharedTextTest, ReadsAsItsText) {
  const SharedText empty;
  EXPECT_TRUE(empty.empty());
  EXPECT_EQ(empty.str(), "");
  const SharedText text(std::string("abc"));
  EXPECT_EQ(text.size(), 3u);
  EXPECT_EQ(text, "abc");
  EXPECT_EQ(text, std::string("abc"));
  EXPECT_EQ(text, std::string_view("abc"));
  EXPECT_NE(text, "abd");
  EXPECT_EQ(static_cast<const std::string&>(text), "abc");
  EXPECT_EQ(StringArray(SharedText(StringArray({"1", "2"}).ToString())).size(), 2u);
  std::ostringstream out;
  out << text;
  EXPECT_EQ(out.str(), "abc");
}

TEST(SharedTextTest, CopiesShareAndAssigningLeavesOtherCopiesAlone) {
  SharedText a(std::string("first"));
  const SharedText b = a;
  EXPECT_TRUE(a.SameCopy(b));
  a = std::string("second");
  EXPECT_EQ(a, "second");
  EXPECT_EQ(b, "first");
  EXPECT_FALSE(a.SameCopy(b));
  // Equal texts are equal whether shared or not.
  EXPECT_EQ(SharedText("x"), SharedText("x"));
  EXPECT_FALSE(SharedText("x").SameCopy(SharedText("x")));
}

TEST(SharedTextTest, PoolGivesEqualTextsOneCopy) {
  SharedTextPool pool;
  const SharedText a = pool.Intern(std::string("record"));
  const std::string text = "record";
  const SharedText b = pool.Intern(text);
  const SharedText c = pool.Intern(std::string_view("other"));
  EXPECT_TRUE(a.SameCopy(b));
  EXPECT_EQ(c, "other");
  EXPECT_FALSE(a.SameCopy(c));
  const SharedText own("mine");
  EXPECT_TRUE(pool.InternShared(own).SameCopy(own));
  EXPECT_TRUE(pool.InternShared(SharedText("record")).SameCopy(a));
  EXPECT_EQ(pool.Intern(std::string()), "");
}

// Loaded nodes whose texts are equal share them; a changed node gets its own text.
TEST(SharedTextTest, LoadedNodesShareEqualTexts) {
  ScriptedPlatform platform;
  COrvoBuilderDoc doc(platform);
  COrvoBuilderCntrItem* first = testing::AddSegmentWithLabel(doc, 80, 80);
  COrvoBuilderCntrItem* second = testing::AddSegmentWithLabel(doc, 160, 80);
  const std::string boundary =
      StringArray({StringArray({"0.5", "0", "0.7", "30"}).ToString()}).ToString();
  first->SetParameter(segment_param::kGroupE, boundary);
  second->SetParameter(segment_param::kGroupE, boundary);
  EXPECT_FALSE(first->segment()->group_e.SameCopy(second->segment()->group_e));

  COrvoBuilderDoc loaded(platform);
  std::string error;
  ASSERT_TRUE(loaded.LoadFromBytes(doc.SaveToBytes(), error)) << error;
  std::vector<SegmentData*> segments;
  for (const auto& node : loaded.nodes()) {
    if (node->is_segment()) segments.push_back(node->segment());
  }
  ASSERT_EQ(segments.size(), 2u);
  EXPECT_EQ(segments[0]->group_e, boundary);
  EXPECT_TRUE(segments[0]->group_e.SameCopy(segments[1]->group_e));
  EXPECT_TRUE(segments[0]->group_g.SameCopy(segments[1]->group_g));

  loaded.nodes()[0]->SetParameter(segment_param::kGroupE, StringArray().ToString());
  EXPECT_EQ(segments[0]->group_e, StringArray().ToString());
  EXPECT_EQ(segments[1]->group_e, boundary);
}

}  // namespace
}  // namespace orvo
