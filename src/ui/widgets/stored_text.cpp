#include "ui/widgets/stored_text.h"

#include <array>

#include "model/string_array.h"

namespace orvo::ui {
namespace {

// 0x80 to 0x9F; 0 marks the five bytes Windows-1252 leaves undefined, kept as the C1
// control of the same value so that no byte is lost on the way through a window.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

QString FromStored(const std::string& bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    char16_t unit = byte;
    if (byte >= 0x80 && byte <= 0x9F && kHighControls[byte - 0x80] != 0) {
      unit = kHighControls[byte - 0x80];
    }
    text.append(QChar(unit));
  }
  return text;
}

bool ToStored(const QString& text, std::string& out) {
  std::string bytes;
  bytes.reserve(static_cast<size_t>(text.size()));
  for (const QChar ch : text) {
    const char16_t unit = ch.unicode();
    int byte = -1;
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
      byte = unit;
    } else {
      for (size_t i = 0; i < kHighControls.size(); ++i) {
        const bool undefined_kept = kHighControls[i] == 0 && unit == 0x80 + i;
        if (kHighControls[i] == unit || undefined_kept) byte = static_cast<int>(0x80 + i);
      }
    }
    if (byte < 0) return false;
    bytes.push_back(static_cast<char>(byte));
  }
  if (!IsPlainStorableText(bytes)) return false;
  out = std::move(bytes);
  return true;
}

}  // namespace orvo::ui
