#include "formats/documenthtml.h"
#include "formats/rtfreader.h"

#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>

namespace {

QByteArray rows(int count, const QByteArray &cells = "\\cellx1000\\cellx2000")
{
    QByteArray rtf;
    for (int r = 0; r < count; ++r)
        rtf += "\\trowd" + cells + "\\pard\\intbl r" + QByteArray::number(r) + "\\cell \\u1071?\\cell\\row\n";
    return rtf;
}

int count(const QString &html, const QString &pattern)
{
    int found = 0;
    for (QRegularExpressionMatchIterator match = QRegularExpression(pattern).globalMatch(html); match.hasNext(); match.next())
        ++found;
    return found;
}

} // namespace

class tst_DocumentHtml : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tablesAreWholeAndListsStartAsTheFileSays_data();
    void tablesAreWholeAndListsStartAsTheFileSays();
};

void tst_DocumentHtml::tablesAreWholeAndListsStartAsTheFileSays_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("tables");
    QTest::addColumn<QStringList>("starts"); // of each <ol> and <ul>, in order; "-" for none
    QTest::newRow("a short table") << rows(3) << 1 << QStringList();
    QTest::newRow("a table of one part") << rows(128) << 1 << QStringList();
    QTest::newRow("a row more") << rows(129) << 1 << QStringList();
    QTest::newRow("three parts") << rows(257) << 1 << QStringList();
    QTest::newRow("two tables apart") << rows(129) + "\\pard between\\par\n" + rows(2) << 2 << QStringList();
    QTest::newRow("a long table in a cell")
        << QByteArray("\\trowd\\cellx4000\\pard\\intbl\\itap1 ")
               + rows(130, "\\cellx1000\\cellx2000").replace("\\intbl", "\\intbl\\itap2").replace("\\cell ", "\\nestcell ")
                     .replace("\\cell\\row", "\\nestcell{\\*\\nesttableprops\\trowd\\cellx1000\\cellx2000\\nestrow}")
               + "\\pard\\intbl\\itap1 \\cell\\row\n"
        << 2 << QStringList();

    const QByteArray lists =
        "{\\*\\listtable{\\list{\\listlevel\\levelnfc0\\levelstartat5{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}\\listid1}"
        "{\\list{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}\\listid2}"
        "{\\list{\\listlevel\\levelnfc2\\levelstartat3{\\leveltext\\'03(\\'00);}{\\levelnumbers\\'02;}}\\listid3}"
        "{\\list{\\listlevel\\levelnfc23\\levelstartat9{\\leveltext\\'01\\u8226 ?;}}\\listid4}"
        "{\\list{\\listlevel\\levelnfc0\\levelstartat0{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}\\listid5}}"
        "{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}{\\listoverride\\listid2\\ls2}"
        "{\\listoverride\\listid3\\ls3}{\\listoverride\\listid4\\ls4}{\\listoverride\\listid5\\ls5}}\n";
    QTest::newRow("numbers from 5") << lists + "\\pard\\ls1 a\\par\\pard\\ls1 b\\par" << 0 << QStringList{QStringLiteral("5")};
    QTest::newRow("numbers from 1") << lists + "\\pard\\ls2 a\\par" << 0 << QStringList{QStringLiteral("-")};
    QTest::newRow("bullets") << lists + "\\pard\\ls4 a\\par" << 0 << QStringList{QStringLiteral("-")};
    QTest::newRow("numbers from 0") << lists + "\\pard\\ls5 a\\par" << 0 << QStringList{QStringLiteral("0")};
    QTest::newRow("bullets, then numbers from 5") << lists + "\\pard\\ls4 a\\par\\pard x\\par\\pard\\ls1 b\\par" << 0
                                                  << QStringList{QStringLiteral("-"), QStringLiteral("5")};
    QTest::newRow("from 1, then from 5") << lists + "\\pard\\ls2 a\\par\\pard x\\par\\pard\\ls1 \\u1071?\\par" << 0
                                         << QStringList{QStringLiteral("-"), QStringLiteral("5")};
    QTest::newRow("roman from 3 in a cell, after a long table")
        << lists + rows(129) + "\\pard\\par\\trowd\\cellx3000\\pard\\intbl\\ls3 a\\par\\pard\\intbl\\ls3 b\\cell\\row\\pard\\ls1 c\\par" << 2
        << QStringList{QStringLiteral("3"), QStringLiteral("5")};
}

void tst_DocumentHtml::tablesAreWholeAndListsStartAsTheFileSays()
{
    QFETCH(QByteArray, body);
    QFETCH(int, tables);
    QTextDocument document;
    RtfReader::read(QByteArray("{\\rtf1\\ansi\\uc1{\\fonttbl{\\f0 Times;}}" + body + '}'), document);
    const QString html = DocumentHtml::of(document);

    QCOMPARE(count(html, QStringLiteral("<table")), tables);
    QCOMPARE(count(html, QStringLiteral("</table>")), tables);
    // Every row of the file, and the text of each, once.
    QCOMPARE(count(html, QStringLiteral("<tr>")), int(body.count("\\row") + body.count("\\nestrow")));
    QCOMPARE(html.count(u'Я'), int(body.count("\\u1071?")));

    QStringList starts;
    for (const QRegularExpressionMatch &tag : QRegularExpression(QStringLiteral("<(?:ol|ul)( start=\"(\\d+)\")?")).globalMatch(html))
        starts.append(tag.hasCaptured(2) ? tag.captured(2) : QStringLiteral("-"));
    QTEST(starts, "starts");
}

QTEST_MAIN(tst_DocumentHtml)
#include "tst_documenthtml.moc"
