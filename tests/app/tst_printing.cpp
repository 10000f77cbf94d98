#include "appfixture.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

// The text of a printed file, its white space simplified, through pdftotext.
QString printedText(const QString &pdftotext, const QString &pdf)
{
    QProcess reader;
    reader.start(pdftotext, {pdf, QStringLiteral("-")});
    reader.waitForFinished();
    return QString::fromUtf8(reader.readAllStandardOutput()).simplified();
}

struct PrintedWord
{
    QString text;
    QRectF box; // in points from the page's top left
    int page;   // from 1
};

// The words of a printed file, each with where it stands on its page.
QList<PrintedWord> printedWords(const QString &pdftotext, const QString &pdf)
{
    QProcess reader;
    reader.start(pdftotext, {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    reader.waitForFinished();
    const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    QList<PrintedWord> words;
    int page = 0;
    const QStringList lines = QString::fromUtf8(reader.readAllStandardOutput()).split(u'\n');
    for (const QString &line : lines) {
        if (line.contains(u"<page "))
            ++page;
        const QRegularExpressionMatch match = word.match(line);
        if (match.hasMatch())
            words.append({match.captured(5),
                          QRectF(QPointF(match.captured(1).toDouble(), match.captured(2).toDouble()),
                                 QPointF(match.captured(3).toDouble(), match.captured(4).toDouble())),
                          page});
    }
    return words;
}

// The darkest ink on the first page, from 0 for black to 255 for none.
int darkestInk(const QString &pdftoppm, const QString &pdf)
{
    QProcess renderer;
    renderer.start(pdftoppm, {QStringLiteral("-gray"), QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-l"),
                              QStringLiteral("1"), pdf});
    renderer.waitForFinished();
    const QImage page = QImage::fromData(renderer.readAllStandardOutput(), "PGM");
    int darkest = page.isNull() ? -1 : 255;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            darkest = qMin(darkest, qGray(page.pixel(x, y)));
    return darkest;
}

} // namespace

class tst_Printing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void printsTheSelectionOrTheWholeDocument_data();
    void printsTheSelectionOrTheWholeDocument();
    void printsEveryPageNumbered_data();
    void printsEveryPageNumbered();
    void printsListLabelsAsTheScreenShowsThem_data();
    void printsListLabelsAsTheScreenShowsThem();
};

void tst_Printing::printsTheSelectionOrTheWholeDocument_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("menu") << QStringLiteral("menu Print");
    QTest::newRow("Ctrl+P") << QStringLiteral("key P");
    QTest::newRow("toolbar") << QStringLiteral("toolbar Print");
}

void tst_Printing::printsTheSelectionOrTheWholeDocument()
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QFETCH(QString, how);
    QTemporaryDir folder;
    AppFixture f;
    QVERIFY(QTest::qWaitForWindowActive(&f.main()));
    f.document()->SetFocus();
    f.write(QStringLiteral("First chapter, Ζέφυρος.\nSecond chapter.\nThe end."), 6, 7);
    f.document()->setSelBold(true);
    f.select(24, 1);
    f.document()->setSelAlignment(2);
    const QStringList files = {folder.filePath(QStringLiteral("whole.pdf")), folder.filePath(QStringLiteral("part.pdf")),
                               folder.filePath(QStringLiteral("cancelled.pdf"))};
    f.test.dialogs.printAnswers = {true, true, false};
    f.test.dialogs.printFiles = files;
    QStringList printed;
    for (const int selected : {0, 19, 0}) { // nothing, "Second chapter.\nThe", then cancelled
        f.select(24, selected);
        f.run(how);
        printed.append(printedText(pdftotext, files[printed.size()]));
    }
    QCOMPARE(printed, QStringList({QStringLiteral("First chapter, Ζέφυρος. Second chapter. The end. 1"),
                                   QStringLiteral("Second chapter. The 1"), QString()})); // each page numbered
    // The selection starts its page where the document does, its centred
    // paragraph still centred.
    const auto whole = printedWords(pdftotext, files[0]);
    const auto part = printedWords(pdftotext, files[1]);
    QCOMPARE(whole.value(3).text, QStringLiteral("Second"));
    QVERIFY(whole[3].box.x() > whole[0].box.x());
    QCOMPARE(part.value(0).text, QStringLiteral("Second"));
    QCOMPARE(part[0].box.topLeft(), QPointF(whole[3].box.x(), whole[0].box.y()));
    QVERIFY(!QFile::exists(files[2]));
    QCOMPARE(printedText(pdftotext, files[1]), printed[1]); // nor where the last print went
    QCOMPARE(f.test.dialogs.prints.size(), 3);
    QCOMPARE(f.test.dialogs.prints[0].title, QStringLiteral("Print"));
    QCOMPARE(QList({f.test.dialogs.prints[0].flags, f.test.dialogs.prints[1].flags}), QList({264, 265}));
    QVERIFY(f.test.dialogs.messages.isEmpty());
}

