#include "appfixture.h"

#include "editor/documentrecovery.h"
#include "formats/documentfile.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QTextDocument>

namespace {

const QString Typed = QStringLiteral("The ferry chapter begins at dawn");

QString textOf(const QString &path)
{
    QTextDocument document;
    const DocumentFile::ReadResult read = DocumentFile::read(path, DocumentFile::Format::Detect, document);
    return read.error.isEmpty() ? document.toPlainText() : read.error;
}

} // namespace

class tst_Recovery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void unsavedTextIsKeptAtAPauseAndOnLeaving_data();
    void unsavedTextIsKeptAtAPauseAndOnLeaving();
    void copyIsNamedByTheTimeAndTheDocument_data();
    void copyIsNamedByTheTimeAndTheDocument();
    void savedDocumentLeavesNoCopyUntilChangedAgain();
    void copiesOlderThanAMonthGoAtExit_data();
    void copiesOlderThanAMonthGoAtExit();
    void failureIsToldOnceAndRetried();

private:
    QString folder() const { return m_fixture->main().documents().recovery().folder().path(); }
    QFileInfoList copies() const { return QDir(folder()).entryInfoList({QStringLiteral("*.rtf")}, QDir::Files); }
    void type(const QString &text) const { QTest::keyClicks(m_fixture->document()->textEdit(), text); }

    std::unique_ptr<AppFixture> m_fixture;
};

void tst_Recovery::init()
{
    m_fixture = std::make_unique<AppFixture>();
    QDir(folder()).removeRecursively();
    QFile::remove(folder());
}

void tst_Recovery::cleanup()
{
    m_fixture.reset();
}

void tst_Recovery::unsavedTextIsKeptAtAPauseAndOnLeaving_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("pause in typing") << u"pause"_qs;
    QTest::newRow("Exit") << u"menu Exit"_qs;
    QTest::newRow("window's close box") << u"close"_qs;
}

void tst_Recovery::unsavedTextIsKeptAtAPauseAndOnLeaving()
{
    QFETCH(QString, how);
    // A later copy of the same window takes the place of the first.
    type(Typed.left(9));
    QTRY_COMPARE_WITH_TIMEOUT(copies().size(), 1, 10000);
    type(Typed.mid(9));
    if (how == u"pause")
        QTRY_COMPARE_WITH_TIMEOUT(textOf(copies().first().filePath()), Typed, 10000);
    else if (how == u"close")
        m_fixture->area().activeSubWindow()->close();
    else
        m_fixture->run(how);

    QCOMPARE(copies().size(), 1);
    QCOMPARE(textOf(copies().first().filePath()), Typed);
    QVERIFY(m_fixture->test.dialogs.messages.isEmpty());
}

void tst_Recovery::copyIsNamedByTheTimeAndTheDocument_data()
{
    QTest::addColumn<QString>("file"); // opened before the text is pasted in; none for a new document
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("taken"); // a copy of that name is there already
    const QString forty = u"Il était une fois, près d’un fleuve gris"_qs;
    QTest::newRow("first words") << QString() << Typed << Typed << false;
    QTest::newRow("forty characters") << QString() << forty << forty << false;
    QTest::newRow("forty-one, a space after the fortieth") << QString() << forty + u" et" << forty << false;
    QTest::newRow("a word across the fortieth") << QString() << forty.chopped(4) + u"grisâtre"
                                                << u"Il était une fois, près d’un fleuve"_qs << false;
    QTest::newRow("one long word") << QString() << u"ж"_qs.repeated(45) << u"ж"_qs.repeated(40) << false;
    QTest::newRow("blank lines before the words")
        << QString() << u"\n"_qs.repeated(50) + u"At last" << u"At last"_qs << false;
    QTest::newRow("only blanks") << QString() << u"  \t\n "_qs << u"Untitled"_qs << false;
    QTest::newRow("dots at the end") << QString() << u"Chapter one..."_qs << u"Chapter one"_qs << false;
    QTest::newRow("what no file system takes")
        << QString() << u"Why? A/B: \"yes\" <no> |x|*\\\x1f\x01 end"_qs << u"Why A B yes no x end"_qs << false;
    QTest::newRow("the file's name") << u"my.novel.draft.rtf"_qs << Typed << u"my.novel.draft"_qs << false;
    QTest::newRow("the name taken") << QString() << Typed << Typed + u" (2)" << true;
}

void tst_Recovery::copyIsNamedByTheTimeAndTheDocument()
{
    QFETCH(QString, file);
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(bool, taken);
    if (!file.isEmpty()) {
        const QString path = m_fixture->test.path(file);
        QVERIFY(DocumentFile::writeBytes(path, "{\\rtf1 }").isEmpty());
        m_fixture->test.dialogs.fileAnswers.append(path);
        m_fixture->run(QStringLiteral("menu Open"));
    }
    const QString minute = m_fixture->test.clock.moment.toString(u"yyyy-MM-dd HH-mm "_qs);
    const QString inTheWay = QDir(folder()).filePath(minute + Typed + u".rtf");
    if (taken) {
        QVERIFY(QDir().mkpath(folder()));
        QVERIFY(DocumentFile::writeBytes(inTheWay, "{\\rtf1 x}").isEmpty());
    }
    QGuiApplication::clipboard()->setText(text);
    m_fixture->run(QStringLiteral("menu Paste"));
    m_fixture->area().activeSubWindow()->close();

    QFileInfoList made = copies();
    made.removeIf([&](const QFileInfo &copy) { return taken && copy.filePath() == inTheWay; });
    QCOMPARE(made.size(), 1);
    QCOMPARE(made.first().fileName(), minute + title + u".rtf");
}

