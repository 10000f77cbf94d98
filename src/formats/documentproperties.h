#pragma once

#include <QTextDocument>
#include <QTextFormat>
#include <QTextFrame>
#include <QTextTable>

// Properties of Qt's text formats that carry what a document file holds
// beyond what Qt itself knows, so that a save writes it back.
namespace DocumentProperty {

// QString: the font's name as the file gave it. The shown family differs
// when the system lacks the font and a generic family stands in for it.
constexpr int FontName = QTextFormat::UserProperty + 1;

// bool: hidden text (RTF's \v), shown greyed in HiddenTextColor so that the
// writer sees it is hidden, and saved hidden.
constexpr int Hidden = QTextFormat::UserProperty + 2;
// QColor: the colour hidden text had of its own, which the grey hides.
constexpr int HiddenOwnColor = QTextFormat::UserProperty + 3;
constexpr QRgb HiddenTextColor = 0xFF9A9A9A;

// Parts of an RTF file that the editor does not show but a save writes back
// as they came (footnotes, comments, fields of other kinds). Their font and
// colour numbers refer to the file's own tables, kept on the document.
// QByteArray: markup that a shown mark (a footnote's number) stands for.
constexpr int KeptMark = QTextFormat::UserProperty + 4;
// QByteArray: groups that follow the mark, or that an invisible object
// character stands for.
constexpr int KeptAfter = QTextFormat::UserProperty + 5;
// int: sets kept parts apart, so that two alike never merge into one.
constexpr int KeptId = QTextFormat::UserProperty + 6;
// QString: the text of a footnote or endnote, for plain-text output.
constexpr int NoteText = QTextFormat::UserProperty + 7;
constexpr int KeptObjectType = QTextFormat::UserObject + 1;

// Of a list (QTextListFormat), as the file gave them: int \ls, int \ilvl,
// int \levelstartat, int \levelnfc, and QString the level's text (its
// label with the levels' numbers as the characters 0 to 8).
constexpr int ListOverride = QTextFormat::UserProperty + 8;
constexpr int ListLevel = QTextFormat::UserProperty + 9;
constexpr int ListStart = QTextFormat::UserProperty + 10;
constexpr int ListNumbering = QTextFormat::UserProperty + 11;
constexpr int ListText = QTextFormat::UserProperty + 12;

// The character a bulleted list shows: the one its file gave, unless that
// is a symbol font's, else its style's.
inline QString bulletOf(const QTextListFormat &format)
{
    const QString text = format.stringProperty(ListText);
    if (text.size() == 1 && text.front().unicode() > 8 && (text.front().unicode() & 0xFF00) != 0xF000)
        return text;
    switch (format.style()) {
    case QTextListFormat::ListCircle: return QStringLiteral("\u25E6");
    case QTextListFormat::ListSquare: return QStringLiteral("\u25AA");
    default: return QStringLiteral("\u2022");
    }
}

// bool, of a block: the empty paragraph that joins two parts of one long
// table. It takes no room, and while it stays empty between two tables, a
// save writes their rows as one table.
constexpr int TableJoin = QTextFormat::UserProperty + 13;

// The top margin of every part of a long table after the first: its top
// lines lie over the bottom lines of the part before, so that its rows
// meet as any two rows of one table do. Each edge is a line of the table's
// and one of its cells', and a screen draws each a pixel wide.
constexpr qreal TablePartOverlap = -2;

inline QTextBlockFormat tableJoinFormat()
{
    QTextBlockFormat format;
    format.setProperty(TableJoin, true);
    format.setLineHeight(0, QTextBlockFormat::FixedHeight);
    return format;
}

// Whether the block still joins two parts of a table: marked as a join,
// empty, and right between two tables.
inline bool joinsTableParts(const QTextBlock &block)
{
    if (!block.blockFormat().boolProperty(TableJoin) || block.length() > 1 || block.position() == 0)
        return false;
    // Not through a cursor: placing one lays the document out up to it.
    const auto *before = qobject_cast<const QTextTable *>(block.document()->frameAt(block.position() - 1));
    const auto *after = qobject_cast<const QTextTable *>(block.document()->frameAt(block.position() + 1));
    return before && after && before->lastPosition() + 1 == block.position()
        && after->firstPosition() == block.position() + 1;
}

// The table at the top level of the text that holds `position`, if any.
inline QTextTable *outermostTable(const QTextDocument &document, int position)
{
    QTextFrame *frame = document.frameAt(position);
    while (frame && frame->parentFrame() && frame->parentFrame() != document.rootFrame())
        frame = frame->parentFrame();
    return qobject_cast<QTextTable *>(frame);
}

// Whether `first` and the later `last` are parts of one long table, with
// nothing but joins and parts between them.
inline bool partsOfOneTable(const QTextTable &first, const QTextTable &last)
{
    const QTextDocument &document = *first.document();
    for (const QTextTable *part = &first; part != &last;) {
        const QTextBlock join = document.findBlock(part->lastPosition() + 1);
        if (!joinsTableParts(join))
            return false;
        part = outermostTable(document, join.position() + 1);
        if (!part || part->firstPosition() > last.firstPosition())
            return false;
    }
    return true;
}

// Qt keeps a block before a table that starts the document or a cell and
// after one that ends it: empty, they are no paragraphs of the writer's,
// and nor is one that joins two parts of a table.
inline bool isTableMargin(const QTextFrame::iterator &it, bool first, bool afterTable)
{
    const QTextBlock block = it.currentBlock();
    if (!block.isValid() || block.length() > 1)
        return false;
    auto next = it;
    ++next;
    return (first && !next.atEnd() && qobject_cast<QTextTable *>(next.currentFrame())) || (afterTable && next.atEnd())
        || joinsTableParts(block);
}

// Properties of the document (QObject properties).
// QByteArrayList: document-level groups (information, headers, footers).
constexpr char KeptGroups[] = "quillmereKeptGroups";
// QHash<int, QString>: the file's font table, by number.
constexpr char SourceFonts[] = "quillmereSourceFonts";
// QHash<int, QColor>: the file's colour table, by number; invalid for auto.
constexpr char SourceColors[] = "quillmereSourceColors";
// QByteArray: how the file numbers its footnotes and endnotes (\ftnnrlc,
// \aftnnalc and the like), when not in Arabic numerals.
constexpr char NoteNumbering[] = "quillmereNoteNumbering";

} // namespace DocumentProperty
