// Whole decks of small projects, one per simulation type, built the way the editors build
// them. The expected decks are written out column by column from the card layouts.
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
#include "support/network_builder.h"

namespace orvo {
namespace {

using List = std::vector<std::string>;

std::string Array(const List& elements) {
  return StringArray(elements).ToString();
}

// Exchange parameter 7: one (area, length) entry per exchange function.
std::string Entries(const std::vector<std::pair<std::string, std::string>>& pairs) {
  List entries;
  for (const auto& [area, length] : pairs) entries.push_back(Array({area, length}));
  return Array(entries);
}

// Exchange parameter 8: the portions of each of the six flow fields.
std::string Portions(const std::vector<List>& fields) {
  List record;
  for (size_t k = 0; k < 6; ++k) record.push_back(Array(k < fields.size() ? fields[k] : List{}));
  return Array(record);
}

class DeckTypesTest : public ::testing::Test {
 protected:
  void SetUp() override { COrvoBuilderCntrItem::SetNodeNumberCounter(0); }

  // Group A's OK after choosing the type: the groups that follow NOSYS take their defaults.
  void ChooseType(int simtyp, int nosys) {
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

  ScriptedPlatform platform;
  COrvoBuilderDoc doc{platform};
};

const std::string kHeader =
    " NSEG NSYS ICFL MFLG JMAS NSLN INTY ADFC   DD HHMM TFLG    A:MODEL OPTIONS\n";

// Two surface segments over an upper bed, dispersion between the first two, one flow
// through both to the outside; two systems of the six.
TEST_F(DeckTypesTest, Fenu5) {
  GroupADlg& a = doc.group_a;
  a.TITLE1 = "Lake test FENU5";
  a.TITLE2 = "Two surface segments over a bed";
  a.ICFL = 0;
  a.MFLAG = 1;
  a.JMASS = 1;
  a.NEGSLN = 0;
  a.INTYP = 0;
  a.ADFAC = 0.5;
  a.ZHR = 12;
  a.ZMIN = 30;
  a.TFLG = 1;
  a.ISEGOUT = {1, 2, 3, 0, 0, 0};
  a.time_steps.GetList() = {"0.1", "10", "0.05", "20"};
  a.print_intervals.GetList() = {"1", "20"};
  a.SYSBY.GetList() = {"0", "1"};
  ChooseType(kFenu5, 2);

  doc.group_b.title = "Dispersion";
  doc.group_b.surface_CONVR = 0.5;
  doc.group_b.surface_functions.GetList() = {"2.5 0 3 30"};
  doc.group_b.bypass.GetList() = {"0", "0"};
  doc.group_c.IVOPT = 0;
  doc.group_c.TDINTS = 1.5;
  doc.group_c.title = " Volumes";
  doc.group_d.flow_option = 0;
  doc.group_d.fields[0].GetList() = {"1", "1", "m^3/sec", "100 0 120 30"};
  doc.group_d.bypass.GetList() = {"0", "0"};

  COrvoBuilderCntrItem* s1 = Segment(0, {"0", "50000", "0.2", "0.4", "0.3", "0.6"});
  COrvoBuilderCntrItem* s2 = Segment(0, {"3", "1.25e+06", "0.25", "0.5", "0.35", "0.55"});
  Segment(2, {"0", "2000", "0", "0", "0", "0"});
  testing::AddLabel(doc, "Lake");
  COrvoBuilderCntrItem* e1 = doc.AddExchange(s1, s2, kInterface);
  e1->SetParameter(4, "0");
  e1->SetParameter(7, Entries({{"1000", "50"}}));
  e1->SetParameter(8, Portions({{"1"}}));
  doc.AddExchange(s2, s2, kOutflow)->SetParameter(8, Portions({{"1"}}));

  s1->SetParameter(10, Array({Array({"5", "0", "5", "30"}), ""}));
  doc.group_f.SetEntry(1, GroupFDlg::kScalw, "1");
  doc.group_f.SetEntry(1, GroupFDlg::kConvw, "0.5");
  doc.group_f.SetEntry(1, GroupFDlg::kTitle, " Outfall");
  s2->SetParameter(11, Array({"", Array({"10", "0", "12", "30"})}));

  doc.group_g.title = " Parameters";
  doc.group_g.values[2] = 1;    // TEMP, ISC 3
  doc.group_g.values[5] = 2.5;  // DOC, ISC 6
  Parameters(s1, {{2, "18.5"}, {5, "3"}});
  Parameters(s2, {{2, "19"}});

  doc.group_h.title = "Constants";
  Globals("Rates", {"KDEG", "1", "0.05", "THETA", "2", "1.047"});

  doc.group_i.title = " Time functions";
  doc.group_i.functions[8] = "3 0 4 30 5 60 4 90 3 120";  // WINDN, function 9

  doc.group_j.SetEntry(0, GroupJDlg::kCmax, "100");
  doc.group_j.SetEntry(0, GroupJDlg::kTitle, "Initial");
  doc.group_j.SetRow(0, 0, StringArray{"1", "0.5", "1"});
  doc.group_j.SetEntry(1, GroupJDlg::kIfield, "3");
  doc.group_j.SetEntry(1, GroupJDlg::kDsed, "2.65");
  doc.group_j.SetEntry(1, GroupJDlg::kCmax, "1e+06");
  doc.group_j.SetRow(1, 1, StringArray{"Mid", "12", "0"});

  EXPECT_EQ(Deck(),
            // A: start 1 12:30, plain %g columns; two time steps, one print interval
            "Lake test FENU5\n"
            "Two surface segments over a bed\n" +
                kHeader +
                "    3    2    0    1    1    0    0  0.5    1 1230    1\n"
                "    1    2    3    0    0    0\n"
                "    2\n"
                "       0.1      10.0      0.05      20.0\n"
                "    1\n"
                "       1.0      20.0\n"
                "    0    1\n"
                // B: one surface-water function, carried by 1 -> 2 only
                "    1Dispersion\n"
                "    1       1.0       0.5\t\t\t(surface water)\n"
                "    1\n"
                "    1000.0      50.0    1    2\n"
                "    2\n"
                "       2.5       0.0       3.0      30.0\n"
                "    0    0\n"
                // C: the bed segment is type 3; 1.25e+06 keeps its exponent form
                "    1    0       1.5 Volumes\n"
                "       1.0       1.0\n"
                "         1         0         1   50000.0       0.2       0.4       0.3       0.6\n"
                "         2         3         1  1.25e+06      0.25       0.5      0.35      0.55\n"
                "         3         0         3    2000.0       0.0       0.0       0.0       0.0\n"
                // D: field 1, one function carried by both exchanges on one line
                "    1    1\n"
                "    1       1.0       1.0\t\t(water column field)\n"
                "    2\n"
                "       1.0    1    2       1.0    2    0\n"
                "    2\n"
                "     100.0       0.0     120.0      30.0\n"
                "    0    0\n"
                // E: a boundary at segment 1 for system 1
                "         1Group E system #1\n"
                "       1.0       1.0\n"
                "    1    2\n"
                "       5.0       0.0       5.0      30.0\n"
                "         0Group E system #2\n"
                // F: a load at segment 2 for system 2, no nonpoint file
                "         0\n"
                "         1 Outfall\n"
                "       1.0       0.5\n"
                "    2    2\n"
                "      10.0       0.0      12.0      30.0\n"
                "         0\n"
                // G: TEMP and DOC for every segment
                "         2 Parameters\n"
                " TEMP    3       1.0  DOC    6       2.5\n"
                "         1\n"
                " TEMP    3      18.5  DOC    6       3.0\n"
                "         2\n"
                " TEMP    3      19.0  DOC    6       0.0\n"
                "         3\n"
                " TEMP    3       0.0  DOC    6       0.0\n"
                // H: Globals with one field, then the two systems without fields
                "Constants\n"
                "   Globals         1\n"
                "     Rates         2\n"
                "      KDEG         1      0.05     THETA         2     1.047\n"
                "Chemical 1         0\n"
                "   Solid 1         0\n"
                // I: five breaks take two lines
                "         1 Time functions\n"
                "WINDN    5    9\n"
                "       3.0       0.0       4.0      30.0       5.0      60.0       4.0      90.0\n"
                "       3.0     120.0\n"
                // J: three segments fill one line; DSED in five columns
                "Chemical 1                                  0  0.0     100.0Initial\n"
                "    1       0.5       1.0    2       0.0       0.0    3       0.0       0.0\n"
                "Solid 1                                     3 2.65    1.e+06\n"
                "    1       0.0       0.0  Mid      12.0       0.0    3       0.0       0.0\n");
}

// Two segments fed by an inflow; three systems of the eight; two flow functions.
TEST_F(DeckTypesTest, Verda5) {
  GroupADlg& a = doc.group_a;
  a.TITLE1 = "Verda river";
  a.TITLE2 = "Nutrients";
  a.ICFL = 1;
  a.MFLAG = 2;
  a.JMASS = 3;
  a.NEGSLN = 1;
  a.INTYP = 1;
  a.ADFAC = 1.25;
  a.ZDAY = 32;
  a.ZHR = 6;
  a.TFLG = 0;
  a.ISEGOUT = {2, 1, 0, 0, 0, 0};
  a.time_steps.GetList() = {"0.000123456", "1", "0.5", "2", "0.25", "3", "0.125", "4"};
  a.print_intervals.GetList() = {"1", "4"};
  a.SYSBY.GetList() = {"0", "0", "1"};
  ChooseType(kVerda5, 3);

  doc.group_b.title = " Exchanges";
  doc.group_b.surface_SCALR = 2;
  doc.group_b.surface_functions.GetList() = {"1e-05 0 2e-05 365"};
  doc.group_b.bypass.GetList() = {"1", "1", "1"};
  doc.group_c.IVOPT = 1;
  doc.group_c.IBEDV = 1;
  doc.group_c.SCALV = 2.5;
  doc.group_c.CONVV = 0.001;
  doc.group_d.flow_option = 1;
  doc.group_d.fields[0].GetList() = {"1", "1", "m^3/sec", "40 0 45 180", "5 0"};
  doc.group_d.bypass.GetList() = {"0", "0", "0"};

  COrvoBuilderCntrItem* s1 = Segment(0, {"0", "12000", "0.1", "0.5", "0.2", "0.45"});
  COrvoBuilderCntrItem* s2 = Segment(0, {"0", "15000.5", "0.1", "0.5", "0.2", "0.45"});
  doc.AddExchange(s1, s1, kInflow)->SetParameter(8, Portions({{"1", ""}}));
  COrvoBuilderCntrItem* e2 = doc.AddExchange(s1, s2, kInterface);
  e2->SetParameter(4, "0");
  e2->SetParameter(7, Entries({{"250", "12.5"}}));
  e2->SetParameter(8, Portions({{"1", "0.5"}}));

  s1->SetParameter(10, Array({"", Array({"0.8", "0", "1.2", "365"}), ""}));
  doc.group_f.SetEntry(0, GroupFDlg::kScalw, "1");
  doc.group_f.SetEntry(0, GroupFDlg::kConvw, "1");
  doc.group_f.SetEntry(0, GroupFDlg::kTitle, " NH3 loads");
  // A load of zeros is still a load.
  s2->SetParameter(11, Array({Array({"3.5", "0", "3.5", "365"}), "", Array({"0", "0"})}));

  doc.group_g.values[1] = 1;    // SAL, ISC 2
  doc.group_g.values[8] = 0.5;  // SOD1D, ISC 9
  doc.group_g.values[12] = 1;   // TOTLIM, ISC 13: name cut to five columns
  Parameters(s1, {{1, "0.2"}, {8, "1.5"}, {12, "0.1"}});
  Parameters(s2, {{1, "0.3"}, {8, "2"}});

  doc.group_h.title = "Kinetics";
  Globals("Phyto", {"K1C", "41", "2", "K1T", "42", "1.068"});

  doc.group_i.title = " Env";
  doc.group_i.functions[0] = "20 0 25 180";   // TEMP1, function 1
  doc.group_i.functions[20] = "10 0 12 365";  // AIRTM, function 21
  doc.group_i.functions[5] = "7";             // a lone number defines nothing

  doc.group_j.SetEntry(0, GroupJDlg::kCmax, "10");
  doc.group_j.SetRow(0, 0, StringArray{"1", "0.15", "1"});

  EXPECT_EQ(Deck(),
            // A: four time steps fill their line exactly; 0.000123456 loses precision
            "Verda river\n"
            "Nutrients\n" +
                kHeader +
                "    2    3    1    2    3    1    1 1.25   32  6 0    0\n"
                "    2    1    0    0    0    0\n"
                "    4\n"
                "0.00012346       1.0       0.5       2.0      0.25       3.0     0.125       4.0\n"
                "    1\n"
                "       1.0       4.0\n"
                "    0    0    1\n"
                // B: the inflow has no exchange data
                "    1 Exchanges\n"
                "    1       2.0       1.0\t\t\t(surface water)\n"
                "    1\n"
                "     250.0      12.5    1    2\n"
                "    2\n"
                "    1.e-05       0.0    2.e-05     365.0\n"
                "    1    1    1\n"
                // C: IVOPT 2, IBEDV 1, no title
                "    2    1       0.0\n"
                "       2.5     0.001\n"
                "         1         0         1   12000.0       0.1       0.5       0.2      0.45\n"
                "         2         0         1   15000.5       0.1       0.5       0.2      0.45\n"
                // D: the inflow carries only the first function
                "    2    1\n"
                "    2       1.0       1.0\t\t(water column field)\n"
                "    2\n"
                "       1.0    0    1       1.0    1    2\n"
                "    2\n"
                "      40.0       0.0      45.0     180.0\n"
                "    1\n"
                "       0.5    1    2\n"
                "    1\n"
                "       5.0       0.0\n"
                "    0    0    0\n"
                // E: system 2 only
                "         0Group E system #1\n"
                "         1Group E system #2\n"
                "       1.0       1.0\n"
                "    1    2\n"
                "       0.8       0.0       1.2     365.0\n"
                "         0Group E system #3\n"
                // F: systems 1 and 3 at segment 2
                "         1 NH3 loads\n"
                "       1.0       1.0\n"
                "    2    2\n"
                "       3.5       0.0       3.5     365.0\n"
                "         0\n"
                "         1\n"
                "       0.0       0.0\n"
                "    2    1\n"
                "       0.0       0.0\n"
                "         0\n"
                // G: three parameters, no title
                "         3\n"
                "  SAL    2       1.0SOD1D    9       0.5TOTLI   13       1.0\n"
                "         1\n"
                "  SAL    2       0.2SOD1D    9       1.5TOTLI   13       0.1\n"
                "         2\n"
                "  SAL    2       0.3SOD1D    9       2.0TOTLI   13       0.0\n"
                // H
                "Kinetics\n"
                "   Globals         1\n"
                "     Phyto         2\n"
                "       K1C        41       2.0       K1T        42     1.068\n"
                "       NH3         0\n"
                "       NO3         0\n"
                "       PO4         0\n"
                // I: two functions, numbered from the table
                "         2 Env\n"
                "TEMP1    2    1\n"
                "      20.0       0.0      25.0     180.0\n"
                "AIRTM    2   21\n"
                "      10.0       0.0      12.0     365.0\n"
                // J: two segments to a line
                "NH3                                         0  0.0      10.0\n"
                "    1      0.15       1.0    2       0.0       0.0\n"
                "NO3                                         0  0.0       0.0\n"
                "    1       0.0       0.0    2       0.0       0.0\n"
                "PO4                                         0  0.0       0.0\n"
                "    1       0.0       0.0    2       0.0       0.0\n");
}

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
  EXPECT_EQ(deck,
            // A
            "KOBALS\n"
            "Metals\n"
            "Kobal test\n" +
                kHeader +
                "    2    7    0    0    0    0    0 0.25    1  0 0    1\n"
                "    1    0    0    0    0    0\n"
                "    1\n"
                "       1.0      10.0\n"
                "    1\n"
                "       5.0      10.0\n"
                "    0    0    0    0    1    1    1\n"
                // B
                "    1\n"
                "    1       1.0       1.0\t\t\t(surface water)\n"
                "    1\n"
                "      30.0       5.0    1    2\n"
                "    1\n"
                "       0.5       0.0\n"
                "    0    0    0    0    0    0    0\n"
                // C: the subsurface segment is type 2
                "    1    0       1.0 Vol\n"
                "       1.0       1.0\n"
                "         1         0         1    1000.0       0.3       0.5       0.4       0.5\n"
                "         2         0         2     500.0       0.0       0.0       0.0       0.0\n"
                // D
                "    1    3\n"
                "    0\n"
                "    0\n"
                "    1       1.0       1.0\t\t(solids1 field)\n"
                "    1\n"
                "       1.0    1    2\n"
                "    1\n"
                "    1.e-06       0.0\n"
                "    1    1    1    0    0    0    0\n"
                // E: segment 1 for cadmium
                "         1Group E system #1\n"
                "       1.0       1.0\n"
                "    1    1\n"
                "     0.002       0.0\n"
                "         0Group E system #2\n"
                "         0Group E system #3\n"
                "         0Group E system #4\n"
                "         0Group E system #5\n"
                "         0Group E system #6\n"
                "         0Group E system #7\n"
                // F: segment 2 for solid 1
                "         0\n"
                "         0\n"
                "         0\n"
                "         0\n"
                "         1\n"
                "       1.0       1.0\n"
                "    2    2\n"
                "     100.0       0.0     100.0      30.0\n"
                "         0\n"
                "         0\n"
                "         0\n"
                // G
                "         2 Metals params\n"
                "   pH   28       1.0  SO4   31       1.0\n"
                "         1\n"
                "   pH   28       7.5  SO4   31      20.0\n"
                "         2\n"
                "   pH   28       7.0  SO4   31       0.0\n"
                // H: Globals and the seven metal and solid systems
                "Metal constants\n"
                "   Globals         1\n"
                "  Sorption         2\n"
                "       KD1         1    1000.0       KD2         2  250000.0\n"
                "        CD         0\n"
                "        ZN         0\n"
                "        PB         0\n"
                "        MN         0\n"
                "   Solid 1         0\n"
                "   Solid 2         0\n"
                "   Solid 3         0\n"
                // I: NFUNC 0 and nothing else
                "         0\n"
                // J
                "CD                                          0  0.0       0.0\n"
                "    1       0.0       0.0    2       0.0       0.0\n"
                "ZN                                          0  0.0       0.0\n"
                "    1       0.0       0.0    2       0.0       0.0\n"
                "PB                                          0  0.0       0.0\n"
                "    1       0.0       0.0    2       0.0       0.0\n"
                "MN                                          0  0.0       0.0\n"
                "    1       0.0       0.0    2       0.0       0.0\n"
                "Solid 1                                     3  2.5       0.0\n"
                "    1      15.0       0.0    2       0.0       0.0\n"
                "Solid 2                                     0  0.0       0.0\n"
                "    1       0.0       0.0    2       0.0       0.0\n"
                "Solid 3                                     0  0.0       0.0\n"
                "    1       0.0       0.0    2       0.0       0.0\n");
}

}  // namespace
}  // namespace orvo
