#include "rtfreader.h"

#include "codepage.h"
#include "documentproperties.h"
#include "listlabels.h"
#include "portablegroup.h"
#include "rtfsymbols.h"
#include "rtftokenizer.h"
#include "symbolfonts.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImageReader>
#include <QPointer>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

namespace {

// The list style of an RTF numbering type (\levelnfc, \pnucrm and the
// like); a bullet's style follows its character.
QTextListFormat::Style listStyleOf(int numbering, QChar bullet = QChar())
{
    switch (numbering) {
    case 1: return QTextListFormat::ListUpperRoman;
    case 2: return QTextListFormat::ListLowerRoman;
    case 3: return QTextListFormat::ListUpperAlpha;
    case 4: return QTextListFormat::ListLowerAlpha;
    case 23:
        switch (bullet.unicode()) {
        case u'o': // in Courier New, Word's second level
        case 0x25CB: // white circle
        case 0x25E6: return QTextListFormat::ListCircle;
        case 0x25A0: // black square
        case 0x25AA:
        case 0xF0A7: return QTextListFormat::ListSquare; // Wingdings' square
        default: return QTextListFormat::ListDisc;
        }
    default: return QTextListFormat::ListDecimal;
    }
}

using Token = RtfTokenizer::Token;
using TokenType = RtfTokenizer::Type;

enum class Destination : quint8 {
    Text,       // shown
    FontTable,
    ColorTable,
    Picture,
    Container,  // not shown, except for its result group
    FieldInstruction,
    ListTable,
    ListOverrideTable,
    LevelText,
    ParagraphNumbering, // \\pn, and its \\pntxta and \\pntxtb texts
};

enum class Alignment : quint8 { Left, Right, Centre, Justify };

struct CharState
{
    int font = -1; // -1: the document's default font
    int halfPoints = 24;
    int color = 0; // colour table index; 0 is the automatic colour
    int background = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    qint8 vertical = 0; // 1 superscript, -1 subscript

    friend bool operator==(const CharState &, const CharState &) = default;
};

struct ParaState
{
    Alignment alignment = Alignment::Left;
    int leftIndent = 0; // all in twips
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int lineSpacing = 0;
    bool lineMultiple = false;
    bool pageBreakBefore = false;
    bool rightToLeft = false; // \\rtlpar; a paragraph runs left to right unless it says so
    int tableDepth = 0; // 1 for \\intbl, N for \\itapN: how deep in nested tables
    int list = 0;         // \\ls: the list override, 0 for none
    int listLevel = 0;    // \\ilvl
    // The older numbering, \\pn: 0 none, 1 numbered (\\pnlvlbody), 2 bullets
    // (\\pnlvlblt), 3 to 11 the outline levels 1 to 9 (\\pnlvlN).
    int pnKind = 0;
    int pnNumbering = 0; // as \\levelnfc
    QString pnBefore;    // \\pntxtb
    QString pnAfter;     // \\pntxta
    int pnStart = 1;     // \\pnstart
};

struct GroupState
{
    Destination destination = Destination::Text;
    CharState chars;
    ParaState para;
    int unicodeSkip = 1;
    bool nestedRowProperties = false; // in \\nesttableprops: the row just read is defined here
};

struct FontEntry
{
    QString name;
    int charset = 0;
    int codePage = 0; // 0: the document's code page
    char generic = 0; // 'r' \froman, 's' \fswiss, 'm' \fmodern: the kind of font, for a stand-in
    // The family the text is shown in, worked out when the font is first used.
    std::optional<QString> shown;
};

struct Color
{
    int red = -1; // -1: the automatic colour
    int green = 0;
    int blue = 0;
};

enum class PictureFormat { None, Png, Jpeg, Other };

struct Picture
{
    size_t depth = 0; // of the group that holds it
    PictureFormat format = PictureFormat::None;
    QByteArray data;
    int pendingNibble = -1;
    int goalWidth = 0; // twips
    int goalHeight = 0;
    int scaleX = 100;
    int scaleY = 100;
};

// Tables: the cells a row defines, the merges they ask for, and a table
// being read.
enum class Merge : quint8 { None, First, Next };
struct CellDefinition
{
    int edge = 0; // right edge, twips from the left margin
    Merge across = Merge::None;
    Merge down = Merge::None;
};
// A row's \\trleft and \\cellx, with what each cell asks of merging.
struct RowDefinition
{
    int left = 0; // the table's left edge, twips from the left margin
    std::vector<CellDefinition> cells;
};
struct PendingMerge
{
    int row, column, rows, columns;
};
// A vertical merge in progress in a column: the row it started in and the
// last column its cells span. A cell goes on with it only across the same
// columns; Qt cannot merge cells of other widths into one.
struct MergeDown
{
    int row = -1;
    int last = -1;
    // Keeps `last` on the same edge when the column `column` is split.
    void split(int column)
    {
        if (last >= column)
            ++last;
    }
};
struct Table
{
    QTextTable *table = nullptr;
    int row = 0; // the row being read, or the next one
    int cell = 0;
    bool inRow = false;
    bool cellPending = false; // cell is entered when something goes into it
    // The right edges of the columns, in twips from the left margin, as far
    // as rows have defined them: an outer table's rows share every edge any
    // of them has, and a cell spans the columns up to its own edge; a
    // nested table's columns are its widest row's cells.
    std::vector<int> edges;
    std::vector<int> cellColumns; // the first column of each cell of the row being read
    int left = 0;                 // the first row's \\trleft
    int splits = 0;               // columns split by a later row's edges
    std::vector<PendingMerge> merges;
    std::vector<MergeDown> mergeDown; // per column: the merge going down from it, if any
};

class Parser;
using Handler = void (Parser::*)(const Token &token, int parameter);

struct ControlWord
{
    const char *name;
    Handler handler;
    int defaultParameter;
};

// Groups nest at most this deep in the state stack; deeper groups share the
// innermost state, so hostile nesting costs no memory.
constexpr int MaxStoredDepth = 4096;
constexpr int MaxPicturePixels = 20000;
constexpr size_t MaxTableColumns = 1000;
// As wide as the widest page for each column: a wide table keeps the
// widths its file gives, and the farthest edge stays far inside what Qt can
// lay out.
constexpr int MaxCellEdge = 31680 * int(MaxTableColumns);
// Rows are added this many cells at a time at most: the spare ones left at
// the end cost Qt time that grows with the square of their cells.
constexpr int MaxTableCellsAdded = 512;
constexpr int MaxColumnSplits = 64;
// A long table is read as tables of this many rows each, joined by an empty
// paragraph that takes no room and that a save leaves out. Qt lays a table
// out whole, at once and again at each keystroke in it, while it lays out a
// series of tables one at a time, those in view first. Rows, not cells, so
// that a saved table reads back in the same parts: a save gives every row
// all of its table's columns.
constexpr int RowsPerTablePart = 128;
// Tables nested deeper than this are read into the innermost one, their
// cells separated by tabs, since Qt lays out each level again for every
// level around it.
constexpr int MaxTableDepth = 8;
// Qt looks up each family that the system lacks through fontconfig, which
// takes about a millisecond a family and more as they pile up; past this
// many, the fonts a document names but the system lacks are shown in the
// generic family of their kind.
constexpr int MaxMissingFamiliesLookedUp = 64;

// How a row's right edge fits the columns whose right edges are `edges`:
// as one of them, past the last, splitting the column it falls in, or,
// once a table has split as many columns as it may, ending at the edge
// before it. Each split merges a cell in every row read before it, so a
// table whose rows disagree without end ends its cells at the edges it has
// past a point.
struct EdgeFit
{
    enum Kind { Known, Past, Split, Before } kind;
    int column; // the column that the edge ends
};

EdgeFit fitEdge(const std::vector<int> &edges, int edge, int splits, int columns)
{
    const auto at = std::lower_bound(edges.begin(), edges.end(), edge);
    const int column = int(at - edges.begin());
    if (at == edges.end())
        return {EdgeFit::Past, column};
    if (*at == edge)
        return {EdgeFit::Known, column};
    if (splits >= MaxColumnSplits || size_t(columns) >= MaxTableColumns)
        return {EdgeFit::Before, column - 1};
    return {EdgeFit::Split, column};
}

class Parser
{
public:
    Parser(QByteArrayView rtf, QTextDocument &document, bool insideNote = false)
        : m_rtf(rtf)
        , m_tokens(rtf)
        , m_document(document)
        , m_cursor(&document)
        , m_insideNote(insideNote)
    {
    }

    RtfReader::Result run();

    // Handlers, dispatched through the control-word table.
    void plain(const Token &, int);
    void pard(const Token &, int);
    void bold(const Token &, int p) { setChar(&CharState::bold, p != 0); }
    void italic(const Token &, int p) { setChar(&CharState::italic, p != 0); }
    void strike(const Token &, int p) { setChar(&CharState::strike, p != 0); }
    void hidden(const Token &, int p) { setChar(&CharState::hidden, p != 0); }
    void underline(const Token &, int p) { setChar(&CharState::underline, p != 0); }
    void underlineNone(const Token &, int) { setChar(&CharState::underline, false); }
    void fontSize(const Token &, int p) { setChar(&CharState::halfPoints, std::clamp(p, 2, 3276)); }
    void font(const Token &, int p);
    void foreground(const Token &, int p) { setChar(&CharState::color, p); }
    void background(const Token &, int p) { setChar(&CharState::background, p); }
    void superscript(const Token &, int) { setChar(&CharState::vertical, qint8(1)); }
    void subscript(const Token &, int) { setChar(&CharState::vertical, qint8(-1)); }
    void noSuperSub(const Token &, int) { setChar(&CharState::vertical, qint8(0)); }
    void raise(const Token &, int p) { setChar(&CharState::vertical, qint8(p > 0 ? 1 : 0)); }
    void lower(const Token &, int p) { setChar(&CharState::vertical, qint8(p > 0 ? -1 : 0)); }
    void align(const Token &t, int);
    void leftIndent(const Token &, int p) { setPara(&ParaState::leftIndent, p); }
    void rightIndent(const Token &, int p) { setPara(&ParaState::rightIndent, p); }
    void firstIndent(const Token &, int p) { setPara(&ParaState::firstIndent, p); }
    void spaceBefore(const Token &, int p) { setPara(&ParaState::spaceBefore, p); }
    void spaceAfter(const Token &, int p) { setPara(&ParaState::spaceAfter, p); }
    void lineSpacing(const Token &, int p) { setPara(&ParaState::lineSpacing, p); }
    void lineMultiple(const Token &, int p) { setPara(&ParaState::lineMultiple, p != 0); }
    void pageBreakBefore(const Token &, int p) { setPara(&ParaState::pageBreakBefore, p != 0); }
    void rightToLeft(const Token &, int p) { setPara(&ParaState::rightToLeft, p != 0); }
    void par(const Token &, int) { endParagraph(); }
    void page(const Token &, int);
    void section(const Token &, int);
    void cell(const Token &, int);
    void row(const Token &, int);
    void nestedCell(const Token &, int);
    void nestedRow(const Token &, int);
    void nestedRowProperties(const Token &, int) { state().nestedRowProperties = true; }
    void noteNumbering(const Token &t, int);
    void inTable(const Token &, int p) { setPara(&ParaState::tableDepth, p != 0 ? std::max(state().para.tableDepth, 1) : 0); }
    void tableDepth(const Token &, int p) { setPara(&ParaState::tableDepth, std::clamp(p, 0, MaxTableDepth + 1)); }
    void rowDefaults(const Token &, int);
    void cellEdge(const Token &, int p);
    void rowLeft(const Token &, int p) { rowDefinition().left = std::clamp(p, -31680, 31680); }
    void cellMerge(const Token &t, int);
    void symbol(const Token &t, int);
    void unicode(const Token &, int p);
    void unicodeSkip(const Token &, int p) { state().unicodeSkip = std::clamp(p, 0, 16); }
    void codePage(const Token &, int p) { m_codePage = p > 0 ? p : CodePage::Windows1252; }
    void macCharset(const Token &, int) { m_codePage = CodePage::MacRoman; }
    void pcCharset(const Token &, int) { m_codePage = CodePage::Dos437; }
    void pcaCharset(const Token &, int) { m_codePage = CodePage::Dos850; }
    void defaultFont(const Token &, int p) { m_defaultFont = p; }
    void fontCharset(const Token &, int p);
    void fontCodePage(const Token &, int p);
    void fontKind(const Token &t, int);
    void colorComponent(const Token &t, int p);
    void pictureFormat(const Token &t, int);
    void pictureSize(const Token &t, int p);
    void skipDestination(const Token &, int) { beginSkip(); }
    void fontTable(const Token &, int) { setDestination(Destination::FontTable); }
    void colorTable(const Token &, int) { setDestination(Destination::ColorTable); }
    void picture(const Token &, int);
    void container(const Token &, int) { setDestination(Destination::Container); }
    void shown(const Token &, int) { setDestination(Destination::Text); }
    void keepDocument(const Token &, int) { beginKeeping(KeepPlace::Document); }
    void keepInline(const Token &, int) { beginKeeping(KeepPlace::Inline); }
    void footnote(const Token &, int);
    void keepWord(const Token &t, int);
    void footnoteMark(const Token &, int);
    void drawing(const Token &, int);
    void object(const Token &, int);
    void shape(const Token &, int);
    void shapePicture(const Token &, int);
    void shapeResult(const Token &, int);
    void shapeText(const Token &, int);
    void pictureFallback(const Token &, int);
    void droppedEntry(const Token &, int);
    void field(const Token &, int);
    void listTable(const Token &, int) { setDestination(Destination::ListTable); }
    void listOverrideTable(const Token &, int) { setDestination(Destination::ListOverrideTable); }
    void listEntry(const Token &t, int);
    void listId(const Token &, int p);
    void levelNumbering(const Token &, int p);
    void levelStart(const Token &, int p);
    void levelText(const Token &, int);
    void listText(const Token &, int);
    bool removeIfBlank(int labelStart);
    void listOverride(const Token &, int p);
    void numbering(const Token &, int);
    void numberingKind(const Token &t, int p);
    void numberingStyle(const Token &, int p);
    void numberingStart(const Token &, int p);
    void numberText(const Token &, int);
    void numberAffix(const Token &t, int);
    void listLevel(const Token &, int p) { setPara(&ParaState::listLevel, std::clamp(p, 0, 8)); }
    void fieldInstruction(const Token &, int);

private:
    GroupState &state() { return m_stack.back(); }
    template<typename T>
    void setChar(T CharState::*field, T value)
    {
        flushBytes();
        state().chars.*field = value;
    }
    template<typename T>
    void setPara(T ParaState::*field, T value)
    {
        state().para.*field = value;
        m_blockPara = state().para;
    }

