#include "libreofficeview.h"

#include "formats/documenttext.h"
#include "formats/rtfreader.h"
#include "formats/rtfwriter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTextTable>

#include <memory>

// The RTF files in corpus/ were written by LibreOffice and AbiWord from the
// documents in corpus/sources (corpus/make.sh writes them again).
namespace {

const QString corpusFolder = QStringLiteral(QUILLMERE_INTEROP_CORPUS);

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList corpusFiles()
{
    return QDir(corpusFolder).entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name);
}

// Our words, split as LibreOffice's are; a picture stands in our text as
// the object character and in LibreOffice's as nothing.
QStringList wordsOf(QString text)
{
    text.remove(QChar::ObjectReplacementCharacter);
    return text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

// Our tables as LibreOffice's HTML gives them: a cell's paragraphs joined
// by spaces, a cell covered by a merged one left out.
QList<LibreOfficeView::Table> tablesOf(const QTextDocument &document)
{
    QList<LibreOfficeView::Table> tables;
    for (auto it = document.rootFrame()->begin(); !it.atEnd(); ++it) {
        const auto *table = qobject_cast<const QTextTable *>(it.currentFrame());
        if (!table)
            continue;
        LibreOfficeView::Table ours{table->columns(), {}};
        for (int r = 0; r < table->rows(); ++r) {
            QStringList row;
            for (int c = 0; c < table->columns(); ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                if (cell.row() != r || cell.column() != c)
                    continue;
                QStringList paragraphs;
                for (QTextBlock b = cell.firstCursorPosition().block(); b.isValid() && b.position() < cell.lastPosition() + 1;
                     b = b.next())
                    paragraphs.append(b.text());
                row.append(wordsOf(paragraphs.join(u' ')).join(u' '));
            }
            ours.rows.append(row);
        }
        tables.append(ours);
    }
    return tables;
}

QString describe(const QList<LibreOfficeView::Table> &tables)
{
    QStringList out;
    for (const LibreOfficeView::Table &table : tables) {
        out.append(QStringLiteral("%1 columns:").arg(table.columns));
        for (const QStringList &row : table.rows)
            out.append(u"  " + row.join(QStringLiteral(" | ")));
    }
    return out.join(u'\n');
}

QHash<QString, QString> knownDifferences()
{
    // The bullet we show is the one the file gives; LibreOffice shows one of
    // its own on a second level, whatever its own RTF said.
    const QString bullets = QStringLiteral("The file gives a bullet (\u2022) for every level; LibreOffice shows a white "
                                           "bullet (\u25E6) on the second level");
    return {{QStringLiteral("errands.libreoffice.rtf"), bullets}, {QStringLiteral("errands.abiword.rtf"), bullets}};
}

} // namespace

class tst_RtfInteropCorpus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void corpusFilesOpen_data();
    void corpusFilesOpen();
    void textIsWhatLibreOfficeShows_data();
    void textIsWhatLibreOfficeShows();
    void libreOfficeKeepsThePartsWeSave_data();
    void libreOfficeKeepsThePartsWeSave();

private:
    // LibreOffice's view of every file of a folder, through one run of it
    // for each export: its start-up takes seconds.
    QHash<QString, LibreOfficeView> viewsOf(const QString &folder);
    QString m_error;
    std::unique_ptr<QTemporaryDir> m_work;
    QHash<QString, LibreOfficeView> m_originals;
};

QHash<QString, LibreOfficeView> tst_RtfInteropCorpus::viewsOf(const QString &folder)
{
    const QStringList files = QDir(folder).entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name);
    const QString out = m_work->filePath(QFileInfo(folder).fileName() + QStringLiteral("-views"));
    QDir().mkpath(out);
    QStringList inputs;
    for (const QString &file : files)
        inputs.append(QDir(folder).filePath(file));
    for (const QString &format : {QStringLiteral("txt:Text"), QStringLiteral("html:HTML (StarWriter)")}) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), m_work->path()); // a profile of its own
        process.setProcessEnvironment(environment);
        process.start(QStandardPaths::findExecutable(QStringLiteral("soffice")),
                      QStringList{QStringLiteral("--headless"), QStringLiteral("--convert-to"), format,
                                  QStringLiteral("--outdir"), out}
                          + inputs);
        if (!process.waitForFinished(300000))
            m_error = QStringLiteral("LibreOffice did not finish");
    }
    QHash<QString, LibreOfficeView> views;
    for (const QString &file : files) {
        const QString base = out + u'/' + QFileInfo(file).completeBaseName();
        const QByteArray html = readFile(base + QStringLiteral(".html"));
        if (html.isEmpty())
            m_error = QStringLiteral("LibreOffice wrote no HTML of ") + file;
        views.insert(file, LibreOfficeView::fromExports(readFile(base + QStringLiteral(".txt")), html));
    }
    return views;
}

