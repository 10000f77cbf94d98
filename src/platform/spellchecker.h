#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>

class Hunspell;

// Spelling through Hunspell with the dictionary of the user's language
// (American English when there is none for it), the user's own word list
// and the words ignored for this run. Nothing is read until the first word
// is checked, so that making a checker costs nothing at start-up.
class SpellChecker
{
public:
    // The offset and length of a word in a text.
    struct Span
    {
        int start = 0;
        int length = 0;
    };

    // wordList is the file of the user's own words, one a line; locale is a
    // name such as "en_GB".
    SpellChecker(QString wordList, QString locale, QString dictionaryFolder = QStringLiteral("/usr/share/hunspell"));
    ~SpellChecker();

    // The words of a text worth checking: runs of letters, apostrophes
    // within a word included; a hyphen parts words, and anything holding a
    // digit is not a word.
    static QList<Span> words(const QString &text);

    bool isCorrect(const QString &word);
    QStringList suggestions(const QString &word, int most = 8);
    // Keeps the word in the user's list for this and later runs. When the
    // list cannot be written, the word is correct for this run only, and
    // the message for the user names the word, the file and the reason;
    // otherwise the message is "".
    QString addToDictionary(const QString &word);
    void ignore(const QString &word);

    // Grows whenever a word becomes correct, so that text checked before
    // can be told apart.
    int generation() const { return m_generation; }
    // False when no dictionary was found: every word then counts as correct.
    bool hasDictionary();

private:
    bool load();
    std::string encoded(const QString &word, bool *ok) const;

    QString m_wordList;
    QString m_locale;
    QString m_dictionaryFolder;
    bool m_loaded = false;
    bool m_utf8 = true;
    std::unique_ptr<Hunspell> m_hunspell;
    QSet<QString> m_ignored;
    int m_generation = 0;
};
