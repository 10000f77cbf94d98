#pragma once

#include <QString>

class SettingsStore;

// The journal password, kept in the per-user settings under application
// "Diary", section "di", key "di". The value is a salted Argon2id hash
// ("$argon2id$..."); a value without that mark is a password stored in plain
// text by an earlier version, still accepted and replaced by its hash the
// first time it is answered right. An empty or missing value means none.
class JournalPassword
{
public:
    explicit JournalPassword(SettingsStore &settings);

    bool isSet() const;

    struct Check
    {
        bool right = false;
        // Set when a right answer to a plain-text value could not be
        // stored as a hash; the journal still opens.
        QString storeError;
    };
    // Compares the answer with the stored password, exactly.
    Check check(const QString &answer);

    // Stores the hash of the new password; an empty one removes the
    // protection. The reason of a failure, or "".
    QString set(const QString &password);

private:
    QString stored() const;
    QString store(const QString &value);

    SettingsStore &m_settings;
};
