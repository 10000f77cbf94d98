#pragma once

#include <QPlainTextEdit>

// A multi-line text box with a vertical scroll bar. Its text keeps line
// breaks as CR LF, the way programs hand multi-line text to such a box.
class TextBox : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit TextBox(QWidget *parent = nullptr);

    QString Text() const;
    void setText(const QString &text);
};
