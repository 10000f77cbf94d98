#include "libreofficeview.h"

#include <QRegularExpression>

namespace {

QString decodeEntities(QString text)
{
    static const QRegularExpression entity(QStringLiteral("&(#x[0-9a-fA-F]+|#[0-9]+|[a-z]+);"));
    QString out;
    qsizetype last = 0;
    for (auto it = entity.globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        out += QStringView(text).sliced(last, match.capturedStart() - last);
        last = match.capturedEnd();
        const QString name = match.captured(1);
        if (name.startsWith(u"#x"))
            out += QString::fromUcs4(std::array{char32_t(name.sliced(2).toUInt(nullptr, 16))}.data(), 1);
        else if (name.startsWith(u'#'))
            out += QString::fromUcs4(std::array{char32_t(name.sliced(1).toUInt())}.data(), 1);
        else if (name == u"amp")
            out += u'&';
        else if (name == u"lt")
            out += u'<';
        else if (name == u"gt")
            out += u'>';
        else if (name == u"quot")
            out += u'"';
        else if (name == u"nbsp")
            out += QChar(0xA0);
        else
            out += match.captured();
    }
    return out + QStringView(text).sliced(last);
}

QStringList wordsOf(const QString &text)
{
    return text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

struct Note
{
    QStringList before; // the words of its paragraph up to the mark, the mark's own included
    QString text;
};

} // namespace

LibreOfficeView LibreOfficeView::fromExports(const QByteArray &text, const QByteArray &html)
{
    LibreOfficeView view;

    // The HTML export, walked as a stream of tags, comments and text: it is
    // not XML (list items are left open), and only these few of its tags matter.
    enum class Region { Body, Header, Footer, Note };
    Region region = Region::Body;
    int divDepth = 0;  // of the header, footer or note being read
    QString paragraph; // the text of the current paragraph, or the note, header or footer
    QString cell;
    bool inCell = false;
    int rowColumns = 0; // the columns that the cells of the current row take
    bool inAnchor = false; // a note's mark in the body
    bool inNoteMark = false; // the mark that starts a note's own text
    QList<Note> anchors;

    const auto endParagraph = [&] {
        if (inCell)
            cell += u' ' + paragraph;
        paragraph.clear();
    };
    const auto endRegion = [&] {
        const QString whole = paragraph.simplified();
        if (region == Region::Header)
            view.headers.append(whole);
        else if (region == Region::Footer)
            view.footers.append(whole);
        else if (region == Region::Note)
            view.notes.append(whole);
        paragraph.clear();
        region = Region::Body;
    };

    const QString source = QString::fromUtf8(html);
    const qsizetype bodyAt = source.indexOf(QStringLiteral("<body"));
    static const QRegularExpression token(QStringLiteral("<!--(.*?)-->|<(/?)([a-zA-Z0-9]+)([^>]*)>|[^<]+"),
                                          QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression attribute(QStringLiteral("(\\w+)=\"([^\"]*)\""));
    for (auto it = token.globalMatch(source, bodyAt < 0 ? source.size() : bodyAt); it.hasNext();) {
        const auto match = it.next();
        if (match.capturedLength(1) > 0 || match.captured().startsWith(u"<!--")) {
            if (region == Region::Body)
                view.comments.append(decodeEntities(match.captured(1)).simplified());
            continue;
        }
        const QString tag = match.captured(3).toLower();
        if (tag.isEmpty()) {
            const QString chars = decodeEntities(match.captured());
            if (!inNoteMark)
                paragraph += chars;
            continue;
        }
        const bool closing = !match.captured(2).isEmpty();
        QHash<QString, QString> attributes;
        for (auto a = attribute.globalMatch(match.captured(4)); a.hasNext();) {
            const auto pair = a.next();
            attributes.insert(pair.captured(1).toLower(), pair.captured(2));
        }

        if (tag == u"div") {
            if (region != Region::Body) {
                divDepth += closing ? -1 : 1;
                if (divDepth == 0)
                    endRegion();
            } else if (!closing) {
                const QString title = attributes.value(QStringLiteral("title"));
                const QString id = attributes.value(QStringLiteral("id"));
                if (title == u"header" || title == u"footer" || id.startsWith(u"sdfootnote") || id.startsWith(u"sdendnote")) {
                    paragraph.clear();
                    region = title == u"header" ? Region::Header : title == u"footer" ? Region::Footer : Region::Note;
                    divDepth = 1;
                }
            }
        } else if (tag == u"a") {
            const QString kind = attributes.value(QStringLiteral("class"));
            if (closing) {
                if (inAnchor)
                    anchors.last().before = wordsOf(paragraph);
                inAnchor = inNoteMark = false;
            } else if (kind == u"sdfootnoteanc" || kind == u"sdendnoteanc") {
                inAnchor = true;
                anchors.append(Note());
            } else if (kind.startsWith(u"sdfootnotesym") || kind.startsWith(u"sdendnotesym")) {
                inNoteMark = true;
            }
        } else if (region != Region::Body) {
            if (tag == u"p" || tag == u"br")
                paragraph += u' ';
        } else if (tag == u"table" && !closing) {
            view.tables.append(Table());
        } else if (tag == u"tr" && !closing && !view.tables.isEmpty()) {
            view.tables.last().rows.append(QStringList());
            rowColumns = 0;
        } else if ((tag == u"td" || tag == u"th") && !view.tables.isEmpty() && !view.tables.last().rows.isEmpty()) {
            endParagraph();
            if (closing) {
                view.tables.last().rows.last().append(cell.simplified());
                inCell = false;
            } else {
                rowColumns += std::max(1, attributes.value(QStringLiteral("colspan")).toInt());
                view.tables.last().columns = std::max(view.tables.last().columns, rowColumns);
                cell.clear();
                inCell = true;
            }
        } else if (tag == u"p" || tag == u"li" || tag == u"br" || (tag.size() == 2 && tag.at(0) == u'h' && tag.at(1).isDigit())) {
            endParagraph();
        }
    }

    // The text export: a byte-order mark first, and CR LF on some systems.
    QString shown = QString::fromUtf8(text);
    if (shown.startsWith(QChar(0xFEFF)))
        shown.remove(0, 1);
    view.words = wordsOf(shown);
    qsizetype from = 0;
    for (qsizetype n = 0; n < anchors.size() && n < view.notes.size(); ++n) {
        const QStringList &before = anchors[n].before;
        const qsizetype k = std::min<qsizetype>(before.size(), 4);
        const QStringList context = before.mid(before.size() - k);
        for (qsizetype i = from; i + k <= view.words.size(); ++i) {
            if (view.words.mid(i, k) == context) {
                view.words[i + k - 1] += u'[' + view.notes[n] + u']';
                from = i + k;
                break;
            }
        }
    }
    view.words = wordsOf(view.words.join(u' '));
    return view;
}
