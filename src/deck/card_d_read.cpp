// Card D (flows): its parser, what group D takes from a whole deck, and the importer, which
// also gives the project's exchanges their portions of flow.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "deck/deck_reading.h"
#include "deck/pair_functions.h"
#include "model/number_text.h"
#include "model/string_array.h"

namespace orvo {
namespace {

using pair_functions::BreaksText;
using pair_functions::Fail;
using pair_functions::FieldText;

constexpr int kFields = GroupDDlg::kFieldCount;

// Flows have a direction: upstream first.
uint64_t DirectedKey(int from, int to) {
  return (static_cast<uint64_t>(static_cast<uint32_t>(from)) << 32) | static_cast<uint32_t>(to);
}

// Record 4: "%10lg%5d%5d" per exchange, read across line ends, with the rest of the line
// passed over after every fourth exchange and after the last.
bool ReadFlowExchanges(DeckScanner& in, int count, int k, PairFunction& function,
                       Platform& platform) {
  for (int i = 0; i < count; ++i) {
    SegmentPair pair;
    if (!in.ScanDouble(10, pair.first) || !in.ScanInt(5, pair.from) || !in.ScanInt(5, pair.to)) {
      return Fail(platform, "ReadGroupD: parse error reading record 4" + FieldText(k));
    }
    function.pairs.push_back(pair);
    if ((i % 4 == 3 || i + 1 == count) && !in.SkipRestOfLine()) {
      return Fail(platform, "ReadGroupD: EOF reading record 4" + FieldText(k));
    }
  }
  return true;
}

}  // namespace

bool ParseCardD(DeckScanner& in, const DeckShape& shape, CardDRecord& card, Platform& platform) {
  card = CardDRecord{};
  std::string line;
  if (!in.ReadLine(line)) return Fail(platform, "ReadGroupD: EOF reading record 1");
  card.IQOPT = ColumnInt(line, 1, 5);
  card.NFIELD = ColumnInt(line, 6, 5);
  card.hydrodynamic_file = TrimRight(ColumnsFrom(line, 11));
  if (card.NFIELD > kFields) {
    return Fail(platform, "ReadGroupD: NFIELD " + IntText(card.NFIELD) +
                              " in record 1 is more than the six flow fields; card D cannot be "
                              "read.");
  }
  if (!pair_functions::SystemsFit(shape, 'D', platform)) return false;

  // A negative NFIELD has no fields.
  for (int k = 0; k < card.NFIELD; ++k) {
    // Under IQOPT 3 the first field comes from the hydrodynamic file.
    if (k == 0 && card.IQOPT == 3) continue;
    CardDRecord::Field& field = card.fields[static_cast<size_t>(k)];
    field.read = true;
    if (!in.ReadLine(line)) {
      return Fail(platform, "ReadGroupD: EOF reading record 1" + FieldText(k));
    }
    const int ninq = ColumnInt(line, 1, 5);
    field.SCALQ = ColumnReal(line, 6, 10);
    field.CONVQ = ColumnReal(line, 16, 10);
    for (int t = 0; t < ninq; ++t) {
      if (!in.ReadLine(line)) {
        return Fail(platform, "ReadGroupD: EOF reading record 3" + FieldText(k));
      }
      PairFunction& function = field.functions.emplace_back();
      if (!ReadFlowExchanges(in, AtoI(line), k, function, platform)) return false;
      if (!pair_functions::ReadFunctionBreaks(in, function.breaks, 'D', "parse error", k,
                                              platform)) {
        return false;
      }
    }
  }
  return pair_functions::ReadBypass(in, shape, card.bypass,
                                    "ReadGroupD: EOF reading the bypass record", platform);
}

namespace group_d {

void LoadFromWC(COrvoBuilderDoc& doc, const DeckRecord& deck) {
  GroupDDlg& d = doc.group_d;
  const CardDRecord& card = deck.d;
  d.flow_option = card.IQOPT - 1;
  d.hydrodynamic_file = card.hydrodynamic_file;
  for (StringArray& field : d.fields) field.RemoveAll();
  if (card.NFIELD >= 1 && card.NFIELD <= kFields) {
    for (int n = card.NFIELD; n >= 1; --n) {
      if (n == 1 && card.IQOPT == 3) continue;
      const CardDRecord::Field& read = card.fields[static_cast<size_t>(n - 1)];
      std::vector<std::string>& entries = d.fields[static_cast<size_t>(n - 1)].GetList();
      entries = {RealText(read.SCALQ), RealText(read.CONVQ), "m^3/sec"};
      for (const PairFunction& function : read.functions) {
        entries.push_back(BreaksText(function.breaks));
      }
    }
  }
  d.bypass.Parse(pair_functions::BypassText(card.bypass, deck.a.NOSYS, doc.group_a.NOSYS), false);
}

}  // namespace group_d

bool ReadGroupD(COrvoBuilderDoc& doc, DeckScanner& in, bool skip) {
  CardDRecord card;
  if (!ParseCardD(in, ImportedShape(doc), card, doc.platform())) return false;
  if (skip) return true;

  GroupDDlg& d = doc.group_d;
  d.flow_option = card.IQOPT - 1;
  d.hydrodynamic_file = card.hydrodynamic_file;
  for (StringArray& field : d.fields) field.RemoveAll();

  std::vector<COrvoBuilderCntrItem*> exchanges;
  // The first exchange in node-list order for each (upstream, downstream).
  std::unordered_map<uint64_t, size_t> first;
  const std::string empty_list = StringArray().ToString();
  const std::string empty_record =
      StringArray(std::vector<std::string>(kFields, empty_list)).ToString();
  for (const auto& node : doc.nodes()) {
    if (!node->is_exchange()) continue;
    const ExchangeData& e = *node->exchange();
    first.try_emplace(DirectedKey(e.upstream, e.downstream), exchanges.size());
    exchanges.push_back(node.get());
  }

  // Portions being filled, by exchange position. Every exchange's record starts empty; each is
  // stored once at the end.
  std::unordered_map<size_t, std::array<std::vector<std::string>, kFields>> portions;
  bool missing = false;
  for (size_t k = 0; k < card.fields.size(); ++k) {
    const CardDRecord::Field& read = card.fields[k];
    if (!read.read) continue;
    std::vector<std::string>& entries = d.fields[k].GetList();
    entries = {RealText(read.SCALQ), RealText(read.CONVQ), "m^3/s"};
    for (size_t t = 0; t < read.functions.size(); ++t) {
      const PairFunction& function = read.functions[t];
      for (const SegmentPair& pair : function.pairs) {
        const auto found = first.find(DirectedKey(pair.from, pair.to));
        if (found == first.end()) {
          missing = true;
          continue;
        }
        std::vector<std::string>& list = portions[found->second][k];
        while (list.size() <= t) list.emplace_back("0.0");
        list[t] = RealText(pair.first);
      }
      entries.push_back(BreaksText(function.breaks));
    }
  }
  for (size_t i = 0; i < exchanges.size(); ++i) {
    const auto found = portions.find(i);
    if (found == portions.end()) {
      exchanges[i]->SetParameter(exchange_param::kGroupD, empty_record);
      continue;
    }
    std::vector<std::string> record;
    for (std::vector<std::string>& list : found->second) {
      record.push_back(list.empty() ? empty_list : StringArray(std::move(list)).ToString());
    }
    exchanges[i]->SetParameter(exchange_param::kGroupD, StringArray(std::move(record)).ToString());
  }
  if (missing) {
    doc.platform().ShowMessage(
        "ReadGroupD: Warning: at least one exchange in the input was not found in network.");
  }

  d.bypass.RemoveAll();
  for (int value : card.bypass) d.bypass.GetList().push_back(IntText(value));
  doc.SetModifiedFlag();
  return true;
}

}  // namespace orvo
