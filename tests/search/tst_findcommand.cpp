#include "app/application.h"
#include "app/mdimain.h"
#include "editor/documentwindows.h"
#include "platform/richtextbox.h"
#include "platform/toolbar.h"
#include "search/frmfind.h"
#include "support/testservices.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QMdiArea>
#include <QTest>
#include <QTextEdit>

class tst_FindCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensTheOneFindDialog_data();
    void opensTheOneFindDialog();
};

void tst_FindCommand::opensTheOneFindDialog_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("withDocument");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("findText");
    QTest::addColumn<QStringList>("messages");

    const QStringList none;
    const QStringList noDocument(2, QStringLiteral("No Documents Open"));
    QTest::newRow("menu") << "menu" << true << true << "two" << none;
    QTest::newRow("Ctrl+F") << "key" << true << true << "two" << none;
    QTest::newRow("toolbar") << "toolbar" << true << true << "two" << none;
    QTest::newRow("menu, no document") << "menu" << false << false << "" << noDocument;
    QTest::newRow("Ctrl+F, no document") << "key" << false << false << "" << noDocument;
    QTest::newRow("toolbar, no document") << "toolbar" << false << true << "" << none;
}

void tst_FindCommand::opensTheOneFindDialog()
{
    QFETCH(QString, how);
    QFETCH(bool, withDocument);
    QFETCH(bool, opens);
    TestServices test;
    Application app(test.services);
    app.start();
    mdiMain &main = app.mainWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    RichTextBox *editor = main.documents().activeDocument();
    editor->setText(QStringLiteral("one two"));
    editor->setSelStart(4);
    editor->setSelLength(3);
    if (!withDocument)
        main.findChild<QMdiArea *>()->closeAllSubWindows();

    // Twice: the second time an open dialog is only brought to the front.
    for (int i = 0; i < 2; ++i) {
        if (how == u"menu")
            main.menuItem(QStringLiteral("Find"))->trigger();
        else if (how == u"toolbar")
            main.findChild<Toolbar *>()->button(QStringLiteral("Find"))->click();
        else
            QTest::keyClick(withDocument ? static_cast<QWidget *>(editor->textEdit()) : &main, Qt::Key_F,
                            Qt::ControlModifier);
    }

    const auto dialogs = main.findChildren<frmFind *>();
    QCOMPARE(dialogs.size(), opens ? 1 : 0);
    if (opens) {
        QVERIFY(dialogs[0]->isVisible());
        QCOMPARE(dialogs[0]->windowTitle(), QStringLiteral("Find..."));
        QTEST(dialogs[0]->findChild<QComboBox *>(QStringLiteral("cboFind"))->currentText(), "findText");
        QCOMPARE(dialogs[0]->findChild<QComboBox *>(QStringLiteral("cboFind"))->count(), 1);
    }
    QTEST(test.dialogs.messageTexts(), "messages");
}

QTEST_MAIN(tst_FindCommand)
#include "tst_findcommand.moc"
