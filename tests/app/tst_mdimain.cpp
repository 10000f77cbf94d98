#include "app/application.h"
#include "platform/dirlistbox.h"
#include "editor/documentwindows.h"
#include "platform/drivelistbox.h"
#include "platform/filelistbox.h"
#include "platform/form.h"
#include "generators/frmedit.h"
#include "generators/generatorwindow.h"
#include "journal/frmjournal.h"
#include "editor/frmdoc.h"
#include "app/mdimain.h"
#include "platform/richtextbox.h"
#include "platform/spellchecker.h"
#include "screens/frmwelcome.h"
#include "support/spellingunderlines.h"
#include "support/testservices.h"
#include "platform/textbox.h"
#include "platform/toolbar.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QApplication>
#include <QHash>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QScreen>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTest>
#include <QToolButton>

namespace {

class Fixture
{
public:
    Fixture() : app(test.services) { app.start(); putWelcomeAway(); }
    // Starts the program after the test has set the services up.
    explicit Fixture(const std::function<void(TestServices &)> &setUp)
        : app(test.services)
    {
        setUp(test);
        app.start();
        putWelcomeAway();
    }

    // These tests work in the main window: the welcome screen that start-up
    // puts in front is hidden without closing it, so nothing else opens.
    void putWelcomeAway()
    {
        app.welcome().hide();
        main().activateWindow();
    }

    // The main window is on screen with its layout settled.
    bool shown() const
    {
        if (!QTest::qWaitForWindowExposed(&main()))
            return false;
        QCoreApplication::processEvents();
        return true;
    }

    mdiMain &main() const { return app.mainWindow(); }
    QMdiArea &area() const { return *main().findChild<QMdiArea *>(); }
    template<typename T = QWidget>
    T *control(const char *name) const { return main().findChild<T *>(QString::fromLatin1(name)); }
    void click(const char *item) const { main().menuItem(QString::fromLatin1(item))->trigger(); }

    TestServices test;
    Application app;
};

class StandInWindow : public Form
{
};

QStringList visibleGenerators()
{
    QStringList captions;
    const auto windows = QApplication::topLevelWidgets();
    for (const QWidget *w : windows)
        if (qobject_cast<const GeneratorWindow *>(w) && w->isVisible())
            captions << w->windowTitle();
    captions.sort();
    return captions;
}

// The editor shows a few lines of a sentence: the window is of use.
bool showsText(const frmDoc *document)
{
    const QWidget *viewport = document->RichTextBox1()->textEdit()->viewport();
    const QFontMetrics metrics(document->RichTextBox1()->textEdit()->font());
    return document->isVisible() && viewport->height() >= 3 * metrics.lineSpacing()
           && viewport->width() >= 20 * metrics.averageCharWidth();
}

QStringList listedNames(const QListWidget &list)
{
    QStringList names;
    for (int i = 0; i < list.count(); ++i)
        names.append(list.item(i)->text());
    return names;
}

// What a window needs is whole in it, or the window is as large as the screen
// in that direction, give or take the frame, which the window can only guess
// before it is first shown.
bool wholeOrScreenWide(int inner, int needed, int outer, int screen, int frameGuess)
{
    return inner >= needed || outer >= screen - frameGuess;
}

void doubleClickEntry(QListWidget *list, const QString &entry)
{
    const auto items = list->findItems(entry, Qt::MatchExactly);
    QVERIFY(!items.isEmpty());
    list->setCurrentItem(items.first());
    const QPoint at = list->visualItemRect(items.first()).center();
    // A double-click is a press and release, then the second press.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

} // namespace

class tst_mdiMain : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startUpState();
    void controlsStandAtTheirDesignPlaces_data();
    void controlsStandAtTheirDesignPlaces();
    void viewTogglesKeepTheirCheckMarks_data();
    void viewTogglesKeepTheirCheckMarks();
    void restoredMainWindowShowsEverything();
    void restoredDocumentShowsItsText_data();
    void restoredDocumentShowsItsText();
    void textKeepsAMarginFromTheFrame_data();
    void textKeepsAMarginFromTheFrame();
    void arrangements_data();
    void arrangements();
    void newTwice();
    void menuKeysWorkFromADocument();
    void menuTreeReadsAsDesigned();
    void menuKeysWorkInTheMainWindowOnly_data();
    void menuKeysWorkInTheMainWindowOnly();
    void exitClosesDocumentsButNotOtherWindows();
    void fileCommandsFromMenuKeysAndToolbar_data();
    void fileCommandsFromMenuKeysAndToolbar();
    void filePaneFollowsDriveAndFolder();
    void changingTheDriveRefreshesBothLists();
    void filePaneFollowsTheFolder_data();
    void filePaneFollowsTheFolder();
    void generatorListShowsTheCatalogue();
    void doubleClickOpensTheMatchingGenerator();
    void launcherComparesWholeEntriesWithCase();
    void generatorsOpenInACascade();
    void generatorEditorFromTheToolsMenu();
    void misspeltWordsAreUnderlined_data();
    void misspeltWordsAreUnderlined();
};