void tst_RtfInteropCorpus::corpusFilesOpen_data()
{
    // A few phrases of each file as our text must show them: a table row, a
    // list item with its label, a note's text after its mark.
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("phrases");
    const QStringList ferry{QStringLiteral("rail1[Eleven gulls, though her brother later swore there were twelve.] until"),
                            QStringLiteral("said Καλό ταξίδι, a sailor from Arkhangelsk answered Счастливого пути"),
                            QStringLiteral("wrote 一路平安 on the fogged glass.2[All three wish the traveller a safe journey.]")};
    const QStringList timetable{QStringLiteral("\n09:40\tNo crossing on market days (the harbour master’s rule)\t\n"),
                                QStringLiteral("\n13:05\tCallow Reach to Wren Isle1[Only when the tide allows the Wren Isle slip.]\tΕυτυχία\n"),
                                QStringLiteral("\n2.\tDecide who owns the Marigold\na)\tBramwell, by inheritance\n"),
                                QStringLiteral("\n•\toranges for the crossing\n")};
    const QStringList characters{QStringLiteral("aboard.1[The order changes if the storm comes early.]\n"),
                                 QStringLiteral("(Евгений Ильин)2[He signs his name in both alphabets.]\n"),
                                 QStringLiteral("\nAft\tAnthea and Yevgeny share it, unwillingly\t\n"),
                                 QStringLiteral("a tin of tea marked 烏龍")};
    const QStringList errands{QStringLiteral("\n1.\tFind the slipway keeper"), QStringLiteral("\n•\tthe compass"),
                              QStringLiteral("\nRope\tby the arm’s length\n"),
                              QStringLiteral("\nTea from the mainland (茶) is not sold on Sundays\t\n")};
    QTest::newRow("ferry.libreoffice") << QStringLiteral("ferry.libreoffice.rtf") << ferry;
    QTest::newRow("timetable.libreoffice") << QStringLiteral("timetable.libreoffice.rtf") << timetable;
    QTest::newRow("characters.abiword") << QStringLiteral("characters.abiword.rtf") << characters;
    QTest::newRow("characters.libreoffice") << QStringLiteral("characters.libreoffice.rtf") << characters;
    QTest::newRow("errands.abiword") << QStringLiteral("errands.abiword.rtf") << errands;
    QTest::newRow("errands.libreoffice") << QStringLiteral("errands.libreoffice.rtf") << errands;
}

void tst_RtfInteropCorpus::corpusFilesOpen()
{
    QFETCH(QString, file);
    QFETCH(QStringList, phrases);
    const QByteArray rtf = readFile(corpusFolder + u'/' + file);
    QVERIFY(!rtf.isEmpty());
    QTextDocument document;
    const RtfReader::Result result = RtfReader::read(rtf, document);
    QVERIFY2(result.dropped.isEmpty(), qPrintable(result.dropped.join(u", ")));
    QVERIFY(!result.droppedPictures);
    const QString text = u'\n' + DocumentText::plainText(document);
    for (const QString &phrase : phrases)
        QVERIFY2(text.contains(phrase), qPrintable(phrase + QStringLiteral(" not in:") + text));
}

void tst_RtfInteropCorpus::textIsWhatLibreOfficeShows_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("knownTextDifference");
    for (const QString &file : corpusFiles())
        QTest::newRow(qPrintable(file)) << file << knownDifferences().value(file);
}

void tst_RtfInteropCorpus::textIsWhatLibreOfficeShows()
{
    if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
        QSKIP("not installed here");
    if (!m_work) {
        m_work = std::make_unique<QTemporaryDir>();
        m_originals = viewsOf(corpusFolder);
    }
    QVERIFY2(m_error.isEmpty(), qPrintable(m_error));
    QFETCH(QString, file);
    QFETCH(QString, knownTextDifference);
    QTextDocument document;
    RtfReader::read(readFile(corpusFolder + u'/' + file), document);
    const LibreOfficeView &shown = m_originals[file];

    // The same words in the same order, note texts in place; a word's
    // spaces, and whether a table cell or a list label is set off by a tab,
    // a line or spaces, are LibreOffice's layout, not the text.
    const QStringList ours = wordsOf(DocumentText::plainText(document));
    if (!knownTextDifference.isEmpty())
        QEXPECT_FAIL("", qPrintable(knownTextDifference), Continue);
    QCOMPARE(ours, shown.words);
    // The cells themselves, which the words alone do not set apart.
    QCOMPARE(describe(tablesOf(document)), describe(shown.tables));
}

void tst_RtfInteropCorpus::libreOfficeKeepsThePartsWeSave_data()
{
    QTest::addColumn<QString>("file");
    for (const QString &file : corpusFiles())
        QTest::newRow(qPrintable(file)) << file;
}

void tst_RtfInteropCorpus::libreOfficeKeepsThePartsWeSave()
{
    if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
        QSKIP("not installed here");
    static QHash<QString, LibreOfficeView> saved;
    if (!m_work) {
        m_work = std::make_unique<QTemporaryDir>();
        m_originals = viewsOf(corpusFolder);
    }
    if (saved.isEmpty()) {
        // Every file read and saved by us, then shown by LibreOffice.
        const QString ours = m_work->filePath(QStringLiteral("saved"));
        QDir().mkpath(ours);
        for (const QString &name : corpusFiles()) {
            QTextDocument document;
            RtfReader::read(readFile(corpusFolder + u'/' + name), document);
            QFile out(ours + u'/' + name);
            QVERIFY(out.open(QIODevice::WriteOnly));
            QVERIFY(out.write(RtfWriter::write(document)) > 0);
        }
        saved = viewsOf(ours);
    }
    QVERIFY2(m_error.isEmpty(), qPrintable(m_error));
    QFETCH(QString, file);
    const LibreOfficeView &before = m_originals[file];
    const LibreOfficeView &after = saved[file];
    QCOMPARE(describe(after.tables), describe(before.tables));
    QCOMPARE(after.notes, before.notes);
    QCOMPARE(after.headers, before.headers);
    QCOMPARE(after.footers, before.footers);
    QCOMPARE(after.comments, before.comments);
}

QTEST_MAIN(tst_RtfInteropCorpus)
#include "tst_rtfinteropcorpus.moc"
