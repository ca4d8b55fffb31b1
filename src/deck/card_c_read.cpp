// Card C (volumes): its parser, what group C takes from a whole deck, and the importer, which
// also gives the project's segments their volumes.
#include <string>

#include "deck/deck_reading.h"
#include "model/number_text.h"

namespace orvo {
namespace {

bool Fail(Platform& platform, const std::string& message) {
  platform.ShowMessage(message);
  return false;
}

}  // namespace

bool ParseCardC(DeckScanner& in, const DeckShape& shape, CardCRecord& card, Platform& platform) {
  card = CardCRecord{};
  std::string line;
  if (!in.ReadLine(line)) return Fail(platform, "ReadGroupC: EOF reading record 1");
  card.IVOPT = ColumnInt(line, 1, 5);
  card.IBEDV = ColumnInt(line, 6, 5);
  card.TDINTS = ColumnReal(line, 11, 10);
  card.title = TrimRight(ColumnsFrom(line, 21));

  if (!in.ReadLine(line)) return Fail(platform, "ReadGroupC: EOF reading record 2");
  card.SCALV = ColumnReal(line, 1, 10);
  card.CONVV = ColumnReal(line, 11, 10);

  // One line per segment of the deck; a negative NOSEG has none.
  for (int s = 0; s < shape.NOSEG; ++s) {
    // The segment lines report under record 2's text, as they always have.
    if (!in.ReadLine(line)) return Fail(platform, "ReadGroupC: EOF reading record 2");
    card.segments.push_back({ColumnInt(line, 1, 10), ColumnInt(line, 11, 10),
                             ColumnInt(line, 21, 10), ColumnReal(line, 31, 10),
                             ColumnReal(line, 41, 10), ColumnReal(line, 51, 10),
                             ColumnReal(line, 61, 10), ColumnReal(line, 71, 10)});
  }
  return true;
}

namespace group_c {

void LoadFromWC(COrvoBuilderDoc& doc, const DeckRecord& deck) {
  GroupCDlg& c = doc.group_c;
  c.IVOPT = deck.c.IVOPT - 1;
  c.IBEDV = deck.c.IBEDV;
  c.TDINTS = deck.c.TDINTS;
  c.title = deck.c.title;
  c.SCALV = deck.c.SCALV;
  c.CONVV = deck.c.CONVV;
  c.units = "m^3";
}

}  // namespace group_c

bool ReadGroupC(COrvoBuilderDoc& doc, DeckScanner& in, bool skip) {
  CardCRecord card;
  if (!ParseCardC(in, ImportedShape(doc), card, doc.platform())) return false;
  if (skip) return true;

  GroupCDlg& c = doc.group_c;
  c.IVOPT = card.IVOPT - 1;
  c.IBEDV = card.IBEDV;
  c.TDINTS = card.TDINTS;
  c.title = card.title;
  // Segments the deck does not mention are left with nothing rather than their old values.
  for (int id = 1; id <= doc.group_a.NOSEG; ++id) {
    COrvoBuilderCntrItem* node = doc.GetSegmentNode(id);
    if (node == nullptr) continue;
    for (int index : {4, 3, 9, 8, 7, 5, 6}) node->SetParameter(index, "0");
  }
  c.SCALV = card.SCALV;
  c.CONVV = card.CONVV;

  bool missing = false;
  for (const SegmentRecord& segment : card.segments) {
    COrvoBuilderCntrItem* node = doc.GetSegmentNode(segment.ISEG);
    if (node == nullptr) {
      missing = true;
      continue;
    }
    node->SetParameter(segment_param::kIBOTSEG, IntText(segment.IBOTSEG));
    node->SetParameter(segment_param::kSegmentType,
                       IntText(static_cast<long long>(segment.ITYPE) - 1));
    node->SetParameter(segment_param::kBVOL, RealText(segment.VOLUME));
    node->SetParameter(segment_param::kVMULT, RealText(segment.VMULT));
    node->SetParameter(segment_param::kVEXP, RealText(segment.VEXP));
    node->SetParameter(segment_param::kDMULT, RealText(segment.DMULT));
    node->SetParameter(segment_param::kDXP, RealText(segment.DXP));
  }
  if (missing) {
    doc.platform().ShowMessage(
        "ReadGroupC: Warning: at least one segment in the input was not found in network.");
  }
  doc.SetModifiedFlag();
  return true;
}

}  // namespace orvo
