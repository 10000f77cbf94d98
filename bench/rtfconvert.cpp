// rtfconvert [-v] IN OUT
//
// Loads IN through the editor's own LoadFile and writes OUT by its
// extension: .txt the plain text (a line for each paragraph and table row,
// cells separated by tabs, each footnote's text in brackets after its
// mark), .rtf through SaveFile, .html the loaded document as HTML. With -v,
// prints how long each step took.

#include "formats/documenthtml.h"
#include "formats/documenttext.h"
#include "platform/richtextbox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextDocument>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    const bool verbose = args.removeAll(QStringLiteral("-v")) > 0;
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: rtfconvert [-v] IN OUT\n");
        return 2;
    }
    const QString in = args[0];
    const QString out = args[1];

    QElapsedTimer timer;
    timer.start();
    RichTextBox box;
    const FileResult loaded = box.LoadFile(in);
    if (!loaded.ok()) {
        std::fprintf(stderr, "rtfconvert: %s: %s\n", qPrintable(in), qPrintable(loaded.error));
        return 1;
    }
    const qint64 loadMs = timer.restart();

    QString error;
    if (out.endsWith(u".rtf", Qt::CaseInsensitive)) {
        error = box.SaveFile(out).error;
    } else {
        QFile file(out);
        bool written = file.open(QIODevice::WriteOnly);
        if (out.endsWith(u".html", Qt::CaseInsensitive)) {
            const QByteArray html = DocumentHtml::of(*box.document()).toUtf8();
            written = written && file.write(html) == html.size();
        } else {
            // A line at a time, so the output costs no copy of the whole text.
            DocumentText::forEachLine(*box.document(), [&](const QString &line) {
                const QByteArray bytes = line.toUtf8() + '\n';
                written = written && file.write(bytes) == bytes.size();
            });
        }
        if (!written || !file.flush())
            error = file.errorString();
    }
    if (!error.isEmpty()) {
        std::fprintf(stderr, "rtfconvert: %s: %s\n", qPrintable(out), qPrintable(error));
        return 1;
    }
    if (verbose)
        std::fprintf(stderr, "load %lld ms, write %lld ms\n", loadMs, timer.elapsed());
    return 0;
}
