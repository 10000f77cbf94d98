#include "documentdump.h"
#include "formats/codepage.h"
#include "formats/rtfreader.h"
#include "formats/rtfsymbols.h"
#include "formats/rtfwriter.h"

#include <QBuffer>
#include <QImage>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

namespace {

using Build = std::function<void(QTextCursor &)>;

QTextCharFormat format(std::initializer_list<std::function<void(QTextCharFormat &)>> setters)
{
    QTextCharFormat f;
    for (const auto &set : setters)
        set(f);
    return f;
}

const auto bold = [](QTextCharFormat &f) { f.setFontWeight(QFont::Bold); };
const auto italic = [](QTextCharFormat &f) { f.setFontItalic(true); };
const auto underline = [](QTextCharFormat &f) { f.setFontUnderline(true); };
const auto strike = [](QTextCharFormat &f) { f.setFontStrikeOut(true); };

QByteArray imageBytes(const char *format, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(10, 200, 30));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// Writes the document and reads the RTF back.
void roundTrip(const QTextDocument &original, QTextDocument &copy)
{
    RtfReader::read(RtfWriter::write(original), copy);
}

// The text as a reader that knows no \uN reads it from the fallbacks: the
// characters of Windows-1252 and those with control words of their own as
// they are, a question mark for each UTF-16 unit of any other.
QString readWithoutUnicode(QStringView text)
{
    QString read;
    for (const QChar c : text) {
        bool shown = c.unicode() < 0x80 || c == QChar::ParagraphSeparator || RtfSymbols::control(c.unicode());
        for (int byte = 0x80; byte <= 0xFF && !shown; ++byte)
            shown = CodePage::windows1252(static_cast<unsigned char>(byte)) == c;
        read += shown ? c : QChar(u'?');
    }
    return read;
}

} // namespace

class tst_RtfWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyAttributeSurvives_data();
    void everyAttributeSurvives();
    void unicodeSurvives_data();
    void unicodeSurvives();
    void nonAsciiIsWrittenAsUnicodeWithFallback();
    void paragraphFormatsSurvive_data();
    void paragraphFormatsSurvive();
    void everyColourKeepsItsEntry();
    void picturesSurviveByteForByte_data();
    void picturesSurviveByteForByte();
    void emptyParagraphsSurvive_data();
    void emptyParagraphsSurvive();
};

void tst_RtfWriter::everyAttributeSurvives_data()
{
    QTest::addColumn<QTextCharFormat>("format");

    QTest::newRow("bold") << format({bold});
    QTest::newRow("italic") << format({italic});
    QTest::newRow("underline") << format({underline});
    QTest::newRow("strike") << format({strike});
    QTest::newRow("all four") << format({bold, italic, underline, strike});
    QTest::newRow("semi-bold, the least that is bold")
        << format({[](QTextCharFormat &f) { f.setFontWeight(QFont::DemiBold); }});
    QTest::newRow("font") << format({[](QTextCharFormat &f) { f.setFontFamilies({QStringLiteral("DejaVu Serif")}); }});
    QTest::newRow("size") << format({[](QTextCharFormat &f) { f.setFontPointSize(17.5); }});
    QTest::newRow("one point, the smallest read") << format({[](QTextCharFormat &f) { f.setFontPointSize(1); }});
    QTest::newRow("colour") << format({[](QTextCharFormat &f) { f.setForeground(QColor(0x12, 0x34, 0x56)); }});
    QTest::newRow("background") << format({[](QTextCharFormat &f) { f.setBackground(QColor(255, 255, 0)); }});
    QTest::newRow("superscript")
        << format({[](QTextCharFormat &f) { f.setVerticalAlignment(QTextCharFormat::AlignSuperScript); }});
    QTest::newRow("subscript") << format({[](QTextCharFormat &f) { f.setVerticalAlignment(QTextCharFormat::AlignSubScript); }});
    QTest::newRow("everything at once")
        << format({bold, italic, underline, strike, [](QTextCharFormat &f) {
                       f.setFontFamilies({QStringLiteral("Liberation Sans")});
                       f.setFontPointSize(9);
                       f.setForeground(Qt::red);
                       f.setBackground(Qt::cyan);
                   }});
}

void tst_RtfWriter::everyAttributeSurvives()
{
    QFETCH(QTextCharFormat, format);
    QTextDocument original;
    QTextCursor cursor(&original);
    QTextCharFormat plain;
    plain.setFontPointSize(12);
    cursor.insertText(QStringLiteral("before "), plain);
    QTextCharFormat styled = format;
    if (!styled.hasProperty(QTextFormat::FontPointSize))
        styled.setFontPointSize(12);
    cursor.insertText(QStringLiteral("styled"), styled);
    cursor.insertText(QStringLiteral(" after"), plain);

    QTextDocument copy;
    roundTrip(original, copy);
    const QString family = original.defaultFont().family();
    QCOMPARE(dumpDocument(copy, family), dumpDocument(original, family));
    QVERIFY(dumpDocument(copy, family).contains(u"styled{"));
}