    Token nextToken();
    void groupStart();
    void groupEnd();
    void controlWord(const Token &token);
    void controlSymbol(const Token &token);
    void text(QByteArrayView bytes);
    void hexByte(char byte);

    void beginSkip();
    enum class KeepPlace { Document, Inline, Note };
    void beginKeeping(KeepPlace place);
    void finishKeeping();
    void insertKept(const QByteArray &after);
    void drop(const QString &what);
    void finishField();
    void applyList(const ParaState &p);
    void applyNumbering(const ParaState &p);
    void addItem(QTextList &list);
    // Sets the font of the label of the cursor's paragraph, and leaves the
    // label to the editor where Qt would draw it wrong.
    void markLabel(const QTextList &list);
    void insertRun(); // at the cursor, wherever that is
    void place();
    void placeAt(size_t depth, bool closeDeeper);
    void openTable();
    bool startsTablePart(const Table &t) const;
    static bool continuesMerge(const Table &t, const RowDefinition &row);
    void joinTablePart();
    void startRow(Table &t);
    void defineRow(Table &t, const RowDefinition &row);
    int columnEndingAt(Table &t, int edge);
    void moveToCell(Table &t);
    void endCell(size_t level);
    void endRow(size_t level);
    void endTable();
    RowDefinition &rowDefinition()
    {
        return state().nestedRowProperties ? m_nestedRow : m_row;
    }
    void setDestination(Destination destination);
    bool consumeSkippedCharacter();

    bool isSymbolFont(int font) const;
    QString decoded(int font, QByteArrayView bytes);
    // A kept group as it reads under the header of a saved file.
    QByteArray portable(QByteArrayView group);
    void flushBytes();
    void appendText(QStringView text);
    void appendChar(char16_t c) { appendText(QStringView(&c, 1)); }
    void flushRun();
    void endParagraph();
    void applyBlockFormat(const ParaState &p);
    void finishPicture(const Picture &picture);
    void fontTableText(QByteArrayView bytes);
    void decodeFontNameBytes();

    const CodePage &codePage(int number);
    QString shownFamily(FontEntry &font);
    int codePageOf(int font) const;
    QTextCharFormat charFormat(const CharState &chars);
    QBrush colorBrush(int index) const;

    QByteArrayView m_rtf;
    RtfTokenizer m_tokens;
    QTextDocument &m_document;
    QTextCursor m_cursor;
    RtfReader::Result m_result;

    std::vector<GroupState> m_stack;
    qsizetype m_groupStart = 0; // where the last group opened
    int m_tokensInGroup = 0;    // since it opened
    bool m_afterStar = false;   // the last token was "\\*"

    // The group being kept whole, from its "{", while it is skipped.
    struct Keeping
    {
        qsizetype start = 0;
        KeepPlace place = KeepPlace::Document;
    };
    std::optional<Keeping> m_keeping;
    const bool m_insideNote; // reading a note's own text, for its tooltip
    QByteArrayList m_documentGroups;
    int m_keptCount = 0;
    int m_noteCount = 0;
    int m_endnoteCount = 0;
    int m_footnoteNumbering = 0; // as \\levelnfc: \\ftnnrlc and the like
    int m_endnoteNumbering = 0;  // \\aftnnrlc and the like
    int m_markStart = -1; // the last footnote mark, while nothing follows it
    int m_markEnd = -1;
    bool m_shapeTextShown = false; // the current shape's text was shown
    size_t m_shapeTextDepth = 0;   // of the group whose text is a shape's, or 0
    bool m_shapePictureDropped = false;
    // Open fields: the depth of their group, their instruction, and where
    // the text stood when the field began.
    struct Field
    {
        size_t depth = 0;
        QByteArray instruction;
        int position = 0;
    };
    std::vector<Field> m_fields;

    // Lists: the levels of each \\listid, which list each \\ls stands for,
    // and the Qt list of the run of each list and level.
    struct ListLevel
    {
        int numbering = 0; // \\levelnfc
        int start = 1;
        QString text;      // \\leveltext: its length, then the text with level numbers as 0-8
    };
    std::map<int, std::vector<ListLevel>> m_listDefinitions;
    std::vector<ListLevel> m_currentList;
    int m_currentListOverride = -1; // the \\listid an override names
    std::map<int, int> m_listOverrides;
    // Qt deletes a list when its last item goes (a table's spare rows, the
    // paragraph mark at the end).
    std::map<std::pair<int, int>, QPointer<QTextList>> m_textLists;
    QString m_levelText;
    // Where the plain-text label of an older numbered paragraph stands in
    // its block, to be taken out once its \\pn shows it is numbered.
    int m_numberTextStart = -1;
    int m_listTextStart = -1; // \\listtext shown where no list table is
    size_t m_listTextDepth = 0;
    int m_numberTextEnd = -1;
    size_t m_numberTextDepth = 0;
    // The \\pntxta or \\pntxtb being read: the group of its \\pn in the stack.
    size_t m_affixOwner = 0;
    bool m_affixAfter = false;

    // The tables being read, the outermost first, each nested in a cell of
    // the one before. Rows are added several at a time, since Qt works out
    // the grid of a table anew after each change of its shape.
    std::vector<Table> m_tables;
    // The definition of the outer table's next row, which comes before its
    // cells, and of the nested row just read, which comes after them.
    RowDefinition m_row;
    RowDefinition m_nestedRow;
    CellDefinition m_pendingCell;
    int m_afterTablePosition = -1; // the empty block after the last table
    int m_overflowDepth = 0;   // groups beyond MaxStoredDepth
    int m_skipDepth = 0;       // >0 while inside a skipped destination
    bool m_optionalDestination = false; // after "\*"
    int m_skipCharacters = 0;  // fallback characters still to skip after \u

    int m_codePage = CodePage::Windows1252;
    int m_defaultFont = 0;
    std::map<int, FontEntry> m_fonts;
    int m_currentFontEntry = -1;
    // The name of the current entry until its ";": bytes not yet decoded
    // and the text before them.
    QByteArray m_fontNameBytes;
    QString m_fontName;
    std::vector<Color> m_colors;
    Color m_pendingColor;
    std::map<int, CodePage> m_codePages;
    // What the lead bytes of the next text were last worked out from.
    struct LeadBytesKey
    {
        bool fontTable = false;
        int font = -1;
        int codePage = 0;
        int fontsVersion = -1;
        friend bool operator==(const LeadBytesKey &, const LeadBytesKey &) = default;
    } m_leadBytesKey;
    int m_fontsVersion = 0; // counts changes to the font table

    // Bytes waiting to be decoded together, so double-byte characters split
    // over text and \'hh escapes come out whole.
    QByteArray m_bytes;
    CharState m_bytesChars;
    char16_t m_highSurrogate = 0;

    QString m_run;
    CharState m_runChars;
    bool m_blockHasContent = false;
    bool m_pendingCellTab = false;
    bool m_blockPageBreak = false;
    // The paragraph properties last in effect in the current paragraph, for
    // the last one, which may end with the document instead of a \par.
    ParaState m_blockPara;
    // The character properties in effect where the document ends: those of
    // such a last paragraph's mark, which its list label shows in.
    CharState m_closingChars;
    QTextBlockFormat m_madeBlockFormat; // the format the current block was made with

    std::vector<Picture> m_pictures; // one for each open \pict group
    int m_imageCount = 0;

    std::optional<QSet<QString>> m_installedFamilies; // case-folded
    int m_missingFamiliesLookedUp = 0;

