#include "formats/documentproperties.h"
#include "formats/documenttext.h"
#include "formats/rtfreader.h"
#include "formats/rtfwriter.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The format of the first character of a word's first occurrence.
QTextCharFormat formatOf(const QTextDocument &document, const QString &word)
{
    const QTextCursor found = document.find(word, 0, QTextDocument::FindCaseSensitively);
    if (found.isNull())
        return QTextCharFormat();
    QTextCursor c(document.findBlock(found.selectionStart()));
    c.setPosition(found.selectionStart() + 1);
    return c.charFormat();
}

Qt::Alignment alignmentOf(const QTextDocument &document, const QString &word)
{
    const QTextCursor found = document.find(word);
    return found.isNull() ? Qt::Alignment() : found.block().blockFormat().alignment() & Qt::AlignHorizontal_Mask;
}

bool hasImage(const QTextDocument &document, QSize size)
{
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) {
                const QTextImageFormat image = it.fragment().charFormat().toImageFormat();
                if (QSize(qRound(image.width()), qRound(image.height())) == size)
                    return true;
            }
    return false;
}

// A document with one of everything the writer keeps.
void buildSample(QTextDocument &document)
{
    QTextCursor c(&document);
    QTextCharFormat plain;
    plain.setFontPointSize(12);
    const auto styled = [&](const QString &word, auto &&set) {
        QTextCharFormat f = plain;
        set(f);
        c.insertText(word, f);
        c.insertText(QStringLiteral(" "), plain);
    };

    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    c.setBlockFormat(centred);
    styled(QStringLiteral("Title"), [](QTextCharFormat &f) { f.setFontWeight(QFont::Bold); f.setFontPointSize(16); });

    c.insertBlock(QTextBlockFormat());
    c.insertText(QStringLiteral("plain "), plain);
    styled(QStringLiteral("bold"), [](QTextCharFormat &f) { f.setFontWeight(QFont::Bold); });
    styled(QStringLiteral("italic"), [](QTextCharFormat &f) { f.setFontItalic(true); });
    styled(QStringLiteral("underlined"), [](QTextCharFormat &f) { f.setFontUnderline(true); });
    styled(QStringLiteral("struck"), [](QTextCharFormat &f) { f.setFontStrikeOut(true); });
    styled(QStringLiteral("crimson"), [](QTextCharFormat &f) { f.setForeground(QColor(0xc0, 0, 0)); });
    styled(QStringLiteral("marked"), [](QTextCharFormat &f) { f.setBackground(QColor(0xff, 0xff, 0)); });
    styled(QStringLiteral("serif"), [](QTextCharFormat &f) {
        f.setFontFamilies({QStringLiteral("DejaVu Serif")});
        f.setFontPointSize(18);
    });

    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    c.insertBlock(right);
    c.insertText(QStringLiteral("café — “quote” Привет 日本語 𝄞"), plain);

    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("pic.png")), png);
    c.insertBlock(QTextBlockFormat());
    c.insertText(QStringLiteral("picture "), plain);
    QTextImageFormat imageFormat;
    imageFormat.setName(QStringLiteral("pic.png"));
    imageFormat.setWidth(32);
    imageFormat.setHeight(24);
    c.insertImage(imageFormat);

    // A table of three columns of their own widths (twips 1440, 2160, 2880),
    // its second row's last two cells merged.
    c.insertBlock(QTextBlockFormat());
    c.insertText(QStringLiteral("table:"), plain);
    QTextTableFormat tableFormat;
    tableFormat.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 96), QTextLength(QTextLength::FixedLength, 144),
                                           QTextLength(QTextLength::FixedLength, 192)});
    QTextTable *table = c.insertTable(2, 3, tableFormat);
    const QStringList cells{QStringLiteral("R1C1"), QStringLiteral("R1C2"), QStringLiteral("R1C3"),
                            QStringLiteral("R2C1"), QStringLiteral("R2 wide")};
    for (int i = 0; i < cells.size(); ++i)
        table->cellAt(i / 3, i % 3).firstCursorPosition().insertText(cells[i], plain);
    table->mergeCells(1, 1, 1, 2);
}

QTextTable *firstTable(const QTextDocument &document)
{
    for (auto it = document.rootFrame()->begin(); !it.atEnd(); ++it)
        if (auto *table = qobject_cast<QTextTable *>(it.currentFrame()))
            return table;
    return nullptr;
}

} // namespace