void tst_mdiMain::startUpState()
{
    Fixture f;
    QVERIFY(f.main().isVisible());
    QVERIFY(f.main().windowState() & Qt::WindowMaximized);
    QCOMPARE(f.main().windowTitle(), QStringLiteral("Quillmere"));
    QVERIFY(!f.main().windowIcon().isNull());
    QCOMPARE(f.test.random.reseeds, 1);

    const auto windows = f.area().subWindowList();
    QCOMPARE(windows.size(), 1);
    QCOMPARE(windows[0]->widget()->windowTitle(), QString());
    QVERIFY(windows[0]->isMaximized());
    QCOMPARE(f.main().documents().activeDocument()->Text(), QString());

    for (const char *item : {"Generators", "Ruler", "MainBar"})
        QVERIFY2(f.main().menuItem(QString::fromLatin1(item))->isChecked(), item);
    for (const char *pane : {"picFileBar", "picRuler", "Toolbar1"})
        QVERIFY2(f.control(pane)->isVisible(), pane);

    // The toolbar's keys stand side by side in their order, with their tips,
    // and each has a name that a screen reader can say.
    const auto keys = f.control("Toolbar1")->findChildren<QToolButton *>(Qt::FindDirectChildrenOnly);
    QVERIFY(keys.size() > 1);
    for (qsizetype i = 1; i < keys.size(); ++i)
        QVERIFY2(keys[i]->geometry().left() > keys[i - 1]->geometry().right(), qPrintable(keys[i]->objectName()));
    for (const QToolButton *key : keys)
        QVERIFY2(!key->accessibleName().isEmpty(), qPrintable(key->objectName()));
    QCOMPARE(f.control<Toolbar>("Toolbar1")->button(QStringLiteral("printp"))->toolTip(),
             QStringLiteral("Print Preview"));
    QVERIFY(f.test.dialogs.messages.isEmpty());
}

void tst_mdiMain::controlsStandAtTheirDesignPlaces_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<Qt::Orientation>("flow");

    QTest::newRow("tool bar strip") << QStringList{QStringLiteral("Command52"), QStringLiteral("Combo1"),
                                                   QStringLiteral("Text1"), QStringLiteral("Command1")}
                                    << Qt::Horizontal;
    QTest::newRow("left pane") << QStringList{QStringLiteral("List1"), QStringLiteral("Drive1"), QStringLiteral("Dir1"),
                                              QStringLiteral("File1")}
                               << Qt::Vertical;
}

void tst_mdiMain::controlsStandAtTheirDesignPlaces()
{
    QFETCH(QStringList, names);
    QFETCH(Qt::Orientation, flow);
    Fixture f;
    // Each control lies in its strip, after the one before it.
    QRect previous;
    for (const QString &name : names) {
        const QWidget *w = f.control(name.toLatin1().constData());
        const QRect r = w->geometry();
        if (flow == Qt::Horizontal) {
            QCOMPARE(r.top(), 0);
            QVERIFY2(r.height() <= w->parentWidget()->height(), qPrintable(name));
            QVERIFY2(previous.isNull() || (r.left() > previous.left() && r.left() >= previous.right()), qPrintable(name));
        } else {
            QCOMPARE(r.left(), 8);
            QCOMPARE(r.right(), f.control("picFileBar")->width() - 1 - 12);
            QVERIFY2(previous.isNull() || r.top() > previous.bottom(), qPrintable(name));
        }
        previous = r;
    }
    // Spot checks at 15 twips to a pixel.
    QCOMPARE(f.control("Combo1")->geometry(), QRect(472, 0, 65, 21));
    QCOMPARE(f.control("Dir1")->geometry(), QRect(8, 320, 161, 141));
    QCOMPARE(f.control("picFileBar")->width(), 181);
    QCOMPARE(f.control("picRuler")->height(), 18);
    QCOMPARE(f.control<QComboBox>("Combo1")->currentText(), QStringLiteral("8"));
    QCOMPARE(f.control<QComboBox>("Combo1")->count(), 23);
}

void tst_mdiMain::viewTogglesKeepTheirCheckMarks_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("pane");

    QTest::newRow("Generators") << QStringLiteral("Generators") << QStringLiteral("picFileBar");
    QTest::newRow("Ruler") << QStringLiteral("Ruler") << QStringLiteral("picRuler");
    QTest::newRow("Main Tool Bar") << QStringLiteral("MainBar") << QStringLiteral("Toolbar1");
}

void tst_mdiMain::viewTogglesKeepTheirCheckMarks()
{
    QFETCH(QString, item);
    QFETCH(QString, pane);
    Fixture f;
    QVERIFY(f.shown());
    QWidget *widget = f.control(pane.toLatin1().constData());
    QAction *action = f.main().menuItem(item);
    const QSize documentArea = f.area().size();

    action->trigger();
    QVERIFY(widget->isHidden());
    QVERIFY(!action->isChecked());
    QTRY_VERIFY(f.area().width() * f.area().height() > documentArea.width() * documentArea.height());

    action->trigger();
    QVERIFY(widget->isVisible());
    QVERIFY(action->isChecked());
    QTRY_COMPARE(f.area().size(), documentArea);
}

