#include "rtfwriter.h"

#include "documentproperties.h"
#include "listitemcounter.h"
#include "listlabels.h"
#include "rtfsymbols.h"
#include "rtftokenizer.h"
#include "tablecells.h"

#include <QBuffer>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <array>
#include <map>
#include <numeric>
#include <cmath>

namespace {

// Windows-1252 bytes 0x80-0x9F and the characters they stand for, for the
// ANSI fallback that follows every \uN.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

int ansiFallback(char16_t c)
{
    if (c >= 0xA0 && c <= 0xFF)
        return c;
    for (int i = 0; i < 32; ++i)
        if (Cp1252High[size_t(i)] == c)
            return 0x80 + i;
    return -1;
}

constexpr char HexDigits[] = "0123456789abcdef";

void appendWord(QByteArray &out, const char *control)
{
    out.append('\\');
    out.append(control);
}

void appendWord(QByteArray &out, const char *control, int parameter)
{
    appendWord(out, control);
    out.append(QByteArray::number(parameter));
}

// Text as RTF: plain ASCII as it is, the named characters by their control
// words, everything else as \uN with its ANSI fallback.
void appendEscaped(QByteArray &out, QStringView text)
{
    const qsizetype n = text.size();
    const char16_t *chars = text.utf16();
    qsizetype i = 0;
    while (i < n) {
        qsizetype end = i;
        while (end < n && chars[end] >= 0x20 && chars[end] < 0x80 && chars[end] != u'\\' && chars[end] != u'{'
               && chars[end] != u'}')
            ++end;
        if (end > i) {
            const qsizetype at = out.size();
            out.resize(at + (end - i));
            char *dst = out.data() + at;
            for (qsizetype k = i; k < end; ++k)
                *dst++ = char(chars[k]);
            i = end;
            continue;
        }

        const char16_t c = chars[i++];
        if (const char *control = RtfSymbols::control(c)) {
            appendWord(out, control);
            if (control[0] >= 'a' && control[0] <= 'z')
                out.append(' ');
            continue;
        }
        if (c < 0x20 || c == QChar::ObjectReplacementCharacter)
            continue; // control characters have no place in text; pictures are written from their formats
        appendWord(out, "u", c < 0x8000 ? int(c) : int(c) - 0x10000);
        const int fallback = ansiFallback(c);
        if (fallback < 0) {
            out.append('?');
        } else {
            out.append("\\'");
            out.append(HexDigits[fallback >> 4]);
            out.append(HexDigits[fallback & 0xF]);
        }
    }
}

struct CharProps
{
    int font = 0;
    int halfPoints = 24;
    int color = 0;
    int background = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    int vertical = 0;
};

class Writer
{
public:
    explicit Writer(const QTextDocument &document)
        : m_document(document)
        , m_defaultHalfPoints(halfPointsOf(document.defaultFont().pointSizeF()))
    {
        fontIndex(document.defaultFont().family()); // font 0, the \deff of the document
    }

    QByteArray run();

private:
    static int halfPointsOf(double points) { return points > 0 ? int(std::lround(points * 2)) : 24; }

    int fontIndex(const QString &family);
    int colorIndex(const QColor &color);
    CharProps propsOf(const QTextCharFormat &format);
    void paragraphStart(int depth);
    void paragraph(const QTextBlock &block, int depth);
    void content(QTextFrame::iterator it, int depth, int width, bool &open);
    void table(const QTextTable *table, int depth, int width);
    void switchTo(const CharProps &next);
    void word(const char *control, int parameter) { appendWord(m_body, control, parameter); }
    void word(const char *control) { appendWord(m_body, control); }
    void picture(const QTextImageFormat &format);
    void kept(const QTextCharFormat &format);
    void listItem(const QTextBlock &block, const QTextList &list);
    QByteArray listTables() const;
    QByteArray renumbered(QByteArrayView rtf);

