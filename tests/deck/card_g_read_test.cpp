// Card G: segment parameters read from deck text and imported into a project.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "deck/deck_reading.h"
#include "groups/cards.h"
#include "model/model_vocabulary.h"
#include "model/scripted_platform.h"
#include "support/deck_cards.h"
#include "support/document_test.h"

namespace orvo {
namespace {

using List = std::vector<std::string>;

std::string Pad(const std::string& text, size_t width) {
  return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

// One "%5s%5d" + ten-column entry.
std::string Entry(const std::string& name, int isc, const std::string& value) {
  return Pad(name, 5) + Pad(IntText(isc), 5) + Pad(value, 10);
}

// Record 2 or a segment's record 3 entries for KOBAL5: TEMP, WVEL, SO4, pH and a number 30
// that KOBAL5 does not have.
std::string Entries(const List& values) {
  return Entry("TEMP", 2, values[0]) + Entry("WVEL", 3, values[1]) + Entry("SO4", 31, values[2]) +
         Entry("pH", 28, values[3]) + "\n" + Entry("X30", 30, values[4]) + "\n";
}

const std::string kCard = "         5  Segment parameters \n" +
                          Entries({"20.0", "1.5", "250.0", "7.0", "9.0"}) + "         1\n" +
                          Entries({"21.0", "1.6", "240.0", "7.1", "9.1"}) + "         2\n" +
                          Entries({"22.0", "1.7", "230.0", "7.2", "9.2"});

// KOBAL5 slots of TEMP, WVEL, pH and SO4 (number 31).
constexpr size_t kTemp = 1, kWvel = 2, kPh = 27, kSo4 = 29;

void MakeProject(COrvoBuilderDoc& doc, int segments) {
  testing::MakeProject(doc, segments, 7, kKobal5);
  doc.group_g.SetSlotCountFromType(kKobal5);
  doc.group_g.RestoreDefaultNames(kKobal5);
  for (const auto& node : doc.nodes()) {
    if (node->is_segment()) node->SetParameter(12, doc.DefaultSegmentGroupG());
  }
}

std::string State(const COrvoBuilderDoc& doc) {
  std::string state = doc.IsModified() ? "modified" : "unmodified";
  state += "\n" + doc.group_g.title + "\n" + IntText(doc.group_g.slot_count);
  for (size_t slot = 0; slot < GroupGDlg::kSlots; ++slot)
    state += "\n" + doc.group_g.names[slot] + " " + RealText(doc.group_g.values[slot]);
  for (const auto& node : doc.nodes()) {
    if (node->is_segment()) state += "\n" + node->GetParameter(12);
  }
  return state;
}

// A segment record of 32 cleared pairs with some slots set.
List Record(const std::vector<std::pair<size_t, List>>& set) {
  List pairs;
  for (size_t slot = 0; slot < GroupGDlg::kSlots; ++slot) pairs.insert(pairs.end(), {"", "0.0"});
  for (const auto& [slot, pair] : set) {
    pairs[2 * slot] = pair[0];
    pairs[2 * slot + 1] = pair[1];
  }
  return pairs;
}

class CardGTest : public testing::DocumentTest {
 protected:
  void SetUp() override {
    MakeProject(doc, 3);
    doc.imported_NOSEG = 2;
    doc.group_g.title = "Old";
    doc.group_g.values[0] = 4.0;
  }
};

TEST_F(CardGTest, ParsesParametersAndSegments) {
  const std::string text = kCard + "next card\n";
  DeckScanner in(text);
  CardGRecord card;
  ASSERT_TRUE(ParseCardG(in, {2, 7}, card, platform));
  EXPECT_EQ(card.title, "  Segment parameters");
  ASSERT_EQ(card.parameters.size(), 5u);
  EXPECT_EQ(card.parameters[2].name, "SO4");
  EXPECT_EQ(card.parameters[2].isc, 31);
  EXPECT_DOUBLE_EQ(card.parameters[2].value, 250.0);
  EXPECT_EQ(card.parameters[4].name, "X30");
  ASSERT_EQ(card.segments.size(), 2u);
  EXPECT_EQ(card.segments[1].ISEG, 2);
  ASSERT_EQ(card.segments[1].parameters.size(), 5u);
  EXPECT_DOUBLE_EQ(card.segments[1].parameters[3].value, 7.2);
  testing::ExpectNextLine(in, "next card");
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(CardGTest, WithoutParametersNothingAfterRecordOneBelongsToTheCard) {
  DeckScanner in("         0No parameters\nTitle of card H\n");
  CardGRecord card;
  ASSERT_TRUE(ParseCardG(in, {2, 7}, card, platform));
  EXPECT_EQ(card.title, "No parameters");
  EXPECT_TRUE(card.parameters.empty());
  EXPECT_TRUE(card.segments.empty());
  testing::ExpectNextLine(in, "Title of card H");

  DeckScanner again("         0No parameters\nTitle of card H\n");
  ASSERT_TRUE(ReadGroupG(doc, again, false));
  EXPECT_EQ(doc.group_g.title, "No parameters");
  EXPECT_EQ(doc.group_g.values[0], 0.0);
  EXPECT_EQ(doc.group_g.names[0], "");
  EXPECT_EQ(StringArray(doc.GetSegmentNode(1)->GetParameter(12)).GetList(), Record({}));
  testing::ExpectNextLine(again, "Title of card H");
}

TEST_F(CardGTest, ImportFillsSlotsByTheProjectsParameterNumbers) {
  DeckScanner in(kCard);
  ASSERT_TRUE(ReadGroupG(doc, in, false));
  EXPECT_TRUE(doc.IsModified());
  EXPECT_TRUE(platform.messages.empty());
  const GroupGDlg& g = doc.group_g;
  EXPECT_EQ(g.title, "  Segment parameters");
  EXPECT_EQ(g.slot_count, 32);
  EXPECT_EQ(g.names[kSo4], "SO4");
  EXPECT_EQ(g.values[kSo4], 250.0);
  EXPECT_EQ(g.values[kTemp], 20.0);
  EXPECT_EQ(g.values[kWvel], 1.5);
  EXPECT_EQ(g.values[kPh], 7.0);
  // Number 30 matches no KOBAL5 slot; every other slot is emptied.
  for (size_t slot : {size_t{0}, size_t{28}, size_t{30}}) {
    EXPECT_EQ(g.names[slot], "");
    EXPECT_EQ(g.values[slot], 0.0);
  }
  EXPECT_EQ(StringArray(doc.GetSegmentNode(1)->GetParameter(12)).GetList(),
            Record({{kTemp, {"TEMP", "21"}},
                    {kWvel, {"WVEL", "1.6"}},
                    {kSo4, {"SO4", "240"}},
                    {kPh, {"pH", "7.1"}}}));
  EXPECT_EQ(StringArray(doc.GetSegmentNode(2)->GetParameter(12)).GetList()[2 * kSo4 + 1], "230");
  EXPECT_EQ(StringArray(doc.GetSegmentNode(3)->GetParameter(12)).GetList(), Record({}));
}

TEST_F(CardGTest, MissingSegmentIsReported) {
  std::string card = kCard;
  card.replace(card.find("         2\n"), 11, "         9\n");
  DeckScanner in(card);
  ASSERT_TRUE(ReadGroupG(doc, in, false));
  EXPECT_EQ(
      platform.messages,
      List{"ReadGroupG: Warning: at least one segment in the input was not found in network."});
  EXPECT_EQ(StringArray(doc.GetSegmentNode(2)->GetParameter(12)).GetList(), Record({}));
}

TEST_F(CardGTest, SkipChangesNothingAndLeavesTheScannerAfterTheCard) {
  const std::string before = State(doc);
  const std::string text = kCard + "next card\n";
  DeckScanner in(text);
  ASSERT_TRUE(ReadGroupG(doc, in, true));
  EXPECT_EQ(State(doc), before);
  testing::ExpectNextLine(in, "next card");
}

TEST_F(CardGTest, LoadFromWCTakesTitleNamesAndValues) {
  DeckRecord deck;
  DeckScanner in(kCard);
  ASSERT_TRUE(ParseCardG(in, {2, 7}, deck.g, platform));
  doc.group_g.slot_count = 3;
  group_g::LoadFromWC(doc, deck);
  const GroupGDlg& g = doc.group_g;
  EXPECT_EQ(g.title, "  Segment parameters");
  EXPECT_EQ(g.slot_count, 32);
  EXPECT_EQ(g.values[0], 0.0);
  EXPECT_EQ(g.names[kSo4], "SO4");
  EXPECT_EQ(g.values[kSo4], 250.0);
  // Names of slots the deck does not give stay as they were.
  EXPECT_EQ(g.names[0], "TMPFN");
  EXPECT_EQ(g.names[30], "SO4FN");
}

TEST_F(CardGTest, EveryFailureIsReportedAndChangesNothing) {
  const std::string one = "         1T\n" + Entry("TEMP", 2, "20.0");
  struct Case {
    std::string text;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"", "ReadGroupG: EOF reading record 1"},
      {"         1T\n", "ReadGroupG: parse error reading record 2"},
      {"         1T\n TEMP    x      20.0\n", "ReadGroupG: parse error reading record 2"},
      {"         1T\n TEMP    2       abc\n", "ReadGroupG: parse error reading record 2"},
      {one, "ReadGroupG: EOF reading record 2."},
      {one + "\n", "ReadGroupG: EOF reading record 3."},
      {one + "\n         1\n", "ReadGroupG: parse error reading record 2"},
      {one + "\n         1\n" + Entry("TEMP", 2, "20.0"), "ReadGroupG: EOF reading record 2."},
      {one + "\n         1\n" + Entry("TEMP", 2, "20.0") + "\n",
       "ReadGroupG: EOF reading record 3."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    platform.messages.clear();
    const std::string before = State(doc);
    DeckScanner in(c.text);
    EXPECT_FALSE(ReadGroupG(doc, in, false));
    EXPECT_EQ(platform.messages, List{c.message});
    EXPECT_EQ(State(doc), before);
  }
}

TEST_F(CardGTest, RoundTripGivesTheSameCard) {
  doc.group_g.title = " Parameters";
  for (size_t slot : {size_t{1}, size_t{2}, size_t{15}, kPh, kSo4}) doc.group_g.values[slot] = 1.0;
  doc.group_g.values[0] = 0.0;
  int n = 0;
  for (const auto& node : doc.nodes()) {
    if (!node->is_segment()) continue;
    StringArray record(node->GetParameter(12));
    for (size_t slot : {size_t{1}, size_t{15}, kSo4})
      record.GetList()[2 * slot + 1] = RealText(0.5 + ++n);
    node->SetParameter(12, record.ToString());
  }
  testing::ExpectCardRoundTrip(
      doc, testing::WriteCardOf<group_g::WriteCard>, ReadGroupG,
      [](COrvoBuilderDoc& copy, ScriptedPlatform&) { MakeProject(copy, 3); });
}

// Beside tests/data/cards/card_g.txt: every line cut fails.
TEST_F(CardGTest, LineCutsFail) {
  auto parse = [&](DeckScanner& in, DeckShape shape) {
    CardGRecord card;
    return ParseCardG(in, shape, card, platform);
  };
  testing::ExpectEveryLineCutFails(kCard, platform, [&](DeckScanner& in) {
    return parse(in, {2, 7});
  });
}

}  // namespace
}  // namespace orvo