void tst_Printing::printsEveryPageNumbered_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("severalPages");
    QTest::newRow("one page") << 2 << false;
    QTest::newRow("several pages") << 150 << true;
}

void tst_Printing::printsEveryPageNumbered()
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QFETCH(int, lines);
    QFETCH(bool, severalPages);
    QTemporaryDir folder;
    AppFixture f;
    QVERIFY(QTest::qWaitForWindowActive(&f.main()));
    // A right-aligned first line shows where the text's right margin lies.
    QString text = QStringLiteral("Ωmega");
    for (int i = 1; i <= lines; ++i)
        text += QStringLiteral("\nline%1").arg(i);
    f.write(text, 0, 0);
    f.document()->setSelAlignment(1);
    const QString pdf = folder.filePath(QStringLiteral("pages.pdf"));
    f.test.dialogs.printAnswers = {true};
    f.test.dialogs.printFiles = {pdf};
    // The screen shows light text on dark; paper gets black ink.
    const QPalette screen = QGuiApplication::palette();
    QPalette dark = screen;
    dark.setColor(QPalette::Text, Qt::white);
    QGuiApplication::setPalette(dark);
    f.run(QStringLiteral("menu Print"));
    QGuiApplication::setPalette(screen);
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    QVERIFY2(!pdftoppm.isEmpty(), "pdftoppm comes with pdftotext, in poppler-utils");
    QCOMPARE(darkestInk(pdftoppm, pdf), 0);

    const QList<PrintedWord> words = printedWords(pdftotext, pdf);
    QVERIFY(words.size() > 1);
    const int pages = words.last().page;
    QCOMPARE(pages > 1, severalPages);
    // The text keeps about two centimetres from the paper's left and top edges.
    const qreal cm = 72 / 2.54;
    for (const qreal edge : {words[1].box.left(), words[0].box.top()})
        QVERIFY2(edge >= 2 * cm && edge < 3 * cm, qPrintable(QString::number(edge / cm)));
    QStringList printedLines;
    for (int page = 1; page <= pages; ++page) {
        QList<PrintedWord> onPage;
        for (const PrintedWord &word : words)
            if (word.page == page)
                onPage.append(word);
        QVERIFY(onPage.size() > 1);
        // Each page ends with its number, at the foot of the text's right margin.
        const PrintedWord number = onPage.takeLast();
        QCOMPARE(number.text, QString::number(page));
        QVERIFY(qAbs(number.box.right() - words.first().box.right()) < 1);
        QVERIFY(number.box.top() > onPage.last().box.bottom());
        for (const PrintedWord &word : std::as_const(onPage))
            printedLines.append(word.text);
    }
    QCOMPARE(printedLines.join(u'\n'), text); // every line once, in order, on no blank page
}

