#include <gtest/gtest.h>

#include "model/model_vocabulary.h"
#include "model/network_deletion.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "model/string_array.h"
#include "support/document_test.h"
#include "support/network_builder.h"

namespace orvo {
namespace {

using testing::AddLabel;
using testing::AddSegmentWithLabel;

class NetworkTest : public testing::DocumentTest {
 protected:
  // Four segments in a row, 100 units apart.
  std::vector<COrvoBuilderCntrItem*> FourSegments() {
    std::vector<COrvoBuilderCntrItem*> segments;
    for (int i = 0; i < 4; ++i) segments.push_back(AddSegmentWithLabel(doc, 100 * (i + 1), 200));
    return segments;
  }
  COrvoBuilderCntrItem* Exchange(int up, int down) {
    return doc.AddExchange(doc.GetSegmentNode(up), doc.GetSegmentNode(down), kInterface);
  }
};

TEST_F(NetworkTest, NodesAreNumberedFromOneAndNeverReused) {
  COrvoBuilderCntrItem* first = doc.NewNode();
  EXPECT_EQ(first->number(), 1);
  doc.DeleteNode(first);
  EXPECT_EQ(doc.NewNode()->number(), 2);
  COrvoBuilderDoc other(platform);
  EXPECT_EQ(other.NewNode()->number(), 3) << "the counter is shared by every document";
}

TEST_F(NetworkTest, ParameterTextRules) {
  COrvoBuilderCntrItem* segment = AddSegmentWithLabel(doc, 0, 0);
  segment->SetParameter(9, "  12.50kg");
  EXPECT_EQ(segment->GetParameter(9), "12.5");
  segment->SetParameter(4, "3x");
  EXPECT_EQ(segment->GetParameter(4), "3");
  segment->SetParameter(5, "abc");
  EXPECT_EQ(segment->GetParameter(5), "0");
  EXPECT_EQ(segment->GetParameter(3), "0");
  EXPECT_EQ(segment->GetParameter(13), "");
  EXPECT_EQ(segment->GetParameter(0), "1");

  COrvoBuilderCntrItem* label = AddLabel(doc, "note");
  EXPECT_EQ(label->GetParameter(3), "1") << "a new label has a border";
  label->SetParameter(3, "0");
  EXPECT_EQ(label->GetParameter(3), "");
  label->SetParameter(3, "yes");
  EXPECT_EQ(label->GetParameter(3), "1");
  EXPECT_EQ(label->GetParameter(4), "<error>");

  COrvoBuilderCntrItem* exchange = doc.AddExchange(segment, segment, kInflow);
  EXPECT_EQ(exchange->GetParameter(4), "2");
  EXPECT_EQ(exchange->GetParameter(9), "");

  COrvoBuilderCntrItem* untyped = doc.NewNode();
  doc.SetModifiedFlag(false);
  EXPECT_EQ(untyped->GetParameter(2), "<error>");
  untyped->SetParameter(2, "5");
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(platform.messages.back(),
            "COrvoBuilderCntrItem::SetParameter called with unknown node type 0");
  segment->SetParameter(9, "1");
  EXPECT_TRUE(doc.IsModified());
}

TEST_F(NetworkTest, ArrayParametersKeepTheirStringForm) {
  COrvoBuilderCntrItem* segment = AddSegmentWithLabel(doc, 0, 0);
  const std::string loads =
      StringArray({StringArray({"1", "0", "2", "5"}).ToString(), ""}).ToString();
  segment->SetParameter(10, loads);
  EXPECT_EQ(segment->GetParameter(10), loads);
  segment->SetParameter(10, "not an array");
  EXPECT_EQ(segment->GetParameter(10), loads) << "text without the cookie changes nothing";
  segment->SetParameter(10, "_StringArrayCookie_99_x");
  EXPECT_EQ(segment->GetParameter(10), loads);
  EXPECT_EQ(platform.messages.back(), "[StringArray::FromString] delimiter out of range.");
}

TEST_F(NetworkTest, NewSegmentStartsWithTheTypesParameterLabels) {
  doc.group_a.SIMTYP = kKobal5;
  COrvoBuilderCntrItem* segment = AddSegmentWithLabel(doc, 0, 0);
  const StringArray record(segment->GetParameter(12));
  ASSERT_EQ(record.size(), 64u);
  EXPECT_EQ(record.At(58), "SO4");
  EXPECT_EQ(record.At(59), "0");
}

// Exchanges carry one group B entry per function of their own field.
TEST_F(NetworkTest, ExchangeEntriesFollowTheirFieldsCount) {
  FourSegments();
  COrvoBuilderCntrItem* exchange = Exchange(1, 2);
  exchange->SetParameter(4, "0");
  exchange->SetParameter(7, StringArray({StringArray({"5", "2"}).ToString()}).ToString());
  exchange->SetParameter(5, "3");
  StringArray entries(exchange->GetParameter(7));
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries.At(2), StringArray({"5", "2"}).ToString()) << "copies of the last entry";
  exchange->SetParameter(6, "7");
  EXPECT_EQ(StringArray(exchange->GetParameter(7)).size(), 3u) << "not its field";
  exchange->SetParameter(5, "1");
  EXPECT_EQ(StringArray(exchange->GetParameter(7)).size(), 1u);

