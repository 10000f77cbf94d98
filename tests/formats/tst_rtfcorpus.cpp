#include "rtfroundtrip.h"

#include <QDirIterator>
#include <QFile>
#include <QTest>

// Replays every input the fuzzer kept, and the sample files, through the
// reader and the writer, and the files other word processors wrote.
class tst_RtfCorpus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTripKeepsText_data();
    void roundTripKeepsText();
};

void tst_RtfCorpus::roundTripKeepsText_data()
{
    QTest::addColumn<QString>("path");
    for (const char *folder : {QUILLMERE_FUZZ_CORPUS, QUILLMERE_TEST_DATA, QUILLMERE_INTEROP_CORPUS}) {
        QDirIterator it(QString::fromUtf8(folder), QDir::Files);
        while (it.hasNext()) {
            const QString path = it.next();
            QTest::newRow(qPrintable(it.fileName())) << path;
        }
    }
}

void tst_RtfCorpus::roundTripKeepsText()
{
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(rtfRoundTripKeepsText(file.readAll()));
}

QTEST_MAIN(tst_RtfCorpus)
#include "tst_rtfcorpus.moc"
