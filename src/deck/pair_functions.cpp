#include "deck/pair_functions.h"

#include <algorithm>

#include "deck/deck_reading.h"
#include "model/number_text.h"

namespace orvo::pair_functions {

bool Fail(Platform& platform, const std::string& message) {
  platform.ShowMessage(message);
  return false;
}

std::string FieldText(long long field) {
  return ", field " + IntText(field);
}

bool SystemsFit(const DeckShape& shape, char card, Platform& platform) {
  if (shape.NOSYS <= kMaxSystems) return true;
  return Fail(platform, std::string("ReadGroup") + card + ": The deck's NOSYS " +
                            IntText(shape.NOSYS) + " is outside 0 to 8; card " + card +
                            " cannot be read.");
}

bool ReadFunctionBreaks(DeckScanner& in, Breaks& breaks, char card, std::string_view parse_error,
                        long long field, Platform& platform) {
  if (ScanTimeFunction(in, breaks)) return true;
  // A failed scan has passed the blanks: at the end there was nothing left to read.
  return Fail(platform, std::string("ReadGroup") + card + ": " +
                            std::string(in.AtEnd() ? "EOF" : parse_error) +
                            " reading the time function" + FieldText(field));
}

bool ReadBypass(DeckScanner& in, const DeckShape& shape, std::vector<int>& bypass,
                const std::string& eof_message, Platform& platform) {
  std::string line;
  if (!in.ReadLine(line)) return Fail(platform, eof_message);
  for (int i = 0; i < shape.NOSYS; ++i) bypass.push_back(ColumnInt(line, 5 * i + 1, 5));
  return true;
}

std::string BreaksText(const Breaks& breaks) {
  std::string text;
  for (size_t i = 0; i < breaks.size(); ++i) {
    if (i > 0) text += ' ';
    text += RealText(breaks[i]);
  }
  return text;
}

std::string BypassText(const std::vector<int>& values, int deck_systems, int project_systems) {
  std::string text;
  for (size_t i = 0; i < values.size(); ++i) {
    if (i > 0) text += ' ';
    text += RealText(values[i]);
  }
  for (int i = std::max(deck_systems, 0); i < project_systems; ++i) text += " 1";
  return text;
}

}  // namespace orvo::pair_functions
