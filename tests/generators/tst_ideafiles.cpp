#include "generators/generatorcatalogue.h"
#include "generators/ideafile.h"

#include <QFile>
#include <QHash>
#include <QStringDecoder>
#include <QTest>

// The idea files delivered with the program: well-formed, large enough to
// feel random, varied in shape, and each saying something no other file says.
class tst_IdeaFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void everyFileIsWellFormed_data();
    void everyFileIsWellFormed();
    void noFileRepeatsAnother_data();
    void noFileRepeatsAnother();

private:
    struct Place
    {
        QString file;
        QString idea;
    };

    QHash<QString, QStringList> m_ideas; // by file name
    QHash<QString, QList<Place>> m_runs;  // every six-word run, with where it stands
};

namespace {

constexpr qsizetype MinimumIdeas = 100;
constexpr qsizetype LongestIdea = 300;
constexpr qsizetype ShortestIdea = 12; // an idea, not a bare word
constexpr qsizetype RunLength = 6;

// Lower case, punctuation dropped, so that "Storm-glass," and "stormglass"
// count as the same word.
QStringList wordsOf(const QString &idea)
{
    QString kept;
    for (const QChar c : idea.toLower()) {
        if (c.isLetterOrNumber() || c.isSpace())
            kept += c;
    }
    return kept.split(u' ', Qt::SkipEmptyParts);
}

QStringList runsOf(const QString &idea)
{
    const QStringList words = wordsOf(idea);
    QStringList runs;
    for (qsizetype i = 0; i + RunLength <= words.size(); ++i)
        runs += words.mid(i, RunLength).join(u' ');
    runs.removeDuplicates();
    return runs;
}

void addFileRows()
{
    QTest::addColumn<QString>("name");
    for (const GeneratorEntry &entry : GeneratorCatalogue::Entries)
        QTest::newRow(qPrintable(QString::fromUtf16(entry.ideaFile))) << QString::fromUtf16(entry.ideaFile);
}

QString sourcePath(const QString &name)
{
    return QStringLiteral(QUILLMERE_DATA_DIR "/") + name;
}

} // namespace

void tst_IdeaFiles::initTestCase()
{
    for (const GeneratorEntry &entry : GeneratorCatalogue::Entries) {
        const QString name = QString::fromUtf16(entry.ideaFile);
        const QStringList ideas = IdeaFile::read(sourcePath(name)).ideas;
        m_ideas.insert(name, ideas);
        for (const QString &idea : ideas) {
            for (const QString &run : runsOf(idea))
                m_runs[run].append({name, idea});
        }
    }
}

void tst_IdeaFiles::everyFileIsWellFormed_data()
{
    addFileRows();
}

void tst_IdeaFiles::everyFileIsWellFormed()
{
    QFETCH(QString, name);
    QVERIFY2(QFile::exists(QStringLiteral(QUILLMERE_PROGRAM_DIR "/") + name), "not copied beside the executable");

    QFile file(sourcePath(name));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    QVERIFY2(!utf8.hasError(), "not UTF-8");
    QVERIFY2(!bytes.startsWith("\xef\xbb\xbf"), "starts with a byte-order mark");
    const qsizetype lineEnds = bytes.count("\r\n");
    QVERIFY2(bytes.count('\n') == lineEnds && bytes.count('\r') == lineEnds, "a line end other than CR LF");
    QVERIFY2(bytes.endsWith("\r\n"), "the last line has no line end");

    const QStringList &ideas = m_ideas.value(name);
    QVERIFY2(ideas.size() >= MinimumIdeas, qPrintable(QString::number(ideas.size()) + u" ideas"));
    QSet<QString> seen;
    QHash<QString, qsizetype> openings;
    for (const QString &idea : ideas) {
        QVERIFY2(!idea.isEmpty(), "blank line");
        QVERIFY2(idea == idea.trimmed(), qPrintable(u"leading or trailing blanks: " + idea));
        QVERIFY2(idea.size() >= ShortestIdea, qPrintable(u"too short: " + idea));
        QVERIFY2(idea.size() <= LongestIdea, qPrintable(u"too long: " + idea));
        QVERIFY2(!seen.contains(idea), qPrintable(u"twice: " + idea));
        seen.insert(idea);
        ++openings[wordsOf(idea).mid(0, 2).join(u' ')];
    }
    // One template repeated down the file reads as a form, not a table of ideas.
    for (auto it = openings.cbegin(); it != openings.cend(); ++it) {
        QVERIFY2(it.value() * 10 <= ideas.size(),
                 qPrintable(QStringLiteral("\"%1\" opens %2 of %3 lines").arg(it.key()).arg(it.value()).arg(ideas.size())));
    }
}

void tst_IdeaFiles::noFileRepeatsAnother_data()
{
    addFileRows();
}

void tst_IdeaFiles::noFileRepeatsAnother()
{
    QFETCH(QString, name);
    QHash<QString, QString> lowered; // every other file's ideas in lower case, to the file
    for (auto it = m_ideas.cbegin(); it != m_ideas.cend(); ++it) {
        if (it.key() != name) {
            for (const QString &idea : it.value())
                lowered.insert(idea.toLower(), it.key());
        }
    }
    for (const QString &idea : m_ideas.value(name)) {
        const QString other = lowered.value(idea.toLower());
        QVERIFY2(other.isEmpty(), qPrintable(idea + u" is also in " + other));
        for (const QString &run : runsOf(idea)) {
            for (const Place &place : m_runs.value(run)) {
                QVERIFY2(place.file == name, qPrintable(QStringLiteral("\"%1\" is in both\n  %2: %3\n  %4: %5")
                                                            .arg(run, name, idea, place.file, place.idea)));
            }
        }
    }
}

QTEST_GUILESS_MAIN(tst_IdeaFiles)
#include "tst_ideafiles.moc"
