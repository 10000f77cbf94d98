#include "app/application.h"
#include "app/mdimain.h"
#include "editor/documentwindows.h"
#include "editor/frmdoc.h"
#include "generators/generatorwindow.h"
#include "platform/richtextbox.h"
#include "platform/textbox.h"
#include "screens/frmwelcome.h"
#include "support/testservices.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QTextEdit>

// The road a writer takes from an idea to stored text: a generator's idea
// copied into a document, made bold, saved and opened again.
class tst_Road : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fromIdeaToStoredText();
};

void tst_Road::fromIdeaToStoredText()
{
    TestServices test;
    // Plain ASCII, so the idea reads the same in every system code page.
    const QString idea = QStringLiteral("The Drowned Lantern, a tavern on stilts over the marsh");
    QFile tavern(test.path(QStringLiteral("Tavern.txt")));
    QVERIFY(tavern.open(QIODevice::WriteOnly));
    tavern.write(idea.toLatin1() + "\r\n");
    tavern.close();

    Application app(test.services);
    app.start();
    mdiMain &main = app.mainWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QVERIFY(app.welcome().close()); // the new user starts with the welcome screen's close box

    // 1. Double-click "Tavern Generator" in the generator list.
    auto *list = main.findChild<QListWidget *>(QStringLiteral("List1"));
    const auto entries = list->findItems(QStringLiteral("Tavern Generator"), Qt::MatchExactly);
    QCOMPARE(entries.size(), 1);
    list->setCurrentItem(entries.first());
    const QPoint at = list->visualItemRect(entries.first()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);

    // 2. The generator shows the idea; the writer copies it.
    QWidget *generator = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<GeneratorWindow *>(w) && w->isVisible())
            generator = w;
    QVERIFY(generator);
    auto *shown = generator->findChild<TextBox *>(QStringLiteral("Text1"));
    QCOMPARE(shown->Text(), idea);
    shown->setFocus();
    QTest::keyClick(shown, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(shown, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), idea);

    // 3. Ctrl+V pastes it into the document.
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    RichTextBox *document = main.documents().activeDocument();
    QVERIFY(document);
    document->SetFocus();
    QTest::keyClick(document->textEdit(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(document->Text(), idea);

    // 4. Bold, then Save As.
    QTest::keyClick(document->textEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(document->textEdit(), Qt::Key_B, Qt::ControlModifier);
    QCOMPARE(document->SelBold(), RichTextBox::Style::On);
    const QString path = test.path(QStringLiteral("Tavern idea.rtf"));
    test.dialogs.fileAnswers = {path};
    main.menuItem(QStringLiteral("SaveAs"))->trigger();
    QCOMPARE(main.documents().activeWindow()->windowTitle(), path);
    QVERIFY(QFile::exists(path));

    // Opened again, the file shows the same text in bold.
    test.dialogs.fileAnswers = {path};
    main.menuItem(QStringLiteral("Open"))->trigger();
    const auto windows = main.findChild<QMdiArea *>()->subWindowList();
    QCOMPARE(windows.size(), 2);
    RichTextBox *reopened = main.documents().activeDocument();
    QVERIFY(reopened != document);
    QCOMPARE(reopened->Text(), idea);
    reopened->setSelStart(0);
    reopened->setSelLength(int(idea.size()));
    QCOMPARE(reopened->SelBold(), RichTextBox::Style::On);
    QVERIFY(test.dialogs.unexpected.isEmpty());
    QVERIFY(test.dialogs.messages.isEmpty());
}

QTEST_MAIN(tst_Road)
#include "tst_road.moc"