class tst_RtfInterop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void filesFromOtherWordProcessors_data();
    void filesFromOtherWordProcessors();
    void otherWordProcessorsKeepWhatWeWrite_data();
    void otherWordProcessorsKeepWhatWeWrite();
    void libreOfficeKeepsThePartsWeSave();
};

void tst_RtfInterop::filesFromOtherWordProcessors_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("pictureSize"); // as each file gives it
    QTest::newRow("LibreOffice") << QStringLiteral("libreoffice-sample.rtf") << QSize(32, 24);
    QTest::newRow("AbiWord") << QStringLiteral("abiword-sample.rtf") << QSize(42, 32);
}

void tst_RtfInterop::filesFromOtherWordProcessors()
{
    // Both files were written from sample.html by the program they are named after.
    QFETCH(QString, file);
    QTextDocument document;
    const QByteArray rtf = readFile(QStringLiteral(QUILLMERE_TEST_DATA "/") + file);
    QVERIFY(!rtf.isEmpty());
    const RtfReader::Result result = RtfReader::read(rtf, document);
    QVERIFY(!result.droppedPictures); // the PNG is kept, its metafile twin skipped

    const QString text = DocumentText::plainText(document);
    for (const char *line : {"Chapter One", "Plain text, bold, italic, underlined, struck, dark red, highlighted",
                             "café naïve Ωμέγα Привет 日本語", "First bullet", "Cell A1\tCell B1", "Last paragraph."})
        QVERIFY2(text.contains(QString::fromUtf8(line)), line);
    QVERIFY(text.contains(QStringLiteral("•\tFirst bullet")));

    QVERIFY(formatOf(document, QStringLiteral("Chapter")).fontWeight() >= QFont::DemiBold);
    QCOMPARE(alignmentOf(document, QStringLiteral("Chapter")), Qt::AlignHCenter);
    QCOMPARE(alignmentOf(document, QStringLiteral("Right aligned")), Qt::AlignRight);
    QVERIFY(formatOf(document, QStringLiteral("bold")).fontWeight() >= QFont::DemiBold);
    QVERIFY(formatOf(document, QStringLiteral("italic")).fontItalic());
    QVERIFY(formatOf(document, QStringLiteral("underlined")).fontUnderline());
    QVERIFY(formatOf(document, QStringLiteral("struck")).fontStrikeOut());
    QCOMPARE(formatOf(document, QStringLiteral("dark red")).foreground().color().name(), QStringLiteral("#c00000"));
    QCOMPARE(formatOf(document, QStringLiteral("highlighted")).background().color().name(), QStringLiteral("#ffff00"));
    const QTextCharFormat serif = formatOf(document, QStringLiteral("serif sixteen"));
    QCOMPARE(serif.fontFamilies().toStringList().value(0), QStringLiteral("DejaVu Serif"));
    QCOMPARE(serif.fontPointSize(), 16.0);
    QCOMPARE(formatOf(document, QStringLiteral("2O")).verticalAlignment(), QTextCharFormat::AlignSubScript);
    QFETCH(QSize, pictureSize);
    QVERIFY(hasImage(document, pictureSize));
}

void tst_RtfInterop::otherWordProcessorsKeepWhatWeWrite_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments"); // %1 input, %2 output file, %3 output folder
    // AbiWord reads a merged cell (its HTML shows it) but writes the cells it
    // covers as cells of no width, so the span does not come back in its RTF.
    QTest::addColumn<bool>("writesMergedCells");
    // LibreOffice keeps widths in hundredths of a millimetre, within a pixel
    // (15 twips); AbiWord's RTF takes its cell padding off each column.
    QTest::addColumn<int>("widthTolerance");
    QTest::newRow("LibreOffice") << QStringLiteral("soffice")
                                 << QStringList{QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                                                QStringLiteral("rtf"), QStringLiteral("--outdir"), QStringLiteral("%3"),
                                                QStringLiteral("%1")}
                                 << true << 15;
    QTest::newRow("AbiWord") << QStringLiteral("abiword")
                             << QStringList{QStringLiteral("--to=rtf"), QStringLiteral("-o"), QStringLiteral("%2"),
                                            QStringLiteral("%1")}
                             << false << 30;
}

