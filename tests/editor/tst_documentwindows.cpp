#include "editor/documentwindows.h"
#include "editor/frmdoc.h"
#include "platform/richtextbox.h"
#include "support/scripteddialogs.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

class tst_DocumentWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newDocumentsAreMaximisedAndActive();
    void activeDocumentFollowsTheUser();
    void noDocumentsOpen();
    void editorFillsTheWindowAndNeverGoesNegative();
};

void tst_DocumentWindows::newDocumentsAreMaximisedAndActive()
{
    ScriptedDialogs dialogs;
    QMdiArea area;
    area.resize(640, 480);
    area.show();
    DocumentWindows documents(area, dialogs);

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
}

void tst_DocumentWindows::activeDocumentFollowsTheUser()
{
    ScriptedDialogs dialogs;
    QMdiArea area;
    area.show();
    DocumentWindows documents(area, dialogs);
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
    DocumentWindows documents(area, dialogs);
    QVERIFY(!documents.requireActiveDocument());
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages[0].text, QStringLiteral("No Documents Open"));
    QCOMPARE(dialogs.messages[0].title, QStringLiteral("Quillmere"));
    QCOMPARE(dialogs.messages[0].buttons, MsgBoxButtons::OkOnly);

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
    DocumentWindows documents(area, dialogs);
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

QTEST_MAIN(tst_DocumentWindows)
#include "tst_documentwindows.moc"
