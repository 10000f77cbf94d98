#include "scrambling.h"

#include <vector>

namespace {

constexpr qsizetype MaxTokenLength = 15;

bool isLetter(char16_t c)
{
    return c >= u'a' && c <= u'z';
}

// The tokens as a tree of their characters, so that the one token spelled
// from a place in the text (never more than one: no token holds another, and
// each ends in "_") is found in one walk along it.
class TokenTree
{
public:
    TokenTree()
    {
        m_nodes.emplace_back();
        for (std::size_t letter = 0; letter < ScrambleTokens.size(); ++letter) {
            int node = 0;
            for (const char16_t c : ScrambleTokens[letter]) {
                const int slot = slotOf(c);
                if (m_nodes[std::size_t(node)].next[std::size_t(slot)] == 0) {
                    m_nodes[std::size_t(node)].next[std::size_t(slot)] = int(m_nodes.size());
                    m_nodes.emplace_back();
                }
                node = m_nodes[std::size_t(node)].next[std::size_t(slot)];
            }
            m_nodes[std::size_t(node)].letter = int(letter);
        }
    }

    // The letter whose token starts at text[from], or -1.
    int letterAt(const char16_t *text, qsizetype from, qsizetype size) const
    {
        int node = 0;
        for (qsizetype i = from; i < size && i - from < MaxTokenLength; ++i) {
            if (text[i] >= 128)
                return -1;
            const int slot = m_slots[text[i]];
            if (slot < 0)
                return -1;
            node = m_nodes[std::size_t(node)].next[std::size_t(slot)];
            if (node == 0)
                return -1;
            if (m_nodes[std::size_t(node)].letter >= 0)
                return m_nodes[std::size_t(node)].letter;
        }
        return -1;
    }

private:
    static constexpr int Slots = 24; // "_", ten digits and the punctuation

    struct Node
    {
        std::array<int, Slots> next{};
        int letter = -1;
    };

    int slotOf(char16_t c)
    {
        if (m_slots[c] < 0)
            m_slots[c] = m_used++;
        return m_slots[c];
    }

    std::vector<Node> m_nodes;
    std::array<int, 128> m_slots = [] {
        std::array<int, 128> slots{};
        slots.fill(-1);
        return slots;
    }();
    int m_used = 0;
};

const TokenTree &tokenTree()
{
    static const TokenTree tree;
    return tree;
}

struct Place
{
    qsizetype start;
    int letter;
};

qsizetype lengthOf(int letter)
{
    return qsizetype(ScrambleTokens[std::size_t(letter)].size());
}

// The passes one letter after the other, for text where tokens overlap: a
// place is replaced when it overlaps nothing replaced before.
QString unscrambleOverlapping(const char16_t *in, qsizetype size, const TokenTree &tree)
{
    std::vector<Place> places;
    for (qsizetype i = 0; i < size; ++i) {
        if (in[i] == u'_') {
            if (const int letter = tree.letterAt(in, i, size); letter >= 0)
                places.push_back({i, letter});
        }
    }
    std::vector<bool> taken(std::size_t(size), false);
    std::vector<bool> chosen(places.size(), false);
    for (int letter = 0; letter < int(ScrambleTokens.size()); ++letter) {
        for (std::size_t k = 0; k < places.size(); ++k) {
            const Place &p = places[k];
            if (p.letter != letter)
                continue;
            const qsizetype end = p.start + lengthOf(letter);
            bool free = true;
            for (qsizetype i = p.start; i < end && free; ++i)
                free = !taken[std::size_t(i)];
            if (!free)
                continue;
            for (qsizetype i = p.start; i < end; ++i)
                taken[std::size_t(i)] = true;
            chosen[k] = true;
        }
    }
    QString out;
    out.reserve(size);
    qsizetype from = 0;
    for (std::size_t k = 0; k < places.size(); ++k) {
        if (!chosen[k])
            continue;
        out.append(QStringView(in + from, places[k].start - from));
        out.append(QChar(u'a' + places[k].letter));
        from = places[k].start + lengthOf(places[k].letter);
    }
    out.append(QStringView(in + from, size - from));
    return out;
}

} // namespace

QString ScrambleText(const QString &text)
{
    const char16_t *in = reinterpret_cast<const char16_t *>(text.constData());
    const qsizetype size = text.size();
    qsizetype outSize = size;
    for (qsizetype i = 0; i < size; ++i) {
        if (isLetter(in[i]))
            outSize += qsizetype(ScrambleTokens[in[i] - u'a'].size()) - 1;
    }
    QString out(outSize, Qt::Uninitialized);
    char16_t *o = reinterpret_cast<char16_t *>(out.data());
    for (qsizetype i = 0; i < size; ++i) {
        if (!isLetter(in[i])) {
            *o++ = in[i];
            continue;
        }
        const std::u16string_view token = ScrambleTokens[in[i] - u'a'];
        o = std::copy(token.begin(), token.end(), o);
    }
    return out;
}

// Twenty-six replace-all passes over a scrambled text ten times the size of
// its plain form are slow, so this finds every place where a token is spelled
// in one scan. A pass can never make a new place for a later token, since what
// it writes is a letter and no token holds one; it can only take away places
// that overlap one it replaced. So when no places overlap, as in anything the
// scrambling wrote, every place is replaced, and the text is written as it is
// scanned; only text with overlapping places is settled letter by letter.
QString UnscrambleText(const QString &text)
{
    const TokenTree &tree = tokenTree();
    const char16_t *in = reinterpret_cast<const char16_t *>(text.constData());
    const qsizetype size = text.size();
    QString out(size, Qt::Uninitialized);
    char16_t *o = reinterpret_cast<char16_t *>(out.data());
    qsizetype from = 0; // the first character not yet written
    bool replaced = false;
    for (qsizetype i = 0; i < size; ++i) {
        if (in[i] != u'_')
            continue;
        const int letter = tree.letterAt(in, i, size);
        if (letter < 0)
            continue;
        if (i < from)
            return unscrambleOverlapping(in, size, tree);
        o = std::copy(in + from, in + i, o);
        *o++ = char16_t(u'a' + letter);
        from = i + lengthOf(letter);
        replaced = true;
    }
    if (!replaced)
        return text;
    o = std::copy(in + from, in + size, o);
    out.truncate(o - reinterpret_cast<const char16_t *>(out.constData()));
    return out;
}