void tst_RtfWriter::unicodeSurvives_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("ascii specials") << QStringLiteral("back\\slash {braces} tab\there");
    QTest::newRow("latin-1 and 1252") << QStringLiteral("café naïve ÿ € “quotes” ‘single’ — – … • ™ Œ š Ÿ");
    QTest::newRow("first past ASCII") << QStringLiteral("a\u0080b");
    QTest::newRow("named symbols") << QStringLiteral("non\u00a0breaking soft\u00adhyphen hard\u2011hyphen\u2028new line");
    QTest::newRow("greek, cyrillic, hebrew, arabic") << QStringLiteral("Ωμέγα Привет שלום سلام");
    QTest::newRow("cjk") << QStringLiteral("日本語 中文 한국어");
    QTest::newRow("beyond the basic plane") << QStringLiteral("clef 𝄞, emoji 📜🖋, math 𝔸");
    QTest::newRow("hebrew first") << QStringLiteral("שלום world\nworld שלום");
    QTest::newRow("upper half of the plane") << QStringLiteral("\uffe5\ufb01\ue000");
}

void tst_RtfWriter::unicodeSurvives()
{
    QFETCH(QString, text);
    QTextDocument original;
    original.setPlainText(text);
    QTextDocument copy;
    roundTrip(original, copy);
    QCOMPARE(copy.toRawText(), original.toRawText());
    // Each paragraph runs as Qt showed it, also where Qt took that from the text.
    for (QTextBlock a = original.begin(), b = copy.begin(); a.isValid() && b.isValid(); a = a.next(), b = b.next())
        QCOMPARE(b.textDirection(), a.textDirection());

    const QString rtf = QString::fromLatin1(RtfWriter::write(original));
    QTextDocument withoutUnicode;
    RtfReader::read(QString(rtf).remove(QRegularExpression(QStringLiteral("\\\\u-?[0-9]+"))).toLatin1(), withoutUnicode);
    QCOMPARE(withoutUnicode.toRawText(), readWithoutUnicode(original.toRawText()));
    for (const QChar c : rtf)
        QVERIFY(c.unicode() < 0x80); // plain 7-bit RTF
}

void tst_RtfWriter::nonAsciiIsWrittenAsUnicodeWithFallback()
{
    QTextDocument document;
    document.setPlainText(QStringLiteral("é€Ж{}\\\t—"));
    const QByteArray rtf = RtfWriter::write(document);
    QVERIFY2(rtf.contains("\\u233\\'e9\\u8364\\'80\\u1046?\\{\\}\\\\\\tab \\emdash "), rtf.constData());
    QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
}

void tst_RtfWriter::paragraphFormatsSurvive_data()
{
    QTest::addColumn<QByteArray>("words");

    // Read, written and read again, each paragraph comes back with the same
    // control words, so nothing drifts by rounding from one save to the next.
    QTest::newRow("left") << QByteArray("\\li720\\ri360\\fi-360\\sb120\\sa240 ");
    QTest::newRow("centred") << QByteArray("\\qc ");
    QTest::newRow("right") << QByteArray("\\qr ");
    QTest::newRow("justified") << QByteArray("\\qj ");
    QTest::newRow("twips that are no whole pixel") << QByteArray("\\li100\\ri7\\fi-22\\sb1\\sa29 ");
    // Twips whose pixels times fifteen fall a hair below the whole number.
    QTest::newRow("twips that round back up") << QByteArray("\\li123\\ri245\\fi-246\\sb247\\sa490 ");
    QTest::newRow("multiple") << QByteArray("\\sl360\\slmult1 ");
    QTest::newRow("at least") << QByteArray("\\sl250\\slmult0 ");
    QTest::newRow("exactly") << QByteArray("\\sl-301\\slmult0 ");
    QTest::newRow("page break before") << QByteArray("\\pagebb ");
    QTest::newRow("right to left") << QByteArray("\\rtlpar ");
}

void tst_RtfWriter::paragraphFormatsSurvive()
{
    QFETCH(QByteArray, words);
    QTextDocument original;
    RtfReader::read(QByteArray("{\\rtf1\\ansi\\pard\\plain" + words + "text\\par}"), original);
    const QByteArray written = RtfWriter::write(original);
    QVERIFY2(written.contains(QByteArray("\\pard\\plain" + words + "text\\par")), written.constData());

    QTextDocument copy;
    roundTrip(original, copy);
    QCOMPARE(copy.begin().blockFormat(), original.begin().blockFormat());
}

