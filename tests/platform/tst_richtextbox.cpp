#include "formats/documentproperties.h"
#include "formats/documenttext.h"
#include "platform/olecolor.h"
#include "platform/richtextbox.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QMainWindow>
#include <QPaintEngine>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextTable>
#include <QScrollBar>

#include <cerrno>

using Style = RichTextBox::Style;

namespace {

// "plain BOLD plain": characters 6 to 9 bold.
void writeHalfBold(RichTextBox &box)
{
    box.setText(QStringLiteral("plain BOLD plain"));
    box.setSelStart(6);
    box.setSelLength(4);
    box.setSelBold(true);
}

QTextCharFormat formatAt(const RichTextBox &box, int position)
{
    QTextCursor cursor(box.document());
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A table of `rows` rows of `columns` cells ("a", "b"…), then a paragraph,
// written in the folder; its path.
QString writeTimetable(const QTemporaryDir &folder, int rows, int columns)
{
    QByteArray row = "\\trowd";
    for (int c = 1; c <= columns; ++c)
        row += "\\cellx" + QByteArray::number(c * 1000);
    row += "\\pard\\intbl";
    for (int c = 0; c < columns; ++c)
        row += ' ' + QByteArray(1, char('a' + c)) + "\\cell";
    row += "\\row\n";
    const QString path = folder.filePath(QStringLiteral("timetable.rtf"));
    writeFile(path, "{\\rtf1\\ansi " + row.repeated(rows) + "\\pard after\\par}");
    return path;
}

// A shown editor that opened a timetable, and the tables it was read into:
// parts of 128 rows.
struct OpenTimetable
{
    OpenTimetable(int rows, int columns)
    {
        box.resize(600, 400);
        box.show();
        opened = box.LoadFile(writeTimetable(folder, rows, columns)).ok();
        for (QTextFrame *frame : box.document()->rootFrame()->childFrames())
            parts << qobject_cast<QTextTable *>(frame);
    }
    // A cell, by its row in the whole table.
    QTextTableCell cell(int row, int column) const { return parts.at(row / 128)->cellAt(row % 128, column); }
    // The row in the whole table that the cursor stands in, or -1.
    int rowOf(const QTextCursor &cursor) const
    {
        int before = 0;
        for (QTextTable *part : parts) {
            if (part == cursor.currentTable())
                return before + part->cellAt(cursor).row();
            before += part->rows();
        }
        return -1;
    }

    QTemporaryDir folder;
    RichTextBox box;
    QList<QTextTable *> parts;
    bool opened = false;
};

// Records the text a painter draws and where, in device pixels.
class TextRecorder : public QPaintDevice, QPaintEngine
{
public:
    struct Item
    {
        QString text;
        QPointF at; // the start of its baseline
        qreal width;
        QColor colour;
    };

    explicit TextRecorder(QSize size)
        : QPaintEngine(AllFeatures)
        , m_size(size)
    {
    }
    QList<Item> items;

    QPaintEngine *paintEngine() const override { return const_cast<TextRecorder *>(this); }
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    // Qt draws shapes in right-to-left paragraphs, which only text is wanted of here.
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    void drawTextItem(const QPointF &at, const QTextItem &item) override
    {
        items.append({item.text(), painter()->combinedTransform().map(at), item.width(), painter()->pen().color()});
    }
    Type type() const override { return User; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: return m_size.width();
        case PdmHeight: return m_size.height();
        case PdmDepth: return 32;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        default: return 96;
        }
    }

private:
    QSize m_size;
};

} // namespace

class tst_RichTextBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textUsesOneLineFeedPerParagraph();
    void writingTextDropsFormattingInOneUndoStep();
    void selectionIsClampedToTheText_data();
    void selectionIsClampedToTheText();
    void selTextReplacesSelectionOrInsertsAtCaret();
    void stylesReadOnOffOrMixed_data();
    void stylesReadOnOffOrMixed();
    void styleAtBareCaretAppliesToTypedText();
    void fontSizeTakesNumbersAndNumericText_data();
    void fontSizeTakesNumbersAndNumericText();
    void fontSizeReadsOneValueOrNone();
    void colourAndFontNameApplyToSelection();
    void alignmentAppliesToEveryParagraphTouched_data();
    void alignmentAppliesToEveryParagraphTouched();
    void backColourBelongsToOneEditor();
    void findHonoursItsOptions_data();
    void findHonoursItsOptions();
    void undoAndRedoKeys();
    void windowMenuKeysWinOverEditorKeys();
    void loadFileReadsTheTypeAsked_data();
    void loadFileReadsTheTypeAsked();
    void loadFileFailureKeepsTheDocument_data();
    void loadFileFailureKeepsTheDocument();
    void partsKeptOutOfSightTakeNoRoom_data();
    void partsKeptOutOfSightTakeNoRoom();
    void caretPassesOverTheJoinOfALongTable_data();
    void caretPassesOverTheJoinOfALongTable();
    void textPutIntoTheJoinOfALongTableShows();
    void selectionStaysInThePartOfALongTableItStartedIn_data();
    void selectionStaysInThePartOfALongTableItStartedIn();
    void listLabelsShowAsTheFileNumbersThem_data();
    void listLabelsShowAsTheFileNumbersThem();
};