    CharState m_cachedChars;
    QTextCharFormat m_cachedFormat;
    bool m_cacheValid = false;
};

// Sorted by name for binary search.
constexpr ControlWord ControlWords[] = {
    {"aftncn", &Parser::skipDestination, 0},
    {"aftnnalc", &Parser::noteNumbering, 0},
    {"aftnnar", &Parser::noteNumbering, 0},
    {"aftnnauc", &Parser::noteNumbering, 0},
    {"aftnnrlc", &Parser::noteNumbering, 0},
    {"aftnnruc", &Parser::noteNumbering, 0},
    {"aftnsep", &Parser::skipDestination, 0},
    {"aftnsepc", &Parser::skipDestination, 0},
    {"annotation", &Parser::keepInline, 0},
    {"ansi", &Parser::codePage, CodePage::Windows1252},
    {"ansicpg", &Parser::codePage, CodePage::Windows1252},
    {"atnauthor", &Parser::keepInline, 0},
    {"atndate", &Parser::keepInline, 0},
    {"atnid", &Parser::keepInline, 0},
    {"atnparent", &Parser::keepInline, 0},
    {"atnref", &Parser::keepInline, 0},
    {"atntime", &Parser::keepInline, 0},
    {"atrfend", &Parser::keepInline, 0},
    {"atrfstart", &Parser::keepInline, 0},
    {"author", &Parser::skipDestination, 0},
    {"b", &Parser::bold, 1},
    {"bkmkend", &Parser::skipDestination, 0},
    {"bkmkstart", &Parser::skipDestination, 0},
    {"blue", &Parser::colorComponent, 0},
    {"bullet", &Parser::symbol, 0},
    {"buptim", &Parser::skipDestination, 0},
    {"category", &Parser::skipDestination, 0},
    {"cb", &Parser::background, 0},
    {"cell", &Parser::cell, 0},
    {"cellx", &Parser::cellEdge, 0},
    {"cf", &Parser::foreground, 0},
    {"chatn", &Parser::keepWord, 0},
    {"chcbpat", &Parser::background, 0},
    {"chftn", &Parser::footnoteMark, 0},
    {"clmgf", &Parser::cellMerge, 0},
    {"clmrg", &Parser::cellMerge, 0},
    {"clvmgf", &Parser::cellMerge, 0},
    {"clvmrg", &Parser::cellMerge, 0},
    {"colortbl", &Parser::colorTable, 0},
    {"comment", &Parser::skipDestination, 0},
    {"company", &Parser::skipDestination, 0},
    {"cpg", &Parser::fontCodePage, 0},
    {"creatim", &Parser::skipDestination, 0},
    {"deff", &Parser::defaultFont, 0},
    {"dibitmap", &Parser::pictureFormat, 0},
    {"dn", &Parser::lower, 6},
    {"do", &Parser::drawing, 0},
    {"doccomm", &Parser::skipDestination, 0},
    {"docvar", &Parser::skipDestination, 0},
    {"dptxbxtext", &Parser::shapeText, 0},
    {"emdash", &Parser::symbol, 0},
    {"emfblip", &Parser::pictureFormat, 0},
    {"emspace", &Parser::symbol, 0},
    {"endash", &Parser::symbol, 0},
    {"enspace", &Parser::symbol, 0},
    {"f", &Parser::font, 0},
    {"fcharset", &Parser::fontCharset, 0},
    {"fdecor", &Parser::fontKind, 0},
    {"fi", &Parser::firstIndent, 0},
    {"field", &Parser::field, 0},
    {"fldinst", &Parser::fieldInstruction, 0},
    {"fldrslt", &Parser::shown, 0},
    {"fmodern", &Parser::fontKind, 0},
    {"fnil", &Parser::fontKind, 0},
    {"fonttbl", &Parser::fontTable, 0},
    {"footer", &Parser::keepDocument, 0},
    {"footerf", &Parser::keepDocument, 0},
    {"footerl", &Parser::keepDocument, 0},
    {"footerr", &Parser::keepDocument, 0},
    {"footnote", &Parser::footnote, 0},
    {"froman", &Parser::fontKind, 0},
    {"fs", &Parser::fontSize, 24},
    {"fscript", &Parser::fontKind, 0},
    {"fswiss", &Parser::fontKind, 0},
    {"ftech", &Parser::fontKind, 0},
    {"ftncn", &Parser::skipDestination, 0},
    {"ftnnalc", &Parser::noteNumbering, 0},
    {"ftnnar", &Parser::noteNumbering, 0},
    {"ftnnauc", &Parser::noteNumbering, 0},
    {"ftnnrlc", &Parser::noteNumbering, 0},
    {"ftnnruc", &Parser::noteNumbering, 0},
    {"ftnsep", &Parser::skipDestination, 0},
    {"ftnsepc", &Parser::skipDestination, 0},
    {"generator", &Parser::skipDestination, 0},
    {"green", &Parser::colorComponent, 0},
    {"header", &Parser::keepDocument, 0},
    {"headerf", &Parser::keepDocument, 0},
    {"headerl", &Parser::keepDocument, 0},
    {"headerr", &Parser::keepDocument, 0},
    {"highlight", &Parser::background, 0},
    {"hlinkbase", &Parser::skipDestination, 0},
    {"i", &Parser::italic, 1},
    {"ilvl", &Parser::listLevel, 0},
    {"info", &Parser::keepDocument, 0},
    {"intbl", &Parser::inTable, 1},
    {"itap", &Parser::tableDepth, 1},
    {"jpegblip", &Parser::pictureFormat, 0},
    {"keywords", &Parser::skipDestination, 0},
    {"ldblquote", &Parser::symbol, 0},
    {"levelnfc", &Parser::levelNumbering, 0},
    {"levelnumbers", &Parser::skipDestination, 0},
    {"levelstartat", &Parser::levelStart, 1},
    {"leveltext", &Parser::levelText, 0},
    {"li", &Parser::leftIndent, 0},
    {"lin", &Parser::leftIndent, 0},
    {"line", &Parser::symbol, 0},
    {"list", &Parser::listEntry, 0},
    {"listid", &Parser::listId, 0},
    {"listlevel", &Parser::listEntry, 0},
    {"listname", &Parser::skipDestination, 0},
    {"listoverride", &Parser::listEntry, 0},
    {"listoverridetable", &Parser::listOverrideTable, 0},
    {"listtable", &Parser::listTable, 0},
    {"listtext", &Parser::listText, 0},
    {"lquote", &Parser::symbol, 0},
    {"ls", &Parser::listOverride, 0},
    {"ltrmark", &Parser::symbol, 0},
    {"ltrpar", &Parser::rightToLeft, 0},
    {"mac", &Parser::macCharset, 0},
    {"macpict", &Parser::pictureFormat, 0},
    {"manager", &Parser::skipDestination, 0},
    {"nestcell", &Parser::nestedCell, 0},
    {"nestrow", &Parser::nestedRow, 0},
    {"nesttableprops", &Parser::nestedRowProperties, 0},
    {"nextfile", &Parser::skipDestination, 0},
    {"nonesttables", &Parser::skipDestination, 0},
    {"nonshppict", &Parser::pictureFallback, 0},
    {"nosupersub", &Parser::noSuperSub, 0},
    {"objalias", &Parser::skipDestination, 0},
    {"objclass", &Parser::skipDestination, 0},
    {"objdata", &Parser::skipDestination, 0},
    {"object", &Parser::object, 0},
    {"objname", &Parser::skipDestination, 0},
    {"objsect", &Parser::skipDestination, 0},
    {"objtime", &Parser::skipDestination, 0},
    {"operator", &Parser::skipDestination, 0},
    {"page", &Parser::page, 0},
    {"pagebb", &Parser::pageBreakBefore, 1},
    {"par", &Parser::par, 0},
    {"pard", &Parser::pard, 0},
    {"pc", &Parser::pcCharset, 0},
    {"pca", &Parser::pcaCharset, 0},
    {"pgdsctbl", &Parser::skipDestination, 0},
    {"pich", &Parser::pictureSize, 0},
    {"pichgoal", &Parser::pictureSize, 0},
    {"picscalex", &Parser::pictureSize, 100},
    {"picscaley", &Parser::pictureSize, 100},
    {"pict", &Parser::picture, 0},
    {"picw", &Parser::pictureSize, 0},
    {"picwgoal", &Parser::pictureSize, 0},
    {"plain", &Parser::plain, 0},
    {"pmmetafile", &Parser::pictureFormat, 0},
    {"pn", &Parser::numbering, 0},
    {"pndec", &Parser::numberingStyle, 0},
    {"pngblip", &Parser::pictureFormat, 0},
    {"pnlcltr", &Parser::numberingStyle, 4},
    {"pnlcrm", &Parser::numberingStyle, 2},
    {"pnlvl", &Parser::numberingKind, 1},
    {"pnlvlblt", &Parser::numberingKind, 0},
    {"pnlvlbody", &Parser::numberingKind, 0},
    {"pnseclvl", &Parser::skipDestination, 0},
    {"pnstart", &Parser::numberingStart, 1},
    {"pntext", &Parser::numberText, 0},
    {"pntxta", &Parser::numberAffix, 0},
    {"pntxtb", &Parser::numberAffix, 0},
    {"pnucltr", &Parser::numberingStyle, 3},
    {"pnucrm", &Parser::numberingStyle, 1},
    {"printim", &Parser::skipDestination, 0},
    {"private", &Parser::skipDestination, 0},
    {"qc", &Parser::align, 0},
    {"qj", &Parser::align, 0},
    {"ql", &Parser::align, 0},
    {"qmspace", &Parser::symbol, 0},
    {"qr", &Parser::align, 0},
    {"rdblquote", &Parser::symbol, 0},
    {"red", &Parser::colorComponent, 0},
    {"result", &Parser::shown, 0},
    {"revtim", &Parser::skipDestination, 0},
    {"ri", &Parser::rightIndent, 0},
    {"rin", &Parser::rightIndent, 0},
    {"row", &Parser::row, 0},
    {"rquote", &Parser::symbol, 0},
    {"rtlmark", &Parser::symbol, 0},
    {"rtlpar", &Parser::rightToLeft, 1},
    {"rxe", &Parser::droppedEntry, 0},
    {"sa", &Parser::spaceAfter, 0},
    {"sb", &Parser::spaceBefore, 0},
    {"sect", &Parser::section, 0},
    {"shp", &Parser::shape, 0},
    {"shpinst", &Parser::container, 0},
    {"shppict", &Parser::shapePicture, 0},
    {"shprslt", &Parser::shapeResult, 0},
    {"shptxt", &Parser::shapeText, 0},
    {"sl", &Parser::lineSpacing, 0},
    {"slmult", &Parser::lineMultiple, 0},
    {"sn", &Parser::skipDestination, 0},
    {"sp", &Parser::skipDestination, 0},
    {"strike", &Parser::strike, 1},
    {"striked", &Parser::strike, 1},
    {"stylesheet", &Parser::skipDestination, 0},
    {"sub", &Parser::subscript, 0},
    {"subject", &Parser::skipDestination, 0},
    {"super", &Parser::superscript, 0},
    {"sv", &Parser::skipDestination, 0},
    {"tab", &Parser::symbol, 0},
    {"tc", &Parser::droppedEntry, 0},
    {"template", &Parser::skipDestination, 0},
    {"title", &Parser::skipDestination, 0},
    {"trleft", &Parser::rowLeft, 0},
    {"trowd", &Parser::rowDefaults, 0},
    {"txe", &Parser::droppedEntry, 0},
    {"u", &Parser::unicode, 0},
    {"uc", &Parser::unicodeSkip, 1},
    {"ud", &Parser::shown, 0},
    {"ul", &Parser::underline, 1},
    {"uld", &Parser::underline, 1},
    {"uldash", &Parser::underline, 1},
    {"uldashd", &Parser::underline, 1},
    {"uldashdd", &Parser::underline, 1},
    {"uldb", &Parser::underline, 1},
    {"ulhwave", &Parser::underline, 1},
    {"ulldash", &Parser::underline, 1},
    {"ulnone", &Parser::underlineNone, 0},
    {"ulth", &Parser::underline, 1},
    {"ulthd", &Parser::underline, 1},
    {"ulthdash", &Parser::underline, 1},
    {"ulthdashd", &Parser::underline, 1},
    {"ulthdashdd", &Parser::underline, 1},
    {"ulthldash", &Parser::underline, 1},
    {"ululdbwave", &Parser::underline, 1},
    {"ulw", &Parser::underline, 1},
    {"ulwave", &Parser::underline, 1},
    {"up", &Parser::raise, 6},
    {"upr", &Parser::container, 0},
    {"userprops", &Parser::skipDestination, 0},
    {"v", &Parser::hidden, 1},
    {"wbitmap", &Parser::pictureFormat, 0},
    {"wmetafile", &Parser::pictureFormat, 0},
    {"xe", &Parser::droppedEntry, 0},
    {"zwj", &Parser::symbol, 0},
    {"zwnj", &Parser::symbol, 0},
};

constexpr bool sortedByName()
{
    for (std::size_t i = 1; i < std::size(ControlWords); ++i)
        if (!(std::string_view(ControlWords[i - 1].name) < std::string_view(ControlWords[i].name)))
            return false;
    return true;
}
static_assert(sortedByName(), "the control-word table must stay sorted");

const ControlWord *findControlWord(QByteArrayView name)
{
    const std::string_view key(name.data(), size_t(name.size()));
    const auto it = std::lower_bound(std::begin(ControlWords), std::end(ControlWords), key,
                                     [](const ControlWord &w, std::string_view k) { return std::string_view(w.name) < k; });
    return it != std::end(ControlWords) && std::string_view(it->name) == key ? it : nullptr;
}

bool isDestinationHandler(Handler h)
{
    return h == &Parser::skipDestination || h == &Parser::fontTable || h == &Parser::colorTable
        || h == &Parser::picture || h == &Parser::container || h == &Parser::shown || h == &Parser::keepDocument
        || h == &Parser::keepInline || h == &Parser::footnote || h == &Parser::drawing || h == &Parser::object
        || h == &Parser::shape || h == &Parser::shapePicture || h == &Parser::shapeResult || h == &Parser::shapeText
        || h == &Parser::pictureFallback || h == &Parser::droppedEntry || h == &Parser::fieldInstruction
        || h == &Parser::listTable || h == &Parser::listOverrideTable || h == &Parser::levelText || h == &Parser::listText
        || h == &Parser::numbering || h == &Parser::numberText || h == &Parser::numberAffix
        || h == &Parser::nestedRowProperties;
}

RtfReader::Result Parser::run()
{
    m_stack.reserve(64);
    m_stack.emplace_back();
    m_cursor.beginEditBlock();
    for (Token token = nextToken(); token.type != TokenType::End; token = nextToken()) {
        if (m_skipDepth > 0) {
            if (token.type == TokenType::GroupStart)
                ++m_skipDepth;
            else if (token.type == TokenType::GroupEnd && --m_skipDepth == 0 && m_keeping)
                finishKeeping();
            continue;
        }
        ++m_tokensInGroup;
        switch (token.type) {
        case TokenType::GroupStart: groupStart(); break;
        case TokenType::GroupEnd: groupEnd(); break;
        case TokenType::ControlWord: controlWord(token); break;
        case TokenType::ControlSymbol: controlSymbol(token); break;
        case TokenType::Text: text(token.bytes); break;
        case TokenType::HexByte: hexByte(token.symbol); break;
        case TokenType::Binary:
            if (state().destination == Destination::Picture && !m_pictures.empty())
                m_pictures.back().data.append(token.bytes.data(), token.bytes.size());
            break;
        case TokenType::End: break;
        }
        m_afterStar = token.type == TokenType::ControlSymbol && token.symbol == '*';
    }
    // A truncated file ends its open groups here.
    // A group cut off by the end of the file cannot be written back whole
    // (its last \\binN may claim what follows it).
    m_keeping.reset();
    while (m_stack.size() > 1 || m_overflowDepth > 0)
        groupEnd();
    flushBytes();
    flushRun();
    while (!m_tables.empty())
        endTable();
    if (m_cursor.position() == m_afterTablePosition) {
        // Qt keeps a block after every table; it stays, empty.
    } else if (!m_blockHasContent && m_document.blockCount() > 1) {
        // Writers end the last paragraph with \par too; it opens no paragraph of its own.
        m_cursor.deletePreviousChar();
    } else {
        state().chars = m_closingChars;
        applyBlockFormat(m_blockPara);
        applyList(m_blockPara);
    }
    m_cursor.endEditBlock();
    if (!m_documentGroups.isEmpty())
        m_document.setProperty(DocumentProperty::KeptGroups, QVariant::fromValue(m_documentGroups));
    if (m_footnoteNumbering != 0 || m_endnoteNumbering != 0) {
        static constexpr const char *Kinds[] = {"ar", "ruc", "rlc", "auc", "alc"};
        const QByteArray words = "\\ftnn" + QByteArray(Kinds[m_footnoteNumbering]) + "\\aftnn" + Kinds[m_endnoteNumbering];
        m_document.setProperty(DocumentProperty::NoteNumbering, words);
    }
    if (!m_documentGroups.isEmpty() || m_keptCount > 0) {
        QHash<int, QString> fonts;
        for (const auto &[number, font] : m_fonts)
            fonts.insert(number, font.name);
        m_document.setProperty(DocumentProperty::SourceFonts, QVariant::fromValue(fonts));
        QHash<int, QColor> colors;
        for (size_t i = 1; i < m_colors.size(); ++i)
            colors.insert(int(i), colorBrush(int(i)).color());
        m_document.setProperty(DocumentProperty::SourceColors, QVariant::fromValue(colors));
    }
    return m_result;
}

RtfTokenizer::Token Parser::nextToken()
{
    // Text in the font table is in the code page of the font it names.
    const bool inFontTable = state().destination == Destination::FontTable;
    const LeadBytesKey key{inFontTable, inFontTable ? m_currentFontEntry : state().chars.font, m_codePage,
                           m_fontsVersion};
    if (!(key == m_leadBytesKey)) {
        m_leadBytesKey = key;
        int page = m_codePage;
        if (!inFontTable) {
            page = codePageOf(key.font);
        } else if (const auto it = m_fonts.find(m_currentFontEntry); it != m_fonts.end() && it->second.codePage > 0) {
            page = it->second.codePage;
        }
        m_tokens.setLeadBytes(RtfTokenizer::leadBytesOf(page));
    }
    return m_tokens.next();
}

void Parser::groupStart()
{
    m_groupStart = m_tokens.position() - 1;
    m_tokensInGroup = 0;
    flushBytes();
    m_optionalDestination = false;
    m_skipCharacters = 0;
    if (m_stack.size() >= MaxStoredDepth) {
        ++m_overflowDepth;
        return;
    }
    m_stack.push_back(m_stack.back());
}

void Parser::groupEnd()
{
    flushBytes();
    m_optionalDestination = false;
    m_skipCharacters = 0;
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return;
    }
    if (m_stack.size() <= 1) // a stray closing brace
        return;
    const Destination closing = state().destination;
    if (closing == Destination::FontTable && m_currentFontEntry >= 0)
        fontTableText(";");
    if (closing == Destination::ColorTable && m_pendingColor.red >= 0) { // the last entry lacked its ";"
        m_colors.push_back(m_pendingColor);
        m_pendingColor = Color();
    }
    if (!m_fields.empty() && m_fields.back().depth == m_stack.size())
        finishField();
    if (closing == Destination::LevelText && !m_currentList.empty())
        m_currentList.back().text = std::exchange(m_levelText, QString());
    if (m_numberTextDepth == m_stack.size()) {
        m_numberTextDepth = 0;
        flushBytes();
        flushRun();
        m_numberTextEnd = m_cursor.position();
        if (removeIfBlank(m_numberTextStart))
            m_numberTextStart = m_numberTextEnd = -1;
    }
    if (m_listTextDepth == m_stack.size()) {
        m_listTextDepth = 0;
        flushBytes();
        flushRun();
        removeIfBlank(m_listTextStart);
    }
    if (closing == Destination::ParagraphNumbering && m_stack.size() >= 2
        && m_stack[m_stack.size() - 2].destination != Destination::ParagraphNumbering) {
        // The numbering belongs to the paragraph, outside the \\pn group.
        const ParaState &inner = state().para;
        ParaState &outer = m_stack[m_stack.size() - 2].para;
        outer.pnKind = inner.pnKind;
        outer.pnNumbering = inner.pnNumbering;
        outer.pnBefore = inner.pnBefore;
        outer.pnStart = inner.pnStart;
        outer.pnAfter = inner.pnAfter;
        m_blockPara = outer;
        m_affixOwner = 0;
    }
    if (m_shapeTextDepth == m_stack.size()) {
        m_shapeTextDepth = 0;
        if (m_blockHasContent || !m_run.isEmpty())
            endParagraph();
    }
    if (closing == Destination::Picture && !m_pictures.empty() && m_pictures.back().depth == m_stack.size()) {
        const Picture picture = std::move(m_pictures.back());
        m_pictures.pop_back();
        m_stack.pop_back();
        if (state().destination == Destination::Text)
            finishPicture(picture);
        return;
    }
    if (m_stack.size() == 2)
        m_closingChars = state().chars;
    m_stack.pop_back();
}

