#include "formats/documentproperties.h"
#include "formats/rtfreader.h"
#include "formats/rtfwriter.h"

#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

// What a document holds survives a read, a save and a second read.
class tst_RtfKeeping : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keptThroughASave_data();
    void keptThroughASave();
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

    const QByteArray head = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Times;}}{\\colortbl;\\red200\\green0\\blue0;}";
    QTest::newRow("hidden text") << head + "a{\\v secret}b}" << QStringLiteral("asecretb") << QStringLiteral("secret")
                                 << QByteArrayList{"\\v secret\\v0"};
    QTest::newRow("hidden text switched off") << head + "\\v a\\v0 b}" << QStringLiteral("ab") << QStringLiteral("a")
                                              << QByteArrayList{"\\v a\\v0"};
    QTest::newRow("hidden text keeps its colour") << head + "\\cf1\\v red\\v0 shown}" << QStringLiteral("redshown")
                                                  << QStringLiteral("red") << QByteArrayList{"\\red200\\green0\\blue0;", "\\v\\cf1 red\\v0 shown"};
    QTest::newRow("hidden outside Latin-1") << head + "{\\v \\u1071?\\u1079?}}" << QStringLiteral("Яз") << QStringLiteral("Яз")
                                            << QByteArrayList{"\\v \\u1071?\\u1079?\\par"};
    // Font names: in the font's code page, or as \\uN with a fallback.
    QTest::newRow("font name in its code page")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 \\'cf\\'e5\\'f0\\'ee;}}\\f0 x}") << QStringLiteral("x")
        << QString() << QByteArrayList{"\\u1055?\\u1077?\\u1088?\\u1086?;"};
    QTest::newRow("font name as unicode") << QByteArray("{\\rtf1\\ansi\\uc1{\\fonttbl{\\f0 \\u26126?\\u26397?;}}\\f0 x}")
                                          << QStringLiteral("x") << QString() << QByteArrayList{"\\u26126?\\u26397?;"};
    QTest::newRow("font name mixing both") << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Caf\\'e9 \\uc2\\u9731??;}}\\f0 x}")
                                           << QStringLiteral("x") << QString() << QByteArrayList{"Caf\\u233\\'e9 \\u9731?;"};
}

void tst_RtfKeeping::keptThroughASave()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QTextDocument document;
    RtfReader::read(rtf, document);
    QCOMPARE(textOf(document), text);
    QTEST(charactersWith(document, DocumentProperty::Hidden), "hidden");
    for (const QChar c : charactersWith(document, DocumentProperty::Hidden)) {
        QTextCursor cursor(&document);
        cursor.setPosition(int(textOf(document).indexOf(c)) + 1);
        QCOMPARE(cursor.charFormat().foreground().color().rgba(), DocumentProperty::HiddenTextColor);
    }

    const QByteArray file = RtfWriter::write(document);
    QFETCH(QByteArrayList, saved);
    for (const QByteArray &part : std::as_const(saved))
        QVERIFY2(file.contains(part), file.constData());
    QTextDocument reloaded;
    RtfReader::read(file, reloaded);
    QCOMPARE(textOf(reloaded), text);
    QTEST(charactersWith(reloaded, DocumentProperty::Hidden), "hidden");
    QCOMPARE(RtfWriter::write(reloaded), file);
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
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl";
    for (int i = 0; i < fonts; ++i)
        rtf += "{\\f" + QByteArray::number(i) + "\\froman Quillmere Missing " + QByteArray::number(i) + ";}";
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
    }
    // What is shown is the font's name or the generic family of its kind.
    QTextCursor last(&document);
    last.setPosition(fonts);
    const QString shown = last.charFormat().fontFamilies().toStringList().value(0);
    QVERIFY2(shown == fontNameAt(document, fonts - 1) || shown == u"serif", qPrintable(shown));
    if (fonts > 64)
        QCOMPARE(shown, QStringLiteral("serif"));
}

QTEST_MAIN(tst_RtfKeeping)
#include "tst_rtfkeeping.moc"