void tst_mdiMain::restoredMainWindowShowsEverything()
{
    Fixture f;
    QVERIFY(f.shown());
    f.main().showNormal(); // the restore button
    QTRY_VERIFY(!(f.main().windowState() & Qt::WindowMaximized));
    QCoreApplication::processEvents();

    const QRect screen = f.main().screen()->availableGeometry();
    const QRect outer = f.main().frameGeometry();
    QVERIFY(screen.contains(outer));
    const QPoint offCentre = outer.center() - screen.center();
    const int titleBar = f.main().style()->pixelMetric(QStyle::PM_TitleBarHeight);
    QVERIFY2(offCentre.manhattanLength() <= titleBar, qPrintable(QStringLiteral("%1, %2").arg(offCentre.x()).arg(offCentre.y())));

    // The whole toolbar strip, the whole left pane, and a document beside it.
    const QRect client = f.main().rect();
    const QRect visit = f.control("Command1")->geometry().translated(f.control("Command1")->parentWidget()->mapTo(&f.main(), QPoint()));
    const QRect files = f.control("File1")->geometry().translated(f.control("File1")->parentWidget()->mapTo(&f.main(), QPoint()));
    const QByteArray sizes = QStringLiteral("window %1 x %2 on a screen of %3 x %4")
                                 .arg(outer.width()).arg(outer.height()).arg(screen.width()).arg(screen.height()).toLatin1();
    QVERIFY2(wholeOrScreenWide(client.right(), visit.right(), outer.width(), screen.width(), titleBar), sizes.constData());
    QVERIFY2(wholeOrScreenWide(client.bottom(), files.bottom(), outer.height(), screen.height(), titleBar), sizes.constData());
    QVERIFY2(wholeOrScreenWide(f.area().viewport()->width(), frmDoc::NormalSize.width(), outer.width(), screen.width(), titleBar),
             sizes.constData());
    QVERIFY(f.main().documents().activeWindow()->isVisible());
}

void tst_mdiMain::restoredDocumentShowsItsText_data()
{
    QTest::addColumn<bool>("madeByNew");
    QTest::newRow("the first document, made before the window shows") << false;
    QTest::newRow("a document made by New") << true;
}

void tst_mdiMain::restoredDocumentShowsItsText()
{
    QFETCH(bool, madeByNew);
    Fixture f;
    QVERIFY(f.shown());
    if (madeByNew)
        f.click("New");
    QMdiSubWindow *window = f.area().currentSubWindow();
    QVERIFY(window->isMaximized());

    window->showNormal(); // the restore button
    QCoreApplication::processEvents();
    QVERIFY(!window->isMaximized());
    QVERIFY2(showsText(f.main().documents().activeWindow()),
             qPrintable(QStringLiteral("%1 x %2").arg(window->width()).arg(window->height())));
    window->showMaximized();
    window->showNormal(); // again: the same size as before
    QVERIFY(showsText(f.main().documents().activeWindow()));
}

void tst_mdiMain::textKeepsAMarginFromTheFrame_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("typed into a new document") << QStringLiteral("New");
    QTest::newRow("a file opened from the file pane") << QStringLiteral("pane");
}

void tst_mdiMain::textKeepsAMarginFromTheFrame()
{
    QFETCH(QString, how);
    Fixture f;
    QVERIFY(f.shown());
    if (how == u"New") {
        f.click("New");
        f.main().documents().activeDocument()->setText(QStringLiteral("Once upon a time"));
    } else {
        QTemporaryDir folder;
        QFile file(folder.filePath(QStringLiteral("tale.rtf")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\\rtf1 Once upon a time}");
        file.close();
        auto *files = f.control<FileListBox>("File1");
        f.control<DirListBox>("Dir1")->setPath(folder.path());
        files->setCurrentRow(0);
        Q_EMIT files->DblClick();
        QCOMPARE(f.main().documents().activeDocument()->Text(), QStringLiteral("Once upon a time"));
    }
    QTextEdit *edit = f.main().documents().activeDocument()->textEdit();
    QTextCursor start(edit->document());
    const QRect first = edit->cursorRect(start);
    QVERIFY2(first.left() >= frmDoc::TextMargin, qPrintable(QString::number(first.left())));
    QVERIFY2(first.top() >= frmDoc::TextMargin, qPrintable(QString::number(first.top())));
}

void tst_mdiMain::arrangements_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("count");
    QTest::newRow("Cascade") << QStringLiteral("Cascade") << 2;
    QTest::newRow("Cascade, more windows than one run holds") << QStringLiteral("Cascade") << 40;
    QTest::newRow("Tile Horizontal") << QStringLiteral("hori") << 4;
    QTest::newRow("Tile Horizontal, too many for one column") << QStringLiteral("hori") << 12;
    QTest::newRow("Tile Vertical") << QStringLiteral("Vertical") << 3;
    QTest::newRow("Tile Vertical, too many for one row") << QStringLiteral("Vertical") << 12;
    QTest::newRow("Arrange Icons") << QStringLiteral("arrange") << 2;
}