void tst_RichTextBox::textUsesOneLineFeedPerParagraph()
{
    RichTextBox box;
    box.setText(QStringLiteral("one\r\ntwo\rthree\nfour"));
    QCOMPARE(box.Text(), QStringLiteral("one\ntwo\nthree\nfour"));
    QCOMPARE(box.document()->blockCount(), 4);
    // Positions count each paragraph break as one character.
    box.setSelStart(8);
    box.setSelLength(5);
    QCOMPARE(box.SelText(), QStringLiteral("three"));
}

void tst_RichTextBox::writingTextDropsFormattingInOneUndoStep()
{
    RichTextBox box;
    writeHalfBold(box);
    QCOMPARE(box.SelBold(), Style::On);
    box.setSelAlignment(2);

    box.setText(QStringLiteral("PLAIN BOLD PLAIN\nsecond"));
    QCOMPARE(box.SelStart(), 0);
    box.setSelStart(0);
    box.setSelLength(int(box.Text().size()));
    QCOMPARE(box.SelBold(), Style::Off);
    QCOMPARE(box.document()->firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);

    box.document()->undo();
    QCOMPARE(box.Text(), QStringLiteral("plain BOLD plain"));
    QVERIFY(formatAt(box, 7).fontWeight() >= QFont::DemiBold);
}

void tst_RichTextBox::selectionIsClampedToTheText_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("expectedStart");
    QTest::addColumn<int>("expectedLength");

    QTest::newRow("inside") << 2 << 3 << 2 << 3;
    QTest::newRow("negative start") << -5 << 2 << 0 << 2;
    QTest::newRow("start past end") << 99 << 2 << 10 << 0;
    QTest::newRow("length past end") << 7 << 50 << 7 << 3;
    QTest::newRow("negative length") << 4 << -3 << 4 << 0;
}

void tst_RichTextBox::selectionIsClampedToTheText()
{
    QFETCH(int, start);
    QFETCH(int, length);
    RichTextBox box;
    box.setText(QStringLiteral("0123456789"));
    box.setSelStart(start);
    box.setSelLength(length);
    QTEST(box.SelStart(), "expectedStart");
    QTEST(box.SelLength(), "expectedLength");
}

void tst_RichTextBox::selTextReplacesSelectionOrInsertsAtCaret()
{
    RichTextBox box;
    box.setText(QStringLiteral("The cat sat."));
    box.setSelStart(4);
    box.setSelLength(3);
    QCOMPARE(box.SelText(), QStringLiteral("cat"));
    box.setSelText(QStringLiteral("dog"));
    QCOMPARE(box.Text(), QStringLiteral("The dog sat."));
    QCOMPARE(box.SelStart(), 7);
    QCOMPARE(box.SelLength(), 0);

    box.setSelText(QStringLiteral("\r\nnew line"));
    QCOMPARE(box.Text(), QStringLiteral("The dog\nnew line sat."));
    QCOMPARE(box.SelStart(), 16);
}

void tst_RichTextBox::stylesReadOnOffOrMixed_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<Style>("bold");

    QTest::newRow("plain run") << 0 << 5 << Style::Off;
    QTest::newRow("bold run") << 6 << 4 << Style::On;
    QTest::newRow("half bold") << 3 << 5 << Style::Mixed;
    QTest::newRow("everything") << 0 << 16 << Style::Mixed;
    QTest::newRow("caret after bold") << 10 << 0 << Style::On;
    QTest::newRow("caret in plain") << 2 << 0 << Style::Off;
    QTest::newRow("ends just before bold") << 0 << 6 << Style::Off;
    QTest::newRow("ends on the first bold") << 0 << 7 << Style::Mixed;
    QTest::newRow("caret at the start of bold") << 6 << 0 << Style::Off;
    QTest::newRow("starts on the last bold") << 9 << 2 << Style::Mixed;
    QTest::newRow("bold across a paragraph break") << 16 << 5 << Style::On;
    QTest::newRow("plain across a paragraph break") << 11 << 7 << Style::Mixed;
    QTest::newRow("only a bold paragraph break") << 16 << 1 << Style::On;
}

void tst_RichTextBox::stylesReadOnOffOrMixed()
{
    QFETCH(int, start);
    QFETCH(int, length);
    RichTextBox box;
    writeHalfBold(box);
    box.setSelStart(16);
    box.setSelText(QStringLiteral("\nBOLD")); // a second paragraph, bold from its break on
    box.setSelStart(16);
    box.setSelLength(5);
    box.setSelBold(true);
    box.setSelStart(start);
    box.setSelLength(length);
    QTEST(box.SelBold(), "bold");
    QCOMPARE(box.SelItalic(), Style::Off);

    // A toggle that reads mixed as off makes the whole selection bold; a
    // selection of nothing but a paragraph break has no text to change.
    if (length > 0 && box.SelText() != u"\n") {
        const Style before = box.SelBold();
        box.setSelBold(before != Style::On);
        QCOMPARE(box.SelBold(), before == Style::On ? Style::Off : Style::On);
    }
}

