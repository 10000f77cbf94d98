#include "formats/documentproperties.h"
#include "formats/documenttext.h"
#include "formats/rtfreader.h"
#include "formats/rtfwriter.h"

#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>

// What a document holds survives a read, a save and a second read.
class tst_RtfKeeping : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keptThroughASave_data();
    void keptThroughASave();
    void keptPartsKeepTheirFontsAndColours_data();
    void keptPartsKeepTheirFontsAndColours();
    void lists_data();
    void lists();
    void tables_data();
    void tables();
    void cellsOfNoWidthTakeTheNextColumn_data();
    void cellsOfNoWidthTakeTheNextColumn();
    void rowsThatDisagreeEndTheirCellsAtKnownEdgesPastAPoint_data();
    void rowsThatDisagreeEndTheirCellsAtKnownEdgesPastAPoint();
    void longTablesAreReadInPartsAndSavedAsOne_data();
    void longTablesAreReadInPartsAndSavedAsOne();
    void tablesOfNoSetWidthShareTheirPlace_data();
    void tablesOfNoSetWidthShareTheirPlace();
    void fontsTheSystemLacksKeepTheirNames_data();
    void fontsTheSystemLacksKeepTheirNames();
};

namespace {

QString fontNameAt(const QTextDocument &document, int position)
{
    QTextCursor cursor(const_cast<QTextDocument *>(&document));
    cursor.setPosition(position + 1);
    return cursor.charFormat().stringProperty(DocumentProperty::FontName);
}

// The texts that the document's notes show, each after a "|".
QString notesOf(const QTextDocument &document)
{
    QString notes;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().hasProperty(DocumentProperty::NoteText))
                notes += u'|' + it.fragment().charFormat().toolTip();
    return notes;
}

QString textOf(const QTextDocument &document)
{
    return document.toRawText().replace(QChar::ParagraphSeparator, u'\n');
}

// The characters whose format carries the property, in order.
QString charactersWith(const QTextDocument &document, int property)
{
    QString found;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().hasProperty(property))
                found += it.fragment().text();
    return found;
}

} // namespace

