// The per-user settings store (QtCore only, a library of its own) shared by the desktop program and
// the command line, so that a location chosen in either serves both: QSettings of organisation
// "OrvoBuilder" and application "orvobuilder", one key "section/key" per SettingKey.
#pragma once

#include <QString>
#include <string>

#include "model/platform.h"

namespace orvo {

inline constexpr const char* kSettingsOrganisation = "OrvoBuilder";
inline constexpr const char* kSettingsApplication = "orvobuilder";

QString SettingsPath(const SettingKey& key);
std::string ReadStoredSetting(const SettingKey& key);
void WriteStoredSetting(const SettingKey& key, const std::string& value);

}  // namespace orvo
