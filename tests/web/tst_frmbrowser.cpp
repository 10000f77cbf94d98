#include "localwebserver.h"
#include "platform/toolbar.h"
#include "platform/twips.h"
#include "web/enginewebwindows.h"
#include "web/frmbrowser.h"
#include "web/webaddresses.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineView>

namespace {

// Pages load in another process; a loaded machine may take its time.
constexpr int LoadTimeout = 60000;

} // namespace

class tst_frmBrowser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void openingShowsPageAndTitle_data();
    void openingShowsPageAndTitle();
    void enterOpensTypedAddress_data();
    void enterOpensTypedAddress();
    void backAndForwardWalkTheHistory();
    void stopWhileLoadingShowsTitleKnownThen();
    void homeAndSearchOpenTheirPages_data();
    void homeAndSearchOpenTheirPages();
    void resizeKeepsMargins_data();
    void resizeKeepsMargins();

private:
    QWidget &window() { return m_windows->browser(); }
    QComboBox *address() { return window().findChild<QComboBox *>(QStringLiteral("cboAddress")); }
    QWebEngineView *page() { return window().findChild<QWebEngineView *>(QStringLiteral("brwWebBrowser")); }
    void press(const char *key)
    {
        window().findChild<Toolbar *>(QStringLiteral("tbToolBar"))->button(QString::fromLatin1(key))->click();
    }

    LocalWebServer m_server;
    std::unique_ptr<EngineWebWindows> m_windows;
};

void tst_frmBrowser::initTestCase()
{
    QVERIFY(m_server.isListening());
    m_server.addPage(QStringLiteral("/one"), QStringLiteral("One"));
    m_server.addPage(QStringLiteral("/two"), QStringLiteral("Two"));
    m_server.addPage(QStringLiteral("/tale"), QStringLiteral("Сказка — 物語"));
    m_server.addPage(QStringLiteral("/slow"), QStringLiteral("Slow"), true);
}

void tst_frmBrowser::init()
{
    m_windows = std::make_unique<EngineWebWindows>();
}

void tst_frmBrowser::cleanup()
{
    m_windows.reset();
    m_server.release();
}

void tst_frmBrowser::openingShowsPageAndTitle_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("withScheme");
    QTest::addColumn<QString>("title");
    QTest::newRow("with http://") << QStringLiteral("/one") << true << QStringLiteral("One");
    QTest::newRow("without a scheme") << QStringLiteral("/two") << false << QStringLiteral("Two");
    QTest::newRow("title outside Latin-1") << QStringLiteral("/tale") << true << QStringLiteral("Сказка — 物語");
}

void tst_frmBrowser::openingShowsPageAndTitle()
{
    QFETCH(QString, path);
    QFETCH(bool, withScheme);
    QFETCH(QString, title);
    const QString typed = m_server.address(path, withScheme);

    m_windows->openBrowser(typed);

    // An ordinary window, which the writer's documents can come in front of.
    QVERIFY(window().isVisible() && !(window().windowFlags() & Qt::WindowStaysOnTopHint));
    QCOMPARE(address()->currentText(), typed);
    QTRY_COMPARE_WITH_TIMEOUT(window().windowTitle(), title, LoadTimeout);
    QCOMPARE(page()->url(), QUrl(m_server.address(path)));
    QCOMPARE(address()->count(), 0);
}

void tst_frmBrowser::enterOpensTypedAddress_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("opens");
    QTest::newRow("Return") << int(Qt::Key_Return) << true;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << true;
    QTest::newRow("Space") << int(Qt::Key_Space) << false;
    QTest::newRow("Tab") << int(Qt::Key_Tab) << false;
}

void tst_frmBrowser::enterOpensTypedAddress()
{
    QFETCH(int, key);
    QFETCH(bool, opens);
    m_windows->openBrowser(m_server.address(QStringLiteral("/one")));
    QTRY_COMPARE_WITH_TIMEOUT(window().windowTitle(), QStringLiteral("One"), LoadTimeout);

    QLineEdit *edit = address()->lineEdit();
    edit->clear();
    QTest::keyClicks(edit, m_server.address(QStringLiteral("/two"), false));
    QTest::keyClick(edit, Qt::Key(key));

    if (opens) {
        QCOMPARE(window().windowTitle(), QStringLiteral("Working..."));
        QTRY_COMPARE_WITH_TIMEOUT(window().windowTitle(), QStringLiteral("Two"), LoadTimeout);
        QCOMPARE(page()->url(), QUrl(m_server.address(QStringLiteral("/two"))));
    } else {
        QCOMPARE(window().windowTitle(), QStringLiteral("One"));
        QCOMPARE(page()->page()->requestedUrl(), QUrl(m_server.address(QStringLiteral("/one"))));
    }
    QCOMPARE(address()->count(), 0);
}

