#include "textbox.h"

#include "formats/plaintext.h"

TextBox::TextBox(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
}

QString TextBox::Text() const
{
    QString text = toPlainText();
    text.replace(u'\n', QStringLiteral("\r\n"));
    return text;
}

void TextBox::setText(const QString &text)
{
    setPlainText(PlainText::toLfLineEnds(text));
}