void Parser::beginSkip()
{
    flushBytes();
    // The group that named the destination is skipped from here to its end.
    if (m_overflowDepth > 0)
        --m_overflowDepth;
    else if (m_stack.size() > 1)
        m_stack.pop_back();
    m_skipDepth = 1;
}

void Parser::beginKeeping(KeepPlace place)
{
    // Only a group that the destination opens can be kept whole.
    const bool opensGroup = m_tokensInGroup == 1 || (m_tokensInGroup == 2 && m_afterStar);
    if (state().destination != Destination::Text || m_insideNote) {
        beginSkip();
        return;
    }
    if (!opensGroup) {
        switch (place) {
        case KeepPlace::Document:
            drop(QStringLiteral("headers, footers or document information written in an unusual way"));
            break;
        case KeepPlace::Inline: drop(QStringLiteral("comments written in an unusual way")); break;
        case KeepPlace::Note: drop(QStringLiteral("footnotes or endnotes written in an unusual way")); break;
        }
        beginSkip();
        return;
    }
    const qsizetype start = m_groupStart;
    beginSkip();
    m_keeping = Keeping{start, place};
}

// A kept group read again without regard to double-byte characters: whether
// it ends where it ends now (the writer declares no double-byte code page,
// so only such a group is read back the same), and whether \\ftnalt stands
// in it outside its inner groups, which makes a note an endnote.
struct GroupReading
{
    bool endsAtItsEnd = false;
    bool endnote = false;
};

GroupReading readAgain(QByteArrayView group)
{
    GroupReading reading;
    RtfTokenizer tokens(group);
    int depth = 0;
    for (RtfTokenizer::Token token = tokens.next(); token.type != RtfTokenizer::Type::End; token = tokens.next()) {
        if (token.type == RtfTokenizer::Type::GroupStart) {
            ++depth;
        } else if (token.type == RtfTokenizer::Type::GroupEnd && --depth == 0) {
            reading.endsAtItsEnd = tokens.position() == group.size();
            break;
        } else if (depth == 1 && token.type == RtfTokenizer::Type::ControlWord && token.name == "ftnalt") {
            reading.endnote = true;
        }
    }
    return reading;
}

void Parser::finishKeeping()
{
    const Keeping keeping = *m_keeping;
    m_keeping.reset();
    const QByteArrayView source = m_rtf.sliced(keeping.start, m_tokens.position() - keeping.start);
    const GroupReading reading = readAgain(source);
    if (!reading.endsAtItsEnd) {
        drop(QStringLiteral("parts written in a double-byte code page outside the text"));
        return;
    }
    const QByteArray group = portable(source);
    switch (keeping.place) {
    case KeepPlace::Document: m_documentGroups.append(group); return;
    case KeepPlace::Inline: insertKept(group); return;
    case KeepPlace::Note: break;
    }

    // The note's text, read on its own, shows over its mark.
    QTextDocument note;
    Parser(QByteArray("{\\rtf1\\ansi\\ansicpg" + QByteArray::number(m_codePage) + ' ' + group + '}'), note, true).run();
    const QString text = note.toPlainText().simplified();
    flushBytes();
    flushRun();
    if (m_markEnd >= 0 && m_markEnd == m_cursor.position()) {
        QTextCursor mark(&m_document);
        mark.setPosition(m_markStart);
        mark.setPosition(m_markEnd, QTextCursor::KeepAnchor);
        if (reading.endnote) { // endnotes number on their own
            --m_noteCount;
            mark.insertText(ListLabels::numberShown(++m_endnoteCount, m_endnoteNumbering), mark.charFormat());
            m_cursor.setPosition(mark.position());
            mark.setPosition(m_markStart, QTextCursor::KeepAnchor);
        }
        QTextCharFormat format;
        format.setProperty(DocumentProperty::KeptAfter, group);
        format.setProperty(DocumentProperty::NoteText, text);
        format.setToolTip(text);
        mark.mergeCharFormat(format);
        m_markEnd = -1;
        return;
    }
    insertKept(group);
}

void Parser::insertKept(const QByteArray &after)
{
    flushBytes();
    flushRun();
    place();
    if (m_pendingCellTab) {
        m_pendingCellTab = false;
        appendChar(u'\t');
        flushRun();
    }
    QTextCharFormat format;
    format.setObjectType(DocumentProperty::KeptObjectType);
    format.setProperty(DocumentProperty::KeptAfter, after);
    format.setProperty(DocumentProperty::KeptId, ++m_keptCount);
    m_cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
    m_blockHasContent = true;
    m_blockPara = state().para;
}

void Parser::drop(const QString &what)
{
    if (!m_insideNote && !m_result.dropped.contains(what))
        m_result.dropped.append(what);
}

void Parser::footnote(const Token &, int)
{
    if (m_insideNote) // the note's own text, read for its tooltip
        setDestination(Destination::Text);
    else
        beginKeeping(KeepPlace::Note);
}

void Parser::keepWord(const Token &token, int)
{
    if (state().destination == Destination::Text && !m_insideNote)
        insertKept('\\' + token.name.toByteArray() + ' ');
}

void Parser::footnoteMark(const Token &token, int)
{
    // The plain-text label of an older numbered paragraph is taken out once
    // its paragraph proves numbered, and a number in it would have moved
    // every note after it on by one.
    if (state().destination != Destination::Text || m_insideNote || m_numberTextDepth != 0)
        return;
    flushBytes();
    flushRun();
    place();
    if (m_pendingCellTab) {
        m_pendingCellTab = false;
        appendChar(u'\t');
        flushRun();
    }
    QTextCharFormat format = charFormat(state().chars);
    format.setProperty(DocumentProperty::KeptMark, QByteArray('\\' + token.name.toByteArray() + ' '));
    format.setProperty(DocumentProperty::KeptId, ++m_keptCount);
    m_markStart = m_cursor.position();
    m_cursor.insertText(ListLabels::numberShown(++m_noteCount, m_footnoteNumbering), format);
    m_markEnd = m_cursor.position();
    m_blockHasContent = true;
    m_blockPara = state().para;
}

// A numbering is the whole document's, and a save writes it before the
// text; one that comes after a note has its number is too late, or the
// notes before it would be numbered otherwise once the file is saved.
void Parser::noteNumbering(const Token &token, int)
{
    const QByteArrayView name = token.name;
    const bool endnotes = name.startsWith("a");
    if ((endnotes ? m_endnoteCount : m_noteCount) > 0)
        return;
    int &numbering = endnotes ? m_endnoteNumbering : m_footnoteNumbering;
    numbering = name.endsWith("ruc") ? 1 : name.endsWith("rlc") ? 2 : name.endsWith("auc") ? 3 : name.endsWith("alc") ? 4 : 0;
}

