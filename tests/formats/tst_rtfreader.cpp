#include "documentdump.h"
#include "formats/rtfreader.h"

#include <QBuffer>
#include <QImage>
#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

namespace {

// A document with Times as font 0, Arial as font 1, red and blue as colours 1 and 2.
QByteArray rtf(const QByteArray &body)
{
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times;}{\\f1\\fswiss Arial;}}"
           "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\n"
        + body + "}";
}

struct Read
{
    QString dump;
    QString text;
    bool droppedPictures;
};

Read read(const QByteArray &input)
{
    QTextDocument document;
    const RtfReader::Result result = RtfReader::read(input, document);
    return {dumpDocument(document, QStringLiteral("Times")), document.toRawText().replace(QChar::ParagraphSeparator, u'\n'),
            result.droppedPictures};
}

QByteArray pngBytes(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

class tst_RtfReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formatting_data();
    void formatting();
    void text_data();
    void text();
    void pageBreaks_data();
    void pageBreaks();
    void skippedDestinations_data();
    void skippedDestinations();
    void pictures_data();
    void pictures();
    void paragraphFormats_data();
    void paragraphFormats();
    void cellParagraphsKeepTheirFormats_data();
    void cellParagraphsKeepTheirFormats();
    void fontCharsets_data();
    void fontCharsets();
    void doubleByteCharactersStayWhole_data();
    void doubleByteCharactersStayWhole();
    void malformedInputEndsInADocument_data();
    void malformedInputEndsInADocument();
    void randomBytesNeverBreakTheReader();
};

void tst_RtfReader::formatting_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("dump");

    QTest::newRow("groups restore state") << QByteArray("a{\\b b{\\i c}d}e")
                                          << QStringLiteral("L:a|b{b}|c{b,i}|d{b}|e");
    QTest::newRow("toggles with zero") << QByteArray("\\b\\i a\\b0 b\\i0 c") << QStringLiteral("L:a{b,i}|b{i}|c");
    QTest::newRow("plain resets characters") << QByteArray("\\b\\f1\\fs40\\cf1 a\\plain b")
                                             << QStringLiteral("L:a{b,f=Arial,pt=20,fg=#ff0000}|b");
    QTest::newRow("underline styles") << QByteArray("\\ulwave a\\ulnone b\\uldb c\\ul0 d\\ulth e")
                                      << QStringLiteral("L:a{u}|b|c{u}|d|e{u}");
    QTest::newRow("strike") << QByteArray("\\strike a\\strike0 b\\striked1 c") << QStringLiteral("L:a{s}|b|c{s}");
    QTest::newRow("font size in half points") << QByteArray("\\fs21 a") << QStringLiteral("L:a{pt=10.5}");
    QTest::newRow("smallest font size") << QByteArray("\\fs0 a\\fs1 b\\fs2 c\\fs3 d")
                                        << QStringLiteral("L:abc{pt=1}|d{pt=1.5}");
    QTest::newRow("unknown font falls back") << QByteArray("\\f9 a") << QStringLiteral("L:a");
    QTest::newRow("first colour") << QByteArray("\\cf1 a") << QStringLiteral("L:a{fg=#ff0000}");
    QTest::newRow("last colour and the one past it") << QByteArray("\\cf2 a\\cf0 b\\cf3 c")
                                                     << QStringLiteral("L:a{fg=#0000ff}|bc");
    QTest::newRow("highlight and cb") << QByteArray("\\highlight1 a\\highlight0 b\\cb2 c\\cb3 d")
                                      << QStringLiteral("L:a{bg=#ff0000}|b|c{bg=#0000ff}|d");
    QTest::newRow("super and sub")
        << QByteArray("a\\super 2\\nosupersub b\\sub 3\\nosupersub\\up6 4\\up0 5\\dn4 6\\dn0 7\\up1 8\\dn1 9")
        << QStringLiteral("L:a|2{sup}|b|3{sub}|4{sup}|5|6{sub}|7|8{sup}|9{sub}");
    QTest::newRow("alignments") << QByteArray("\\ql a\\par\\qr b\\par\\qc c\\par\\qj d")
                                << QStringLiteral("L:a\nR:b\nC:c\nJ:d");
    QTest::newRow("pard resets the paragraph") << QByteArray("\\qc a\\par\\pard b")
                                               << QStringLiteral("C:a\nL:b");
    QTest::newRow("paragraph takes properties set before its end") << QByteArray("a\\qr\\par b")
                                                                   << QStringLiteral("R:a\nR:b");
    QTest::newRow("last paragraph mark opens nothing") << QByteArray("a\\par b\\par ")
                                                       << QStringLiteral("L:a\nL:b");
    QTest::newRow("empty paragraphs stay") << QByteArray("a\\par\\par b") << QStringLiteral("L:a\nL:\nL:b");
    QTest::newRow("formatting runs merge") << QByteArray("\\b a{\\b b}c") << QStringLiteral("L:abc{b}");
}

