// The bundled example project: a small river reach of four water-column segments over two
// bed segments, with inflow, outflow, exchanges between them and a title label.
#pragma once

#include "model/model_vocabulary.h"
#include "model/project_document.h"
#include "model/string_array.h"
#include "support/network_builder.h"

namespace orvo::testing {

inline void BuildExampleRiver(COrvoBuilderDoc& doc) {
  GroupADlg& a = doc.group_a;
  a.SIMTYP = kFenu5;
  a.NOSYS = 6;
  a.TITLE1 = "Example river: four reaches over two bed segments";
  a.TITLE2 = "Chemical 1 released at reach 1, sorbed to solids 1";
  a.ICFL = 0;
  a.MFLAG = 0;
  a.JMASS = 1;
  a.NEGSLN = 0;
  a.INTYP = 0;
  a.ADFAC = 1.0;
  a.ZDAY = 1.0;
  a.TFLG = 0;
  a.ISEGOUT = {1, 2, 3, 4, 5, 6};
  a.time_steps.GetList() = {"0.01", "30"};
  a.print_intervals.GetList() = {"1", "30"};
  a.SYSBY.GetList() = {"0", "0", "1", "1", "1", "1"};
  doc.group_b.surface_functions.GetList() = {"1e-05 0 1e-05 30"};
  doc.group_c.IVOPT = 0;
  doc.group_c.title = "Volumes";
  doc.group_d.flow_option = 0;
  doc.group_d.fields[0].GetList() = {"1.0", "1.0", "m^3/sec", "12.5 0 9.5 15 12.5 30"};
  doc.group_e.ApplyDefaults(a.NOSYS);
  doc.group_f.ApplyDefaults(a.NOSYS);
  doc.group_h.ApplyNames(a.NOSYS, a.SIMTYP);
  doc.group_g.SetSlotCountFromType(a.SIMTYP);
  doc.group_i.SetSlotCountFromType(a.SIMTYP);

  std::vector<COrvoBuilderCntrItem*> reach;
  for (int i = 0; i < 4; ++i) reach.push_back(AddSegmentWithLabel(doc, 80 * (i + 1), 80, 0));
  std::vector<COrvoBuilderCntrItem*> bed;
  for (int i = 0; i < 2; ++i) bed.push_back(AddSegmentWithLabel(doc, 80 + 160 * i, 280, 2));
  doc.group_j.ApplyDefaults(a.NOSYS, a.NOSEG, a.SIMTYP);
  for (int i = 0; i < 4; ++i) {
    reach[i]->SetParameter(9, RealText(5000.0 + 1000.0 * i));
    reach[i]->SetParameter(4, IntText(5 + i / 2));
    reach[i]->SetParameter(8, "0.25");
    reach[i]->SetParameter(7, "0.4");
  }
  for (COrvoBuilderCntrItem* segment : bed) segment->SetParameter(9, "800");
  reach[0]->SetParameter(
      10, StringArray({StringArray({"0.5", "0", "0.5", "30"}).ToString()}).ToString());
  reach[0]->SetParameter(11,
                         StringArray({StringArray({"2", "0", "0", "10"}).ToString()}).ToString());

  COrvoBuilderCntrItem* inflow = doc.AddExchange(reach[0], reach[0], kInflow);
  COrvoBuilderCntrItem* outflow = doc.AddExchange(reach[3], reach[3], kOutflow);
  std::vector<COrvoBuilderCntrItem*> links = {inflow};
  for (int i = 0; i < 3; ++i) {
    COrvoBuilderCntrItem* link = doc.AddExchange(reach[i], reach[i + 1], kInterface);
    link->SetParameter(4, "0");
    link->SetParameter(7, StringArray({StringArray({"150", "400"}).ToString()}).ToString());
    links.push_back(link);
  }
  links.push_back(outflow);
  const std::string portion =
      StringArray({StringArray({"1"}).ToString(), "", "", "", "", ""}).ToString();
  for (COrvoBuilderCntrItem* link : links) link->SetParameter(8, portion);

  COrvoBuilderCntrItem* title = AddLabel(doc, "Example river");
  title->SetRect(80, 10, 240, 40);
}

}  // namespace orvo::testing