void tst_RichTextBox::styleAtBareCaretAppliesToTypedText()
{
    RichTextBox box;
    box.setText(QStringLiteral("ab"));
    box.setSelStart(1);
    box.setSelItalic(true);
    box.setSelUnderline(true);
    box.setSelStrikeThru(true);
    QTest::keyClicks(box.textEdit(), QStringLiteral("XY"));
    QCOMPARE(box.Text(), QStringLiteral("aXYb"));
    const QTextCharFormat typed = formatAt(box, 2);
    QVERIFY(typed.fontItalic());
    QVERIFY(typed.fontUnderline());
    QVERIFY(typed.fontStrikeOut());
    QVERIFY(!formatAt(box, 3).fontItalic());
}

void tst_RichTextBox::fontSizeTakesNumbersAndNumericText_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<double>("size");

    QTest::newRow("integer text") << QStringLiteral("12") << true << 12.0;
    QTest::newRow("padded text") << QStringLiteral(" 24 ") << true << 24.0;
    QTest::newRow("fraction") << QStringLiteral("10.5") << true << 10.5;
    QTest::newRow("not a number") << QStringLiteral("big") << false << 0.0;
    QTest::newRow("empty") << QString() << false << 0.0;
    QTest::newRow("the smallest") << QStringLiteral("1") << true << 1.0;
    QTest::newRow("below the smallest") << QStringLiteral("0.5") << false << 0.0;
    QTest::newRow("the largest") << QStringLiteral("1638") << true << 1638.0;
    QTest::newRow("past the largest") << QStringLiteral("1638.5") << false << 0.0;
}

void tst_RichTextBox::fontSizeTakesNumbersAndNumericText()
{
    QFETCH(QString, input);
    QFETCH(bool, accepted);
    QFETCH(double, size);
    RichTextBox box;
    box.setText(QStringLiteral("words"));
    box.setSelStart(0);
    box.setSelLength(5);
    const std::optional<double> before = box.SelFontSize();
    QVERIFY(before.has_value());
    QCOMPARE(box.setSelFontSize(input), accepted);
    QCOMPARE(box.SelFontSize(), accepted ? std::optional<double>(size) : before);
}

void tst_RichTextBox::fontSizeReadsOneValueOrNone()
{
    RichTextBox box;
    box.setText(QStringLiteral("small BIG\nnext"));
    box.setSelStart(6);
    box.setSelLength(3);
    QVERIFY(box.setSelFontSize(30.0));
    box.setSelStart(0);
    box.setSelLength(9);
    QVERIFY(!box.SelFontSize().has_value());
    box.setSelStart(7);
    QCOMPARE(box.SelFontSize(), std::optional<double>(30.0));
    // Text never given a size has the document's; so has a selection of
    // nothing but a paragraph break, before such text.
    const std::optional<double> standard = box.document()->defaultFont().pointSizeF();
    box.setSelStart(1);
    box.setSelLength(2);
    QCOMPARE(box.SelFontSize(), standard);
    box.setSelStart(9);
    box.setSelLength(1);
    QCOMPARE(box.SelFontSize(), standard);
}

void tst_RichTextBox::colourAndFontNameApplyToSelection()
{
    RichTextBox box;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("fonts.rtf"));
    writeFile(path, "{\\rtf1\\ansi{\\fonttbl{\\f0 Cambria;}}\\f0 red green\\par}");
    QVERIFY(box.LoadFile(path).ok());
    box.setSelStart(0);
    box.setSelLength(3);
    box.setSelColor(OleColor::fromRgb(255, 0, 0));
    box.setSelFontName(QStringLiteral("DejaVu Serif"));
    const QTextCharFormat red = formatAt(box, 1);
    QCOMPARE(red.foreground().color(), QColor(255, 0, 0));
    QCOMPARE(red.fontFamilies().toStringList(), QStringList{QStringLiteral("DejaVu Serif")});
    QVERIFY(formatAt(box, 6).foreground().color() != QColor(255, 0, 0));
    // Saved, the chosen font replaces the file's own, and the rest keeps that.
    QVERIFY(box.SaveFile(path).ok());
    RichTextBox reopened;
    QVERIFY(reopened.LoadFile(path).ok());
    QCOMPARE(formatAt(reopened, 1).stringProperty(DocumentProperty::FontName), QStringLiteral("DejaVu Serif"));
    QCOMPARE(formatAt(reopened, 6).stringProperty(DocumentProperty::FontName), QStringLiteral("Cambria"));
    // Red sits in the low byte.
    QCOMPARE(OleColor::toQColor(0x0000FF), QColor(255, 0, 0));
    QCOMPARE(OleColor::toQColor(0xFF0000), QColor(0, 0, 255));
}