void tst_RtfReader::formatting()
{
    QFETCH(QByteArray, body);
    QTEST(read(rtf(body)).dump, "dump");
}

void tst_RtfReader::text_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("text");

    QTest::newRow("breaks and tab") << rtf("a\\line b\\tab c\\par d") << QStringLiteral("a\u2028b\tc\nd");
    QTest::newRow("line ends are not text") << rtf("a\r\nb\nc") << QStringLiteral("abc");
    QTest::newRow("backslash before each line end") << rtf("a\\\nb\\\rc\\\r\nd") << QStringLiteral("a\nb\nc\nd");
    QTest::newRow("named symbols")
        << rtf("\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote\\~\\-\\_\\{\\}\\\\")
        << QStringLiteral("—–•‘’“”\u00a0\u00ad\u2011{}\\");
    QTest::newRow("symbols between text") << rtf("a\\{b\\}c\\\\d\\~e\\emdash f") << QStringLiteral("a{b}c\\d\u00a0e—f");
    QTest::newRow("control word eats one space") << rtf("\\b  two") << QStringLiteral(" two");
    QTest::newRow("hyphen after a control word, no digit") << rtf("a\\tab-b") << QStringLiteral("a\t-b");
    QTest::newRow("windows-1252 bytes") << rtf("caf\\'e9 \\'93q\\'94 \\'80") << QStringLiteral("café “q” €");
    QTest::newRow("ansicpg 1251") << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}")
                                  << QStringLiteral("Привет");
    QTest::newRow("ansicpg 1253") << QByteArray("{\\rtf1\\ansi\\ansicpg1253 \\'c1\\'e8\\'DE\\'ed\\'e1}")
                                  << QStringLiteral("Αθήνα");
    QTest::newRow("ansicpg 1250") << QByteArray("{\\rtf1\\ansi\\ansicpg1250 \\'9ale\\'9d}") << QStringLiteral("šleť");
    QTest::newRow("font charset shift-jis")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f1\\fcharset128 Gothic;}}\\f1 \\'82\\'a0\\'93\\'fa\\'96\\'7b}")
        << QStringLiteral("あ日本");
    QTest::newRow("double-byte trail written as text")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f1\\fcharset128 Gothic;}}\\f1 \\'83e\\'83X\\'83g}")
        << QStringLiteral("テスト");
    QTest::newRow("cp936 via cpg") << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f1\\cpg936 SimSun;}}\\f1 \\'d6\\'d0\\'ce\\'c4}")
                                   << QStringLiteral("中文");
    QTest::newRow("cpg before a character set of another page")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f1\\cpg936\\fcharset0 SimSun;}}\\f1 \\'d6\\'d0\\'ce\\'c4}")
        << QStringLiteral("中文");
    QTest::newRow("cp949") << QByteArray("{\\rtf1\\ansi\\ansicpg949 \\'c7\\'d1\\'b1\\'db}") << QStringLiteral("한글");
    QTest::newRow("cp950") << QByteArray("{\\rtf1\\ansi\\ansicpg950 \\'a4\\'a4\\'a4\\'e5}") << QStringLiteral("中文");
    QTest::newRow("cp874") << QByteArray("{\\rtf1\\ansi\\ansicpg874 \\'a1\\'a2}") << QStringLiteral("กข");
    QTest::newRow("cp1255") << QByteArray("{\\rtf1\\ansi\\ansicpg1255 \\'f9\\'ec\\'e5\\'ed}") << QStringLiteral("שלום");
    QTest::newRow("cp1256") << QByteArray("{\\rtf1\\ansi\\ansicpg1256 \\'d3\\'e1\\'c7\\'e3}") << QStringLiteral("سلام");
    QTest::newRow("cp1254") << QByteArray("{\\rtf1\\ansi\\ansicpg1254 \\'FE\\'f0}") << QStringLiteral("şğ");
    QTest::newRow("cp1257") << QByteArray("{\\rtf1\\ansi\\ansicpg1257 \\'e0\\'eb}") << QStringLiteral("ąė");
    QTest::newRow("cp1258") << QByteArray("{\\rtf1\\ansi\\ansicpg1258 Vi\\'eat}") << QStringLiteral("Viêt");
    QTest::newRow("mac character set") << QByteArray("{\\rtf1\\mac caf\\'8e \\'d2q\\'d3}") << QStringLiteral("café “q”");
    QTest::newRow("pc character set") << QByteArray("{\\rtf1\\pc caf\\'82}") << QStringLiteral("café");
    QTest::newRow("symbol font, named in lower case, from its space")
        << QByteArray("{\\rtf1{\\fonttbl{\\f2\\fcharset2 symbol;}}{\\f2\\'b7 a}x}") << QStringLiteral("• αx");
    QTest::newRow("symbol font's private-use units, from its space")
        << QByteArray("{\\rtf1\\uc1{\\fonttbl{\\f2\\fcharset2 Symbol;}}{\\f2 \\u61472?\\u61623?}x}")
        << QStringLiteral(" •x");
    QTest::newRow("a Unicode letter in the symbol font stays itself")
        << QByteArray("{\\rtf1\\uc1{\\fonttbl{\\f2\\fcharset2 Symbol;}}{\\f2 \\u945?}x}") << QStringLiteral("αx");
    QTest::newRow("symbol font's byte without a character, as private use")
        << QByteArray("{\\rtf1{\\fonttbl{\\f2\\fcharset2 Symbol;}}{\\f2\\'80}x}") << QStringLiteral("\uf080x");
    QTest::newRow("wingdings bytes as what they show, the name in capitals")
        << QByteArray("{\\rtf1{\\fonttbl{\\f3\\fcharset2 WINGDINGS;}{\\f4\\fcharset2 Wingdings 2;}}\\f3\\'fc\\'a7\\f4\\'fc}")
        << QStringLiteral("✔▪\uf0fc");
    QTest::newRow("unicode with fallback") << rtf("\\u8212\\'97 x\\u233 e") << QStringLiteral("— xé");
    QTest::newRow("negative unicode") << rtf("\\u-3913 ?") << QStringLiteral("\uf0b7");
    QTest::newRow("the lowest negative unicode") << rtf("\\u-32768?\\u-32769?x") << QStringLiteral("\u8000x");
    QTest::newRow("the highest unicode") << rtf("\\u65535?\\u65536?x") << QStringLiteral("\uffffx");
    QTest::newRow("uc2 skips two") << rtf("\\uc2\\u12354\\'82\\'a0 x") << QStringLiteral("あ x");
    QTest::newRow("uc0 skips none") << rtf("\\uc0\\u12354 x") << QStringLiteral("あx");
    QTest::newRow("uc is kept by group") << rtf("{\\uc0\\u937}\\u937 ?") << QStringLiteral("ΩΩ");
    QTest::newRow("skip stops at group end") << rtf("{\\uc3\\u937 a}b") << QStringLiteral("Ωb");
    QTest::newRow("surrogate pair") << rtf("\\u-10188?\\u-8928?") << QStringLiteral("𝄠");
    QTest::newRow("two high halves, then a low one") << rtf("a\\u-10188?\\u-10188?\\u-8928?b")
                                                     << QStringLiteral("a\ufffd𝄠b");
    QTest::newRow("lone surrogate") << rtf("a\\u-10187?b") << QStringLiteral("a\ufffdb");
    QTest::newRow("a lone low half") << rtf("a\\u-8928?b") << QStringLiteral("a\ufffdb");
    // A numbered paragraph's label is drawn, not text; without a list table
    // the plain-text label stays.
    QTest::newRow("older numbering drawn, list text kept")
        << rtf("{\\*\\pn\\pnlvlblt{\\pntxtb \\'b7}}{\\pntext\\'b7\\tab}One\\par{\\listtext 2.\\tab}Two")
        << QStringLiteral("One\n2.\tTwo");
    QTest::newRow("a blank label is no text") << rtf("{\\listtext\\pard\\plain \\tab}Heading\\par{\\pntext \\tab}Body")
                                              << QStringLiteral("Heading\nBody");
}