void tst_mdiMain::arrangements()
{
    QFETCH(QString, item);
    QFETCH(int, count);
    Fixture f;
    QVERIFY(f.shown());
    f.area().closeAllSubWindows();
    f.main().menuItem(item)->trigger(); // nothing to arrange: silent
    QVERIFY(f.test.dialogs.messages.isEmpty());

    for (int i = 0; i < count; ++i)
        f.click("New");
    auto windows = f.area().subWindowList(QMdiArea::CreationOrder);
    QCOMPARE(windows.size(), count);
    if (item == u"arrange") { // no minimised windows: nothing moves
        const QRect before[] = {windows[0]->geometry(), windows[1]->geometry()};
        f.main().menuItem(item)->trigger();
        QCOMPARE(windows[0]->geometry(), before[0]);
        QCOMPARE(windows[1]->geometry(), before[1]);
        return;
    }
    f.main().menuItem(item)->trigger();
    QCoreApplication::processEvents();
    for (const QMdiSubWindow *w : std::as_const(windows)) {
        QVERIFY(!w->isMaximized());
        QVERIFY(f.area().viewport()->rect().contains(w->geometry()));
        QVERIFY(showsText(qobject_cast<const frmDoc *>(w->widget())));
    }
    const QRect a = windows[0]->geometry();
    const QRect b = windows[1]->geometry();
    if (item != u"Cascade") {
        // The tiles share the whole area without overlapping.
        int covered = 0;
        for (int i = 0; i < count; ++i) {
            covered += windows[i]->width() * windows[i]->height();
            for (int j = i + 1; j < count; ++j)
                QVERIFY(!windows[i]->geometry().intersects(windows[j]->geometry()));
        }
        QCOMPARE(covered, f.area().viewport()->width() * f.area().viewport()->height());
    }
    if (item == u"hori") {
        QCOMPARE(a.x(), b.x());
        QVERIFY(b.top() > a.bottom());
    } else if (item == u"Vertical") {
        QCOMPARE(a.y(), b.y());
        QVERIFY(b.left() > a.right());
    } else {
        // Each a step below and right of the one before, the title bars in
        // view, until a run starts again at the top left.
        for (int i = 1; i < count; ++i) {
            const QPoint step = windows[i]->pos() - windows[i - 1]->pos();
            QVERIFY2((step.x() > 0 && step.y() > 0 && step.x() <= windows[i]->height() / 3)
                         || windows[i]->pos() == QPoint(0, 0),
                     qPrintable(QStringLiteral("window %1 at %2, %3").arg(i).arg(windows[i]->x()).arg(windows[i]->y())));
        }
        QCOMPARE(f.area().activeSubWindow(), windows.last());
    }
}

void tst_mdiMain::newTwice()
{
    Fixture f;
    f.click("New");
    f.click("New");
    const auto windows = f.area().subWindowList(QMdiArea::CreationOrder);
    QCOMPARE(windows.size(), 3);
    QCOMPARE(windows[1]->widget()->windowTitle(), QStringLiteral("Document "));
    QCOMPARE(windows[2]->widget()->windowTitle(), QStringLiteral("Document "));
    QCOMPARE(f.main().documents().activeWindow(), windows[2]->widget());
}