void tst_Recovery::savedDocumentLeavesNoCopyUntilChangedAgain()
{
    type(Typed);
    QTRY_COMPARE_WITH_TIMEOUT(copies().size(), 1, 10000);
    const QString saved = m_fixture->test.path(QStringLiteral("ferry.rtf"));
    // A save that fails leaves the text stored nowhere else.
    m_fixture->test.dialogs.fileAnswers.append(QFileInfo(saved).absolutePath());
    m_fixture->run(QStringLiteral("menu Save"));
    QCOMPARE(m_fixture->test.dialogs.messages.size(), 1);
    QCOMPARE(copies().size(), 1);

    m_fixture->test.dialogs.fileAnswers.append(saved);
    m_fixture->run(QStringLiteral("menu Save"));
    QVERIFY(QFileInfo::exists(saved));
    QCOMPARE(copies().size(), 0);

    // Changed again, it is kept under its new name, until it is saved again.
    type(QStringLiteral(" again"));
    QTRY_COMPARE_WITH_TIMEOUT(copies().size(), 1, 10000);
    QVERIFY2(copies().first().fileName().endsWith(u" ferry.rtf"), qPrintable(copies().first().fileName()));
    m_fixture->test.dialogs.fileAnswers.append(saved);
    m_fixture->run(QStringLiteral("menu Save"));
    QCOMPARE(copies().size(), 0);

    m_fixture->area().activeSubWindow()->close();
    QCOMPARE(copies().size(), 0);
}

void tst_Recovery::copiesOlderThanAMonthGoAtExit_data()
{
    QTest::addColumn<int>("pastTheMonth"); // seconds
    QTest::addColumn<bool>("kept");
    QTest::newRow("a month old to the second") << 0 << true;
    QTest::newRow("a second older") << 1 << false;
}

void tst_Recovery::copiesOlderThanAMonthGoAtExit()
{
    QFETCH(int, pastTheMonth);
    QFETCH(bool, kept);
    QVERIFY(QDir().mkpath(folder()));
    const QString old = QDir(folder()).filePath(QStringLiteral("2026-01-01 00-00 Old.rtf"));
    // Only copies go: a file of another kind is the user's own.
    const QString own = QDir(folder()).filePath(QStringLiteral("notes.txt"));
    for (const QString &path : {old, own}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QDateTime monthAgo = m_fixture->test.clock.moment.addDays(-RecoveryFolder::KeepDays);
        QVERIFY(file.setFileTime(monthAgo.addSecs(-pastTheMonth), QFileDevice::FileModificationTime));
    }

    m_fixture->run(QStringLiteral("menu Exit"));
    QCOMPARE(QFileInfo::exists(old), kept);
    QVERIFY(QFileInfo::exists(own));
}

void tst_Recovery::failureIsToldOnceAndRetried()
{
    // A file where the folder should be: nothing can be written there.
    QVERIFY(QDir().mkpath(QFileInfo(folder()).absolutePath()));
    QFile blocker(folder());
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    type(Typed);
    QTRY_COMPARE_WITH_TIMEOUT(m_fixture->test.dialogs.messages.size(), 1, 10000);
    const QString told = m_fixture->test.dialogs.messageTexts().first();
    QVERIFY2(told.contains(QDir::toNativeSeparators(folder())), qPrintable(told));
    QMdiSubWindow *const first = m_fixture->area().activeSubWindow();
    m_fixture->run(QStringLiteral("menu New"));
    type(Typed);
    m_fixture->area().activeSubWindow()->close();
    QCOMPARE(m_fixture->test.dialogs.messages.size(), 1);

    // Once the folder can be written, another window's copy may take the
    // name the first window could not write; the first window's copy must
    // not take its place.
    QVERIFY(QFile::remove(folder()));
    m_fixture->run(QStringLiteral("menu New"));
    type(Typed);
    QTRY_COMPARE_WITH_TIMEOUT(copies().size(), 1, 10000);
    m_fixture->area().setActiveSubWindow(first);
    type(QStringLiteral(" again"));
    QTRY_COMPARE_WITH_TIMEOUT(copies().size(), 2, 10000);
    QStringList texts;
    for (const QFileInfo &copy : copies())
        texts << textOf(copy.filePath());
    texts.sort();
    QCOMPARE(texts, (QStringList{Typed, Typed + u" again"}));
    QCOMPARE(m_fixture->test.dialogs.messages.size(), 1);
}

QTEST_MAIN(tst_Recovery)
#include "tst_recovery.moc"