void tst_RtfInterop::otherWordProcessorsKeepWhatWeWrite()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    const QString executable = QStandardPaths::findExecutable(program);
    if (executable.isEmpty())
        QSKIP("not installed here");

    QTemporaryDir work;
    QVERIFY(QDir(work.path()).mkdir(QStringLiteral("out")));
    const QString input = work.filePath(QStringLiteral("ours.rtf"));
    const QString output = work.filePath(QStringLiteral("out/ours.rtf"));
    QTextDocument original;
    buildSample(original);
    {
        QFile file(input);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(RtfWriter::write(original));
    }
    for (QString &a : arguments)
        a.replace(QStringLiteral("%1"), input)
            .replace(QStringLiteral("%2"), output)
            .replace(QStringLiteral("%3"), work.filePath(QStringLiteral("out")));
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), work.path()); // a profile of its own
    process.setProcessEnvironment(environment);
    process.start(executable, arguments);
    QVERIFY(process.waitForFinished(120000));
    QVERIFY2(QFile::exists(output), process.readAllStandardError().constData());

    // What the other program wrote back shows whether it took in our formatting.
    QTextDocument back;
    RtfReader::read(readFile(output), back);
    // AbiWord drops the space before a character beyond the Basic Multilingual
    // Plane when it reads RTF, so the clef is looked for on its own.
    QVERIFY2(back.toPlainText().contains(QStringLiteral("café — “quote” Привет 日本語")), qPrintable(back.toPlainText()));
    QVERIFY(back.toPlainText().contains(QStringLiteral("𝄞")));
    QVERIFY(back.toPlainText().contains(QStringLiteral("plain bold italic underlined struck crimson marked serif")));
    QCOMPARE(alignmentOf(back, QStringLiteral("Title")), Qt::AlignHCenter);
    QCOMPARE(alignmentOf(back, QStringLiteral("café")), Qt::AlignRight);
    QVERIFY(formatOf(back, QStringLiteral("Title")).fontWeight() >= QFont::DemiBold);
    QCOMPARE(formatOf(back, QStringLiteral("Title")).fontPointSize(), 16.0);
    QVERIFY(formatOf(back, QStringLiteral("bold")).fontWeight() >= QFont::DemiBold);
    QVERIFY(formatOf(back, QStringLiteral("plain")).fontWeight() < QFont::DemiBold);
    QVERIFY(formatOf(back, QStringLiteral("italic")).fontItalic());
    QVERIFY(formatOf(back, QStringLiteral("underlined")).fontUnderline());
    QVERIFY(formatOf(back, QStringLiteral("struck")).fontStrikeOut());
    QCOMPARE(formatOf(back, QStringLiteral("crimson")).foreground().color().name(), QStringLiteral("#c00000"));
    QCOMPARE(formatOf(back, QStringLiteral("marked")).background().color().name(), QStringLiteral("#ffff00"));
    const QTextCharFormat serif = formatOf(back, QStringLiteral("serif"));
    QCOMPARE(serif.fontFamilies().toStringList().value(0), QStringLiteral("DejaVu Serif"));
    QCOMPARE(serif.fontPointSize(), 18.0);
    QVERIFY(hasImage(back, QSize(32, 24)));

    // The same table: its cells, its merged cell, and its columns' widths.
    const QTextTable *table = firstTable(back);
    QVERIFY(table);
    QCOMPARE(table->rows(), 2);
    QCOMPARE(table->columns(), 3);
    QCOMPARE(table->cellAt(0, 2).firstCursorPosition().block().text(), QStringLiteral("R1C3"));
    QCOMPARE(table->cellAt(1, 1).firstCursorPosition().block().text(), QStringLiteral("R2 wide"));
    QFETCH(bool, writesMergedCells);
    QCOMPARE(table->cellAt(1, 1).columnSpan(), writesMergedCells ? 2 : 1);
    const QList<QTextLength> widths = table->format().columnWidthConstraints();
    QCOMPARE(widths.size(), 3);
    QFETCH(int, widthTolerance);
    for (int c = 0; c < 3; ++c)
        QVERIFY2(qAbs(widths[c].rawValue() * 15 - (1440 + 720 * c)) <= widthTolerance,
                 qPrintable(QString::number(widths[c].rawValue() * 15)));
}

