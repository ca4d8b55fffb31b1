// A small project that uses every card: FENU5 with one system, two surface-water segments over
// a bed segment, an exchange carrying a flow, a boundary, a load, a segment parameter and a
// kinetic time function. Its deck has the options line "    3    1    0    0    1    0    0".
#pragma once

#include "model/model_vocabulary.h"
#include "model/project_document.h"
#include "support/node_records.h"

namespace orvo::testing {

inline void BuildSmallProject(COrvoBuilderDoc& doc) {
  GroupADlg& a = doc.group_a;
  a.SIMTYP = kFenu5;
  a.TITLE1 = "Reader";
  a.TITLE2 = "one system";
  a.NOSYS = 1;
  a.ICFL = a.MFLAG = a.NEGSLN = a.INTYP = a.TFLG = 0;
  a.JMASS = 1;
  a.ADFAC = 1.0;
  a.time_steps.GetList() = {"0.01", "10", "0.02", "30"};
  a.print_intervals.GetList() = {"1", "30"};
  a.SYSBY.GetList() = {"0"};
  COrvoBuilderCntrItem* s1 = AddSegmentWithLabel(doc, 80, 80, 0);
  COrvoBuilderCntrItem* s2 = AddSegmentWithLabel(doc, 160, 80, 0);
  AddSegmentWithLabel(doc, 240, 80, 2);
  doc.group_b.surface_functions.GetList() = {"0.0001 0 0.0002 30"};
  doc.group_b.bypass.GetList() = {"0"};
  COrvoBuilderCntrItem* interface = doc.AddExchange(s1, s2, kInterface);
  interface->SetParameter(4, "0");
  interface->SetParameter(7, ArrayText({ArrayText({"150", "400"})}));
  doc.group_c.IVOPT = 0;
  doc.group_d.flow_option = 0;
  doc.group_d.bypass.GetList() = {"0"};
  doc.group_d.fields[0].GetList() = {"1", "1", "m^3/sec", "10 0 12 30"};
  interface->SetParameter(8, ArrayText({ArrayText({"1"}), ArrayText({}), ArrayText({}),
                                        ArrayText({}), ArrayText({}), ArrayText({})}));
  doc.group_e.ApplyDefaults(1);
  s1->SetParameter(10, ArrayText({ArrayText({"5", "0", "5", "30"})}));
  doc.group_f.ApplyDefaults(1);
  s2->SetParameter(11, ArrayText({ArrayText({"2", "0", "2", "30"})}));
  doc.group_g.SetSlotCountFromType(kFenu5);
  doc.group_g.RestoreDefaultNames(kFenu5);
  doc.group_g.values[0] = 1.0;
  doc.group_h.title = "Constants";
  doc.group_h.ApplyNames(1, kFenu5);
  doc.group_i.SetSlotCountFromType(kFenu5);
  doc.group_i.RestoreDefaultNames(kFenu5);
  doc.group_i.functions[0] = "1 0 1 30";
  doc.group_j.ApplyDefaults(1, 3, kFenu5);
}

}  // namespace orvo::testing
