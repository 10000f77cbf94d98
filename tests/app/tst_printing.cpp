#include "appfixture.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

class tst_Printing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void printsTheSelectionOrTheWholeDocument_data();
    void printsTheSelectionOrTheWholeDocument();
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
        QProcess reader;
        reader.start(pdftotext, {files[printed.size()], QStringLiteral("-")});
        QVERIFY(reader.waitForFinished());
        printed.append(QString::fromUtf8(reader.readAllStandardOutput()).simplified());
    }
    QCOMPARE(printed, QStringList({QStringLiteral("First chapter, Ζέφυρος. Second chapter. The end. 1"),
                                   QStringLiteral("Second chapter 1"), QString()})); // each page numbered
    QVERIFY(!QFile::exists(files[2]));
    QCOMPARE(f.test.dialogs.prints.size(), 3);
    QCOMPARE(f.test.dialogs.prints[0].title, QStringLiteral("Print"));
    QCOMPARE(QList({f.test.dialogs.prints[0].flags, f.test.dialogs.prints[1].flags}), QList({264, 265}));
    QVERIFY(f.test.dialogs.messages.isEmpty());
}

QTEST_MAIN(tst_Printing)
#include "tst_printing.moc"