void tst_Printing::printsListLabelsAsTheScreenShowsThem_data()
{
    QTest::addColumn<QByteArray>("level"); // the list level's words
    QTest::addColumn<int>("start");        // of the selection in "one\ntwo\nthree", or -1 for none
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("printed");
    const QByteArray fromOne = "\\levelnfc0{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}";
    const QByteArray fromFive = "\\levelnfc0\\levelstartat5{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}";
    const QByteArray fromZ = "\\levelnfc4\\levelstartat26{\\leveltext\\'02\\'00);}{\\levelnumbers\\'01;}";
    const QByteArray cyrillic = "\\levelnfc0\\levelstartat12{\\leveltext\\'03\\u1046 ?\\'00.;}{\\levelnumbers\\'02;}";
    QTest::newRow("numbers from 1") << fromOne << -1 << 0 << QStringLiteral("1. one 2. two 3. three 1");
    QTest::newRow("numbers from 5") << fromFive << -1 << 0 << QStringLiteral("5. one 6. two 7. three 1");
    QTest::newRow("letters from z") << fromZ << -1 << 0 << QStringLiteral("z) one aa) two ab) three 1");
    QTest::newRow("a bullet of the file's own") << QByteArray("\\levelnfc23{\\leveltext\\'01\\u10148 ?;}") << -1 << 0
                                                << QStringLiteral("\u27A4 one \u27A4 two \u27A4 three 1");
    // A selection's items keep the labels they show on screen.
    QTest::newRow("selected from the first item") << fromOne << 0 << 7 << QStringLiteral("1. one 2. two 1");
    QTest::newRow("selected from the second item") << fromOne << 4 << 9 << QStringLiteral("2. two 3. three 1");
    QTest::newRow("selected from within an item") << fromFive << 5 << 8 << QStringLiteral("6. wo 7. three 1");
    QTest::newRow("the last item alone") << fromZ << 8 << 5 << QStringLiteral("ab) three 1");
    QTest::newRow("the last item's end alone") << cyrillic << 12 << 1 << QStringLiteral("\u041614. e 1");
    QTest::newRow("a label outside Latin-1") << cyrillic << 4 << 9 << QStringLiteral("\u041613. two \u041614. three 1");
}

void tst_Printing::printsListLabelsAsTheScreenShowsThem()
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QFETCH(QByteArray, level);
    QFETCH(int, start);
    QFETCH(int, length);
    QTemporaryDir folder;
    const QString list = folder.filePath(QStringLiteral("list.rtf"));
    QFile file(list);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("{\\rtf1\\ansi\\uc1{\\fonttbl{\\f0 Times;}}{\\*\\listtable{\\list{\\listlevel" + level
               + "}\\listid1}}{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}"
                 "\\pard\\li720\\fi-360\\ls1 one\\par\\pard\\li720\\fi-360\\ls1 two\\par\\pard\\li720\\fi-360\\ls1 three}");
    file.close();
    AppFixture f;
    QVERIFY(QTest::qWaitForWindowActive(&f.main()));
    QVERIFY(f.document()->LoadFile(list).ok());
    const QString whole = folder.filePath(QStringLiteral("whole.pdf"));
    const QString part = folder.filePath(QStringLiteral("part.pdf"));
    f.test.dialogs.printAnswers = {true, true};
    f.test.dialogs.printFiles = {whole, part};
    f.run(QStringLiteral("menu Print"));
    if (start < 0) {
        QTEST(printedText(pdftotext, whole), "printed");
        // Each label ends about a space before its item's text, as on screen.
        const QList<PrintedWord> words = printedWords(pdftotext, whole);
        QVERIFY(words.size() >= 6);
        for (int item = 0; item < 3; ++item) {
            const QRectF label = words[2 * item].box;
            const QRectF text = words[2 * item + 1].box;
            QVERIFY2(label.right() < text.left() && text.left() - label.right() < text.height() / 2,
                     qPrintable(QStringLiteral("%1 to %2").arg(label.right()).arg(text.left())));
        }
        return;
    }
    f.select(start, length);
    f.run(QStringLiteral("menu Print"));
    QTEST(printedText(pdftotext, part), "printed");
    // No empty line before it, and its first label in the font the screen
    // gives it: where the whole list's first label stands.
    QCOMPARE(printedWords(pdftotext, part).value(0).box.y(), printedWords(pdftotext, whole).value(0).box.y());
}

QTEST_MAIN(tst_Printing)
#include "tst_printing.moc"
