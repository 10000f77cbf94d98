#pragma once

#include <QString>

class QTextDocument;

// A document as HTML: Qt's, with each long table whole, as one table
// rather than the parts the reader makes of it, and each numbered list
// starting where its file starts it (Qt 6.4 numbers every list from 1).
namespace DocumentHtml {

QString of(const QTextDocument &document);

} // namespace DocumentHtml
