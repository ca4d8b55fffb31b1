// Reads an input deck held in memory the way the simulation programs' decks are read: whole
// lines, fields by fixed column, and free-format numbers that may run across line ends.
// Lines end with "\n" or "\r\n"; a line may be of any length (columns past a card's layout
// are simply never looked at).
#pragma once

#include <string>
#include <string_view>

#include "model/text_trim.h"

namespace orvo {

class DeckScanner {
 public:
  // The scanner only views its text: keep the text alive while scanning. A temporary
  // string would be gone before the first read, so it is refused at compile time.
  explicit DeckScanner(std::string_view text) : text_(text) {}
  explicit DeckScanner(const char* text) : text_(text) {}
  explicit DeckScanner(std::string&&) = delete;

  bool AtEnd() const { return position_ >= text_.size(); }
  // The rest of the current line (all of it at a line start), without its line end.
  bool ReadLine(std::string& line);
  bool SkipRestOfLine() {
    std::string ignored;
    return ReadLine(ignored);
  }
  // Free-format fields as a scanf conversion with a width reads them: white space (line ends
  // included) is skipped, then at most `width` characters are taken. One difference keeps
  // fixed columns apart: when the scan starts where a field starts (a line start, or the end
  // of a field read to its last column), a number found inside that field ends with it. The
  // writers right-align every field, so a full-width field directly follows the one before
  // it ("       0.010001" is DISSF 0.0, then segment name 10001); free-format and
  // left-aligned numbers, which end before their field does, are read as scanf reads them.
  bool ScanInt(int width, int& value);
  bool ScanDouble(int width, double& value);
  // "%<width>s": at most `width` characters up to the next white space, bounded as above.
  bool ScanWord(int width, std::string& value);
  // A name in a fixed column: the next `width` characters of the line (a line end first
  // passed when the scan stands at one), blanks around it removed. Names may hold blanks
  // ("FOC 1"), which a "%s" conversion would split.
  bool ScanName(int width, std::string& value);
  // "%<count>c": exactly `count` characters, blanks included, within the current line.
  bool ScanChars(int count, std::string& value);

  size_t position() const { return position_; }
  void Rewind() {
    position_ = 0;
    at_field_start_ = true;
  }
  // 1-based number of the line the position is on, for messages.
  int LineNumber() const;

 private:
  // Skips white space and gives the limit a field of `width` may reach; field_end is where
  // the field ends when its start is known, else npos.
  size_t FieldLimit(int width, size_t& field_end);
  void Took(size_t end, size_t field_end) {
    position_ = end;
    at_field_start_ = end == field_end;
  }

  std::string_view text_;
  size_t position_ = 0;
  bool at_field_start_ = true;
};

// Fixed-column fields of one line, columns counted from 1. A field whose first column lies
// beyond the end of the line is 0; the conversion is atoi / atof of the field's characters.
int ColumnInt(std::string_view line, int first, int width);
double ColumnReal(std::string_view line, int first, int width);
std::string ColumnText(std::string_view line, int first, int width);
// The line from a column on, or empty when the line is shorter.
std::string_view ColumnsFrom(std::string_view line, int first);

}  // namespace orvo
