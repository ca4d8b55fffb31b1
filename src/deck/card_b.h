// Free-format numbers of the importers ("%5d", "%10lg"): blanks and line ends are passed
// over and a number takes at most its width. The writers fill their columns completely, so a
// number can follow the one before it without a blank (segment 10000 after 9999, 1.2346e+06
// after 30.0, 49999 after a portion 0.5), and a scanf-style read runs one into the next. Here a
// field's width counts from where the previous field ended (or the line began), as the
// columns do; for numbers that fit their width together with the blanks before them, which
// covers everything the writers produce, that is exactly the scanf reading.
#pragma once

#include <string>

#include "deck/deck_record.h"
#include "deck/deck_scanner.h"

namespace orvo::free_fields {

enum class Result { kRead, kEnd, kNotANumber };

class Reader {
 public:
  explicit Reader(DeckScanner& in) : in_(in) {}

  Result Int(int width, int& value);
  Result Real(int width, double& value);
  // Passes over the rest of the current line; false when the deck ends with it.
  bool EndLine();

 private:
  // The next field's characters: [at_, limit) of the current line.
  Result Field(int width, size_t& limit);

  DeckScanner& in_;
  std::string line_;
  size_t at_ = 0;
  bool loaded_ = false;
};

// The time-function block: a "%5d" count, twice that many "%10lg" numbers across lines, then
// the rest of the last line. A negative count has no numbers.
Result TimeFunction(DeckScanner& in, Breaks& breaks);

}  // namespace orvo::free_fields
