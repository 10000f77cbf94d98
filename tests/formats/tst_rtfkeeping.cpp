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

} // namespace

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
