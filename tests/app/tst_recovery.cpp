#include "appfixture.h"

#include "editor/documentrecovery.h"
#include "formats/documentfile.h"

#include <QDir>
#include <QFileInfo>
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
    void savedOrUnchangedDocumentLeavesNoCopy();
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
    type(Typed);
    if (how == u"pause")
        QTRY_COMPARE_WITH_TIMEOUT(copies().size(), 1, 10000);
    else if (how == u"close")
        m_fixture->area().activeSubWindow()->close();
    else
        m_fixture->run(how);

    QCOMPARE(copies().size(), 1);
    const QFileInfo copy = copies().first();
    // "2026-12-08 21-14 The ferry chapter ...": the time, then the first words.
    QVERIFY(QDateTime::fromString(copy.fileName().left(16), u"yyyy-MM-dd HH-mm"_qs).isValid());
    QVERIFY2(copy.fileName().mid(17).startsWith(u"The ferry chapter"), qPrintable(copy.fileName()));
    QCOMPARE(textOf(copy.filePath()), Typed);
    QVERIFY(m_fixture->test.dialogs.messages.isEmpty());
}

void tst_Recovery::savedOrUnchangedDocumentLeavesNoCopy()
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

    m_fixture->area().activeSubWindow()->close();
    QCOMPARE(copies().size(), 0);
}

void tst_Recovery::copiesOlderThanAMonthGoAtExit_data()
{
    QTest::addColumn<int>("ageDays");
    QTest::addColumn<bool>("kept");
    QTest::newRow("a day inside the month") << RecoveryFolder::KeepDays - 1 << true;
    QTest::newRow("a day past the month") << RecoveryFolder::KeepDays + 1 << false;
}

void tst_Recovery::copiesOlderThanAMonthGoAtExit()
{
    QFETCH(int, ageDays);
    QFETCH(bool, kept);
    QVERIFY(QDir().mkpath(folder()));
    const QString old = QDir(folder()).filePath(QStringLiteral("2026-01-01 00-00 Old.rtf"));
    QFile file(old);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addDays(-ageDays), QFileDevice::FileModificationTime));
    file.close();

    m_fixture->run(QStringLiteral("menu Exit"));
    QCOMPARE(QFileInfo::exists(old), kept);
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
    type(QStringLiteral(" again"));
    m_fixture->area().activeSubWindow()->close();
    QCOMPARE(m_fixture->test.dialogs.messages.size(), 1);

    QVERIFY(QFile::remove(folder()));
    m_fixture->run(QStringLiteral("menu New"));
    type(Typed);
    QTRY_COMPARE_WITH_TIMEOUT(copies().size(), 1, 10000);
    QCOMPARE(m_fixture->test.dialogs.messages.size(), 1);
}

QTEST_MAIN(tst_Recovery)
#include "tst_recovery.moc"
