#include "documentdump.h"

#include <QTextBlock>
#include <QTextDocument>

namespace {

QString alignmentLetter(Qt::Alignment a)
{
    if (a & Qt::AlignJustify)
        return QStringLiteral("J");
    if (a & Qt::AlignHCenter)
        return QStringLiteral("C");
    if (a & Qt::AlignRight)
        return QStringLiteral("R");
    return QStringLiteral("L");
}

QString describe(const QTextCharFormat &f, const QString &defaultFamily)
{
    QStringList attrs;
    if (f.isImageFormat()) {
        const QTextImageFormat image = f.toImageFormat();
        return QStringLiteral("{image %1x%2}").arg(image.width()).arg(image.height());
    }
    if (f.fontWeight() >= QFont::DemiBold)
        attrs << QStringLiteral("b");
    if (f.fontItalic())
        attrs << QStringLiteral("i");
    if (f.fontUnderline())
        attrs << QStringLiteral("u");
    if (f.fontStrikeOut())
        attrs << QStringLiteral("s");
    if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        attrs << QStringLiteral("sup");
    if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
        attrs << QStringLiteral("sub");
    const QStringList families = f.fontFamilies().toStringList();
    if (!families.isEmpty() && families.constFirst() != defaultFamily)
        attrs << u"f=" + families.constFirst();
    if (f.hasProperty(QTextFormat::FontPointSize) && f.fontPointSize() != 12)
        attrs << u"pt=" + QString::number(f.fontPointSize());
    if (f.hasProperty(QTextFormat::ForegroundBrush))
        attrs << u"fg=" + f.foreground().color().name();
    if (f.hasProperty(QTextFormat::BackgroundBrush))
        attrs << u"bg=" + f.background().color().name();
    return attrs.isEmpty() ? QString() : u'{' + attrs.join(u',') + u'}';
}

} // namespace

QString dumpDocument(const QTextDocument &document, const QString &defaultFamily)
{
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QStringList runs;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QString text = fragment.text();
            text.replace(QChar::LineSeparator, QStringLiteral("<br>"));
            runs << (fragment.charFormat().isImageFormat() ? QString() : text)
                    + describe(fragment.charFormat(), defaultFamily);
        }
        lines << alignmentLetter(block.blockFormat().alignment()) + u':' + runs.join(u'|');
    }
    return lines.join(u'\n');
}
