#pragma once

#include <QString>

#include <functional>

class QTextDocument;

// The text of a document as plain text: a line for each paragraph, a line
// for each table row with its cells separated by tabs (the paragraphs of a
// cell, and the rows of a table nested in it, joined by spaces), each list
// item after its label and a tab, the text of each footnote in brackets
// after its mark, and nothing for the parts kept out of sight.
namespace DocumentText {

QString plainText(const QTextDocument &document);

// Calls `take` with each line of that text, without its line end, so that
// a large document costs no copy of its whole text.
void forEachLine(const QTextDocument &document, const std::function<void(const QString &)> &take);

} // namespace DocumentText