void tst_mdiMain::menuKeysWorkFromADocument()
{
    Fixture f;
    QVERIFY(QTest::qWaitForWindowActive(&f.main()));
    RichTextBox *editor = f.main().documents().activeDocument();
    editor->SetFocus();
    QTest::keyClicks(editor->textEdit(), QStringLiteral("typed"));
    QCOMPARE(editor->Text(), QStringLiteral("typed"));

    QTest::keyClick(editor->textEdit(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(f.area().subWindowList().size(), 2);
    QCOMPARE(f.main().documents().activeWindow()->windowTitle(), QStringLiteral("Document "));
}

void tst_mdiMain::menuTreeReadsAsDesigned()
{
    Fixture f;
    QStringList tops;
    QSet<QString> names;
    QHash<QChar, QString> keys;
    int items = 0;
    const auto menus = f.main().menuBar()->actions();
    for (const QAction *top : menus) {
        tops << top->text();
        const auto entries = top->menu()->actions();
        QVERIFY2(!entries.isEmpty() && !entries.first()->isSeparator() && !entries.last()->isSeparator(),
                 qPrintable(top->text()));
        for (qsizetype i = 0; i < entries.size(); ++i) {
            const QAction *item = entries[i];
            ++items;
            QVERIFY2(!names.contains(item->objectName()), qPrintable(item->objectName()));
            names.insert(item->objectName());
            QVERIFY(item->isEnabled() && item->isVisible());
            QVERIFY2(item->isSeparator() || !item->text().isEmpty(), qPrintable(item->objectName()));
            QVERIFY2(!(item->isSeparator() && entries[i - 1]->isSeparator()), qPrintable(item->objectName()));
            QCOMPARE(item->isChecked(), QStringList({QStringLiteral("Generators"), QStringLiteral("Ruler"),
                                                     QStringLiteral("MainBar")}).contains(item->objectName()));
            if (item->shortcut().isEmpty())
                continue;
            // One Ctrl+letter each, never two items on one key.
            QCOMPARE(item->shortcut().count(), 1);
            QCOMPARE(item->shortcut()[0].keyboardModifiers(), Qt::ControlModifier);
            const QChar key(char16_t(item->shortcut()[0].key()));
            QVERIFY2(key.isUpper() && !keys.contains(key), qPrintable(item->objectName()));
            keys.insert(key, item->objectName());
        }
    }
    QCOMPARE(tops, QStringList({QStringLiteral("File"), QStringLiteral("Edit"), QStringLiteral("Insert"),
                                QStringLiteral("Format"), QStringLiteral("Tools"), QStringLiteral("View"),
                                QStringLiteral("About")}));
    QCOMPARE(items + tops.size(), 57);
    QCOMPARE(keys.size(), 12);
    QCOMPARE(keys.value(u'A'), QStringLiteral("SellectAll"));
    QCOMPARE(keys.value(u'P'), QStringLiteral("Print"));
    QCOMPARE(keys.value(u'U'), QStringLiteral("Underline"));
    QCOMPARE(f.main().menuItem(QStringLiteral("Strikethru"))->text(), QStringLiteral("Strike through"));
    QCOMPARE(f.main().menuItem(QStringLiteral("keyshort"))->text(), f.main().menuItem(QStringLiteral("keyshorta"))->text());
}

void tst_mdiMain::menuKeysWorkInTheMainWindowOnly_data()
{
    QTest::addColumn<bool>("inMain");
    QTest::newRow("the main window") << true;
    QTest::newRow("the welcome screen") << false;
}

void tst_mdiMain::menuKeysWorkInTheMainWindowOnly()
{
    QFETCH(bool, inMain);
    Fixture f;
    QVERIFY(f.shown());
    QWidget *active = &f.main();
    if (inMain) {
        f.main().activateWindow();
    } else {
        Show(f.app.welcome());
        active = &f.app.welcome();
    }
    QVERIFY(QTest::qWaitForWindowActive(active));
    const QMdiArea *area = f.main().findChild<QMdiArea *>();
    const qsizetype before = area->subWindowList().size();
    QTest::keyClick(active, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(area->subWindowList().size(), before + (inMain ? 1 : 0));
}

void tst_mdiMain::exitClosesDocumentsButNotOtherWindows()
{
    Fixture f;
    StandInWindow other;
    Show(other);
    f.main().documents().activeDocument()->setText(QStringLiteral("unsaved"));
    f.click("New");

    f.click("Exit");
    QVERIFY(!f.main().isVisible());
    QTRY_VERIFY(f.area().subWindowList().isEmpty());
    QVERIFY(other.isVisible());
    QVERIFY(f.test.dialogs.messages.isEmpty());
}

void tst_mdiMain::fileCommandsFromMenuKeysAndToolbar_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("firstFilter");
    QTest::addColumn<int>("windows");

    QTest::newRow("menu Open") << QStringLiteral("menu Open") << QStringLiteral("Documents (*.txt)") << 2;
    QTest::newRow("toolbar Open") << QStringLiteral("toolbar Open") << QStringLiteral("Documents (*.txt)") << 2;
    QTest::newRow("Ctrl+O") << QStringLiteral("key O") << QStringLiteral("Documents (*.txt)") << 2;
    QTest::newRow("menu Save As") << QStringLiteral("menu SaveAs") << QStringLiteral("RichText Files (*.rtf)") << 1;
    QTest::newRow("toolbar Save") << QStringLiteral("toolbar Save") << QStringLiteral("Text Files (*.txt)") << 1;
    QTest::newRow("menu Save") << QStringLiteral("menu Save") << QStringLiteral("Text Files (*.txt)") << 1;
    QTest::newRow("Ctrl+S") << QStringLiteral("key S") << QStringLiteral("Text Files (*.txt)") << 1;
}

void tst_mdiMain::fileCommandsFromMenuKeysAndToolbar()
{
    QFETCH(QString, how);
    Fixture f;
    QVERIFY(QTest::qWaitForWindowActive(&f.main()));
    f.test.dialogs.fileAnswers = {std::nullopt};
    const QString what = how.section(u' ', 1);
    if (how.startsWith(u"menu"))
        f.main().menuItem(what)->trigger();
    else if (how.startsWith(u"toolbar"))
        f.control<Toolbar>("Toolbar1")->button(what)->click();
    else
        QTest::keyClick(f.main().documents().activeDocument()->textEdit(), Qt::Key(what[0].unicode()), Qt::ControlModifier);

    QCOMPARE(f.test.dialogs.files.size(), 1);
    QFETCH(QString, firstFilter);
    QVERIFY2(f.test.dialogs.files[0].filter.startsWith(firstFilter), qPrintable(f.test.dialogs.files[0].filter));
    QTEST(int(f.area().subWindowList().size()), "windows");
    QVERIFY(f.test.dialogs.unexpected.isEmpty());
}

void tst_mdiMain::filePaneFollowsDriveAndFolder()
{
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("drafts")));
    for (const char *name : {"one.rtf", "two.txt", "drafts/three.rtf"}) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\\rtf1 \\b words}");
    }
    Fixture f([&](TestServices &test) { test.volumes.current = folder.path(); });
    QVERIFY(f.shown());
    auto *drives = f.control<DriveListBox>("Drive1");
    auto *folders = f.control<DirListBox>("Dir1");
    auto *files = f.control<FileListBox>("File1");
    QCOMPARE(drives->Drive(), f.test.directory.path()); // where the test folder lies, here
    QCOMPARE(folders->Path(), QDir(folder.path()).canonicalPath());
    QCOMPARE(files->Path(), folders->Path());
    QCOMPARE(files->count(), 2);
    QTreeWidgetItem *shownFolder = folders->currentItem();
    QVERIFY(shownFolder->childCount() == 1 && shownFolder->child(0)->text(0) == u"drafts");
    QCOMPARE(folders->topLevelItem(0)->text(0), QDir::toNativeSeparators(QDir::rootPath()));

    const QPoint drafts = folders->visualItemRect(shownFolder->child(0)).center();
    QTest::mouseClick(folders->viewport(), Qt::LeftButton, {}, drafts);
    QTest::mouseDClick(folders->viewport(), Qt::LeftButton, {}, drafts);
    QCOMPARE(folders->Path(), QDir(folder.filePath(QStringLiteral("drafts"))).canonicalPath());
    QCOMPARE(files->Path(), folders->Path());
    QCOMPARE(files->count(), 1);
    QCOMPARE(files->item(0)->text(), QStringLiteral("three.rtf"));

    files->setCurrentRow(0);
    Q_EMIT files->DblClick();
    const QString opened = f.main().documents().activeWindow()->windowTitle();
    QCOMPARE(opened, folders->Path() + QStringLiteral("/three.rtf"));
    QCOMPARE(f.main().documents().activeDocument()->Text(), QStringLiteral("words"));
    QVERIFY(f.test.dialogs.messages.isEmpty());

    folders->setPath(folder.filePath(QStringLiteral("vanished")));
    QCOMPARE(files->count(), 0);
    QCOMPARE(f.test.dialogs.messages.size(), 1);
    QVERIFY(f.test.dialogs.messages[0].text.contains(u"vanished"));
}

