// A synthetic network for the deck and project benchmarks: N segments in rows, every segment
// joined to the next by a dispersive exchange (card B) and by a second exchange carrying the
// advective flow (card D), boundaries and loads at the head, initial conditions everywhere.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/model_vocabulary.h"
#include "model/number_text.h"
#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "model/string_array.h"
#include "support/network_builder.h"

namespace orvo::bench {

struct Project {
  ScriptedPlatform platform;
  COrvoBuilderDoc document{platform};
};

inline std::unique_ptr<Project> SyntheticProject(int segments) {
  COrvoBuilderCntrItem::SetNodeNumberCounter(0);
  auto project = std::make_unique<Project>();
  COrvoBuilderDoc& doc = project->document;
  doc.group_a.SIMTYP = kVerda5;
  doc.group_a.NOSYS = 8;
  doc.group_a.time_steps.GetList() = {"0.1", "30"};
  doc.group_a.print_intervals.GetList() = {"1", "30"};
  doc.group_e.ApplyDefaults(8);
  doc.group_f.ApplyDefaults(8);
  doc.group_h.ApplyNames(8, kVerda5);
  doc.group_g.SetSlotCountFromType(kVerda5);
  doc.group_g.values[1] = 1;
  doc.group_b.surface_functions.GetList() = {"1e-05 0 2e-05 30"};
  doc.group_d.flow_option = 0;
  doc.group_d.fields[0].GetList() = {"1.0", "1.0", "m^3/sec", "12.5 0 9.5 15 12.5 30"};

  std::vector<COrvoBuilderCntrItem*> reach;
  for (int i = 0; i < segments; ++i) {
    reach.push_back(testing::AddSegmentWithLabel(doc, 80 * (i % 100 + 1), 200 * (i / 100)));
    reach.back()->SetParameter(9, RealText(1000.0 + i));
  }
  doc.group_j.ApplyDefaults(8, segments, kVerda5);
  const std::string boundary =
      StringArray({StringArray({"0.5", "0", "0.7", "30"}).ToString()}).ToString();
  reach.front()->SetParameter(10, boundary);
  reach.front()->SetParameter(11, boundary);
  const std::string dispersion = StringArray({StringArray({"150", "400"}).ToString()}).ToString();
  const std::string flow =
      StringArray({StringArray({"1"}).ToString(), "", "", "", "", ""}).ToString();
  for (int i = 0; i + 1 < segments; ++i) {
    COrvoBuilderCntrItem* mixing = doc.AddExchange(reach[i], reach[i + 1], kInterface);
    mixing->SetParameter(4, "0");
    mixing->SetParameter(7, dispersion);
    doc.AddExchange(reach[i + 1], reach[i], kInterface)->SetParameter(8, flow);
  }
  return project;
}

}  // namespace orvo::bench
