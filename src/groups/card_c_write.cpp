// Card C: volume options and one line per segment in segment ID order.
#include <string>
#include <vector>

#include "groups/cards.h"

namespace orvo::group_c {

bool WriteCard(const COrvoBuilderDoc& doc, DeckOut& out, const Variation* variation) {
  const GroupCDlg& c = doc.group_c;
  out.Int(c.IVOPT + 1, 5, "IVOPT");
  out.Int(c.IBEDV, 5, "IBEDV");
  out.Real(c.TDINTS);
  out.Line(c.title);
  out.Real(c.SCALV);
  out.Real(c.CONVV);
  out.EndLine();

  const std::vector<const COrvoBuilderCntrItem*> segments = SegmentsById(doc);
  std::vector<bool> varied(segments.size() + 1, false);
  if (variation != nullptr) {
    for (int id : variation->targets) {
      if (id >= 1 && static_cast<size_t>(id) <= segments.size()) varied[id] = true;
    }
  }
  for (size_t i = 0; i < segments.size(); ++i) {
    // An ID no segment holds writes no line; the card is then shorter than NOSEG.
    if (segments[i] == nullptr) continue;
    const SegmentData& s = *segments[i]->segment();
    // VOLUME, VMULT, VEXP, DMULT, DXP: the order of the line and of the varied quantity.
    double values[5] = {s.BVOL, s.VMULT, s.VEXP, s.DMULT, s.DXP};
    if (varied[i + 1] && variation->quantity >= 0 && variation->quantity < 5) {
      values[variation->quantity] = variation->Apply(values[variation->quantity]);
    }
    out.Int(static_cast<long long>(i + 1), 10, "The segment ID");
    out.Int(s.IBOTSEG, 10, "IBOTSEG");
    out.Int(s.segment_type + 1, 10, "The segment type");
    for (double value : values) out.Real(value);
    out.EndLine();
  }

  if (variation != nullptr) variation->AppendNote();
  return out.ok();
}

void Check(const COrvoBuilderDoc& doc, std::vector<std::string>& findings) {
  const GroupCDlg& c = doc.group_c;
  if (c.IVOPT < 0) {
    findings.emplace_back("Group C: Error: Water column volume option is unset (IVOPT).");
  }
  if (c.IBEDV < 0) findings.emplace_back("Group C: Error: Benthic volume option is unset (IBEDV).");
  if (c.TDINTS <= 0.0) {
    findings.emplace_back("Group C: Warning: Benthic time step is unset (TDINTS).");
  }
  if (c.title.empty()) findings.emplace_back("Group C: Warning: Title is unset (TITLE).");
  if (c.SCALV == 0.0) findings.emplace_back("Group C: Warning: Scale factor is zero (SCALV).");
  if (c.CONVV == 0.0) {
    findings.emplace_back("Group C: Warning: Conversion factor is zero (CONVV).");
  }
}

std::string NodeCheck(const COrvoBuilderDoc& /*doc*/, const COrvoBuilderCntrItem& node) {
  if (!node.is_segment()) return "Wrong Segment Type";
  const SegmentData& s = *node.segment();
  if (s.DMULT == 0.0) return "Need DMULT";
  if (s.DXP == 0.0) return "Need DXP";
  if (s.VEXP == 0.0) return "Need VEXP";
  if (s.VMULT == 0.0) return "Need VMULT";
  if (s.BVOL == 0.0) return "Need VOLUME";
  return "OK";
}

}  // namespace orvo::group_c
