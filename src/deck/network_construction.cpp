// Network construction from the deck read last: groups first, then segments and their ID
// labels in rows by segment type, the exchanges of card B, the flow-only exchanges of card D
// and the flow portions. Every lookup that the reading rules describe as a search of the node
// list or of the deck goes through a map built once, so a deck of 100,000 segments builds in
// linear time; each map keeps the match the search would have found.
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "deck/card_registry.h"
#include "deck/deck_reader.h"
#include "deck/deck_reading.h"
#include "model/model_vocabulary.h"
#include "model/number_text.h"
#include "model/shared_text.h"
#include "model/string_array.h"
#include "model/string_array_view.h"

namespace orvo {
namespace {

constexpr int kRowHeight = 200;
constexpr int kColumnWidth = 80;
constexpr int kRowLength = 100;

uint64_t OrderedKey(int from, int to) {
  return (static_cast<uint64_t>(static_cast<uint32_t>(from)) << 32) | static_cast<uint32_t>(to);
}

uint64_t UnorderedKey(int a, int b) {
  return a < b ? OrderedKey(a, b) : OrderedKey(b, a);
}

std::string BreaksText(const Breaks& breaks) {
  std::vector<std::string> texts;
  texts.reserve(breaks.size());
  for (const double value : breaks) texts.push_back(RealText(value));
  return StringArray(std::move(texts)).ToString();
}

// Per system, the time function text a segment ID has in card E or F; a segment listed twice
// keeps its later function, as filling segment by segment in deck order would.
using FunctionsById = std::vector<std::unordered_map<int, std::string>>;

template <typename System, typename Member>
FunctionsById IndexFunctions(const std::vector<System>& systems, Member member) {
  FunctionsById index(systems.size());
  for (size_t k = 0; k < systems.size(); ++k) {
    for (const SegmentFunction& function : systems[k].*member) {
      index[k][function.segment] = BreaksText(function.breaks);
    }
  }
  return index;
}

// A per-system record of groups E and F: one nested list per system of the deck, empty for
// systems without a function at the segment.
class PerSystemRecords {
 public:
  PerSystemRecords(FunctionsById index, int systems) : index_(std::move(index)) {
    empty_.entries.assign(static_cast<size_t>(systems), StringArray().ToString());
    empty_.text = StringArray(empty_.entries).ToString();
  }

  struct Record {
    std::vector<std::string> entries;
    std::string text;
  };

  // The record of a segment; `scratch` holds it when it is not the empty one.
  const Record& For(int segment_id, Record& scratch) const {
    bool found_any = false;
    for (size_t k = 0; k < empty_.entries.size() && k < index_.size(); ++k) {
      const auto found = index_[k].find(segment_id);
      if (found == index_[k].end()) continue;
      if (!found_any) scratch.entries = empty_.entries;
      found_any = true;
      scratch.entries[k] = found->second;
    }
    if (!found_any) return empty_;
    scratch.text = StringArray(scratch.entries).ToString();
    return scratch;
  }

  size_t systems() const { return empty_.entries.size(); }
  // Entry `system` of a segment's record, viewing text that lives as long as this.
  std::string_view Entry(size_t system, int segment_id) const {
    if (system < index_.size()) {
      const auto found = index_[system].find(segment_id);
      if (found != index_[system].end()) return found->second;
    }
    return empty_.entries[system];
  }

 private:
  FunctionsById index_;
  Record empty_;
};

// Group G: the simulation type's full parameter list with every value "0.0", and each card G
// parameter of the segment at the slot of its ISC number.
class SegmentParameters {
 public:
  SegmentParameters(SimulationType simtyp, const CardGRecord& card) {
    base_ = GroupGDlg::DefaultSegmentRecord(simtyp).GetList();
    for (size_t i = 1; i < base_.size(); i += 2) base_[i] = "0.0";
    base_text_ = StringArray(base_).ToString();
    for (int slot = 0; slot < GroupGDlg::kSlots; ++slot) {
      const SegmentParameterRow* row = vocabulary::SegmentParameter(simtyp, slot);
      // The first slot with a number wins, as a search of the table in slot order would.
      if (row != nullptr) slot_by_isc_.emplace(row->number, slot);
    }
    for (const CardGRecord::Segment& segment : card.segments) {
      by_segment_[segment.ISEG].push_back(&segment);
    }
  }