    const QTextDocument &m_document;
    const int m_defaultHalfPoints;
    QHash<QString, int> m_fonts;
    QStringList m_fontOrder;
    QHash<QRgb, int> m_colors;
    QList<QColor> m_colorOrder;
    CharProps m_current;
    QByteArray m_body;
    // The tables of the file the document came from, for its kept parts.
    QHash<int, QString> m_sourceFonts;
    QHash<int, QColor> m_sourceColors;
    // The lists written: for each \ls, the format of each level.
    QHash<const QTextList *, int> m_listNumbers;
    ListItemCounter m_items;
    std::map<int, std::map<int, QTextListFormat>> m_lists;
};

int Writer::fontIndex(const QString &family)
{
    const auto it = m_fonts.constFind(family);
    if (it != m_fonts.constEnd())
        return *it;
    const int index = int(m_fontOrder.size());
    m_fonts.insert(family, index);
    m_fontOrder.append(family);
    return index;
}

int Writer::colorIndex(const QColor &color)
{
    const QRgb rgb = color.rgb();
    const auto it = m_colors.constFind(rgb);
    if (it != m_colors.constEnd())
        return *it;
    m_colorOrder.append(color);
    const int index = int(m_colorOrder.size()); // entry 0 is the automatic colour
    m_colors.insert(rgb, index);
    return index;
}

CharProps Writer::propsOf(const QTextCharFormat &format)
{
    CharProps p;
    const QStringList families = format.fontFamilies().toStringList();
    const QString name = format.hasProperty(DocumentProperty::FontName) ? format.stringProperty(DocumentProperty::FontName)
        : families.isEmpty()                                            ? QString()
                                                                        : families.constFirst();
    p.font = name.isEmpty() ? 0 : fontIndex(name);
    p.halfPoints = format.hasProperty(QTextFormat::FontPointSize) ? halfPointsOf(format.fontPointSize())
                                                                  : m_defaultHalfPoints;
    p.bold = format.fontWeight() >= QFont::DemiBold;
    p.italic = format.fontItalic();
    p.underline = format.fontUnderline();
    p.strike = format.fontStrikeOut();
    p.hidden = format.boolProperty(DocumentProperty::Hidden);
    if (p.hidden) {
        // The grey only shows that the text is hidden.
        if (format.hasProperty(DocumentProperty::HiddenOwnColor))
            p.color = colorIndex(format.colorProperty(DocumentProperty::HiddenOwnColor));
    } else if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush) {
        p.color = colorIndex(format.foreground().color());
    }
    if (format.hasProperty(QTextFormat::BackgroundBrush) && format.background().style() != Qt::NoBrush)
        p.background = colorIndex(format.background().color());
    const auto vertical = format.verticalAlignment();
    p.vertical = vertical == QTextCharFormat::AlignSuperScript ? 1 : vertical == QTextCharFormat::AlignSubScript ? -1 : 0;
    return p;
}

void Writer::switchTo(const CharProps &next)
{
    const qsizetype before = m_body.size();
    CharProps &c = m_current;
    if (next.font != c.font)
        word("f", next.font);
    if (next.halfPoints != c.halfPoints)
        word("fs", next.halfPoints);
    if (next.bold != c.bold)
        next.bold ? word("b") : word("b", 0);
    if (next.italic != c.italic)
        next.italic ? word("i") : word("i", 0);
    if (next.underline != c.underline)
        next.underline ? word("ul") : word("ulnone");
    if (next.strike != c.strike)
        next.strike ? word("strike") : word("strike", 0);
    if (next.hidden != c.hidden)
        next.hidden ? word("v") : word("v", 0);
    if (next.color != c.color)
        word("cf", next.color);
    if (next.background != c.background)
        word("highlight", next.background);
    if (next.vertical != c.vertical)
        word(next.vertical > 0 ? "super" : next.vertical < 0 ? "sub" : "nosupersub");
    if (m_body.size() != before)
        m_body.append(' ');
    c = next;
}

void Writer::picture(const QTextImageFormat &format)
{
    const QVariant resource = m_document.resource(QTextDocument::ImageResource, QUrl(format.name()));
    QByteArray data;
    const char *blip = "pngblip";
    if (resource.userType() == QMetaType::QByteArray) {
        data = resource.toByteArray();
        if (data.startsWith("\xff\xd8"))
            blip = "jpegblip";
        else if (!data.startsWith("\x89PNG"))
            data.clear();
    }
    if (data.isEmpty()) {
        QImage image = resource.value<QImage>();
        if (image.isNull() && resource.userType() == QMetaType::QByteArray)
            image.loadFromData(resource.toByteArray());
        if (image.isNull())
            return; // nothing to keep
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        blip = "pngblip";
    }
    QBuffer buffer(&data);
    QImageReader reader(&buffer);
    const QSize natural = reader.size();
    const int width = format.width() > 0 ? int(std::lround(format.width())) : natural.width();
    const int height = format.height() > 0 ? int(std::lround(format.height())) : natural.height();

    m_body.append("{\\pict\\");
    m_body.append(blip);
    word("picw", natural.width());
    word("pich", natural.height());
    word("picwgoal", width * 15);
    word("pichgoal", height * 15);
    m_body.append('\n');
    const qsizetype at = m_body.size();
    const qsizetype lines = (data.size() + 63) / 64;
    m_body.resize(at + data.size() * 2 + lines);
    char *out = m_body.data() + at;
    for (qsizetype i = 0; i < data.size(); ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        *out++ = HexDigits[b >> 4];
        *out++ = HexDigits[b & 0xF];
        if (i % 64 == 63 || i == data.size() - 1)
            *out++ = '\n';
    }
    m_body.append('}');
}