void tst_RichTextBox::alignmentAppliesToEveryParagraphTouched_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QList<int>>("centredBlocks");

    // "one\ntwo\nthree\nfour": blocks start at 0, 4, 8, 14.
    QTest::newRow("caret in second") << 5 << 0 << 2 << QList<int>{1};
    QTest::newRow("over three") << 2 << 8 << 2 << QList<int>{0, 1, 2};
    QTest::newRow("invalid value") << 5 << 0 << 3 << QList<int>{};
}

void tst_RichTextBox::alignmentAppliesToEveryParagraphTouched()
{
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(int, alignment);
    QFETCH(QList<int>, centredBlocks);
    RichTextBox box;
    box.setText(QStringLiteral("one\ntwo\nthree\nfour"));
    box.setSelStart(start);
    box.setSelLength(length);
    QCOMPARE(box.setSelAlignment(alignment), alignment >= 0 && alignment <= 2);
    for (int i = 0; i < box.document()->blockCount(); ++i) {
        const Qt::Alignment a = box.document()->findBlockByNumber(i).blockFormat().alignment();
        QCOMPARE(bool(a & Qt::AlignHCenter), centredBlocks.contains(i));
    }
    box.setSelAlignment(1);
    QVERIFY(box.document()->findBlock(start).blockFormat().alignment() & Qt::AlignRight);
}

void tst_RichTextBox::backColourBelongsToOneEditor()
{
    RichTextBox first;
    RichTextBox second;
    const QColor before = second.textEdit()->palette().color(QPalette::Base);
    first.setBackColor(OleColor::fromRgb(10, 20, 30));
    QCOMPARE(first.textEdit()->palette().color(QPalette::Base), QColor(10, 20, 30));
    QCOMPARE(second.textEdit()->palette().color(QPalette::Base), before);
}

void tst_RichTextBox::findHonoursItsOptions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("options");
    QTest::addColumn<int>("found");

    // "Cat catalog cat. CAT"
    QTest::newRow("any case from 0") << QStringLiteral("cat") << 0 << 0 << 0;
    QTest::newRow("match case") << QStringLiteral("cat") << 0 << 4 << 4;
    QTest::newRow("whole word") << QStringLiteral("cat") << 1 << 2 << 12;
    QTest::newRow("whole word and case") << QStringLiteral("CAT") << 0 << 6 << 17;
    QTest::newRow("from a later start") << QStringLiteral("cat") << 13 << 0 << 17;
    QTest::newRow("match at start itself") << QStringLiteral("cat") << 12 << 0 << 12;
    QTest::newRow("no match") << QStringLiteral("dog") << 0 << 0 << -1;
    QTest::newRow("start past end") << QStringLiteral("cat") << 40 << 0 << -1;
    QTest::newRow("empty text") << QString() << 0 << 0 << -1;
}

void tst_RichTextBox::findHonoursItsOptions()
{
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, options);
    QFETCH(int, found);
    RichTextBox box;
    box.setText(QStringLiteral("Cat catalog cat. CAT"));
    box.setSelStart(2);
    QCOMPARE(box.Find(text, start, options), found);
    if (found >= 0) {
        QCOMPARE(box.SelStart(), found);
        QCOMPARE(box.SelLength(), int(text.size()));
        // With no highlight the selection stays where it was.
        box.setSelStart(2);
        QCOMPARE(box.Find(text, start, options | RichTextBox::FindNoHighlight), found);
        QCOMPARE(box.SelStart(), 2);
        QCOMPARE(box.SelLength(), 0);
    } else {
        QCOMPARE(box.SelStart(), 2);
    }
}

