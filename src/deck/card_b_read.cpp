// Card B (dispersive exchanges): its parser, what group B takes from a whole deck, the
// importer, and the exchange entries the network construction fills from the deck read last.
// Also the time-function block the importers of cards B, D, E and F share.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "deck/deck_reader.h"
#include "deck/deck_reading.h"
#include "deck/pair_functions.h"
#include "model/number_text.h"
#include "model/string_array.h"
#include "model/string_array_view.h"

namespace orvo {
namespace {

using pair_functions::BreaksText;
using pair_functions::Fail;
using pair_functions::FieldText;

// The two ends of an exchange in either order as one key.
uint64_t PairKey(int a, int b) {
  if (b < a) std::swap(a, b);
  return (static_cast<uint64_t>(static_cast<uint32_t>(a)) << 32) | static_cast<uint32_t>(b);
}

std::string EntryText(double area, double length) {
  return StringArrayText({RealText(area), RealText(length)});
}

}  // namespace

bool ScanTimeFunction(DeckScanner& in, Breaks& breaks) {
  breaks.clear();
  int count = 0;
  if (!in.ScanInt(5, count)) return false;
  // A negative count has no numbers; a huge one runs into the end of the text.
  const long long numbers = count > 0 ? 2LL * count : 0;
  for (long long i = 0; i < numbers; ++i) {
    double value = 0;
    if (!in.ScanDouble(10, value)) return false;
    breaks.push_back(value);
  }
  in.SkipRestOfLine();
  return true;
}

bool ParseCardB(DeckScanner& in, const DeckShape& shape, CardBRecord& card, Platform& platform) {
  card = CardBRecord{};
  std::string line;
  // NRFLD by its columns: the title follows column 5 directly and may begin with a digit.
  const bool has_line = in.ReadLine(line);
  const std::string nrfld_field = ColumnText(line, 1, 5);
  DeckScanner nrfld_scanner(nrfld_field);
  if (!has_line || !nrfld_scanner.ScanInt(5, card.NRFLD)) {
    return Fail(platform, "ReadGroupB: Parse error reading nrfld in record 1");
  }
  if (card.NRFLD < 0 || card.NRFLD > 2) {
    return Fail(platform, "ReadGroupB: NRFLD " + IntText(card.NRFLD) +
                              " in record 1 is outside 0 to 2; card B cannot be read.");
  }
  card.title = TrimRight(ColumnsFrom(line, 6));
  if (card.NRFLD == 0) return true;
  if (!pair_functions::SystemsFit(shape, 'B', platform)) return false;

  for (int f = 0; f < card.NRFLD; ++f) {
    if (!in.ReadLine(line))
      return Fail(platform, "ReadGroupB: EOF reading record 2" + FieldText(f));
    CardBRecord::Field& field = card.fields.emplace_back();
    const int count = ColumnInt(line, 1, 5);
    field.SCALR = ColumnReal(line, 6, 10);
    field.CONVR = ColumnReal(line, 16, 10);
    for (int t = 0; t < count; ++t) {
      if (!in.ReadLine(line)) {
        return Fail(platform, "ReadGroupB: EOF reading record 3" + FieldText(f));
      }
      PairFunction& function = field.functions.emplace_back();
      const int exchanges = ColumnInt(line, 1, 5);
      for (int i = 0; i < exchanges; ++i) {
        if (!in.ReadLine(line)) {
          return Fail(platform, "ReadGroupB: EOF reading record 4" + FieldText(f));
        }
        function.pairs.push_back({ColumnInt(line, 21, 5), ColumnInt(line, 26, 5),
                                  ColumnReal(line, 1, 10), ColumnReal(line, 11, 10)});
      }
      if (!pair_functions::ReadFunctionBreaks(in, function.breaks, 'B', "Parse error", f,
                                              platform)) {
        return false;
      }
    }
  }
  return pair_functions::ReadBypass(in, shape, card.bypass, "ReadGroupB: EOF reading record 5",
                                    platform);
}

namespace group_b {

void LoadFromWC(COrvoBuilderDoc& doc, const DeckRecord& deck) {
  GroupBDlg& b = doc.group_b;
  const CardBRecord& card = deck.b;
  const CardBRecord::Field absent;
  const CardBRecord::Field& surface = card.fields.size() > 0 ? card.fields[0] : absent;
  const CardBRecord::Field& pore = card.fields.size() > 1 ? card.fields[1] : absent;
  b.title = card.title;
  b.surface_SCALR = surface.SCALR;
  b.surface_CONVR = surface.CONVR;
  b.pore_SCALR = pore.SCALR;
  b.pore_CONVR = pore.CONVR;
  b.surface_functions.RemoveAll();
  for (const PairFunction& function : surface.functions) {
    b.surface_functions.GetList().push_back(BreaksText(function.breaks));
  }
  b.pore_functions.RemoveAll();
  for (const PairFunction& function : pore.functions) {
    b.pore_functions.GetList().push_back(BreaksText(function.breaks));
  }

  if (card.NRFLD == 0) {
    b.bypass.RemoveAll();
    return;
  }
  b.bypass.Parse(pair_functions::BypassText(card.bypass, deck.a.NOSYS, doc.group_a.NOSYS), false);
}

}  // namespace group_b

bool ReadGroupB(COrvoBuilderDoc& doc, DeckScanner& in, bool skip) {
  CardBRecord card;
  if (!ParseCardB(in, ImportedShape(doc), card, doc.platform())) return false;
  if (skip) return true;

  GroupBDlg& b = doc.group_b;
  b.title = card.title;
  b.surface_functions.RemoveAll();
  b.pore_functions.RemoveAll();
  b.surface_SCALR = b.surface_CONVR = b.pore_SCALR = b.pore_CONVR = 0.0;
  std::vector<COrvoBuilderCntrItem*> exchanges;
  const std::string no_entries = StringArray().ToString();
  for (const auto& node : doc.nodes()) {
    if (!node->is_exchange()) continue;
    exchanges.push_back(node.get());
    node->SetParameter(exchange_param::kEntries, no_entries);
    node->SetParameter(exchange_param::kExchangeField, "2");
  }

  // Entries being filled, by exchange position; stored back before anything else reads them.
  std::unordered_map<size_t, std::vector<std::string>> pending;
  auto store_pending = [&]() {
    for (auto& [position, entries] : pending) {
      exchanges[position]->SetParameter(exchange_param::kEntries,
                                        StringArray(std::move(entries)).ToString());
    }
    pending.clear();
  };
  const std::string zero_entry = StringArray({"0.0", "0.0"}).ToString();

  for (size_t f = 0; f < card.fields.size(); ++f) {
    const CardBRecord::Field& field = card.fields[f];
    const int f_code = static_cast<int>(f);
    StringArray& functions = f == 0 ? b.surface_functions : b.pore_functions;
    (f == 0 ? b.surface_SCALR : b.pore_SCALR) = field.SCALR;
    (f == 0 ? b.surface_CONVR : b.pore_CONVR) = field.CONVR;
    const int count = static_cast<int>(field.functions.size());
    if (count != static_cast<int>(functions.size())) {
      store_pending();
      doc.SetExchangeFunctionCount(f_code, count);
    }

    // The first exchange of each pair of ends, among those that can take this field. Taking
    // a line only moves an exchange from field 2 to this field, so the candidates stay the
    // same for the whole field.
    std::unordered_map<uint64_t, size_t> first;
    for (size_t i = 0; i < exchanges.size(); ++i) {
      const ExchangeData& e = *exchanges[i]->exchange();
      if (e.exchange_field == f_code || e.exchange_field == 2) {
        first.try_emplace(PairKey(e.upstream, e.downstream), i);
      }
    }
    for (size_t t = 0; t < field.functions.size(); ++t) {
      const PairFunction& function = field.functions[t];
      for (const SegmentPair& pair : function.pairs) {
        const auto found = first.find(PairKey(pair.from, pair.to));
        if (found == first.end()) continue;  // no such exchange in the network
        const size_t position = found->second;
        COrvoBuilderCntrItem* node = exchanges[position];
        auto [entry, added] = pending.try_emplace(position);
        if (added) entry->second = StringArray(node->exchange()->entries).GetList();
        std::vector<std::string>& entries = entry->second;
        while (entries.size() <= t) entries.push_back(zero_entry);
        entries[t] = EntryText(pair.first, pair.second);
        if (node->exchange()->exchange_field != f_code)
          node->SetParameter(exchange_param::kExchangeField, IntText(f_code));
      }
      functions.GetList().push_back(BreaksText(function.breaks));
    }
  }
  store_pending();

  if (card.NRFLD > 0) {
    b.bypass.RemoveAll();
    for (int value : card.bypass) b.bypass.GetList().push_back(IntText(value));
  }
  doc.SetModifiedFlag();
  return true;
}

ExchangeLineIndex::ExchangeLineIndex(const DeckRecord& record) {
  // Surface water, then pore water.
  const size_t fields = std::min<size_t>(record.b.fields.size(), 2);
  for (size_t field = 0; field < fields; ++field) {
    const auto& functions = record.b.fields[field].functions;
    for (size_t k = 0; k < functions.size(); ++k) {
      for (const SegmentPair& pair : functions[k].pairs) {
        by_pair_[PairKey(pair.from, pair.to)].push_back({field, k, &pair});
      }
    }
  }
}

const std::vector<ExchangeLineIndex::Line>* ExchangeLineIndex::Lines(int up, int down) const {
  const auto found = by_pair_.find(PairKey(up, down));
  return found == by_pair_.end() ? nullptr : &found->second;
}

void SetGroupB_ExchangeData(COrvoBuilderDoc& doc, COrvoBuilderCntrItem& node) {
  const DeckRecord* record = doc.dataset_reader ? doc.dataset_reader->record() : nullptr;
  if (record == nullptr) {
    doc.platform().ShowMessage(
        "COrvoBuilderDoc::SetGroupB_ExchangeData called without first reading a ORVO input "
        "file.");
    return;
  }
  SetGroupB_ExchangeData(node, ExchangeLineIndex(*record));
}

void SetGroupB_ExchangeData(COrvoBuilderCntrItem& node, const ExchangeLineIndex& index) {
  if (!node.is_exchange()) return;
  const ExchangeData& exchange = *node.exchange();
  if (exchange.upstream == 0 || exchange.downstream == 0) return;
  const int field = exchange.exchange_field;
  if (field != 0 && field != 1) return;

  const std::vector<ExchangeLineIndex::Line>* lines =
      index.Lines(exchange.upstream, exchange.downstream);
  if (lines == nullptr) return;
  // The entries as views of the node's record; a changed entry views its new text.
  std::vector<std::string_view> entries;
  int level;
  std::string_view error;
  if (!SplitStringArray(exchange.entries, entries, level, error)) return;
  std::vector<std::string> texts;
  texts.reserve(lines->size());
  for (const ExchangeLineIndex::Line& line : *lines) {
    // The entry was made by the exchange's function count; a later line wins.
    if (line.field != static_cast<size_t>(field) || line.function >= entries.size()) continue;
    texts.push_back(EntryText(line.pair->first, line.pair->second));
    entries[line.function] = texts.back();
  }
  if (!texts.empty()) {
    node.SetParameter(exchange_param::kEntries,
                      StringArrayText(entries.data(), entries.size(), std::max(level, 0)));
  }
}

}  // namespace orvo
