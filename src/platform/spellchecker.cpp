#include "spellchecker.h"

#include <hunspell/hunspell.hxx>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextBoundaryFinder>

namespace {

// U+2019 is how most writers' apostrophes arrive; the dictionaries spell
// with the typewriter one.
QString plainApostrophes(QString word)
{
    word.replace(u'\u2019', u'\'');
    return word;
}

bool isLetterish(QChar c)
{
    return c.isLetter() || c.isMark();
}

} // namespace

SpellChecker::SpellChecker(QString wordList, QString locale, QString dictionaryFolder)
    : m_wordList(std::move(wordList))
    , m_locale(std::move(locale))
    , m_dictionaryFolder(std::move(dictionaryFolder))
{
}

SpellChecker::~SpellChecker() = default;

QList<SpellChecker::Span> SpellChecker::words(const QString &text)
{
    QList<Span> found;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Word, text);
    int start = 0;
    while (finder.toNextBoundary() != -1) {
        const int end = finder.position();
        int first = start;
        int last = end;
        // An apostrophe belongs to a word only inside it ("don't", not "'tis").
        while (first < last && !isLetterish(text[first]))
            ++first;
        while (last > first && !isLetterish(text[last - 1]))
            --last;
        // A run that holds a digit anywhere ("3rd", "Win11") is no word.
        bool word = last > first;
        for (int i = start; word && i < end; ++i)
            word = !text[i].isDigit();
        if (word)
            found.append({first, last - first});
        start = end;
    }
    return found;
}

bool SpellChecker::load()
{
    if (m_loaded)
        return bool(m_hunspell);
    m_loaded = true;
    const QDir folder(m_dictionaryFolder);
    QStringList candidates{m_locale, m_locale.section(u'_', 0, 0)};
    for (const QFileInfo &file : folder.entryInfoList({m_locale.section(u'_', 0, 0) + QStringLiteral("_*.dic")}))
        candidates.append(file.completeBaseName());
    candidates << QStringLiteral("en_US") << QStringLiteral("en_GB");
    for (const QString &name : std::as_const(candidates)) {
        const QString dic = folder.filePath(name + QStringLiteral(".dic"));
        const QString aff = folder.filePath(name + QStringLiteral(".aff"));
        if (name.isEmpty() || !QFileInfo::exists(dic) || !QFileInfo::exists(aff))
            continue;
        m_hunspell = std::make_unique<Hunspell>(QFile::encodeName(aff).constData(), QFile::encodeName(dic).constData());
        m_utf8 = QString::fromStdString(m_hunspell->get_dict_encoding()).compare(u"UTF-8", Qt::CaseInsensitive) == 0;
        break;
    }
    if (!m_hunspell)
        return false;
    QFile list(m_wordList);
    if (list.open(QIODevice::ReadOnly | QIODevice::Text)) {
        const QStringList lines = QString::fromUtf8(list.readAll()).split(u'\n', Qt::SkipEmptyParts);
        for (const QString &line : lines) {
            bool ok = false;
            const std::string word = encoded(line.trimmed(), &ok);
            if (ok)
                m_hunspell->add(word);
        }
    }
    return true;
}

bool SpellChecker::hasDictionary()
{
    return load();
}

std::string SpellChecker::encoded(const QString &word, bool *ok) const
{
    *ok = true;
    if (m_utf8)
        return word.toStdString();
    for (QChar c : word)
        *ok = *ok && c.unicode() < 0x100;
    return word.toLatin1().toStdString();
}

bool SpellChecker::isCorrect(const QString &word)
{
    const QString plain = plainApostrophes(word);
    if (!load() || m_ignored.contains(plain))
        return true;
    bool ok = false;
    const std::string text = encoded(plain, &ok);
    return ok && m_hunspell->spell(text);
}

QStringList SpellChecker::suggestions(const QString &word, int most)
{
    QStringList result;
    bool ok = false;
    const std::string text = encoded(plainApostrophes(word), &ok);
    if (!load() || !ok)
        return result;
    for (const std::string &suggestion : m_hunspell->suggest(text)) {
        if (result.size() == most)
            break;
        result.append(m_utf8 ? QString::fromStdString(suggestion) : QString::fromLatin1(suggestion));
    }
    return result;
}

QString SpellChecker::addToDictionary(const QString &word)
{
    const QString plain = plainApostrophes(word);
    ignore(plain);
    bool ok = false;
    const std::string text = encoded(plain, &ok);
    if (load() && ok)
        m_hunspell->add(text);

    QByteArray list;
    QFile old(m_wordList);
    if (old.open(QIODevice::ReadOnly))
        list = old.readAll();
    if (!list.isEmpty() && !list.endsWith('\n'))
        list += '\n';
    list += plain.toUtf8() + '\n';
    QDir().mkpath(QFileInfo(m_wordList).absolutePath());
    QSaveFile file(m_wordList);
    if (!file.open(QIODevice::WriteOnly) || file.write(list) != list.size() || !file.commit())
        return QStringLiteral("Quillmere could not add \"%1\" to your word list, %2, so it counts as correct only "
                              "until Quillmere closes.\n\n%3")
            .arg(plain, QDir::toNativeSeparators(m_wordList), file.errorString());
    return {};
}

void SpellChecker::ignore(const QString &word)
{
    m_ignored.insert(plainApostrophes(word));
    ++m_generation;
}