void tst_RichTextBox::undoAndRedoKeys()
{
    RichTextBox box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    box.SetFocus();
    QTest::keyClicks(box.textEdit(), QStringLiteral("draft"));
    QCOMPARE(box.Text(), QStringLiteral("draft"));
    QTest::keyClick(box.textEdit(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(box.Text(), QString());
    QTest::keyClick(box.textEdit(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(box.Text(), QStringLiteral("draft"));
}

void tst_RichTextBox::windowMenuKeysWinOverEditorKeys()
{
    QMainWindow window;
    auto *box = new RichTextBox;
    window.setCentralWidget(box);
    auto *selectAll = window.addAction(QStringLiteral("Select All"));
    selectAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    auto *undo = window.addAction(QStringLiteral("Undo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QSignalSpy selectAllSpy(selectAll, &QAction::triggered);
    QSignalSpy undoSpy(undo, &QAction::triggered);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    box->SetFocus();
    box->setText(QStringLiteral("text"));

    QTest::keyClick(box->textEdit(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(selectAllSpy.count(), 1);
    QCOMPARE(box->SelLength(), 0); // the window's command ran, not the editor's

    QTest::keyClick(box->textEdit(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(undoSpy.count(), 0); // undo stays with the editor

    // Without a window command for the key, the editor handles it itself.
    delete selectAll;
    QTest::keyClick(box->textEdit(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(box->SelLength(), int(box->Text().size()));
}

void tst_RichTextBox::loadFileReadsTheTypeAsked_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("text");

    QTest::newRow("utf-8 with crlf") << QByteArray("caf\xc3\xa9\r\nline") << QString() << QStringLiteral("café\nline");
    QTest::newRow("windows-1252") << QByteArray("caf\xe9 \x93quoted\x94") << QStringLiteral("1")
                                  << QStringLiteral("café “quoted”");
    QTest::newRow("utf-16 le") << QByteArray("\xff\xfeh\0i\0\r\0\n\0", 10) << QStringLiteral("1") << QStringLiteral("hi\n");
    QTest::newRow("rtf as markup") << QByteArray("{\\rtf1 \\b bold\\b0}") << QStringLiteral("1")
                                   << QStringLiteral("{\\rtf1 \\b bold\\b0}");
    QTest::newRow("rtf, the type told from the file") << QByteArray("{\\rtf1 \\b bold\\b0}") << QStringLiteral("0")
                                                      << QStringLiteral("bold");
}

void tst_RichTextBox::loadFileReadsTheTypeAsked()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, type);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("in.txt"));
    writeFile(path, bytes);

    RichTextBox box;
    box.resize(400, 300);
    box.show();
    box.setText(QStringLiteral("old"));
    const FileResult result = box.LoadFile(path, type);
    QVERIFY2(result.ok(), qPrintable(result.error));
    QTEST(box.Text(), "text");
    // Loading is not an edit that undo takes back.
    QVERIFY(!box.document()->isUndoAvailable());
    // A text this short needs no scroll bar.
    QVERIFY(!box.textEdit()->verticalScrollBar()->isVisible());
}

void tst_RichTextBox::partsKeptOutOfSightTakeNoRoom_data()
{
    QTest::addColumn<QByteArray>("kept"); // between "cook " and "before"
    QTest::newRow("a comment") << QByteArray("{\\*\\atnid A}{\\*\\atnauthor Ann}\\chatn{\\*\\annotation A remark.}");
    QTest::newRow("a comment's range") << QByteArray("{\\*\\atrfstart 1}{\\*\\atrfend 1}");
}

void tst_RichTextBox::partsKeptOutOfSightTakeNoRoom()
{
    // Laid out in an editor window, the words stand where they would
    // without the kept parts between them, and so does their space.
    QFETCH(QByteArray, kept);
    QTemporaryDir folder;
    const QString plain = folder.filePath(QStringLiteral("plain.rtf"));
    const QString withKept = folder.filePath(QStringLiteral("kept.rtf"));
    writeFile(plain, "{\\rtf1\\ansi cook before\\par}");
    writeFile(withKept, "{\\rtf1\\ansi cook " + kept + "before\\par}");
    const auto xOfBefore = [](const QString &path) {
        RichTextBox box;
        box.resize(600, 200);
        box.show();
        box.LoadFile(path);
        QTextCursor at = box.document()->find(QStringLiteral("before"));
        at.setPosition(at.selectionStart());
        return box.textEdit()->cursorRect(at).x();
    };
    QCOMPARE(xOfBefore(withKept), xOfBefore(plain));
}

void tst_RichTextBox::caretPassesOverTheJoinOfALongTable_data()
{
    QTest::addColumn<int>("fromPart"); // the caret starts at the first part's last cell, or the second's first
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("toPart");
    QTest::addColumn<int>("toRow");
    QTest::newRow("down") << 0 << int(Qt::Key_Down) << 1 << 0;
    QTest::newRow("up") << 1 << int(Qt::Key_Up) << 0 << 127;
    QTest::newRow("right from the last cell") << 0 << int(Qt::Key_Right) << 1 << 0;
    QTest::newRow("left from the first cell") << 1 << int(Qt::Key_Left) << 0 << 127;
}

void tst_RichTextBox::caretPassesOverTheJoinOfALongTable()
{
    // A table long enough to be read in two parts: the paragraph joining
    // them takes no room, and the caret, moving, never rests there.
    QFETCH(int, fromPart);
    QFETCH(int, key);
    OpenTimetable timetable(200, 8);
    QVERIFY(timetable.opened);
    RichTextBox &box = timetable.box;
    const QList<QTextTable *> &parts = timetable.parts;
    QCOMPARE(parts.size(), 2);
    QAbstractTextDocumentLayout *layout = box.document()->documentLayout();
    // The second part's top lines lie over the first part's bottom lines.
    QCOMPARE(layout->frameBoundingRect(parts[1]).top() - layout->frameBoundingRect(parts[0]).bottom(), -2.0);

    const QTextCursor start = fromPart == 0 ? parts[0]->cellAt(127, 7).lastCursorPosition()
                                            : parts[1]->cellAt(0, 0).firstCursorPosition();
    box.textEdit()->setTextCursor(start);
    QTest::keyClick(box.textEdit(), Qt::Key(key & ~Qt::KeyboardModifierMask), Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
    const QTextCursor moved = box.textEdit()->textCursor();
    QCOMPARE(moved.anchor(), moved.position());
    QTEST(int(parts.indexOf(moved.currentTable())), "toPart");
    QTEST(moved.currentTable()->cellAt(moved).row(), "toRow");
    QTest::keyClicks(box.textEdit(), QStringLiteral("typed"));
    QVERIFY(box.document()->findBlock(parts[0]->lastPosition() + 1).text().isEmpty());
    QVERIFY(moved.block().text().contains(QStringLiteral("typed")));
}

void tst_RichTextBox::textPutIntoTheJoinOfALongTableShows()
{
    // Text dropped right between two parts of a long table goes into the
    // paragraph that joins them, which then shows as any paragraph does.
    OpenTimetable timetable(129, 1);
    QVERIFY(timetable.opened);
    RichTextBox &box = timetable.box;
    QTextTable *first = timetable.parts.at(0);
    QTextCursor join(box.document());
    join.setPosition(first->lastPosition() + 1);
    {
        const QSignalBlocker dropping(box.textEdit());
        box.textEdit()->setTextCursor(join);
    }
    box.textEdit()->insertPlainText(QStringLiteral("dropped"));
    const QTextBlock dropped = box.document()->findBlock(first->lastPosition() + 1);
    QCOMPARE(dropped.text(), QStringLiteral("dropped"));
    QAbstractTextDocumentLayout *layout = box.document()->documentLayout();
    QTextFrame *second = timetable.parts.at(1);
    QVERIFY(layout->frameBoundingRect(second).top() - layout->frameBoundingRect(first).bottom() >= QFontMetricsF(box.font()).height());
    // A save writes it as a paragraph between two tables.
    const QString saved = timetable.folder.filePath(QStringLiteral("saved.rtf"));
    QVERIFY(box.SaveFile(saved).ok());
    RichTextBox reopened;
    QVERIFY(reopened.LoadFile(saved).ok());
    QVERIFY(DocumentText::plainText(*reopened.document()).endsWith(QStringLiteral("a\ndropped\na\nafter\n")));
}

void tst_RichTextBox::selectionStaysInThePartOfALongTableItStartedIn_data()
{
    QTest::addColumn<int>("fromRow"); // of the whole table, read in parts of 128 rows
    QTest::addColumn<int>("key");     // pressed with Shift; 0: a drag with the mouse
    QTest::addColumn<int>("presses"); // or the row dragged to
    QTest::addColumn<int>("toRow");   // -1: out of the table
    QTest::addColumn<int>("emptied"); // cells that Delete empties then

    QTest::newRow("down within a part") << 125 << int(Qt::Key_Down) << 2 << 127 << 3;
    QTest::newRow("down into the next part") << 126 << int(Qt::Key_Down) << 2 << 127 << 2;
    QTest::newRow("down past two joins") << 100 << int(Qt::Key_Down) << 200 << 127 << 28;
    QTest::newRow("up into the part before") << 129 << int(Qt::Key_Up) << 2 << 128 << 2;
    QTest::newRow("right from a part's last cell") << 127 << int(Qt::Key_Right) << 3 << 127 << 0;
    QTest::newRow("to the end of the text") << 200 << int(Qt::Key_End | Qt::CTRL) << 1 << -1 << -1;
    QTest::newRow("dragged within a part") << 250 << 0 << 253 << 253 << 4;
    QTest::newRow("dragged into the last part") << 254 << 0 << 257 << 255 << 2;
    QTest::newRow("dragged up into the part before") << 129 << 0 << 126 << 128 << 2;
}

void tst_RichTextBox::selectionStaysInThePartOfALongTableItStartedIn()
{
    // Cells selected across where two parts meet would select both parts
    // whole, and Delete would take rows out of view with them.
    QFETCH(int, fromRow);
    QFETCH(int, key);
    QFETCH(int, presses);
    QFETCH(int, toRow);
    QFETCH(int, emptied);
    OpenTimetable timetable(300, 2);
    QVERIFY(timetable.opened);
    RichTextBox &box = timetable.box;
    const QTextCursor start = timetable.cell(fromRow, 1).lastCursorPosition();
    QCOMPARE(timetable.rowOf(start), fromRow);
    box.textEdit()->setTextCursor(start);
    if (key == 0) {
        QTextEdit *edit = box.textEdit();
        const QTextCursor target = timetable.cell(presses, 1).lastCursorPosition();
        QScrollBar *scroll = edit->verticalScrollBar();
        scroll->setValue(scroll->value() + edit->cursorRect(start).top() - edit->viewport()->height() / 2);
        const QPoint from = edit->cursorRect(start).center();
        const QPoint to = edit->cursorRect(target).center();
        QVERIFY(edit->viewport()->rect().contains(from) && edit->viewport()->rect().contains(to));
        QTest::mousePress(edit->viewport(), Qt::LeftButton, {}, from);
        QTest::mouseMove(edit->viewport(), (from + to) / 2);
        QTest::mouseMove(edit->viewport(), to);
        QTest::mouseRelease(edit->viewport(), Qt::LeftButton, {}, to);
    }
    for (int n = 0; key != 0 && n < presses; ++n)
        QTest::keyClick(box.textEdit(), Qt::Key(key & ~Qt::KeyboardModifierMask),
                        Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask) | Qt::ShiftModifier);
    const QTextCursor selected = box.textEdit()->textCursor();
    QCOMPARE(selected.anchor(), start.position());
    QCOMPARE(timetable.rowOf(selected), toRow);

    // Delete empties the selected cells and no more, in one step; the
    // selection kept to the column it went to, the first column is whole.
    const QString before = DocumentText::plainText(*box.document());
    const int texts = before.count(u'b');
    QTest::keyClick(box.textEdit(), Qt::Key_Delete);
    const QString left = DocumentText::plainText(*box.document());
    if (emptied >= 0) {
        QCOMPARE(left.count(u'\n'), 301);
        QCOMPARE(left.count(u'b'), texts - emptied);
        QCOMPARE(left.count(u'a'), before.count(u'a'));
    }
    QTest::keyClick(box.textEdit(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(DocumentText::plainText(*box.document()).count(u'b'), texts);
}

void tst_RichTextBox::loadFileFailureKeepsTheDocument_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("error");

    QTest::newRow("missing") << QStringLiteral("absent.txt") << QString() << qt_error_string(ENOENT);
    QTest::newRow("folder") << QStringLiteral("folder") << QStringLiteral("1") << QStringLiteral("folder");
    QTest::newRow("first type past plain text") << QStringLiteral("absent.txt") << QStringLiteral("2") << QStringLiteral("\"2\"");
}

void tst_RichTextBox::loadFileFailureKeepsTheDocument()
{
    QFETCH(QString, name);
    QFETCH(QString, type);
    QFETCH(QString, error);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));

    RichTextBox box;
    box.setText(QStringLiteral("my chapter"));
    const FileResult result = box.LoadFile(dir.filePath(name), type);
    QVERIFY(!result.ok());
    QVERIFY2(result.error.contains(error, Qt::CaseInsensitive), qPrintable(result.error));
    QCOMPARE(box.Text(), QStringLiteral("my chapter"));
}

void tst_RichTextBox::listLabelsShowAsTheFileNumbersThem_data()
{
    using namespace Qt::StringLiterals;
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("typed"); // after a new paragraph at the end
    QTest::addColumn<QKeySequence>("selecting"); // keys pressed last
    QTest::addColumn<QStringList>("labels");

    const QByteArray lists =
        "{\\colortbl;\\red200\\green0\\blue0;}"
        "{\\*\\listtable{\\list{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}\\listid1}"
        "{\\list{\\listlevel\\levelnfc0\\levelstartat5{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}\\listid2}"
        "{\\list{\\listlevel\\levelnfc2\\levelstartat3{\\leveltext\\'03(\\'00);}{\\levelnumbers\\'02;}}\\listid3}"
        "{\\list{\\listlevel\\levelnfc23{\\leveltext\\'01\\u10148 ?;}}\\listid4}"
        "{\\list{\\listlevel\\levelnfc0\\levelstartat12{\\leveltext\\'05\\u1043 ?\\u1083 ?.\\'00:;}{\\levelnumbers\\'04;}}"
        "\\listid5}{\\list{\\listlevel\\levelnfc0\\levelstartat0{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}\\listid6}"
        "{\\list{\\listlevel\\levelnfc0{\\leveltext\\'02--;}}\\listid7}}"
        "{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}{\\listoverride\\listid2\\ls2}"
        "{\\listoverride\\listid3\\ls3}{\\listoverride\\listid4\\ls4}{\\listoverride\\listid5\\ls5}"
        "{\\listoverride\\listid6\\ls6}{\\listoverride\\listid7\\ls7}}\n";
    // Two items of list \\lsN, each paragraph opened with `pard`.
    const auto twoItems = [&lists](const QByteArray &pard, int list) -> QByteArray {
        const QByteArray ls = "\\ls" + QByteArray::number(list);
        return lists + pard + ls + " one\\par" + pard + ls + " two";
    };
    const QByteArray item = "\\pard\\li720\\fi-360";
    const QByteArray rightToLeft = "\\pard\\rtlpar\\ri720\\fi-360";
    const QStringList fromFive{u"5."_s, u"6."_s};
    QTest::newRow("numbers from 1") << twoItems(item, 1) << QString() << QKeySequence() << QStringList{u"1."_s, u"2."_s};
    QTest::newRow("numbers from 5") << twoItems(item, 2) << QString() << QKeySequence() << fromFive;
    QTest::newRow("numbers from 1, right to left") << twoItems(rightToLeft, 1) << QString() << QKeySequence()
                                                   << QStringList{u"1."_s, u"2."_s};
    QTest::newRow("numbers from 5, right to left") << twoItems(rightToLeft, 2) << QString() << QKeySequence() << fromFive;
    QTest::newRow("numbers from 5, in colour") << twoItems(item + "\\cf1", 2) << QString() << QKeySequence() << fromFive;
    QTest::newRow("numbers from 0") << twoItems(item, 6) << QString() << QKeySequence() << QStringList{u"0."_s, u"1."_s};
    QTest::newRow("numbers from 5, selected") << twoItems(item, 2) << QString() << QKeySequence(Qt::CTRL | Qt::Key_A) << fromFive;
    QTest::newRow("numbers from 5, the first item selected with its break")
        << twoItems(item, 2) << QString() << QKeySequence(Qt::CTRL | Qt::Key_Home, Qt::SHIFT | Qt::Key_Down) << fromFive;
    QTest::newRow("an item added at the end") << twoItems(item, 2) << QStringLiteral("three") << QKeySequence()
                                              << fromFive + QStringList{u"7."_s};
    QTest::newRow("roman from 3 in a table's cell")
        << lists + "\\trowd\\cellx3000\\cellx6000\\pard\\intbl\\li720\\fi-360\\ls3 one\\cell\\pard\\intbl\\li720\\fi-360\\ls3 two\\cell\\row\\pard end"
        << QString() << QKeySequence() << QStringList{u"(iii)"_s, u"(iv)"_s};
    QTest::newRow("beside a cell that runs below the view")
        << lists + "\\trowd\\cellx3000\\cellx6000\\pard\\intbl\\par" + QByteArray("\\pard\\intbl filler\\par\n").repeated(60)
               + "\\cell\\pard\\intbl\\li720\\fi-360\\ls3 one\\cell\\row\\pard end"
        << QString() << QKeySequence(Qt::CTRL | Qt::Key_Home) << QStringList{u"(iii)"_s};
    QTest::newRow("a bullet of the file's own") << twoItems(item, 4) << QString() << QKeySequence()
                                                << QStringList{u"\u27A4"_s, u"\u27A4"_s};
    QTest::newRow("a label without a number") << twoItems(item, 7) << QString() << QKeySequence()
                                              << QStringList{u"--"_s, u"--"_s};
    QTest::newRow("in Cyrillic, below the first screen")
        << lists + QByteArray("\\pard filler\\par\n").repeated(100) + item + "\\ls5 one\\par" + item + "\\ls5 two"
        << QString() << QKeySequence() << QStringList{u"\u0413\u043B.12:"_s, u"\u0413\u043B.13:"_s};
}

void tst_RichTextBox::listLabelsShowAsTheFileNumbersThem()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, typed);
    QFETCH(QKeySequence, selecting);
    QFETCH(QStringList, labels);
    using namespace Qt::StringLiterals;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("list.rtf"));
    writeFile(path, "{\\rtf1\\ansi\\uc1{\\fonttbl{\\f0 Times;}}" + body + '}');
    RichTextBox box;
    box.resize(600, 400);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QVERIFY(box.LoadFile(path).ok());
    QTextEdit &edit = *box.textEdit();
    edit.setFocus();
    QTest::keyClick(&edit, Qt::Key_End, Qt::ControlModifier);
    if (!typed.isEmpty()) {
        QTest::keyClick(&edit, Qt::Key_Return);
        QTest::keyClicks(&edit, typed);
    }
    for (int i = 0; i < selecting.count(); ++i)
        QTest::keyClick(&edit, selecting[i].key(), selecting[i].keyboardModifiers());

    TextRecorder recorder(edit.viewport()->size());
    edit.viewport()->render(&recorder);
    // Each label once, between its item's text and any text before it on
    // its baseline, on the side its paragraph starts, clear of its item's
    // text, in the colour of its text, selected or not.
    const QStringList items = QStringList{u"one"_s, u"two"_s, u"three"_s}.mid(0, labels.size());
    QStringList shown;
    for (const QString &text : items) {
        const auto item = std::find_if(recorder.items.begin(), recorder.items.end(),
                                       [&text](const TextRecorder::Item &i) { return i.text == text; });
        QVERIFY2(item != recorder.items.end(), qPrintable(text));
        const bool rightToLeft = box.document()->find(text).block().textDirection() == Qt::RightToLeft;
        const auto nearer = [&](const TextRecorder::Item &a, const TextRecorder::Item &b) {
            return rightToLeft ? a.at.x() < b.at.x() : a.at.x() > b.at.x();
        };
        QList<TextRecorder::Item> before;
        for (const TextRecorder::Item &other : std::as_const(recorder.items))
            if (qAbs(other.at.y() - item->at.y()) < 1 && nearer(*item, other))
                before.append(other);
        std::sort(before.begin(), before.end(), nearer);
        // A label of mixed directions comes in runs; read from left to right.
        QList<TextRecorder::Item> runs;
        for (auto label = before.begin(); label != before.end() && !items.contains(label->text); ++label) {
            QVERIFY(rightToLeft ? label->at.x() >= item->at.x() + item->width
                                : label->at.x() + label->width <= item->at.x());
            QCOMPARE(label->colour, item->colour);
            runs.append(*label);
        }
        std::sort(runs.begin(), runs.end(), [](const auto &a, const auto &b) { return a.at.x() < b.at.x(); });
        QString label;
        for (const TextRecorder::Item &run : std::as_const(runs))
            label += run.text;
        if (!label.isEmpty())
            shown.append(label);
    }
    QCOMPARE(shown, labels);
}

QTEST_MAIN(tst_RichTextBox)
#include "tst_richtextbox.moc"
