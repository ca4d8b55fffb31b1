#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <map>
#include <optional>
#include <ostream>

#include "cli_command.h"
#include "model/number_text.h"
#include "model/project_document.h"
#include "model/text_trim.h"
#include "runs/sensitivity.h"
#include "runs/sensitivity_family.h"

namespace orvo::cli {
namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string Trim(const std::string& text) {
  return std::string(orvo::Trim(text, " \t"));
}

std::vector<std::string> Split(const std::string& list) {
  std::vector<std::string> items;
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(',', start);
    if (end == std::string::npos) end = list.size();
    items.push_back(Trim(list.substr(start, end - start)));
    start = end + 1;
  }
  return items;
}

bool WholeNumber(const std::string& text, int& value) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && stop == end;
}

// "3,5-7" -> 3, 5, 6, 7; nullopt for anything else.
std::optional<std::vector<int>> Numbers(const std::string& list) {
  std::vector<int> numbers;
  for (const std::string& item : Split(list)) {
    const size_t dash = item.find('-', 1);
    int first = 0;
    int last = 0;
    if (!WholeNumber(item.substr(0, dash), first)) return std::nullopt;
    last = first;
    if (dash != std::string::npos && !WholeNumber(item.substr(dash + 1), last)) return std::nullopt;
    if (last < first || last - first > kMaxSensitivityRuns * 100) return std::nullopt;
    for (int n = first; n <= last; ++n) numbers.push_back(n);
  }
  return numbers;
}

// The position of name in a dialog's list: its text (case and surrounding blanks ignored) or
// its 1-based number in the list.
std::optional<int> Find(const std::vector<std::string>& list, const std::string& name) {
  for (size_t i = 0; i < list.size(); ++i) {
    if (Lower(Trim(list[i])) == Lower(Trim(name))) return static_cast<int>(i);
  }
  int number = 0;
  if (WholeNumber(name, number) && number >= 1 && static_cast<size_t>(number) <= list.size())
    return number - 1;
  return std::nullopt;
}

std::string Listed(const std::vector<std::string>& list) {
  std::string text;
  for (const std::string& item : list) text += (text.empty() ? "" : ", ") + Trim(item);
  return text.empty() ? "none" : text;
}

// Options with a value, as given.
using Options = std::map<std::string, std::string>;

class ChoiceBuilder {
 public:
  ChoiceBuilder(const COrvoBuilderDoc& doc, const Options& options, Platform& platform)
      : doc_(doc), options_(options), platform_(platform) {}