void tst_RtfKeeping::keptThroughASave_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("hidden");
    QTest::addColumn<QByteArrayList>("saved"); // what the saved RTF holds
    QTest::addColumn<QString>("notes");        // the notes' texts, each after a "|"
    QTest::addColumn<bool>("dropped");         // the reader names something a save loses

    const QByteArray head = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Times;}}{\\colortbl;\\red200\\green0\\blue0;}";
    QTest::newRow("hidden text") << head + "a{\\v secret}b}" << QStringLiteral("asecretb") << QStringLiteral("secret")
                                 << QByteArrayList{"\\v secret\\v0"} << QString() << false;
    QTest::newRow("hidden text switched off") << head + "\\v a\\v0 b}" << QStringLiteral("ab") << QStringLiteral("a")
                                              << QByteArrayList{"\\v a\\v0"} << QString() << false;
    QTest::newRow("hidden text keeps its colour") << head + "\\cf1\\v red\\v0 shown}" << QStringLiteral("redshown")
                                                  << QStringLiteral("red") << QByteArrayList{"\\red200\\green0\\blue0;", "\\v\\cf1 red\\v0 shown"}
                                                  << QString() << false;
    QTest::newRow("hidden outside Latin-1") << head + "{\\v \\u1071?\\u1079?}}" << QStringLiteral("Яз") << QStringLiteral("Яз")
                                            << QByteArrayList{"\\v \\u1071?\\u1079?\\par"} << QString() << false;
    QTest::newRow("last colour without its semicolon")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}}{\\colortbl;\\red0\\green128\\blue0}\\cf1 a}")
        << QStringLiteral("a") << QString() << QByteArrayList{"\\red0\\green128\\blue0;", "\\cf1 a"} << QString() << false;
    QTest::newRow("a colour without its red")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}}{\\colortbl;\\green128\\blue0;}\\cf1 a}")
        << QStringLiteral("a") << QString() << QByteArrayList{"\\red0\\green128\\blue0;", "\\cf1 a"} << QString()
        << false;
    // Font names: in the font's code page, or as \\uN with a fallback.
    QTest::newRow("font name in its code page")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 \\'cf\\'e5\\'f0\\'ee;}}\\f0 x}") << QStringLiteral("x")
        << QString() << QByteArrayList{"\\u1055?\\u1077?\\u1088?\\u1086?;"} << QString() << false;
    QTest::newRow("font name in the document's code page")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 \\'cf\\'e5\\'f0\\'ee;}}\\f0 x}") << QStringLiteral("x")
        << QString() << QByteArrayList{"\\u1055?\\u1077?\\u1088?\\u1086?;"} << QString() << false;
    QTest::newRow("font name as unicode") << QByteArray("{\\rtf1\\ansi\\uc1{\\fonttbl{\\f0 \\u26126?\\u26397?;}}\\f0 x}")
                                          << QStringLiteral("x") << QString() << QByteArrayList{"\\u26126?\\u26397?;"} << QString() << false;
    QTest::newRow("font name mixing both") << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Caf\\'e9 \\uc2\\u9731??;}}\\f0 x}")
                                           << QStringLiteral("x") << QString() << QByteArrayList{"Caf\\u233\\'e9 \\u9731?;"} << QString()
                                           << false;
    QTest::newRow("font name between spaces") << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0  Garamond ;}}\\f0 x}")
                                              << QStringLiteral("x") << QString() << QByteArrayList{" Garamond;"} << QString() << false;
    // The document's information, headers and footers, as they came.
    QTest::newRow("information") << head + "{\\info{\\title Ein R\\'e4tsel}{\\author Ann}{\\creatim\\yr2024\\mo3\\dy1}}a}"
                                 << QStringLiteral("a") << QString()
                                 << QByteArrayList{"}\n{\\info{\\title Ein R\\'e4tsel}{\\author Ann}{\\creatim\\yr2024\\mo3\\dy1}}\n"}
                                 << QString() << false;
    const QByteArray headersAndFooters = "{\\header\\pard H\\par}{\\headerl L}{\\headerr R}{\\*\\headerf G}"
                                         "{\\footer f}{\\footerl\\pard\\qc F\\par}{\\footerr r}{\\footerf g}";
    QTest::newRow("headers and footers") << head + headersAndFooters + "a}" << QStringLiteral("a") << QString()
                                         << QByteArrayList{headersAndFooters + "\n\\pard"} << QString() << false;
    // Footnotes and endnotes: the number stands in the text, the note travels with it.
    QTest::newRow("footnote") << head + "a{\\super\\chftn}{\\footnote\\pard\\plain{\\super\\chftn} Note \\u1071?.}b}"
                              << QStringLiteral("a1b") << QString()
                              << QByteArrayList{"a{\\super \\chftn }{\\footnote\\pard\\plain{\\super\\chftn} Note \\u1071?.}b"}
                              << QStringLiteral("|Note Я.") << false;
    // A note's letters in a code page other than the saved file's, or in a
    // symbol font, are saved as what they show; a \\u's fallback stays.
    const auto cyrillic = [](const QByteArray &body) -> QByteArray {
        return "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Times;}}a{\\super\\chftn}{\\footnote\\pard " + body + "}b}";
    };
    QTest::newRow("footnote with a fallback")
        << cyrillic("\\u1071\\'df\\'cf{\\uc2\\u1071\\'df\\'df\\'cf}") << QStringLiteral("a1b") << QString()
        << QByteArrayList{"\\u1071\\'df\\u1055?{\\uc2\\u1071\\'df\\'df\\u1055??}"} << QStringLiteral("|ЯПЯП") << false;
    QTest::newRow("footnote with braces written as bytes")
        << cyrillic("\\'cf\\'7b\\'7d") << QStringLiteral("a1b") << QString() << QByteArrayList{"\\u1055?\\{\\}}"}
        << QStringLiteral("|П{}") << false;
    QTest::newRow("footnote without fallbacks")
        << cyrillic("\\uc0\\u1071\\'cf1") << QStringLiteral("a1b") << QString()
        << QByteArrayList{"\\uc0\\u1071\\u1055 1}"} << QStringLiteral("|ЯП1") << false;
    QTest::newRow("footnote in a symbol font")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}{\\f2\\fcharset2 Symbol;}}"
                      "a{\\super\\chftn}{\\footnote\\pard\\f2 a\\'b7{\\plain b}}b}")
        << QStringLiteral("a1b") << QString() << QByteArrayList{"\\u945?\\u8226?{\\plain b}"} << QStringLiteral("|α•b")
        << false;
    QTest::newRow("footnote in Shift-JIS")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}{\\f1\\fcharset128 MS Mincho;}}"
                      "\\f1 a{\\super\\chftn}{\\footnote\\pard \\'82\\'a0\\{\\'93\\'fa}b}")
        << QStringLiteral("a1b") << QString() << QByteArrayList{"\\u12354?\\{\\u26085?}"} << QStringLiteral("|あ{日")
        << false;
    // \uN takes a signed 16-bit number, which other readers hold to.
    QTest::newRow("either side of the sign bit, in GBK")
        << QByteArray("{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0 SimSun;}}"
                      "\\'d2\\'ab{\\super\\chftn}{\\footnote\\pard \\'c2\\'52\\'d2\\'ab}\\'c2\\'52}")
        << QStringLiteral("\u8000" "1\u7fff") << QString()
        << QByteArrayList{"\\u-32768?{", "{\\footnote\\pard \\u32767?\\u-32768?}", "\\u32767?\\par"}
        << QStringLiteral("|\u7fff\u8000") << false;
    QTest::newRow("header in a font of another character set")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}{\\f1\\fcharset204 Times Cyr;}}"
                      "{\\header\\pard\\f1 \\'cf\\'e0 caf\\'e9\\par}a}")
        << QStringLiteral("a") << QString() << QByteArrayList{"\\u1055?\\u1072? caf\\u1081?\\par}"} << QString()
        << false;
    QTest::newRow("a comment in a footnote")
        << head + "a{\\super\\chftn}{\\footnote\\pard x\\chatn{\\*\\annotation y} z}b}" << QStringLiteral("a1b")
        << QString() << QByteArrayList{} << QStringLiteral("|x z") << false;
    // Every numbering the file can set, for each kind of note; the writer keeps it.
    const auto notesNumbered = [&](const QByteArray &words) -> QByteArray {
        return head + words + " a{\\super\\chftn}{\\footnote\\ftnalt\\pard x}b{\\super\\chftn}{\\footnote\\ftnalt\\pard y}"
            + "c{\\super\\chftn}{\\footnote\\pard z}d{\\super\\chftn}{\\footnote\\pard w}}";
    };
    QTest::newRow("endnotes in lower roman") << notesNumbered("\\aftnnrlc") << QStringLiteral("aibiic1d2") << QString()
                                             << QByteArrayList{"\\aftnnrlc"} << QStringLiteral("|x|y|z|w") << false;
    QTest::newRow("endnotes in upper roman") << notesNumbered("\\aftnnruc") << QStringLiteral("aIbIIc1d2") << QString()
                                             << QByteArrayList{"\\aftnnruc"} << QStringLiteral("|x|y|z|w") << false;
    QTest::newRow("footnotes in lower letters") << notesNumbered("\\ftnnalc") << QStringLiteral("a1b2cadb") << QString()
                                                << QByteArrayList{"\\ftnnalc"} << QStringLiteral("|x|y|z|w") << false;
    QTest::newRow("footnotes in capitals, endnotes in Arabic") << notesNumbered("\\ftnnauc\\aftnnar")
                                                               << QStringLiteral("a1b2cAdB") << QString()
                                                               << QByteArrayList{"\\ftnnauc"} << QStringLiteral("|x|y|z|w")
                                                               << false;
    // A numbering is the whole document's: given after text it still counts,
    // but once a note has its number, it comes too late for every note.
    QTest::newRow("footnote numbering after text") << head + "a\\ftnnalc b{\\super\\chftn}{\\footnote\\pard x}}"
                                                   << QStringLiteral("aba") << QString() << QByteArrayList{"\\ftnnalc"}
                                                   << QStringLiteral("|x") << false;
    QTest::newRow("footnote numbering after a note")
        << head + "a{\\super\\chftn}{\\footnote\\pard x}\\ftnnalc b{\\super\\chftn}{\\footnote\\pard y}}"
        << QStringLiteral("a1b2") << QString() << QByteArrayList{} << QStringLiteral("|x|y") << false;
    QTest::newRow("endnote numbering after an endnote")
        << head + "a{\\super\\chftn}{\\footnote\\ftnalt\\pard x}\\aftnnrlc b{\\super\\chftn}{\\footnote\\ftnalt\\pard y}}"
        << QStringLiteral("a1b2") << QString() << QByteArrayList{} << QStringLiteral("|x|y") << false;
    QTest::newRow("footnotes count") << head + "{\\super\\chftn}{\\*\\footnote x}a{\\super\\chftn}{\\footnote\\ftnalt y}}"
                                     << QStringLiteral("1a1") << QString()
                                     << QByteArrayList{"{\\*\\footnote x}", "{\\footnote\\ftnalt y}"} << QStringLiteral("|x|y")
                                     << false;
    // A note or header that other markup comes before cannot be kept whole.
    QTest::newRow("footnote after other markup") << head + "a{\\super\\chftn}{\\b\\footnote x}b}" << QStringLiteral("a1b")
                                                 << QString() << QByteArrayList{"a{\\super \\chftn }b"} << QString() << true;
    QTest::newRow("header after text") << head + "{x\\header H}a}" << QStringLiteral("xa") << QString()
                                       << QByteArrayList{"xa\\par"} << QString() << true;
    QTest::newRow("comment after other markup") << head + "a{\\b\\annotation Remark}b}" << QStringLiteral("ab")
                                                << QString() << QByteArrayList{"ab\\par"} << QString() << true;
    // A raw second byte "}" would end the header for a reader of the saved
    // file, which declares no double-byte code page.
    QTest::newRow("header with a double-byte brace")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}{\\f1\\fcharset128 MS Mincho;}}\\f1 {\\header \x81\x7d}a}")
        << QStringLiteral("a") << QString() << QByteArrayList{"a\\par"} << QString() << true;
    QTest::newRow("number without a note") << head + "a{\\super\\chftn}b}" << QStringLiteral("a1b") << QString()
                                           << QByteArrayList{"a{\\super \\chftn }b"} << QString() << false;
    // The plain-text label of an older numbered paragraph goes, and a
    // number in it is no note's.
    QTest::newRow("a number in an older label")
        << head + "{\\pntext 1.\\chftn\\tab}{\\*\\pn\\pnlvlbody\\pndec{\\pntxta.}}a{\\super\\chftn}{\\footnote\\pard x}b\\par}"
        << QStringLiteral("a1b") << QString() << QByteArrayList{"a{\\super \\chftn }{\\footnote\\pard x}b"}
        << QStringLiteral("|x") << false;
    // Comments stay where they were, unseen.
    QTest::newRow("comment")
        << head + "a{\\*\\atnid AW}{\\*\\atnauthor Ann}\\chatn{\\*\\annotation{\\*\\atndate 1}\\pard Remark}b}"
        << QStringLiteral("a\uFFFC\uFFFC\uFFFC\uFFFCb") << QString()
        << QByteArrayList{"a{\\*\\atnid AW}{\\*\\atnauthor Ann}\\chatn {\\*\\annotation{\\*\\atndate 1}\\pard Remark}b"}
        << QString() << false;
    // Text boxes: their text in paragraphs of its own, the box announced.
    QTest::newRow("shape text")
        << head + "a{\\shp{\\*\\shpinst{\\sp{\\sn t}{\\sv 1}}{\\shptxt\\pard Box\\par}}{\\shprslt{\\*\\do{\\dptxbxtext\\pard Box\\par}}}}b}"
        << QStringLiteral("a\nBox\nb") << QString() << QByteArrayList{"a\\par", "Box\\par", "b\\par"} << QString() << true;
    QTest::newRow("shape text after a note's number")
        << head + "a{\\super\\chftn}{\\shp{\\*\\shpinst{\\shptxt\\pard Box\\par}}}b}" << QStringLiteral("a1\nBox\nb")
        << QString() << QByteArrayList{"\\chftn }\\par", "Box\\par"} << QString() << true;
    QTest::newRow("old text box") << head + "a{\\*\\do\\dobxcolumn\\dptxbx{\\dptxbxtext\\pard Old \\'e9\\par}}b}"
                                  << QStringLiteral("a\nOld é\nb") << QString() << QByteArrayList{"Old \\u233\\'e9\\par"}
                                  << QString() << true;
    QTest::newRow("object shows its result") << head + "{\\object\\objemb{\\*\\objdata 01}{\\result shown}}}"
                                             << QStringLiteral("shown") << QString() << QByteArrayList{"shown"} << QString()
                                             << true;
    // A SYMBOL field whose writer left its result empty shows its character.
    QTest::newRow("symbol field") << head + "a{\\field{\\*\\fldinst SYMBOL 183 \\\\f \"Symbol\" \\\\s 12}{\\fldrslt }}b}"
                                  << QStringLiteral("a\u2022b") << QString() << QByteArrayList{"a\\bullet b"} << QString() << false;
    QTest::newRow("symbol field with a result") << head + "a{\\field{\\*\\fldinst SYMBOL 183 \\\\f \"Symbol\"}{\\fldrslt x}}b}"
                                                << QStringLiteral("axb") << QString() << QByteArrayList{"axb"} << QString() << false;
    QTest::newRow("symbol field in hexadecimal") << head + "{\\field{\\*\\fldinst SYMBOL 0x41}}}" << QStringLiteral("A")
                                                 << QString() << QByteArrayList{"A\\par"} << QString() << false;
    QTest::newRow("symbol field in unicode") << head + "{\\field{\\*\\fldinst SYMBOL 1071 \\\\u}}}" << QStringLiteral("Я")
                                             << QString() << QByteArrayList{"\\u1071?"} << QString() << false;
    QTest::newRow("symbol field past the last unit") << head + "a{\\field{\\*\\fldinst SYMBOL 65536 \\\\u}}}"
                                                     << QStringLiteral("a") << QString() << QByteArrayList{"a\\par"} << QString() << false;
    QTest::newRow("index entry") << head + "a{\\xe entry}}" << QStringLiteral("a") << QString() << QByteArrayList{"a\\par"}
                                 << QString() << true;
}

