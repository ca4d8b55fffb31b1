#include "deck_format.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>
#include <utility>

#include "model/number_text.h"
#include "model/string_array.h"

namespace orvo {

namespace {

std::string PadLeft(std::string text, int width) {
  if (text.size() < static_cast<size_t>(width)) text.insert(0, width - text.size(), ' ');
  return text;
}

bool PlainInteger(const std::string& text) {
  for (char c : text) {
    if (!(c == '-' || (c >= '0' && c <= '9'))) return false;
  }
  return true;
}

}  // namespace

namespace {

// The fitted number of the common cases appended to out without a string of its own: a "%g"
// text that fits as it stands, or a whole number that takes ".0". False for the rest.
bool AppendQuickFittedNumber(std::string& out, double value, int width) {
  char buffer[40];
  // Whole numbers below a million, as most deck values are: "%g" gives their digits, which
  // take ".0". Negative zero keeps its sign through the general path.
  if (value == std::trunc(value) && std::fabs(value) < 1e6 &&
      !(value == 0 && std::signbit(value))) {
    char* end = std::to_chars(buffer, buffer + 32, static_cast<long long>(value)).ptr;
    *end++ = '.';
    *end++ = '0';
    const size_t size = static_cast<size_t>(end - buffer);
    if (size < static_cast<size_t>(width)) out.append(static_cast<size_t>(width) - size, ' ');
    out.append(buffer, size);
    return true;
  }
  const auto result = std::to_chars(buffer, buffer + 32, value, std::chars_format::general, 6);
  if (result.ec != std::errc()) return false;
  char* end = result.ptr;
  const std::string_view plain(buffer, static_cast<size_t>(end - buffer));
  if (plain.find('e') != std::string_view::npos) return false;
  if (plain.find('.') == std::string_view::npos) {
    for (char c : plain) {
      if (!(c == '-' || (c >= '0' && c <= '9'))) return false;
    }
    if (value != std::trunc(value)) return false;
    *end++ = '.';
    *end++ = '0';
  }
  const size_t size = static_cast<size_t>(end - buffer);
  if (size > static_cast<size_t>(width) && plain.find('.') != std::string_view::npos) return false;
  if (size < static_cast<size_t>(width)) out.append(static_cast<size_t>(width) - size, ' ');
  out.append(buffer, size);
  return true;
}

}  // namespace

std::string FittedNumber(double value, int width) {
  std::string quick;
  if (AppendQuickFittedNumber(quick, value, width)) return quick;
  const std::string plain = RealText(value);
  const bool has_point = plain.find('.') != std::string::npos;
  const bool has_exponent = plain.find('e') != std::string::npos;
  if (!has_point && !has_exponent) {
    // "%g" printed all digits of a whole number: "%.1f" prints them and ".0". A value that
    // only rounds to its "%g" text keeps its decimal through "%.1f".
    if (PlainInteger(plain) && value == std::trunc(value)) return PadLeft(plain + ".0", width);
    return CFormat("%*.1f", width, value);
  }
  if (!has_point) return CFormat("%#*.1g", width, value);
  if (plain.size() <= static_cast<size_t>(width)) return PadLeft(plain, width);
  // Some values never fit (width 5 holds no exponent form); precision 1 is the last try.
  std::string text = plain;
  for (int precision = width - 1; text.size() > static_cast<size_t>(width) && precision >= 1;
       --precision) {
    text = CFormat("%*.*g", width, precision, value);
  }
  return text;
}

void DeckOut::Real(double value, int width) {
  if (!AppendQuickFittedNumber(text_, value, width)) text_ += FittedNumber(value, width);
}

void DeckOut::SetSink(std::function<bool(std::string_view)> sink) {
  sink_ = std::move(sink);
  text_.reserve(kChunk + 4096);
}

void DeckOut::Drain() {
  // Without a sink the text is the result: nothing to hand on.
  if (!sink_) return;
  if (sink_ok_ && !text_.empty()) sink_ok_ = sink_(text_);
  text_.clear();
}

void DeckOut::Fail(const std::string& message) {
  if (!message.empty()) platform_->ShowMessage(message);
  ok_ = false;
}

void DeckOut::Int(long long value, int width, std::string_view what) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  const std::string_view digits(buffer, static_cast<size_t>(result.ptr - buffer));
  if (digits.size() > static_cast<size_t>(width)) {
    Fail(std::string(what) + " " + std::string(digits) + " does not fit its " + IntText(width) +
         "-column field.");
  }
  if (digits.size() < static_cast<size_t>(width)) text_.append(width - digits.size(), ' ');
  text_ += digits;
}

void DeckOut::Name(std::string_view name, int width) {
  const size_t w = static_cast<size_t>(width);
  if (name.size() >= w) {
    text_ += name.substr(0, w);
  } else {
    text_.append(w - name.size(), ' ');
    text_ += name;
  }
}

bool DeckOut::TimeFunction(const std::vector<double>& entries) {
  Int(static_cast<long long>(entries.size() / 2), 5, "The number of breaks");
  EndLine();
  for (size_t i = 0; i < entries.size(); ++i) {
    Real(entries[i]);
    if (i % 2 == 1 && (i / 2) % 4 == 3) EndLine();
  }
  if (entries.size() % 2 == 1) {
    Fail("");
    return false;
  }
  if ((entries.size() / 2) % 4 != 0) EndLine();
  return ok_;
}

bool DeckOut::TimeFunction(const std::vector<std::string>& entries) {
  std::vector<double> values;
  values.reserve(entries.size());
  for (const std::string& entry : entries) values.push_back(AtoF(entry));
  return TimeFunction(values);
}

std::vector<std::string> TimeFunctionEntries(std::string_view text) {
  StringArray parsed;
  parsed.Parse(text, false);
  return std::move(parsed.GetList());
}

}  // namespace orvo
