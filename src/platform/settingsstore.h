#pragma once

#include <QString>

// Per-user string values by application, section and key. Each application
// name is one INI file in the store's directory.
class SettingsStore
{
public:
    explicit SettingsStore(QString directory);

    QString value(const QString &application, const QString &section, const QString &key) const;
    // False, with the reason in errorString(), when the value could not be stored.
    bool setValue(const QString &application, const QString &section, const QString &key, const QString &value);
    QString errorString() const { return m_error; }

private:
    QString fileFor(const QString &application) const;

    QString m_directory;
    QString m_error;
};
