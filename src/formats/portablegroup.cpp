#include "portablegroup.h"

#include "rtftokenizer.h"

#include <algorithm>
#include <vector>

namespace PortableGroup {

namespace {

struct Scope
{
    int font;
    int unicodeSkip;
};

void appendText(QByteArray &out, QStringView text, int unicodeSkip)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            out.append('\\');
            out.append(char(u));
        } else if (u >= 0x20 && u < 0x7F) {
            out.append(char(u));
        } else if (u < 0x20) {
            static constexpr char Hex[] = "0123456789abcdef";
            out.append("\\'");
            out.append(Hex[u >> 4]);
            out.append(Hex[u & 0xF]);
        } else {
            out.append("\\u" + QByteArray::number(u < 0x8000 ? int(u) : int(u) - 0x10000));
            // The fallback that readers without \\u show instead; with none,
            // a space ends the number.
            out.append(unicodeSkip > 0 ? QByteArray(unicodeSkip, '?') : QByteArray(" "));
        }
    }
}

} // namespace

QByteArray rewrite(QByteArrayView group, int font, int unicodeSkip, const Decoder &decode)
{
    QByteArray out;
    out.reserve(group.size());
    std::vector<Scope> scopes{{font, unicodeSkip}};
    qsizetype copied = 0;
    // The text bytes read since the last markup, and where they stand.
    QByteArray run;
    qsizetype runStart = -1;
    qsizetype runEnd = -1;
    int fallback = 0; // what a \\uN's fallback still skips, as the reader counts it

    const auto endRun = [&] {
        if (runStart < 0)
            return;
        const QString text = decode(scopes.back().font, run);
        if (!text.isNull()) {
            out.append(group.sliced(copied, runStart - copied));
            appendText(out, text, scopes.back().unicodeSkip);
            copied = runEnd;
        }
        run.clear();
        runStart = runEnd = -1;
    };
    const auto addText = [&](QByteArrayView bytes, qsizetype start, qsizetype end) {
        if (runStart < 0)
            runStart = start;
        run.append(bytes);
        runEnd = end;
    };

    RtfTokenizer tokens(group);
    for (;;) {
        const qsizetype start = tokens.position();
        const RtfTokenizer::Token token = tokens.next();
        switch (token.type) {
        case RtfTokenizer::Type::End:
            endRun();
            out.append(group.sliced(copied));
            return out;
        case RtfTokenizer::Type::Text: {
            const qsizetype skipped = std::min<qsizetype>(fallback, token.bytes.size());
            fallback -= int(skipped);
            if (skipped > 0)
                endRun();
            if (skipped < token.bytes.size()) {
                const qsizetype at = token.bytes.data() - group.data();
                addText(token.bytes.sliced(skipped), at + skipped, at + token.bytes.size());
            }
            break;
        }
        case RtfTokenizer::Type::HexByte:
            if (fallback > 0) {
                --fallback;
                endRun();
            } else {
                addText(QByteArrayView(&token.symbol, 1), start, tokens.position());
            }
            break;
        case RtfTokenizer::Type::GroupStart:
            endRun();
            fallback = 0;
            scopes.push_back(scopes.back());
            break;
        case RtfTokenizer::Type::GroupEnd:
            endRun();
            fallback = 0;
            if (scopes.size() > 1)
                scopes.pop_back();
            break;
        case RtfTokenizer::Type::ControlWord:
            endRun();
            if (fallback > 0) {
                --fallback;
            } else if (token.name == "f") {
                scopes.back().font = token.hasParameter ? token.parameter : 0;
            } else if (token.name == "plain") {
                scopes.back().font = -1;
            } else if (token.name == "uc") {
                scopes.back().unicodeSkip = token.hasParameter ? std::clamp(token.parameter, 0, 16) : 1;
            } else if (token.name == "u") {
                fallback = scopes.back().unicodeSkip;
            }
            break;
        case RtfTokenizer::Type::ControlSymbol:
            endRun();
            if (fallback > 0 && token.symbol != '*')
                --fallback;
            break;
        case RtfTokenizer::Type::Binary: endRun(); break;
        }
    }
}

} // namespace PortableGroup