  // nullopt: a usage error (a missing or malformed option) or a name the project lacks
  // (reported; failed() tells).
  std::optional<SensitivityChoice> Build(int group) {
    SensitivityChoice choice;
    choice.group = group;
    switch (group) {
      case kVaryB: {
        const auto field = Pick("--field", {"water", "pore"});
        const auto variable = Pick("--variable", {"area", "length"});
        const auto functions = List("--functions");
        if (!field || !variable || !functions || !Has("--exchanges")) return std::nullopt;
        choice.field = *field;
        choice.quantity = *variable;
        choice.functions = Positions(*functions);
        const auto members = ExchangesOfFunctions(doc_, choice.field, choice.functions);
        for (const std::string& ends : Split(options_.at("--exchanges"))) {
          const auto found = std::find_if(members.begin(), members.end(), [&](const auto* node) {
            return ExchangeLabel(*node) == Replace(ends);
          });
          if (found == members.end()) return Missing("exchange", ends, Labels(members));
          choice.exchanges.push_back(*found);
        }
        break;
      }
      case kVaryC: {
        const auto item = Pick("--item", {"volume", "vmult", "vexp", "dmult", "dxp"});
        const auto segments = List("--segments");
        if (!item || !segments) return std::nullopt;
        choice.quantity = *item;
        choice.segments = *segments;
        break;
      }
      case kVaryD: {
        const auto functions = List("--functions");
        if (!functions || !Has("--fields")) return std::nullopt;
        std::vector<std::string> names;
        const std::vector<int> defined = DefinedFlowFields(doc_);
        for (int field : defined) names.push_back(FlowFieldName(field));
        for (const std::string& name : Split(options_.at("--fields"))) {
          const auto found = Find(names, name);
          if (!found) return Missing("flow field", name, names);
          choice.flow_fields.push_back(defined[static_cast<size_t>(*found)]);
        }
        choice.functions = Positions(*functions);
        break;
      }
      case kVaryE:
      case kVaryF:
      case kVaryJ: {
        const auto system = Named("--system", "system", SensitivitySystemNames(doc_));
        const auto segments = List("--segments");
        std::optional<int> quantity = 0;
        if (group == kVaryJ) quantity = Pick("--quantity", {"initial", "dissolved"});
        if (!system || !segments || !quantity) return std::nullopt;
        choice.system = *system;
        choice.segments = group == kVaryJ ? Positions(*segments) : *segments;
        choice.quantity = *quantity + 1;
        break;
      }
      case kVaryG: {
        const std::vector<int> slots = ParametersInUse(doc_);
        std::vector<std::string> names;
        for (int slot : slots) names.push_back(ParameterName(doc_, slot));
        const auto parameter = Named("--parameter", "parameter", names);
        const auto segments = List("--segments");
        if (!parameter || !segments) return std::nullopt;
        choice.slot = slots[static_cast<size_t>(*parameter)];
        choice.segments = *segments;
        break;
      }
      case kVaryH: {
        const auto block = Named("--system", "system", ConstantBlockNames(doc_));
        if (!block) return std::nullopt;
        const auto field = Named("--field", "field", ConstantFieldNames(doc_, *block));
        if (!field) return std::nullopt;
        std::vector<std::string> names;
        const std::vector<std::string> labels = ConstantLabels(doc_, *block, *field);
        std::optional<int> constant;
        if (Has("--constant")) {
          // By its name alone or as the dialog shows it, name and number.
          for (const std::string& label : labels)
            names.push_back(label.substr(0, label.rfind(" (")));
          constant = Find(names, options_.at("--constant"));
          if (!constant) constant = Find(labels, options_.at("--constant"));
          if (!constant) return Missing("constant", options_.at("--constant"), labels);
        } else {
          usage_ = true;
          return std::nullopt;
        }
        choice.system = *block;
        choice.constant_field = *field;
        choice.constant = *constant;
        break;
      }
      default:
        usage_ = true;
        return std::nullopt;
    }
    return choice;
  }

  bool usage() const { return usage_; }

 private:
  bool Has(const std::string& option) {
    if (options_.count(option) != 0) return true;
    usage_ = true;
    return false;
  }

  std::optional<int> Pick(const std::string& option, const std::vector<std::string>& words) {
    if (!Has(option)) return std::nullopt;
    const auto found = std::find(words.begin(), words.end(), Lower(options_.at(option)));
    if (found == words.end()) {
      usage_ = true;
      return std::nullopt;
    }
    return static_cast<int>(found - words.begin());
  }

  std::optional<std::vector<int>> List(const std::string& option) {
    if (!Has(option)) return std::nullopt;
    auto numbers = Numbers(options_.at(option));
    if (!numbers) usage_ = true;
    return numbers;
  }

  std::optional<int> Named(const std::string& option, const std::string& what,
                           const std::vector<std::string>& names) {
    if (!Has(option)) return std::nullopt;
    const auto found = Find(names, options_.at(option));
    if (!found) return Missing(what, options_.at(option), names);
    return found;
  }

  std::nullopt_t Missing(const std::string& what, const std::string& name,
                         const std::vector<std::string>& names) {
    platform_.ShowMessage("orvo vary: the project has no " + what + " \"" + name +
                          "\"; it has: " + Listed(names) + ".");
    return std::nullopt;
  }

  static std::vector<int> Positions(const std::vector<int>& numbers) {
    std::vector<int> positions;
    for (int n : numbers) positions.push_back(n - 1);
    return positions;
  }

  static std::string Replace(std::string ends) {
    const size_t dash = ends.find('-', 1);
    if (dash != std::string::npos && ends.compare(dash, 2, "->") != 0) ends.replace(dash, 1, "->");
    return ends;
  }