  // The record of a segment. Neighbouring segments often list the same parameters: the
  // record made last is given again when the lists match, without formatting it anew.
  SharedText Record(int segment_id, SharedTextPool& pool) {
    const auto found = by_segment_.find(segment_id);
    if (found == by_segment_.end()) return pool.Intern(std::string_view(base_text_));
    if (!SameParameters(found->second, last_lists_)) {
      last_lists_ = found->second;
      last_record_ = pool.Intern(Format(found->second));
    }
    return last_record_;
  }

 private:
  using Lists = std::vector<const CardGRecord::Segment*>;

  static bool SameParameters(const Lists& a, const Lists& b) {
    const auto same_entry = [](const ParameterEntry& x, const ParameterEntry& y) {
      return x.isc == y.isc && x.value == y.value && x.name == y.name;
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&same_entry](const CardGRecord::Segment* x, const CardGRecord::Segment* y) {
                        return std::equal(x->parameters.begin(), x->parameters.end(),
                                          y->parameters.begin(), y->parameters.end(), same_entry);
                      });
  }

  std::string Format(const Lists& lists) const {
    // The record as views of the base, with the changed names and values kept alongside.
    std::vector<std::string_view> record(base_.begin(), base_.end());
    std::vector<std::string> values;
    size_t changes = 0;
    for (const CardGRecord::Segment* segment : lists) changes += segment->parameters.size();
    values.reserve(changes);
    for (const CardGRecord::Segment* segment : lists) {
      for (const ParameterEntry& entry : segment->parameters) {
        const auto slot = slot_by_isc_.find(IntText(entry.isc));
        if (slot == slot_by_isc_.end()) continue;
        const size_t at = 2 * static_cast<size_t>(slot->second);
        if (at + 1 >= record.size()) continue;
        record[at] = entry.name;
        values.push_back(RealText(entry.value));
        record[at + 1] = values.back();
      }
    }
    return StringArrayText(record.data(), record.size());
  }

  std::vector<std::string> base_;
  std::string base_text_;
  std::unordered_map<std::string, int> slot_by_isc_;
  std::unordered_map<int, Lists> by_segment_;
  Lists last_lists_;
  SharedText last_record_;
};

// A number as a parameter keeps it: through its "%g" text.
double Stored(double value) {
  return AtoF(RealText(value));
}

class NetworkBuilder {
 public:
  NetworkBuilder(COrvoBuilderDoc& doc, const DeckRecord& deck) : doc_(doc), deck_(deck) {}

  void Segments();
  void GroupBExchanges();
  void FlowOnlyExchanges();
  void FlowPortions();

 private:
  // field: 0 surface water, 1 pore water, -1 not set (flow-only).
  COrvoBuilderCntrItem* NewExchange(int from, int to, int field);
  COrvoBuilderCntrItem* SegmentNode(int id) const {
    if (id < 1 || id > static_cast<int>(segments_by_id_.size())) return nullptr;
    return segments_by_id_[static_cast<size_t>(id - 1)];
  }

