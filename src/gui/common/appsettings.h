#pragma once

#include <QSettings>

// The program's settings root, shared by everything that keeps a setting.
inline constexpr const char* kSettingsOrganization = "Local AppWizard-Generated Applications";

inline QSettings AppSettings()
{
    return QSettings(QString::fromLatin1(kSettingsOrganization), QStringLiteral("Qoru"));
}