// Kept markup names fonts and colours by their numbers in the file it came
// from; this document's tables number them anew.
QByteArray Writer::renumbered(QByteArrayView rtf)
{
    QByteArray out;
    out.reserve(rtf.size());
    RtfTokenizer tokens(rtf);
    qsizetype copied = 0;
    for (;;) {
        const qsizetype start = tokens.position();
        const RtfTokenizer::Token token = tokens.next();
        if (token.type == RtfTokenizer::Type::End)
            break;
        if (token.type != RtfTokenizer::Type::ControlWord || !token.hasParameter)
            continue;
        int number;
        if (token.name == "f" && m_sourceFonts.contains(token.parameter)) {
            number = fontIndex(m_sourceFonts.value(token.parameter));
        } else if (token.name == "cf" || token.name == "cb" || token.name == "highlight" || token.name == "chcbpat"
                   || token.name == "chcfpat") {
            const QColor color = m_sourceColors.value(token.parameter);
            number = color.isValid() ? colorIndex(color) : 0;
        } else {
            continue;
        }
        out.append(rtf.sliced(copied, start - copied));
        out.append('\\');
        out.append(token.name);
        out.append(QByteArray::number(number));
        out.append(' ');
        copied = tokens.position();
    }
    out.append(rtf.sliced(copied));
    return out;
}

void Writer::kept(const QTextCharFormat &format)
{
    if (format.hasProperty(DocumentProperty::KeptMark)) {
        // The mark in a group of its own, so that its formatting ends with it.
        const CharProps outside = m_current;
        m_body.append('{');
        switchTo(propsOf(format));
        m_body.append(renumbered(format.property(DocumentProperty::KeptMark).toByteArray()));
        m_body.append('}');
        m_current = outside;
    }
    m_body.append(renumbered(format.property(DocumentProperty::KeptAfter).toByteArray()));
}

// Every paragraph ends with \par, the last one too, as RTF readers expect;
// in a table, the last paragraph of a cell ends with the cell's mark
// instead, so `open` tells whether a paragraph was begun and not yet ended.
// A frame that is no table (Qt's own, never read from RTF) is written as its
// paragraphs.
void Writer::content(QTextFrame::iterator it, int depth, int width, bool &open)
{
    bool afterTable = false;
    for (const QTextFrame::iterator begin = it; !it.atEnd(); ++it) {
        if (const auto *inner = qobject_cast<const QTextTable *>(it.currentFrame())) {
            if (std::exchange(open, false))
                m_body.append("\\par\n");
            table(inner, depth + 1, width);
            afterTable = true;
            continue;
        }
        // LibreOffice loses a table whose cell starts with a table, so the
        // empty paragraph before a nested table is written.
        if (DocumentProperty::isTableMargin(it, depth == 0 && it == begin, std::exchange(afterTable, false)))
            continue;
        if (const QTextFrame *inner = it.currentFrame()) {
            content(inner->begin(), depth, width, open);
            continue;
        }
        if (std::exchange(open, true))
            m_body.append("\\par\n");
        paragraph(it.currentBlock(), depth);
    }
}

// A table `depth` deep, 1 for one in the text. A nested table's rows follow
// Word's RTF: the paragraphs carry \itap, the cells end with \nestcell, and
// each row's definition follows its cells in \nesttableprops, with a
// paragraph mark for readers that know no nested tables. Columns of no set
// width share the `width` they stand in, in twips.
void Writer::table(const QTextTable *table, int depth, int width)
{
    const QList<QTextLength> constraints = table->format().columnWidthConstraints();
    const int columns = table->columns();
    QList<int> widths; // twips
    for (int c = 0; c < columns; ++c) {
        const QTextLength length = constraints.value(c);
        widths.append(length.type() == QTextLength::FixedLength ? std::max(1, int(std::lround(length.rawValue() * 15)))
                                                                : std::max(1, width / columns));
    }
    const TableCells cells(*table);
    for (int r = 0; r < table->rows(); ++r) {
        QByteArray definition = "\\trowd\\trgaph108";
        int edge = 0;
        for (int c = 0; c < columns; ++c) {
            const QPoint origin = cells.origin(r, c);
            const QTextTableCell cell = table->cellAt(origin.y(), origin.x());
            if (origin.y() != r)
                appendWord(definition, "clvmrg");
            else if (cell.rowSpan() > 1)
                appendWord(definition, "clvmgf");
            if (origin.x() != c)
                appendWord(definition, "clmrg");
            else if (cell.columnSpan() > 1)
                appendWord(definition, "clmgf");
            edge += widths[c];
            appendWord(definition, "cellx", edge);
        }
        if (depth == 1)
            m_body.append(definition + '\n');
        for (int c = 0; c < columns; ++c) {
            const QTextTableCell cell = table->cellAt(r, c);
            bool open = false;
            if (cells.startsAt(r, c)) {
                const auto spanned = widths.begin() + c;
                content(cell.begin(), depth, std::accumulate(spanned, spanned + cell.columnSpan(), 0), open);
            }
            if (!open) {
                paragraphStart(depth);
                m_body.append(' ');
            }
            m_body.append(depth == 1 ? "\\cell\n" : "\\nestcell\n");
        }
        if (depth == 1)
            m_body.append("\\row\n");
        else
            m_body.append("{\\*\\nesttableprops" + definition + "\\nestrow}{\\nonesttables\\par}\n");
    }
}

