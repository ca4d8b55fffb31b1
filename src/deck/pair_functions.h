// What cards B and D share: per field, functions of segment pairs each followed by its
// time-function block, then a record of NOSYS bypass flags; and the texts their holders
// keep of them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "deck/deck_record.h"
#include "deck/deck_scanner.h"
#include "model/platform.h"

namespace orvo::pair_functions {

// Bypass options are kept in eight system slots at most.
constexpr int kMaxSystems = 8;

// Shows the message; false, for returning at once.
bool Fail(Platform& platform, const std::string& message);

// ", field <n>", as the failures name a field.
std::string FieldText(long long field);

// False (after "<who>: The deck's NOSYS <n> is outside 0 to 8; card <card> cannot be read.")
// when the deck has more systems than the slots hold.
bool SystemsFit(const DeckShape& shape, char card, Platform& platform);

// The time-function block after a function's pairs. A failure names the importer, the end
// of the text ("EOF") or else parse_error, and the field.
bool ReadFunctionBreaks(DeckScanner& in, Breaks& breaks, char card, std::string_view parse_error,
                        long long field, Platform& platform);

// The bypass record: a flag per system in "%5d" columns. At the end of the text, false after
// eof_message.
bool ReadBypass(DeckScanner& in, const DeckShape& shape, std::vector<int>& bypass,
                const std::string& eof_message, Platform& platform);

// A function's pairs as the holder keeps them: "%g" numbers separated by blanks.
std::string BreaksText(const Breaks& breaks);

// The bypass flags as the holder parses them; the systems the project has beyond the deck's
// are bypassed.
std::string BypassText(const std::vector<int>& values, int deck_systems, int project_systems);

}  // namespace orvo::pair_functions
