// Network construction from a read deck: layout, node order, exchanges of cards B and D, the
// per-node records, and decks that survive read-then-write byte for byte.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "deck/deck_reader.h"
#include "deck/deck_writer.h"
#include "groups/cards.h"
#include "model/model_vocabulary.h"
#include "model/scripted_platform.h"
#include "support/network_builder.h"

namespace orvo {
namespace {

using List = std::vector<std::string>;

std::string Array(const List& elements) {
  return StringArray(elements).ToString();
}

// Card A options that every deck here shares: FENU5 with `nosys` systems.
void SetOptions(COrvoBuilderDoc& doc, int nosys) {
  GroupADlg& a = doc.group_a;
  a.SIMTYP = kFenu5;
  a.TITLE1 = "Network construction";
  a.TITLE2 = "written by the test";
  a.NOSYS = nosys;
  a.ICFL = a.MFLAG = a.NEGSLN = a.INTYP = a.TFLG = 0;
  a.JMASS = 1;
  a.ADFAC = 1.0;
  a.time_steps.GetList() = {"0.01", "30"};
  a.print_intervals.GetList() = {"1", "30"};
  a.SYSBY.GetList().assign(static_cast<size_t>(nosys), "0");
  doc.group_b.bypass.GetList().assign(static_cast<size_t>(nosys), "0");
  doc.group_d.bypass.GetList().assign(static_cast<size_t>(nosys), "0");
  doc.group_d.flow_option = 0;
}

// Segments of the given deck types (1 to 4), in ID order.
std::vector<COrvoBuilderCntrItem*> AddSegments(COrvoBuilderDoc& doc,
                                               const std::vector<int>& types) {
  std::vector<COrvoBuilderCntrItem*> segments;
  for (size_t i = 0; i < types.size(); ++i) {
    COrvoBuilderCntrItem* segment =
        testing::AddSegmentWithLabel(doc, 80 * static_cast<int>(i + 1), 80, types[i] - 1);
    segment->SetParameter(9, "1000");
    segments.push_back(segment);
  }
  return segments;
}

// One advective flow function in field 1, carried by the given exchanges.
void AddFlowFunction(COrvoBuilderDoc& doc, const std::vector<COrvoBuilderCntrItem*>& carriers) {
  doc.group_d.fields[0].GetList() = {"1", "1", "m^3/sec", "10 0 12 30"};
  const std::string carried =
      Array({Array({"1"}), Array({}), Array({}), Array({}), Array({}), Array({})});
  for (const auto& node : doc.nodes()) {
    if (node->is_exchange()) node->SetParameter(8, doc.group_d.EmptyExchangeRecord().ToString());
  }
  for (COrvoBuilderCntrItem* carrier : carriers) carrier->SetParameter(8, carried);
}

// A surface-water exchange of function 0 with its area and length.
COrvoBuilderCntrItem* AddSurfaceExchange(COrvoBuilderDoc& doc, COrvoBuilderCntrItem* from,
                                         COrvoBuilderCntrItem* to, const List& entries) {
  COrvoBuilderCntrItem* node = doc.AddExchange(from, to, kInterface);
  node->SetParameter(4, "0");
  node->SetParameter(7, Array({Array(entries)}));
  return node;
}

// A canonical FENU5 deck of two systems: segments in ID order, exchanges in the order the
// reader creates them (card B surface water, card B pore water, then flow-only exchanges),
// every list as long as the deck makes it.
void BuildCanonicalProject(COrvoBuilderDoc& doc) {
  SetOptions(doc, 2);
  doc.group_a.ISEGOUT = {1, 2, 3, 4, 0, 0};
  const std::vector<COrvoBuilderCntrItem*> s = AddSegments(doc, {1, 1, 3, 3});
  s[0]->SetParameter(4, "3");
  s[1]->SetParameter(4, "4");
  s[0]->SetParameter(8, "0.25");
  s[0]->SetParameter(7, "0.4");

  doc.group_b.title = "Exchanges";
  doc.group_b.surface_functions.GetList() = {"0.0001 0 0.0002 30"};
  doc.group_b.pore_functions.GetList() = {"1e-05 0 1e-05 30"};
  COrvoBuilderCntrItem* interface = AddSurfaceExchange(doc, s[0], s[1], {"150", "400"});
  COrvoBuilderCntrItem* pore = doc.AddExchange(s[2], s[3], kInterface);
  pore->SetParameter(4, "1");
  pore->SetParameter(7, Array({Array({"10", "0.1"})}));
  COrvoBuilderCntrItem* inflow = doc.AddExchange(s[0], s[0], kInflow);
  COrvoBuilderCntrItem* outflow = doc.AddExchange(s[1], s[1], kOutflow);
  AddFlowFunction(doc, {interface, inflow, outflow});

  doc.group_c.IVOPT = 0;
  doc.group_c.title = "Volumes";
  doc.group_e.ApplyDefaults(2);
  s[0]->SetParameter(10, Array({Array({"5", "0", "5", "30"}), Array({})}));
  doc.group_f.ApplyDefaults(2);
  doc.group_f.SetEntry(0, GroupFDlg::kScalw, "1");
  doc.group_f.SetEntry(0, GroupFDlg::kConvw, "1");
  s[1]->SetParameter(11, Array({Array({"2", "0", "2", "30"}), Array({})}));
  doc.group_g.title = "Parameters";
  doc.group_g.SetSlotCountFromType(kFenu5);
  doc.group_g.RestoreDefaultNames(kFenu5);
  doc.group_g.values[0] = 1.0;
  for (COrvoBuilderCntrItem* segment : s) {
    StringArray record = GroupGDlg::DefaultSegmentRecord(kFenu5);
    record.GetList()[1] = segment == s[0] ? "0.5" : "0.25";
    segment->SetParameter(12, record.ToString());
  }
  doc.group_h.title = "Constants";
  doc.group_h.ApplyNames(2, kFenu5);
  doc.group_i.title = "Time functions";
  doc.group_i.SetSlotCountFromType(kFenu5);
  doc.group_i.RestoreDefaultNames(kFenu5);
  doc.group_i.functions[0] = "1 0 1 30";
  doc.group_j.ApplyDefaults(2, 4, kFenu5);
}

class NetworkConstructionTest : public ::testing::Test {
 protected:
  void SetUp() override { COrvoBuilderCntrItem::SetNodeNumberCounter(0); }

