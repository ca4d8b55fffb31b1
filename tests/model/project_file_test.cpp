// Project files on disk, node numbering across loads, and lists larger than a save's chunk. The
// byte layouts of whole files (loading without side effects, old versions, damage) are the
// cases under tests/data/projects (project_cases_test.cpp).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "model/archive.h"
#include "model/model_vocabulary.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "model/string_array.h"
#include "support/document_test.h"
#include "support/network_builder.h"
#include "support/scratch_dir.h"

namespace orvo {
namespace {

namespace fs = std::filesystem;
using testing::AddSegmentWithLabel;

class ProjectFileTest : public testing::DocumentTest {
 protected:
  void SetUp() override { doc.range_file_path = "/opt/orvo/RangeDefaults.txt"; }

  testing::ScratchDir scratch{"orvo_project_file"};
  const fs::path& directory = scratch.path();
};

TEST_F(ProjectFileTest, SecondProjectNeverReusesNumbers) {
  AddSegmentWithLabel(doc, 80, 80);
  const std::string bytes = doc.SaveToBytes();  // counter 2
  for (int i = 0; i < 10; ++i) doc.NewNode();   // counter 12
  COrvoBuilderDoc second(platform);
  std::string error;
  ASSERT_TRUE(second.LoadFromBytes(bytes, error)) << error;
  EXPECT_EQ(second.nodes()[0]->number(), 13);
  EXPECT_EQ(second.nodes()[0]->anchors(), std::vector<std::string>{"14"});
  EXPECT_EQ(COrvoBuilderCntrItem::NodeNumberCounter(), 14);
}

TEST_F(ProjectFileTest, SaveReplacesTheFileAtomically) {
  const fs::path path = directory / "lake.orb";
  AddSegmentWithLabel(doc, 80, 80);
  ASSERT_TRUE(doc.Save(path));
  EXPECT_FALSE(doc.IsModified());
  std::unique_ptr<COrvoBuilderDoc> loaded = std::make_unique<COrvoBuilderDoc>(platform);
  ASSERT_TRUE(loaded->Load(path));
  EXPECT_EQ(loaded->nodes().size(), 2u);
  EXPECT_EQ(std::distance(fs::directory_iterator(directory), fs::directory_iterator()), 1)
      << "no temporary file is left behind";

  // A save that cannot complete leaves what was there.
  const fs::path occupied = directory / "occupied.orb";
  fs::create_directories(occupied / "inside");
  doc.SetModifiedFlag();
  EXPECT_FALSE(doc.Save(occupied));
  EXPECT_TRUE(doc.IsModified());
  EXPECT_TRUE(fs::is_directory(occupied / "inside"));
  EXPECT_NE(platform.messages.back().find("The previous file is unchanged."), std::string::npos);
  EXPECT_FALSE(doc.Save(directory / "missing" / "x.orb"));
  EXPECT_EQ(std::distance(fs::directory_iterator(directory), fs::directory_iterator()), 2);
}

// Lists of more than the megabyte a save hands on at a time: the file holds the bytes the
// groups serialize to, and the same bytes as the project written in memory.
TEST_F(ProjectFileTest, LargeGroupListsSaveAsTheyAreWritten) {
  AddSegmentWithLabel(doc, 80, 80);
  std::vector<std::string> records;
  for (int i = 0; i < 25000; ++i) {
    records.push_back(StringArray({std::to_string(i), "_StringArrayCookie_0_1|!|0"}).ToString());
  }
  StringArray slot({"0.0", "0.0", "kg/day", "loads"});
  slot.SetList(StringArray(records), GroupFDlg::kLoadList);
  doc.group_f.SetSlot(1, slot);
  doc.group_f.SetSlot(6, slot);
  StringArray rows({"name", "0", "0.0", "0.0", "title"});
  rows.SetList(StringArray(records), 5);
  doc.group_j.SetSlot(3, rows);
  const fs::path path = directory / "large.orb";
  ASSERT_TRUE(doc.Save(path));
  std::ifstream in(path, std::ios::binary);
  const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_GT(saved.size(), size_t{2} << 20);
  EXPECT_EQ(saved, doc.SaveToBytes());
  ArchiveWriter groups;
  doc.group_f.Serialize(groups);
  doc.group_g.Serialize(groups);
  doc.group_h.Serialize(groups);
  doc.group_i.Serialize(groups);
  doc.group_j.Serialize(groups);
  EXPECT_NE(saved.find(groups.bytes()), std::string::npos);
}

TEST_F(ProjectFileTest, LoadReportsUnreadableFiles) {
  COrvoBuilderDoc loaded(platform);
  EXPECT_FALSE(loaded.Load((directory / "absent.orb").string()));
  EXPECT_NE(platform.messages.back().find("absent.orb"), std::string::npos);
}

}  // namespace
}  // namespace orvo
