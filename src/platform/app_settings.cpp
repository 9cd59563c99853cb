// Start-up notice setting on QSettings.
#include "platform/app_settings.h"

#include <QSettings>

std::optional<bool> ReadStartUpSetting()
{
    QSettings settings("Tarn", "Orv");
    settings.beginGroup("Warning");
    if (!settings.contains("StartUp")) return std::nullopt;
    return settings.value("StartUp").toBool();
}

bool WriteStartUpSetting(bool show)
{
    QSettings settings("Tarn", "Orv");
    settings.beginGroup("Warning");
    settings.setValue("StartUp", show ? 1 : 0);
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}
