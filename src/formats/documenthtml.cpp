#include "documenthtml.h"

#include "documentproperties.h"
#include "listlabels.h"

#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>

#include <vector>

namespace DocumentHtml {

namespace {

// The frames in and under `frame`, in the order Qt's HTML opens a <table>
// for each.
void collectFrames(const QTextFrame &frame, std::vector<const QTextFrame *> &frames)
{
    for (const QTextFrame *child : frame.childFrames()) {
        frames.push_back(child);
        collectFrames(*child, frames);
    }
}

// Drops the end of every table part and the start of the part after it.
QString joinTableParts(const QTextDocument &document, const QString &html)
{
    std::vector<const QTextFrame *> frames;
    collectFrames(*document.rootFrame(), frames);
    QString joined;
    qsizetype from = 0;
    size_t frame = 0;
    for (qsizetype at = html.indexOf(u"<table"); at >= 0 && frame < frames.size();
         at = html.indexOf(u"<table", at + 1), ++frame) {
        if (!DocumentProperty::joinsTableParts(document.findBlock(frames[frame]->firstPosition() - 1)))
            continue;
        const qsizetype end = html.lastIndexOf(u"</table>", at);
        const qsizetype tagEnd = html.indexOf(u'>', at);
        if (end < from || tagEnd < 0 || !QStringView(html).sliced(end + 8, at - end - 8).trimmed().isEmpty())
            continue;
        joined += QStringView(html).sliced(from, end - from);
        from = tagEnd + 1;
    }
    if (from == 0)
        return html;
    joined += QStringView(html).sliced(from);
    return joined;
}

// Gives each <ol> its list's start. Qt opens a list's <ol> or <ul> at its
// first item, so the lists' first items in the document's order are the
// lists of those tags in the HTML's.
QString startLists(const QTextDocument &document, QString html)
{
    std::vector<int> starts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextList *list = block.textList();
        if (list && list->item(0) == block)
            starts.push_back(ListLabels::numberingOf(list->format()) == ListLabels::Bullets ? 1 : ListLabels::startOf(list->format()));
    }
    static const QRegularExpression listTag(QStringLiteral("<(ol|ul)[ >]"));
    qsizetype at = 0;
    for (const int start : starts) {
        const QRegularExpressionMatch tag = listTag.match(html, at);
        if (!tag.hasMatch())
            break;
        at = tag.capturedEnd(1);
        if (start != 1 && tag.captured(1) == u"ol") {
            const QString attribute = QStringLiteral(" start=\"%1\"").arg(start);
            html.insert(at, attribute);
            at += attribute.size();
        }
    }
    return html;
}

} // namespace

QString of(const QTextDocument &document)
{
    return startLists(document, joinTableParts(document, document.toHtml()));
}

} // namespace DocumentHtml