  std::string Write(const COrvoBuilderDoc& source) {
    bool ok = false;
    std::string text = DeckText(source, ok);
    EXPECT_TRUE(ok);
    return text;
  }

  // Reads deck text into the fresh document `built` and builds its network.
  void Build(const std::string& text) {
    auto reader = std::make_shared<const OrvoClass>(text, std::string(), platform);
    ASSERT_NE(reader->record(), nullptr) << ::testing::PrintToString(platform.messages);
    built.dataset_reader = reader;
    BuildNetwork(built);
  }

  std::vector<const COrvoBuilderCntrItem*> Nodes(int type) const {
    std::vector<const COrvoBuilderCntrItem*> found;
    for (const auto& node : built.nodes()) {
      if (node->type() == type) found.push_back(node.get());
    }
    return found;
  }

  ScriptedPlatform platform;
  COrvoBuilderDoc project{platform};
  ScriptedPlatform built_platform;
  COrvoBuilderDoc built{built_platform};
};

struct Corner {
  int left, top;
  bool operator==(const Corner&) const = default;
};

void PrintTo(const Corner& c, std::ostream* os) {
  *os << "(" << c.left << ", " << c.top << ")";
}

TEST_F(NetworkConstructionTest, RowsBySegmentTypeWithLabelsAboveRight) {
  SetOptions(project, 0);
  AddSegments(project, {1, 1, 2, 2, 1});
  Build(Write(project));

  const auto segments = Nodes(kSegmentNode);
  const auto labels = Nodes(kLabelNode);
  ASSERT_EQ(segments.size(), 5u);
  ASSERT_EQ(labels.size(), 5u);
  const std::vector<Corner> expected = {{80, 80}, {160, 80}, {80, 280}, {160, 280}, {80, 480}};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ((Corner{segments[i]->left(), segments[i]->top()}), expected[i]) << i;
    EXPECT_EQ((Corner{labels[i]->left(), labels[i]->top()}),
              (Corner{expected[i].left + 20, expected[i].top - 40}))
        << i;
    EXPECT_EQ(segments[i]->width(), 32);
    EXPECT_EQ(segments[i]->height(), 32);
    EXPECT_EQ(labels[i]->width(), 32);
    EXPECT_EQ(labels[i]->GetParameter(2), IntText(static_cast<int>(i) + 1));
    EXPECT_EQ(labels[i]->GetParameter(3), "") << "border off";
    EXPECT_EQ(segments[i]->anchors(), List{IntText(labels[i]->number())});
  }
  EXPECT_EQ(segments[2]->GetParameter(3), "1") << "deck type 2 is list position 1";
  EXPECT_EQ(built.extent_width, 300);
  EXPECT_EQ(built.extent_height, 600);
}

TEST_F(NetworkConstructionTest, HundredAndFiftySegmentsOfOneTypeMakeTwoRows) {
  SetOptions(project, 0);
  AddSegments(project, std::vector<int>(150, 1));
  Build(Write(project));
  const auto segments = Nodes(kSegmentNode);
  ASSERT_EQ(segments.size(), 150u);
  EXPECT_EQ((Corner{segments[0]->left(), segments[0]->top()}), (Corner{80, 80}));
  EXPECT_EQ((Corner{segments[99]->left(), segments[99]->top()}), (Corner{8000, 80}));
  EXPECT_EQ((Corner{segments[100]->left(), segments[100]->top()}), (Corner{80, 280}));
  EXPECT_EQ((Corner{segments[149]->left(), segments[149]->top()}), (Corner{4000, 280}));
  EXPECT_EQ(built.extent_width, 10100) << "the 101st segment entered the row step with c 101";
  EXPECT_EQ(built.extent_height, 400);
}

TEST_F(NetworkConstructionTest, DrawingExtentFollowsTheWidestRow) {
  SetOptions(project, 0);
  AddSegments(project, {1, 1, 1, 2});
  Build(Write(project));
  EXPECT_EQ(built.extent_width, 400);
  EXPECT_EQ(built.extent_height, 400);
}

TEST_F(NetworkConstructionTest, NoSegmentsGiveTheSmallestExtent) {
  SetOptions(project, 0);
  Build(Write(project));
  EXPECT_TRUE(built.nodes().empty());
  EXPECT_EQ(built.extent_width, 100);
  EXPECT_EQ(built.extent_height, 200);
}

TEST_F(NetworkConstructionTest, NodeListOrderAndExchangePlacement) {
  SetOptions(project, 0);
  const auto s = AddSegments(project, {1, 1, 2, 2, 1});
  project.group_b.surface_functions.GetList() = {"0.0001 0 0.0002 30"};
  COrvoBuilderCntrItem* both = AddSurfaceExchange(project, s[0], s[1], {"150", "400"});
  AddSurfaceExchange(project, s[1], s[2], {"50", "20"});
  COrvoBuilderCntrItem* inflow = project.AddExchange(s[4], s[4], kInflow);
  COrvoBuilderCntrItem* outflow = project.AddExchange(s[3], s[3], kOutflow);
  AddFlowFunction(project, {both, inflow, outflow});
  Build(Write(project));

  std::string order;
  for (const auto& node : built.nodes()) order += node->GetParameter(0);
  EXPECT_EQ(order,
            "1313131313"
            "22"
            "22")
      << "one exchange for 1 -> 2 of cards B and D";

  const auto segments = Nodes(kSegmentNode);
  const auto exchanges = Nodes(kExchangeNode);
  ASSERT_EQ(exchanges.size(), 4u);
  struct Expected {
    std::string up, down, field;
    Corner corner;
  };
  const std::vector<Expected> expected = {
      {"1", "2", "0", {120, 80}},   // halfway between segments 1 and 2
      {"2", "3", "0", {120, 180}},  // between rows
      {"0", "5", "2", {80, 430}},   // 50 above segment 5
      {"4", "0", "2", {160, 330}},  // 50 below segment 4
  };
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(exchanges[i]->GetParameter(2), expected[i].up) << i;
    EXPECT_EQ(exchanges[i]->GetParameter(3), expected[i].down) << i;
    EXPECT_EQ(exchanges[i]->GetParameter(4), expected[i].field) << i;
    EXPECT_EQ((Corner{exchanges[i]->left(), exchanges[i]->top()}), expected[i].corner) << i;
    EXPECT_EQ(exchanges[i]->width(), 16);
    EXPECT_EQ(exchanges[i]->GetParameter(5), "1");
    EXPECT_EQ(exchanges[i]->GetParameter(6), "0");
  }
  EXPECT_EQ(segments[4]->top() - exchanges[2]->top(), 50);
  EXPECT_EQ(exchanges[0]->GetParameter(7), Array({Array({"150", "400"})}));
  EXPECT_EQ(exchanges[2]->GetParameter(7), Array({})) << "flow-only: no group B entries";
  // Group D: the portion of function 1 of field 1 on the three carriers only.
  const std::string carried =
      Array({Array({"1"}), Array({}), Array({}), Array({}), Array({}), Array({})});
  const std::string empty =
      Array({Array({""}), Array({}), Array({}), Array({}), Array({}), Array({})});
  EXPECT_EQ(exchanges[0]->GetParameter(8), carried);
  EXPECT_EQ(exchanges[1]->GetParameter(8), empty);
  EXPECT_EQ(exchanges[2]->GetParameter(8), carried);
  EXPECT_EQ(exchanges[3]->GetParameter(8), carried);
  EXPECT_EQ(built.GetSegmentNode(5), segments[4]);
  EXPECT_TRUE(built_platform.messages.empty()) << ::testing::PrintToString(built_platform.messages);
}