  COrvoBuilderDoc& doc_;
  const DeckRecord& deck_;
  // What the document's segment array will hold (IDs 1..NOSEG, a later node wins), kept here
  // so that the array itself is built once, at the end.
  std::vector<COrvoBuilderCntrItem*> segments_by_id_;
  // Exchanges created so far by their (upstream, downstream).
  std::unordered_set<uint64_t> exchange_ends_;
  std::vector<COrvoBuilderCntrItem*> exchanges_;
  // The group B and D records an exchange of each kind (flow-only, surface water, pore
  // water) gets from its parameters; they do not depend on its ends.
  std::array<std::optional<ExchangeData>, 3> exchange_defaults_;
  // The nodes' record texts: most nodes of a network hold the same few.
  SharedTextPool texts_;
};

// Segment records are written straight into the nodes, in the stored form that setting each
// parameter would leave (numbers through their "%d" or "%g" text, records as StringArray
// text); setting them one by one would parse and print every record twice more.
void NetworkBuilder::Segments() {
  const std::vector<SegmentRecord>& records = deck_.c.segments;
  const int nosys = std::clamp(deck_.a.NOSYS, 0, GroupEDlg::kSystemSlots);
  segments_by_id_.assign(static_cast<size_t>(std::max(doc_.group_a.NOSEG, 0)), nullptr);
  const PerSystemRecords boundaries(
      IndexFunctions(deck_.e.systems, &CardERecord::System::boundaries), nosys);
  const PerSystemRecords loads(IndexFunctions(deck_.f.systems, &CardFRecord::System::loads), nosys);
  SegmentParameters parameters(doc_.group_a.SIMTYP, deck_.g);
  PerSystemRecords::Record scratch;
  const size_t load_systems = std::min<size_t>(loads.systems(), 8);
  // What the document does whenever a segment's loads are set: group F's load lists follow,
  // made here in one pass per system once every segment is known.
  std::vector<std::vector<GroupFDlg::LoadUpdate>> load_updates(load_systems);
  for (auto& updates : load_updates) updates.reserve(records.size());

  int y = 0;
  int c = 1;
  int widest = 1;
  int type = records.empty() ? 0 : records.front().ITYPE;
  for (const SegmentRecord& record : records) {
    widest = std::max(widest, c);
    if (record.ITYPE != type || c > kRowLength) {
      y += kRowHeight;
      c = 1;
      type = record.ITYPE;
    }
    const int left = kColumnWidth * c;
    COrvoBuilderCntrItem* segment = doc_.NewNode();
    segment->SetType(kSegmentNode);
    segment->SetRect(left, y + 80, left, y + 80);
    segment->EnsureDefaultSize();
    SegmentData& data = *segment->segment();
    data.segment_id = record.ISEG;
    data.segment_type = AtoI(IntText(static_cast<long long>(record.ITYPE) - 1));
    data.IBOTSEG = record.IBOTSEG;
    data.DMULT = Stored(record.DMULT);
    data.DXP = Stored(record.DXP);
    data.VEXP = Stored(record.VEXP);
    data.VMULT = Stored(record.VMULT);
    data.BVOL = Stored(record.VOLUME);
    // By segment ID: a deck need not list its segments in ID order.
    data.group_e = texts_.Intern(boundaries.For(record.ISEG, scratch).text);
    data.group_f = texts_.Intern(loads.For(record.ISEG, scratch).text);
    for (size_t k = 0; k < load_systems; ++k) {
      load_updates[k].push_back({record.ISEG - 1, loads.Entry(k, record.ISEG)});
    }
    data.group_g = parameters.Record(record.ISEG, texts_);
    if (record.ISEG >= 1 && record.ISEG <= static_cast<int>(segments_by_id_.size())) {
      segments_by_id_[static_cast<size_t>(record.ISEG - 1)] = segment;
    }

    COrvoBuilderCntrItem* label = doc_.NewNode();
    label->SetType(kLabelNode);
    label->SetRect(left + 20, y + 40, left + 20, y + 40);
    label->SetParameter(label_param::kBorder, "0");
    label->SetParameter(label_param::kText, IntText(record.ISEG));
    label->EnsureDefaultSize();
    segment->AddAnchor(*label);
    ++c;
  }
  for (size_t k = 0; k < load_systems; ++k) {
    doc_.group_f.UpdateLoadLists(static_cast<int>(k), load_updates[k]);
  }
  doc_.extent_width = 100 * widest;
  doc_.extent_height = y + kRowHeight;
}

COrvoBuilderCntrItem* NetworkBuilder::NewExchange(int from, int to, int field) {
  COrvoBuilderCntrItem* node = doc_.NewNode();
  node->SetType(kExchangeNode);
  node->EnsureDefaultSize();
  std::optional<ExchangeData>& defaults = exchange_defaults_[static_cast<size_t>(field + 1)];
  if (!defaults) {
    node->SetParameter(exchange_param::kUpstream, IntText(from));
    node->SetParameter(exchange_param::kDownstream, IntText(to));
    // The field comes before the counts: a surface-water exchange is then given one entry per
    // surface-water function.
    if (field >= 0) node->SetParameter(exchange_param::kExchangeField, IntText(field));
    node->SetParameter(exchange_param::kSurfaceCount, IntText(doc_.group_b.SurfaceFunctionCount()));
    node->SetParameter(exchange_param::kPoreCount, IntText(doc_.group_b.PoreFunctionCount()));
    node->SetParameter(exchange_param::kGroupD, doc_.group_d.EmptyExchangeRecord().ToString());
    defaults = *node->exchange();
  } else {
    *node->exchange() = *defaults;
    node->exchange()->upstream = from;
    node->exchange()->downstream = to;
  }
  const COrvoBuilderCntrItem* up = SegmentNode(from);
  const COrvoBuilderCntrItem* down = SegmentNode(to);
  // With neither end on the drawing the node keeps its position.
  int left = 0;
  int top = 0;
  if (up && down) {
    left = (up->left() + down->left()) / 2;
    top = (up->top() + down->top()) / 2;
  } else if (down) {
    left = down->left();
    top = down->top() - 50;
  } else if (up) {
    left = up->left();
    top = up->top() + 50;
  }
  if (up || down) node->SetRect(left, top, left + node->width(), top + node->height());
  exchange_ends_.insert(OrderedKey(from, to));
  exchanges_.push_back(node);
  return node;
}

void NetworkBuilder::GroupBExchanges() {
  const std::vector<CardBRecord::Field>& fields = deck_.b.fields;
  const size_t field_count =
      deck_.b.NRFLD >= 2 ? std::min<size_t>(fields.size(), 2) : std::min<size_t>(fields.size(), 1);
  const ExchangeLineIndex lines(deck_);
  for (size_t f = 0; f < field_count; ++f) {
    // A pair listed by two functions of one field is one exchange taking part in both; a
    // second node would take part in both as well and double the exchange when written back.
    std::unordered_set<uint64_t> pairs;
    for (const PairFunction& function : fields[f].functions) {
      for (const SegmentPair& pair : function.pairs) {
        if (!pairs.insert(UnorderedKey(pair.from, pair.to)).second) continue;
        COrvoBuilderCntrItem* node = NewExchange(pair.from, pair.to, static_cast<int>(f));
        SetGroupB_ExchangeData(*node, lines);
        node->exchange()->entries = texts_.InternShared(node->exchange()->entries);
      }
    }
  }
}

void NetworkBuilder::FlowOnlyExchanges() {
  for (const CardDRecord::Field& field : deck_.d.fields) {
    for (const PairFunction& function : field.functions) {
      for (const SegmentPair& pair : function.pairs) {
        if (exchange_ends_.count(OrderedKey(pair.from, pair.to)) > 0) continue;
        NewExchange(pair.from, pair.to, -1);
      }
    }
  }
}

void NetworkBuilder::FlowPortions() {
  struct Portion {
    uint64_t key;  // (upstream, downstream)
    size_t field;
    size_t function;
    double value;
  };
  // Portions by (upstream, downstream), each pair's in field, function and pair order:
  // applied in that order, a pair listed twice in one function leaves its later portion. One
  // flat list, sorted stably, rather than a list per pair.
  std::vector<Portion> portions;
  size_t count = 0;
  for (const CardDRecord::Field& field : deck_.d.fields) {
    for (const PairFunction& function : field.functions) count += function.pairs.size();
  }
  portions.reserve(count);
  for (size_t k = 0; k < deck_.d.fields.size(); ++k) {
    const std::vector<PairFunction>& functions = deck_.d.fields[k].functions;
    for (size_t t = 0; t < functions.size(); ++t) {
      for (const SegmentPair& pair : functions[t].pairs) {
        portions.push_back({OrderedKey(pair.from, pair.to), k, t, pair.first});
      }
    }
  }
  if (portions.empty()) return;
  const auto by_key = [](const Portion& a, const Portion& b) { return a.key < b.key; };
  if (!std::is_sorted(portions.begin(), portions.end(), by_key)) {
    std::stable_sort(portions.begin(), portions.end(), by_key);
  }
  // Every exchange still holds the empty record it was made with: it is parsed once.
  std::string empty_record;
  StringArray record;
  std::vector<StringArray> lists;
  for (COrvoBuilderCntrItem* node : exchanges_) {
    ExchangeData& data = *node->exchange();
    const Portion wanted{OrderedKey(data.upstream, data.downstream), 0, 0, 0.0};
    const auto [first, last] = std::equal_range(portions.begin(), portions.end(), wanted, by_key);
    if (first == last) continue;
    if (lists.empty() || data.group_d != empty_record) {
      empty_record = data.group_d;
      record = StringArray(empty_record);
      lists.assign(record.size(), StringArray());
      for (size_t k = 0; k < record.size(); ++k) record.GetList(lists[k], k);
    }
    StringArray changed = record;
    std::vector<StringArray> changed_lists;
    size_t current = SIZE_MAX;
    for (auto portion_at = first; portion_at != last; ++portion_at) {
      const Portion& portion = *portion_at;
      while (changed.size() <= portion.field) changed.GetList().push_back(StringArray().ToString());
      if (portion.field != current) {
        if (current != SIZE_MAX) changed.SetList(changed_lists.back(), current);
        current = portion.field;
        StringArray list;
        if (portion.field < lists.size()) list = lists[portion.field];
        changed_lists.push_back(std::move(list));
      }
      std::vector<std::string>& entries = changed_lists.back().GetList();
      if (entries.size() <= portion.function) entries.resize(portion.function + 1);
      entries[portion.function] = RealText(portion.value);
    }
    changed.SetList(changed_lists.back(), current);
    data.group_d = texts_.Intern(changed.ToString());
  }
}

}  // namespace

