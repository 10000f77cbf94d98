#pragma once

#include <QStringList>

class QTextBlock;

// The words of the paragraph that carry the spell-check underline, in order.
QStringList underlinedWords(const QTextBlock &paragraph);