// A deck may list a pair in two functions of card B; the one exchange takes part in both.
TEST_F(NetworkConstructionTest, PairInTwoExchangeFunctionsIsOneExchange) {
  SetOptions(project, 0);
  const auto s = AddSegments(project, {1, 1, 1});
  project.group_b.surface_functions.GetList() = {"0.0001 0 0.0002 30", "0.003 0 0.003 30"};
  COrvoBuilderCntrItem* twice = project.AddExchange(s[0], s[1], kInterface);
  twice->SetParameter(4, "0");
  twice->SetParameter(7, Array({Array({"150", "400"}), Array({"7", "8"})}));
  COrvoBuilderCntrItem* once = project.AddExchange(s[1], s[2], kInterface);
  once->SetParameter(4, "0");
  once->SetParameter(7, Array({Array({"0.0", "0.0"}), Array({"9", "10"})}));
  const std::string deck = Write(project);
  Build(deck);

  const auto exchanges = Nodes(kExchangeNode);
  ASSERT_EQ(exchanges.size(), 2u);
  EXPECT_EQ(exchanges[0]->GetParameter(7), Array({Array({"150", "400"}), Array({"7", "8"})}));
  EXPECT_EQ(exchanges[1]->GetParameter(7), Array({Array({"0.0", "0.0"}), Array({"9", "10"})}));
  EXPECT_EQ(Write(built), deck) << "no pair written twice";
}