void tst_RtfKeeping::keptThroughASave()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QTextDocument document;
    QTEST(!RtfReader::read(rtf, document).dropped.isEmpty(), "dropped");
    QCOMPARE(textOf(document), text);
    // What is kept as markup has no place in the plain text.
    QVERIFY(!DocumentText::plainText(document).contains(QChar::ObjectReplacementCharacter));
    QTEST(charactersWith(document, DocumentProperty::Hidden), "hidden");
    QTEST(notesOf(document), "notes");
    for (const QChar c : charactersWith(document, DocumentProperty::Hidden)) {
        QTextCursor cursor(&document);
        cursor.setPosition(int(textOf(document).indexOf(c)) + 1);
        QCOMPARE(cursor.charFormat().foreground().color().rgba(), DocumentProperty::HiddenTextColor);
    }

    const QByteArray file = RtfWriter::write(document);
    QFETCH(QByteArrayList, saved);
    for (const QByteArray &part : std::as_const(saved))
        QVERIFY2(file.contains(part), file.constData());
    if (!rtf.contains("\\info"))
        QVERIFY(!file.contains("\\info"));
    if (!rtf.contains("\\header") && !rtf.contains("\\footer"))
        QVERIFY(!file.contains("\\header") && !file.contains("\\footer"));
    QTextDocument reloaded;
    RtfReader::read(file, reloaded);
    QCOMPARE(textOf(reloaded), text);
    QTEST(charactersWith(reloaded, DocumentProperty::Hidden), "hidden");
    QTEST(notesOf(reloaded), "notes");
    QCOMPARE(RtfWriter::write(reloaded), file);
}

void tst_RtfKeeping::keptPartsKeepTheirFontsAndColours_data()
{
    QTest::addColumn<QByteArray>("word"); // each word that names a colour
    for (const char *word : {"cf", "cb", "highlight", "chcbpat", "chcfpat"})
        QTest::newRow(word) << QByteArray(word);
}

void tst_RtfKeeping::keptPartsKeepTheirFontsAndColours()
{
    // The saved file numbers its fonts and colours anew; the kept parts
    // name the same ones through the new numbers, and a colour past the
    // table as the automatic one.
    QFETCH(QByteArray, word);
    const QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times;}{\\f7 Quillmere Head;}{\\f9 Quillmere Note;}}"
                           "{\\colortbl;\\red1\\green2\\blue3;\\red200\\green100\\blue50;}"
                           "{\\header\\pard\\f7\\" + word + "2 Head\\par}\\f0 a{\\super\\chftn}{\\footnote\\pard\\f9\\"
        + word + "1 Note\\" + word + "3 past}}";
    QTextDocument document;
    RtfReader::read(rtf, document);
    const QByteArray file = RtfWriter::write(document);
    QTextDocument reloaded;
    RtfReader::read(file, reloaded);
    const auto fonts = reloaded.property(DocumentProperty::SourceFonts).value<QHash<int, QString>>();
    const auto colors = reloaded.property(DocumentProperty::SourceColors).value<QHash<int, QColor>>();
    const auto number = [&](const QString &pattern) {
        const QRegularExpressionMatch match = QRegularExpression(pattern).match(QString::fromLatin1(file));
        return match.hasMatch() ? match.captured(1).toInt() : -1;
    };
    const QString colour = QRegularExpression::escape(QString::fromLatin1(word));
    QCOMPARE(fonts.value(number(uR"(\\header\\pard\\f(\d+))"_qs)), QStringLiteral("Quillmere Head"));
    QCOMPARE(colors.value(number(uR"(\\%1(\d+) Head)"_qs.arg(colour))), QColor(200, 100, 50));
    QCOMPARE(fonts.value(number(uR"(\\footnote\\pard\\f(\d+))"_qs)), QStringLiteral("Quillmere Note"));
    QCOMPARE(colors.value(number(uR"(\\%1(\d+) Note)"_qs.arg(colour))), QColor(1, 2, 3));
    QCOMPARE(number(uR"(\\%1(\d+) past)"_qs.arg(colour)), 0);
    QCOMPARE(RtfWriter::write(reloaded), file);
}

namespace {

QTextTable *firstTable(const QTextDocument &document)
{
    for (auto it = document.rootFrame()->begin(); !it.atEnd(); ++it)
        if (auto *table = qobject_cast<QTextTable *>(it.currentFrame()))
            return table;
    return nullptr;
}

// Rows x columns, the column widths in twips, each merged cell as
// row,column+rows x columns, and the tables in its cells.
QString shapeOf(const QTextTable &table)
{
    QString shape = QStringLiteral("%1x%2").arg(table.rows()).arg(table.columns());
    for (const QTextLength &width : table.format().columnWidthConstraints())
        shape += u' ' + (width.type() == QTextLength::FixedLength ? QString::number(qRound(width.rawValue() * 15)) : u"*"_qs);
    for (int r = 0; r < table.rows(); ++r)
        for (int c = 0; c < table.columns(); ++c) {
            const QTextTableCell cell = table.cellAt(r, c);
            if (cell.row() == r && cell.column() == c && (cell.rowSpan() > 1 || cell.columnSpan() > 1))
                shape += QStringLiteral(" %1,%2+%3x%4").arg(r).arg(c).arg(cell.rowSpan()).arg(cell.columnSpan());
        }
    // Then each table in a cell as [row,column: its shape].
    for (int r = 0; r < table.rows(); ++r)
        for (int c = 0; c < table.columns(); ++c) {
            const QTextTableCell cell = table.cellAt(r, c);
            if (cell.row() != r || cell.column() != c)
                continue;
            for (auto it = cell.begin(); !it.atEnd(); ++it)
                if (const auto *inner = qobject_cast<const QTextTable *>(it.currentFrame()))
                    shape += QStringLiteral(" [%1,%2: %3]").arg(r).arg(c).arg(shapeOf(*inner));
        }
    return shape;
}

// The file without the group that opens with `opening`.
QByteArray withoutGroup(QByteArray file, const QByteArray &opening)
{
    const qsizetype start = file.indexOf(opening);
    int depth = 0;
    for (qsizetype i = start; start >= 0 && i < file.size(); ++i) {
        if (file.at(i) == '\\')
            ++i;
        else if (file.at(i) == '{')
            ++depth;
        else if (file.at(i) == '}' && --depth == 0)
            return file.remove(start, i + 1 - start);
    }
    return file;
}

} // namespace