void tst_RtfInterop::libreOfficeKeepsThePartsWeSave()
{
    const QString executable = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (executable.isEmpty())
        QSKIP("not installed here");

    // A manuscript with every part a save must keep, read and saved by us,
    // then opened and saved by LibreOffice and read by us again.
    const QByteArray manuscript =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\fswiss Arial;}}"
        "{\\*\\listtable{\\list{\\listlevel\\levelnfc2{\\leveltext\\'03(\\'00);}}\\listid1}}"
        "{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}"
        "{\\info{\\title My Novel}{\\author Ann Writer}}"
        "{\\header\\pard\\plain\\f1 Running head\\par}{\\footer\\pard\\plain\\qc Page foot\\par}\n"
        "\\pard\\plain Body text{\\super\\chftn}{\\footnote\\pard\\plain{\\super\\chftn} A note \\u1071?.} continues"
        "{\\*\\atnid AW}{\\*\\atnauthor Ann Writer}\\chatn{\\*\\annotation\\pard\\plain A remark.} here.\\par\n"
        "\\pard Hidden {\\v secret} shown.\\par\n"
        "\\pard\\ls1 one\\par\\pard\\ls1 two\\par\n"
        "\\trowd\\cellx1440\\cellx4320\\pard\\intbl A1\\cell A2\\cell\\row\n"
        "\\trowd\\cellx1440\\cellx4320\\pard\\intbl B1\\cell\\pard\\intbl\\itap2 N1\\nestcell N2\\nestcell"
        "{\\*\\nesttableprops\\trowd\\cellx1000\\cellx2500\\nestrow}{\\nonesttables\\par}"
        "\\pard\\intbl\\itap1 B2\\cell\\row\n\\pard After.\\par}";
    QTextDocument ours;
    RtfReader::read(manuscript, ours);

    QTemporaryDir work;
    QVERIFY(QDir(work.path()).mkdir(QStringLiteral("out")));
    const QString input = work.filePath(QStringLiteral("saved.rtf"));
    {
        QFile file(input);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(RtfWriter::write(ours));
    }
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), work.path());
    process.setProcessEnvironment(environment);
    process.start(executable, {QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("rtf"),
                               QStringLiteral("--outdir"), work.filePath(QStringLiteral("out")), input});
    QVERIFY(process.waitForFinished(120000));
    const QByteArray written = readFile(work.filePath(QStringLiteral("out/saved.rtf")));
    QVERIFY2(!written.isEmpty(), process.readAllStandardError().constData());

    QTextDocument back;
    RtfReader::read(written, back);
    const QString text = DocumentText::plainText(back);
    QVERIFY2(text.contains(QStringLiteral("Body text1[A note Я.] continues")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("A1\tA2\nB1\tN1\tN2 B2\n")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("Hidden secret shown.")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("(i)\tone\n(ii)\ttwo\n")), qPrintable(text));
    QTextTable *table = nullptr;
    for (auto it = back.rootFrame()->begin(); !it.atEnd() && !table; ++it)
        table = qobject_cast<QTextTable *>(it.currentFrame());
    QVERIFY(table);
    QCOMPARE(table->format().columnWidthConstraints().value(1).rawValue() * 15, 2880.0);
    QTextTable *nested = nullptr;
    for (auto it = table->cellAt(1, 1).begin(); !it.atEnd() && !nested; ++it)
        nested = qobject_cast<QTextTable *>(it.currentFrame());
    QVERIFY(nested);
    QCOMPARE(nested->columns(), 2);
    // LibreOffice keeps its widths in hundredths of a millimetre: within a pixel.
    QVERIFY(qAbs(nested->format().columnWidthConstraints().value(1).rawValue() * 15 - 1500.0) <= 15);
    const QByteArrayList groups = back.property(DocumentProperty::KeptGroups).value<QByteArrayList>();
    const QByteArray joined = groups.join();
    for (const char *part : {"My Novel", "Ann Writer", "Running head", "Page foot"})
        QVERIFY2(joined.contains(part), joined.constData());
    QVERIFY2(written.contains("A remark."), written.constData());
    QVERIFY2(written.contains("\\v"), written.constData());
}

QTEST_MAIN(tst_RtfInterop)
#include "tst_rtfinterop.moc"
