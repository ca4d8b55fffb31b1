#include "ui/shell/settings_store.h"

#include <QSettings>

namespace orvo {

QString SettingsPath(const SettingKey& key) {
  return QString::fromUtf8(key.section) + u'/' + QString::fromUtf8(key.key);
}

std::string ReadStoredSetting(const SettingKey& key) {
  const QSettings store(kSettingsOrganisation, kSettingsApplication);
  return store.value(SettingsPath(key), QString::fromUtf8(key.default_value))
      .toString()
      .toStdString();
}

void WriteStoredSetting(const SettingKey& key, const std::string& value) {
  QSettings store(kSettingsOrganisation, kSettingsApplication);
  store.setValue(SettingsPath(key), QString::fromStdString(value));
}

}  // namespace orvo
