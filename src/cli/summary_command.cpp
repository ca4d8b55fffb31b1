#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "cli_command.h"
#include "model/model_vocabulary.h"
#include "model/project_document.h"

namespace orvo::cli {
namespace {

const char* const kTypeNames[] = {"FENU5", "VERDA5", "KOBAL5"};
const char* const kSegmentTypes[] = {"surface water", "subsurface water", "upper bed", "lower bed"};

// "3 apples" with "and" before the last of several parts.
std::string Joined(const std::vector<std::string>& parts) {
  std::string text;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) text += i + 1 == parts.size() ? " and " : ", ";
    text += parts[i];
  }
  return text;
}

}  // namespace

// A few lines a person reads: the simulation type and titles, the segments by type, the
// exchanges, and the systems with those bypassed.
int Summary(Context& context, const std::vector<std::string>& args) {
  if (args.size() != 1) return kUsage;
  COrvoBuilderDoc document(context.platform);
  if (!document.Load(args[0])) return kFailed;
  const GroupADlg& a = document.group_a;
  const SimulationType type = a.SIMTYP;
  const bool typed = type == kFenu5 || type == kVerda5 || type == kKobal5;
  context.out << (typed ? kTypeNames[static_cast<size_t>(type)]
                        : "Project without a simulation type")
              << (typed ? " project " : " ") << args[0] << '\n';
  for (const std::string* title : {&a.TITLE1, &a.TITLE2}) {
    if (!title->empty()) context.out << "  " << *title << '\n';
  }

  std::array<int, 5> by_type{};  // the four types, then unset
  int segments = 0, inflows = 0, outflows = 0, between = 0;
  for (const auto& node : document.nodes()) {
    if (const SegmentData* segment = node->segment()) {
      ++segments;
      const int position = segment->segment_type;
      ++by_type[position >= 0 && position < 4 ? position : 4];
    } else if (const ExchangeData* exchange = node->exchange()) {
      if (exchange->upstream == 0) {
        ++inflows;
      } else if (exchange->downstream == 0) {
        ++outflows;
      } else {
        ++between;
      }
    }
  }
  std::vector<std::string> kinds;
  for (int i = 0; i < 5; ++i) {
    if (by_type[i] > 0) {
      kinds.push_back(std::to_string(by_type[i]) + " " + (i < 4 ? kSegmentTypes[i] : "untyped"));
    }
  }
  context.out << "  " << segments << " segments"
              << (kinds.empty() ? "" : " (" + Joined(kinds) + ")") << '\n';
  context.out << "  " << inflows + outflows + between << " exchanges (" << between
              << " between segments, " << inflows << (inflows == 1 ? " inflow, " : " inflows, ")
              << outflows << (outflows == 1 ? " outflow)" : " outflows)") << '\n';

  std::vector<std::string> simulated, bypassed;
  for (int system = 1; system <= a.NOSYS; ++system) {
    std::string name = vocabulary::SystemName(type, system);
    if (name.empty()) name = "system " + std::to_string(system);
    (a.SYSBY.At(static_cast<size_t>(system - 1)) == "1" ? bypassed : simulated).push_back(name);
  }
  context.out << "  " << a.NOSYS << " systems";
  if (!simulated.empty()) context.out << ": " << Joined(simulated) << " simulated";
  if (!bypassed.empty())
    context.out << (simulated.empty() ? ": " : "; ") << Joined(bypassed) << " bypassed";
  context.out << '\n';
  return context.out ? kSuccess : kFailed;
}

}  // namespace orvo::cli
