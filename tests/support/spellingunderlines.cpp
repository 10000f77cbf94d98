#include "spellingunderlines.h"

#include <QTextBlock>
#include <QTextLayout>

QStringList underlinedWords(const QTextBlock &paragraph)
{
    QStringList words;
    for (const QTextLayout::FormatRange &range : paragraph.layout()->formats()) {
        if (range.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline)
            words.append(paragraph.text().mid(range.start, range.length));
    }
    return words;
}
