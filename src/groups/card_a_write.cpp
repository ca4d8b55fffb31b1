// Card A: model identification, run options, time steps, print intervals, system bypass.
#include <string>

#include "groups/cards.h"
#include "model/model_vocabulary.h"
#include "model/number_text.h"
#include "model/string_array.h"

namespace orvo::group_a {
namespace {

// The start time and ADFAC are plain "%Ng" columns in the deck, not the fitted format; a
// longer text would shift the later columns, so it fails the card like an integer would.
void PlainReal(DeckOut& out, double value, int width, const char* what) {
  const std::string text = CFormat("%*g", width, value);
  if (text.size() > static_cast<size_t>(width)) {
    out.Fail(std::string(what) + " " + RealText(value) + " does not fit its " + IntText(width) +
             "-column field.");
  }
  out.Text(text);
}

// A time-function block; its own failure (an odd count) is named, while a failure earlier
// in the card was reported where it happened.
bool Block(DeckOut& out, const StringArray& entries, const char* message) {
  const bool was_ok = out.ok();
  if (out.TimeFunction(entries.GetList())) return true;
  if (was_ok) out.platform().ShowMessage(message);
  return false;
}

bool SimulationTypeSet(SimulationType simtyp) {
  return simtyp == kFenu5 || simtyp == kVerda5 || simtyp == kKobal5;
}

}  // namespace

bool WriteCard(const COrvoBuilderDoc& doc, DeckOut& out, const std::string& title1,
               const std::string& title2) {
  const GroupADlg& a = doc.group_a;
  if (a.SIMTYP == kKobal5) out.Line("KOBALS");
  out.Line(title1.empty() ? a.TITLE1 : title1);
  out.Line(title2.empty() ? a.TITLE2 : title2);
  out.Line(a.HEADER);

  out.Int(a.NOSEG, 5, "NOSEG");
  out.Int(a.NOSYS, 5, "NOSYS");
  out.Int(a.ICFL, 5, "ICFL");
  out.Int(a.MFLAG, 5, "MFLAG");
  out.Int(a.JMASS, 5, "JMASS");
  out.Int(a.NEGSLN, 5, "NEGSLN");
  out.Int(a.INTYP, 5, "INTYP");
  PlainReal(out, a.ADFAC, 5, "ADFAC");
  PlainReal(out, a.ZDAY, 5, "ZDAY");
  PlainReal(out, a.ZHR, 3, "ZHR");
  PlainReal(out, a.ZMIN, 2, "ZMIN");
  out.Int(a.TFLG, 5, "TFLG");
  out.EndLine();

  for (int segment : a.ISEGOUT) out.Int(segment, 5, "ISEGOUT");
  out.EndLine();

  if (!Block(out, a.time_steps, "Error occurred while writing model timesteps.")) return false;
  if (!Block(out, a.print_intervals, "Error occurred while writing print timesteps.")) return false;

  for (size_t i = 0; i < a.SYSBY.size(); ++i) out.Int(AtoI(a.SYSBY.At(i)), 5, "SYSBY");
  out.EndLine();
  return out.ok();
}

void Check(const COrvoBuilderDoc& doc, std::vector<std::string>& findings) {
  const GroupADlg& a = doc.group_a;
  if (!SimulationTypeSet(a.SIMTYP))
    findings.emplace_back("Group A: Error: Simulation type is unset.");
  if (a.TITLE1.empty()) findings.emplace_back("Group A: Warning: TITLE1 is unset.");
  if (a.TITLE2.empty()) findings.emplace_back("Group A: Warning: TITLE2 is unset.");
  if (a.NOSEG == 0) findings.emplace_back("Group A: Error: No segments in network.");
  if (a.ICFL < 0) findings.emplace_back("Group A: Error: Restart file control (ICFL) is unset.");
  if (a.MFLAG < 0) findings.emplace_back("Group A: Error: Message flag (MFLAG) is unset.");
  if (a.JMASS < 0) {
    findings.emplace_back("Group A: Error: System for mass balance (JMASS) is unset.");
  }
  if (a.NEGSLN < 0) {
    findings.emplace_back("Group A: Error: Negative solution option (NEGSLN) is unset.");
  }
  if (a.INTYP < 0) findings.emplace_back("Group A: Error: Time step option (INTYP) is unset.");
  if (a.ADFAC == 0.0) findings.emplace_back("Group A: Warning: Advection factor (ADFAC) is 0.0.");
  if (a.ZDAY == 1.0 && a.ZHR == 0.0 && a.ZMIN == 0.0) {
    findings.emplace_back("Group A: Warning: Simulation start date is uninitialized.");
  }
  // The missing final period is the text users and scripts know.
  if (a.TFLG < 0) {
    findings.emplace_back("Group A: Error: Transport file generation flag (TFLG) is unset");
  }
  // A list holding one empty entry joins to nothing and so counts as no time steps.
  if (a.time_steps.Join(' ').empty()) {
    findings.emplace_back("Group A: Error: No timesteps defined for simulation.");
  }
  if (a.print_intervals.empty())
    findings.emplace_back("Group A: Error: No print intervals defined.");
  if (a.SYSBY.empty())
    findings.emplace_back("Group A: Error: System bypass options are undefined.");
}

}  // namespace orvo::group_a
