#include "app/application.h"
#include "app/mdimain.h"
#include "screens/frmkey.h"
#include "screens/frmwelcome.h"
#include "support/testservices.h"

#include <QApplication>
#include <QListWidget>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTest>

namespace {

class Fixture
{
public:
    Fixture()
        : app(test.services)
    {
        app.start();
        // The welcome screen is put away unseen, as if it had never been shown.
        app.welcome().hide();
    }

    void click(const char *item) const { app.mainWindow().menuItem(QString::fromLatin1(item))->trigger(); }
    QList<frmKey *> shortcutWindows() const
    {
        QList<frmKey *> found;
        const auto windows = QApplication::topLevelWidgets();
        for (QWidget *w : windows)
            if (auto *key = qobject_cast<frmKey *>(w))
                found << key;
        return found;
    }

    TestServices test;
    Application app;
};

} // namespace

class tst_frmKey : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void listsEveryMenuKeyAndUndoRedo();
    void bothMenusShowTheOneWindow_data();
    void bothMenusShowTheOneWindow();
    void aboutNamesTheProgramAndItsVersion();
};

void tst_frmKey::listsEveryMenuKeyAndUndoRedo()
{
    Fixture f;
    f.click("keyshorta");
    frmKey &key = f.app.keyboardShortcuts();
    QVERIFY(key.isVisible());
    QCOMPARE(key.windowTitle(), QStringLiteral("Keyboard Shortcuts"));
    QVERIFY(key.windowFlags() & Qt::WindowStaysOnTopHint);

    const auto *list = key.findChild<QListWidget *>(QStringLiteral("List1"));
    QCOMPARE(list->count(), 14);
    // Every entry shows whole, with no need to scroll.
    QVERIFY(QTest::qWaitForWindowExposed(&key));
    QVERIFY(key.rect().contains(list->geometry()));
    QVERIFY(!list->horizontalScrollBar()->isVisible());
    QVERIFY(!list->verticalScrollBar()->isVisible());
    QCOMPARE(list->item(0)->text(), QStringLiteral("New Window - Ctrl + N"));
    QCOMPARE(list->item(13)->text(), QStringLiteral("Redo - Ctrl + Y"));

    // Each entry names one Ctrl key; together they are the menu's keys plus
    // the editor's undo and redo.
    const QRegularExpression entry(QStringLiteral("^\\S.* - Ctrl \\+ ([A-Z])$"));
    QSet<QChar> listed;
    for (int i = 0; i < list->count(); ++i) {
        const auto match = entry.match(list->item(i)->text());
        QVERIFY2(match.hasMatch(), qPrintable(list->item(i)->text()));
        listed << match.captured(1).at(0);
    }
    QSet<QChar> menuKeys{u'Z', u'Y'};
    const auto items = f.app.mainWindow().menuBar()->findChildren<QAction *>();
    for (const QAction *item : items)
        if (!item->shortcut().isEmpty())
            menuKeys << item->shortcut().toString(QKeySequence::PortableText).back();
    QCOMPARE(listed, menuKeys);
}

void tst_frmKey::bothMenusShowTheOneWindow_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("view, then about") << "keyshorta" << "keyshort";
    QTest::newRow("about, then view") << "keyshort" << "keyshorta";
    QTest::newRow("view twice") << "keyshorta" << "keyshorta";
}

void tst_frmKey::bothMenusShowTheOneWindow()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    Fixture f;
    f.click(first.toLatin1().constData());
    QCOMPARE(f.shortcutWindows().size(), 1);
    frmKey *key = f.shortcutWindows().first();
    auto *list = key->findChild<QListWidget *>(QStringLiteral("List1"));
    list->setCurrentRow(6);

    f.click("gened"); // another window in front
    QTRY_VERIFY(QApplication::activeWindow() != key);
    f.click(second.toLatin1().constData());
    QCOMPARE(f.shortcutWindows(), QList<frmKey *>{key});
    QTRY_COMPARE(QApplication::activeWindow(), key);
    QCOMPARE(list->count(), 14);
    QCOMPARE(list->currentRow(), 6);

    // Closed and shown again, it comes back as designed.
    QVERIFY(key->close());
    f.click(second.toLatin1().constData());
    QVERIFY(key->isVisible());
    QCOMPARE(list->count(), 14);
    QCOMPARE(list->currentRow(), -1);
}

void tst_frmKey::aboutNamesTheProgramAndItsVersion()
{
    Fixture f;
    f.click("About");
    QCOMPARE(f.test.dialogs.messages.size(), 1);
    const MessageBoxRequest &about = f.test.dialogs.messages.first();
    QCOMPARE(about.title, QStringLiteral("Quillmere"));
    QCOMPARE(about.buttons, MsgBoxButtons::OkOnly);
    QCOMPARE(about.icon, MsgBoxIcon::None);
    const QStringList lines = about.text.split(u'\n');
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0], QStringLiteral("Quillmere " PROJECT_VERSION_TEXT));
    QVERIFY(lines[1].size() > 20);
    QVERIFY(f.test.dialogs.unexpected.isEmpty());
}

QTEST_MAIN(tst_frmKey)
#include "tst_frmkey.moc"
