#pragma once

#include <QTextEdit>

// The text edit inside RichTextBox. What it puts on the clipboard or drags
// away is the selection's plain text, and what it takes in is plain text
// set in the format at the caret: formatting never travels between
// documents and programs, whichever way the text goes (keys, context menu,
// drag and drop).
class PlainClipboardEdit : public QTextEdit
{
    Q_OBJECT
public:
    using QTextEdit::QTextEdit;

protected:
    QMimeData *createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
};
