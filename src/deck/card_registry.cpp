#include "deck/card_registry.h"

#include "deck/deck_reading.h"
#include "groups/cards.h"

namespace orvo {
namespace {

// Cards A and I have no variation.
bool WriteA(const COrvoBuilderDoc& doc, DeckOut& out, const Variation*) {
  return group_a::WriteCard(doc, out);
}

bool WriteI(const COrvoBuilderDoc& doc, DeckOut& out, const Variation*) {
  return group_i::WriteCard(doc, out);
}

// The card parsers, each into its part of the record.
template <typename Card, Card DeckRecord::*Part,
          bool (*Parse)(DeckScanner&, const DeckShape&, Card&, Platform&)>
bool ParseInto(DeckScanner& in, const DeckShape& shape, DeckRecord& record, Platform& platform) {
  return Parse(in, shape, record.*Part, platform);
}

bool ParseA(DeckScanner& in, const DeckShape&, DeckRecord& record, Platform& platform) {
  return ParseCardA(in, record.a, platform);
}

const std::array<CardEntry, kCardCount> kCards = {{
    {'A', WriteA, group_a::Check, nullptr, ParseA, nullptr, group_a::LoadFromWC, false},
    {'B', group_b::WriteCard, group_b::Check, group_b::NodeCheck,
     ParseInto<CardBRecord, &DeckRecord::b, ParseCardB>, ReadGroupB, group_b::LoadFromWC, false},
    {'C', group_c::WriteCard, group_c::Check, group_c::NodeCheck,
     ParseInto<CardCRecord, &DeckRecord::c, ParseCardC>, ReadGroupC, group_c::LoadFromWC, false},
    {'D', group_d::WriteCard, group_d::Check, group_d::NodeCheck,
     ParseInto<CardDRecord, &DeckRecord::d, ParseCardD>, ReadGroupD, group_d::LoadFromWC, false},
    {'E', group_e::WriteCard, group_e::Check, group_e::NodeCheck,
     ParseInto<CardERecord, &DeckRecord::e, ParseCardE>, ReadGroupE, group_e::LoadFromWC, false},
    {'F', group_f::WriteCard, group_f::Check, group_f::NodeCheck,
     ParseInto<CardFRecord, &DeckRecord::f, ParseCardF>, ReadGroupF, group_f::LoadFromWC, false},
    {'G', group_g::WriteCard, group_g::Check, group_g::NodeCheck,
     ParseInto<CardGRecord, &DeckRecord::g, ParseCardG>, ReadGroupG, group_g::LoadFromWC, true},
    {'H', group_h::WriteCard, group_h::Check, nullptr,
     ParseInto<CardHRecord, &DeckRecord::h, ParseCardH>, ReadGroupH, group_h::LoadFromWC, true},
    {'I', WriteI, group_i::Check, nullptr, ParseInto<CardIRecord, &DeckRecord::i, ParseCardI>,
     ReadGroupI, group_i::LoadFromWC, true},
    {'J', group_j::WriteCard, nullptr, nullptr, ParseInto<CardJRecord, &DeckRecord::j, ParseCardJ>,
     ReadGroupJ, group_j::LoadFromWC, true},
}};

}  // namespace

const std::array<CardEntry, kCardCount>& Cards() {
  return kCards;
}

const CardEntry* CardOf(char letter) {
  if (letter < 'A' || letter >= 'A' + kCardCount) return nullptr;
  return &kCards[static_cast<size_t>(letter - 'A')];
}

}  // namespace orvo
