#include "spellinghighlighter.h"

#include "firstblockinview.h"
#include "spellchecker.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

namespace {

// What a paragraph was checked against, so that it is not checked again
// while neither its text nor the word lists change.
class CheckedText : public QTextBlockUserData
{
public:
    CheckedText(size_t textHash, int wordsGeneration)
        : hash(textHash)
        , generation(wordsGeneration)
    {
    }
    size_t hash;
    int generation;
};

// The most paragraphs of one change looked at while the change is made.
constexpr int MostBlocksAtOnce = 64;

} // namespace

SpellingHighlighter::SpellingHighlighter(QTextEdit &edit, SpellChecker &checker)
    : QObject(&edit)
    , m_edit(edit)
    , m_checker(checker)
{
    m_visibleTimer.setSingleShot(true);
    m_visibleTimer.setInterval(0);
    connect(&m_visibleTimer, &QTimer::timeout, this, &SpellingHighlighter::checkVisible);
    connect(m_edit.verticalScrollBar(), &QScrollBar::valueChanged, this, &SpellingHighlighter::recheckVisible);
    connect(m_edit.verticalScrollBar(), &QScrollBar::rangeChanged, this, &SpellingHighlighter::recheckVisible);
    m_edit.viewport()->installEventFilter(this);
    attach(m_edit.document());
}

void SpellingHighlighter::attach(QTextDocument *document)
{
    if (m_document)
        disconnect(m_document, nullptr, this, nullptr);
    m_document = document;
    connect(document, &QTextDocument::contentsChange, this, &SpellingHighlighter::contentsChanged);
    // A document that comes in is underlined before it is first painted.
    checkVisible();
    recheckVisible();
}

bool SpellingHighlighter::eventFilter(QObject *watched, QEvent *event)
{
    // A word added or ignored in another window is seen here at the next
    // paint.
    if (event->type() == QEvent::Resize || event->type() == QEvent::Show
        || (event->type() == QEvent::Paint && m_checkedGeneration != m_checker.generation()))
        recheckVisible();
    return QObject::eventFilter(watched, event);
}

void SpellingHighlighter::recheckVisible()
{
    m_visibleTimer.start();
}

void SpellingHighlighter::contentsChanged(int position, int, int added)
{
    if (m_applying)
        return;
    QTextBlock block = m_document->findBlock(position);
    const QTextBlock last = m_document->findBlock(position + added);
    // A paragraph in view is checked at once, so that its underlines never
    // stay where its words were; the others wait until they come into view,
    // which is what keeps a rewrite of the whole text fast.
    ChangedSpan changed;
    for (int n = 0; block.isValid() && n < MostBlocksAtOnce; ++n, block = block.next()) {
        if (inView(block) && check(block, true))
            changed.add(block);
        if (block == last)
            break;
    }
    redraw(changed);
    recheckVisible();
}

bool SpellingHighlighter::inView(const QTextBlock &block) const
{
    // A new layout announces the whole text as changed before it lays out
    // anything, and cannot place a paragraph in a table then.
    if (!m_edit.isVisible() || block.layout()->lineCount() == 0)
        return false;
    QRectF area = m_document->documentLayout()->blockBoundingRect(block);
    area.translate(0, -m_edit.verticalScrollBar()->value());
    return area.isValid() && area.intersects(QRectF(m_edit.viewport()->rect()));
}

void SpellingHighlighter::checkVisible()
{
    if (!m_document || !m_edit.isVisible())
        return;
    // Down the page by the paragraphs' places rather than to the position
    // at the page's foot, which the layout finds only once it has laid out
    // the text that far.
    m_checkedGeneration = m_checker.generation();
    const QAbstractTextDocumentLayout *layout = m_document->documentLayout();
    const qreal bottom = m_edit.verticalScrollBar()->value() + m_edit.viewport()->height();
    ChangedSpan changed;
    for (QTextBlock block = firstBlockInView(
             *m_document, QPointF(m_edit.horizontalScrollBar()->value(), m_edit.verticalScrollBar()->value()));
         block.isValid(); block = block.next()) {
        const QRectF area = layout->blockBoundingRect(block);
        if (!area.isValid() || area.top() > bottom)
            break;
        if (check(block))
            changed.add(block);
    }
    redraw(changed);
}

void SpellingHighlighter::ChangedSpan::add(const QTextBlock &block)
{
    if (from < 0)
        from = block.position();
    to = block.position() + block.length();
}

void SpellingHighlighter::redraw(const ChangedSpan &changed)
{
    if (changed.from < 0)
        return;
    m_applying = true;
    m_document->markContentsDirty(changed.from, changed.to - changed.from);
    m_applying = false;
}

bool SpellingHighlighter::check(const QTextBlock &block, bool force)
{
    const QString text = block.text();
    const size_t hash = qHash(text);
    auto *checked = static_cast<CheckedText *>(block.userData());
    if (!force && checked && checked->hash == hash && checked->generation == m_checker.generation())
        return false;

    QList<QTextLayout::FormatRange> underlines;
    for (const SpellChecker::Span &word : SpellChecker::words(text)) {
        if (m_checker.isCorrect(text.mid(word.start, word.length)))
            continue;
        QTextLayout::FormatRange range;
        range.start = word.start;
        range.length = word.length;
        range.format.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
        range.format.setUnderlineColor(Qt::red);
        underlines.append(range);
    }
    QTextBlock target = block;
    target.setUserData(new CheckedText(hash, m_checker.generation()));
    QTextLayout *layout = target.layout();
    if (layout->formats() == underlines)
        return false;
    layout->setFormats(underlines);
    return true;
}

void SpellingHighlighter::addSuggestions(QMenu &menu, const QTextCursor &at)
{
    const QTextBlock block = at.block();
    const QString text = block.text();
    const int offset = at.position() - block.position();
    for (const SpellChecker::Span &word : SpellChecker::words(text)) {
        if (offset < word.start || offset > word.start + word.length)
            continue;
        const QString misspelt = text.mid(word.start, word.length);
        if (m_checker.isCorrect(misspelt))
            return;
        QAction *first = menu.actions().value(0);
        QList<QAction *> added;
        const int start = block.position() + word.start;
        for (const QString &suggestion : m_checker.suggestions(misspelt)) {
            auto *action = new QAction(suggestion, &menu);
            connect(action, &QAction::triggered, this, [this, start, length = word.length, suggestion] {
                QTextCursor cursor(m_document);
                cursor.setPosition(start);
                cursor.setPosition(start + length, QTextCursor::KeepAnchor);
                cursor.insertText(suggestion);
            });
            added.append(action);
        }
        auto *add = new QAction(QStringLiteral("Add to Dictionary"), &menu);
        connect(add, &QAction::triggered, this, [this, misspelt] {
            const QString problem = m_checker.addToDictionary(misspelt);
            checkVisible();
            if (!problem.isEmpty())
                Q_EMIT wordNotAdded(problem);
        });
        auto *ignore = new QAction(QStringLiteral("Ignore"), &menu);
        connect(ignore, &QAction::triggered, this, [this, misspelt] {
            m_checker.ignore(misspelt);
            checkVisible();
        });
        auto *between = new QAction(&menu);
        between->setSeparator(true);
        auto *after = new QAction(&menu);
        after->setSeparator(true);
        added << between << add << ignore << after;
        menu.insertActions(first, added);
        return;
    }
}