void Parser::drawing(const Token &, int)
{
    drop(QStringLiteral("text boxes and shapes (their text is kept)"));
    setDestination(Destination::Container);
}

void Parser::object(const Token &, int)
{
    drop(QStringLiteral("embedded objects (their pictures or text are kept)"));
    setDestination(Destination::Container);
}

void Parser::shape(const Token &, int)
{
    m_shapeTextShown = false;
    m_shapePictureDropped = false;
    setDestination(Destination::Container);
}

void Parser::shapePicture(const Token &, int)
{
    m_shapePictureDropped = false;
    setDestination(Destination::Text);
}

void Parser::shapeResult(const Token &, int)
{
    // The result repeats a shape's text as drawing objects.
    if (m_shapeTextShown)
        beginSkip();
    else
        setDestination(Destination::Text);
}

void Parser::shapeText(const Token &, int)
{
    drop(QStringLiteral("text boxes and shapes (their text is kept)"));
    if (m_stack.size() < 2 || m_stack[m_stack.size() - 2].destination == Destination::Text
        || m_stack[m_stack.size() - 2].destination == Destination::Container) {
        m_shapeTextShown = true;
        flushBytes();
        // The box's text stands in paragraphs of its own.
        if (m_blockHasContent || !m_run.isEmpty())
            endParagraph();
        setDestination(Destination::Text);
        m_shapeTextDepth = m_stack.size();
    } else {
        beginSkip();
    }
}

void Parser::pictureFallback(const Token &, int)
{
    // A picture's stand-in for readers that cannot show it, shown when the
    // picture itself could not be.
    if (m_shapePictureDropped)
        setDestination(Destination::Text);
    else
        beginSkip();
    m_shapePictureDropped = false;
}

void Parser::droppedEntry(const Token &, int)
{
    if (state().destination == Destination::Text)
        drop(QStringLiteral("index and table-of-contents entries"));
    beginSkip();
}

void Parser::numbering(const Token &, int)
{
    if (state().destination != Destination::Text || m_insideNote) {
        beginSkip();
        return;
    }
    setDestination(Destination::ParagraphNumbering);
    state().para.pnKind = 1;
    state().para.pnNumbering = 0;
    state().para.pnBefore.clear();
    state().para.pnAfter.clear();
    state().para.pnStart = 1;
}

void Parser::numberingKind(const Token &token, int p)
{
    if (state().destination != Destination::ParagraphNumbering)
        return;
    state().para.pnKind = token.name == "pnlvlblt" ? 2 : token.name == "pnlvlbody" ? 1 : 2 + std::clamp(p, 1, 9);
    if (token.name == "pnlvlblt")
        state().para.pnNumbering = 23;
}

void Parser::numberingStyle(const Token &, int p)
{
    if (state().destination == Destination::ParagraphNumbering && state().para.pnKind != 2)
        state().para.pnNumbering = p;
}

void Parser::numberingStart(const Token &, int p)
{
    if (state().destination == Destination::ParagraphNumbering)
        state().para.pnStart = p;
}

void Parser::numberText(const Token &, int)
{
    // Shown unless its paragraph turns out to be numbered by \\pn.
    flushBytes();
    flushRun();
    place();
    setDestination(Destination::Text);
    m_numberTextStart = m_cursor.position();
    m_numberTextEnd = -1;
    m_numberTextDepth = m_stack.size();
}

void Parser::numberAffix(const Token &token, int)
{
    if (state().destination != Destination::ParagraphNumbering) {
        beginSkip();
        return;
    }
    // The text belongs to the \\pn group around this one.
    m_affixOwner = m_stack.size() >= 2 ? m_stack.size() - 2 : 0;
    m_affixAfter = token.name == "pntxta";
}

void Parser::listEntry(const Token &token, int)
{
    const Destination d = state().destination;
    if (d == Destination::ListTable && token.name == "list")
        m_currentList.clear();
    else if (d == Destination::ListTable && token.name == "listlevel" && m_currentList.size() < 9)
        m_currentList.emplace_back();
    else if (d == Destination::ListOverrideTable && token.name == "listoverride")
        m_currentListOverride = -1;
}

void Parser::listId(const Token &, int p)
{
    if (state().destination == Destination::ListTable)
        m_listDefinitions[p] = m_currentList;
    else if (state().destination == Destination::ListOverrideTable)
        m_currentListOverride = p;
}

void Parser::levelNumbering(const Token &, int p)
{
    if (state().destination == Destination::ListTable && !m_currentList.empty())
        m_currentList.back().numbering = p;
}

void Parser::levelStart(const Token &, int p)
{
    if (state().destination == Destination::ListTable && !m_currentList.empty())
        m_currentList.back().start = p;
}

void Parser::levelText(const Token &, int)
{
    if (state().destination != Destination::ListTable) {
        beginSkip();
        return;
    }
    m_levelText.clear();
    setDestination(Destination::LevelText);
}

void Parser::listText(const Token &, int)
{
    // The label as plain text, for readers that know no lists: where the
    // lists are known, Qt draws the label itself; else it is shown, unless
    // it is blank.
    if (!m_listOverrides.empty()) {
        beginSkip();
        return;
    }
    flushBytes();
    flushRun();
    place();
    setDestination(Destination::Text);
    m_listTextStart = m_cursor.position();
    m_listTextDepth = m_stack.size();
}

// A plain-text label of nothing but a tab (a heading's, say) is no text.
bool Parser::removeIfBlank(int labelStart)
{
    if (labelStart < 0) // the paragraph it labels ended inside it
        return false;
    QTextCursor label(&m_document);
    label.setPosition(std::min(labelStart, m_cursor.position()));
    label.setPosition(m_cursor.position(), QTextCursor::KeepAnchor);
    if (!label.hasSelection() || m_document.findBlock(labelStart) != m_cursor.block()
        || !label.selectedText().trimmed().isEmpty())
        return false;
    label.removeSelectedText();
    m_blockHasContent = m_cursor.block().length() > 1;
    return true;
}

void Parser::listOverride(const Token &, int p)
{
    if (state().destination == Destination::ListOverrideTable) {
        if (m_currentListOverride >= 0 && m_listOverrides.size() < 10000)
            m_listOverrides[p] = m_currentListOverride;
        return;
    }
    setPara(&ParaState::list, p);
}

// Makes the paragraph the cursor is in an item of its list.
void Parser::applyList(const ParaState &p)
{
    if (p.list <= 0 && p.pnKind > 0 && !m_insideNote) {
        applyNumbering(p);
        return;
    }
    if (p.list <= 0 || m_insideNote)
        return;
    const auto override = m_listOverrides.find(p.list);
    if (override == m_listOverrides.end())
        return;
    const auto definition = m_listDefinitions.find(override->second);
    if (definition == m_listDefinitions.end())
        return;
    const ListLevel level = size_t(p.listLevel) < definition->second.size() ? definition->second[size_t(p.listLevel)]
                                                                            : ListLevel();
    if (level.numbering == 255) // no number
        return;
    // The overrides of one list number as one. An item ends the runs of
    // the levels below it, which number afresh.
    const int listId = override->second;
    for (auto it = m_textLists.upper_bound({listId, p.listLevel}); it != m_textLists.end() && it->first.first == listId;)
        it = m_textLists.erase(it);
    QPointer<QTextList> &list = m_textLists[{listId, p.listLevel}];
    if (list) {
        addItem(*list);
        return;
    }
    // The level text: its length, then the label with each level's number
    // as a character from 0 to 8.
    const QString text = level.text.mid(1, level.text.isEmpty() ? 0 : level.text.at(0).unicode());
    QTextListFormat format;
    format.setStyle(listStyleOf(level.numbering, text.isEmpty() ? QChar() : text.front()));
    const qsizetype own = text.indexOf(QChar(char16_t(p.listLevel)));
    if (level.numbering != 23 && !text.isEmpty()) {
        // Qt numbers this level; what stands before its number, the
        // numbers of the levels above included, is the same for the whole
        // run ("2." of "2.1." under the second item). A text without the
        // level's own number is all prefix, the label of every item.
        QString prefix;
        for (const QChar c : QStringView(text).first(own >= 0 ? own : text.size())) {
            if (c.unicode() > 8) {
                prefix += c;
                continue;
            }
            const int above = c.unicode();
            const ListLevel aboveLevel = size_t(above) < definition->second.size() ? definition->second[size_t(above)]
                                                                                   : ListLevel();
            const auto run = m_textLists.find({listId, above});
            const int items = run != m_textLists.end() && run->second ? run->second->count() : 1;
            prefix += ListLabels::numberShown(aboveLevel.start + items - 1, aboveLevel.numbering);
        }
        format.setNumberPrefix(prefix);
        if (own >= 0) {
            qsizetype after = own + 1;
            while (after < text.size() && text.at(after).unicode() > 8)
                ++after;
            format.setNumberSuffix(text.mid(own + 1, after - own - 1));
        }
    }
    format.setIndent(0); // the paragraph's own indents place it
    format.setProperty(DocumentProperty::ListOverride, p.list);
    format.setProperty(DocumentProperty::ListLevel, p.listLevel);
    format.setProperty(DocumentProperty::ListStart, level.start);
    format.setProperty(DocumentProperty::ListText, text);
    format.setProperty(DocumentProperty::ListNumbering, level.numbering);
    list = m_cursor.createList(format);
    markLabel(*list);
}

void Parser::addItem(QTextList &list)
{
    list.add(m_cursor.block());
    markLabel(list);
}

void Parser::markLabel(const QTextList &list)
{
    // A label takes the font of its paragraph's mark, which the first
    // paragraph of a document or of a cell was not made with.
    m_cursor.setBlockCharFormat(charFormat(state().chars));
    if (ListLabels::drawnByQt(list.format()))
        return;
    ListLabels::markDrawnByEditor(m_cursor.block());
}

// The older numbering: the paragraphs numbered alike make one list.
void Parser::applyNumbering(const ParaState &p)
{
    const QTextBlock block = m_cursor.block();
    if (m_numberTextStart >= block.position() && m_numberTextEnd > m_numberTextStart
        && m_numberTextEnd <= block.position() + block.length()) {
        QTextCursor label(&m_document);
        label.setPosition(m_numberTextStart);
        label.setPosition(m_numberTextEnd, QTextCursor::KeepAnchor);
        label.removeSelectedText();
    }
    m_numberTextStart = m_numberTextEnd = -1;
    QPointer<QTextList> &list = m_textLists[{-p.pnKind, p.pnNumbering}];
    if (list) {
        addItem(*list);
        return;
    }
    QTextListFormat format;
    format.setStyle(listStyleOf(p.pnNumbering));
    if (p.pnNumbering != 23) {
        format.setNumberPrefix(p.pnBefore);
        format.setNumberSuffix(p.pnAfter);
        if (p.pnStart != 1)
            format.setProperty(DocumentProperty::ListStart, p.pnStart);
    }
    format.setIndent(0);
    list = m_cursor.createList(format);
    markLabel(*list);
}

void Parser::field(const Token &, int)
{
    if (state().destination != Destination::Text)
        return;
    flushBytes();
    flushRun();
    m_fields.push_back({m_stack.size(), QByteArray(), m_cursor.position()});
}

void Parser::fieldInstruction(const Token &, int)
{
    if (!m_fields.empty() && m_fields.back().depth + 1 == m_stack.size())
        setDestination(Destination::FieldInstruction);
    else
        beginSkip();
}

// A SYMBOL field shows its character even when the writer left its result
// empty: SYMBOL 97 \f "Symbol", the number decimal or 0x hexadecimal, the
// font a symbol font or any other, \u for a Unicode number.
void Parser::finishField()
{
    const Field field = m_fields.back();
    m_fields.pop_back();
    flushBytes();
    flushRun();
    const QByteArray instruction = field.instruction.simplified();
    if (m_cursor.position() != field.position || !instruction.startsWith("SYMBOL "))
        return;
    const QList<QByteArray> words = instruction.split(' ');
    bool ok = false;
    const QByteArray number = words.value(1);
    const uint code = number.startsWith("0x") || number.startsWith("0X") ? number.mid(2).toUInt(&ok, 16) : number.toUInt(&ok);
    if (!ok || code == 0 || code > 0xFFFF)
        return;
    const qsizetype fontAt = words.indexOf("\\f");
    const QString fontName = fontAt > 0 ? QString::fromLatin1(instruction.mid(instruction.indexOf("\\f") + 2).trimmed())
                                                 .section(u'"', 1, 1)
                                        : QString();
    const SymbolFonts::Font symbolFont = SymbolFonts::fromName(fontName);
    char16_t c;
    if (words.contains("\\u") || code > 0xFF)
        c = char16_t(code);
    else if (symbolFont != SymbolFonts::Font::Other)
        c = SymbolFonts::toUnicode(symbolFont, static_cast<unsigned char>(code));
    else
        c = CodePage::windows1252(static_cast<unsigned char>(code)).unicode();
    if (QChar::isSurrogate(c))
        return;
    appendChar(c);
}

