#include "app/application.h"
#include "app/mdimain.h"
#include "screens/frmkey.h"
#include "screens/frmwelcome.h"
#include "support/testservices.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

namespace {

// Records the names of the program's windows in the order they are shown.
class ShowRecorder : public QObject
{
public:
    ShowRecorder() { qApp->installEventFilter(this); }
    ~ShowRecorder() override { qApp->removeEventFilter(this); }

    QStringList shown;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow())
            shown << watched->objectName();
        return false;
    }
};

QList<QPushButton *> buttonsTopToBottom(const frmWelcome &welcome)
{
    auto buttons = welcome.findChildren<QPushButton *>();
    std::sort(buttons.begin(), buttons.end(), [](auto *a, auto *b) { return a->y() < b->y(); });
    return buttons;
}

QString activeWindowName()
{
    return QApplication::activeWindow() ? QApplication::activeWindow()->objectName() : QString();
}

struct Started
{
    Started()
    {
        // The web windows' plugin lies beside the program, not the tests.
        QCoreApplication::addLibraryPath(QStringLiteral(QUILLMERE_PLUGIN_DIR));
        app.start();
    }
    TestServices test;
    Application app{test.services};
};

} // namespace

class tst_frmWelcome : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void shownInFrontAtStart();
    void buttonsCloseItAndOpenTheirWindow_data();
    void buttonsCloseItAndOpenTheirWindow();
    void closeBoxShowsTheShortcutListAndViewBringsItBack();
    void nothingIsShownAtProgramEnd();
};

void tst_frmWelcome::shownInFrontAtStart()
{
    Started f;
    frmWelcome &welcome = f.app.welcome();
    QVERIFY(QTest::qWaitForWindowExposed(&welcome));
    QVERIFY(f.app.mainWindow().windowState() & Qt::WindowMaximized);
    QTRY_COMPARE(activeWindowName(), QStringLiteral("frmWelcome"));
    QCOMPARE(welcome.windowTitle(), QStringLiteral("Welcome..."));
    QVERIFY(welcome.windowFlags() & Qt::WindowStaysOnTopHint);

    QStringList captions;
    for (const QPushButton *b : buttonsTopToBottom(welcome))
        captions << b->text();
    QCOMPARE(captions, (QStringList{QStringLiteral("Get Started"), QStringLiteral("Journal"),
                                    QStringLiteral("Bookshelf"), QStringLiteral("Generator Editor"),
                                    QStringLiteral("Support")}));
    QVERIFY(f.test.dialogs.messages.isEmpty());
}

void tst_frmWelcome::buttonsCloseItAndOpenTheirWindow_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("chosenSignal");
    // The window in front afterwards; none while the target lives elsewhere.
    QTest::addColumn<QString>("front");

    QTest::newRow("get started") << "Get Started" << "keyboardShortcutsChosen()" << "frmKey";
    QTest::newRow("journal") << "Journal" << "journalChosen()" << "frmJournal";
    QTest::newRow("bookshelf") << "Bookshelf" << "bookshelfChosen()" << "frmBookshelf";
    QTest::newRow("generator editor") << "Generator Editor" << "generatorEditorChosen()" << "frmEdit";
    QTest::newRow("support") << "Support" << "supportChosen(QString)" << "frmBrowser";
}

void tst_frmWelcome::buttonsCloseItAndOpenTheirWindow()
{
    QFETCH(QString, caption);
    QFETCH(QString, chosenSignal);
    QFETCH(QString, front);

    Started f;
    frmWelcome &welcome = f.app.welcome();
    QVERIFY(QTest::qWaitForWindowExposed(&welcome));

    // Every button's signal, to see that exactly the clicked one fires.
    std::vector<std::pair<QString, std::unique_ptr<QSignalSpy>>> spies;
    const QMetaObject &meta = frmWelcome::staticMetaObject;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QMetaMethod method = meta.method(i);
        if (method.methodType() == QMetaMethod::Signal && method.name().endsWith("Chosen"))
            spies.emplace_back(QString::fromLatin1(method.methodSignature()), std::make_unique<QSignalSpy>(&welcome, method));
    }
    QCOMPARE(spies.size(), std::size_t(5));

    ShowRecorder recorder;
    const auto buttons = buttonsTopToBottom(welcome);
    const auto button = std::find_if(buttons.begin(), buttons.end(), [&](auto *b) { return b->text() == caption; });
    QVERIFY(button != buttons.end());
    QTest::mouseClick(*button, Qt::LeftButton);

    QVERIFY(!welcome.isVisible());
    QVERIFY(!welcome.isLoaded());
    QVERIFY(f.app.keyboardShortcuts().isVisible());
    QString sent;
    for (const auto &[signature, spy] : spies) {
        QCOMPARE(spy->count(), signature == chosenSignal ? 1 : 0);
        // "Support" hands on the address to open.
        if (spy->count() && !spy->at(0).isEmpty()) {
            sent = spy->at(0).at(0).toString();
            const QUrl address = QUrl::fromUserInput(sent);
            QVERIFY(address.isValid());
            QVERIFY(!address.host().isEmpty());
        }
    }
    if (!front.isEmpty()) {
        // The target is shown after the shortcut list and so stands before it.
        QCOMPARE(recorder.shown.first(), QStringLiteral("frmKey"));
        QCOMPARE(recorder.shown.last(), front);
        QTRY_COMPARE(activeWindowName(), front);
    }
    if (!sent.isEmpty()) { // and the browser opens it
        const auto *address = QApplication::activeWindow()->findChild<QComboBox *>(QStringLiteral("cboAddress"));
        QCOMPARE(address->currentText(), sent);
    }
    QVERIFY(f.test.dialogs.messages.isEmpty());
}

void tst_frmWelcome::closeBoxShowsTheShortcutListAndViewBringsItBack()
{
    Started f;
    frmWelcome &welcome = f.app.welcome();
    QVERIFY(QTest::qWaitForWindowExposed(&welcome));
    QVERIFY(welcome.close());
    QVERIFY(!welcome.isVisible());
    QTRY_COMPARE(activeWindowName(), QStringLiteral("frmKey"));

    f.app.mainWindow().menuItem(QStringLiteral("Welcome"))->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(&welcome));
    QTRY_COMPARE(activeWindowName(), QStringLiteral("frmWelcome"));
    const auto buttons = buttonsTopToBottom(welcome);
    QCOMPARE(buttons.size(), 5);
    for (const QPushButton *b : buttons)
        QVERIFY2(b->isVisible() && b->isEnabled(), qPrintable(b->text()));
    QTest::mouseClick(buttons.at(3), Qt::LeftButton);
    QVERIFY(!welcome.isVisible());
    QTRY_COMPARE(activeWindowName(), QStringLiteral("frmEdit"));
}

void tst_frmWelcome::nothingIsShownAtProgramEnd()
{
    TestServices test;
    auto app = std::make_unique<Application>(test.services);
    app->start();
    QVERIFY(QTest::qWaitForWindowExposed(&app->welcome()));

    ShowRecorder recorder;
    app.reset();
    QCOMPARE(recorder.shown, QStringList());
}

QTEST_MAIN(tst_frmWelcome)
#include "tst_frmwelcome.moc"