void tst_RtfReader::text()
{
    QFETCH(QByteArray, input);
    QTEST(read(input).text, "text");
}

void tst_RtfReader::pageBreaks_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("breaks"); // the paragraphs that start a page

    QTest::newRow("in a paragraph") << QByteArray("a\\page b") << QStringLiteral("a\nb") << QList<int>{1};
    QTest::newRow("after a paragraph") << QByteArray("a\\par\\page b") << QStringLiteral("a\nb") << QList<int>{1};
    QTest::newRow("before an empty paragraph") << QByteArray("a\\par\\page\\par b") << QStringLiteral("a\n\nb")
                                               << QList<int>{1};
    QTest::newRow("a section after a paragraph, no break") << QByteArray("a\\par\\sect b") << QStringLiteral("a\nb")
                                                           << QList<int>{};
}

void tst_RtfReader::pageBreaks()
{
    QFETCH(QByteArray, body);
    QTextDocument document;
    RtfReader::read(rtf(body), document);
    QTEST(document.toPlainText(), "text");
    QList<int> breaks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        if (block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
            breaks.append(block.blockNumber());
    QTEST(breaks, "breaks");
}

void tst_RtfReader::skippedDestinations_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("text");

    QTest::newRow("optional destination") << QByteArray("a{\\*\\unknownthing hidden {nested} text}b") << QStringLiteral("ab");
    QTest::newRow("optional known word is no destination") << QByteArray("a{\\*\\b hidden}b") << QStringLiteral("ab");
    QTest::newRow("tables of fonts and colours") << QByteArray("") << QString();
    QTest::newRow("stylesheet") << QByteArray("{\\stylesheet{\\s1 Heading 1;}}a") << QStringLiteral("a");
    QTest::newRow("info") << QByteArray("{\\info{\\title T}{\\author A}}a") << QStringLiteral("a");
    QTest::newRow("headers and footers")
        << QByteArray("{\\header h}{\\footerl f}{\\headerf g}a") << QStringLiteral("a");
    QTest::newRow("footnote stands as its number") << QByteArray("a{\\super\\chftn}{\\footnote\\pard note}b") << QStringLiteral("a1b");
    QTest::newRow("field keeps its result")
        << QByteArray("{\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt link}} and {\\field{\\fldinst PAGE}{\\fldrslt 3}}")
        << QStringLiteral("link and 3");
    QTest::newRow("binary data in a skipped group")
        << QByteArray("a{\\*\\blob\\bin5 }}{{}}b") << QStringLiteral("ab");
    QTest::newRow("binary data in text is not text") << QByteArray("a\\bin3 xyzb") << QStringLiteral("ab");
    QTest::newRow("object shows its result")
        << QByteArray("{\\object\\objemb{\\*\\objclass Word}{\\*\\objdata 0102}{\\result shown}}") << QStringLiteral("shown");
    QTest::newRow("shape shows its result")
        << QByteArray("{\\shp{\\*\\shpinst{\\sp{\\sn a}{\\sv b}}}{\\shprslt fallback}}") << QStringLiteral("fallback");
    QTest::newRow("upr shows the unicode part")
        << QByteArray("{\\upr{ansi}{\\*\\ud{unicode}}}") << QStringLiteral("unicode");
    QTest::newRow("bookmarks") << QByteArray("{\\*\\bkmkstart x}a{\\*\\bkmkend x}") << QStringLiteral("a");
    QTest::newRow("index and contents entries") << QByteArray("a{\\xe entry}{\\tc toc}") << QStringLiteral("a");
}