// The reversed pair in a second function is the same exchange: group B matches either way.
TEST_F(NetworkConstructionTest, ReversedPairInAnotherFunctionIsTheSameExchange) {
  SetOptions(project, 0);
  AddSegments(project, {1, 1});
  const std::string deck = Write(project);
  const std::string card_b =
      "    1\n"
      "    2       1.0       1.0\t\t\t(surface water)\n"
      "    1\n"
      "     150.0     400.0    1    2\n"
      "    1\n"
      "       1.0       0.0\n"
      "    1\n"
      "       7.0       8.0    2    1\n"
      "    1\n"
      "       2.0       0.0\n"
      "\n";
  const size_t at = deck.find("    0\n    0    0       0.0");
  ASSERT_NE(at, std::string::npos);
  Build(deck.substr(0, at) + card_b + deck.substr(at + 6));
  const auto exchanges = Nodes(kExchangeNode);
  ASSERT_EQ(exchanges.size(), 1u);
  EXPECT_EQ(exchanges[0]->GetParameter(7), Array({Array({"150", "400"}), Array({"7", "8"})}));
}

// Pore-water exchanges come after the surface-water ones, with exchange field 1.
TEST_F(NetworkConstructionTest, PoreWaterExchangesFollowSurfaceWater) {
  SetOptions(project, 0);
  const auto s = AddSegments(project, {1, 3});
  project.group_b.surface_functions.GetList() = {"1 0"};
  project.group_b.pore_functions.GetList() = {"2 0"};
  COrvoBuilderCntrItem* pore = project.AddExchange(s[0], s[1], kInterface);
  pore->SetParameter(4, "1");
  pore->SetParameter(7, Array({Array({"3", "4"})}));
  AddSurfaceExchange(project, s[0], s[1], {"5", "6"});
  Build(Write(project));
  const auto exchanges = Nodes(kExchangeNode);
  ASSERT_EQ(exchanges.size(), 2u);
  EXPECT_EQ(exchanges[0]->GetParameter(4), "0");
  EXPECT_EQ(exchanges[0]->GetParameter(7), Array({Array({"5", "6"})}));
  EXPECT_EQ(exchanges[1]->GetParameter(4), "1");
  EXPECT_EQ(exchanges[1]->GetParameter(7), Array({Array({"3", "4"})}));
}

