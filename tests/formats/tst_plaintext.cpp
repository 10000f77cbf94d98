#include "formats/plaintext.h"

#include <QTest>

class tst_PlainText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decode_data();
    void decode();
    void decodeLines_data();
    void decodeLines();
    void everyLineEndBecomesOneLineFeed();
};

void tst_PlainText::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("ascii") << QByteArray("plain") << QStringLiteral("plain");
    QTest::newRow("utf-8") << QByteArray("na\xc3\xafve \xe2\x80\x94 \xf0\x9f\x93\x9c") << QStringLiteral("naïve — 📜");
    QTest::newRow("utf-8 mark dropped") << QByteArray("\xef\xbb\xbfhi") << QStringLiteral("hi");
    // U+FEFF past the mark is a character of the text, wherever it stands.
    QTest::newRow("utf-8 mark, then U+FEFF") << QByteArray("\xef\xbb\xbf\xef\xbb\xbfhi") << QStringLiteral("\ufeffhi");
    QTest::newRow("U+FEFF after a stray byte") << QByteArray("\xe9\xef\xbb\xbf\xe2\x80\x94") << QStringLiteral("é\ufeff—");
    QTest::newRow("utf-8 mark, then a stray byte") << QByteArray("\xef\xbb\xbf\xc3\xa9t\xe9") << QStringLiteral("été");
    QTest::newRow("utf-16 le mark") << QByteArray("\xff\xfe\xe9\x00", 4) << QStringLiteral("é");
    QTest::newRow("utf-16 le mark, then U+FEFF") << QByteArray("\xff\xfe\xff\xfe\xe9\x00", 6) << QStringLiteral("\ufeffé");
    QTest::newRow("utf-16 be mark") << QByteArray("\xfe\xff\x00\xe9", 4) << QStringLiteral("é");
    QTest::newRow("windows-1252") << QByteArray("caf\xe9 \x80\x92") << QStringLiteral("café €’");
    QTest::newRow("1252 undefined bytes") << QByteArray("\x81\x8d\x8f\x90\x9d") << QStringLiteral("\u0081\u008d\u008f\u0090\u009d");
    QTest::newRow("truncated utf-8 is 1252") << QByteArray("ab\xc3") << QStringLiteral("abÃ");
    QTest::newRow("overlong utf-8 is 1252") << QByteArray("\xc0\xaf") << QStringLiteral("À¯");
    // Each byte that belongs to no valid UTF-8 sequence is read alone; the
    // sequences around it stay UTF-8.
    QTest::newRow("stray byte among utf-8") << QByteArray("\xc3\xa9t\xe9 \xe2\x80\x94") << QStringLiteral("été —");
    QTest::newRow("cut sequence then ascii") << QByteArray("\xe2\x80x\xc3\xa9") << QStringLiteral("â€xé");
    QTest::newRow("overlong three bytes are 1252") << QByteArray("\xe0\x9f\xbf\xc3\xa9") << QStringLiteral("àŸ¿é");
    QTest::newRow("overlong four bytes are 1252")
        << QByteArray("\xf0\x8f\xbf\xbf\xc3\xa9") << QStringLiteral("ð\u008f¿¿é");
    QTest::newRow("sequence broken by a lead byte") << QByteArray("\xe2\x80\xc3\xa9") << QStringLiteral("â€é");
    QTest::newRow("broken by the first byte past continuations") << QByteArray("\xe2\x80\xc0\xc3\xa9")
                                                                 << QStringLiteral("â€Àé");
    QTest::newRow("surrogate in utf-8 is 1252") << QByteArray("\xed\xa0\x80\xc3\xa9") << QStringLiteral("í\u00a0€é");
    QTest::newRow("past U+10FFFF is 1252") << QByteArray("\xf4\x90\x80\x80") << QStringLiteral("ô\u0090€€");
    QTest::newRow("no lead byte past F4") << QByteArray("\xf5\x80\x80\x80\xc3\xa9") << QStringLiteral("õ€€€é");
    QTest::newRow("first three-byte sequence, then Thai")
        << QByteArray("\xe0\xa0\x80 \xe0\xb9\x84\xe0\xb8\x97\xe0\xb8\xa2\xe9") << QStringLiteral("\u0800 ไทยé");
    QTest::newRow("last two-byte sequence") << QByteArray("\xdf\xbf\xe9") << QStringLiteral("\u07ffé");
    QTest::newRow("last valid code point") << QByteArray("\xf4\x8f\xbf\xbf\xe9") << QStringLiteral("\U0010FFFFé");
    QTest::newRow("stray continuation byte") << QByteArray("\x80\xc3\xa9") << QStringLiteral("€é");
}

void tst_PlainText::decode()
{
    QFETCH(QByteArray, bytes);
    QTEST(PlainText::decode(bytes), "text");
}

void tst_PlainText::decodeLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("nothing") << QByteArray() << QStringList{};
    QTest::newRow("one line, no end") << QByteArray("idea") << QStringList{QStringLiteral("idea")};
    QTest::newRow("one line end") << QByteArray("\r\n") << QStringList{QString()};
    QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("lone cr") << QByteArray("a\rb") << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("lone lf") << QByteArray("a\nb\n") << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("lf cr is two ends") << QByteArray("a\n\rb") << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")};
    QTest::newRow("empty lines kept") << QByteArray("a\r\n\r\nb") << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")};
    QTest::newRow("blank last line") << QByteArray("a\r\n ") << QStringList{QStringLiteral("a"), QStringLiteral(" ")};
    QTest::newRow("utf-8 with mark") << QByteArray("\xef\xbb\xbf\xc3\xa9\r\n\xe2\x80\x94") << QStringList{QStringLiteral("é"), QStringLiteral("—")};
    QTest::newRow("one bad byte spoils only itself")
        << QByteArray("caf\xc3\xa9\r\ncaf\xe9") << QStringList{QStringLiteral("café"), QStringLiteral("café")};
    QTest::newRow("U+FEFF starts a line") << QByteArray("a\n\xef\xbb\xbf\xc3\xa9") << QStringList{QStringLiteral("a"), QStringLiteral("\ufeffé")};
    QTest::newRow("utf-16") << QByteArray("\xff\xfe" "a\0\r\0\n\0b\0", 10) << QStringList{QStringLiteral("a"), QStringLiteral("b")};
}

void tst_PlainText::decodeLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QCOMPARE(PlainText::decodeLines(bytes), lines);
}

void tst_PlainText::everyLineEndBecomesOneLineFeed()
{
    QCOMPARE(PlainText::toLfLineEnds(u"a\r\nb\rc\nd\n\r"), QStringLiteral("a\nb\nc\nd\n\n"));
    QCOMPARE(PlainText::toLfLineEnds(u"no breaks"), QStringLiteral("no breaks"));
}

QTEST_GUILESS_MAIN(tst_PlainText)
#include "tst_plaintext.moc"