void tst_RtfReader::skippedDestinations()
{
    QFETCH(QByteArray, body);
    QTEST(read(rtf(body)).text, "text");
}

void tst_RtfReader::pictures_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("dump");
    QTest::addColumn<bool>("dropped");

    const QByteArray png = pngBytes(8, 6).toHex();
    QTest::newRow("png at its goal size") << QByteArray("a{\\pict\\pngblip\\picwgoal300\\pichgoal150 " + png + "}b")
                                          << QStringLiteral("L:a|{image 20x10}|b") << false;
    QTest::newRow("png at natural size, scaled")
        << QByteArray("{\\pict\\pngblip\\picscalex200\\picscaley50 " + png + "}")
        << QStringLiteral("L:{image 16x3}") << false;
    QTest::newRow("goal of nought: natural size") << QByteArray("{\\pict\\pngblip\\picwgoal0\\pichgoal0 " + png + "}")
                                                  << QStringLiteral("L:{image 8x6}") << false;
    // 7 twips is less than half a pixel, 8 more.
    QTest::newRow("a goal under half a pixel: one pixel")
        << QByteArray("{\\pict\\pngblip\\picwgoal7\\pichgoal8 " + png + "}") << QStringLiteral("L:{image 1x1}")
        << false;
    // 15 pixels wide: the hex holds an F
    QTest::newRow("png in upper-case hex") << QByteArray("{\\pict\\pngblip " + pngBytes(15, 6).toHex().toUpper() + "}")
                                           << QStringLiteral("L:{image 15x6}") << false;
    QTest::newRow("png as binary") << QByteArray("{\\pict\\pngblip\\bin" + QByteArray::number(pngBytes(8, 6).size()) + " "
                                                 + pngBytes(8, 6) + "}")
                                   << QStringLiteral("L:{image 8x6}") << false;
    QTest::newRow("modern picture with fallback")
        << QByteArray("{\\*\\shppict{\\pict\\pngblip " + png + "}}{\\nonshppict{\\pict\\wmetafile8 0102}}")
        << QStringLiteral("L:{image 8x6}") << false;
    QTest::newRow("metafile dropped") << QByteArray("a{\\pict\\wmetafile8\\picw10\\pich10 0102}b")
                                      << QStringLiteral("L:ab") << true;
    QTest::newRow("emf dropped") << QByteArray("{\\pict\\emfblip 0102}") << QStringLiteral("L:") << true;
    QTest::newRow("broken png dropped") << QByteArray("{\\pict\\pngblip 0102}") << QStringLiteral("L:") << true;
    QTest::newRow("picture in a skipped group") << QByteArray("{\\header{\\pict\\wmetafile8 01}}a")
                                                << QStringLiteral("L:a") << false;
}

