#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

class QMenu;
class QTextBlock;
class QTextCursor;
class QTextDocument;
class QTextEdit;
class SpellChecker;

// Underlines the misspelt words of an editor with the spell-check wave. The
// underline is a display format of the paragraph's layout, never part of
// the text, so it is neither saved nor printed. Only the paragraphs that
// change and those that come into view are checked: a novel opens and takes
// keystrokes as fast as without the check.
class SpellingHighlighter : public QObject
{
    Q_OBJECT
public:
    SpellingHighlighter(QTextEdit &edit, SpellChecker &checker);

    // Follows the editor to a document it was given.
    void attach(QTextDocument *document);
    // Puts the suggestions for a misspelt word at the cursor, "Add to
    // Dictionary" and "Ignore" at the top of the menu.
    void addSuggestions(QMenu &menu, const QTextCursor &at);

Q_SIGNALS:
    // "Add to Dictionary" could not store the word; `problem` tells the
    // user why.
    void wordNotAdded(const QString &problem);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The text from the first to the last paragraph whose underlines changed.
    struct ChangedSpan
    {
        void add(const QTextBlock &block);
        int from = -1;
        int to = -1;
    };

    void contentsChanged(int position, int removed, int added);
    void checkVisible();
    bool inView(const QTextBlock &block) const;
    // Puts the underlines in place in the paragraph's layout; whether they
    // changed. The paragraphs that changed are then drawn again together:
    // Qt lays a whole table out again for a change in any of its cells.
    bool check(const QTextBlock &block, bool force = false);
    void redraw(const ChangedSpan &changed);
    void recheckVisible();

    QTextEdit &m_edit;
    SpellChecker &m_checker;
    QPointer<QTextDocument> m_document;
    QTimer m_visibleTimer;
    // The word lists as they stood when the paragraphs in view were checked.
    int m_checkedGeneration = 0;
    // Set while the underlines are put in place, which the document reports
    // as a change.
    bool m_applying = false;
};