TEST_F(NetworkConstructionTest, GroupsAndPerSegmentRecordsComeFromTheDeck) {
  BuildCanonicalProject(project);
  Build(Write(project));
  EXPECT_EQ(built.group_a.SIMTYP, kFenu5);
  EXPECT_EQ(built.group_a.NOSEG, 4);
  EXPECT_EQ(built.group_a.NOSYS, 2);
  EXPECT_EQ(built.group_a.TITLE1, "Network construction");
  EXPECT_EQ(built.group_a.time_steps.GetList(), (List{"0.01", "30"}));
  EXPECT_EQ(built.group_a.SYSBY.GetList(), (List{"0", "0"}));

  const auto segments = Nodes(kSegmentNode);
  ASSERT_EQ(segments.size(), 4u);
  EXPECT_EQ(segments[0]->GetParameter(4), "3");
  EXPECT_EQ(segments[0]->GetParameter(8), "0.25");
  EXPECT_EQ(segments[0]->GetParameter(7), "0.4");
  EXPECT_EQ(segments[0]->GetParameter(9), "1000");
  EXPECT_EQ(segments[2]->GetParameter(3), "2");
  EXPECT_EQ(segments[0]->GetParameter(10), Array({Array({"5", "0", "5", "30"}), Array({})}));
  EXPECT_EQ(segments[1]->GetParameter(10), Array({Array({}), Array({})}));
  EXPECT_EQ(segments[1]->GetParameter(11), Array({Array({"2", "0", "2", "30"}), Array({})}));
  StringArray parameters = GroupGDlg::DefaultSegmentRecord(kFenu5);
  for (size_t i = 1; i < parameters.size(); i += 2) parameters.GetList()[i] = "0.0";
  parameters.GetList()[1] = "0.25";
  EXPECT_EQ(segments[1]->GetParameter(12), parameters.ToString());
}

// Boundaries, loads and parameters belong to the segment the deck names, wherever card C
// lists it.
TEST_F(NetworkConstructionTest, SegmentRecordsFollowTheSegmentId) {
  BuildCanonicalProject(project);
  const std::string deck = Write(project);
  DeckOut card_c(platform);
  ASSERT_TRUE(group_c::WriteCard(project, card_c));
  const std::string& c = card_c.text();
  // Records 1 and 2 of card C, then one line per segment.
  size_t first = c.find('\n', c.find('\n') + 1) + 1;
  const size_t second = c.find('\n', first) + 1;
  const size_t third = c.find('\n', second) + 1;
  const std::string swapped = c.substr(0, first) + c.substr(second, third - second) +
                              c.substr(first, second - first) + c.substr(third);
  const size_t at = deck.find(c);
  ASSERT_NE(at, std::string::npos);
  Build(deck.substr(0, at) + swapped + deck.substr(at + c.size()));

  const auto segments = Nodes(kSegmentNode);
  ASSERT_EQ(segments.size(), 4u);
  ASSERT_EQ(segments[0]->GetParameter(2), "2");
  EXPECT_EQ(segments[0]->GetParameter(10), Array({Array({}), Array({})}));
  EXPECT_EQ(segments[0]->GetParameter(11), Array({Array({"2", "0", "2", "30"}), Array({})}));
  EXPECT_EQ(StringArray(segments[0]->GetParameter(12)).At(1), "0.25");
  ASSERT_EQ(segments[1]->GetParameter(2), "1");
  EXPECT_EQ(segments[1]->GetParameter(10), Array({Array({"5", "0", "5", "30"}), Array({})}));
  EXPECT_EQ(StringArray(segments[1]->GetParameter(12)).At(1), "0.5");
  EXPECT_EQ((Corner{segments[1]->left(), segments[1]->top()}), (Corner{160, 80}));
  EXPECT_EQ(built.GetSegmentNode(1), segments[1]);
}

