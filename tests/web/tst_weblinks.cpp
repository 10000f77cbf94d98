#include "localwebserver.h"
#include "app/application.h"
#include "app/mdimain.h"
#include "support/testservices.h"
#include "web/webwindows.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int LoadTimeout = 60000;

// Whether the web engine's library is mapped into this process.
bool engineMapped()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6WebEngineCore");
}

} // namespace

class tst_webLinks : public QObject
{
    Q_OBJECT
public:
    static void initMain()
    {
        // Where the build puts the web plugin, beside the program.
        QCoreApplication::addLibraryPath(QStringLiteral(QUILLMERE_PLUGIN_DIR));
    }

private Q_SLOTS:
    void initTestCase();
    void engineLoadsOnlyWithFirstWebWindow();
    void linkBarListsSixAddresses();
    void choosingAnEntryOpensItAtOnce_data();
    void choosingAnEntryOpensItAtOnce();
    void visitOpensTheTextAsTyped_data();
    void visitOpensTheTextAsTyped();
    void aboutItemsOpenTheProgramSites_data();
    void aboutItemsOpenTheProgramSites();
    void bookshelfItemShowsTheBookshelf();
    void missingPluginIsReported_data();
    void missingPluginIsReported();

private:
    mdiMain &mainWindow() { return m_app.mainWindow(); }
    QComboBox *linkBar() { return mainWindow().findChild<QComboBox *>(QStringLiteral("Text1")); }
    QWidget &browser() { return m_app.web()->browser(); }
    QComboBox *browserAddress() { return browser().findChild<QComboBox *>(QStringLiteral("cboAddress")); }

    LocalWebServer m_server;
    TestServices m_test;
    Application m_app{m_test.services};
};

void tst_webLinks::initTestCase()
{
    QVERIFY(m_server.isListening());
    m_server.addPage(QStringLiteral("/typed"), QStringLiteral("Typed page"));
    m_server.addPage(QString::fromLatin1(QUrl::toPercentEncoding(QStringLiteral("/сказка"), "/")), QStringLiteral("Сказка"));
    m_app.start();
    QVERIFY(QTest::qWaitForWindowExposed(&mainWindow()));
}

void tst_webLinks::engineLoadsOnlyWithFirstWebWindow()
{
    QVERIFY(!engineMapped());

    // "Visit" right after start opens the link bar's first address.
    QTest::mouseClick(mainWindow().findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);

    QVERIFY(engineMapped());
    QVERIFY(browser().isVisible());
    QCOMPARE(browserAddress()->currentText(), linkBar()->itemText(0));
    QVERIFY(m_test.dialogs.unexpected.isEmpty());
}

void tst_webLinks::linkBarListsSixAddresses()
{
    QComboBox *bar = linkBar();
    QCOMPARE(bar->count(), 6);
    QCOMPARE(bar->currentText(), bar->itemText(0));
    for (int i = 0; i < bar->count(); ++i) {
        const QString entry = bar->itemText(i);
        // Only the fifth entry carries a scheme; the first four are the
        // program's own sites, the last two outside ones.
        QCOMPARE(entry.startsWith(u"http://"), i == 4);
        QCOMPARE(QUrl::fromUserInput(entry).host().endsWith(u".example"), i < 4);
    }
}

void tst_webLinks::choosingAnEntryOpensItAtOnce_data()
{
    QTest::addColumn<int>("row");
    QTest::newRow("first") << 0;
    QTest::newRow("fifth, with http://") << 4;
    QTest::newRow("last") << 5;
}

void tst_webLinks::choosingAnEntryOpensItAtOnce()
{
    QFETCH(int, row);
    QComboBox *bar = linkBar();
    bar->showPopup();
    QAbstractItemView *list = bar->view();
    list->setCurrentIndex(list->model()->index(row, 0));
    QTest::keyClick(list, Qt::Key_Return);

    QVERIFY(browser().isVisible());
    QCOMPARE(browserAddress()->currentText(), bar->itemText(row));
    QCOMPARE(bar->count(), 6);
}

