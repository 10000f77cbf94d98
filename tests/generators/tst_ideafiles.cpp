#include "generators/generatorcatalogue.h"
#include "generators/ideafile.h"

#include <QFile>
#include <QHash>
#include <QStringDecoder>
#include <QTest>

// The idea files delivered with the program.
class tst_IdeaFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyFileHoldsDistinctIdeas_data();
    void everyFileHoldsDistinctIdeas();
    void noIdeaAppearsInTwoFiles();
};

void tst_IdeaFiles::everyFileHoldsDistinctIdeas_data()
{
    QTest::addColumn<QString>("name");
    for (const GeneratorEntry &entry : GeneratorCatalogue::Entries)
        QTest::newRow(qPrintable(QString::fromUtf16(entry.ideaFile))) << QString::fromUtf16(entry.ideaFile);
}

void tst_IdeaFiles::everyFileHoldsDistinctIdeas()
{
    QFETCH(QString, name);
    const QString source = QStringLiteral(QUILLMERE_DATA_DIR "/") + name;
    const QString installed = QStringLiteral(QUILLMERE_PROGRAM_DIR "/") + name;
    QVERIFY2(QFile::exists(installed), "not copied beside the executable");

    QFile file(source);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    QVERIFY2(!utf8.hasError(), "not UTF-8");
    QVERIFY(!bytes.startsWith("\xef\xbb\xbf"));
    QCOMPARE(bytes.count("\n"), bytes.count("\r\n")); // CR LF line ends
    QVERIFY(bytes.endsWith("\r\n"));

    const QStringList ideas = IdeaFile::read(source).ideas;
    QVERIFY2(ideas.size() >= 60, qPrintable(QString::number(ideas.size())));
    QSet<QString> seen;
    for (const QString &idea : ideas) {
        QVERIFY2(!idea.trimmed().isEmpty(), "empty line");
        QCOMPARE(idea, idea.trimmed());
        QVERIFY2(!seen.contains(idea), qPrintable(idea));
        seen.insert(idea);
        QVERIFY2(idea.size() >= 12, qPrintable(idea)); // an idea, not a bare word
    }
}

void tst_IdeaFiles::noIdeaAppearsInTwoFiles()
{
    QHash<QString, QString> fileOf;
    for (const GeneratorEntry &entry : GeneratorCatalogue::Entries) {
        const QString name = QString::fromUtf16(entry.ideaFile);
        const QStringList ideas = IdeaFile::read(QStringLiteral(QUILLMERE_DATA_DIR "/") + name).ideas;
        for (const QString &idea : ideas) {
            const QString key = idea.toLower();
            QVERIFY2(!fileOf.contains(key) || fileOf[key] == name,
                     qPrintable(idea + u" is in " + fileOf[key] + u" and " + name));
            fileOf.insert(key, name);
        }
    }
}

QTEST_GUILESS_MAIN(tst_IdeaFiles)
#include "tst_ideafiles.moc"
