// The conventions every card of an input deck shares: integers right-aligned in fixed
// columns, reals in the fitted number format, time-function blocks of value/time pairs.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/platform.h"

namespace orvo {

// The fitted number format: the value in a column of `width`, "%g" where it fits, one
// decimal for whole numbers, a kept decimal point for bare exponent forms, and shrinking
// precision (never below 1) for texts longer than the column.
std::string FittedNumber(double value, int width = 10);

// Card text under construction. A failure is reported through the platform at once and
// sticks: the card writer then reports its group as failed.
class DeckOut {
 public:
  explicit DeckOut(Platform& platform) : platform_(&platform) {}

  void Text(std::string_view text) { text_ += text; }
  void Line(std::string_view text) {
    text_ += text;
    EndLine();
  }
  void EndLine() {
    text_ += '\n';
    if (sink_ && text_.size() >= kChunk) Drain();
  }
  // "%<width>d", or a failure naming the value when it needs more columns: a wider number
  // would shift every later column of the line.
  void Int(long long value, int width, std::string_view what);
  void Real(double value, int width = 10);
  // Text in a fixed column: right-aligned ("%<width>s") and cut to the column.
  void Name(std::string_view name, int width);
  // The time-function block: the pair count in "%5d", then value/time pairs in the fitted
  // format of width 10, four pairs to a line. An odd count fails after the unpaired value.
  bool TimeFunction(const std::vector<std::string>& entries);
  bool TimeFunction(const std::vector<double>& entries);

  // Hands the text on in chunks of whole lines instead of keeping it all: whenever a line
  // ends with a chunk's worth gathered, and at Drain. Once the sink fails, the rest of the
  // text is dropped and sink_ok() tells.
  void SetSink(std::function<bool(std::string_view)> sink);
  void Drain();
  bool sink_ok() const { return sink_ok_; }

  void Fail(const std::string& message);
  bool ok() const { return ok_; }
  Platform& platform() const { return *platform_; }
  std::string& text() { return text_; }
  const std::string& text() const { return text_; }

 private:
  static constexpr size_t kChunk = size_t{1} << 20;

  Platform* platform_;
  std::string text_;
  std::function<bool(std::string_view)> sink_;
  bool sink_ok_ = true;
  bool ok_ = true;
};

// The numbers of a time-function text (blank, comma, tab or newline separated).
std::vector<std::string> TimeFunctionEntries(std::string_view text);

}  // namespace orvo