  static std::vector<std::string> Labels(const std::vector<const COrvoBuilderCntrItem*>& nodes) {
    std::vector<std::string> labels;
    for (const auto* node : nodes) labels.push_back(ExchangeLabel(*node));
    return labels;
  }

  const COrvoBuilderDoc& doc_;
  const Options& options_;
  Platform& platform_;
  bool usage_ = false;
};

bool PositiveNumber(const std::string& text, double& value) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && stop == end && std::isfinite(value) && value > 0;
}

}  // namespace

// A sensitivity family from the command line, as a group's dialog and "Generate" make it:
// one deck per value of --values beside OUTPUT, run one after another or --jobs at a time,
// one line per run (deck, TITLE2, "ok" or why not).
int Vary(Context& context, const std::vector<std::string>& args) {
  std::vector<std::string> positional;
  Options options;
  bool as_value = false;
  bool offset = false;
  bool base_case = true;
  static const char* const kValued[] = {"--values",    "--title",    "--jobs",      "--timeout",
                                        "--field",     "--variable", "--functions", "--exchanges",
                                        "--item",      "--segments", "--fields",    "--system",
                                        "--parameter", "--constant", "--quantity"};
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--as-value") {
      as_value = true;
    } else if (arg == "--offset") {
      offset = true;
    } else if (arg == "--no-base") {
      base_case = false;
    } else if (std::find(std::begin(kValued), std::end(kValued), arg) != std::end(kValued)) {
      if (i + 1 >= args.size() || options.count(arg) != 0) return kUsage;
      options[arg] = args[++i];
    } else if (arg.rfind("--", 0) == 0) {
      return kUsage;
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != 3 || positional[1].size() != 1 || options.count("--values") == 0)
    return kUsage;
  const int group = SensitivityGroupOfLetter(positional[1][0]);
  if (group == 0) return kUsage;
  int jobs = 1;
  if (options.count("--jobs") != 0 &&
      (!WholeNumber(options["--jobs"], jobs) || jobs < 1 || jobs > 64))
    return kUsage;
  double timeout = 0;
  if (options.count("--timeout") != 0 && !PositiveNumber(options["--timeout"], timeout))
    return kUsage;

  Platform& platform = context.platform;
  COrvoBuilderDoc document(platform);
  if (!document.Load(positional[0])) return kFailed;
  ChoiceBuilder builder(document, options, platform);
  const std::optional<SensitivityChoice> choice = builder.Build(group);
  if (!choice) return builder.usage() ? kUsage : kFailed;
  if (!CheckSensitivitySelection(*choice, platform)) return kFailed;
  std::vector<double> amounts;
  std::string problem;
  if (!ParseIntervals(options["--values"], amounts, problem)) {
    platform.ShowMessage(problem);
    return kFailed;
  }
  const std::string title1 = options.count("--title") != 0 ? options["--title"] : std::string();
  if (!CheckTitleLine(title1, platform)) return kFailed;
  const std::optional<SensitivityFiles> files = SensitivityFilesFor(positional[2], platform);
  if (!files || !GenerateSensitivityRun(document, group, *files)) return kFailed;
  const AmountRule rule{!as_value, offset};
  FamilyOptions family_options;
  if (!WriteSensitivityRunFiles(document, *choice, amounts, rule, title1, *files,
                                &family_options.descriptions)) {
    return kFailed;
  }
  family_options.files = *files;
  family_options.runs = static_cast<int>(amounts.size());
  family_options.base_case = base_case;
  family_options.jobs = jobs;
  family_options.timeout_seconds = timeout;
  family_options.foreground = true;
  SensitivityFamily family(document, family_options);
  if (family.Begin()) {
    while (family.Poll()) family.WaitForOutput(100);
  }
  for (const FamilyRunState& run : family.runs()) {
    const std::string outcome = run.status == FamilyRunStatus::kSucceeded ? "ok"
                                : run.status == FamilyRunStatus::kFailed  ? run.problem
                                                                          : "not run";
    context.out << run.deck_path << '\t' << run.description << '\t' << outcome << '\n';
  }
  return family.Succeeded() ? kSuccess : kFailed;
}

}  // namespace orvo::cli