void tst_RtfReader::pictures()
{
    QFETCH(QByteArray, body);
    const Read r = read(rtf(body));
    QTEST(r.dump, "dump");
    QTEST(r.droppedPictures, "dropped");
}

void tst_RtfReader::paragraphFormats_data()
{
    QTest::addColumn<QByteArray>("words");
    QTest::addColumn<QList<qreal>>("margins"); // left, right, first line, before, after in pixels
    QTest::addColumn<int>("lineType");
    QTest::addColumn<qreal>("lineHeight");
    QTest::addColumn<Qt::LayoutDirection>("direction"); // the text is Hebrew, whatever the paragraph's direction

    const QList<qreal> none{0, 0, 0, 0, 0};
    const int single = QTextBlockFormat::SingleHeight;
    const auto ltr = Qt::LeftToRight;
    QTest::newRow("indents and spacing") << QByteArray("\\li720\\ri360\\fi-360\\sb120\\sa240")
                                         << QList<qreal>{48, 24, -24, 8, 16} << single << 0.0 << ltr;
    QTest::newRow("twips that are no whole pixel") << QByteArray("\\li100\\ri7\\fi-22\\sb1\\sa29")
                                                   << QList<qreal>{100 / 15.0, 7 / 15.0, -22 / 15.0, 1 / 15.0, 29 / 15.0}
                                                   << single << 0.0 << ltr;
    QTest::newRow("single spacing") << QByteArray("\\sl0\\slmult0") << none << single << 0.0 << ltr;
    QTest::newRow("multiple") << QByteArray("\\sl360\\slmult1") << none << int(QTextBlockFormat::ProportionalHeight) << 150.0 << ltr;
    QTest::newRow("smallest multiple") << QByteArray("\\sl24\\slmult1") << none << int(QTextBlockFormat::ProportionalHeight)
                                       << 10.0 << ltr;
    QTest::newRow("below the smallest multiple") << QByteArray("\\sl23\\slmult1") << none
                                                 << int(QTextBlockFormat::ProportionalHeight) << 10.0 << ltr;
    QTest::newRow("at least") << QByteArray("\\sl300\\slmult0") << none << int(QTextBlockFormat::MinimumHeight) << 20.0 << ltr;
    QTest::newRow("at least, uneven") << QByteArray("\\sl250\\slmult0") << none << int(QTextBlockFormat::MinimumHeight)
                                      << 250 / 15.0 << ltr;
    QTest::newRow("exactly") << QByteArray("\\sl-300\\slmult0") << none << int(QTextBlockFormat::FixedHeight) << 20.0 << ltr;
    QTest::newRow("exactly one twip") << QByteArray("\\sl-1\\slmult0") << none << int(QTextBlockFormat::FixedHeight)
                                      << 1 / 15.0 << ltr;
    QTest::newRow("exactly, uneven") << QByteArray("\\sl-301\\slmult0") << none << int(QTextBlockFormat::FixedHeight)
                                     << 301 / 15.0 << ltr;
    QTest::newRow("right to left") << QByteArray("\\rtlpar") << none << single << 0.0 << Qt::RightToLeft;
    QTest::newRow("right to left and back") << QByteArray("\\rtlpar\\ltrpar") << none << single << 0.0 << ltr;
}

