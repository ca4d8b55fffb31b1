#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
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
using testing::AddLabel;
using testing::AddSegmentWithLabel;

// Bytes written out by hand, independently of the archive writer. The byte layouts of whole
// files are the cases under tests/data/projects (project_cases_test.cpp).
struct Bytes {
  std::string out;
  Bytes& i32(int64_t v) {
    const auto u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) out += static_cast<char>((u >> (8 * i)) & 0xFF);
    return *this;
  }
  Bytes& f64(double v) {
    char raw[8];
    std::memcpy(raw, &v, 8);
    out.append(raw, 8);
    return *this;
  }
  Bytes& str(const std::string& s) {  // short strings only
    out += static_cast<char>(s.size());
    out += s;
    return *this;
  }
};

// The ten group records of a document, as the groups write them.
std::string GroupRecords(const COrvoBuilderDoc& doc) {
  ArchiveWriter ar;
  doc.group_a.Serialize(ar);
  doc.group_b.Serialize(ar);
  doc.group_c.Serialize(ar);
  doc.group_d.Serialize(ar);
  doc.group_e.Serialize(ar);
  doc.group_f.Serialize(ar);
  doc.group_g.Serialize(ar);
  doc.group_h.Serialize(ar);
  doc.group_i.Serialize(ar);
  doc.group_j.Serialize(ar);
  return ar.bytes();
}

class ProjectFileTest : public testing::DocumentTest {
 protected:
  void SetUp() override { doc.range_file_path = "/opt/orvo/RangeDefaults.txt"; }

  // Loads into a fresh document as a freshly started program would.
  std::unique_ptr<COrvoBuilderDoc> Reload(const std::string& bytes) {
    COrvoBuilderCntrItem::SetNodeNumberCounter(0);
    auto loaded = std::make_unique<COrvoBuilderDoc>(platform);
    std::string error;
    EXPECT_TRUE(loaded->LoadFromBytes(bytes, error)) << error;
    return loaded;
  }

  testing::ScratchDir scratch{"orvo_project_file"};
  const fs::path& directory = scratch.path();
};

// Tethers name node numbers, which are not stored: after deletions the numbers no longer
// match list positions, and the tethers must still reach the same nodes.
TEST_F(ProjectFileTest, TethersSurviveDeletionsAndReloading) {
  std::vector<COrvoBuilderCntrItem*> s;
  for (int i = 0; i < 4; ++i) s.push_back(AddSegmentWithLabel(doc, 80 * (i + 1), 80));
  doc.DeleteNode(s[0]);
  doc.DeleteNode(s[1]);
  ASSERT_EQ(doc.nodes().size(), 4u);
  std::unique_ptr<COrvoBuilderDoc> loaded = Reload(doc.SaveToBytes());
  const auto& nodes = loaded->nodes();
  ASSERT_EQ(nodes.size(), 4u);
  EXPECT_EQ(nodes[0]->number(), 1);
  EXPECT_EQ(nodes[0]->anchors(), std::vector<std::string>{"2"});
  EXPECT_EQ(nodes[2]->anchors(), std::vector<std::string>{"4"});
  EXPECT_EQ(nodes[1]->GetParameter(2), "1") << "the label still names its segment";
  EXPECT_EQ(COrvoBuilderCntrItem::NodeNumberCounter(), 8) << "the stored counter";
  EXPECT_EQ(loaded->NewNode()->number(), 9);
}

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

// Loading sets fields as stored: no resizing of exchange entries, no load-list updates, no
// modified flag.
TEST_F(ProjectFileTest, LoadingRunsNoEditSideEffects) {
  doc.group_a.NOSYS = 1;
  COrvoBuilderCntrItem* a = AddSegmentWithLabel(doc, 80, 80);
  COrvoBuilderCntrItem* b = AddSegmentWithLabel(doc, 160, 80);
  COrvoBuilderCntrItem* exchange = doc.AddExchange(a, b, kInterface);
  exchange->SetParameter(7, StringArray({"_StringArrayCookie_0_1|!|2"}).ToString());
  exchange->SetParameter(4, "0");
  exchange->SetParameter(5, "4");           // resizes to four entries
  exchange->exchange()->surface_count = 1;  // as a file of another origin might hold
  a->segment()->group_f = StringArray({StringArray({"1", "0"}).ToString()}).ToString();
  const std::string bytes = doc.SaveToBytes();
  std::unique_ptr<COrvoBuilderDoc> loaded = Reload(bytes);
  EXPECT_EQ(loaded->SaveToBytes(), bytes);
  EXPECT_EQ(loaded->group_f.LookupLoad(0, 0), -1);
  EXPECT_EQ(StringArray(loaded->nodes()[4]->GetParameter(7)).size(), 4u);
}

TEST_F(ProjectFileTest, VersionZeroFileSkipsItsFirstTwoBytes) {
  doc.group_b.surface_units = "ft";
  doc.group_c.units = "ft^3";
  doc.group_d.fields[2].GetList() = {"1", "2", "3 0"};
  COrvoBuilderDoc old(platform);
  // Version 0 had no unit strings in groups B and C and no units entries in D and E.
  ArchiveWriter ar;
  ar.U16(0x1234);
  std::string v1 = GroupRecords(doc);
  ArchiveWriter units;
  units.String("ft");
  units.String("m");
  const size_t b_units = v1.find(units.bytes());
  ASSERT_NE(b_units, std::string::npos);
  v1.erase(b_units, units.bytes().size());
  ArchiveWriter c_units;
  c_units.String("ft^3");
  const size_t c_at = v1.find(c_units.bytes());
  ASSERT_NE(c_at, std::string::npos);
  v1.erase(c_at, c_units.bytes().size());
  const std::string bytes = ar.bytes() + v1 + Bytes().str("r").i32(0).out;

  std::string error;
  ASSERT_TRUE(old.LoadFromBytes(bytes, error)) << error;
  EXPECT_EQ(old.group_b.surface_units, "m") << "old files keep the current units";
  EXPECT_EQ(old.group_c.units, "m^3");
  EXPECT_EQ(old.group_d.fields[2].Join('/'), "1/2/m^3/sec/3 0");
  EXPECT_EQ(old.range_file_path, "r");
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
