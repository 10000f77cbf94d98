#include "scrambling.h"

#include <vector>

namespace {

constexpr int MaxTokenLength = 15;

bool isLetter(QChar c)
{
    return c >= u'a' && c <= u'z';
}

// The token, if any, that is spelled by text[from, from + length).
int tokenSpelled(QStringView text, qsizetype from, qsizetype length)
{
    const QStringView candidate = text.sliced(from, length);
    for (std::size_t letter = 0; letter < ScrambleTokens.size(); ++letter) {
        const std::u16string_view token = ScrambleTokens[letter];
        if (qsizetype(token.size()) == length && candidate == QStringView(token.data(), length))
            return int(letter);
    }
    return -1;
}

struct Occurrence
{
    qsizetype start;
    qsizetype length;
};

} // namespace

QString ScrambleText(const QString &text)
{
    QString out;
    out.reserve(text.size() * 9);
    for (const QChar c : text) {
        if (isLetter(c)) {
            const std::u16string_view token = ScrambleTokens[c.unicode() - u'a'];
            out.append(QStringView(token.data(), qsizetype(token.size())));
        } else {
            out.append(c);
        }
    }
    return out;
}

// Twenty-six replace-all passes over a scrambled text ten times the size of
// its plain form are slow, so this finds every place where a token is spelled
// in one scan and then settles them letter by letter as the passes would. A
// pass can never make a new place for a later token, since what it writes is
// a letter and no token holds one; it can only take away places that overlap
// one it replaced. So the places a pass replaces are the ones found at the
// start that overlap nothing replaced before, taken from the left.
QString UnscrambleText(const QString &text)
{
    std::array<std::vector<Occurrence>, ScrambleTokens.size()> places;
    bool any = false;
    const QStringView view(text);
    const qsizetype size = view.size();
    for (qsizetype i = view.indexOf(u'_'); i >= 0;) {
        // A token starting here ends at the next "_" or, for those with a
        // third "_" inside, at the one after it.
        const qsizetype second = view.indexOf(u'_', i + 1);
        if (second < 0)
            break;
        qsizetype end = second;
        for (int underscores = 2; underscores <= 3 && end >= 0 && end - i < MaxTokenLength; ++underscores) {
            const int letter = tokenSpelled(view, i, end + 1 - i);
            if (letter >= 0) {
                places[letter].push_back({i, end + 1 - i});
                any = true;
            }
            end = view.indexOf(u'_', end + 1);
        }
        i = second;
    }
    if (!any)
        return text;

    // For each character, the letter whose token replaced it, or -1.
    std::vector<qint8> replacedBy(std::size_t(size), -1);
    std::vector<Occurrence> replaced;
    for (std::size_t letter = 0; letter < places.size(); ++letter) {
        qsizetype freeFrom = 0;
        for (const Occurrence &o : places[letter]) {
            if (o.start < freeFrom)
                continue;
            bool overlaps = false;
            for (qsizetype k = o.start; k < o.start + o.length && !overlaps; ++k)
                overlaps = replacedBy[std::size_t(k)] >= 0;
            if (overlaps)
                continue;
            for (qsizetype k = o.start; k < o.start + o.length; ++k)
                replacedBy[std::size_t(k)] = qint8(letter);
            freeFrom = o.start + o.length;
        }
    }

    QString out;
    out.reserve(size);
    for (qsizetype i = 0; i < size;) {
        const qint8 letter = replacedBy[std::size_t(i)];
        if (letter < 0) {
            out.append(view[i]);
            ++i;
            continue;
        }
        out.append(QChar(u'a' + letter));
        i += ScrambleTokens[std::size_t(letter)].size();
    }
    return out;
}
