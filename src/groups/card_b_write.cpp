// Card B: dispersive exchanges, assembled from the group's fields and the exchanges' entries.
#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "groups/cards.h"
#include "model/model_vocabulary.h"
#include "model/number_text.h"
#include "model/string_array.h"
#include "model/string_array_view.h"

namespace orvo::group_b {
namespace {

struct Member {
  const COrvoBuilderCntrItem* node;
  double area;
  double length;
};

// Members of every exchange function of both fields, [field][function], in node-list order.
// One pass over the nodes parses each exchange's entries once.
std::vector<std::vector<std::vector<Member>>> MembersByFunction(const COrvoBuilderDoc& doc) {
  const GroupBDlg& b = doc.group_b;
  std::vector<std::vector<std::vector<Member>>> members(2);
  members[0].resize(b.surface_functions.size());
  members[1].resize(b.pore_functions.size());
  StringArrayView entries;
  StringArrayView pair;
  for (const auto& node : doc.nodes()) {
    if (!node->is_exchange()) continue;
    const ExchangeData& exchange = *node->exchange();
    if (exchange.exchange_field != 0 && exchange.exchange_field != 1) continue;
    auto& functions = members[static_cast<size_t>(exchange.exchange_field)];
    entries.Reset(exchange.entries);
    // Entries beyond the field's functions are left over from an earlier field: ignored.
    const size_t count = std::min(entries.size(), functions.size());
    for (size_t k = 0; k < count; ++k) {
      pair.Reset(entries.At(k));
      if (pair.size() != 2) continue;
      const double area = AtoF(pair.At(0));
      const double length = AtoF(pair.At(1));
      if (area == 0.0 || length == 0.0) continue;
      functions[k].push_back({node.get(), area, length});
    }
  }
  return members;
}

bool SimulationTypeSet(SimulationType simtyp) {
  return simtyp == kFenu5 || simtyp == kVerda5 || simtyp == kKobal5;
}

}  // namespace

bool WriteCard(const COrvoBuilderDoc& doc, DeckOut& out, const Variation* variation) {
  const GroupBDlg& b = doc.group_b;
  const int nrfld = b.NRFLD();
  out.Int(nrfld, 5, "NRFLD");
  out.Line(b.title);

  if (nrfld > 0) {
    const auto members = MembersByFunction(doc);
    std::unordered_set<const COrvoBuilderCntrItem*> varied_exchanges;
    if (variation != nullptr) {
      varied_exchanges.insert(variation->exchanges.begin(), variation->exchanges.end());
    }
    for (int field = 0; field < nrfld; ++field) {
      const bool surface = field == 0;
      const StringArray& functions = surface ? b.surface_functions : b.pore_functions;
      out.Int(static_cast<long long>(functions.size()), 5, "The number of exchange functions");
      out.Real(surface ? b.surface_SCALR : b.pore_SCALR);
      out.Real(surface ? b.surface_CONVR : b.pore_CONVR);
      out.Line(surface ? "\t\t\t(surface water)" : "\t\t\t(pore water)");

      for (size_t k = 0; k < functions.size(); ++k) {
        const std::vector<Member>& exchanges = members[static_cast<size_t>(field)][k];
        const bool vary_function =
            variation != nullptr && Variation::Contains(variation->functions, static_cast<int>(k));
        out.Int(static_cast<long long>(exchanges.size()), 5, "The number of exchanges");
        out.EndLine();
        for (const Member& member : exchanges) {
          double area = member.area;
          double length = member.length;
          if (vary_function && varied_exchanges.count(member.node) != 0) {
            if (variation->quantity == 0) area = variation->Apply(area);
            if (variation->quantity == 1) length = variation->Apply(length);
          }
          const ExchangeData& exchange = *member.node->exchange();
          out.Real(area);
          out.Real(length);
          out.Int(exchange.upstream, 5, "The upstream segment ID");
          out.Int(exchange.downstream, 5, "The downstream segment ID");
          out.EndLine();
        }
        // An unpaired number would leave the model reading the next record as a time.
        if (!out.TimeFunction(TimeFunctionEntries(functions.At(k)))) return false;
      }
    }

    for (size_t i = 0; i < b.bypass.size(); ++i) out.Int(AtoI(b.bypass.At(i)), 5, "RBY");
    out.EndLine();
  }

  if (variation != nullptr) variation->AppendNote();
  return out.ok();
}

void Check(const COrvoBuilderDoc& doc, std::vector<std::string>& findings) {
  const GroupBDlg& b = doc.group_b;
  if (!SimulationTypeSet(doc.group_a.SIMTYP)) {
    findings.emplace_back("Group B: Error: Simulation type is unset.");
  }
  if (b.surface_functions.empty() && b.pore_functions.empty()) {
    findings.emplace_back("Group B: Warning: No exchange fields defined (NRFLD).");
  }
  if (!b.pore_functions.empty()) {
    if (b.pore_SCALR <= 0.0) {
      findings.emplace_back("Group B: Warning: Pore water scale factor is 0 (SCALR).");
    }
    if (b.pore_CONVR <= 0.0) {
      findings.emplace_back("Group B: Warning: Pore water conversion factor is 0 (CONVR).");
    }
  }
  if (!b.surface_functions.empty()) {
    if (b.surface_SCALR <= 0.0) {
      findings.emplace_back("Group B: Warning: Surface water scale factor is 0 (SCALR).");
    }
    if (b.surface_CONVR <= 0.0) {
      findings.emplace_back("Group B: Warning: Surface water conversion factor is 0 (CONVR).");
    }
  }
}

std::string NodeCheck(const COrvoBuilderDoc& doc, const COrvoBuilderCntrItem& node) {
  if (!node.is_exchange()) return "Wrong Segment Type";
  const GroupBDlg& b = doc.group_b;
  const int surface = b.SurfaceFunctionCount();
  const int pore = b.PoreFunctionCount();
  if (surface == 0 && pore == 0) return "OK (no surface or porewater time functions defined).";
  const ExchangeData& exchange = *node.exchange();
  const int field = exchange.exchange_field;
  if (field != 0 && field != 1) return "OK";
  if ((field == 0 ? surface : pore) < 1) return "OK";
  // The misspelled "unintialized" is the report's established wording.
  const StringArray entries(exchange.entries);
  for (size_t i = 0; i < entries.size(); ++i) {
    const StringArray pair(entries.At(i));
    if (AtoF(pair.At(0)) == 0.0)
      return "Area unintialized for time function " + IntText(static_cast<long long>(i));
    if (AtoF(pair.At(1)) == 0.0) {
      return "Characteristic length unintialized for time function " +
             IntText(static_cast<long long>(i));
    }
  }
  return "OK";
}

}  // namespace orvo::group_b
