// Free-format fields of cards H, I and J, read as the importers' "%<width>" conversions read
// them (blanks and line ends skipped, at most width characters taken), with one difference: a
// field whose scan starts on its own column of the written layout ends where that column ends.
// The writer right-aligns every field, so a full-width field directly follows the one before
// it: DISSF "0.0" then segment name "10001" is written "       0.010001", and an unbounded scan
// reads it as one number.
#pragma once

#include <string>

#include "deck/deck_scanner.h"

namespace orvo {

class LayoutFields {
 public:
  // period: the columns after which the layout repeats (an entry, a constant, a number).
  LayoutFields(DeckScanner& in, int period) : in_(in), period_(period) {}

  // offset: the field's first column within the period, counted from 0.
  bool Word(int offset, int width, std::string& value);
  bool Int(int offset, int width, int& value);
  bool Double(int offset, int width, double& value);
  // "%<count>c": exactly count characters of the current line, or of a new line when none is
  // held.
  bool Chars(int count, std::string& value);
  // The rest of the current line is dropped: the scanner is already past it.
  void EndLine() { held_ = false; }

 private:
  // Moves to the next non-blank character, reading lines as needed, and gives the end of the
  // characters the field may take.
  bool Start(int offset, int width, size_t& limit);
  bool Hold();

  DeckScanner& in_;
  int period_;
  std::string line_;
  size_t at_ = 0;
  bool held_ = false;
};

}  // namespace orvo