void tst_RtfReader::paragraphFormats()
{
    QFETCH(QByteArray, words);
    QFETCH(QList<qreal>, margins);
    QTextDocument document;
    RtfReader::read(rtf("\\qc" + words + "\\pagebb \\u1488?\\par\\pard \\u1489?"), document);
    const QTextBlockFormat first = document.begin().blockFormat();
    QCOMPARE(first.leftMargin(), margins[0]);
    QCOMPARE(first.rightMargin(), margins[1]);
    QCOMPARE(first.textIndent(), margins[2]);
    QCOMPARE(first.topMargin(), margins[3]);
    QCOMPARE(first.bottomMargin(), margins[4]);
    QTEST(first.lineHeightType(), "lineType");
    QTEST(first.lineHeight(), "lineHeight");
    QCOMPARE(first.pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);
    QTEST(document.begin().textDirection(), "direction");

    // \\pard returns the next paragraph to the defaults.
    const QTextBlockFormat second = document.lastBlock().blockFormat();
    QCOMPARE(second.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    for (const qreal margin : {second.leftMargin(), second.rightMargin(), second.textIndent(), second.topMargin(),
                               second.bottomMargin()})
        QCOMPARE(margin, 0.0);
    QCOMPARE(second.lineHeightType(), int(QTextBlockFormat::SingleHeight));
    QCOMPARE(second.pageBreakPolicy(), QTextFormat::PageBreak_Auto);
    QCOMPARE(document.lastBlock().textDirection(), Qt::LeftToRight);
}

void tst_RtfReader::cellParagraphsKeepTheirFormats_data()
{
    QTest::addColumn<QByteArray>("before"); // the words of the paragraph before the table
    QTest::newRow("after a paragraph formatted alike") << QByteArray("\\li720\\ls1");
    QTest::newRow("after a plain paragraph") << QByteArray();
    QTest::newRow("after a paragraph indented further") << QByteArray("\\li1440");
}

void tst_RtfReader::cellParagraphsKeepTheirFormats()
{
    QFETCH(QByteArray, before);
    const QByteArray list = "{\\*\\listtable{\\list{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}"
                            "\\listid1}}{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}";
    const QByteArray item = "\\pard\\intbl\\li720\\ls1 ";
    QTextDocument document;
    RtfReader::read(rtf(list + "\\pard" + before + " text\\par\\trowd\\cellx3000\\cellx6000" + item + "one\\par" + item
                        + "two\\cell" + item + "three\\cell\\row\\pard after"),
                    document);
    const QTextTable *table = QTextCursor(document.findBlock(document.find(QStringLiteral("one")).position())).currentTable();
    QVERIFY(table);
    QStringList items; // every paragraph of the cells, indented and in the list
    for (QTextBlock block = document.findBlock(table->firstPosition()); block.position() < table->lastPosition();
         block = block.next()) {
        QCOMPARE(block.blockFormat().leftMargin(), 48.0);
        QVERIFY2(block.textList(), qPrintable(block.text()));
        items.append(block.text());
    }
    QCOMPARE(items, QStringList({QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")}));
    QCOMPARE(document.lastBlock().blockFormat().leftMargin(), 0.0);
}

void tst_RtfReader::fontCharsets_data()
{
    QTest::addColumn<int>("charset");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    // Every character set that names a code page of its own, with a word in
    // its script; the document's own code page is Windows-1251, so a font
    // that fell back to it would read other letters.
    QTest::newRow("Mac") << 77 << QByteArray("caf\\'8e \\'d2q\\'d3") << QStringLiteral("café “q”");
    QTest::newRow("Shift-JIS") << 128 << QByteArray("\\'93\\'fa\\'96\\'7b\\'8c\\'ea") << QStringLiteral("日本語");
    QTest::newRow("Hangul") << 129 << QByteArray("\\'c7\\'d1\\'b1\\'db") << QStringLiteral("한글");
    QTest::newRow("Johab") << 130 << QByteArray("\\'d0\\'65\\'8b\\'69") << QStringLiteral("한글");
    QTest::newRow("GB2312") << 134 << QByteArray("\\'d6\\'d0\\'ce\\'c4") << QStringLiteral("中文");
    QTest::newRow("Big5") << 136 << QByteArray("\\'a4\\'a4\\'a4\\'e5") << QStringLiteral("中文");
    QTest::newRow("Greek") << 161 << QByteArray("\\'c1\\'e8\\'de\\'ed\\'e1") << QStringLiteral("Αθήνα");
    QTest::newRow("Turkish") << 162 << QByteArray("\\'fe\\'f0\\'dd") << QStringLiteral("şğİ");
    QTest::newRow("Vietnamese") << 163 << QByteArray("\\'f0\\'fd") << QStringLiteral("đư");
    QTest::newRow("Hebrew") << 177 << QByteArray("\\'f9\\'ec\\'e5\\'ed") << QStringLiteral("שלום");
    QTest::newRow("Arabic") << 178 << QByteArray("\\'d3\\'e1\\'c7\\'e3") << QStringLiteral("سلام");
    QTest::newRow("Baltic") << 186 << QByteArray("\\'e0\\'eb\\'f8") << QStringLiteral("ąėų");
    QTest::newRow("Russian") << 204 << QByteArray("\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2") << QStringLiteral("Привет");
    QTest::newRow("Thai") << 222 << QByteArray("\\'a1\\'a2\\'a4") << QStringLiteral("กขค");
    QTest::newRow("Eastern European") << 238 << QByteArray("\\'9ale\\'9d") << QStringLiteral("šleť");
    QTest::newRow("PC 437") << 254 << QByteArray("5\\'9b") << QStringLiteral("5¢");
    QTest::newRow("OEM") << 255 << QByteArray("\\'9bre") << QStringLiteral("øre");
    QTest::newRow("ANSI follows the document") << 0 << QByteArray("\\'cf\\'e0") << QStringLiteral("Па");
    QTest::newRow("default follows the document") << 1 << QByteArray("\\'cf\\'e0") << QStringLiteral("Па");
    QTest::newRow("unknown follows the document") << 239 << QByteArray("\\'cf\\'e0") << QStringLiteral("Па");
}

void tst_RtfReader::fontCharsets()
{
    QFETCH(int, charset);
    QFETCH(QByteArray, bytes);
    const QByteArray input = "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Plain;}{\\f1\\fcharset" + QByteArray::number(charset)
        + " Other;}}\\f1 " + bytes + "\\f0  \\'cf}";
    QFETCH(QString, text);
    QCOMPARE(read(input).text, text + u" П"); // and back in the document's code page
}

void tst_RtfReader::doubleByteCharactersStayWhole_data()
{
    QTest::addColumn<QByteArray>("fontTable");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    // Raw second bytes that are "\\", "{" and "}" belong to their character;
    // the markup after them is markup again.
    const QByteArray sjis = "{\\f1\\fcharset128 MS Mincho;}";
    QTest::newRow("Shift-JIS backslash") << sjis << QByteArray("\x95\x5c\\b x") << QStringLiteral("表x");
    QTest::newRow("Shift-JIS braces") << sjis << QByteArray("\x81\x7b\x81\x7d{\\b x}") << QStringLiteral("＋±x");
    QTest::newRow("Shift-JIS, the lead bytes either side of kana") << sjis << QByteArray("\x9f\x5c\xe0\x5c\\b x")
                                                                   << QStringLiteral("歃濬x");
    // A byte that starts no character, and a character cut short, each show
    // as one replacement character.
    QTest::newRow("Shift-JIS, a byte of no character") << sjis << QByteArray("\xa0\\b x") << QStringLiteral("\ufffdx");
    QTest::newRow("Shift-JIS, a lead byte without its second") << sjis << QByteArray("\\'82\\b x") << QStringLiteral("\ufffdx");
    QTest::newRow("Shift-JIS single-byte kana") << sjis << QByteArray("\xb1{\\b x}") << QStringLiteral("ｱx");
    QTest::newRow("GBK") << QByteArray("{\\f1\\fcharset134 SimSun;}") << QByteArray("\x81\x5c\x81\x7b\x81\x7d\\b x")
                         << QStringLiteral("乗亄亇x");
    QTest::newRow("Big5") << QByteArray("{\\f1\\fcharset136 MingLiU;}") << QByteArray("\xa1\x5c\xa1\x7b\xa1\x7d\\b x")
                          << QStringLiteral("﹏﹃﹙x");
    QTest::newRow("Korean") << QByteArray("{\\f1\\fcharset129 Batang;}") << QByteArray("\xc7\xd1\\b x") << QStringLiteral("한x");
    QTest::newRow("Johab") << QByteArray("{\\f1\\fcharset130 Johab;}") << QByteArray("\xd3\x5c\xd3\x7b\xd3\x7d\\b x")
                           << QStringLiteral("흎흩흫x");
    // After the last lead byte, too, the second byte is not markup, even
    // where the code page defines no character for the pair.
    QTest::newRow("Shift-JIS, the last lead byte") << sjis << QByteArray("\xfc\x4b\xfc\x5c\\b x") << QStringLiteral("黑\ufffd\\x");
    QTest::newRow("GBK, the last lead byte") << QByteArray("{\\f1\\fcharset134 SimSun;}") << QByteArray("\xfe\x5c\\b x")
                                             << QStringLiteral("\ufffd\\x");
    QTest::newRow("code page by \\cpg") << QByteArray("{\\f1\\cpg936 SimSun;}") << QByteArray("\x81\x5c\\b x")
                                        << QStringLiteral("乗x");
    // In a single-byte font the same bytes are two characters and markup.
    QTest::newRow("Windows-1252") << QByteArray("{\\f1 Times;}") << QByteArray("\x95\\b x") << QStringLiteral("•x");
}

void tst_RtfReader::doubleByteCharactersStayWhole()
{
    QFETCH(QByteArray, fontTable);
    QFETCH(QByteArray, bytes);
    const QByteArray input = "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Times;}" + fontTable + "}\\f1 " + bytes + "\\f0  \\'e9}";
    QFETCH(QString, text);
    QCOMPARE(read(input).text, text + u" é");
}

void tst_RtfReader::malformedInputEndsInADocument_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("only the header") << QByteArray("{\\rtf1") << QString();
    QTest::newRow("missing closing braces") << QByteArray("{\\rtf1 a{\\b b{\\i c") << QStringLiteral("abc");
    QTest::newRow("stray closing braces") << QByteArray("{\\rtf1 a}}}}b}") << QStringLiteral("ab");
    QTest::newRow("truncated hex escape") << QByteArray("{\\rtf1 a\\'4") << QStringLiteral("a");
    QTest::newRow("bad hex escape") << QByteArray("{\\rtf1 a\\'zzb}") << QStringLiteral("azzb");
    QTest::newRow("truncated control word") << QByteArray("{\\rtf1 a\\") << QStringLiteral("a");
    QTest::newRow("truncated unicode") << QByteArray("{\\rtf1 a\\u") << QStringLiteral("a");
    QTest::newRow("huge parameters")
        << QByteArray("{\\rtf1 \\fs99999999999999\\f-99999999999\\cf2147483647\\li2147483647\\sl-2147483648"
                      "{\\uc999999999\\u99999999999 ab}{\\u-99999999999 c}d}")
        << QStringLiteral("d");
    QTest::newRow("bin past the end") << QByteArray("{\\rtf1 a{\\pict\\pngblip\\bin999999999 xyz") << QStringLiteral("a");
    QTest::newRow("negative bin") << QByteArray("{\\rtf1 a\\bin-5 b}") << QStringLiteral("ab");
    QTest::newRow("deep nesting, closed") << QByteArray("{\\rtf1 a" + QByteArray(100000, '{') + "b" + QByteArray(100000, '}') + "c}")
                                          << QStringLiteral("abc");
    QTest::newRow("deep nesting, open") << QByteArray("{\\rtf1 a" + QByteArray(100000, '{') + "b") << QStringLiteral("ab");
    QTest::newRow("deep skipped nesting") << QByteArray("{\\rtf1 a{\\*\\x" + QByteArray(100000, '{') + QByteArray(100000, '}') + "}b}")
                                          << QStringLiteral("ab");
    QTest::newRow("font table never closed") << QByteArray("{\\rtf1{\\fonttbl{\\f0 Times") << QString();
    QTest::newRow("picture never closed") << QByteArray("{\\rtf1 a{\\pict\\pngblip 89504e") << QStringLiteral("a");
    QTest::newRow("nul bytes") << QByteArray("{\\rtf1 a\0b}", 10) << QString::fromUtf16(u"a\0b", 3);
}

void tst_RtfReader::malformedInputEndsInADocument()
{
    QFETCH(QByteArray, input);
    QTEST(read(input).text, "text");
}

void tst_RtfReader::randomBytesNeverBreakTheReader()
{
    // Fixed seeds: the same bytes on every run.
    const QByteArray alphabet("{}\\\\'*abcdefuinlp0123456789- \r\n\x80\xff;");
    for (quint32 seed = 1; seed <= 200; ++seed) {
        QRandomGenerator random(seed);
        QByteArray input("{\\rtf1 ");
        const int length = int(random.bounded(4000));
        for (int i = 0; i < length; ++i)
            input.append(seed % 2 ? alphabet[int(random.bounded(int(alphabet.size())))] : char(random.bounded(256)));
        QTextDocument document;
        RtfReader::read(input, document);
        QVERIFY2(document.characterCount() <= input.size() + 2, qPrintable(QString::number(seed)));
    }
}

QTEST_MAIN(tst_RtfReader)
#include "tst_rtfreader.moc"