void tst_mdiMain::changingTheDriveRefreshesBothLists()
{
    QTemporaryDir first, second;
    const QString nested = QDir(second.path()).filePath(QStringLiteral("card"));
    const QString current = QDir(nested).filePath(QStringLiteral("chapters"));
    QVERIFY(QDir().mkpath(current));
    // A volume mounted inside another, listed before it: the current folder
    // lies on the inner one, not on one whose name only begins like a folder's.
    // A volume without a name shows its path alone.
    Fixture f([&](TestServices &test) {
        test.volumes.volumes = {{first.path(), QString()},
                                {nested, QStringLiteral("card")},
                                {second.path(), QStringLiteral("two")},
                                {QDir(nested).filePath(QStringLiteral("chap")), QStringLiteral("chap")}};
        test.volumes.current = current;
    });
    auto *drives = f.control<DriveListBox>("Drive1");
    auto *folders = f.control<DirListBox>("Dir1");
    auto *files = f.control<FileListBox>("File1");
    QCOMPARE(drives->count(), 4);
    QCOMPARE(drives->currentIndex(), 1);
    QCOMPARE(drives->currentText(), QDir::toNativeSeparators(nested) + QStringLiteral(" [card]"));
    QCOMPARE(drives->itemText(0), QDir::toNativeSeparators(first.path()));
    QCOMPARE(folders->Path(), QDir(current).canonicalPath());

    // Another drive opens at its top; the drive of the current folder opens there.
    drives->setCurrentIndex(0);
    QCOMPARE(folders->Path(), QDir(first.path()).canonicalPath());
    QCOMPARE(files->Path(), folders->Path());
    drives->setCurrentIndex(2);
    QCOMPARE(folders->Path(), QDir(second.path()).canonicalPath());
    drives->setCurrentIndex(1);
    QCOMPARE(folders->Path(), QDir(current).canonicalPath());
    QCOMPARE(files->Path(), folders->Path());
}

void tst_mdiMain::filePaneFollowsTheFolder_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("a document saved into it") << QStringLiteral("save draft.rtf")
                                              << QStringList{QStringLiteral("draft.rtf"), QStringLiteral("notes.txt")};
    QTest::newRow("saved without extension") << QStringLiteral("save README")
                                             << QStringList{QStringLiteral("notes.txt"), QStringLiteral("README")};
    QTest::newRow("saved under a name outside Latin-1") << QStringLiteral("save Черновик.rtf")
                                                        << QStringList{QStringLiteral("notes.txt"), QStringLiteral("Черновик.rtf")};
    QTest::newRow("a draft and its hidden lock file made by another program")
        << QStringLiteral("lock draft.rtf") << QStringList{QStringLiteral("draft.rtf"), QStringLiteral("notes.txt")};
    QTest::newRow("a file removed by another program") << QStringLiteral("remove notes.txt") << QStringList{};
    QTest::newRow("a file renamed by another program") << QStringLiteral("rename notes.txt")
                                                       << QStringList{QStringLiteral("ideas.txt")};
}

