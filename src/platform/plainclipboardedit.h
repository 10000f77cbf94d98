#pragma once

#include <QTextEdit>

class SpellingHighlighter;

// The text edit inside RichTextBox. What it puts on the clipboard or drags
// away is the selection's plain text, and what it takes in is plain text
// set in the format at the caret: formatting never travels between
// documents and programs, whichever way the text goes (keys, context menu,
// drag and drop). Its context menu offers spellings for a misspelt word,
// and it draws the list labels that Qt cannot.
class PlainClipboardEdit : public QTextEdit
{
    Q_OBJECT
public:
    using QTextEdit::QTextEdit;

    void setSpelling(SpellingHighlighter *spelling) { m_spelling = spelling; }
    // Whether the document has list labels that Qt leaves to the editor.
    void setListLabels(bool drawn) { m_listLabels = drawn; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    QMimeData *createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    SpellingHighlighter *m_spelling = nullptr;
    bool m_listLabels = false;
};
