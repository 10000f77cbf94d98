// replacebench [RUNS] [middle]
//
// Replace All through the find dialog's buttons, on a formatted document of
// about 4 MB shown in its window: once for a word with 10,000 matches and
// once for one with 100,000, each time into a replacement of another length.
// In the same run `sed` makes the same replacements on the document's plain
// text, the floor for any program that rewrites the text. Each figure is the
// median of RUNS runs (default 5), printed as a line "name value". The
// reader's view stands at the top of the document, as after opening it, or
// with "middle" half-way down, which the press must lay out again first.

#include "editor/documentwindows.h"
#include "editor/frmdoc.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/form.h"
#include "platform/richtextbox.h"
#include "search/frmfind.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QMdiArea>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>
#include <cstdio>

namespace {

// Answers every message box with OK and counts the replacements it reports.
class AnswerOk final : public Dialogs
{
public:
    QString lastMessage;

    MsgBoxResult messageBox(const MessageBoxRequest &request) override
    {
        lastMessage = request.text;
        return MsgBoxResult::Ok;
    }
    std::optional<QString> inputBox(const InputBoxRequest &) override { return std::nullopt; }
    std::optional<FileDialogAnswer> fileDialog(const FileDialogRequest &) override { return std::nullopt; }
    std::optional<FontValues> fontDialog(const FontDialogRequest &) override { return std::nullopt; }
    std::optional<quint32> colorDialog(const ColorDialogRequest &) override { return std::nullopt; }
    bool printDialog(const PrintDialogRequest &, QPrinter &) override { return false; }
};

const QString Replacement = QStringLiteral("glowing coals");

struct Case
{
    const char *name;
    QString word;
    int matches;
};

// About 4 MB in paragraphs of some 500 characters, with bold, italic and
// coloured runs; `Case` words are spread evenly through it.
void writeDocument(RichTextBox &editor, const QList<Case> &cases)
{
    const QStringList filler = {QStringLiteral("the"),     QStringLiteral("harbour"), QStringLiteral("was"),
                                QStringLiteral("quiet"),   QStringLiteral("when"),    QStringLiteral("Maren"),
                                QStringLiteral("climbed"), QStringLiteral("towards"), QStringLiteral("old"),
                                QStringLiteral("watchtower"), QStringLiteral("rain"), QStringLiteral("of")};
    constexpr int Words = 620000;
    QTextCursor cursor(editor.document());
    QTextCharFormat plain;
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat italic;
    italic.setFontItalic(true);
    italic.setForeground(Qt::darkRed);
    for (int i = 0; i < Words; ++i) {
        QString word = filler[(i * 7 + i / 13) % filler.size()];
        for (const Case &c : cases)
            if (i % (Words / c.matches) == 1 + int(&c - cases.data()) && i / (Words / c.matches) < c.matches)
                word = c.word;
        const QTextCharFormat &format = i % 17 == 0 ? bold : i % 23 == 0 ? italic : plain;
        cursor.insertText(word, format);
        if (i % 80 == 79)
            cursor.insertBlock();
        else
            cursor.insertText(QStringLiteral(" "), plain);
    }
}

qint64 median(QList<qint64> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Timing
{
    qint64 shownMs; // from the press until the window shows the result
    qint64 laidOutMs; // until the whole document is laid out again
};

// One Replace All on a fresh copy of the document, pressed as the user does:
// open the dialog, open the replace layout, fill in the texts, Replace All.
Timing replaceAllOnce(QMdiArea &area, DocumentWindows &documents, frmFind &find, AnswerOk &dialogs,
                      const QString &rtfPath, const Case &c, bool middle)
{
    frmDoc *window = documents.NewDocument();
    RichTextBox *editor = window->RichTextBox1();
    if (!editor->LoadFile(rtfPath).ok())
        qFatal("cannot read the benchmark document back");
    find.close();
    Show(find);
    find.findChild<QPushButton *>(QStringLiteral("cmdReplace"))->click();
    find.findChild<QComboBox *>(QStringLiteral("cboFind"))->setEditText(c.word);
    find.findChild<QComboBox *>(QStringLiteral("cboReplace"))->setEditText(Replacement);
    QPushButton *replaceAll = find.findChild<QPushButton *>(QStringLiteral("cmdReplaceAll"));
    // While the user types the texts, the windows settle and the document
    // is laid out in the background.
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
        editor->document()->size();
    }

    QScrollBar *scroll = editor->textEdit()->verticalScrollBar();
    if (middle)
        scroll->setValue(scroll->maximum() / 2);
    const int view = scroll->value();

    QElapsedTimer timer;
    timer.start();
    replaceAll->click();
    window->repaint();
    QApplication::processEvents();
    const qint64 shown = timer.elapsed();
    editor->document()->size();
    const qint64 laidOut = timer.elapsed();

    if (!dialogs.lastMessage.endsWith(u'\n' + QString::number(c.matches) + u" replacements have been made."))
        qFatal("Replace All reported: %s", qPrintable(dialogs.lastMessage));
    if (!middle && scroll->value() != view)
        qFatal("the view moved from %d to %d", view, scroll->value());
    area.closeAllSubWindows();
    QApplication::processEvents();
    return {shown, laidOut};
}

qint64 sedOnce(const QString &textPath, const QString &outPath, const Case &c)
{
    QProcess sed;
    sed.setStandardOutputFile(outPath);
    QElapsedTimer timer;
    timer.start();
    sed.start(QStringLiteral("sed"), {u"s/" + c.word + u'/' + Replacement + u"/gI", textPath});
    if (!sed.waitForFinished(-1) || sed.exitCode() != 0)
        qFatal("sed failed");
    return timer.elapsed();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int runs = args.size() > 1 ? args[1].toInt() : 5;
    const bool middle = args.size() > 2 && args[2] == u"middle";
    if (runs < 1 || args.size() > 3 || (args.size() == 3 && !middle)) {
        std::fprintf(stderr, "usage: replacebench [RUNS] [middle]\n");
        return 2;
    }

    const QList<Case> cases = {{"10k", QStringLiteral("lantern"), 10000}, {"100k", QStringLiteral("ember"), 100000}};
    QTemporaryDir work;
    const QString rtfPath = work.filePath(QStringLiteral("novel.rtf"));
    const QString textPath = work.filePath(QStringLiteral("novel.txt"));
    {
        RichTextBox editor;
        writeDocument(editor, cases);
        if (!editor.SaveFile(rtfPath).ok())
            qFatal("cannot write the benchmark document");
        QFile text(textPath);
        if (!text.open(QIODevice::WriteOnly) || text.write(editor.Text().toUtf8()) < 0)
            qFatal("cannot write the plain text");
        std::fprintf(stderr, "document: %lld characters, %d paragraphs, RTF %lld bytes\n",
                     static_cast<long long>(editor.Text().size()), editor.document()->blockCount(),
                     static_cast<long long>(QFile(rtfPath).size()));
    }

    AnswerOk dialogs;
    QMdiArea area;
    area.resize(1200, 800);
    area.show();
    SystemClock clock;
    DocumentWindows documents(area, dialogs, clock);
    frmFind find(documents, dialogs, &area);

    for (const Case &c : cases) {
        QList<qint64> shown;
        QList<qint64> laidOut;
        QList<qint64> sed;
        for (int i = 0; i < runs; ++i) {
            const Timing t = replaceAllOnce(area, documents, find, dialogs, rtfPath, c, middle);
            shown << t.shownMs;
            laidOut << t.laidOutMs;
            std::fprintf(stderr, "%s run %d: shown %lld ms, laid out %lld ms\n", c.name, i + 1,
                         static_cast<long long>(t.shownMs), static_cast<long long>(t.laidOutMs));
            sed << sedOnce(textPath, work.filePath(QStringLiteral("out.txt")), c);
        }
        std::printf("replace_all_%s_ms %lld\n", c.name, static_cast<long long>(median(shown)));
        std::printf("replace_all_%s_laid_out_ms %lld\n", c.name, static_cast<long long>(median(laidOut)));
        std::printf("sed_%s_ms %lld\n", c.name, static_cast<long long>(median(sed)));
        std::fflush(stdout);
    }
    return 0;
}