  COrvoBuilderCntrItem* pore = Exchange(2, 3);
  pore->SetParameter(4, "1");
  doc.SetExchangeFunctionCount(1, 2);
  StringArray pore_entries(pore->GetParameter(7));
  ASSERT_EQ(pore_entries.size(), 2u);
  EXPECT_EQ(pore_entries.At(0), "_StringArrayCookie_0_0.0|!|0.0");
  EXPECT_EQ(exchange->GetParameter(6), "2");
}

TEST_F(NetworkTest, NewExchangeIsShapedByGroupsBAndD) {
  FourSegments();
  doc.group_b.surface_functions.GetList() = {"0.0 0.0", "1 2"};
  doc.group_d.fields[0].GetList() = {"1.0", "1.0", "m^3/sec", "0.0 0.0", "5 1"};
  COrvoBuilderCntrItem* exchange = Exchange(1, 2);
  EXPECT_EQ(exchange->GetParameter(5), "2");
  EXPECT_EQ(exchange->GetParameter(6), "0");
  StringArray portions(exchange->GetParameter(8));
  ASSERT_EQ(portions.size(), 6u);
  EXPECT_EQ(StringArray(portions.At(0)).size(), 2u);
  EXPECT_EQ(portions.At(1), "_StringArrayCookie_0_");
  EXPECT_EQ(exchange->width(), 16);
  EXPECT_EQ(exchange->height(), 16);
}

TEST_F(NetworkTest, ExchangePlacement) {
  std::vector<COrvoBuilderCntrItem*> s;
  for (int i = 0; i < 7; ++i) s.push_back(AddSegmentWithLabel(doc, 100 + 10 * i, 300 + 7 * i));
  COrvoBuilderCntrItem* seven = s[6];
  COrvoBuilderCntrItem* inflow = doc.AddExchange(seven, seven, kInflow);
  EXPECT_EQ(inflow->GetParameter(2), "0");
  EXPECT_EQ(inflow->GetParameter(3), "7");
  EXPECT_EQ(inflow->left(), seven->left());
  EXPECT_EQ(inflow->top(), seven->top() - 50);
  COrvoBuilderCntrItem* outflow = doc.AddExchange(seven, seven, kOutflow);
  EXPECT_EQ(outflow->GetParameter(2), "7");
  EXPECT_EQ(outflow->GetParameter(3), "0");
  EXPECT_EQ(outflow->top(), seven->top() + 50);
  COrvoBuilderCntrItem* between = doc.AddExchange(s[0], s[5], kInterface);
  EXPECT_EQ(between->left(), (100 + 150) / 2);
  EXPECT_EQ(between->top(), (300 + 335) / 2);
}

// The worked example: deleting segment 2 of 4 renumbers everything after it.
TEST_F(NetworkTest, DeletingASegmentClosesTheGap) {
  std::vector<COrvoBuilderCntrItem*> s = FourSegments();
  COrvoBuilderCntrItem* three_four = Exchange(3, 4);
  COrvoBuilderCntrItem* two_four = Exchange(2, 4);
  COrvoBuilderCntrItem* note = AddLabel(doc, "note 3");
  s[3]->SetParameter(4, "2");  // segment 4 sits on segment 2
  s[2]->SetParameter(4, "4");
  const int label_of_two = AtoI(s[1]->anchors()[0]);

  doc.DeleteNode(s[1]);

  EXPECT_EQ(doc.group_a.NOSEG, 3);
  EXPECT_EQ(s[2]->GetParameter(2), "2");
  EXPECT_EQ(s[3]->GetParameter(2), "3");
  EXPECT_EQ(three_four->GetParameter(2), "2");
  EXPECT_EQ(three_four->GetParameter(3), "3");
  EXPECT_EQ(std::count_if(doc.nodes().begin(), doc.nodes().end(),
                          [two_four](const auto& node) { return node.get() == two_four; }),
            0)
      << "an exchange of the deleted segment goes with it";
  EXPECT_EQ(s[3]->GetParameter(4), "0");
  EXPECT_EQ(s[2]->GetParameter(4), "3");
  EXPECT_EQ(note->GetParameter(2), "note 3") << "only whole numbers are renumbered";
  std::vector<std::string> labels;
  for (const auto& node : doc.nodes()) {
    if (node->is_label()) labels.push_back(node->GetParameter(2));
    EXPECT_NE(node->number(), label_of_two) << "the label of segment 2 went with it";
  }
  EXPECT_EQ(labels, (std::vector<std::string>{"1", "2", "3", "note 3"}));
  EXPECT_EQ(doc.GetSegmentNode(2), s[2]);
  EXPECT_EQ(doc.GetSegmentNode(3), s[3]);
  EXPECT_EQ(doc.GetSegmentNode(4), nullptr);
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(platform.wait_depth, 0);
}

// An exchange left with an end of 0 would carry a flow nobody drew into the deck.
TEST_F(NetworkTest, DeletingASegmentDeletesEveryExchangeItEnds) {
  std::vector<COrvoBuilderCntrItem*> s = FourSegments();
  Exchange(1, 2);
  Exchange(2, 3);
  COrvoBuilderCntrItem* kept = Exchange(3, 4);
  doc.AddExchange(nullptr, s[1], kInflow);
  doc.AddExchange(s[1], nullptr, kOutflow);
  doc.AddExchange(nullptr, s[0], kInflow);
  EXPECT_EQ(CountExchangesOf(doc, *s[1]), 4);
  EXPECT_EQ(CountExchangesOf(doc, *kept), 0);

  doc.DeleteNode(s[1]);

  std::vector<std::pair<std::string, std::string>> ends;
  for (const auto& node : doc.nodes()) {
    if (node->is_exchange()) ends.emplace_back(node->GetParameter(2), node->GetParameter(3));
  }
  using Ends = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(ends, (Ends{{"2", "3"}, {"0", "1"}})) << "the rest renumbered, nothing turned to 0";
}

TEST_F(NetworkTest, DeletingANodeDropsItFromEveryTether) {
  std::vector<COrvoBuilderCntrItem*> s = FourSegments();
  COrvoBuilderCntrItem* note = AddLabel(doc, "note");
  s[0]->AddAnchor(*note);
  s[3]->AddAnchor(*note);
  EXPECT_FALSE(s[3]->AddAnchor(*note)) << "no duplicates";
  doc.DeleteNode(note);
  EXPECT_EQ(s[0]->anchors().size(), 1u);
  EXPECT_EQ(s[3]->anchors().size(), 1u);
  doc.DeleteNode(s[0]);
  EXPECT_EQ(doc.nodes().size(), 6u);
}

TEST_F(NetworkTest, GroupJRowsFollowTheSegmentsInEverySlot) {
  doc.group_a.NOSYS = 2;
  std::vector<COrvoBuilderCntrItem*> s = FourSegments();
  for (int k = 0; k < 8; ++k) EXPECT_EQ(doc.group_j.Rows(k).size(), 4u) << "slot " << k;
  doc.DeleteNode(s[1]);
  for (int k = 0; k < 8; ++k) {
    const std::vector<std::string> rows = doc.group_j.Rows(k).ToVector();
    ASSERT_EQ(rows.size(), 3u) << "slot " << k;
    EXPECT_EQ(StringArray(rows[1]).At(0), "3") << "later rows keep their default names";
  }
}

TEST_F(NetworkTest, SettingLoadsFillsGroupFLoadLists) {
  doc.group_a.NOSYS = 2;
  std::vector<COrvoBuilderCntrItem*> s = FourSegments();
  const std::string function = StringArray({"1", "0", "2", "10"}).ToString();
  s[2]->SetParameter(11, StringArray({function, ""}).ToString());
  EXPECT_EQ(doc.group_f.LookupLoad(0, 2), 0);
  EXPECT_EQ(doc.group_f.LookupLoad(1, 2), 0) << "empty functions are copied too";
  EXPECT_EQ(doc.group_f.LookupLoad(0, 1), -1);
}

TEST_F(NetworkTest, InvalidSegmentIdsAreReportedAndSkipped) {
  std::vector<COrvoBuilderCntrItem*> s = FourSegments();
  s[1]->SetParameter(2, "9");
  doc.BuildSegmentArray();
  EXPECT_EQ(platform.messages.back(),
            "COrvoBuilderDoc::BuildSegmentArray: Found invalid segment ID 9");
  EXPECT_EQ(doc.GetSegmentNode(2), nullptr);
  EXPECT_EQ(doc.GetSegmentNode(0), nullptr);
  EXPECT_EQ(doc.GetSegmentNode(5), nullptr);
}

// The array follows the IDs the nodes hold; a damaged NOSEG must not size it.
TEST_F(NetworkTest, SegmentArrayIgnoresAnAbsurdSegmentCount) {
  std::vector<COrvoBuilderCntrItem*> s = FourSegments();
  doc.group_a.NOSEG = 2147483647;
  doc.BuildSegmentArray();
  EXPECT_EQ(doc.GetSegmentNode(4), s[3]);
  EXPECT_EQ(doc.GetSegmentNode(5), nullptr);
  EXPECT_EQ(doc.GetSegmentNode(2147483647), nullptr);
}

TEST_F(NetworkTest, ChangeSegmentIdOutOfRangeReverts) {
  std::vector<COrvoBuilderCntrItem*> s = FourSegments();
  for (const char* typed : {"0", "5"}) {
    s[1]->SetParameter(2, typed);
    doc.ChangeSegmentID(*s[1], 2);
    EXPECT_EQ(s[1]->GetParameter(2), "2");
    EXPECT_EQ(platform.messages.back(),
              "You must enter a segment ID that ranges from 1..4.  Segment ID reverted.");
  }
}

TEST_F(NetworkTest, ChangeSegmentIdJuxtaposesDrawings) {
  std::vector<COrvoBuilderCntrItem*> s = FourSegments();
  s[0]->SetParameter(2, "3");
  doc.ChangeSegmentID(*s[0], 1);
  EXPECT_EQ(platform.messages.back(), "? Insert Segment");
  EXPECT_EQ(s[0]->GetParameter(2), "1") << "data stays; only drawings move";
  EXPECT_EQ(s[0]->left(), 300);
  EXPECT_EQ(s[2]->left(), 100);
}

TEST_F(NetworkTest, ChangeSegmentIdInsertAndShift) {
  std::vector<COrvoBuilderCntrItem*> s;
  for (int i = 0; i < 5; ++i) s.push_back(AddSegmentWithLabel(doc, 100 * (i + 1), 200));
  s[4]->SetParameter(2, "2");
  platform.choices.push_back(1);
  doc.ChangeSegmentID(*s[4], 5);
  EXPECT_EQ(s[4]->left(), 200) << "segment 5 drawn where 2 was";
  EXPECT_EQ(s[1]->left(), 300);
  EXPECT_EQ(s[2]->left(), 400);
  EXPECT_EQ(s[3]->left(), 500);
  EXPECT_EQ(s[0]->left(), 100);

  platform.choices.push_back(std::nullopt);
  s[0]->SetParameter(2, "4");
  doc.ChangeSegmentID(*s[0], 1);
  EXPECT_EQ(s[0]->left(), 100) << "cancel changes nothing";
}

TEST_F(NetworkTest, ChangeSegmentIdStopsWhenASegmentIsMissing) {
  std::vector<COrvoBuilderCntrItem*> s = FourSegments();
  s[2]->SetParameter(2, "0");  // segment 3 has lost its place in the numbering
  s[0]->SetParameter(2, "4");
  platform.choices.push_back(1);
  doc.ChangeSegmentID(*s[0], 1);
  EXPECT_EQ(s[0]->left(), 100);
  EXPECT_EQ(s[3]->left(), 400);
  EXPECT_EQ(platform.messages.back(), "Segment 3 is not in the network.  Segment ID reverted.");
}

TEST_F(NetworkTest, GeometryOperations) {
  COrvoBuilderCntrItem* node = AddLabel(doc, "a");
  node->SetRect(-10, 5, 30, 25);
  EXPECT_EQ(node->left(), 0);
  EXPECT_EQ(node->top(), 5);
  EXPECT_EQ(node->width(), 40) << "computed from the unclamped left";
  EXPECT_EQ(node->height(), 20);
  EXPECT_EQ(node->CenterX(), 20);
  COrvoBuilderCntrItem* top = AddLabel(doc, "b");
  top->SetRect(10, 10, 50, 50);
  EXPECT_EQ(doc.HitTest(20, 20), top) << "later nodes lie on top";
  EXPECT_EQ(doc.HitTest(5, 6), node);
  EXPECT_EQ(doc.HitTest(40, 25), top);
  EXPECT_EQ(doc.HitTest(100, 100), nullptr);
  node->SwapGeometry(*top);
  EXPECT_EQ(node->left(), 10);
  EXPECT_EQ(top->width(), 40);
}

TEST_F(NetworkTest, AnchorsRefuseNodeZero) {
  COrvoBuilderCntrItem* a = AddLabel(doc, "a");
  COrvoBuilderCntrItem* b = AddLabel(doc, "b");
  b->SetParameter(1, "0");
  EXPECT_FALSE(a->AddAnchor(*b));
  EXPECT_EQ(platform.messages.back(),
            "Anchor node needs an ID assigned before a connection can be made.");
  EXPECT_TRUE(a->anchors().empty());
}

TEST_F(NetworkTest, EditPropertiesCarriesOutANewSegmentId) {
  std::vector<COrvoBuilderCntrItem*> s = FourSegments();
  doc.SetModifiedFlag(false);
  doc.EditProperties(*s[0], [](COrvoBuilderCntrItem& node) {
    node.SetParameter(2, "4");
    return true;
  });
  EXPECT_EQ(s[0]->GetParameter(2), "1");
  EXPECT_EQ(s[0]->left(), 400) << "juxtaposed with segment 4";
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.GetSegmentNode(1), s[0]);

  doc.SetModifiedFlag(false);
  doc.EditProperties(*s[1], [](COrvoBuilderCntrItem&) { return false; });
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(NetworkTest, DeleteUnlinksOnlyListedNodes) {
  COrvoBuilderCntrItem* a = AddLabel(doc, "a");
  COrvoBuilderCntrItem* b = AddLabel(doc, "b");
  b->AddAnchor(*a);
  a->Delete();
  ASSERT_EQ(doc.nodes().size(), 1u);
  EXPECT_TRUE(b->anchors().empty());
  EXPECT_FALSE(doc.RemoveItem(a));
  EXPECT_EQ(platform.messages.back(), "RemoveItem failed.");
}

TEST_F(NetworkTest, DeleteNetworkKeepsGroups) {
  FourSegments();
  doc.SetModifiedFlag(false);
  doc.DeleteNetwork();
  EXPECT_TRUE(doc.nodes().empty());
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.group_a.NOSEG, 4);
  EXPECT_EQ(doc.GetSegmentNode(1), nullptr);
}

}  // namespace
}  // namespace orvo
