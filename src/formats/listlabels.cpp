#include "listlabels.h"

#include "documentproperties.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>
#include <limits>

namespace ListLabels {

QString numberShown(int n, int numbering)
{
    if (n <= 0 || numbering < 1 || numbering > 4)
        return QString::number(n);
    QString text;
    if (numbering <= 2) {
        static constexpr std::pair<int, const char *> Romans[] = {
            {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
            {40, "xl"},  {10, "x"},   {9, "ix"},  {5, "v"},    {4, "iv"},  {1, "i"}};
        for (const auto &[value, letters] : Romans)
            for (; n >= value && text.size() < 64; n -= value)
                text += QLatin1StringView(letters);
    } else {
        for (; n > 0; n = (n - 1) / 26)
            text.prepend(QChar(u'a' + (n - 1) % 26));
    }
    return numbering % 2 == 1 ? text.toUpper() : text;
}

int numberingOf(const QTextListFormat &format)
{
    if (format.hasProperty(DocumentProperty::ListNumbering))
        return format.intProperty(DocumentProperty::ListNumbering);
    switch (format.style()) {
    case QTextListFormat::ListUpperRoman: return 1;
    case QTextListFormat::ListLowerRoman: return 2;
    case QTextListFormat::ListUpperAlpha: return 3;
    case QTextListFormat::ListLowerAlpha: return 4;
    case QTextListFormat::ListDisc:
    case QTextListFormat::ListCircle:
    case QTextListFormat::ListSquare: return Bullets;
    default: return 0;
    }
}

int startOf(const QTextListFormat &format)
{
    return format.hasProperty(DocumentProperty::ListStart) ? format.intProperty(DocumentProperty::ListStart) : 1;
}

namespace {

// The character Qt draws as a shape for each bullet style.
QString qtBulletOf(QTextListFormat::Style style)
{
    switch (style) {
    case QTextListFormat::ListCircle: return QStringLiteral("\u25E6");
    case QTextListFormat::ListSquare: return QStringLiteral("\u25AA");
    default: return QStringLiteral("\u2022");
    }
}

// Whether a list's label shows its item's number. A level's text may show
// only the numbers of the levels above, the same for every item of a run,
// and the reader then gives it whole as the prefix.
bool showsOwnNumber(const QTextListFormat &format)
{
    const QString text = format.stringProperty(DocumentProperty::ListText);
    return text.isEmpty() || text.contains(QChar(char16_t(format.intProperty(DocumentProperty::ListLevel))));
}

} // namespace

QString labelOf(const QTextBlock &block, int itemNumber)
{
    const QTextList *list = block.textList();
    if (!list)
        return QString();
    const QTextListFormat format = list->format();
    const int numbering = numberingOf(format);
    if (numbering == Bullets)
        return DocumentProperty::bulletOf(format);
    if (!showsOwnNumber(format))
        return format.numberPrefix();
    const qint64 number = qint64(startOf(format)) + itemNumber;
    const QString shown = numberShown(int(std::clamp<qint64>(number, std::numeric_limits<int>::min(),
                                                             std::numeric_limits<int>::max())),
                                      numbering);
    // Qt's defaults, and its order for right-to-left text.
    const QString prefix = format.numberPrefix();
    const QString suffix = format.hasProperty(QTextFormat::ListNumberSuffix) ? format.numberSuffix() : QStringLiteral(".");
    if (block.textDirection() == Qt::RightToLeft)
        return suffix + shown + prefix;
    return prefix + shown + suffix;
}

QString labelOf(const QTextBlock &block)
{
    const QTextList *list = block.textList();
    return list ? labelOf(block, list->itemNumber(block)) : QString();
}

bool drawnByQt(const QTextListFormat &format)
{
    if (numberingOf(format) == Bullets)
        return DocumentProperty::bulletOf(format) == qtBulletOf(format.style());
    return startOf(format) == 1 && showsOwnNumber(format);
}

void markDrawnByEditor(const QTextBlock &block)
{
    QTextBlockFormat format;
    format.setProperty(QTextFormat::ListStyle, int(QTextListFormat::ListStyleUndefined));
    QTextCursor(block).mergeBlockFormat(format);
}

namespace {

bool marked(const QTextFormat &format)
{
    return format.isBlockFormat() && format.hasProperty(QTextFormat::ListStyle)
        && format.intProperty(QTextFormat::ListStyle) == QTextListFormat::ListStyleUndefined;
}

} // namespace

bool isDrawnByEditor(const QTextBlock &block)
{
    return block.textList() && marked(block.blockFormat());
}

bool anyDrawnByEditor(const QTextDocument &document)
{
    const QList<QTextFormat> formats = document.allFormats();
    return std::any_of(formats.begin(), formats.end(), marked);
}

} // namespace ListLabels