// Each list is written as \ls and \ilvl, with its label as plain text for
// readers that know no lists.
void Writer::listItem(const QTextBlock &block, const QTextList &list)
{
    const QTextListFormat format = list.format();
    int number = format.intProperty(DocumentProperty::ListOverride);
    if (number <= 0) {
        auto it = m_listNumbers.constFind(&list);
        if (it == m_listNumbers.constEnd())
            it = m_listNumbers.insert(&list, 1000 + int(m_listNumbers.size()));
        number = *it;
    }
    const int level = std::clamp(format.intProperty(DocumentProperty::ListLevel), 0, 8);
    m_lists[number].emplace(level, format);
    word("ls", number);
    word("ilvl", level);
    m_body.append("{\\listtext\\pard\\plain ");
    appendEscaped(m_body, ListLabels::labelOf(block, m_items.itemNumber(list, block)));
    m_body.append("\\tab}");
}

QByteArray Writer::listTables() const
{
    if (m_lists.empty())
        return QByteArray();
    QByteArray out = "{\\*\\listtable";
    for (const auto &[number, levels] : m_lists) {
        out += "{\\list\\listtemplateid" + QByteArray::number(number);
        const int last = levels.rbegin()->first;
        for (int level = 0; level <= last; ++level) {
            const auto found = levels.find(level);
            const QTextListFormat format = found != levels.end() ? found->second : QTextListFormat();
            const int numbering = ListLabels::numberingOf(format);
            QString text;
            if (format.hasProperty(DocumentProperty::ListText))
                text = format.stringProperty(DocumentProperty::ListText);
            else if (numbering == 23)
                text = DocumentProperty::bulletOf(format);
            else
                text = format.numberPrefix() + QChar(char16_t(level)) + format.numberSuffix();
            out += "{\\listlevel\\levelnfc" + QByteArray::number(numbering) + "\\levelnfcn" + QByteArray::number(numbering)
                + "\\leveljc0\\levelfollow0\\levelstartat"
                + QByteArray::number(format.hasProperty(DocumentProperty::ListStart)
                                         ? format.intProperty(DocumentProperty::ListStart) : 1)
                + "{\\leveltext\\'" + QByteArray::number(std::min<qsizetype>(text.size(), 255), 16).rightJustified(2, '0');
            QByteArray numbers;
            for (qsizetype i = 0; i < text.size(); ++i) {
                const char16_t c = text.at(i).unicode();
                if (c <= 8) {
                    out += "\\'0" + QByteArray::number(c);
                    numbers += "\\'" + QByteArray::number(i + 1, 16).rightJustified(2, '0');
                } else if (c >= 0x20 && c < 0x80 && c != u'\\' && c != u'{' && c != u'}' && c != u';') {
                    out += char(c);
                } else { // as \uN, which readers of level texts know, never as a symbol's word
                    out += "\\u" + QByteArray::number(c < 0x8000 ? int(c) : int(c) - 0x10000) + '?';
                }
            }
            out += ";}{\\levelnumbers" + numbers + ";}\\li" + QByteArray::number(720 * (level + 1)) + "\\fi-360}";
        }
        out += "\\listid" + QByteArray::number(number) + '}';
    }
    out += "}\n{\\*\\listoverridetable";
    for (const auto &entry : m_lists)
        out += "{\\listoverride\\listid" + QByteArray::number(entry.first) + "\\listoverridecount0\\ls"
            + QByteArray::number(entry.first) + '}';
    out += "}\n";
    return out;
}

