#include "localwebserver.h"
#include "platform/twips.h"
#include "web/enginewebwindows.h"
#include "web/webaddresses.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QWebEngineView>

namespace {

constexpr int LoadTimeout = 60000;

} // namespace

class tst_frmBookshelf : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void opensEmptyAndWideEnough();
    void titlesOpenTheirAddresses_data();
    void titlesOpenTheirAddresses();
    void goButtonOpensTypedAddressAndEnterDoesNot();
    void pageFollowsWindow_data();
    void pageFollowsWindow();

private:
    QWidget &window() { return m_windows->bookshelf(); }
    template<typename T>
    T *control(const char *name) { return window().findChild<T *>(QString::fromLatin1(name)); }
    QWebEngineView *page() { return control<QWebEngineView>("WebBrowser1"); }
    QComboBox *address() { return control<QComboBox>("cboAddress"); }
    void click(const char *button) { QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton); }

    LocalWebServer m_server;
    std::unique_ptr<EngineWebWindows> m_windows;
};

void tst_frmBookshelf::initTestCase()
{
    QVERIFY(m_server.isListening());
    m_server.addPage(QStringLiteral("/one"), QStringLiteral("One"));
    m_server.addPage(QStringLiteral("/two"), QStringLiteral("Two"));
}

void tst_frmBookshelf::init()
{
    m_windows = std::make_unique<EngineWebWindows>();
    m_windows->showBookshelf();
    QVERIFY(QTest::qWaitForWindowExposed(&window()));
}

void tst_frmBookshelf::cleanup()
{
    m_windows.reset();
}

void tst_frmBookshelf::opensEmptyAndWideEnough()
{
    QCOMPARE(window().windowTitle(), QStringLiteral("Bookshelf"));
    auto *list = control<QListWidget>("List1");
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->item(0)->text(), QStringLiteral("Fiction Factor Articles"));
    QCOMPARE(list->item(2)->text(), QStringLiteral("Horror Writer's Association"));
    QVERIFY(control<QPushButton>("Command4")->geometry().right() < window().width());

    // Nothing to go back or forward to, and nothing to stop.
    for (const char *button : {"Command1", "Command3", "Command2"})
        click(button);
    QVERIFY(page()->url().isEmpty());
    QVERIFY(page()->page()->requestedUrl().isEmpty());
}

void tst_frmBookshelf::titlesOpenTheirAddresses_data()
{
    QTest::addColumn<int>("row");
    for (int row = 0; row < int(WebAddresses::Bookshelf.size()); ++row)
        QTest::addRow("%s", QString::fromUtf16(WebAddresses::Bookshelf[row].title).toUtf8().constData()) << row;
}

void tst_frmBookshelf::titlesOpenTheirAddresses()
{
    QFETCH(int, row);
    auto *list = control<QListWidget>("List1");

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());

    // The engine is handed the address shown in the box; the real site is out
    // of reach here, so its page itself is not waited for.
    const QString shown = address()->currentText();
    QVERIFY(shown.startsWith(u"http://") || shown.startsWith(u"https://"));
    QCOMPARE(page()->page()->requestedUrl(), QUrl(shown));
    QCOMPARE(address()->count(), 0);
    if (list->item(row)->text() == u"Horror Writer's Association")
        QVERIFY(QUrl(shown).host().contains(u"horror"));

    // Opened again, the shelf has nothing chosen, so the same title opens its page again.
    window().close();
    m_windows->showBookshelf();
    QCOMPARE(window().findChildren<QWebEngineView *>().size(), 1); // the last visit's page went with it
    QVERIFY(address()->currentText().isEmpty());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    QCOMPARE(page()->page()->requestedUrl(), QUrl(shown));
}

void tst_frmBookshelf::goButtonOpensTypedAddressAndEnterDoesNot()
{
    QLineEdit *edit = address()->lineEdit();
    QTest::keyClicks(edit, m_server.address(QStringLiteral("/one"), false));
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(page()->page()->requestedUrl().isEmpty());
    QCOMPARE(address()->count(), 0);

    click("Command4");
    QTRY_COMPARE_WITH_TIMEOUT(page()->title(), QStringLiteral("One"), LoadTimeout);
    edit->setText(m_server.address(QStringLiteral("/two")));
    click("Command4");
    QTRY_COMPARE_WITH_TIMEOUT(page()->title(), QStringLiteral("Two"), LoadTimeout);

    click("Command1");
    QTRY_COMPARE_WITH_TIMEOUT(page()->title(), QStringLiteral("One"), LoadTimeout);
    click("Command3");
    QTRY_COMPARE_WITH_TIMEOUT(page()->title(), QStringLiteral("Two"), LoadTimeout);
    QCOMPARE(address()->count(), 0);
}

void tst_frmBookshelf::pageFollowsWindow_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("design size") << Twips::size(8820, 5385);
    QTest::newRow("large, odd pixels") << QSize(1333, 901);
    QTest::newRow("narrower than the list") << QSize(150, 60);
}

void tst_frmBookshelf::pageFollowsWindow()
{
    QFETCH(QSize, size);
    window().resize(size);

    // The page fills the space right of the list and below the buttons,
    // with the same gap on all four sides, or shrinks to nothing.
    const QRect view = page()->geometry();
    const int gap = view.top() - control<QWidget>("Picture2")->geometry().bottom() - 1;
    QCOMPARE(view.left() - control<QWidget>("Picture1")->geometry().right() - 1, gap);
    QCOMPARE(view.right() + 1 + gap, std::max(view.left() + gap, size.width()));
    QCOMPARE(view.bottom() + 1 + gap, std::max(view.top() + gap, size.height()));
    // The button strip spans the window's width, the list's panel its height.
    QCOMPARE(control<QWidget>("Picture2")->width(), size.width());
    QCOMPARE(control<QWidget>("Picture1")->geometry().bottom() + 1, size.height());
}

QTEST_MAIN(tst_frmBookshelf)
#include "tst_frmbookshelf.moc"
