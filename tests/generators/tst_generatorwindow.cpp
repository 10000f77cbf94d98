#include "generators/generatorcatalogue.h"
#include "generators/generatorwindow.h"
#include "support/testservices.h"
#include "platform/textbox.h"

#include <QFile>
#include <QPushButton>
#include <QTest>

#include <cmath>

namespace {

const GeneratorEntry &villains()
{
    return GeneratorCatalogue::Entries[0];
}

void writeIdeas(const TestServices &test, const QByteArray &bytes, const QString &name = QStringLiteral("Villains.txt"))
{
    QFile file(test.path(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString shown(const GeneratorWindow &window)
{
    return window.findChild<TextBox *>(QStringLiteral("Text1"))->Text();
}

void press(const GeneratorWindow &window, const char *button)
{
    window.findChild<QPushButton *>(QString::fromLatin1(button))->click();
}

const QString MissingVillains = QStringLiteral(
    "That the Villains.txt file was not found? \r\n\r\nYou should redownload the required file from our website ");

} // namespace

class tst_GeneratorWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void windowFollowsTheCatalogue();
    void firstOpeningShowsAnIdeaAtOnce();
    void everyIndexCanBeDrawnAndNoneOutside_data();
    void everyIndexCanBeDrawnAndNoneOutside();
    void oneLineFileAlwaysShowsThatLine();
    void emptyFileLeavesTheInitialText();
    void emptyLinesAreIdeas();
    void missingFileText();
    void missingThenPresent();
    void unreadableFileSaysWhichAndWhy();
    void reopeningAppendsTheFileAgain();
    void openWindowIsOnlyBroughtToTheFront();
    void closeEnterAndEscapeUnloadButKeepTheIdeas_data();
    void closeEnterAndEscapeUnloadButKeepTheIdeas();
};

void tst_GeneratorWindow::windowFollowsTheCatalogue()
{
    TestServices test;
    for (const GeneratorEntry &entry : GeneratorCatalogue::Entries) {
        GeneratorWindow window(entry, test.directory.path(), test.random);
        QCOMPARE(window.objectName(), QString::fromUtf16(entry.className));
        QCOMPARE(window.windowTitle(), QString::fromUtf16(entry.caption));
        QCOMPARE(window.ideaFileName(), QString::fromUtf16(entry.ideaFile));
        QVERIFY(window.windowFlags() & Qt::WindowStaysOnTopHint);
        const bool fixed = entry.frame == Form::Frame::FixedToolWindow || entry.frame == Form::Frame::FixedDialog;
        QCOMPARE(window.minimumSize() == window.maximumSize(), fixed);
    }
}

void tst_GeneratorWindow::firstOpeningShowsAnIdeaAtOnce()
{
    TestServices test;
    writeIdeas(test, "first\r\nsecond\r\nthird\r\n");
    test.random.values = {0.5f};
    GeneratorWindow window(villains(), test.directory.path(), test.random);
    Show(window);
    QCOMPARE(window.TipList(), QStringList({QStringLiteral("first"), QStringLiteral("second"), QStringLiteral("third")}));
    QCOMPARE(window.CurrentTipIndex(), 2);
    QCOMPARE(shown(window), QStringLiteral("second"));
    QCOMPARE(test.random.reseeds, 1);

    test.random.values = {0.0f};
    press(window, "cmdNextTip");
    QCOMPARE(shown(window), QStringLiteral("first"));
    // Tab goes on to the buttons; it never types into the idea.
    QTest::keyClick(window.findChild<TextBox *>(QStringLiteral("Text1")), Qt::Key_Tab);
    QCOMPARE(shown(window), QStringLiteral("first"));
}

void tst_GeneratorWindow::everyIndexCanBeDrawnAndNoneOutside_data()
{
    QTest::addColumn<int>("lines");
    QTest::newRow("one") << 1;
    QTest::newRow("seven") << 7;
    QTest::newRow("a thousand") << 1000;
}

void tst_GeneratorWindow::everyIndexCanBeDrawnAndNoneOutside()
{
    QFETCH(int, lines);
    TestServices test;
    QByteArray bytes;
    for (int i = 1; i <= lines; ++i)
        bytes += "idea " + QByteArray::number(i) + "\r\n";
    writeIdeas(test, bytes);
    GeneratorWindow window(villains(), test.directory.path(), test.random);
    Show(window);

    // Index k is drawn for every r in [(k-1)/n, k/n): a draw from the middle
    // of each interval reaches every index, and the smallest and the largest
    // number the source can give stay inside 1..n.
    const float largest = std::nextafter(1.0f, 0.0f);
    QList<int> drawn;
    for (int k = 1; k <= lines; ++k) {
        test.random.values = {float((k - 0.5) / lines)};
        press(window, "cmdNextTip");
        drawn.append(window.CurrentTipIndex());
        QCOMPARE(shown(window), QStringLiteral("idea %1").arg(window.CurrentTipIndex()));
    }
    test.random.values = {largest, 0.0f};
    press(window, "cmdNextTip");
    QCOMPARE(window.CurrentTipIndex(), lines);
    press(window, "cmdNextTip");
    QCOMPARE(window.CurrentTipIndex(), 1);
    for (int k = 1; k <= lines; ++k)
        QCOMPARE(drawn[k - 1], k);
}

void tst_GeneratorWindow::oneLineFileAlwaysShowsThatLine()
{
    TestServices test;
    writeIdeas(test, "the only idea");
    test.random.values = {0.0f, 0.3f, 0.99f, std::nextafter(1.0f, 0.0f)};
    GeneratorWindow window(villains(), test.directory.path(), test.random);
    Show(window);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(shown(window), QStringLiteral("the only idea"));
        press(window, "cmdNextTip");
    }
    QCOMPARE(shown(window), QStringLiteral("the only idea"));
}

void tst_GeneratorWindow::emptyFileLeavesTheInitialText()
{
    TestServices test;
    writeIdeas(test, "");
    GeneratorWindow window(villains(), test.directory.path(), test.random);
    Show(window);
    QVERIFY(window.TipList().isEmpty());
    QCOMPARE(shown(window), QStringLiteral("Text1"));
    press(window, "cmdNextTip");
    QCOMPARE(shown(window), QStringLiteral("Text1"));
}

void tst_GeneratorWindow::emptyLinesAreIdeas()
{
    TestServices test;
    writeIdeas(test, "a\r\n\r\nb\n\rc");
    test.random.values = {0.3f}; // the second of five
    GeneratorWindow window(villains(), test.directory.path(), test.random);
    Show(window);
    QCOMPARE(window.TipList(),
             QStringList({QStringLiteral("a"), QString(), QStringLiteral("b"), QString(), QStringLiteral("c")}));
    QCOMPARE(shown(window), QString());
}

void tst_GeneratorWindow::missingFileText()
{
    TestServices test;
    GeneratorWindow window(villains(), test.directory.path(), test.random);
    Show(window);
    QCOMPARE(shown(window), MissingVillains);
    QCOMPARE(window.CurrentTipIndex(), 0);
    press(window, "cmdNextTip");
    QCOMPARE(shown(window), MissingVillains);
    QVERIFY(!window.LoadTips(QString()));
}

void tst_GeneratorWindow::missingThenPresent()
{
    TestServices test;
    GeneratorWindow window(villains(), test.directory.path(), test.random);
    Show(window);
    QCOMPARE(shown(window), MissingVillains);
    window.close();
    writeIdeas(test, "arrived\r\n");
    Show(window);
    QCOMPARE(shown(window), QStringLiteral("arrived"));
}

void tst_GeneratorWindow::unreadableFileSaysWhichAndWhy()
{
    TestServices test;
    QVERIFY(QDir(test.directory.path()).mkdir(QStringLiteral("Villains.txt")));
    GeneratorWindow window(villains(), test.directory.path(), test.random);
    Show(window);
    QVERIFY2(shown(window).contains(QDir::toNativeSeparators(test.path(QStringLiteral("Villains.txt")))),
             qPrintable(shown(window)));
    QVERIFY(shown(window).contains(u"folder"));
    QVERIFY(window.TipList().isEmpty());
}

void tst_GeneratorWindow::reopeningAppendsTheFileAgain()
{
    TestServices test;
    writeIdeas(test, "one\r\ntwo\r\n");
    GeneratorWindow window(villains(), test.directory.path(), test.random);
    Show(window);
    window.close();
    Show(window);
    QCOMPARE(window.TipList(), QStringList({QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("one"),
                                            QStringLiteral("two")}));
    window.close();

    writeIdeas(test, "three\r\n"); // edited in between: the old lines stay in the draw
    test.random.values = {0.9f};
    Show(window);
    QCOMPARE(window.TipList().size(), 5);
    QCOMPARE(window.TipList().last(), QStringLiteral("three"));
    QCOMPARE(shown(window), QStringLiteral("three"));
    QCOMPARE(test.random.reseeds, 3);
}

void tst_GeneratorWindow::openWindowIsOnlyBroughtToTheFront()
{
    TestServices test;
    writeIdeas(test, "one\r\ntwo\r\n");
    test.random.values = {0.0f, 0.9f};
    GeneratorWindow window(villains(), test.directory.path(), test.random);
    Show(window);
    QCOMPARE(shown(window), QStringLiteral("one"));
    Show(window);
    QCOMPARE(shown(window), QStringLiteral("one"));
    QCOMPARE(window.TipList().size(), 2);
    QCOMPARE(test.random.values.size(), 1);
}

void tst_GeneratorWindow::closeEnterAndEscapeUnloadButKeepTheIdeas_data()
{
    QTest::addColumn<int>("key"); // 0: press Close
    QTest::newRow("Close") << 0;
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
}

void tst_GeneratorWindow::closeEnterAndEscapeUnloadButKeepTheIdeas()
{
    QFETCH(int, key);
    TestServices test;
    writeIdeas(test, "kept\r\n");
    GeneratorWindow window(villains(), test.directory.path(), test.random);
    Show(window);
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    if (key)
        QTest::keyClick(window.findChild<TextBox *>(QStringLiteral("Text1")), Qt::Key(key));
    else
        press(window, "cmdOK");
    QVERIFY(!window.isVisible());
    QVERIFY(!window.isLoaded());
    QCOMPARE(window.TipList(), QStringList{QStringLiteral("kept")});
}

QTEST_MAIN(tst_GeneratorWindow)
#include "tst_generatorwindow.moc"
