#include "app/application.h"
#include "app/mdimain.h"
#include "screens/frmwelcome.h"
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
    QTest::addColumn<int>("dialogs");
    QTest::addColumn<QString>("findText");
    QTest::addColumn<QStringList>("messages");

    const QStringList noDocument(2, QStringLiteral("No Documents Open"));
    QTest::newRow("menu") << "menu" << true << 1 << "two" << QStringList();
    QTest::newRow("Ctrl+F") << "key" << true << 1 << "two" << QStringList();
    QTest::newRow("toolbar") << "toolbar" << true << 1 << "two" << QStringList();
    QTest::newRow("menu, no document") << "menu" << false << 0 << "" << noDocument;
    QTest::newRow("Ctrl+F, no document") << "key" << false << 0 << "" << noDocument;
    QTest::newRow("toolbar, no document") << "toolbar" << false << 1 << "" << QStringList();
}

void tst_FindCommand::opensTheOneFindDialog()
{
    QFETCH(QString, how);
    QFETCH(bool, withDocument);
    TestServices test;
    Application app(test.services);
    app.start();
    mdiMain &main = app.mainWindow();
    app.welcome().hide(); // start-up puts it in front; these commands work in the main window
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    RichTextBox *editor = main.documents().activeDocument();
    editor->setText(QStringLiteral("one two"));
    editor->setSelStart(4);
    editor->setSelLength(3);
    if (!withDocument)
        main.findChild<QMdiArea *>()->closeAllSubWindows();

    for (int i = 0; i < 2; ++i) {
        if (how == u"menu")
            main.menuItem(QStringLiteral("Find"))->trigger();
        else if (how == u"toolbar")
            main.findChild<Toolbar *>()->button(QStringLiteral("Find"))->click();
        else
            QTest::keyClick(withDocument ? editor->textEdit() : static_cast<QWidget *>(&main), Qt::Key_F,
                            Qt::ControlModifier);
        const auto dialogs = main.findChildren<frmFind *>();
        QTEST(int(dialogs.size()), "dialogs");
        for (const frmFind *dialog : dialogs) {
            QVERIFY(dialog->isVisible());
            auto *typed = dialog->findChild<QComboBox *>(QStringLiteral("cboFind"));
            // The second time the open dialog only comes to the front, as the writer left it.
            if (i == 0) {
                QTEST(typed->currentText(), "findText");
                typed->setEditText(QStringLiteral("Ωmega"));
            } else {
                QCOMPARE(typed->currentText(), QStringLiteral("Ωmega"));
            }
        }
    }
    QTEST(test.dialogs.messageTexts(), "messages");
}

QTEST_MAIN(tst_FindCommand)
#include "tst_findcommand.moc"