void Parser::setDestination(Destination destination)
{
    flushBytes();
    state().destination = destination;
}

void Parser::controlWord(const Token &token)
{
    const bool optional = m_optionalDestination;
    m_optionalDestination = false;
    const ControlWord *word = findControlWord(token.name);
    if (m_skipCharacters > 0 && !(word && isDestinationHandler(word->handler))) {
        --m_skipCharacters;
        return;
    }
    if (!word) {
        if (optional) // an optional destination this reader does not know
            beginSkip();
        return;
    }
    if (optional && !isDestinationHandler(word->handler)) {
        beginSkip();
        return;
    }
    const Destination destination = state().destination;
    if (destination == Destination::Container && !isDestinationHandler(word->handler))
        return;
    const int parameter = token.hasParameter ? token.parameter : word->defaultParameter;
    (this->*word->handler)(token, parameter);
}

void Parser::controlSymbol(const Token &token)
{
    if (token.symbol == '*') {
        m_optionalDestination = true;
        return;
    }
    m_optionalDestination = false;
    if (m_skipCharacters > 0) {
        --m_skipCharacters;
        return;
    }
    if (state().destination == Destination::FieldInstruction && token.symbol == '\\')
        text("\\");
    if (state().destination != Destination::Text)
        return;
    flushBytes();
    if (token.symbol == '\n') {
        endParagraph();
        return;
    }
    const char control[2] = {token.symbol, 0};
    if (const char16_t c = RtfSymbols::character(QByteArrayView(control, 1)))
        appendChar(c);
}

bool Parser::consumeSkippedCharacter()
{
    if (m_skipCharacters <= 0)
        return false;
    --m_skipCharacters;
    return true;
}

void Parser::text(QByteArrayView bytes)
{
    m_optionalDestination = false;
    if (m_skipCharacters > 0) {
        const qsizetype skipped = std::min<qsizetype>(m_skipCharacters, bytes.size());
        m_skipCharacters -= int(skipped);
        bytes = bytes.sliced(skipped);
    }
    if (bytes.isEmpty())
        return;
    switch (state().destination) {
    case Destination::Text:
        if (!m_bytes.isEmpty() && !(m_bytesChars == state().chars))
            flushBytes();
        m_bytesChars = state().chars;
        m_bytes.append(bytes.data(), bytes.size());
        break;
    case Destination::FontTable: fontTableText(bytes); break;
    case Destination::ColorTable:
        for (const char c : bytes) {
            if (c != ';')
                continue;
            m_colors.push_back(m_pendingColor);
            m_pendingColor = Color();
        }
        break;
    case Destination::Picture:
        if (!m_pictures.empty()) {
            Picture &p = m_pictures.back();
            for (const char c : bytes) {
                int v;
                if (c >= '0' && c <= '9')
                    v = c - '0';
                else if (c >= 'a' && c <= 'f')
                    v = c - 'a' + 10;
                else if (c >= 'A' && c <= 'F')
                    v = c - 'A' + 10;
                else
                    continue;
                if (p.pendingNibble < 0) {
                    p.pendingNibble = v;
                } else {
                    p.data.append(char(p.pendingNibble << 4 | v));
                    p.pendingNibble = -1;
                }
            }
        }
        break;
    case Destination::Container: break;
    case Destination::LevelText:
        if (m_levelText.size() < 64)
            m_levelText += QString::fromLatin1(bytes.first(std::min<qsizetype>(bytes.size(), 64)));
        break;
    case Destination::ListTable:
    case Destination::ListOverrideTable: break;
    case Destination::ParagraphNumbering:
        if (m_affixOwner > 0 && m_affixOwner < m_stack.size()) {
            QString &affix = m_affixAfter ? m_stack[m_affixOwner].para.pnAfter : m_stack[m_affixOwner].para.pnBefore;
            if (affix.size() < 32)
                affix += QString::fromLatin1(bytes.first(std::min<qsizetype>(bytes.size(), 32)));
        }
        break;
    case Destination::FieldInstruction:
        if (!m_fields.empty() && m_fields.back().instruction.size() < 1024)
            m_fields.back().instruction.append(bytes.first(std::min<qsizetype>(bytes.size(), 1024)));
        break;
    }
}

void Parser::hexByte(char byte)
{
    m_optionalDestination = false;
    if (consumeSkippedCharacter())
        return;
    text(QByteArrayView(&byte, 1));
}

const CodePage &Parser::codePage(int number)
{
    auto it = m_codePages.find(number);
    if (it == m_codePages.end())
        it = m_codePages.emplace(number, CodePage(number)).first;
    return it->second;
}

QString Parser::shownFamily(FontEntry &font)
{
    if (font.shown)
        return *font.shown;
    // Without a GUI there is no font database, and no layout to be slow.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return *(font.shown = font.name);
    if (!m_installedFamilies) {
        m_installedFamilies.emplace();
        for (const QString &family : QFontDatabase::families())
            m_installedFamilies->insert(family.toCaseFolded());
    }
    if (m_installedFamilies->contains(font.name.toCaseFolded()) || m_missingFamiliesLookedUp++ < MaxMissingFamiliesLookedUp)
        return *(font.shown = font.name);
    QString generic;
    if (font.generic == 'r')
        generic = QStringLiteral("serif");
    else if (font.generic == 's')
        generic = QStringLiteral("sans-serif");
    else if (font.generic == 'm')
        generic = QStringLiteral("monospace");
    return *(font.shown = generic);
}

int Parser::codePageOf(int font) const
{
    const auto it = m_fonts.find(font < 0 ? m_defaultFont : font);
    if (it != m_fonts.end() && it->second.codePage > 0)
        return it->second.codePage;
    return m_codePage;
}

bool Parser::isSymbolFont(int font) const
{
    const auto it = m_fonts.find(font < 0 ? m_defaultFont : font);
    return it != m_fonts.end() && it->second.charset == 2;
}

QString Parser::decoded(int font, QByteArrayView bytes)
{
    QString text;
    if (const auto it = m_fonts.find(font < 0 ? m_defaultFont : font); it != m_fonts.end() && it->second.charset == 2) {
        const SymbolFonts::Font symbolFont = SymbolFonts::fromName(it->second.name);
        text.reserve(bytes.size());
        for (const char c : bytes) {
            const auto byte = static_cast<unsigned char>(c);
            text.append(QChar(byte < 0x20 ? char16_t(byte) : SymbolFonts::toUnicode(symbolFont, byte)));
        }
    } else {
        codePage(codePageOf(font)).appendDecoded(bytes, text);
    }
    return text;
}

QByteArray Parser::portable(QByteArrayView group)
{
    return PortableGroup::rewrite(
        group, state().chars.font, state().unicodeSkip, [this](int font, QByteArrayView bytes) {
            const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
            if (!isSymbolFont(font) && (ascii || codePageOf(font) == CodePage::Windows1252))
                return QString();
            return decoded(font, bytes);
        });
}

void Parser::flushBytes()
{
    if (m_bytes.isEmpty())
        return;
    const CharState chars = m_bytesChars;
    const QString text = decoded(chars.font, m_bytes);
    m_bytes.clear();
    // The decoded text carries the formatting it was written with.
    const CharState current = state().chars;
    state().chars = chars;
    appendText(text);
    state().chars = current;
}

void Parser::appendText(QStringView text)
{
    if (text.isEmpty())
        return;
    if (m_highSurrogate) { // a \u high surrogate not followed by its low half
        const char16_t replacement = QChar::ReplacementCharacter;
        m_highSurrogate = 0;
        appendText(QStringView(&replacement, 1));
    }
    if (m_pendingCellTab) {
        m_pendingCellTab = false;
        appendChar(u'\t');
    }
    if (!m_run.isEmpty() && !(m_runChars == state().chars))
        flushRun();
    m_runChars = state().chars;
    m_run.append(text);
    m_markEnd = -1;
    m_blockHasContent = true;
    m_blockPara = state().para;
}

QBrush Parser::colorBrush(int index) const
{
    if (index <= 0 || index >= int(m_colors.size()) || m_colors[size_t(index)].red < 0)
        return QBrush();
    const Color &c = m_colors[size_t(index)];
    return QBrush(QColor(std::clamp(c.red, 0, 255), std::clamp(c.green, 0, 255), std::clamp(c.blue, 0, 255)));
}

QTextCharFormat Parser::charFormat(const CharState &chars)
{
    if (m_cacheValid && m_cachedChars == chars)
        return m_cachedFormat;
    QTextCharFormat format;
    const auto font = m_fonts.find(chars.font < 0 ? m_defaultFont : chars.font);
    if (font != m_fonts.end() && !font->second.name.isEmpty()) {
        const QString shown = shownFamily(font->second);
        if (!shown.isEmpty())
            format.setFontFamilies(QStringList{shown});
        // The name as a plain string also tells formats apart by their hash
        // in Qt's table of a document's formats, which hashes a list of
        // families by its type alone.
        format.setProperty(DocumentProperty::FontName, font->second.name);
    }
    format.setFontPointSize(chars.halfPoints / 2.0);
    if (chars.bold)
        format.setFontWeight(QFont::Bold);
    if (chars.italic)
        format.setFontItalic(true);
    if (chars.underline)
        format.setFontUnderline(true);
    if (chars.strike)
        format.setFontStrikeOut(true);
    if (chars.vertical)
        format.setVerticalAlignment(chars.vertical > 0 ? QTextCharFormat::AlignSuperScript
                                                       : QTextCharFormat::AlignSubScript);
    if (const QBrush fg = colorBrush(chars.color); chars.hidden) {
        format.setProperty(DocumentProperty::Hidden, true);
        format.setForeground(QColor::fromRgb(DocumentProperty::HiddenTextColor));
        if (fg.style() != Qt::NoBrush)
            format.setProperty(DocumentProperty::HiddenOwnColor, fg.color());
    } else if (fg.style() != Qt::NoBrush) {
        format.setForeground(fg);
    }
    if (const QBrush bg = colorBrush(chars.background); bg.style() != Qt::NoBrush)
        format.setBackground(bg);
    m_cachedChars = chars;
    m_cachedFormat = format;
    m_cacheValid = true;
    return format;
}

void Parser::flushRun()
{
    if (m_run.isEmpty())
        return;
    place();
    insertRun();
}

void Parser::insertRun()
{
    if (m_run.isEmpty())
        return;
    m_cursor.insertText(m_run, charFormat(m_runChars));
    m_run.clear();
    m_blockHasContent = true; // also when placing it ended a table
}

