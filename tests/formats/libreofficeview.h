#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

// What LibreOffice shows of a document, taken from two of its exports: the
// text export ("txt:Text") for the body as it lays it out, list numbers
// included, and the HTML export for what the text export leaves out: the
// texts of footnotes and endnotes, headers, footers, comments, and where a
// table's cells begin and end.
class LibreOfficeView
{
public:
    struct Table
    {
        int columns = 0;
        QList<QStringList> rows; // each cell's text, white space collapsed; no covered cells
    };

    static LibreOfficeView fromExports(const QByteArray &text, const QByteArray &html);

    // The body's words in order, each note's text in brackets straight
    // after its mark, as DocumentText writes it.
    QStringList words;
    QList<Table> tables;
    QStringList notes; // footnotes and endnotes in the order of their marks
    QStringList headers;
    QStringList footers;
    QStringList comments;
};