void tst_RtfKeeping::lists_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("text"); // each item after its label and a tab

    // A list table: \\ls1 bullets, \\ls2 "1." with "a)" below it, \\ls3
    // "(i)"; and, as Qt numbers every list from 1, lists of their own
    // start: \\ls8 "5." with "z)" below it, \\ls9 from 0, \\ls10 "(iii)",
    // \\ls11 a label in Cyrillic from 12, \\ls12 roman from 3888, \\ls13
    // ordinals, which show as plain numbers. A start holds on screen (see
    // tst_RichTextBox), in plain text and in the saved labels.
    const QByteArray lists =
        "{\\*\\listtable"
        "{\\list{\\listlevel\\levelnfc23{\\leveltext\\'01\\u8226 ?;}{\\levelnumbers;}}\\listid10}"
        "{\\list{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}"
        "{\\listlevel\\levelnfc4{\\leveltext\\'02\\'01);}{\\levelnumbers\\'01;}}\\listid20}"
        "{\\list{\\listlevel\\levelnfc2{\\leveltext\\'03(\\'00);}{\\levelnumbers\\'02;}}"
        "{\\listlevel\\levelnfc255{\\leveltext\\'00;}}\\listid30}"
        "{\\list{\\listlevel\\levelnfc0\\levelstartat5{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}"
        "{\\listlevel\\levelnfc4\\levelstartat26{\\leveltext\\'02\\'01);}{\\levelnumbers\\'01;}}\\listid70}"
        "{\\list{\\listlevel\\levelnfc0\\levelstartat0{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}\\listid80}"
        "{\\list{\\listlevel\\levelnfc2\\levelstartat3{\\leveltext\\'03(\\'00);}{\\levelnumbers\\'02;}}\\listid90}"
        "{\\list{\\listlevel\\levelnfc0\\levelstartat12{\\leveltext\\'05\\u1043 ?\\u1083 ?.\\'00:;}{\\levelnumbers\\'04;}}"
        "\\listid100}"
        "{\\list{\\listlevel\\levelnfc2\\levelstartat3888{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}\\listid110}"
        "{\\list{\\listlevel\\levelnfc5{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}\\listid120}}"
        "{\\*\\listoverridetable{\\listoverride\\listid10\\ls1}{\\listoverride\\listid20\\ls2}"
        "{\\listoverride\\listid30\\ls3}{\\listoverride\\listid70\\ls8}{\\listoverride\\listid80\\ls9}"
        "{\\listoverride\\listid90\\ls10}{\\listoverride\\listid100\\ls11}"
        "{\\listoverride\\listid110\\ls12}{\\listoverride\\listid120\\ls13}}\n";
    QTest::newRow("bullets") << lists + "\\pard\\ls1 First\\par\\pard\\ls1 Second\\par"
                             << QStringLiteral("\u2022\tFirst\n\u2022\tSecond\n");
    QTest::newRow("numbers") << lists + "\\pard\\ls2 One\\par\\pard\\ls2 Two\\par"
                             << QStringLiteral("1.\tOne\n2.\tTwo\n");
    QTest::newRow("a stale plain-text label") << lists + "{\\listtext 7.\\tab}\\pard\\ls2 One\\par"
                                              << QStringLiteral("1.\tOne\n");
    QTest::newRow("roman in brackets") << lists + "\\pard\\ls3 a\\par\\pard\\ls3 b\\par\\pard\\ls3 c\\par\\pard\\ls3 d\\par"
                                       << QStringLiteral("(i)\ta\n(ii)\tb\n(iii)\tc\n(iv)\td\n");
    QTest::newRow("second level") << lists + "\\pard\\ls2 x\\par\\pard\\ls2\\ilvl1 y\\par\\pard\\ls2\\ilvl1 y2\\par\\pard\\ls2 z\\par"
                                  << QStringLiteral("1.\tx\na)\ty\nb)\ty2\n2.\tz\n");
    QTest::newRow("a line break in an item") << lists + "\\pard\\ls2 One\\line two\\par"
                                             << QStringLiteral("1.\tOne\ntwo\n");
    QTest::newRow("a level without numbers") << lists + "\\pard\\ls3\\ilvl1 plain\\par" << QStringLiteral("plain\n");
    QTest::newRow("numbers from a start") << lists + "\\pard\\ls8 One\\par\\pard\\ls8 Two\\par"
                                          << QStringLiteral("5.\tOne\n6.\tTwo\n");
    QTest::newRow("letters from z") << lists + "\\pard\\ls8 x\\par\\pard\\ls8\\ilvl1 y\\par\\pard\\ls8\\ilvl1 y2\\par"
                                    << QStringLiteral("5.\tx\nz)\ty\naa)\ty2\n");
    QTest::newRow("numbers from nought") << lists + "\\pard\\ls9 a\\par\\pard\\ls9 b\\par"
                                         << QStringLiteral("0.\ta\n1.\tb\n");
    QTest::newRow("roman from three") << lists + "\\pard\\ls10 a\\par\\pard\\ls10 b\\par"
                                      << QStringLiteral("(iii)\ta\n(iv)\tb\n");
    QTest::newRow("a label in Cyrillic from a start") << lists + "\\pard\\ls11 a\\par\\pard\\ls11 b\\par"
                                                      << QStringLiteral("Гл.12:\ta\nГл.13:\tb\n");
    QTest::newRow("long roman numbers") << lists + "\\pard\\ls12 a\\par\\pard\\ls12 b\\par"
                                        << QStringLiteral("mmmdccclxxxviii.\ta\nmmmdccclxxxix.\tb\n");
    QTest::newRow("ordinals shown as numbers") << lists + "\\pard\\ls13 a\\par" << QStringLiteral("1.\ta\n");
    QTest::newRow("items in a cell, its last one too")
        << lists + "\\trowd\\cellx3000\\pard\\intbl\\ls2 a\\par\\pard\\intbl\\ls2 b\\cell\\row\\pard\\ls2 c\\par"
        << QStringLiteral("1.\ta 2.\tb\n3.\tc\n");
    QTest::newRow("numbering goes on past other paragraphs")
        << lists + "\\pard\\ls2 a\\par\\pard between\\par\\pard\\ls2 b\\par" << QStringLiteral("1.\ta\nbetween\n2.\tb\n");
    // Levels below an item number afresh, and show the numbers above them
    // where the level text has them.
    const QByteArray outline =
        "{\\*\\listtable{\\list{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}"
        "{\\listlevel\\levelnfc0{\\leveltext\\'04\\'00.\\'01.;}{\\levelnumbers\\'01\\'03;}}"
        "{\\listlevel\\levelnfc2{\\leveltext\\'06\\'00.\\'01.\\'02);}{\\levelnumbers\\'01\\'03\\'05;}}\\listid40}"
        "{\\list{\\listlevel\\levelnfc3{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}"
        "{\\listlevel\\levelnfc0{\\leveltext\\'03\\'00-\\'01;}{\\levelnumbers\\'01\\'03;}}\\listid50}"
        "{\\list{\\listlevel\\levelnfc0{\\leveltext\\'02--;}}{\\listlevel\\levelnfc2{\\leveltext\\'02\\'00.;}}\\listid51}}"
        "{\\*\\listoverridetable{\\listoverride\\listid40\\ls4}{\\listoverride\\listid40\\ls5}"
        "{\\listoverride\\listid50\\ls6}{\\listoverride\\listid51\\ls15}}\n";
    QTest::newRow("a second level numbers afresh")
        << lists + "\\pard\\ls2 x\\par\\pard\\ls2\\ilvl1 y\\par\\pard\\ls2 z\\par\\pard\\ls2\\ilvl1 w\\par"
        << QStringLiteral("1.\tx\na)\ty\n2.\tz\na)\tw\n");
    QTest::newRow("the numbers of the levels above")
        << outline + "\\pard\\ls4 a\\par\\pard\\ls4\\ilvl1 b\\par\\pard\\ls4\\ilvl1 c\\par\\pard\\ls4 d\\par"
                     "\\pard\\ls4\\ilvl1 e\\par\\pard\\ls4\\ilvl2 f\\par\\pard\\ls4\\ilvl2 g\\par"
        << QStringLiteral("1.\ta\n1.1.\tb\n1.2.\tc\n2.\td\n2.1.\te\n2.1.i)\tf\n2.1.ii)\tg\n");
    QTest::newRow("a level above in letters")
        << outline + "\\pard\\ls6 a\\par\\pard\\ls6 b\\par\\pard\\ls6\\ilvl1 c\\par"
        << QStringLiteral("A.\ta\nB.\tb\nB-1\tc\n");
    // A level text without the level's own number is the label of each item.
    QTest::newRow("a label without its own number")
        << outline + "\\pard\\ls15 a\\par\\pard\\ls15 b\\par\\pard\\ls15\\ilvl1 c\\par\\pard\\ls15\\ilvl1 d\\par"
        << QStringLiteral("--\ta\n--\tb\n2.\tc\n2.\td\n");
    // As LibreOffice shows them: a nought stays a figure in every numbering.
    QTest::newRow("roman and letters from nought")
        << QByteArray("{\\*\\listtable{\\list{\\listlevel\\levelnfc2\\levelstartat0{\\leveltext\\'02\\'00.;}}\\listid46}"
                      "{\\list{\\listlevel\\levelnfc4\\levelstartat0{\\leveltext\\'02\\'00.;}}\\listid47}}"
                      "{\\*\\listoverridetable{\\listoverride\\listid46\\ls13}{\\listoverride\\listid47\\ls14}}\n"
                      "\\pard\\ls13 a\\par\\pard\\ls13 b\\par\\pard\\ls14 c\\par\\pard\\ls14 d\\par")
        << QStringLiteral("0.\ta\ni.\tb\n0.\tc\na.\td\n");
    QByteArray nineLevels = "{\\*\\listtable{\\list";
    for (int level = 0; level < 8; ++level)
        nineLevels += "{\\listlevel\\levelnfc0{\\leveltext\\'02\\'0" + QByteArray::number(level) + ".;}}";
    nineLevels += "{\\listlevel\\levelnfc4{\\leveltext\\'04\\'00.\\'08);}}\\listid45}}"
                  "{\\*\\listoverridetable{\\listoverride\\listid45\\ls12}}\n";
    QTest::newRow("the ninth level, the last there is")
        << nineLevels + "\\pard\\ls12 a\\par\\pard\\ls12\\ilvl8 b\\par\\pard\\ls12\\ilvl8 c\\par\\pard\\ls12\\ilvl7 d\\par"
        << QStringLiteral("1.\ta\n1.a)\tb\n1.b)\tc\n1.\td\n");
    QTest::newRow("overrides of one list number as one") << outline + "\\pard\\ls4 a\\par\\pard\\ls5 b\\par"
                                                          << QStringLiteral("1.\ta\n2.\tb\n");
    // A bullet shows as the file gives it; a symbol font's own character as a disc.
    const QByteArray bullets =
        "{\\*\\listtable{\\list{\\listlevel\\levelnfc23{\\leveltext\\'01\\u9702 ?;}}"
        "{\\listlevel\\levelnfc23{\\leveltext\\'01\\u9642 ?;}}{\\listlevel\\levelnfc23{\\leveltext\\'01\\u-3913 ?;}}"
        "{\\listlevel\\levelnfc23{\\leveltext\\'01\\u10148 ?;}}\\listid60}}"
        "{\\*\\listoverridetable{\\listoverride\\listid60\\ls7}}\n";
    QTest::newRow("bullets of every kind")
        << bullets + "\\pard\\ls7 a\\par\\pard\\ls7\\ilvl1 b\\par\\pard\\ls7\\ilvl2 c\\par\\pard\\ls7\\ilvl3 d\\par"
        << QStringLiteral("\u25E6\ta\n\u25AA\tb\n\u2022\tc\n\u27A4\td\n");
    QTest::newRow("an override naming no list") << lists + "\\pard\\ls99 a\\par" << QStringLiteral("a\n");
    // The older paragraph numbering, with its own plain-text labels.
    const QByteArray decimal = "{\\*\\pn\\pnlvlbody\\pndec\\pnstart1{\\pntxta .}}";
    QTest::newRow("older numbers") << "\\pard{\\pntext 1.\\tab}" + decimal + "One\\par\\pard{\\pntext 2.\\tab}" + decimal + "Two\\par"
                                   << QStringLiteral("1.\tOne\n2.\tTwo\n");
    QTest::newRow("older numbers from a start")
        << QByteArray("\\pard{\\*\\pn\\pnlvlbody\\pndec\\pnstart9{\\pntxta .}}One\\par\\pard{\\*\\pn\\pnlvlbody\\pndec\\pnstart9{\\pntxta .}}Two\\par")
        << QStringLiteral("9.\tOne\n10.\tTwo\n");
    QTest::newRow("older numbers from nought")
        << QByteArray("\\pard{\\*\\pn\\pnlvlbody\\pndec\\pnstart0{\\pntxta .}}a\\par\\pard{\\*\\pn\\pnlvlbody\\pndec\\pnstart0{\\pntxta .}}b\\par")
        << QStringLiteral("0.\ta\n1.\tb\n");
    QTest::newRow("older numbers with a stale label") << "\\pard{\\pntext 9.\\tab}" + decimal + "One\\par"
                                                      << QStringLiteral("1.\tOne\n");
    QTest::newRow("older bullets") << QByteArray("\\pard{\\pntext \\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb \\'b7}}a\\par")
                                   << QStringLiteral("\u2022\ta\n");
    QTest::newRow("older roman in brackets")
        << QByteArray("\\pard{\\*\\pn\\pnlvlbody\\pnucrm{\\pntxtb (}{\\pntxta )}}a\\par b\\par")
        << QStringLiteral("(I)\ta\n(II)\tb\n");
    QTest::newRow("older text before the number, in two pieces")
        << QByteArray("\\pard{\\*\\pn\\pnlvlbody\\pndec{\\pntxtb \\'a7 }{\\pntxta .}}a\\par")
        << QStringLiteral("§ 1.\ta\n");
    QTest::newRow("older outline level in roman") << QByteArray("\\pard{\\*\\pn\\pnlvl1\\pnucrm{\\pntxta .}}a\\par b\\par")
                                                  << QStringLiteral("I.\ta\nII.\tb\n");
    QTest::newRow("older outline levels eight and nine, the last, apart")
        << QByteArray("\\pard{\\*\\pn\\pnlvl8\\pndec{\\pntxta .}}a\\par"
                      "\\pard{\\*\\pn\\pnlvl9\\pndec{\\pntxta .}}b\\par")
        << QStringLiteral("1.\ta\n1.\tb\n");
    QTest::newRow("older numbers, then roman") << QByteArray("\\pard{\\*\\pn\\pnlvlbody\\pndec{\\pntxta .}}a\\par "
                                                           "\\pard{\\*\\pn\\pnlvlbody\\pnucrm{\\pntxta .}}b\\par")
                                               << QStringLiteral("1.\ta\nI.\tb\n");
    QTest::newRow("older label without numbering stays") << QByteArray("\\pard{\\pntext 4.\\tab}a\\par")
                                                         << QStringLiteral("4.\ta\n");
    QTest::newRow("without a list table the plain-text label stays")
        << QByteArray("{\\listtext 3.\\tab}\\pard\\ls1 a\\par") << QStringLiteral("3.\ta\n");
}

