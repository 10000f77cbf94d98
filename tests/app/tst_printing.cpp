#include "appfixture.h"
#include "platform/richtextbox.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

namespace {

// The text of a PDF file as poppler reads it, blanks and line ends folded,
// without the page number that ends each page.
QString pdfText(const QString &path)
{
    QProcess reader;
    reader.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")), {path, QStringLiteral("-")});
    if (!reader.waitForFinished() || reader.exitCode() != 0)
        return QStringLiteral("<unreadable>");
    QString text = QString::fromUtf8(reader.readAllStandardOutput()).simplified();
    if (text.endsWith(u" 1"))
        text.chop(2);
    return text;
}

} // namespace

class tst_Printing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void printsTheSelectionOrTheWholeDocument_data();
    void printsTheSelectionOrTheWholeDocument();
};

void tst_Printing::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
}

void tst_Printing::printsTheSelectionOrTheWholeDocument_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("menu") << QStringLiteral("menu");
    QTest::newRow("Ctrl+P") << QStringLiteral("key");
    QTest::newRow("toolbar") << QStringLiteral("toolbar");
}

void tst_Printing::printsTheSelectionOrTheWholeDocument()
{
    QFETCH(QString, how);
    QTemporaryDir folder;
    AppFixture f;
    QVERIFY(QTest::qWaitForWindowActive(&f.main()));
    RichTextBox &box = *f.document();
    box.SetFocus();
    const auto print = [&] {
        if (how == u"menu")
            f.click(QStringLiteral("Print"));
        else if (how == u"toolbar")
            f.press(QStringLiteral("Print"));
        else
            QTest::keyClick(box.textEdit(), Qt::Key_P, Qt::ControlModifier);
    };
    box.setText(QStringLiteral("First chapter, Ζέφυρος.\nSecond chapter.\nThe end."));
    box.setSelStart(6);
    box.setSelLength(7);
    box.setSelBold(true);
    box.setSelStart(3);
    box.setSelLength(0);
    const QString whole = folder.filePath(QStringLiteral("whole.pdf"));
    const QString part = folder.filePath(QStringLiteral("part.pdf"));
    const QString cancelled = folder.filePath(QStringLiteral("cancelled.pdf"));

    f.test.dialogs.printAnswers = {true, true, false};
    f.test.dialogs.printFiles = {whole, part, cancelled};
    print();
    QCOMPARE(pdfText(whole), QStringLiteral("First chapter, Ζέφυρος. Second chapter. The end."));

    box.setSelStart(24);
    box.setSelLength(14); // "Second chapter"
    print();
    QCOMPARE(pdfText(part), QStringLiteral("Second chapter"));

    print(); // cancelled
    QVERIFY(!QFile::exists(cancelled));

    QCOMPARE(f.test.dialogs.prints.size(), 3);
    for (const PrintDialogRequest &request : f.test.dialogs.prints)
        QCOMPARE(request.title, QStringLiteral("Print"));
    QCOMPARE(f.test.dialogs.prints[0].flags, 264); // no page numbers, whole document
    QCOMPARE(f.test.dialogs.prints[1].flags, 265); // the selection preselected
    QVERIFY(f.test.dialogs.messages.isEmpty());
    QVERIFY(f.test.dialogs.unexpected.isEmpty());
}

QTEST_MAIN(tst_Printing)
#include "tst_printing.moc"
