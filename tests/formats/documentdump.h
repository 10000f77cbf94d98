#pragma once

#include <QString>

class QTextDocument;

// A compact picture of a document's text and formatting, for comparing in
// tests. One line per paragraph: its alignment (L, R, C, J), ":", then its
// runs separated by "|", each run's text followed by its formatting in
// braces, e.g. "C:Title{b,pt=16}|plain". Defaults are left out: 12 points,
// the font named as default, no colour.
QString dumpDocument(const QTextDocument &document, const QString &defaultFamily = QString());