void tst_webLinks::visitOpensTheTextAsTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("title");
    QTest::newRow("typed without a scheme") << m_server.address(QStringLiteral("/typed"), false)
                                            << QStringLiteral("Typed page");
    QTest::newRow("typed with http://") << m_server.address(QStringLiteral("/typed")) << QStringLiteral("Typed page");
    QTest::newRow("typed outside Latin-1") << m_server.address(QStringLiteral("/сказка"), false) << QStringLiteral("Сказка");
}

void tst_webLinks::visitOpensTheTextAsTyped()
{
    QFETCH(QString, typed);
    QFETCH(QString, title);
    QComboBox *bar = linkBar();
    bar->lineEdit()->setText(typed);
    QTest::keyClick(bar->lineEdit(), Qt::Key_Return); // Enter adds nothing to the list either

    QTest::mouseClick(mainWindow().findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);

    QCOMPARE(browserAddress()->currentText(), typed);
    QTRY_COMPARE_WITH_TIMEOUT(browser().windowTitle(), title, LoadTimeout);
    QCOMPARE(bar->count(), 6);
}

void tst_webLinks::aboutItemsOpenTheProgramSites_data()
{
    QTest::addColumn<QString>("item");
    QTest::newRow("Online Support") << QStringLiteral("Online");
    QTest::newRow("Fernhold") << QStringLiteral("Fernhold");
    QTest::newRow("Oberwick") << QStringLiteral("Oberwick");
}

void tst_webLinks::aboutItemsOpenTheProgramSites()
{
    QFETCH(QString, item);
    QAction *action = mainWindow().menuItem(item);

    action->trigger();

    const QString opened = browserAddress()->currentText();
    const QString mainSite = linkBar()->itemText(0);
    if (item == u"Online") {
        QCOMPARE(action->text(), QStringLiteral("Online Support"));
        QCOMPARE(opened, mainSite.toLower());
    } else {
        // The item shows the address it opens, which carries "http://".
        QCOMPARE(opened, u"http://" + action->text());
        QCOMPARE(action->text(), linkBar()->itemText(item == u"Fernhold" ? 1 : 0));
    }
    QVERIFY(browser().isVisible());
    QVERIFY(m_test.dialogs.unexpected.isEmpty());
}

void tst_webLinks::bookshelfItemShowsTheBookshelf()
{
    mainWindow().menuItem(QStringLiteral("Bookshelf"))->trigger();
    QWidget &shelf = m_app.web()->bookshelf();
    QVERIFY(shelf.isVisible());
    QCOMPARE(shelf.windowTitle(), QStringLiteral("Bookshelf"));
}

void tst_webLinks::missingPluginIsReported_data()
{
    QTest::addColumn<QString>("item");
    QTest::newRow("a link") << QStringLiteral("Online");
    QTest::newRow("the bookshelf") << QStringLiteral("Bookshelf");
}

void tst_webLinks::missingPluginIsReported()
{
    QFETCH(QString, item);
    // A program whose plugin is not beside it.
    const auto restore = qScopeGuard([paths = QCoreApplication::libraryPaths()] {
        QCoreApplication::setLibraryPaths(paths);
    });
    QTemporaryDir empty;
    QCoreApplication::setLibraryPaths({empty.path()});
    TestServices test;
    Application app(test.services);
    app.start();

    app.mainWindow().menuItem(item)->trigger();

    QCOMPARE(test.dialogs.messages.size(), 1);
    QVERIFY(test.dialogs.messages.constFirst().text.contains(u"quillmereweb"));
    QCOMPARE(test.dialogs.messages.constFirst().icon, MsgBoxIcon::Exclamation);
    QVERIFY(!app.web());
}

QTEST_MAIN(tst_webLinks)
#include "tst_weblinks.moc"