void tst_RtfKeeping::lists()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, text);
    QTextDocument document;
    RtfReader::read(QByteArray("{\\rtf1\\ansi\\uc1{\\fonttbl{\\f0 Times;}}" + body + '}'), document);
    QCOMPARE(DocumentText::plainText(document), text);

    const QByteArray file = RtfWriter::write(document);
    QTextDocument reloaded;
    RtfReader::read(file, reloaded);
    QCOMPARE(DocumentText::plainText(reloaded), text);
    QCOMPARE(RtfWriter::write(reloaded), file);

    // A reader that knows no lists shows the labels the save wrote as text.
    QTextDocument listless;
    RtfReader::read(withoutGroup(withoutGroup(file, "{\\*\\listtable"), "{\\*\\listoverridetable"), listless);
    QCOMPARE(DocumentText::plainText(listless), text);
}

void tst_RtfKeeping::tables_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("text");  // a line per row, cells separated by tabs
    QTest::addColumn<QString>("shape"); // see shapeOf()

    const QByteArray twoCells = "\\trowd\\cellx1440\\cellx2880\n";
    QTest::newRow("two by two") << twoCells + "\\pard\\intbl A1\\cell A2\\cell\\row\n" + twoCells
                                       + "\\pard\\intbl B1\\cell B2\\cell\\row\n\\pard after\\par"
                                << QStringLiteral("A1\tA2\nB1\tB2\nafter\n") << QStringLiteral("2x2 1440 1440");
    QTest::newRow("text before the table") << "before\\par\n" + twoCells + "\\pard\\intbl A\\cell B\\cell\\row}"
                                           << QStringLiteral("before\nA\tB\n") << QStringLiteral("1x2 1440 1440");
    QTest::newRow("paragraphs in a cell") << twoCells + "\\pard\\intbl one\\par\\b two\\b0\\cell x\\cell\\row"
                                          << QStringLiteral("one two\tx\n") << QStringLiteral("1x2 1440 1440");
    QTest::newRow("empty cells") << twoCells + "\\pard\\intbl\\cell\\cell\\row" << QStringLiteral("\t\n")
                                 << QStringLiteral("1x2 1440 1440");
    QTest::newRow("widths that are no whole pixel") << QByteArray("\\trowd\\cellx1000\\cellx2001\\pard\\intbl a\\cell b\\cell\\row")
                                                    << QStringLiteral("a\tb\n") << QStringLiteral("1x2 1000 1001");
    QTest::newRow("cells across merged")
        << QByteArray("\\trowd\\clmgf\\cellx1000\\clmrg\\cellx2000\\cellx3000\\pard\\intbl AB\\cell\\cell C\\cell\\row")
        << QStringLiteral("AB\t\tC\n") << QStringLiteral("1x3 1000 1000 1000 0,0+1x2");
    QTest::newRow("cells down merged")
        << QByteArray("\\trowd\\clvmgf\\cellx1000\\cellx2000\\pard\\intbl A\\cell B1\\cell\\row"
                      "\\trowd\\clvmrg\\cellx1000\\cellx2000\\pard\\intbl\\cell B2\\cell\\row"
                      "\\trowd\\clvmrg\\cellx1000\\cellx2000\\pard\\intbl\\cell B3\\cell\\row")
        << QStringLiteral("A\tB1\n\tB2\n\tB3\n") << QStringLiteral("3x2 1000 1000 0,0+3x1");
    QTest::newRow("a merge across a cell of two columns")
        << QByteArray("\\trowd\\cellx1000\\cellx2000\\cellx3000\\cellx4000"
                      "\\pard\\intbl a\\cell b\\cell c\\cell d\\cell\\row"
                      "\\trowd\\clmgf\\cellx1000\\clmrg\\cellx2000\\clmrg\\cellx4000"
                      "\\pard\\intbl e\\cell\\cell\\cell\\row")
        << QStringLiteral("a\tb\tc\td\ne\t\t\t\n") << QStringLiteral("2x4 1000 1000 1000 1000 1,0+1x4");
    QTest::newRow("rows that disagree on the left edge take the first's")
        << QByteArray("\\trowd\\trleft0\\cellx1000\\cellx2000\\pard\\intbl a\\cell b\\cell\\row"
                      "\\trowd\\trleft500\\cellx1000\\cellx2000\\pard\\intbl c\\cell d\\cell\\row")
        << QStringLiteral("a\tb\nc\td\n") << QStringLiteral("2x2 1000 1000");
    // Qt merges only cells of one width down; a wider cell starts afresh.
    QTest::newRow("a wider cell goes on with no merge")
        << QByteArray("\\trowd\\clvmgf\\cellx1000\\cellx2000\\pard\\intbl A\\cell B\\cell\\row"
                      "\\trowd\\clvmrg\\cellx2000\\pard\\intbl wide\\cell\\row")
        << QStringLiteral("A\tB\nwide\t\n") << QStringLiteral("2x2 1000 1000 1,0+1x2");
    QTest::newRow("a row without the column ends its merge")
        << QByteArray("\\trowd\\cellx1000\\clvmgf\\cellx2000\\pard\\intbl A\\cell B\\cell\\row"
                      "\\trowd\\cellx1000\\pard\\intbl c\\cell\\row"
                      "\\trowd\\cellx1000\\clvmrg\\cellx2000\\pard\\intbl d\\cell\\cell\\row")
        << QStringLiteral("A\tB\nc\t\nd\t\n") << QStringLiteral("3x2 1000 1000");
    QTest::newRow("a row wider than the first") << QByteArray("\\trowd\\cellx1000\\pard\\intbl a\\cell\\row"
                                                              "\\trowd\\cellx1000\\cellx2000\\pard\\intbl b\\cell c\\cell\\row")
                                                << QStringLiteral("a\t\nb\tc\n") << QStringLiteral("2x2 1000 1000");
    // Rows that disagree on their edges share every edge; a cell spans the
    // columns up to its own.
    QTest::newRow("a later row with fewer cells")
        << QByteArray("\\trowd\\cellx1000\\cellx2000\\cellx3000\\pard\\intbl A\\cell B\\cell C\\cell\\row"
                      "\\trowd\\cellx1000\\cellx3000\\pard\\intbl D\\cell E\\cell\\row")
        << QStringLiteral("A\tB\tC\nD\tE\t\n") << QStringLiteral("2x3 1000 1000 1000 1,1+1x2");
    QTest::newRow("a later row splits a column")
        << QByteArray("\\trowd\\cellx1000\\cellx3000\\pard\\intbl A\\cell B\\cell\\row"
                      "\\trowd\\cellx1000\\cellx2001\\cellx3000\\pard\\intbl C\\cell D\\cell E\\cell\\row")
        << QStringLiteral("A\tB\t\nC\tD\tE\n") << QStringLiteral("2x3 1000 1001 999 0,1+1x2");
    QTest::newRow("a split through merged cells")
        << QByteArray("\\trowd\\clvmgf\\cellx2000\\cellx3000\\pard\\intbl tall\\cell a\\cell\\row"
                      "\\trowd\\clvmrg\\cellx2000\\cellx3000\\pard\\intbl\\cell b\\cell\\row"
                      "\\trowd\\cellx1000\\cellx2000\\cellx3000\\pard\\intbl c\\cell d\\cell e\\cell\\row")
        << QStringLiteral("tall\t\ta\n\t\tb\nc\td\te\n") << QStringLiteral("3x3 1000 1000 1000 0,0+2x2");
    // Past the most columns a table takes, the rest of a row shares its
    // last cell, in the file's order, and that cell is as wide as all it holds.
    QByteArray overlong = "\\trowd";
    QString overlongText;
    QString overlongShape = QStringLiteral("1x1000");
    for (int c = 0; c < 1002; ++c) {
        overlong += "\\cellx" + QByteArray::number(100 * (c + 1));
        overlongText += QStringLiteral("\u0436%1").arg(c) + (c < 1001 ? u'\t' : u'\n');
        if (c < 999)
            overlongShape += QStringLiteral(" 100");
    }
    overlongShape += QStringLiteral(" 300");
    overlong += "\\pard\\intbl";
    for (int c = 0; c < 1002; ++c)
        overlong += " \\u1078?" + QByteArray::number(c) + "\\cell";
    QTest::newRow("a row past the most columns") << overlong + "\\row" << overlongText << overlongShape;
    QTest::newRow("wider than four of the widest pages")
        << QByteArray("\\trowd\\cellx126000\\cellx127440\\pard\\intbl a\\cell b\\cell\\row") << QStringLiteral("a\tb\n")
        << QStringLiteral("1x2 126000 1440");
    QTest::newRow("the table's left edge") << QByteArray("\\trowd\\trleft-108\\cellx1332\\cellx2000\\pard\\intbl a\\cell b\\cell\\row")
                                           << QStringLiteral("a\tb\n") << QStringLiteral("1x2 1440 668");
    QTest::newRow("outside Latin-1") << twoCells + "\\pard\\intbl \\u1071?\\cell \\u26085?\\cell\\row"
                                     << QStringLiteral("Я\t日\n") << QStringLiteral("1x2 1440 1440");

    // Nested tables as Word writes them: each row's definition after its
    // cells, and a paragraph mark for readers that know no nesting.
    const auto nestedRow = [](int depth, const QByteArray &cells, const QByteArray &widths) -> QByteArray {
        const QByteArray start = "\\pard\\intbl\\itap" + QByteArray::number(depth) + ' ';
        QByteArray row;
        for (const QByteArray &cell : cells.split('|'))
            row += start + cell + "\\nestcell ";
        return row + "{\\*\\nesttableprops\\trowd" + widths + "\\nestrow}{\\nonesttables\\par}\n";
    };
    const QByteArray nestedCells = "\\cellx1000\\cellx2500";
    QTest::newRow("a table in a cell, between paragraphs")
        << twoCells + "\\pard\\intbl before\\par\n" + nestedRow(2, "N1|N2", nestedCells) + nestedRow(2, "N3|N4", nestedCells)
               + "\\pard\\intbl\\itap1 after\\cell B\\cell\\row\n"
        << QStringLiteral("before N1\tN2 N3\tN4 after\tB\n") << QStringLiteral("1x2 1440 1440 [0,0: 2x2 1000 1500]");
    QTest::newRow("a table first and last in a cell")
        << twoCells + nestedRow(2, "N1|\\u1071?", nestedCells) + "\\pard\\intbl\\itap1\\cell B\\cell\\row\n"
        << QStringLiteral("N1\tЯ\tB\n") << QStringLiteral("1x2 1440 1440 [0,0: 1x2 1000 1500]");
    QTest::newRow("a table first in a cell after a spanning one")
        << QByteArray("\\trowd\\cellx1000\\cellx2000\\cellx3000\\pard\\intbl a\\cell b\\cell c\\cell\\row"
                      "\\trowd\\cellx2000\\cellx3000\\pard\\intbl wide\\cell ")
               + nestedRow(2, "N", "\\cellx500") + "\\pard\\intbl\\itap1 \\cell\\row\n"
        << QStringLiteral("a\tb\tc\nwide\t\tN\n") << QStringLiteral("2x3 1000 1000 1000 1,0+1x2 [1,2: 1x1 500]");
    QTest::newRow("merged cells in a nested table")
        << twoCells + "\\pard\\intbl A\\cell " + nestedRow(2, "wide|", "\\clmgf\\cellx1000\\clmrg\\cellx2000")
               + "\\pard\\intbl\\itap1 \\cell\\row\n"
        << QStringLiteral("A\twide\t\n") << QStringLiteral("1x2 1440 1440 [0,1: 1x2 1000 1000 0,0+1x2]");
    QTest::newRow("three deep")
        << twoCells + "\\pard\\intbl\\itap2 x\\par\n" + nestedRow(3, "deep", "\\cellx500")
               + "\\pard\\intbl\\itap2 \\nestcell{\\*\\nesttableprops\\trowd\\cellx1500\\nestrow}{\\nonesttables\\par}\n"
                 "\\pard\\intbl\\itap1 \\cell B\\cell\\row\n"
        << QStringLiteral("x deep\tB\n") << QStringLiteral("1x2 1440 1440 [0,0: 1x1 1500 [0,0: 1x1 500]]");
    // Eight levels are tables; a ninth shares the eighth, its rows as
    // paragraphs and its cells separated by tabs.
    const auto nestedDeep = [&](int depth, const QByteArray &rows) -> QByteArray {
        QByteArray body = rows;
        for (int d = depth - 1; d >= 2; --d)
            body += "\\pard\\intbl\\itap" + QByteArray::number(d) + " \\nestcell"
                + "{\\*\\nesttableprops\\trowd\\cellx2000\\nestrow}{\\nonesttables\\par}\n";
        return twoCells + body + "\\pard\\intbl\\itap1\\cell\\cell\\row";
    };
    QString levels = QStringLiteral("%1");
    for (int depth = 2; depth < 8; ++depth)
        levels = levels.arg(QStringLiteral("1x1 2000 [0,0: %1]"));
    const QByteArray abWidths = "\\cellx500\\cellx1000";
    QTest::newRow("eight deep") << nestedDeep(8, nestedRow(8, "a|b", abWidths)) << QStringLiteral("a\tb\t\n")
                                << QStringLiteral("1x2 1440 1440 [0,0: %1]").arg(levels.arg(QStringLiteral("1x2 500 500")));
    QTest::newRow("nine deep") << nestedDeep(9, nestedRow(9, "a|b", abWidths) + nestedRow(9, "c|d", abWidths))
                               << QStringLiteral("a\tb c\td \t\n")
                               << QStringLiteral("1x2 1440 1440 [0,0: %1]").arg(levels.arg(QStringLiteral("1x1 2000")));
    QTest::newRow("text after the table ends the file") << twoCells + "\\pard\\intbl A\\cell B\\cell\\row\\pard After"
                                                        << QStringLiteral("A\tB\nAfter\n") << QStringLiteral("1x2 1440 1440");
    QTest::newRow("text placed after the last cell mark joins that cell")
        << twoCells + "\\pard\\intbl A\\cell {\\b B} C\\row" << QStringLiteral("A\tB C\n")
        << QStringLiteral("1x2 1440 1440");
    QTest::newRow("a cell mark outside any table is nothing") << QByteArray("a\\cell b") << QStringLiteral("ab\n") << QString();
}

