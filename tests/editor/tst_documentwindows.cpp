#include "editor/documentwindows.h"
#include "editor/frmdoc.h"
#include "platform/richtextbox.h"
#include "platform/spellchecker.h"
#include "support/contextmenu.h"
#include "support/fixedclock.h"
#include "support/scripteddialogs.h"

#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

class tst_DocumentWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newDocumentsAreMaximisedAndActive();
    void activeDocumentFollowsTheUser();
    void noDocumentsOpen();
    void editorFillsTheWindowAndNeverGoesNegative();
    void aWordAddedToTheDictionaryThatCannotBeKeptIsTold_data();
    void aWordAddedToTheDictionaryThatCannotBeKeptIsTold();
};

void tst_DocumentWindows::newDocumentsAreMaximisedAndActive()
{
    ScriptedDialogs dialogs;
    QMdiArea area;
    area.resize(640, 480);
    area.show();
    area.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&area));
    FixedClock clock;
    DocumentWindows documents(area, dialogs, clock);

    frmDoc *first = documents.showFirstDocument();
    frmDoc *second = documents.NewDocument();
    frmDoc *third = documents.NewDocument();
    QCOMPARE(first->windowTitle(), QString());
    QCOMPARE(second->windowTitle(), QStringLiteral("Document "));
    QCOMPARE(third->windowTitle(), QStringLiteral("Document "));
    QCOMPARE(area.subWindowList().size(), 3);
    QVERIFY(third->parentWidget()->isMaximized());
    QCOMPARE(documents.activeWindow(), third);
    QCOMPARE(documents.activeDocument(), third->RichTextBox1());
    QTRY_COMPARE(QApplication::focusWidget(), third->RichTextBox1()->textEdit());
}

void tst_DocumentWindows::activeDocumentFollowsTheUser()
{
    ScriptedDialogs dialogs;
    QMdiArea area;
    area.show();
    FixedClock clock;
    DocumentWindows documents(area, dialogs, clock);
    frmDoc *first = documents.NewDocument();
    frmDoc *second = documents.NewDocument();

    documents.activeDocument()->setText(QStringLiteral("into the second"));
    area.setActiveSubWindow(qobject_cast<QMdiSubWindow *>(first->parentWidget()));
    documents.activeDocument()->setText(QStringLiteral("into the first"));
    QCOMPARE(first->RichTextBox1()->Text(), QStringLiteral("into the first"));
    QCOMPARE(second->RichTextBox1()->Text(), QStringLiteral("into the second"));
}

void tst_DocumentWindows::noDocumentsOpen()
{
    ScriptedDialogs dialogs;
    QMdiArea area;
    area.show();
    FixedClock clock;
    DocumentWindows documents(area, dialogs, clock);
    QVERIFY(!documents.requireActiveDocument());
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages[0].text, QStringLiteral("No Documents Open"));
    QCOMPARE(dialogs.messages[0].title, QStringLiteral("Quillmere"));
    QCOMPARE(dialogs.messages[0].buttons, MsgBoxButtons::OkOnly);
    QCOMPARE(dialogs.messages[0].owner, &area);

    frmDoc *document = documents.NewDocument();
    QCOMPARE(documents.requireActiveDocument(), document->RichTextBox1());
    QCOMPARE(dialogs.messages.size(), 1);

    area.closeAllSubWindows(); // typed text goes without a question
    QVERIFY(!documents.requireActiveDocument());
    QCOMPARE(dialogs.messages.size(), 2);
}

void tst_DocumentWindows::editorFillsTheWindowAndNeverGoesNegative()
{
    ScriptedDialogs dialogs;
    QMdiArea area;
    area.resize(800, 600);
    area.show();
    FixedClock clock;
    DocumentWindows documents(area, dialogs, clock);
    frmDoc *document = documents.NewDocument();
    auto *window = qobject_cast<QMdiSubWindow *>(document->parentWidget());
    QCOMPARE(document->RichTextBox1()->size(), document->size());

    window->showNormal();
    window->resize(300, 200);
    QCOMPARE(document->RichTextBox1()->pos(), QPoint(0, 0));
    QCOMPARE(document->RichTextBox1()->size(), document->size());
    QVERIFY(document->width() < 300 && document->height() < 200);

    window->resize(1, 1);
    QVERIFY(document->RichTextBox1()->width() >= 0);
    QVERIFY(document->RichTextBox1()->height() >= 0);
}

void tst_DocumentWindows::aWordAddedToTheDictionaryThatCannotBeKeptIsTold_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("list"); // the word list, under the test's folder
    QTest::addColumn<bool>("kept");

    QTest::newRow("a list that can be written") << QStringLiteral("Quillwright") << QStringLiteral("words.txt") << true;
    QTest::newRow("a list in a folder not yet made")
        << QStringLiteral("Quillwright") << QStringLiteral("Quillmere/words.txt") << true;
    QTest::newRow("a list under a file") << QStringLiteral("Quillwright") << QStringLiteral("file/words.txt") << false;
    QTest::newRow("a list that is a folder") << QStringLiteral("Quillwright") << QStringLiteral("folder") << false;
    QTest::newRow("a word outside Latin-1") << QStringLiteral("Żelazowski") << QStringLiteral("file/words.txt") << false;
}

void tst_DocumentWindows::aWordAddedToTheDictionaryThatCannotBeKeptIsTold()
{
    QFETCH(QString, word);
    QFETCH(QString, list);
    QFETCH(bool, kept);
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("file")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("folder")));
    const QString path = folder.filePath(list);
    SpellChecker checker(path, QStringLiteral("en_US"));
    if (!checker.hasDictionary())
        QSKIP("no English Hunspell dictionary (scripts/install-deps installs hunspell-en-us)");

    ScriptedDialogs dialogs;
    QMdiArea area;
    area.resize(640, 480);
    area.show();
    FixedClock clock;
    DocumentWindows documents(area, dialogs, clock);
    documents.setSpellChecker(&checker);
    RichTextBox *box = documents.NewDocument()->RichTextBox1();
    box->setText(word + QStringLiteral(" sailed"));
    QVERIFY(!checker.isCorrect(word));
    chooseFromContextMenu(*box->textEdit(), 0, QStringLiteral("Add to Dictionary"));

    QVERIFY(checker.isCorrect(word));
    QCOMPARE(SpellChecker(path, QStringLiteral("en_US")).isCorrect(word), kept);
    QCOMPARE(dialogs.messages.size(), kept ? 0 : 1);
    if (!kept) {
        QVERIFY(dialogs.messages[0].text.contains(u'"' + word + u'"'));
        QVERIFY(dialogs.messages[0].text.contains(QDir::toNativeSeparators(path)));
        QCOMPARE(dialogs.messages[0].icon, MsgBoxIcon::Exclamation);
    }
}

QTEST_MAIN(tst_DocumentWindows)
#include "tst_documentwindows.moc"
