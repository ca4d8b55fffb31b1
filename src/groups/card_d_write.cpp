// Card D: advective flows, assembled from the group's fields and the exchanges' portions.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "groups/cards.h"
#include "model/number_text.h"
#include "model/string_array.h"
#include "model/string_array_view.h"

namespace orvo::group_d {
namespace {

constexpr int kFields = GroupDDlg::kFieldCount;
constexpr size_t kLeadingEntries = 3;  // SCALQ, CONVQ, units name

constexpr std::array<const char*, kFields> kComments = {
    "(water column field)", "(pore water field)", "(solids1 field)",
    "(solids2 field)",      "(solids3 field)",    "(evap & precip field)"};

struct Carrier {
  const COrvoBuilderCntrItem* node;
  double portion;
};

// Carriers of every flow function, [field][function], in node-list order. One pass over the
// nodes parses each exchange's portions once.
std::array<std::vector<std::vector<Carrier>>, kFields> CarriersByFunction(
    const COrvoBuilderDoc& doc) {
  const GroupDDlg& d = doc.group_d;
  std::array<std::vector<std::vector<Carrier>>, kFields> carriers;
  for (int k = 0; k < kFields; ++k) carriers[k].resize(static_cast<size_t>(d.NINQ(k)));
  StringArrayView record;
  StringArrayView portions;
  for (const auto& node : doc.nodes()) {
    if (!node->is_exchange()) continue;
    record.Reset(node->exchange()->group_d);
    for (int k = 0; k < kFields; ++k) {
      if (carriers[k].empty()) continue;
      portions.Reset(record.At(static_cast<size_t>(k)));
      const size_t count = std::min(portions.size(), carriers[k].size());
      for (size_t t = 0; t < count; ++t) {
        const double portion = AtoF(portions.At(t));
        if (portion != 0.0) carriers[k][t].push_back({node.get(), portion});
      }
    }
  }
  return carriers;
}

}  // namespace

bool WriteCard(const COrvoBuilderDoc& doc, DeckOut& out, const Variation* variation) {
  const GroupDDlg& d = doc.group_d;
  const int iqopt = d.flow_option + 1;
  const int nfield = d.NFIELD();
  out.Int(iqopt, 5, "IQOPT");
  out.Int(nfield, 5, "NFIELD");
  out.Line(d.hydrodynamic_file);

  const auto carriers = CarriersByFunction(doc);
  for (int k = 0; k < nfield; ++k) {
    // With IQOPT 3 the field 1 flows come from the hydrodynamic file.
    if (k == 0 && iqopt == 3) continue;
    const StringArray& field = d.fields[k];
    if (field.empty()) {
      out.Int(0, 5, "NINQ");
      out.EndLine();
      continue;
    }
    const int ninq = d.NINQ(k);
    out.Int(ninq, 5, "NINQ");
    out.Real(AtoF(field.At(0)));
    out.Real(AtoF(field.At(1)));
    out.Text("\t\t");
    out.Line(kComments[k]);

    const bool vary_field = variation != nullptr && Variation::Contains(variation->fields, k);
    for (int t = 0; t < ninq; ++t) {
      const std::vector<Carrier>& exchanges = carriers[k][static_cast<size_t>(t)];
      out.Int(static_cast<long long>(exchanges.size()), 5, "The number of exchanges");
      out.EndLine();
      for (size_t i = 0; i < exchanges.size(); ++i) {
        const ExchangeData& exchange = *exchanges[i].node->exchange();
        out.Real(exchanges[i].portion);
        out.Int(exchange.upstream, 5, "The upstream segment ID");
        out.Int(exchange.downstream, 5, "The downstream segment ID");
        if (i % 4 == 3 || i + 1 == exchanges.size()) out.EndLine();
      }

      std::vector<std::string> entries =
          TimeFunctionEntries(field.At(kLeadingEntries + static_cast<size_t>(t)));
      if (vary_field && Variation::Contains(variation->functions, t)) {
        // Only the flows change, never the times; the varied value is "%g" text like any
        // stored one.
        for (size_t i = 0; i < entries.size(); i += 2) {
          entries[i] = RealText(variation->Apply(AtoF(entries[i])));
        }
      }
      // An unpaired number would leave the model reading the next record as a time.
      if (!out.TimeFunction(entries)) return false;
    }
  }

  // One option per system of the project, even with no flow field; a short list reads as 0.
  for (int i = 0; i < doc.group_a.NOSYS; ++i) {
    out.Int(AtoI(d.bypass.At(static_cast<size_t>(i))), 5, "QBY");
  }
  out.EndLine();

  if (variation != nullptr) variation->AppendNote();
  return out.ok();
}

void Check(const COrvoBuilderDoc& doc, std::vector<std::string>& findings) {
  const GroupDDlg& d = doc.group_d;
  if (d.flow_option < 0) findings.emplace_back("Group D: Error: Flow option unset (IQOPT).");
  if (d.NFIELD() == 0) findings.emplace_back("Group D: Warning: No flows in project (NFIELD).");
}

std::string NodeCheck(const COrvoBuilderDoc& doc, const COrvoBuilderCntrItem& node) {
  if (!node.is_exchange()) return "Wrong Segment Type";
  const GroupDDlg& d = doc.group_d;
  const StringArray record(node.exchange()->group_d);
  for (int k = 0; k < kFields; ++k) {
    const int ninq = d.NINQ(k);
    if (ninq < 1) continue;
    const StringArray portions(record.At(static_cast<size_t>(k)));
    for (int t = 0; t < ninq; ++t) {
      if (AtoF(portions.At(static_cast<size_t>(t))) == 0.0) {
        return "No flow given for field " + IntText(k) + ", time " + IntText(t);
      }
    }
  }
  return "OK";
}

}  // namespace orvo::group_d
