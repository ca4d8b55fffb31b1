// Texts kept in project files and decks are 8-bit Windows-1252. The windows show them as
// such and refuse characters that could not be stored, rather than corrupting them.
#pragma once

#include <QString>
#include <string>

namespace orvo::ui {

// What a window says when it refuses such a text.
inline constexpr const char* kNotStorable =
    "The text holds characters that cannot be stored in a project file.";

QString FromStored(const std::string& bytes);
// false (out unchanged) when text holds a character Windows-1252 cannot store, or starts
// like the stored form of a list (which a project file would read back as one).
bool ToStored(const QString& text, std::string& out);

}  // namespace orvo::ui
