#include "formats/documentfile.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include <signal.h>

// The real program, killed outright while a document holds unsaved text,
// leaves that text in its recovery folder.
class tst_RecoveryKill : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textTypedBeforeAKillIsInTheRecoveryFolder_data();
    void textTypedBeforeAKillIsInTheRecoveryFolder();
};

void tst_RecoveryKill::textTypedBeforeAKillIsInTheRecoveryFolder_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("plain English") << u"The ferry chapter, never saved"_qs;
    QTest::newRow("beyond Latin-1") << u"\u0160ipka \u4e66 \u201Cquoted\u201D"_qs;
}

void tst_RecoveryKill::textTypedBeforeAKillIsInTheRecoveryFolder()
{
    QFETCH(QString, typed);
    const QString program = QStringLiteral(QUILLMERE_EXECUTABLE);
    if (!QFileInfo::exists(program))
        QSKIP("the program is not built");
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral(QUILLMERE_TEST_PLUGINS));
    environment.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("recoverytyper"));
    environment.insert(QStringLiteral("QUILLMERE_TYPE"), typed);
    QProcess quillmere;
    quillmere.setProcessEnvironment(environment);
    quillmere.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    quillmere.start(program, {});
    QVERIFY2(quillmere.waitForStarted(), qPrintable(quillmere.errorString()));

    const QDir recovery(home.filePath(QStringLiteral("data/Quillmere/recovery")));
    const auto copies = [&] { return recovery.entryInfoList({QStringLiteral("*.rtf")}, QDir::Files); };
    QTRY_COMPARE_WITH_TIMEOUT(copies().size(), 1, 30000);
    QCOMPARE(quillmere.state(), QProcess::Running);
    ::kill(pid_t(quillmere.processId()), SIGKILL);
    QVERIFY(quillmere.waitForFinished());
    QCOMPARE(quillmere.exitStatus(), QProcess::CrashExit);

    QCOMPARE(copies().size(), 1);
    QTextDocument document;
    const DocumentFile::ReadResult read =
        DocumentFile::read(copies().first().filePath(), DocumentFile::Format::Detect, document);
    QVERIFY2(read.error.isEmpty(), qPrintable(read.error));
    QCOMPARE(document.toPlainText(), typed);
}

QTEST_MAIN(tst_RecoveryKill)
#include "tst_recoverykill.moc"
