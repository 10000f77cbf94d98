#include "settingsstore.h"

#include <QDir>
#include <QSettings>

SettingsStore::SettingsStore(QString directory)
    : m_directory(std::move(directory))
{
}

QString SettingsStore::fileFor(const QString &application) const
{
    return QDir(m_directory).filePath(application + u".ini");
}

QString SettingsStore::value(const QString &application, const QString &section, const QString &key) const
{
    const QSettings settings(fileFor(application), QSettings::IniFormat);
    return settings.value(section + u'/' + key).toString();
}

bool SettingsStore::setValue(const QString &application, const QString &section, const QString &key,
                             const QString &value)
{
    if (!QDir().mkpath(m_directory)) {
        m_error = QDir::toNativeSeparators(m_directory) + u": the folder cannot be created";
        return false;
    }
    QSettings settings(fileFor(application), QSettings::IniFormat);
    settings.setValue(section + u'/' + key, value);
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        m_error = QDir::toNativeSeparators(settings.fileName()) + u": the file cannot be written";
        return false;
    }
    m_error.clear();
    return true;
}