void tst_RtfKeeping::tables()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, text);
    QFETCH(QString, shape);
    QTextDocument document;
    RtfReader::read(QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}}" + body + '}'), document);
    QCOMPARE(DocumentText::plainText(document), text);
    QTextTable *table = firstTable(document);
    QCOMPARE(table ? shapeOf(*table) : QString(), shape);

    // What the writer types into the first cell is saved with the rest.
    if (table) {
        QTextCursor typing = table->cellAt(0, 0).lastCursorPosition();
        typing.insertText(QStringLiteral("+"));
        QCOMPARE(table->cellAt(0, 0).lastCursorPosition().block().text().back(), u'+');
        text = DocumentText::plainText(document);
    }
    const QByteArray file = RtfWriter::write(document);
    QTextDocument reloaded;
    RtfReader::read(file, reloaded);
    QCOMPARE(DocumentText::plainText(reloaded), text);
    QTextTable *again = firstTable(reloaded);
    QCOMPARE(again ? shapeOf(*again) : QString(), shape);
    QCOMPARE(RtfWriter::write(reloaded), file);
}

void tst_RtfKeeping::cellsOfNoWidthTakeTheNextColumn_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shape"); // as read; a save gives the columns of no width a share of the page
    QTest::newRow("a cell of no width") << QByteArray("\\trowd\\cellx2000\\cellx2000\\pard\\intbl a\\cell b\\cell\\row")
                                        << QStringLiteral("a\tb\n") << QStringLiteral("1x2 2000 *");
    QTest::newRow("edges out of order") << QByteArray("\\trowd\\cellx2000\\cellx1000\\pard\\intbl a\\cell b\\cell\\row")
                                        << QStringLiteral("a\tb\n") << QStringLiteral("1x2 2000 *");
    // AbiWord writes the cells a merged cell covers as cells of no width.
    QTest::newRow("beside a merged cell")
        << QByteArray("\\trowd\\cellx1425\\cellx3556\\cellx6407\\pard\\intbl a\\cell b\\cell c\\cell\\row"
                      "\\trowd\\cellx1425\\cellx3556\\cellx3556\\pard\\intbl d\\cell wide\\cell\\cell\\row")
        << QStringLiteral("a\tb\tc\nd\twide\t\n") << QStringLiteral("2x3 1425 2131 2851");
}

