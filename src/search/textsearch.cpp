#include "textsearch.h"

#include "platform/richtextbox.h"

namespace {

char32_t codePointBefore(QStringView text, qsizetype pos)
{
    const QChar c = text.at(pos - 1);
    if (c.isLowSurrogate() && pos >= 2 && text.at(pos - 2).isHighSurrogate())
        return QChar::surrogateToUcs4(text.at(pos - 2), c);
    return c.unicode();
}

char32_t codePointAt(QStringView text, qsizetype pos)
{
    const QChar c = text.at(pos);
    if (c.isHighSurrogate() && pos + 1 < text.size() && text.at(pos + 1).isLowSurrogate())
        return QChar::surrogateToUcs4(c, text.at(pos + 1));
    return c.unicode();
}

bool wordBefore(QStringView text, qsizetype pos)
{
    return pos > 0 && TextSearch::isWordCharacter(codePointBefore(text, pos));
}

} // namespace

TextSearch::TextSearch(const QString &what, int options)
    : m_what(what)
    , m_case(options & RichTextBox::FindMatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive)
    , m_wholeWord(options & RichTextBox::FindWholeWord)
{
}

bool TextSearch::isWordCharacter(char32_t c)
{
    if (c == u'_')
        return true;
    switch (QChar::category(c)) {
    case QChar::Letter_Uppercase:
    case QChar::Letter_Lowercase:
    case QChar::Letter_Titlecase:
    case QChar::Letter_Modifier:
    case QChar::Letter_Other:
    case QChar::Number_DecimalDigit:
    case QChar::Number_Letter:
    case QChar::Number_Other:
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return true;
    default:
        return false;
    }
}

qsizetype TextSearch::find(QStringView text, qsizetype from) const
{
    if (from < 0 || from > text.size())
        return -1;
    return findFrom(text, from, wordBefore(text, from));
}

qsizetype TextSearch::findFrom(QStringView text, qsizetype from, bool wordBeforeFrom) const
{
    if (m_what.isEmpty())
        return -1;
    for (qsizetype at = from;; ++at) {
        at = text.indexOf(m_what, at, m_case);
        if (at < 0 || !m_wholeWord)
            return at;
        const qsizetype end = at + m_what.size();
        const bool wordAhead = at == from ? wordBeforeFrom : wordBefore(text, at);
        const bool wordBehind = end < text.size() && isWordCharacter(codePointAt(text, end));
        if (!wordAhead && !wordBehind)
            return at;
    }
}

QList<qsizetype> TextSearch::findForReplacement(QStringView text, QStringView replacement) const
{
    QList<qsizetype> matches;
    // Whether the text as rewritten so far ends in a word character.
    bool rewrittenEndsInWord = false;
    const bool replacementEndsInWord =
        !replacement.isEmpty() && isWordCharacter(codePointBefore(replacement, replacement.size()));
    for (qsizetype from = 0;;) {
        const qsizetype at = findFrom(text, from, rewrittenEndsInWord);
        if (at < 0)
            return matches;
        matches.append(at);
        if (!replacement.isEmpty())
            rewrittenEndsInWord = replacementEndsInWord;
        else if (at > from)
            rewrittenEndsInWord = wordBefore(text, at);
        from = at + m_what.size();
    }
}
