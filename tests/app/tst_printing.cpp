#include "appfixture.h"

#include <QProcess>
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

} // namespace

class tst_Printing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void printsTheSelectionOrTheWholeDocument_data();
    void printsTheSelectionOrTheWholeDocument();
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
    const QStringList files = {folder.filePath(QStringLiteral("whole.pdf")), folder.filePath(QStringLiteral("part.pdf")),
                               folder.filePath(QStringLiteral("cancelled.pdf"))};
    f.test.dialogs.printAnswers = {true, true, false};
    f.test.dialogs.printFiles = files;
    QStringList printed;
    for (const int selected : {0, 14, 14}) { // nothing, "Second chapter", then cancelled
        f.select(24, selected);
        f.run(how);
        printed.append(printedText(pdftotext, files[printed.size()]));
    }
    QCOMPARE(printed, QStringList({QStringLiteral("First chapter, Ζέφυρος. Second chapter. The end. 1"),
                                   QStringLiteral("Second chapter 1"), QString()})); // each page numbered
    QVERIFY(!QFile::exists(files[2]));
    QCOMPARE(f.test.dialogs.prints.size(), 3);
    QCOMPARE(f.test.dialogs.prints[0].title, QStringLiteral("Print"));
    QCOMPARE(QList({f.test.dialogs.prints[0].flags, f.test.dialogs.prints[1].flags}), QList({264, 265}));
    QVERIFY(f.test.dialogs.messages.isEmpty());
}

void tst_Printing::printsListLabelsAsTheScreenShowsThem_data()
{
    QTest::addColumn<QByteArray>("level"); // the list level's words
    QTest::addColumn<QString>("printed");
    QTest::newRow("numbers from 1") << QByteArray("\\levelnfc0{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}")
                                    << QStringLiteral("1. one 2. two 1");
    QTest::newRow("numbers from 5") << QByteArray("\\levelnfc0\\levelstartat5{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}")
                                    << QStringLiteral("5. one 6. two 1");
    QTest::newRow("letters from z") << QByteArray("\\levelnfc4\\levelstartat26{\\leveltext\\'02\\'00);}{\\levelnumbers\\'01;}")
                                    << QStringLiteral("z) one aa) two 1");
    QTest::newRow("a bullet of the file's own") << QByteArray("\\levelnfc23{\\leveltext\\'01\\u10148 ?;}")
                                                << QStringLiteral("\u27A4 one \u27A4 two 1");
}

void tst_Printing::printsListLabelsAsTheScreenShowsThem()
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QFETCH(QByteArray, level);
    QTemporaryDir folder;
    const QString list = folder.filePath(QStringLiteral("list.rtf"));
    QFile file(list);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("{\\rtf1\\ansi\\uc1{\\fonttbl{\\f0 Times;}}{\\*\\listtable{\\list{\\listlevel" + level
               + "}\\listid1}}{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}"
                 "\\pard\\li720\\fi-360\\ls1 one\\par\\pard\\li720\\fi-360\\ls1 two}");
    file.close();
    AppFixture f;
    QVERIFY(QTest::qWaitForWindowActive(&f.main()));
    QVERIFY(f.document()->LoadFile(list).ok());
    const QString printed = folder.filePath(QStringLiteral("list.pdf"));
    f.test.dialogs.printAnswers = {true};
    f.test.dialogs.printFiles = {printed};
    f.run(QStringLiteral("menu Print"));
    QTEST(printedText(pdftotext, printed), "printed");
}

QTEST_MAIN(tst_Printing)
#include "tst_printing.moc"