void tst_RtfKeeping::cellsOfNoWidthTakeTheNextColumn()
{
    QFETCH(QByteArray, body);
    QTextDocument document;
    RtfReader::read(QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}}" + body + '}'), document);
    QTEST(DocumentText::plainText(document), "text");
    QTextTable *table = firstTable(document);
    QVERIFY(table);
    QTEST(shapeOf(*table), "shape");
}

void tst_RtfKeeping::rowsThatDisagreeEndTheirCellsAtKnownEdgesPastAPoint_data()
{
    QTest::addColumn<int>("rows"); // after the first, each with an edge no row before had
    QTest::addColumn<int>("columns");
    QTest::newRow("sixty-four new edges") << 64 << 65;
    QTest::newRow("sixty-five new edges") << 65 << 65;
}

void tst_RtfKeeping::rowsThatDisagreeEndTheirCellsAtKnownEdgesPastAPoint()
{
    QFETCH(int, rows);
    QByteArray body = "\\trowd\\cellx10000\\pard\\intbl first\\cell\\row";
    for (int r = 1; r <= rows; ++r)
        body += "\\trowd\\cellx" + QByteArray::number(r * 10) + "\\cellx10000\\pard\\intbl a" + QByteArray::number(r)
            + "\\cell b" + QByteArray::number(r) + "\\cell\\row";
    QTextDocument document;
    RtfReader::read(QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}}" + body + '}'), document);
    QTextTable *table = firstTable(document);
    QVERIFY(table);
    QTEST(table->columns(), "columns");
    QCOMPARE(table->rows(), rows + 1);
    const QString text = DocumentText::plainText(document);
    for (int r = 1; r <= rows; ++r)
        QVERIFY2(text.contains(QStringLiteral("a%1\t").arg(r)) && text.contains(QStringLiteral("b%1").arg(r)), qPrintable(text));
}