void tst_mdiMain::filePaneFollowsTheFolder()
{
    QFETCH(QString, change);
    QFETCH(QStringList, listed);
    QTemporaryDir folder;
    QFile notes(folder.filePath(QStringLiteral("notes.txt")));
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.close();
    Fixture f;
    auto *files = f.control<FileListBox>("File1");
    f.control<DirListBox>("Dir1")->setPath(folder.path());
    QCOMPARE(files->count(), 1);
    files->setCurrentRow(0);

    const QString what = change.section(u' ', 0, 0);
    const QString name = change.section(u' ', 1);
    if (what == u"save") {
        f.test.dialogs.fileAnswers = {folder.filePath(name)};
        f.click("SaveAs");
        QVERIFY(QFile::exists(folder.filePath(name)));
    } else if (what == u"lock") {
        for (const QString &made : {name, QString(u".~lock." + name + u'#')}) {
            QFile file(folder.filePath(made));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
    } else if (what == u"remove") {
        QVERIFY(QFile::remove(folder.filePath(name)));
    } else {
        QVERIFY(QFile::rename(folder.filePath(name), folder.filePath(QStringLiteral("ideas.txt"))));
    }
    QTRY_COMPARE(listedNames(*files), listed);
    // The file chosen stays chosen while it is there.
    QCOMPARE(files->FileName(), listed.contains(u"notes.txt") ? QStringLiteral("notes.txt") : QString());
    QVERIFY(f.test.dialogs.messages.isEmpty());
}

void tst_mdiMain::generatorListShowsTheCatalogue()
{
    Fixture f;
    auto *list = f.control<QListWidget>("List1");
    QCOMPARE(list->count(), 44);
    QCOMPARE(list->item(0)->text(), QStringLiteral("Villain Generator"));
    QCOMPARE(list->item(11)->text(), QStringLiteral("Room/Location Generator"));
    QCOMPARE(list->item(43)->text(), QStringLiteral("Quick Idea Story Generator"));
    QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
    // Entries too wide for the pane show whole as a tip.
    for (int i = 0; i < list->count(); ++i)
        QCOMPARE(list->item(i)->toolTip(), list->item(i)->text());
}

void tst_mdiMain::doubleClickOpensTheMatchingGenerator()
{
    Fixture f;
    QVERIFY(f.shown());
    for (const char *file : {"Villains.txt", "Location.txt"}) {
        QFile ideas(f.test.path(QString::fromLatin1(file)));
        QVERIFY(ideas.open(QIODevice::WriteOnly));
        ideas.write(QByteArray(file) + " idea one\r\n" + file + " idea two\r\n");
    }
    auto *list = f.control<QListWidget>("List1");

    f.test.random.values = {0.1f};
    doubleClickEntry(list, QStringLiteral("Villain Generator"));
    QCOMPARE(visibleGenerators(), QStringList{QStringLiteral("Villains Generator")});
    GeneratorWindow &villains = f.app.generator(0);
    const QString first = villains.findChild<TextBox *>(QStringLiteral("Text1"))->Text();
    QCOMPARE(first, QStringLiteral("Villains.txt idea one"));

    f.test.random.values = {0.9f};
    doubleClickEntry(list, QStringLiteral("Villain Generator")); // open: only brought to the front
    QCOMPARE(villains.findChild<TextBox *>(QStringLiteral("Text1"))->Text(), first);
    QCOMPARE(villains.TipList().size(), 2);

    doubleClickEntry(list, QStringLiteral("Room/Location Generator"));
    QCOMPARE(visibleGenerators(), QStringList({QStringLiteral("Location Generator"), QStringLiteral("Villains Generator")}));
    QCOMPARE(f.app.generator(11).findChild<TextBox *>(QStringLiteral("Text1"))->Text(),
             QStringLiteral("Location.txt idea two"));

    doubleClickEntry(list, QStringLiteral("Prompts Generator")); // its file is missing
    QVERIFY(f.app.generator(41).findChild<TextBox *>(QStringLiteral("Text1"))->Text().startsWith(
        u"That the Prompts.txt file was not found? "));

    villains.close();
    f.test.random.values = {0.9f};
    doubleClickEntry(list, QStringLiteral("Villain Generator")); // opens again with a fresh pick
    QCOMPARE(villains.findChild<TextBox *>(QStringLiteral("Text1"))->Text(), QStringLiteral("Villains.txt idea two"));
    QCOMPARE(villains.TipList().size(), 4);
}

void tst_mdiMain::launcherComparesWholeEntriesWithCase()
{
    Fixture f;
    QVERIFY(f.shown());
    auto *list = f.control<QListWidget>("List1");
    list->item(0)->setText(QStringLiteral("villain generator"));
    doubleClickEntry(list, QStringLiteral("villain generator"));
    list->item(1)->setText(QStringLiteral("Character Generator "));
    doubleClickEntry(list, QStringLiteral("Character Generator "));
    QVERIFY(visibleGenerators().isEmpty());

    doubleClickEntry(list, QStringLiteral("Tavern Generator"));
    QCOMPARE(visibleGenerators(), QStringList{QStringLiteral("Tavern Generator")});
    QVERIFY(f.test.dialogs.messages.isEmpty());
}

void tst_mdiMain::generatorsOpenInACascade()
{
    Fixture f;
    QVERIFY(f.shown());
    auto *list = f.control<QListWidget>("List1");
    const QRect screen = f.main().screen()->availableGeometry();
    // Every generator in turn: more than one run of the cascade holds.
    QList<QPoint> places;
    for (int i = 0; i < list->count(); ++i) {
        doubleClickEntry(list, list->item(i)->text());
        const GeneratorWindow &window = f.app.generator(std::size_t(i));
        QVERIFY(window.isVisible());
        QVERIFY2(screen.contains(window.frameGeometry()), qPrintable(QStringLiteral("%1 at %2, %3, %4 x %5").arg(window.windowTitle()).arg(window.frameGeometry().x()).arg(window.frameGeometry().y()).arg(window.frameGeometry().width()).arg(window.frameGeometry().height())));
        places.append(window.pos());
        if (i == 0)
            continue;
        const QPoint step = places[i] - places[i - 1];
        const bool cascaded = step.x() > 0 && step.y() > 0 && step.y() <= window.height() / 2;
        QVERIFY2(cascaded || places[i] == screen.topLeft(), qPrintable(window.windowTitle()));
    }
    QVERIFY2(places.contains(screen.topLeft()), "the cascade started again at the top of the screen");

    // Opened again after a close: where it stood.
    GeneratorWindow &second = f.app.generator(1);
    second.close();
    doubleClickEntry(list, list->item(1)->text());
    QCOMPARE(second.pos(), places[1]);
}

void tst_mdiMain::generatorEditorFromTheToolsMenu()
{
    Fixture f;
    f.click("gened");
    const auto editors = QApplication::topLevelWidgets();
    const auto it = std::find_if(editors.begin(), editors.end(), [](QWidget *w) { return qobject_cast<frmEdit *>(w); });
    QVERIFY(it != editors.end());
    QVERIFY((*it)->isVisible());
    QCOMPARE((*it)->findChild<FileListBox *>(QStringLiteral("File1"))->Path(), f.test.directory.path());

    // Chosen again while open, the same window keeps what the writer typed.
    const QPointer<RichTextBox> text = (*it)->findChild<RichTextBox *>(QStringLiteral("RichTextBox1"));
    text->setText(QStringLiteral("Ωmega"));
    f.click("gened");
    QVERIFY(text);
    QCOMPARE(text->Text(), QStringLiteral("Ωmega"));
}

void tst_mdiMain::misspeltWordsAreUnderlined_data()
{
    QTest::addColumn<bool>("inJournal");
    QTest::addColumn<QLocale>("regional"); // the writer's settings, which choose the dictionary
    QTest::addColumn<QStringList>("misspelt");
    const QLocale us(QLocale::English, QLocale::UnitedStates), britain(QLocale::English, QLocale::UnitedKingdom);
    const QStringList both{QStringLiteral("colour"), QStringLiteral("ferrry")};
    QTest::newRow("a document, American English") << false << us << both;
    QTest::newRow("a document, British English") << false << britain << QStringList{QStringLiteral("ferrry")};
    QTest::newRow("the journal, American English") << true << us << both;
    QTest::newRow("the journal, British English") << true << britain << QStringList{QStringLiteral("ferrry")};
}

void tst_mdiMain::misspeltWordsAreUnderlined()
{
    QFETCH(bool, inJournal);
    QFETCH(QLocale, regional);
    QFETCH(QStringList, misspelt);
    // The word list then lies in a folder of the tests' own, where no word the user added can hide the underline.
    QStandardPaths::setTestModeEnabled(true);
    Fixture f([&](TestServices &test) { test.clock.regional = regional; });
    if (!f.app.spelling().hasDictionary())
        QSKIP("no Hunspell dictionary for the language (scripts/install-deps installs hunspell-en-us and -en-gb)");
    RichTextBox *box = f.main().documents().activeDocument();
    if (inJournal) {
        f.click("Journal");
        box = f.app.journal().findChild<RichTextBox *>(QStringLiteral("RTB"));
    }
    QVERIFY(box && box->isVisible());
    box->setText(QStringLiteral("The colour of the ferrry"));
    QTRY_COMPARE(underlinedWords(box->document()->firstBlock()), misspelt);
}

QTEST_MAIN(tst_mdiMain)
#include "tst_mdimain.moc"
