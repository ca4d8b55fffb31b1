// Card A as the deck reader takes it, the pair blocks of its time histories, and what group A
// takes from a whole deck.
#include <cstddef>
#include <string>
#include <vector>

#include "deck/deck_reading.h"
#include "model/model_vocabulary.h"
#include "model/number_text.h"

namespace orvo {
namespace {

// The systems a project can hold: one settings slot each in groups E, F and J.
constexpr int kMaxSystems = 8;

bool EndOfCardA(Platform& platform) {
  platform.ShowMessage("EOF trying to read card A");
  return false;
}

// A count line followed by its pairs. A block cut short by the end of the text fails the card.
bool ReadBlock(DeckScanner& in, Breaks& breaks, Platform& platform) {
  std::string line;
  if (!in.ReadLine(line)) return false;
  const int count = ColumnInt(line, 1, 5);
  breaks = ReadPairs(in, count, platform);
  const size_t wanted = count > 0 ? 2 * static_cast<size_t>(count) : 0;
  return breaks.size() == wanted;
}

std::string RealsText(const Breaks& values) {
  std::string text;
  for (const double value : values) {
    if (!text.empty()) text += ' ';
    text += RealText(value);
  }
  return text;
}

}  // namespace

Breaks ReadPairs(DeckScanner& in, int count, Platform& platform) {
  Breaks breaks;
  std::string line;
  bool warned = false;
  for (int i = 0; i < count; ++i) {
    // Past the end there is nothing to pair; the caller sees the short block.
    if (i % 4 == 0 && !in.ReadLine(line)) break;
    const int p = i % 4;
    const double value = ColumnReal(line, 20 * p + 1, 10);
    const double time = ColumnReal(line, 20 * p + 11, 10);
    breaks.push_back(value);
    breaks.push_back(time);
    if (i > 0 && time == 0.0 && !warned) {
      warned = true;
      platform.ShowMessage("Warning: you may have a column formatting error in line \"" + line +
                           "\"");
    }
  }
  return breaks;
}

bool IsKobalsLine(std::string_view line) {
  return Trim(line) == "KOBALS";
}

bool ParseCardA(DeckScanner& in, CardARecord& card, Platform& platform) {
  card = CardARecord{};
  std::string line;
  if (!in.ReadLine(line)) return EndOfCardA(platform);
  if (IsKobalsLine(line)) {
    card.kobals_line = true;
    if (!in.ReadLine(line)) return EndOfCardA(platform);
  }
  card.TITLE1 = line.substr(0, 75);
  if (!in.ReadLine(card.TITLE2) || !in.ReadLine(card.HEADER)) return EndOfCardA(platform);

  if (!in.ReadLine(line)) return EndOfCardA(platform);
  card.NOSEG = ColumnInt(line, 1, 5);
  card.NOSYS = ColumnInt(line, 6, 5);
  card.ICFL = ColumnInt(line, 11, 5);
  card.MFLAG = ColumnInt(line, 16, 5);
  card.JMASS = ColumnInt(line, 21, 5);
  card.NEGSLN = ColumnInt(line, 26, 5);
  card.INTYP = ColumnInt(line, 31, 5);
  card.ADFAC = ColumnReal(line, 36, 5);
  card.ZDAY = ColumnReal(line, 41, 5);
  card.ZHR = ColumnReal(line, 46, 3);
  card.ZMIN = ColumnReal(line, 49, 2);
  card.TFLG = ColumnInt(line, 51, 5);
  // Every per-system record of cards B to J follows NOSYS, and a project holds at most eight
  // systems; a negative NOSEG cannot number any segment.
  if (card.NOSYS < 0 || card.NOSYS > kMaxSystems) {
    platform.ShowMessage("OrvoClass: NOSYS " + IntText(card.NOSYS) +
                         " in card A is outside 0..8; the deck cannot be read.");
    return false;
  }
  if (card.NOSEG < 0) {
    platform.ShowMessage("OrvoClass: NOSEG " + IntText(card.NOSEG) +
                         " in card A is negative; the deck cannot be read.");
    return false;
  }
  card.simulation_type = card.NOSYS == 7 ? "KOBAL5" : card.NOSYS == 8 ? "VERDA5" : "FENU5";

  if (!in.ReadLine(line)) return EndOfCardA(platform);
  for (int i = 0; i < 6; ++i) card.ISEGOUT[static_cast<size_t>(i)] = ColumnInt(line, 5 * i + 1, 5);
  if (!ReadBlock(in, card.time_steps, platform)) return EndOfCardA(platform);
  if (!ReadBlock(in, card.print_intervals, platform)) return EndOfCardA(platform);

  if (!in.ReadLine(line)) return EndOfCardA(platform);
  for (int i = 0; i < card.NOSYS; ++i) card.bypass.push_back(ColumnInt(line, 5 * i + 1, 5));
  return true;
}

namespace group_a {

void LoadFromWC(COrvoBuilderDoc& doc, const DeckRecord& deck) {
  const CardARecord& a = deck.a;
  GroupADlg& g = doc.group_a;
  if (a.simulation_type == "FENU5") {
    g.SIMTYP = kFenu5;
  } else if (a.simulation_type == "VERDA5") {
    g.SIMTYP = kVerda5;
  } else if (a.simulation_type == "KOBAL5") {
    g.SIMTYP = kKobal5;
  } else {
    doc.platform().ShowMessage("[GroupADlg::LoadFromWC] Unable to match simtyp \"" +
                               a.simulation_type + "\"");
  }
  g.TITLE1 = a.TITLE1;
  g.TITLE2 = a.TITLE2;
  g.HEADER = a.HEADER;
  g.NOSEG = a.NOSEG;
  g.NOSYS = a.NOSYS;
  g.ICFL = a.ICFL;
  g.MFLAG = a.MFLAG;
  g.JMASS = a.JMASS;
  g.NEGSLN = a.NEGSLN;
  g.INTYP = a.INTYP;
  g.ADFAC = a.ADFAC;
  g.ZDAY = a.ZDAY;
  g.ZHR = a.ZHR;
  g.ZMIN = a.ZMIN;
  g.TFLG = a.TFLG;
  g.ISEGOUT = a.ISEGOUT;
  g.time_steps.Parse(RealsText(a.time_steps), false);
  g.print_intervals.Parse(RealsText(a.print_intervals), false);
  std::vector<double> flags(a.bypass.begin(), a.bypass.end());
  g.SYSBY.Parse(RealsText(flags), false);
}

}  // namespace group_a
}  // namespace orvo
