// The whole deck of a small KOBAL5 project built the way the editors build it, written out
// column by column from the card layouts (tests/data/decks/kobal5/deck.inp). The other two
// types' whole decks are held byte for byte by the example deck cases (tests/data/decks/example_*),
// their cards by the card writer tests.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "deck/deck_writer.h"
#include "model/model_vocabulary.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "model/string_array.h"
#include "support/document_test.h"
#include "support/golden.h"
#include "support/node_records.h"

namespace orvo {
namespace {

using List = std::vector<std::string>;

constexpr auto Array = testing::ArrayText;
using testing::Entries;
using testing::Portions;

class DeckTypesTest : public testing::DocumentTest {
 protected:
  // Group A's OK after choosing the type: the groups that follow NOSYS take their defaults.
  void ChooseType(SimulationType simtyp, int nosys) {
    doc.group_a.SIMTYP = simtyp;
    doc.group_a.NOSYS = nosys;
    doc.group_e.ApplyDefaults(nosys);
    doc.group_f.ApplyDefaults(nosys);
    doc.group_h.ApplyNames(nosys, simtyp);
    doc.group_j.ApplyDefaults(nosys, doc.group_a.NOSEG, simtyp);
    doc.group_g.SetSlotCountFromType(simtyp);
    doc.group_g.RestoreDefaultNames(simtyp);
    doc.group_i.SetSlotCountFromType(simtyp);
    doc.group_i.RestoreDefaultNames(simtyp);
  }

  // A drawn segment with its group C values: IBOTSEG, VOLUME, VMULT, VEXP, DMULT, DXP.
  COrvoBuilderCntrItem* Segment(int type, const List& c) {
    COrvoBuilderCntrItem* node =
        testing::AddSegmentWithLabel(doc, 100 * (doc.group_a.NOSEG + 1), 200, type);
    node->SetParameter(4, c[0]);
    node->SetParameter(9, c[1]);
    node->SetParameter(8, c[2]);
    node->SetParameter(7, c[3]);
    node->SetParameter(5, c[4]);
    node->SetParameter(6, c[5]);
    return node;
  }

  // The segment editor of group G: values by slot, labels left at the table names.
  void Parameters(COrvoBuilderCntrItem* node, const std::map<size_t, std::string>& values) {
    StringArray record = GroupGDlg::DefaultSegmentRecord(doc.group_a.SIMTYP);
    for (const auto& [slot, value] : values) record.GetList()[2 * slot + 1] = value;
    node->SetParameter(12, record.ToString());
  }

  // The constants block "Globals" with a single field.
  void Globals(const std::string& field, const List& constants) {
    doc.group_h.blocks[0].GetList()[1] = Array({field, Array(constants)});
  }

  // The deck, written from a project that must come out of it unchanged and unmodified.
  std::string Deck() {
    doc.SetModifiedFlag(false);
    const std::string before = doc.SaveToBytes();
    bool ok = false;
    const std::string text = DeckText(doc, ok);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(doc.SaveToBytes(), before);
    EXPECT_FALSE(doc.IsModified());
    return text;
  }
};

// The metals model: the "KOBALS" line, seven systems, its own parameter numbers and no
// kinetic time functions at all.
TEST_F(DeckTypesTest, Kobal5) {
  GroupADlg& a = doc.group_a;
  a.TITLE1 = "Metals";
  a.TITLE2 = "Kobal test";
  a.ICFL = 0;
  a.MFLAG = 0;
  a.JMASS = 0;
  a.NEGSLN = 0;
  a.INTYP = 0;
  a.ADFAC = 0.25;
  a.TFLG = 1;
  a.ISEGOUT = {1, 0, 0, 0, 0, 0};
  a.time_steps.GetList() = {"1", "10"};
  a.print_intervals.GetList() = {"5", "10"};
  a.SYSBY.GetList() = {"0", "0", "0", "0", "1", "1", "1"};
  ChooseType(kKobal5, vocabulary::SystemCount(kKobal5));
  EXPECT_EQ(a.NOSYS, 7);

  doc.group_b.surface_functions.GetList() = {"0.5 0"};
  doc.group_b.bypass.GetList() = {"0", "0", "0", "0", "0", "0", "0"};
  doc.group_c.IVOPT = 0;
  doc.group_c.TDINTS = 1;
  doc.group_c.title = " Vol";
  // Only field 3: fields 1 and 2 are written empty. A short bypass list reads as 0.
  doc.group_d.flow_option = 0;
  doc.group_d.fields[2].GetList() = {"1", "1", "m/s", "1e-06 0"};
  doc.group_d.bypass.GetList() = {"1", "1", "1"};

  COrvoBuilderCntrItem* s1 = Segment(0, {"0", "1000", "0.3", "0.5", "0.4", "0.5"});
  COrvoBuilderCntrItem* s2 = Segment(1, {"0", "500", "0", "0", "0", "0"});
  COrvoBuilderCntrItem* e1 = doc.AddExchange(s1, s2, kInterface);
  e1->SetParameter(4, "0");
  e1->SetParameter(7, Entries({{"30", "5"}}));
  e1->SetParameter(8, Portions({{}, {}, {"1"}}));
  doc.AddExchange(s2, s2, kOutflow);

  s1->SetParameter(10, Array({Array({"0.002", "0"})}));
  doc.group_f.SetEntry(4, GroupFDlg::kScalw, "1");
  doc.group_f.SetEntry(4, GroupFDlg::kConvw, "1");
  s2->SetParameter(11, Array({"", "", "", "", Array({"100", "0", "100", "30"}), "", ""}));

  doc.group_g.title = " Metals params";
  doc.group_g.values[27] = 1;  // pH, ISC 28
  doc.group_g.values[29] = 1;  // SO4, ISC 31: there is no parameter 30
  Parameters(s1, {{27, "7.5"}, {29, "20"}});
  Parameters(s2, {{27, "7"}});

  doc.group_h.title = "Metal constants";
  Globals("Sorption", {"KD1", "1", "1000", "KD2", "2", "2.5e+05"});

  // Text left in a slot the type does not offer is never written.
  doc.group_i.functions[0] = "1 0 2 10";

  doc.group_j.SetEntry(4, GroupJDlg::kIfield, "3");
  doc.group_j.SetEntry(4, GroupJDlg::kDsed, "2.5");
  doc.group_j.SetRow(4, 0, StringArray{"1", "15", "0"});

  const std::string deck = Deck();
  EXPECT_EQ(deck.rfind("KOBALS\n", 0), 0u);
  // The deck is also a deck case: read back, it gains the empty flow fields 1 and 2.
  testing::ExpectFileText(testing::DataPath("decks/kobal5/deck.inp"), deck);
}

}  // namespace
}  // namespace orvo