bool BuildNetwork(COrvoBuilderDoc& doc, OrvoClass* owned_reader) {
  // Held for the whole construction: the groups and the exchange entries read it.
  const std::shared_ptr<const OrvoClass> reader = doc.dataset_reader;
  if (reader == nullptr || reader->record() == nullptr) return true;
  const DeckRecord& deck = *reader->record();
  WaitCursor wait(doc.platform());

  // The stages take about the same time on a large network; the user may cancel before each.
  NetworkBuilder builder(doc, deck);
  constexpr std::array<void (NetworkBuilder::*)(), 4> kStages = {
      &NetworkBuilder::Segments, &NetworkBuilder::GroupBExchanges,
      &NetworkBuilder::FlowOnlyExchanges, &NetworkBuilder::FlowPortions};
  constexpr int kSteps = static_cast<int>(kStages.size()) + 1;
  constexpr const char* kText = "Building the network...";
  Platform& platform = doc.platform();
  if (!platform.Progress(0, kSteps, kText)) return false;
  doc.DeleteNetwork();
  for (const CardEntry& card : Cards()) card.load(doc, deck);
  const bool owned = owned_reader != nullptr && owned_reader == reader.get();
  if (owned) owned_reader->ReleaseCardJRows();
  for (size_t i = 0; i < kStages.size(); ++i) {
    if (i > 0 && !platform.Progress(static_cast<int>(i), kSteps, kText)) return false;
    (builder.*kStages[i])();
    if (owned && kStages[i] == &NetworkBuilder::Segments) owned_reader->ReleaseSegmentRows();
  }

  doc.UpdateAllViews(kHintRedrawAll);
  doc.UpdateAllViews(kHintNetworkBuilt);
  doc.BuildSegmentArray();
  platform.Progress(kSteps, kSteps, kText);
  return true;
}

}  // namespace orvo