void Parser::applyBlockFormat(const ParaState &p)
{
    QTextBlockFormat format;
    switch (p.alignment) {
    case Alignment::Left: format.setAlignment(Qt::AlignLeft); break;
    case Alignment::Right: format.setAlignment(Qt::AlignRight); break;
    case Alignment::Centre: format.setAlignment(Qt::AlignHCenter); break;
    case Alignment::Justify: format.setAlignment(Qt::AlignJustify); break;
    }
    constexpr qreal PerPixel = 15.0; // twips
    if (p.leftIndent)
        format.setLeftMargin(p.leftIndent / PerPixel);
    if (p.rightIndent)
        format.setRightMargin(p.rightIndent / PerPixel);
    if (p.firstIndent)
        format.setTextIndent(p.firstIndent / PerPixel);
    if (p.spaceBefore)
        format.setTopMargin(p.spaceBefore / PerPixel);
    if (p.spaceAfter)
        format.setBottomMargin(p.spaceAfter / PerPixel);
    // In double: a spacing of -2147483648 has no negation in int.
    const double spacing = p.lineSpacing;
    if (spacing > 0 && p.lineMultiple)
        format.setLineHeight(std::clamp(spacing * 100.0 / 240.0, 10.0, 1000.0), QTextBlockFormat::ProportionalHeight);
    else if (spacing > 0)
        format.setLineHeight(std::min(spacing / PerPixel, 2000.0), QTextBlockFormat::MinimumHeight);
    else if (spacing < 0)
        format.setLineHeight(std::min(-spacing / PerPixel, 2000.0), QTextBlockFormat::FixedHeight);
    if (m_blockPageBreak || p.pageBreakBefore)
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    // Qt would take the direction from the text, and so lay a Hebrew
    // paragraph out from the right that every word processor lays out from
    // the left, its hanging indent pushing its first letters out of view.
    format.setLayoutDirection(p.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    // Each change of a block's format walks Qt's tree of blocks; paragraphs
    // mostly share their format, which the block got when it was made.
    if (format != m_madeBlockFormat)
        m_cursor.setBlockFormat(format);
    m_madeBlockFormat = format;
}

void Parser::endParagraph()
{
    flushBytes();
    m_pendingCellTab = false;
    place();
    flushRun();
    applyBlockFormat(state().para);
    applyList(state().para);
    m_madeBlockFormat.clearProperty(QTextFormat::PageBreakPolicy); // a break stands before one paragraph only
    m_cursor.insertBlock(m_madeBlockFormat, charFormat(state().chars));
    m_blockHasContent = false;
    m_blockPageBreak = false;
}

void Parser::plain(const Token &, int)
{
    flushBytes();
    state().chars = CharState();
}

void Parser::pard(const Token &, int)
{
    state().para = ParaState();
    m_blockPara = state().para;
}

void Parser::font(const Token &, int p)
{
    if (state().destination == Destination::FontTable) {
        if (m_currentFontEntry >= 0 && !(m_fontNameBytes.isEmpty() && m_fontName.isEmpty()))
            fontTableText(";");
        m_currentFontEntry = p;
        m_fonts[p] = FontEntry();
        ++m_fontsVersion;
        return;
    }
    setChar(&CharState::font, p);
}

void Parser::fontCharset(const Token &, int p)
{
    if (state().destination != Destination::FontTable || m_currentFontEntry < 0)
        return;
    FontEntry &entry = m_fonts[m_currentFontEntry];
    entry.charset = p;
    if (p != 2 && entry.codePage == 0)
        entry.codePage = CodePage::forCharset(p);
    ++m_fontsVersion;
}

void Parser::fontCodePage(const Token &, int p)
{
    if (state().destination == Destination::FontTable && m_currentFontEntry >= 0 && p > 0) {
        m_fonts[m_currentFontEntry].codePage = p;
        ++m_fontsVersion;
    }
}

void Parser::fontKind(const Token &token, int)
{
    if (state().destination == Destination::FontTable && m_currentFontEntry >= 0)
        m_fonts[m_currentFontEntry].generic = token.name == "froman" ? 'r'
            : token.name == "fswiss"                                ? 's'
            : token.name == "fmodern"                               ? 'm'
                                                                    : 0;
}

void Parser::decodeFontNameBytes()
{
    if (m_fontNameBytes.isEmpty() || m_currentFontEntry < 0)
        return;
    const FontEntry &entry = m_fonts[m_currentFontEntry];
    const int page = entry.codePage > 0 ? entry.codePage : m_codePage;
    codePage(entry.charset == 2 ? CodePage::Windows1252 : page).appendDecoded(m_fontNameBytes, m_fontName);
    m_fontNameBytes.clear();
}

void Parser::fontTableText(QByteArrayView bytes)
{
    if (m_currentFontEntry < 0)
        return;
    for (const char c : bytes) {
        if (c != ';') {
            m_fontNameBytes.append(c);
            continue;
        }
        decodeFontNameBytes();
        if (!m_fontName.isEmpty()) {
            m_fonts[m_currentFontEntry].name = m_fontName.trimmed();
            m_fontName.clear();
        }
    }
}

void Parser::colorComponent(const Token &token, int p)
{
    if (state().destination != Destination::ColorTable)
        return;
    const int value = std::clamp(p, 0, 255);
    if (m_pendingColor.red < 0)
        m_pendingColor = Color{0, 0, 0};
    if (token.name == "red")
        m_pendingColor.red = value;
    else if (token.name == "green")
        m_pendingColor.green = value;
    else
        m_pendingColor.blue = value;
}

void Parser::align(const Token &token, int)
{
    const char which = token.name.at(1);
    setPara(&ParaState::alignment, which == 'r' ? Alignment::Right
                                   : which == 'c' ? Alignment::Centre
                                   : which == 'j' ? Alignment::Justify
                                                  : Alignment::Left);
}

void Parser::page(const Token &, int)
{
    if (state().destination != Destination::Text)
        return;
    flushBytes();
    if (m_blockHasContent || !m_run.isEmpty()) {
        endParagraph();
        m_blockPageBreak = true;
    } else {
        m_blockPageBreak = true; // "\par\page": the break goes before the empty paragraph
    }
}

void Parser::section(const Token &, int)
{
    flushBytes();
    if (state().destination == Destination::Text && (m_blockHasContent || !m_run.isEmpty()))
        endParagraph();
}

void Parser::nestedCell(const Token &, int)
{
    if (state().destination != Destination::Text || m_insideNote)
        return;
    flushBytes();
    const int depth = state().para.tableDepth;
    if (depth > MaxTableDepth)
        m_pendingCellTab = true;
    else
        endCell(size_t(std::max(depth, 2) - 1));
}

void Parser::nestedRow(const Token &, int)
{
    if (state().destination != Destination::Text || m_insideNote)
        return;
    const int depth = state().para.tableDepth;
    if (depth > MaxTableDepth) {
        m_pendingCellTab = false;
        endParagraph();
    } else {
        endRow(size_t(std::max(depth, 2) - 1));
    }
}

void Parser::rowDefaults(const Token &, int)
{
    rowDefinition() = RowDefinition();
    m_pendingCell = CellDefinition();
}

void Parser::cellEdge(const Token &, int p)
{
    std::vector<CellDefinition> &cells = rowDefinition().cells;
    const int edge = std::clamp(p, 0, MaxCellEdge);
    if (cells.size() >= MaxTableColumns) {
        // The cells past the last column share it, so it reaches to where
        // the last of them ends.
        cells.back().edge = std::max(cells.back().edge, edge);
        m_pendingCell = CellDefinition();
        return;
    }
    m_pendingCell.edge = edge;
    cells.push_back(m_pendingCell);
    m_pendingCell = CellDefinition();
}

void Parser::cellMerge(const Token &token, int)
{
    if (token.name == "clmgf")
        m_pendingCell.across = Merge::First;
    else if (token.name == "clmrg")
        m_pendingCell.across = Merge::Next;
    else if (token.name == "clvmgf")
        m_pendingCell.down = Merge::First;
    else
        m_pendingCell.down = Merge::Next;
}

void Parser::place()
{
    placeAt(size_t(std::min(state().para.tableDepth, MaxTableDepth)), false);
}

// Puts the cursor where text `depth` tables deep goes: into the current cell
// of each table down to that depth, opening tables and rows as needed.
// Deeper tables end there once their row has ended, or at once with
// `closeDeeper` (a cell or row mark of an outer table).
void Parser::placeAt(size_t depth, bool closeDeeper)
{
    if (state().destination != Destination::Text || m_insideNote)
        return;
    while (m_tables.size() > depth && (closeDeeper || !m_tables.back().inRow))
        endTable();
    // A deeper table whose row goes on keeps what comes, whatever its depth.
    const size_t levels = std::max(depth, m_tables.size());
    for (size_t level = 0; level < levels; ++level) {
        if (level == m_tables.size())
            openTable();
        if (level == 0 && !m_tables.front().inRow && startsTablePart(m_tables.front()))
            joinTablePart();
        Table &t = m_tables[level];
        if (!t.inRow)
            startRow(t);
        else if (t.cellPending)
            moveToCell(t);
    }
}

void Parser::openTable()
{
    flushBytes();
    const QString pending = std::exchange(m_run, QString());
    QTextTableFormat format;
    // Solid lines between cells that touch. Qt's collapsed borders look the
    // same with single lines, but cost a search of the table's cells for
    // every cell each time it is laid out.
    format.setCellPadding(2);
    format.setCellSpacing(0);
    format.setBorder(0.5);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    const int at = m_cursor.position();
    const bool emptyBlock = m_cursor.block().length() <= 1;
    // A nested table's row defines its cells after them.
    const int columns = m_tables.empty() ? std::max<int>(1, int(m_row.cells.size())) : 1;
    const int frameStart = m_tables.empty() ? 0 : m_tables.back().table->cellAt(at).firstCursorPosition().position();
    Table t;
    t.table = m_cursor.insertTable(1, columns, format);
    m_madeBlockFormat = m_cursor.blockFormat();
    // The block before a table is the paragraph that went before it, not
    // the empty one that its paragraph mark opened.
    if (emptyBlock && at > frameStart && at != m_afterTablePosition) {
        QTextCursor before(&m_document);
        before.setPosition(at);
        before.deletePreviousChar();
    }
    t.mergeDown.assign(size_t(columns), MergeDown());
    m_tables.push_back(std::move(t));
    m_run = pending;
}

// Whether the outermost table goes on in a new part at the row about to
// start: once the part is full, and not in the midst of a vertical merge.
bool Parser::startsTablePart(const Table &t) const
{
    return t.row >= RowsPerTablePart && !continuesMerge(t, m_row);
}

// Whether the row goes on with a vertical merge of the rows before it, its
// cells placed on the columns as defineRow() will place them. A merge mark
// with no merge to go on with is no merge, and a save leaves it out.
bool Parser::continuesMerge(const Table &t, const RowDefinition &row)
{
    const std::vector<CellDefinition> &cells = row.cells;
    if (std::none_of(cells.begin(), cells.end(), [](const CellDefinition &cell) { return cell.down == Merge::Next; }))
        return false;
    // The columns as columnEndingAt() will split them for this row.
    std::vector<int> edges = t.edges;
    std::vector<MergeDown> downs = t.mergeDown;
    int splits = t.splits;
    int columns = t.table->columns();
    int last = -1;
    int previous = -1;
    for (const CellDefinition &cell : cells) {
        const int first = last + 1;
        last = first;
        if (cell.edge > previous) {
            previous = cell.edge;
            const EdgeFit fit = fitEdge(edges, cell.edge, splits, columns);
            if (fit.kind == EdgeFit::Past) {
                edges.push_back(cell.edge);
            } else if (fit.kind == EdgeFit::Split) {
                ++splits;
                ++columns;
                edges.insert(edges.begin() + fit.column, cell.edge);
                for (MergeDown &down : downs)
                    down.split(fit.column);
                downs.insert(downs.begin() + std::min<size_t>(size_t(fit.column) + 1, downs.size()), MergeDown());
            }
            last = std::max(first, fit.column);
        }
        if (cell.down == Merge::Next && size_t(first) < downs.size() && downs[size_t(first)].row >= 0
            && downs[size_t(first)].last == last)
            return true;
    }
    return false;
}

void Parser::joinTablePart()
{
    endTable();
    openTable();
    QTextTable &part = *m_tables.front().table;
    QTextTableFormat format = part.format();
    format.setTopMargin(DocumentProperty::TablePartOverlap);
    part.setFormat(format);
    QTextCursor join(&m_document);
    join.setPosition(part.firstPosition() - 1);
    join.setBlockFormat(DocumentProperty::tableJoinFormat());
}

void Parser::startRow(Table &t)
{
    flushBytes();
    const QString pending = std::exchange(m_run, QString());
    if (t.row >= t.table->rows())
        t.table->appendRows(std::clamp(MaxTableCellsAdded / t.table->columns(), 1, t.table->rows()));
    if (&t == &m_tables.front())
        defineRow(t, m_row);
    else
        t.cellColumns.clear(); // a nested row's cells stand one to a column
    t.inRow = true;
    t.cell = 0;
    m_run = pending;
    moveToCell(t);
}

// Places the row's cells on the table's columns and notes its merged
// cells: cells that span columns by their edges, and cells joined by
// \clmrg and \clvmrg.
void Parser::defineRow(Table &t, const RowDefinition &row)
{
    const std::vector<CellDefinition> &cells = row.cells;
    if (t.row == 0)
        t.left = row.left;
    const bool byEdges = &t == &m_tables.front();
    std::vector<std::pair<int, int>> spans; // first and last column of each cell
    int previous = -1;
    for (size_t c = 0; c < cells.size(); ++c) {
        const int first = spans.empty() ? 0 : spans.back().second + 1;
        int last = first;
        // A cell of no width (AbiWord writes one beside a merged cell)
        // takes the next column as it is.
        if (byEdges && cells[c].edge > previous) {
            previous = cells[c].edge;
            last = std::max(first, columnEndingAt(t, previous));
        }
        spans.emplace_back(first, last);
    }
    if (!spans.empty() && spans.back().second >= t.table->columns())
        t.table->appendColumns(spans.back().second + 1 - t.table->columns());
    if (!byEdges && cells.size() > t.edges.size()) {
        t.edges.clear();
        for (const CellDefinition &c : cells)
            t.edges.push_back(c.edge);
    }
    t.cellColumns.clear();
    for (const auto &span : spans)
        t.cellColumns.push_back(span.first);
    t.mergeDown.resize(size_t(t.table->columns()));
    // A merge goes down only through rows that go on with it: a column no
    // cell of this row starts in ends the merge above it.
    std::vector<MergeDown> downs(t.mergeDown.size());
    for (size_t c = 0; c < cells.size(); ++c) {
        const CellDefinition &cell = cells[c];
        const int first = spans[c].first; // clang cannot capture structured bindings
        const int last = spans[c].second;
        const int width = last - first + 1;
        if (cell.across == Merge::Next && c > 0) {
            // Joins the cell to its left, itself maybe joined further left.
            auto it = std::find_if(t.merges.rbegin(), t.merges.rend(), [&](const PendingMerge &m) {
                return m.row == t.row && m.column + m.columns == first;
            });
            if (it != t.merges.rend())
                it->columns += width;
            else
                t.merges.push_back({t.row, spans[c - 1].first, 1, last - spans[c - 1].first + 1});
        } else if (width > 1) {
            t.merges.push_back({t.row, first, 1, width});
        }
        const MergeDown &down = t.mergeDown[size_t(first)];
        const int start = down.row;
        if (cell.down == Merge::Next && start >= 0 && down.last == last) {
            downs[size_t(first)] = down;
            auto it = std::find_if(t.merges.rbegin(), t.merges.rend(), [&](const PendingMerge &m) {
                return m.row == start && m.column == first;
            });
            if (it != t.merges.rend())
                it->rows = t.row - start + 1;
            else
                t.merges.push_back({start, first, 2, width});
        } else if (cell.down == Merge::First) {
            downs[size_t(first)] = {t.row, last};
        }
    }
    t.mergeDown = std::move(downs);
}

// The column whose right edge is `edge`, split off the column it falls in
// when no row had that edge: the rows read before keep their cells across
// both halves.
int Parser::columnEndingAt(Table &t, int edge)
{
    const EdgeFit fit = fitEdge(t.edges, edge, t.splits, t.table->columns());
    const int column = fit.column;
    if (fit.kind == EdgeFit::Past)
        t.edges.push_back(edge);
    if (fit.kind != EdgeFit::Split)
        return column;
    // The new column is the right half, so that the cells read so far keep
    // their text in their first column when they are merged.
    ++t.splits;
    t.edges.insert(t.edges.begin() + column, edge);
    t.table->insertColumns(column + 1, 1);
    std::vector<bool> covered(size_t(t.row), false);
    for (PendingMerge &m : t.merges) {
        if (m.column > column) {
            ++m.column;
        } else if (m.column + m.columns > column) {
            ++m.columns;
            for (int r = m.row; r < m.row + m.rows && r < t.row; ++r)
                covered[size_t(r)] = true;
        }
    }
    for (int r = 0; r < t.row; ++r)
        if (!covered[size_t(r)])
            t.merges.push_back({r, column, 1, 2});
    for (MergeDown &down : t.mergeDown)
        down.split(column);
    t.mergeDown.insert(t.mergeDown.begin() + column + 1, MergeDown());
    return column;
}

void Parser::moveToCell(Table &t)
{
    const QString pending = std::exchange(m_run, QString());
    // Cells past those the row defines take a column each after them.
    const int defined = int(t.cellColumns.size());
    int column = t.cell < defined ? t.cellColumns[size_t(t.cell)]
        : defined > 0             ? t.cellColumns.back() + 1 + (t.cell - defined)
                                  : t.cell;
    // The rest of an overlong row shares its last cell, in the order the
    // file gives it, a tab between its cells as in plain text.
    bool shared = false;
    if (column >= t.table->columns()) {
        shared = size_t(t.table->columns()) >= MaxTableColumns;
        if (shared)
            column = t.table->columns() - 1;
        else
            t.table->appendColumns(column - t.table->columns() + 1);
    }
    t.cellPending = false;
    const QTextTableCell cell = t.table->cellAt(t.row, column);
    const int position = (shared ? cell.lastCursorPosition() : cell.firstCursorPosition()).position();
    if (position != m_cursor.position()) {
        m_cursor.setPosition(position);
        m_madeBlockFormat = QTextBlockFormat();
        m_blockHasContent = false;
    }
    m_run = shared ? u'\t' + pending : pending;
}

void Parser::cell(const Token &, int)
{
    if (state().destination != Destination::Text || m_insideNote)
        return;
    flushBytes();
    endCell(0);
}

// Ends the current cell of the table `level` deep (0 the outermost).
void Parser::endCell(size_t level)
{
    if (m_tables.size() <= level && size_t(state().para.tableDepth) <= level)
        return; // a cell mark outside any table
    // Whatever the paragraph's own depth, its text ends this cell.
    placeAt(level + 1, true);
    insertRun();
    applyBlockFormat(state().para);
    applyList(state().para);
    // The next cell is entered when something goes into it.
    Table &t = m_tables[level];
    ++t.cell;
    t.cellPending = true;
}

void Parser::row(const Token &, int)
{
    if (state().destination != Destination::Text || m_insideNote)
        return;
    endRow(0);
}

void Parser::endRow(size_t level)
{
    flushBytes();
    if (m_tables.size() <= level || !m_tables[level].inRow) {
        m_pendingCellTab = false;
        return;
    }
    while (m_tables.size() > level + 1)
        endTable();
    Table &t = m_tables[level];
    if (!t.cellPending) { // text after the last cell mark joins that cell
        insertRun();
        if (m_blockHasContent) {
            applyBlockFormat(state().para);
            applyList(state().para);
        }
    }
    if (level > 0)
        defineRow(t, m_nestedRow);
    t.cellPending = false;
    t.inRow = false;
    ++t.row;
}

void Parser::endTable()
{
    Table t = std::move(m_tables.back());
    m_tables.pop_back();
    QTextTable *table = t.table;
    if (t.inRow)
        ++t.row;
    if (t.row < table->rows())
        table->removeRows(t.row, table->rows() - t.row);
    QTextTableFormat format = table->format();
    if (!t.edges.empty()) {
        QList<QTextLength> widths;
        int left = t.left;
        for (const int edge : t.edges) {
            widths.append(QTextLength(QTextLength::FixedLength, std::max(0, edge - left) / 15.0));
            left = edge;
        }
        while (widths.size() < table->columns())
            widths.append(QTextLength());
        format.setColumnWidthConstraints(widths);
        table->setFormat(format);
    }
    for (const PendingMerge &m : t.merges)
        if (m.row + m.rows <= table->rows() && m.column + m.columns <= table->columns())
            table->mergeCells(m.row, m.column, m.rows, m.columns);
    m_cursor.setPosition(table->lastPosition() + 1);
    m_afterTablePosition = m_cursor.position();
    m_madeBlockFormat = m_cursor.blockFormat();
    m_blockHasContent = false;
}

void Parser::symbol(const Token &token, int)
{
    if (state().destination != Destination::Text)
        return;
    flushBytes();
    if (const char16_t c = RtfSymbols::character(token.name))
        appendChar(c);
}

void Parser::unicode(const Token &, int p)
{
    m_skipCharacters = 0;
    if (state().destination == Destination::LevelText && p >= -32768 && p <= 65535 && m_levelText.size() < 64)
        m_levelText.append(QChar(char16_t(p < 0 ? p + 65536 : p)));
    if (state().destination == Destination::FontTable && m_currentFontEntry >= 0 && p >= -32768 && p <= 65535) {
        decodeFontNameBytes();
        m_fontName.append(QChar(char16_t(p < 0 ? p + 65536 : p)));
    }
    if (state().destination != Destination::Text) {
        m_skipCharacters = state().unicodeSkip;
        return;
    }
    flushBytes();
    m_skipCharacters = state().unicodeSkip;
    if (p < -32768 || p > 65535) // no UTF-16 unit; its fallback is still skipped
        return;
    auto unit = char16_t(p < 0 ? p + 65536 : p);
    const auto font = m_fonts.find(state().chars.font < 0 ? m_defaultFont : state().chars.font);
    if (font != m_fonts.end() && font->second.charset == 2 && unit >= 0xF020 && unit <= 0xF0FF)
        unit = SymbolFonts::toUnicode(SymbolFonts::fromName(font->second.name), static_cast<unsigned char>(unit & 0xFF));

    if (QChar::isLowSurrogate(unit) && m_highSurrogate) {
        const char16_t pair[2] = {m_highSurrogate, unit};
        m_highSurrogate = 0;
        appendText(QStringView(pair, 2));
    } else if (QChar::isHighSurrogate(unit)) {
        if (m_highSurrogate) { // two high halves in a row: the first stands alone
            m_highSurrogate = 0;
            appendChar(QChar::ReplacementCharacter);
        }
        m_highSurrogate = unit;
    } else if (QChar::isLowSurrogate(unit)) {
        appendChar(QChar::ReplacementCharacter);
    } else if (unit != 0) {
        appendChar(unit);
    }
}

void Parser::picture(const Token &, int)
{
    if (state().destination == Destination::Picture && !m_pictures.empty()
        && m_pictures.back().depth == m_stack.size()) {
        m_pictures.back() = Picture();
        m_pictures.back().depth = m_stack.size();
        return;
    }
    setDestination(Destination::Picture);
    m_pictures.emplace_back();
    m_pictures.back().depth = m_stack.size();
}

void Parser::pictureFormat(const Token &token, int)
{
    if (state().destination != Destination::Picture || m_pictures.empty())
        return;
    Picture &p = m_pictures.back();
    p.format = token.name == "pngblip" ? PictureFormat::Png
        : token.name == "jpegblip"     ? PictureFormat::Jpeg
                                       : PictureFormat::Other;
}

void Parser::pictureSize(const Token &token, int value)
{
    if (state().destination != Destination::Picture || m_pictures.empty())
        return;
    Picture &p = m_pictures.back();
    const int v = std::clamp(value, 0, 1 << 24);
    if (token.name == "picwgoal")
        p.goalWidth = v;
    else if (token.name == "pichgoal")
        p.goalHeight = v;
    else if (token.name == "picscalex")
        p.scaleX = v;
    else if (token.name == "picscaley")
        p.scaleY = v;
}

void Parser::finishPicture(const Picture &picture)
{
    if (picture.format != PictureFormat::Png && picture.format != PictureFormat::Jpeg) {
        m_result.droppedPictures = true;
        m_shapePictureDropped = true;
        drop(QStringLiteral("pictures in formats other than PNG and JPEG"));
        return;
    }
    QByteArray data = picture.data;
    QBuffer buffer(&data);
    QImageReader reader(&buffer);
    const QSize natural = reader.size();
    if (!natural.isValid()) { // not a picture after all
        m_result.droppedPictures = true;
        m_shapePictureDropped = true;
        drop(QStringLiteral("pictures in formats other than PNG and JPEG"));
        return;
    }
    const auto pixels = [](int goalTwips, int scale, int naturalPixels) {
        const double base = goalTwips > 0 ? goalTwips / 15.0 : naturalPixels;
        return std::clamp(int(base * scale / 100.0 + 0.5), 1, MaxPicturePixels);
    };

    const QString name = QStringLiteral("rtf-picture-%1.%2")
                             .arg(++m_imageCount)
                             .arg(picture.format == PictureFormat::Png ? u"png" : u"jpg");
    flushRun();
    place();
    m_document.addResource(QTextDocument::ImageResource, QUrl(name), data);
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(pixels(picture.goalWidth, picture.scaleX, natural.width()));
    format.setHeight(pixels(picture.goalHeight, picture.scaleY, natural.height()));
    flushRun();
    if (m_pendingCellTab) {
        m_pendingCellTab = false;
        appendChar(u'\t');
        flushRun();
    }
    m_cursor.insertImage(format);
    m_blockHasContent = true;
    m_blockPara = state().para;
}

} // namespace

RtfReader::Result RtfReader::read(QByteArrayView rtf, QTextDocument &document)
{
    return Parser(rtf, document).run();
}
