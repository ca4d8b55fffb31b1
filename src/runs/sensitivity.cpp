#include "runs/sensitivity.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "deck/card_registry.h"
#include "groups/cards.h"
#include "groups/group_editing.h"
#include "groups/node_editing.h"
#include "model/model_vocabulary.h"
#include "model/number_text.h"
#include "model/string_array.h"
#include "model/text_trim.h"

namespace orvo {
namespace {

namespace fs = std::filesystem;

constexpr char kGenerateWho[] = "COrvoBuilderDoc::GenerateSensitivityRun: ";

std::string Join(const std::vector<std::string>& texts) {
  std::string joined;
  for (const std::string& text : texts) {
    if (!joined.empty()) joined += ", ";
    joined += text;
  }
  return joined;
}

// Numbers joined with ", ", each plus offset (1 turns list positions into numbers).
std::string JoinNumbers(const std::vector<int>& numbers, int offset = 0) {
  std::vector<std::string> texts;
  texts.reserve(numbers.size());
  for (int number : numbers) texts.push_back(IntText(static_cast<long long>(number) + offset));
  return Join(texts);
}

std::string Trimmed(const std::string& text) {
  return std::string(Trim(text, " \t"));
}

bool HasLineBreak(const std::string& text) {
  return text.find_first_of("\r\n") != std::string::npos;
}

// Replaces the file with text; false when it cannot be created or written.
bool WriteTextFile(const std::string& path, const std::string& text) {
  std::FILE* file = std::fopen(path.c_str(), "w");
  if (file == nullptr) return false;
  const bool written =
      std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0;
  return std::fclose(file) == 0 && written;
}

// group counts the cards from A = 0; card A is never varied.
bool WriteGroupCard(const COrvoBuilderDoc& doc, int group, DeckOut& out,
                    const Variation* variation) {
  if (group < kVaryB || group > kVaryJ) return false;
  return Cards()[static_cast<size_t>(group)].write(doc, out, variation);
}

// Message prefixes of the per-run files, as each group's dialog names itself.
std::string VariedFilePrefix(int group) {
  switch (group) {
    case kVaryD:
      return "SensitivityDlgD::OnGenerateD: ";
    case kVaryH:
    case kVaryJ:
      return "SensitivityDlgJ::OnGenerateB: ";
    default:
      return std::string("SensitivityDlg") + SensitivityGroupLetter(group) + "::OnGenerateB: ";
  }
}

std::string TitleFilePrefix(int group) {
  return group == kVaryD ? "SensitivityDlgD::OnGenerateB: " : VariedFilePrefix(group);
}

std::vector<int> SegmentIdsOf(const std::vector<const COrvoBuilderCntrItem*>& nodes) {
  std::vector<int> ids;
  for (const COrvoBuilderCntrItem* node : nodes) ids.push_back(node->segment()->segment_id);
  return ids;
}

const COrvoBuilderCntrItem* SegmentById(const COrvoBuilderDoc& doc, int id) {
  const std::vector<const COrvoBuilderCntrItem*> by_id = SegmentsById(doc);
  return id >= 1 && static_cast<size_t>(id) <= by_id.size() ? by_id[id - 1] : nullptr;
}

std::string SystemName(const COrvoBuilderDoc& doc, int system) {
  const std::vector<std::string> names = SensitivitySystemNames(doc);
  return system >= 0 && static_cast<size_t>(system) < names.size() ? names[system]
                                                                   : IntText(system + 1);
}

}  // namespace

char SensitivityGroupLetter(int group) {
  return group >= kVaryB && group <= kVaryJ && group != 8 ? static_cast<char>('A' + group) : 0;
}

int SensitivityGroupOfLetter(char letter) {
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  const int group = letter - 'A';
  return SensitivityGroupLetter(group) != 0 ? group : 0;
}

const std::vector<std::string>& VolumeItemNames() {
  static const std::vector<std::string> names = {"Volume", "VMULT", "VEXP", "DMULT", "DXP"};
  return names;
}

const std::vector<std::string>& ExchangeFieldNames() {
  static const std::vector<std::string> names = {"Water", "Pore"};
  return names;
}

const std::vector<std::string>& ExchangeVariableNames() {
  static const std::vector<std::string> names = {"Area", "Characteristic Length"};
  return names;
}

std::vector<std::string> SensitivitySystemNames(const COrvoBuilderDoc& doc) {
  std::vector<std::string> names;
  for (int k = 0; k < std::clamp(doc.group_a.NOSYS, 0, 8); ++k) {
    std::string name = vocabulary::SystemName(doc.group_a.SIMTYP, k + 1);
    names.push_back(name.empty() ? "System " + IntText(k + 1) : std::move(name));
  }
  return names;
}

std::vector<int> AllSegmentIds(const COrvoBuilderDoc& doc) {
  std::vector<int> ids;
  for (int id = 1; id <= doc.group_a.NOSEG; ++id) ids.push_back(id);
  return ids;
}

int ExchangeFunctionCount(const COrvoBuilderDoc& doc, int field) {
  return field == 0   ? doc.group_b.SurfaceFunctionCount()
         : field == 1 ? doc.group_b.PoreFunctionCount()
                      : 0;
}

std::vector<const COrvoBuilderCntrItem*> ExchangesOfFunctions(const COrvoBuilderDoc& doc, int field,
                                                              const std::vector<int>& functions) {
  std::vector<const COrvoBuilderCntrItem*> exchanges;
  const int count = ExchangeFunctionCount(doc, field);
  for (const auto& node : doc.nodes()) {
    if (!node->is_exchange() || node->exchange()->exchange_field != field) continue;
    const StringArray entries(node->exchange()->entries);
    // As the card writer takes them: a function with a zero area or length has no member.
    const bool member = std::any_of(functions.begin(), functions.end(), [&](int k) {
      if (k < 0 || k >= count || static_cast<size_t>(k) >= entries.size()) return false;
      const StringArray pair(entries.At(static_cast<size_t>(k)));
      return pair.size() == 2 && AtoF(pair.At(0)) != 0.0 && AtoF(pair.At(1)) != 0.0;
    });
    if (member) exchanges.push_back(node.get());
  }
  return exchanges;
}

std::string ExchangeLabel(const COrvoBuilderCntrItem& exchange) {
  return IntText(exchange.exchange()->upstream) + "->" + IntText(exchange.exchange()->downstream);
}

std::vector<int> DefinedFlowFields(const COrvoBuilderDoc& doc) {
  std::vector<int> fields;
  for (int k = 0; k < GroupDDlg::kFieldCount; ++k) {
    if (!doc.group_d.fields[static_cast<size_t>(k)].empty()) fields.push_back(k);
  }
  return fields;
}

std::string FlowFieldName(int field) {
  return field >= 0 && field < node_editing::kFlowFields
             ? node_editing::kFlowFieldNames[static_cast<size_t>(field)]
             : IntText(field + 1);
}

int FlowFunctionCount(const COrvoBuilderDoc& doc) {
  int count = 0;
  for (int k = 0; k < GroupDDlg::kFieldCount; ++k) count = std::max(count, doc.group_d.NINQ(k));
  return count;
}

std::vector<int> BoundarySegmentIds(const COrvoBuilderDoc& doc, int system) {
  return SegmentIdsOf(group_e::BoundarySegments(doc, system));
}

std::vector<int> LoadSegmentIds(const COrvoBuilderDoc& doc, int system) {
  return SegmentIdsOf(group_f::LoadSegments(doc, system));
}

std::vector<int> ParametersInUse(const COrvoBuilderDoc& doc) {
  std::vector<int> slots;
  const int count =
      std::min({doc.group_g.slot_count, vocabulary::SegmentParameterCount(doc.group_a.SIMTYP),
                GroupGDlg::kSlots});
  for (int slot = 0; slot < count; ++slot) {
    if (doc.group_g.values[static_cast<size_t>(slot)] > 0.0) slots.push_back(slot);
  }
  return slots;
}

std::string ParameterName(const COrvoBuilderDoc& doc, int slot) {
  if (slot < 0 || slot >= GroupGDlg::kSlots) return IntText(slot + 1);
  const std::string name = Trimmed(doc.group_g.names[static_cast<size_t>(slot)]);
  return name.empty() ? IntText(slot + 1) : name;
}

std::vector<std::string> ConstantBlockNames(const COrvoBuilderDoc& doc) {
  std::vector<std::string> names;
  const int last = std::clamp(doc.group_a.NOSYS, 0, GroupHDlg::kBlocks - 1);
  for (int k = 0; k <= last; ++k) names.push_back(doc.group_h.blocks[static_cast<size_t>(k)].At(0));
  return names;
}

std::vector<std::string> ConstantFieldNames(const COrvoBuilderDoc& doc, int block) {
  if (block < 0 || block >= GroupHDlg::kBlocks) return {};
  return editing::FieldNames(doc.group_h, block);
}

std::vector<std::string> ConstantLabels(const COrvoBuilderDoc& doc, int block, int field) {
  std::vector<std::string> labels;
  if (block < 0 || block >= GroupHDlg::kBlocks || field < 0) return labels;
  for (const auto& constant : editing::Constants(doc.group_h, block, field)) {
    labels.push_back(constant[0] + " (" + constant[1] + ")");
  }
  return labels;
}

std::string CurrentValue(const COrvoBuilderDoc& doc, const SensitivityChoice& choice) {
  const std::string none = "NA";
  switch (choice.group) {
    case kVaryB: {
      if (choice.functions.size() != 1 || choice.exchanges.size() != 1) return none;
      const StringArray entries(choice.exchanges[0]->exchange()->entries);
      const StringArray pair(entries.At(static_cast<size_t>(std::max(choice.functions[0], 0))));
      return RealText(AtoF(pair.At(choice.quantity == 1 ? 1 : 0)));
    }
    case kVaryC: {
      if (choice.segments.size() != 1) return none;
      const COrvoBuilderCntrItem* node = SegmentById(doc, choice.segments[0]);
      if (node == nullptr) return none;
      const SegmentData& s = *node->segment();
      const double values[5] = {s.BVOL, s.VMULT, s.VEXP, s.DMULT, s.DXP};
      return choice.quantity >= 0 && choice.quantity < 5 ? RealText(values[choice.quantity]) : none;
    }
    case kVaryD: {
      if (choice.flow_fields.size() != 1 || choice.functions.size() != 1) return none;
      const int field = choice.flow_fields[0];
      const int function = choice.functions[0];
      if (field < 0 || field >= GroupDDlg::kFieldCount || function < 0 ||
          function >= doc.group_d.NINQ(field))
        return none;
      return doc.group_d.fields[static_cast<size_t>(field)].At(static_cast<size_t>(function) + 3);
    }
    case kVaryE:
    case kVaryF: {
      if (choice.segments.size() != 1 || choice.system < 0) return none;
      const COrvoBuilderCntrItem* node = SegmentById(doc, choice.segments[0]);
      if (node == nullptr) return none;
      const StringArray record(choice.group == kVaryE ? node->segment()->group_e
                                                      : node->segment()->group_f);
      const StringArray function(record.At(static_cast<size_t>(choice.system)));
      return node_editing::JoinBlank(function.GetList());
    }
    case kVaryG: {
      if (choice.segments.size() != 1 || choice.slot < 0) return none;
      const COrvoBuilderCntrItem* node = SegmentById(doc, choice.segments[0]);
      if (node == nullptr) return none;
      const StringArray record(node->segment()->group_g);
      return RealText(AtoF(record.At(2 * static_cast<size_t>(choice.slot) + 1)));
    }
    case kVaryH: {
      if (choice.system < 0 || choice.constant_field < 0 || choice.constant < 0 ||
          choice.system >= GroupHDlg::kBlocks)
        return none;
      const auto constants = editing::Constants(doc.group_h, choice.system, choice.constant_field);
      if (static_cast<size_t>(choice.constant) >= constants.size()) return none;
      return constants[static_cast<size_t>(choice.constant)][2];
    }
    case kVaryJ: {
      if (choice.segments.size() != 1 || choice.system < 0) return none;
      const int position = choice.segments[0];
      if (position < 0 || position >= doc.group_j.RowCount(choice.system)) return none;
      return doc.group_j.Row(choice.system, position).At(choice.quantity == 2 ? 2 : 1);
    }
    default:
      return none;
  }
}

std::pair<std::string, std::string> ValueRangeOf(const COrvoBuilderDoc& doc, int quantity) {
  const ValueRangeTable& ranges = doc.value_ranges;
  return quantity == 2 ? std::pair(ranges.dissf_min, ranges.dissf_max)
                       : std::pair(ranges.c_min, ranges.c_max);
}

bool CheckSensitivitySelection(const SensitivityChoice& choice, Platform& platform) {
  switch (choice.group) {
    case kVaryC:
    case kVaryE:
    case kVaryF:
    case kVaryG:
      if (!choice.segments.empty()) return true;
      platform.ShowMessage("Please choose segments to run sensitivity analysis on.");
      return false;
    case kVaryB:
      if (!choice.functions.empty() && !choice.exchanges.empty()) return true;
      platform.ShowMessage("Please select exchanges to operate on.");
      return false;
    case kVaryD:
      if (choice.functions.empty()) {
        platform.ShowMessage("Please select time functions to operate on.");
        return false;
      }
      if (choice.flow_fields.empty()) {
        platform.ShowMessage("Please select flow fields to operate on.");
        return false;
      }
      return true;
    case kVaryH:
      return choice.system >= 0 && choice.constant_field >= 0 && choice.constant >= 0;
    case kVaryJ:
      return true;
    default:
      return false;
  }
}

std::string RunDescription(const COrvoBuilderDoc& doc, const SensitivityChoice& choice,
                           const std::string& note) {
  switch (choice.group) {
    case kVaryB: {
      std::vector<std::string> exchanges;
      for (const COrvoBuilderCntrItem* node : choice.exchanges) {
        exchanges.push_back(ExchangeLabel(*node));
      }
      return note + " Field " + (choice.quantity == 1 ? "length " : "area ") + "for Exchange(s) " +
             JoinNumbers(choice.functions, 1) + " in exchange(s) " + Join(exchanges);
    }
    case kVaryC: {
      static const char* const kItems[] = {"VOLUME ", "VMULT ", "VEXP ", "DMULT ", "DXP "};
      const char* item = choice.quantity >= 0 && choice.quantity < 5 ? kItems[choice.quantity] : "";
      return std::string("Group C item ") + item + "for segments(s) " +
             JoinNumbers(choice.segments) + note;
    }
    case kVaryD: {
      std::vector<std::string> names;
      for (int field : choice.flow_fields) names.push_back(FlowFieldName(field));
      return note + ": Group D field(s) " + Join(names) + " has modified flows for exchange(s) #" +
             JoinNumbers(choice.functions, 1);
    }
    case kVaryE:
    case kVaryF:
      return std::string("Group ") + SensitivityGroupLetter(choice.group) + " system " +
             SystemName(doc, choice.system) + " for segments " + JoinNumbers(choice.segments) +
             note;
    case kVaryG:
      return "Group G parameter " + ParameterName(doc, choice.slot) + " for segments " +
             JoinNumbers(choice.segments) + note;
    case kVaryH: {
      const std::vector<std::string> blocks = ConstantBlockNames(doc);
      const std::vector<std::string> fields = ConstantFieldNames(doc, choice.system);
      std::string constant;
      if (choice.system >= 0 && choice.system < GroupHDlg::kBlocks) {
        const auto constants =
            editing::Constants(doc.group_h, choice.system, choice.constant_field);
        if (choice.constant >= 0 && static_cast<size_t>(choice.constant) < constants.size())
          constant = constants[static_cast<size_t>(choice.constant)][0];
      }
      const auto at = [](const std::vector<std::string>& names, int i) {
        return i >= 0 && static_cast<size_t>(i) < names.size() ? Trimmed(names[i]) : std::string();
      };
      return "Group H system " + at(blocks, choice.system) + " for field " +
             at(fields, choice.constant_field) + " for constant " + Trimmed(constant) + note;
    }
    case kVaryJ:
      return "Group J system " + SystemName(doc, choice.system) + " for " +
             (choice.quantity == 2 ? " Dissolved Concentration " : " Initial Conditions ") +
             " for segments " + JoinNumbers(choice.segments, 1) + note;
    default:
      return note;
  }
}

Variation MakeVariation(const SensitivityChoice& choice, double amount, const AmountRule& rule,
                        std::string* note) {
  Variation variation;
  variation.amount = amount;
  variation.additive = rule.additive;
  variation.percent = rule.percent;
  variation.note = note;
  switch (choice.group) {
    case kVaryB:
      variation.functions = choice.functions;
      variation.exchanges = choice.exchanges;
      variation.quantity = choice.quantity;
      break;
    case kVaryC:
      variation.targets = choice.segments;
      variation.quantity = choice.quantity;
      break;
    case kVaryD:
      variation.functions = choice.functions;
      variation.fields = choice.flow_fields;
      break;
    case kVaryE:
    case kVaryF:
      variation.targets = choice.segments;
      variation.item = choice.system;
      break;
    case kVaryG:
      variation.targets = choice.segments;
      variation.item = choice.slot;
      break;
    case kVaryH:
      variation.block = choice.system;
      variation.field = choice.constant_field;
      variation.constant = choice.constant;
      break;
    case kVaryJ:
      variation.targets = choice.segments;
      variation.item = choice.system;
      variation.quantity = choice.quantity;
      break;
    default:
      break;
  }
  return variation;
}

bool CheckTitleLine(const std::string& title, Platform& platform) {
  if (!HasLineBreak(title)) return true;
  platform.ShowMessage("The title \"" + title +
                       "\" holds a line break; a title must stand on one line of the input file.");
  return false;
}

std::optional<SensitivityFiles> SensitivityFilesFor(const std::string& chosen, Platform& platform) {
  std::error_code error;
  fs::path path = fs::absolute(chosen, error);
  if (error) path = chosen;
  path = path.lexically_normal();
  SensitivityFiles files;
  files.title = path.stem().string();
  files.directory = path.parent_path().string();
  if (files.directory.empty() || files.directory.back() != '/') files.directory += '/';
  if (HasLineBreak(files.title) || HasLineBreak(files.directory)) {
    platform.ShowMessage(std::string(kGenerateWho) + "The name \"" + chosen +
                         "\" holds a line break and cannot be written to orvo.ctl.");
    return std::nullopt;
  }
  if (files.title.empty() || path.filename() == "." || path.filename() == "..") {
    platform.ShowMessage(std::string(kGenerateWho) + "The name \"" + chosen +
                         "\" leaves no name for the runs.  Please choose a file name such as "
                         "runs.inp.");
    return std::nullopt;
  }
  return files;
}

bool GenerateSensitivityRun(COrvoBuilderDoc& doc, int group, const SensitivityFiles& files) {
  Platform& platform = doc.platform();
  if (SensitivityGroupLetter(group) == 0) return false;
  doc.run_file_path = files.RunFilePath();
  DeckOut pre(platform);
  DeckOut post(platform);
  for (int g = kVaryB; g <= kVaryJ; ++g) {
    if (g == group) continue;
    DeckOut& out = g < group ? pre : post;
    if (!WriteGroupCard(doc, g, out, nullptr) || !out.ok()) {
      platform.ShowMessage(std::string(kGenerateWho) + "Failed to properly write group " +
                           static_cast<char>('A' + g) + ".");
      return false;
    }
  }
  const std::string pre_name = files.title + "_pre.inp";
  if (!WriteTextFile(files.directory + pre_name, pre.text())) {
    platform.ShowMessage(std::string(kGenerateWho) + "Unable to open " + pre_name);
    return false;
  }
  const std::string post_name = files.title + "_post.inp";
  if (!WriteTextFile(files.directory + post_name, post.text())) {
    // The varied group J leaves nothing after it: the "_post" file is the empty one.
    platform.ShowMessage(std::string(kGenerateWho) +
                         (group == kVaryJ ? "Unable to openb " : "Unable to open ") + post_name);
    return false;
  }
  return true;
}

bool WriteSensitivityRunFiles(const COrvoBuilderDoc& doc, const SensitivityChoice& choice,
                              const std::vector<double>& amounts, const AmountRule& rule,
                              const std::string& title1, const SensitivityFiles& files,
                              std::vector<std::string>* descriptions) {
  Platform& platform = doc.platform();
  if (!CheckTitleLine(title1, platform)) return false;
  if (descriptions != nullptr) descriptions->clear();
  for (size_t k = 0; k < amounts.size(); ++k) {
    std::string note;
    const Variation variation = MakeVariation(choice, amounts[k], rule, &note);
    DeckOut varied(platform);
    if (!WriteGroupCard(doc, choice.group, varied, &variation) || !varied.ok()) {
      platform.ShowMessage(
          std::string("COrvoBuilderDoc::OrvoWrite: Failed to properly write group ") +
          SensitivityGroupLetter(choice.group) + ".");
      return false;
    }
    const std::string description = RunDescription(doc, choice, note);
    if (!CheckTitleLine(description, platform)) return false;
    const std::string varied_name = files.title + "_" + IntText(static_cast<long long>(k)) + ".inp";
    if (!WriteTextFile(files.directory + varied_name, varied.text())) {
      platform.ShowMessage(VariedFilePrefix(choice.group) + "Unable to create file " + varied_name);
      return false;
    }
    DeckOut titles(platform);
    if (!group_a::WriteCard(doc, titles, title1, description) || !titles.ok()) {
      platform.ShowMessage("COrvoBuilderDoc::OrvoWrite: Failed to properly write group A.");
      return false;
    }
    const std::string title_name =
        files.title + "_A_" + IntText(static_cast<long long>(k)) + ".inp";
    if (!WriteTextFile(files.directory + title_name, titles.text())) {
      platform.ShowMessage(TitleFilePrefix(choice.group) + "Unable to create file " + title_name);
      return false;
    }
    if (descriptions != nullptr) descriptions->push_back(description);
  }
  return true;
}

}  // namespace orvo