// Card G parameters land at the slot of their ISC number, with the deck's name.
TEST_F(NetworkConstructionTest, SegmentParametersGoToTheSlotOfTheirNumber) {
  SetOptions(project, 0);
  project.group_a.SIMTYP = kKobal5;
  project.group_a.NOSYS = 7;
  project.group_a.SYSBY.GetList().assign(7, "0");
  project.group_d.bypass.GetList().assign(7, "0");
  project.group_e.ApplyDefaults(7);
  project.group_f.ApplyDefaults(7);
  project.group_h.ApplyNames(7, kKobal5);
  project.group_g.SetSlotCountFromType(kKobal5);
  project.group_g.RestoreDefaultNames(kKobal5);
  project.group_g.values[31] = 2.0;  // SO4, ISC 31
  project.group_g.names[31] = "SULF";
  const auto s = AddSegments(project, {1});
  StringArray record = GroupGDlg::DefaultSegmentRecord(kKobal5);
  record.GetList()[62] = "SULF";
  record.GetList()[63] = "7.5";
  s[0]->SetParameter(12, record.ToString());
  project.group_j.ApplyDefaults(7, 1, kKobal5);
  Build(Write(project));

  const auto segments = Nodes(kSegmentNode);
  ASSERT_EQ(segments.size(), 1u);
  StringArray expected = GroupGDlg::DefaultSegmentRecord(kKobal5);
  for (size_t i = 1; i < expected.size(); i += 2) expected.GetList()[i] = "0.0";
  expected.GetList()[62] = "SULF";
  expected.GetList()[63] = "7.5";
  EXPECT_EQ(segments[0]->GetParameter(12), expected.ToString());
  EXPECT_EQ(built.group_a.SIMTYP, kKobal5);
}

TEST_F(NetworkConstructionTest, CanonicalDeckSurvivesReadThenWrite) {
  BuildCanonicalProject(project);
  const std::string deck = Write(project);
  Build(deck);
  EXPECT_EQ(Write(built), deck);
  EXPECT_TRUE(built_platform.messages.empty()) << ::testing::PrintToString(built_platform.messages);
  EXPECT_TRUE(built.IsModified());
  EXPECT_EQ(built_platform.wait_depth, 0);
}

// The records are in the form setting them as parameters leaves them in.
TEST_F(NetworkConstructionTest, RecordsAreInTheirStoredForm) {
  BuildCanonicalProject(project);
  Build(Write(project));
  const std::string group_f = built.group_f.SlotText(0);
  for (const auto& node : built.nodes()) {
    if (node->is_label()) continue;
    const std::vector<int> indices =
        node->is_segment() ? std::vector<int>{5, 6, 7, 8, 9, 10, 11, 12} : std::vector<int>{7, 8};
    for (const int index : indices) {
      const std::string stored = node->GetParameter(index);
      node->SetParameter(index, stored);
      EXPECT_EQ(node->GetParameter(index), stored) << node->number() << " index " << index;
    }
  }
  EXPECT_EQ(built.group_f.SlotText(0), group_f);
}

// Building again replaces the whole network; node numbers keep counting.
TEST_F(NetworkConstructionTest, BuildingAgainReplacesTheNetwork) {
  BuildCanonicalProject(project);
  Build(Write(project));
  const size_t count = built.nodes().size();
  const int last = built.nodes().back()->number();
  BuildNetwork(built);
  ASSERT_EQ(built.nodes().size(), count);
  EXPECT_EQ(built.nodes().front()->number(), last + 1);
}

TEST_F(NetworkConstructionTest, WithoutADeckNothingHappens) {
  BuildCanonicalProject(project);
  const size_t count = project.nodes().size();
  BuildNetwork(project);
  EXPECT_EQ(project.nodes().size(), count);
}

}  // namespace
}  // namespace orvo