void tst_frmBrowser::backAndForwardWalkTheHistory()
{
    m_windows->openBrowser(QString()); // an empty window has nothing to reload either
    press("Refresh");
    QVERIFY(window().windowTitle().isEmpty());

    const QString one = m_server.address(QStringLiteral("/one"));
    m_windows->openBrowser(one);
    QTRY_COMPARE_WITH_TIMEOUT(window().windowTitle(), QStringLiteral("One"), LoadTimeout);
    // Nothing earlier, later or loading: each press only shows the title again.
    for (const char *key : {"Back", "Forward", "Stop"}) {
        window().setWindowTitle(QString());
        press(key);
        QCOMPARE(window().windowTitle(), QStringLiteral("One"));
    }

    // A second link while the window is open, as the link bar opens them.
    m_windows->openBrowser(m_server.address(QStringLiteral("/two")));
    QTRY_COMPARE_WITH_TIMEOUT(window().windowTitle(), QStringLiteral("Two"), LoadTimeout);
    press("Back");
    QCOMPARE(window().windowTitle(), QStringLiteral("Working..."));
    QTRY_COMPARE_WITH_TIMEOUT(window().windowTitle(), QStringLiteral("One"), LoadTimeout);
    press("Forward");
    QTRY_COMPARE_WITH_TIMEOUT(window().windowTitle(), QStringLiteral("Two"), LoadTimeout);

    // Closing the window ends its history; reopened, it starts afresh.
    window().close();
    m_windows->openBrowser(one);
    QVERIFY(window().windowTitle().isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(window().windowTitle(), QStringLiteral("One"), LoadTimeout);
    press("Back");
    QCOMPARE(window().windowTitle(), QStringLiteral("One"));
    QCOMPARE(page()->url(), QUrl(one));
}

void tst_frmBrowser::stopWhileLoadingShowsTitleKnownThen()
{
    m_windows->openBrowser(m_server.address(QStringLiteral("/one")));
    QTRY_COMPARE_WITH_TIMEOUT(window().windowTitle(), QStringLiteral("One"), LoadTimeout);
    QLineEdit *edit = address()->lineEdit();
    edit->setText(m_server.address(QStringLiteral("/slow")));
    QTest::keyClick(edit, Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(m_server.requests().contains(QStringLiteral("/slow")), LoadTimeout);
    QCOMPARE(window().windowTitle(), QStringLiteral("Working..."));

    press("Stop");

    QCOMPARE(window().windowTitle(), QStringLiteral("One"));
    QCOMPARE(page()->url(), QUrl(m_server.address(QStringLiteral("/one"))));
}

void tst_frmBrowser::homeAndSearchOpenTheirPages_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Home") << QStringLiteral("Home") << QString::fromUtf16(WebAddresses::Home);
    QTest::newRow("Search") << QStringLiteral("Search") << QString::fromUtf16(WebAddresses::Search);
}

void tst_frmBrowser::homeAndSearchOpenTheirPages()
{
    QFETCH(QString, key);
    QFETCH(QString, expected);
    m_windows->openBrowser(m_server.address(QStringLiteral("/one")));
    QTRY_COMPARE_WITH_TIMEOUT(window().windowTitle(), QStringLiteral("One"), LoadTimeout);
    QSignalSpy finished(page(), &QWebEngineView::loadFinished);

    press(key.toLatin1().constData());

    QCOMPARE(window().windowTitle(), QStringLiteral("Working..."));
    QUrl handed = QUrl::fromUserInput(expected);
    if (handed.path().isEmpty())
        handed.setPath(QStringLiteral("/"));
    QCOMPARE(page()->page()->requestedUrl(), handed);
    // No network here: the engine shows its own error page in the window and
    // the watch ends with that page's title.
    QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty(), LoadTimeout);
    QVERIFY(window().isVisible());
    QCOMPARE(window().windowTitle(), page()->title());
}

void tst_frmBrowser::resizeKeepsMargins_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("design size") << Twips::size(6540, 5130);
    QTest::newRow("wider, odd pixels") << QSize(1001, 777);
    QTest::newRow("just room for the margins") << QSize(Twips::toPixels(100), Twips::toPixels(1215 + 100));
    QTest::newRow("smaller than the margins") << QSize(3, 40);
}

void tst_frmBrowser::resizeKeepsMargins()
{
    QFETCH(QSize, size);
    m_windows->openBrowser(m_server.address(QStringLiteral("/one")));
    window().resize(size);

    // Rounded to whole pixels, the address box and the page end 50 twips
    // short of the right edge and the page 100 twips above the bottom, or
    // shrink to nothing where the window has no room for that.
    const QRect box = address()->geometry();
    const QRect view = page()->geometry();
    QCOMPARE(box.width(), view.width());
    const int right = std::max(view.x(), size.width() - Twips::toPixels(50));
    const int bottom = std::max(view.y(), size.height() - Twips::toPixels(100));
    QVERIFY2(qAbs(box.x() + box.width() - right) <= 1, qPrintable(QString::number(box.x() + box.width())));
    QVERIFY(qAbs(view.x() + view.width() - right) <= 1);
    QVERIFY(qAbs(view.y() + view.height() - bottom) <= 1);
}

QTEST_MAIN(tst_frmBrowser)
#include "tst_frmbrowser.moc"
