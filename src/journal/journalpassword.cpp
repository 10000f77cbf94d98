#include "journalpassword.h"

#include "platform/settingsstore.h"

#include <sodium.h>

namespace {

const QString Application = QStringLiteral("Diary");
const QString Section = QStringLiteral("di");
const QString Key = QStringLiteral("di");
const QString HashMark = QStringLiteral("$argon2id$");

// The hash of the password, or "" when there was not the memory to make it.
QString hashOf(const QString &password)
{
    if (sodium_init() < 0)
        return QString();
    const QByteArray bytes = password.toUtf8();
    char hash[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(hash, bytes.constData(), quint64(bytes.size()), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE)
        != 0)
        return QString();
    return QString::fromLatin1(hash);
}

bool matchesHash(const QString &hash, const QString &password)
{
    if (sodium_init() < 0)
        return false;
    const QByteArray stored = hash.toLatin1();
    const QByteArray bytes = password.toUtf8();
    return crypto_pwhash_str_verify(stored.constData(), bytes.constData(), quint64(bytes.size())) == 0;
}

} // namespace

JournalPassword::JournalPassword(SettingsStore &settings)
    : m_settings(settings)
{
}

QString JournalPassword::stored() const
{
    return m_settings.value(Application, Section, Key);
}

QString JournalPassword::store(const QString &value)
{
    return m_settings.setValue(Application, Section, Key, value) ? QString() : m_settings.errorString();
}

bool JournalPassword::isSet() const
{
    return !stored().isEmpty();
}

JournalPassword::Check JournalPassword::check(const QString &answer)
{
    const QString value = stored();
    if (value.isEmpty())
        return {true, QString()};
    if (value.startsWith(HashMark))
        return {matchesHash(value, answer), QString()};
    if (answer != value)
        return {false, QString()};
    return {true, set(answer)};
}

QString JournalPassword::set(const QString &password)
{
    if (password.isEmpty())
        return store(QString());
    const QString hash = hashOf(password);
    if (hash.isEmpty())
        return QStringLiteral("There was not enough memory to protect the password.");
    return store(hash);
}
