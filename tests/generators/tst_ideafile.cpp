#include "generators/ideafile.h"
#include "support/specialfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_IdeaFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void read_data();
    void read();
    void missingAndUnreadable();
    void whatIsNoFileIsNotRead_data();
    void whatIsNoFileIsNotRead();
};

void tst_IdeaFile::read_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("ideas");

    // Line ends and encodings in all their forms are the shared decoder's; here
    // only that a file on disk reaches it.
    QTest::newRow("utf-8, crlf") << QByteArray("Café Noir\r\nb\r\n") << QStringList{QStringLiteral("Café Noir"), QStringLiteral("b")};
    QTest::newRow("windows-1252") << QByteArray("Caf\xe9 \x93Noir\x94\r\n") << QStringList{QStringLiteral("Café “Noir”")};
    QTest::newRow("a stray byte spoils only itself")
        << QByteArray("Caf\xc3\xa9\r\nCaf\xe9 \xe2\x80\x94\r\n") << QStringList{QStringLiteral("Café"), QStringLiteral("Café —")};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
}

void tst_IdeaFile::read()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("Ideas.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const IdeaFile read = IdeaFile::read(file.fileName());
    QCOMPARE(read.status, IdeaFile::Status::Read);
    QTEST(read.ideas, "ideas");
}

void tst_IdeaFile::missingAndUnreadable()
{
    QTemporaryDir dir;
    QCOMPARE(IdeaFile::read(dir.filePath(QStringLiteral("absent.txt"))).status, IdeaFile::Status::Missing);
    QCOMPARE(IdeaFile::read(QString()).status, IdeaFile::Status::Missing);
    const IdeaFile folder = IdeaFile::read(dir.path());
    QCOMPARE(folder.status, IdeaFile::Status::Unreadable);
    QVERIFY(!folder.error.isEmpty());
}

void tst_IdeaFile::whatIsNoFileIsNotRead_data()
{
    QTest::addColumn<SpecialFile>("kind");
    QTest::addColumn<QString>("error");

    QTest::newRow("named pipe") << SpecialFile::NamedPipe << QStringLiteral("it is a named pipe, not a file");
    QTest::newRow("socket") << SpecialFile::Socket << QStringLiteral("it is a socket, not a file");
    QTest::newRow("device") << SpecialFile::Device << QStringLiteral("it is a device, not a file");
}

void tst_IdeaFile::whatIsNoFileIsNotRead()
{
    QFETCH(SpecialFile, kind);
    QTemporaryDir dir;
    const QString path = makeSpecialFile(dir.path(), QStringLiteral("Ideas.txt"), kind);
    if (path.isEmpty())
        QSKIP("This system cannot make such a file here.");
    const IdeaFile read = IdeaFile::read(path);
    QCOMPARE(read.status, IdeaFile::Status::Unreadable);
    QTEST(read.error, "error");
    QVERIFY(read.ideas.isEmpty());
}

QTEST_MAIN(tst_IdeaFile)
#include "tst_ideafile.moc"