void Writer::paragraphStart(int depth)
{
    m_body.append("\\pard");
    // The depth is written in every table, as AbiWord keeps a nested
    // table's depth for the paragraphs after it until told otherwise.
    if (depth > 0) {
        word("intbl");
        word("itap", depth);
    }
    word("plain");
    m_current = CharProps{0, 24};
}

void Writer::paragraph(const QTextBlock &block, int depth)
{
    const QTextBlockFormat f = block.blockFormat();
    paragraphStart(depth);
    // The label's group first: a space after its "}" would be text.
    if (const QTextList *list = block.textList())
        listItem(block, *list);
    // Also a paragraph that Qt turned by its text, as it showed that way.
    if (block.textDirection() == Qt::RightToLeft)
        word("rtlpar");
    const Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignJustify)
        word("qj");
    else if (a & Qt::AlignHCenter)
        word("qc");
    else if (a & (Qt::AlignRight | Qt::AlignTrailing) && !(a & Qt::AlignLeft))
        word("qr");
    const auto twips = [](qreal pixels) { return int(std::lround(pixels * 15)); };
    if (f.leftMargin() != 0)
        word("li", twips(f.leftMargin()));
    if (f.rightMargin() != 0)
        word("ri", twips(f.rightMargin()));
    if (f.textIndent() != 0)
        word("fi", twips(f.textIndent()));
    if (f.topMargin() != 0)
        word("sb", twips(f.topMargin()));
    if (f.bottomMargin() != 0)
        word("sa", twips(f.bottomMargin()));
    switch (f.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        word("sl", int(std::lround(f.lineHeight() * 240 / 100)));
        word("slmult", 1);
        break;
    case QTextBlockFormat::MinimumHeight:
        word("sl", twips(f.lineHeight()));
        word("slmult", 0);
        break;
    case QTextBlockFormat::FixedHeight:
        word("sl", -twips(f.lineHeight()));
        word("slmult", 0);
        break;
    default: break;
    }
    if (f.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        word("pagebb");
    if (!m_body.endsWith('}')) // ends the last control word
        m_body.append(' ');

    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat format = fragment.charFormat();
        if (format.hasProperty(DocumentProperty::KeptMark) || format.objectType() == DocumentProperty::KeptObjectType) {
            kept(format);
            continue;
        }
        switchTo(propsOf(format));
        if (format.isImageFormat()) {
            const QString t = fragment.text();
            for (const QChar c : t)
                if (c == QChar::ObjectReplacementCharacter)
                    picture(format.toImageFormat());
            continue;
        }
        appendEscaped(m_body, fragment.text());
    }
}

QByteArray Writer::run()
{
    m_sourceFonts = m_document.property(DocumentProperty::SourceFonts).value<QHash<int, QString>>();
    m_sourceColors = m_document.property(DocumentProperty::SourceColors).value<QHash<int, QColor>>();
    // The document's information stands after the tables, headers and
    // footers at the start of the text.
    QByteArray information;
    for (const QByteArray &group : m_document.property(DocumentProperty::KeptGroups).value<QByteArrayList>()) {
        if (group.startsWith("{\\info") || group.startsWith("{\\*\\info"))
            information.append(renumbered(group));
        else
            m_body.append(renumbered(group));
    }
    if (!m_body.isEmpty())
        m_body.append('\n');
    m_body.reserve(m_body.size() + m_document.characterCount() + m_document.characterCount() / 4 + 1024);
    bool open = false;
    constexpr int TextWidth = 9360; // a Letter page's, in twips, inside one-inch margins
    content(m_document.rootFrame()->begin(), 0, TextWidth, open);
    if (open)
        m_body.append("\\par\n");

    QByteArray out;
    out.reserve(m_body.size() + 4096);
    out.append("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl");
    for (int i = 0; i < m_fontOrder.size(); ++i) {
        out.append("{\\f" + QByteArray::number(i) + "\\fnil\\fcharset0 ");
        appendEscaped(out, m_fontOrder[i]);
        out.append(";}");
    }
    out.append("}\n{\\colortbl;");
    for (const QColor &c : std::as_const(m_colorOrder))
        out.append("\\red" + QByteArray::number(c.red()) + "\\green" + QByteArray::number(c.green()) + "\\blue"
                   + QByteArray::number(c.blue()) + ';');
    out.append("}\n");
    out.append(listTables());
    if (!information.isEmpty())
        out.append(information + '\n');
    out.append(m_document.property(DocumentProperty::NoteNumbering).toByteArray());
    out.append(m_body);
    out.append("\n}\n");
    return out;
}

} // namespace

QByteArray RtfWriter::write(const QTextDocument &document)
{
    return Writer(document).run();
}