void tst_RtfWriter::everyColourKeepsItsEntry()
{
    QTextDocument original;
    QTextCursor cursor(&original);
    const QColor colours[] = {QColor(1, 2, 3), QColor(200, 100, 50), QColor(0, 0, 255)};
    for (const QColor &colour : colours) {
        QTextCharFormat f;
        f.setForeground(colour);
        cursor.insertText(QStringLiteral("x"), f);
    }
    QTextCharFormat last;
    last.setBackground(colours[2]); // the last entry, as highlight as well
    cursor.insertText(QStringLiteral("y"), last);

    QTextDocument copy;
    roundTrip(original, copy);
    QTextCursor read(&copy);
    for (int i = 0; i < 3; ++i) {
        read.setPosition(i + 1);
        QCOMPARE(read.charFormat().foreground().color(), colours[i]);
    }
    read.setPosition(4);
    QCOMPARE(read.charFormat().background().color(), colours[2]);
    QVERIFY(read.charFormat().foreground().style() == Qt::NoBrush);
}

void tst_RtfWriter::picturesSurviveByteForByte_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("kind"); // as the file names it, for readers that go by the name
    QTest::addColumn<QByteArray>("kept"); // the picture's bytes in the file
    QTest::addColumn<QSize>("shown");     // in pixels

    const QByteArray png = imageBytes("PNG", 7, 5);
    const QByteArray jpeg = imageBytes("JPEG", 9, 4);
    QTest::newRow("png") << png << QStringLiteral("a.png") << QByteArray("pngblip") << png << QSize(70, 50);
    QTest::newRow("jpeg shown one pixel small") << jpeg << QStringLiteral("b.jpg") << QByteArray("jpegblip") << jpeg
                                                << QSize(1, 1);
    QTest::newRow("another format, as png") << imageBytes("BMP", 6, 3) << QStringLiteral("c.bmp") << QByteArray("pngblip")
                                            << imageBytes("PNG", 6, 3) << QSize(70, 50);
}

void tst_RtfWriter::picturesSurviveByteForByte()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name);
    QFETCH(QSize, shown);
    QTextDocument original;
    original.addResource(QTextDocument::ImageResource, QUrl(name), bytes);
    QTextCursor cursor(&original);
    cursor.insertText(QStringLiteral("see "));
    QTextImageFormat image;
    image.setName(name);
    image.setWidth(shown.width());
    image.setHeight(shown.height());
    cursor.insertImage(image);
    cursor.insertText(QStringLiteral(" here"));
    QFETCH(QByteArray, kind);
    QFETCH(QByteArray, kept);
    // The picture's own size in pixels, for readers that scale by it.
    const QSize size = QImage::fromData(bytes).size();
    QVERIFY(RtfWriter::write(original).contains(QByteArray("{\\pict\\" + kind + "\\picw" + QByteArray::number(size.width())
                                                           + "\\pich" + QByteArray::number(size.height()))));

    QTextDocument copy;
    roundTrip(original, copy);
    QCOMPARE(copy.toRawText(), original.toRawText());
    QTextImageFormat read;
    for (auto it = copy.begin().begin(); !it.atEnd(); ++it)
        if (it.fragment().charFormat().isImageFormat())
            read = it.fragment().charFormat().toImageFormat();
    QVERIFY(read.isValid());
    QCOMPARE(read.width(), qreal(shown.width()));
    QCOMPARE(read.height(), qreal(shown.height()));
    QCOMPARE(copy.resource(QTextDocument::ImageResource, QUrl(read.name())).toByteArray(), kept);
}

void tst_RtfWriter::emptyParagraphsSurvive_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty document") << QString();
    QTest::newRow("one line") << QStringLiteral("one");
    QTest::newRow("empty last paragraph") << QStringLiteral("one\n");
    QTest::newRow("empty first and middle") << QStringLiteral("\none\n\ntwo");
    QTest::newRow("only breaks") << QStringLiteral("\n\n\n");
}

void tst_RtfWriter::emptyParagraphsSurvive()
{
    QFETCH(QString, text);
    QTextDocument original;
    original.setPlainText(text);
    QTextDocument copy;
    roundTrip(original, copy);
    QCOMPARE(copy.blockCount(), original.blockCount());
    QCOMPARE(copy.toPlainText(), text);
}

QTEST_MAIN(tst_RtfWriter)
#include "tst_rtfwriter.moc"