void tst_RtfKeeping::longTablesAreReadInPartsAndSavedAsOne_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("mergeFrom"); // first row merged in the first column, or -1
    QTest::addColumn<int>("mergeRows");
    QTest::addColumn<bool>("startless"); // the merge's first row is marked as going on with one, so none is merged
    QTest::addColumn<bool>("narrowFirst"); // the first row has one cell; a save gives it all
    QTest::addColumn<QList<int>>("parts"); // the rows of each
    QTest::newRow("128 rows") << 128 << 8 << -1 << 0 << false << false << QList<int>{128};
    QTest::newRow("129 rows") << 129 << 3 << -1 << 0 << false << false << QList<int>{128, 1};
    QTest::newRow("parts that do not divide the rows") << 300 << 1 << -1 << 0 << false << false << QList<int>{128, 128, 44};
    QTest::newRow("a merge across the part's end") << 200 << 8 << 126 << 4 << false << false << QList<int>{130, 70};
    QTest::newRow("a merge ending the part") << 200 << 8 << 124 << 4 << false << false << QList<int>{128, 72};
    QTest::newRow("merge marks with no merge") << 200 << 8 << 126 << 4 << true << false << QList<int>{128, 72};
    QTest::newRow("a merge from the first row past the part's end")
        << 200 << 2 << 0 << 130 << false << false << QList<int>{130, 70};
    QTest::newRow("a narrow first row") << 129 << 8 << -1 << 0 << false << true << QList<int>{128, 1};
}

void tst_RtfKeeping::longTablesAreReadInPartsAndSavedAsOne()
{
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(int, mergeFrom);
    QFETCH(int, mergeRows);
    QFETCH(bool, startless);
    QFETCH(bool, narrowFirst);
    QByteArray body = "\\pard before\\par";
    QString lines = QStringLiteral("before\n");
    for (int r = 0; r < rows; ++r) {
        body += "\\trowd";
        QByteArray text;
        for (int c = 0; c < columns; ++c) {
            if (narrowFirst && r == 0 && c > 0) {
                lines += u'\t';
                continue;
            }
            const bool merged = c == 0 && mergeFrom >= 0 && r >= mergeFrom && r < mergeFrom + mergeRows;
            if (merged)
                body += r == mergeFrom && !startless ? "\\clvmgf" : "\\clvmrg";
            body += "\\cellx" + QByteArray::number(1000 * (c + 1));
            // The cells that a merge covers are empty.
            const bool covered = merged && r > mergeFrom && !startless;
            text += "\\pard\\intbl " + (covered ? QByteArray() : QByteArray::number(r) + "\\u8594?" + QByteArray::number(c)) + "\\cell ";
            lines += (c > 0 ? QStringLiteral("\t") : QString()) + (covered ? QString() : QStringLiteral("%1\u2192%2").arg(r).arg(c));
        }
        body += text + "\\row\n";
        lines += u'\n';
    }
    body += "\\pard after\\par";
    lines += QStringLiteral("after\n");

    const auto partsOf = [](const QTextDocument &document) {
        QList<int> parts;
        for (QTextFrame *frame : document.rootFrame()->childFrames())
            if (auto *table = qobject_cast<QTextTable *>(frame))
                parts << table->rows();
        return parts;
    };
    QTextDocument document;
    RtfReader::read(QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}}" + body + '}'), document);
    QTEST(partsOf(document), "parts");
    QCOMPARE(DocumentText::plainText(document), lines);
    if (mergeFrom >= 0)
        QCOMPARE(firstTable(document)->cellAt(mergeFrom, 0).rowSpan(), startless ? 1 : mergeRows);

    // One table in the file: its rows follow each other with no paragraph
    // between them, and it reads back the same.
    const QByteArray saved = RtfWriter::write(document);
    QCOMPARE(saved.count("\\row"), qsizetype(rows));
    QCOMPARE(saved.count("\\par\n"), qsizetype(2));
    QTextDocument again;
    RtfReader::read(saved, again);
    QTEST(partsOf(again), "parts");
    QCOMPARE(DocumentText::plainText(again), lines);
}

void tst_RtfKeeping::tablesOfNoSetWidthShareTheirPlace_data()
{
    QTest::addColumn<QList<int>>("outer"); // the outer table's widths in twips; none set when empty
    QTest::addColumn<int>("span");         // of the first cell
    QTest::addColumn<int>("inner");        // columns of a table in the first cell, or 0
    QTest::addColumn<QString>("shape");
    QTest::newRow("in the text") << QList<int>{0, 0, 0} << 1 << 0 << QStringLiteral("1x3 3120 3120 3120");
    QTest::newRow("in a cell") << QList<int>{1441, 1000} << 1 << 2 << QStringLiteral("1x2 1441 1000 [0,0: 1x2 720 720]");
    QTest::newRow("in a merged cell") << QList<int>{1000, 1001} << 2 << 3
                                      << QStringLiteral("1x2 1000 1001 0,0+1x2 [0,0: 1x3 667 667 667]");
}

void tst_RtfKeeping::tablesOfNoSetWidthShareTheirPlace()
{
    QFETCH(QList<int>, outer);
    QFETCH(int, span);
    QFETCH(int, inner);
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextTableFormat format;
    if (outer.front() > 0) {
        QList<QTextLength> widths;
        for (const int twips : outer)
            widths.append(QTextLength(QTextLength::FixedLength, twips / 15.0));
        format.setColumnWidthConstraints(widths);
    }
    QTextTable *table = cursor.insertTable(1, int(outer.size()), format);
    table->mergeCells(0, 0, 1, span);
    if (inner > 0)
        table->cellAt(0, 0).firstCursorPosition().insertTable(1, inner);

    QTextDocument reloaded;
    RtfReader::read(RtfWriter::write(document), reloaded);
    QTextTable *again = firstTable(reloaded);
    QVERIFY(again);
    QTEST(shapeOf(*again), "shape");
}

void tst_RtfKeeping::fontsTheSystemLacksKeepTheirNames_data()
{
    QTest::addColumn<int>("fonts");

    // A few fonts the system lacks are looked up by name; past that many a
    // generic family stands in on screen, and still every name is saved.
    QTest::newRow("one") << 1;
    QTest::newRow("64") << 64;
    QTest::newRow("65") << 65;
    QTest::newRow("300") << 300;
}

void tst_RtfKeeping::fontsTheSystemLacksKeepTheirNames()
{
    QFETCH(int, fonts);
    // Every kind of font, with the family that stands in for it.
    static constexpr struct
    {
        const char *word;
        const char16_t *generic;
    } Kinds[] = {{"\\froman", u"serif"}, {"\\fswiss", u"sans-serif"}, {"\\fmodern", u"monospace"}, {"\\fnil", u""}};
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl";
    for (int i = 0; i < fonts; ++i)
        rtf += "{\\f" + QByteArray::number(i) + Kinds[i % 4].word + " Quillmere Missing " + QByteArray::number(i)
               + ";}";
    rtf += "}";
    for (int i = 0; i < fonts; ++i)
        rtf += "\\f" + QByteArray::number(i) + " x";
    rtf += "}";

    QTextDocument document;
    RtfReader::read(rtf, document);
    QTextDocument reloaded;
    RtfReader::read(RtfWriter::write(document), reloaded);
    QCOMPARE(reloaded.characterCount(), fonts + 1);
    for (int i = 0; i < fonts; ++i) {
        const QString name = QStringLiteral("Quillmere Missing %1").arg(i);
        QCOMPARE(fontNameAt(document, i), name);
        QCOMPARE(fontNameAt(reloaded, i), name);
        // What is shown is the font's name, or past the first 64 the
        // generic family of its kind.
        QTextCursor cursor(&document);
        cursor.setPosition(i + 1);
        const QString shown = cursor.charFormat().fontFamilies().toStringList().value(0);
        QCOMPARE(shown, i < 64 ? name : QString::fromUtf16(Kinds[i % 4].generic));
    }
}

QTEST_MAIN(tst_RtfKeeping)
#include "tst_rtfkeeping.moc"
