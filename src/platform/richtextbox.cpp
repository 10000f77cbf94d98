#include "richtextbox.h"

#include "formats/documentfile.h"
#include "formats/documentproperties.h"
#include "documentprinter.h"
#include "formats/listlabels.h"
#include "keptpartobject.h"
#include "olecolor.h"
#include "pendingtextlayout.h"
#include "plainclipboardedit.h"
#include "formats/plaintext.h"
#include "formats/selectioncopy.h"
#include "spellinghighlighter.h"

#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPointer>
#include <QPrinter>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

QString withLineFeeds(QString text)
{
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

bool isBold(const QTextCharFormat &f) { return f.fontWeight() >= QFont::DemiBold; }
bool isItalic(const QTextCharFormat &f) { return f.fontItalic(); }
bool isUnderlined(const QTextCharFormat &f) { return f.fontUnderline(); }
bool isStruckThrough(const QTextCharFormat &f) { return f.fontStrikeOut(); }

// Calls `visit` with the format of each run of text the selection touches,
// until it returns false; returns false when it was stopped.
template<typename Visit>
bool visitSelectedFormats(const QTextCursor &cursor, Visit visit)
{
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    for (QTextBlock block = cursor.document()->findBlock(start); block.isValid() && block.position() < end;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.position() + fragment.length() > start && fragment.position() < end
                && !visit(fragment.charFormat()))
                return false;
        }
    }
    return true;
}

constexpr double MinFontSize = 1;
constexpr double MaxFontSize = 1638;

} // namespace

RichTextBox::RichTextBox(QWidget *parent)
    : QWidget(parent)
    , m_edit(new PlainClipboardEdit(this))
    , m_keptParts(new KeptPartObject(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_edit);
    m_edit->setAcceptRichText(true);
    m_edit->installEventFilter(this);
    m_edit->viewport()->installEventFilter(this);
    setFocusProxy(m_edit);
    connect(m_edit, &QTextEdit::cursorPositionChanged, this, &RichTextBox::keepCaretOutOfTableJoins);
}

// The paragraph that joins two parts of a long table takes no room, so the
// caret passes over it the way it was going, and typing never goes there.
// Once text is dropped into it, or the tables beside it are gone, it is an
// ordinary paragraph again.
void RichTextBox::keepCaretOutOfTableJoins()
{
    keepSelectionInOnePart();
    QTextCursor cursor = m_edit->textCursor();
    const QTextBlock block = cursor.block();
    if (block.blockFormat().boolProperty(DocumentProperty::TableJoin)) {
        if (DocumentProperty::joinsTableParts(block)) {
            const bool forward = cursor.position() >= m_caretPosition;
            cursor.setPosition(forward ? block.position() + 1 : block.position() - 1,
                               cursor.hasSelection() ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor);
            m_edit->setTextCursor(cursor);
        } else {
            QTextBlockFormat format = block.blockFormat();
            format.clearProperty(DocumentProperty::TableJoin);
            format.clearProperty(QTextFormat::LineHeight);
            format.clearProperty(QTextFormat::LineHeightType);
            QTextCursor edit(block);
            edit.joinPreviousEditBlock();
            edit.setBlockFormat(format);
            if (auto *after = qobject_cast<QTextTable *>(document()->frameAt(block.position() + block.length()))) {
                QTextTableFormat overlapped = after->format();
                if (overlapped.topMargin() == DocumentProperty::TablePartOverlap) {
                    overlapped.setTopMargin(0);
                    after->setFormat(overlapped);
                }
            }
            edit.endEditBlock();
        }
    }
    m_caretPosition = m_edit->textCursor().position();
}

// A selection from one part of a long table into another would take both
// parts whole, as Qt takes any table a selection leaves, and a key pressed
// then would delete rows far out of view. It ends in the first or last row
// of the part it started in instead, in the column it went to.
void RichTextBox::keepSelectionInOnePart()
{
    QTextCursor cursor = m_edit->textCursor();
    const QTextDocument &text = *document();
    QTextTable *from = cursor.hasSelection() ? DocumentProperty::outermostTable(text, cursor.anchor()) : nullptr;
    if (!from)
        return;
    // Qt moves a selection's end that enters another table to its far
    // side, past the next join if it has one; a drag heads for the pointer.
    const int heading = m_dragTarget >= 0 ? m_dragTarget : cursor.position();
    const bool forward = heading > cursor.anchor();
    QTextTable *to = DocumentProperty::outermostTable(text, heading);
    const QTextBlock block = text.findBlock(heading);
    if (!to && DocumentProperty::joinsTableParts(block))
        to = DocumentProperty::outermostTable(text, forward ? block.position() + 1 : block.position() - 1);
    if (!to || to == from || !DocumentProperty::partsOfOneTable(forward ? *from : *to, forward ? *to : *from))
        return;
    const QTextTableCell toCell = to->cellAt(heading);
    const int column = toCell.isValid() ? toCell.column() : from->cellAt(cursor.anchor()).column();
    const QTextTableCell end = from->cellAt(forward ? from->rows() - 1 : 0, std::min(column, from->columns() - 1));
    cursor.setPosition((forward ? end.lastCursorPosition() : end.firstCursorPosition()).position(),
                       QTextCursor::KeepAnchor);
    m_edit->setTextCursor(cursor);
}

void RichTextBox::setSpellChecker(SpellChecker &checker)
{
    if (m_spelling)
        return;
    m_spelling = new SpellingHighlighter(*m_edit, checker);
    connect(m_spelling, &SpellingHighlighter::wordNotAdded, this, &RichTextBox::wordNotAdded);
    m_edit->setSpelling(m_spelling);
}

QTextEdit *RichTextBox::textEdit() const
{
    return m_edit;
}

QTextDocument *RichTextBox::document() const
{
    return m_edit->document();
}

bool RichTextBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit->viewport() && event->type() == QEvent::MouseMove) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const bool dragging = mouse->buttons() & Qt::LeftButton;
        m_dragTarget = dragging ? m_edit->cursorForPosition(mouse->position().toPoint()).position() : -1;
        return false;
    }
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonRelease)
        m_dragTarget = -1;
    if (watched == m_edit && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() == Qt::ControlModifier && key->key() >= Qt::Key_A && key->key() <= Qt::Key_Z) {
            // Undo and redo are the editor's own, with Ctrl+Z and Ctrl+Y on
            // every system. Every other Ctrl+letter is left to the window's
            // menu keys first; only when the window has none for it does the
            // editor get the key (and copy, paste, select all itself).
            const bool undoKeys = key->key() == Qt::Key_Z || key->key() == Qt::Key_Y;
            if (event->type() == QEvent::ShortcutOverride) {
                if (undoKeys)
                    event->accept();
                else
                    event->ignore();
                return true;
            }
            const int undoState = document()->availableUndoSteps();
            if (key->key() == Qt::Key_Z && undoState == m_afterRewrite && document()->isUndoAvailable()) {
                withFreshLayout([this] { m_edit->undo(); });
                return true;
            }
            if (key->key() == Qt::Key_Y) {
                if (undoState == m_beforeRewrite && document()->isRedoAvailable())
                    withFreshLayout([this] { m_edit->redo(); });
                else
                    m_edit->redo();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

QString RichTextBox::Text() const
{
    return withLineFeeds(document()->toRawText());
}

namespace {

// Gives the document a standard layout anew, which starts from the top.
// Dropping a layout makes the editor ask for a new one at once, and the
// document would then lay itself out twice, a table whole each time.
void layOutAfresh(QTextDocument *document)
{
    {
        const QSignalBlocker quiet(document);
        document->setDocumentLayout(nullptr);
    }
    document->documentLayout();
}

} // namespace

void RichTextBox::withFreshLayout(const std::function<void()> &edit)
{
    QTextDocument *doc = document();
    doc->setDocumentLayout(new PendingTextLayout(doc));
    edit();
    layOutAfresh(doc);
}

void RichTextBox::setText(const QString &text)
{
    QTextCursor cursor(document());
    m_beforeRewrite = document()->availableUndoSteps();
    withFreshLayout([&] {
        cursor.beginEditBlock();
        cursor.select(QTextCursor::Document);
        cursor.removeSelectedText();
        cursor.setBlockFormat(QTextBlockFormat());
        cursor.setBlockCharFormat(QTextCharFormat());
        cursor.insertText(PlainText::toLfLineEnds(text), QTextCharFormat());
        cursor.endEditBlock();
        // The caret goes to the top before the new layout comes, which then
        // need not reach the end of the text to show where the caret was.
        cursor.setPosition(0);
        m_edit->setTextCursor(cursor);
    });
    m_afterRewrite = document()->availableUndoSteps();
    m_edit->setCurrentCharFormat(QTextCharFormat());
    m_edit->ensureCursorVisible();
}

int RichTextBox::SelStart() const
{
    return m_edit->textCursor().selectionStart();
}

void RichTextBox::setSelStart(int start)
{
    const int end = document()->characterCount() - 1;
    QTextCursor cursor = m_edit->textCursor();
    cursor.setPosition(qBound(0, start, end));
    m_edit->setTextCursor(cursor);
}

int RichTextBox::SelLength() const
{
    const QTextCursor cursor = m_edit->textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void RichTextBox::setSelLength(int length)
{
    const int end = document()->characterCount() - 1;
    QTextCursor cursor = m_edit->textCursor();
    const int start = cursor.selectionStart();
    cursor.setPosition(start);
    cursor.setPosition(qBound(start, start + qMax(0, length), end), QTextCursor::KeepAnchor);
    m_edit->setTextCursor(cursor);
}

QString RichTextBox::SelText() const
{
    return withLineFeeds(m_edit->textCursor().selectedText());
}

void RichTextBox::setSelText(const QString &text)
{
    QTextCursor cursor = m_edit->textCursor();
    cursor.insertText(PlainText::toLfLineEnds(text));
    m_edit->setTextCursor(cursor);
}

RichTextBox::Style RichTextBox::styleOf(bool (*has)(const QTextCharFormat &)) const
{
    const QTextCursor cursor = m_edit->textCursor();
    if (!cursor.hasSelection())
        return has(m_edit->currentCharFormat()) ? Style::On : Style::Off;

    bool some = false;
    bool all = true;
    visitSelectedFormats(cursor, [&](const QTextCharFormat &format) {
        if (has(format))
            some = true;
        else
            all = false;
        return all || !some; // both kinds seen: mixed, no need to look further
    });
    if (some && !all)
        return Style::Mixed;
    if (!some && all) // only paragraph breaks are selected
        return has(cursor.charFormat()) ? Style::On : Style::Off;
    return some ? Style::On : Style::Off;
}

void RichTextBox::mergeFormat(const QTextCharFormat &format)
{
    m_edit->mergeCurrentCharFormat(format);
}

RichTextBox::Style RichTextBox::SelBold() const { return styleOf(isBold); }
RichTextBox::Style RichTextBox::SelItalic() const { return styleOf(isItalic); }
RichTextBox::Style RichTextBox::SelUnderline() const { return styleOf(isUnderlined); }
RichTextBox::Style RichTextBox::SelStrikeThru() const { return styleOf(isStruckThrough); }

void RichTextBox::setSelBold(bool on)
{
    QTextCharFormat format;
    format.setFontWeight(on ? QFont::Bold : QFont::Normal);
    mergeFormat(format);
}

void RichTextBox::setSelItalic(bool on)
{
    QTextCharFormat format;
    format.setFontItalic(on);
    mergeFormat(format);
}

void RichTextBox::setSelUnderline(bool on)
{
    QTextCharFormat format;
    format.setFontUnderline(on);
    mergeFormat(format);
}

void RichTextBox::setSelStrikeThru(bool on)
{
    QTextCharFormat format;
    format.setFontStrikeOut(on);
    mergeFormat(format);
}

void RichTextBox::setSelFontName(const QString &name)
{
    QTextCharFormat format;
    format.setFontFamilies(QStringList{name});
    format.setProperty(DocumentProperty::FontName, name);
    mergeFormat(format);
}

std::optional<double> RichTextBox::SelFontSize() const
{
    const double fallback = document()->defaultFont().pointSizeF();
    const auto sizeOf = [fallback](const QTextCharFormat &f) {
        return f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize() : fallback;
    };
    const QTextCursor cursor = m_edit->textCursor();
    if (!cursor.hasSelection())
        return sizeOf(m_edit->currentCharFormat());

    std::optional<double> size;
    const bool uniform = visitSelectedFormats(cursor, [&](const QTextCharFormat &format) {
        const double s = sizeOf(format);
        if (size && *size != s)
            return false;
        size = s;
        return true;
    });
    if (!uniform)
        return std::nullopt;
    return size ? size : sizeOf(cursor.charFormat());
}

bool RichTextBox::setSelFontSize(double points)
{
    if (!(points >= MinFontSize && points <= MaxFontSize))
        return false;
    QTextCharFormat format;
    format.setFontPointSize(points);
    mergeFormat(format);
    return true;
}

bool RichTextBox::setSelFontSize(const QString &points)
{
    bool ok = false;
    double value = points.trimmed().toDouble(&ok);
    if (!ok)
        value = QLocale::system().toDouble(points.trimmed(), &ok);
    return ok && setSelFontSize(value);
}

void RichTextBox::setSelColor(quint32 color)
{
    QTextCharFormat format;
    format.setForeground(OleColor::toQColor(color));
    mergeFormat(format);
}

bool RichTextBox::setSelAlignment(int alignment)
{
    Qt::Alignment align;
    switch (alignment) {
    case 0: align = Qt::AlignLeft; break;
    case 1: align = Qt::AlignRight; break;
    case 2: align = Qt::AlignHCenter; break;
    default: return false;
    }
    QTextBlockFormat format;
    format.setAlignment(align);
    QTextCursor cursor = m_edit->textCursor();
    cursor.mergeBlockFormat(format);
    return true;
}

void RichTextBox::setBackColor(quint32 color)
{
    QPalette palette = m_edit->palette();
    palette.setColor(QPalette::Base, OleColor::toQColor(color));
    m_edit->setPalette(palette);
}

int RichTextBox::Find(const QString &text, int start, int options)
{
    const int length = document()->characterCount() - 1;
    if (text.isEmpty() || start > length)
        return -1;
    QTextDocument::FindFlags flags;
    if (options & FindWholeWord)
        flags |= QTextDocument::FindWholeWords;
    if (options & FindMatchCase)
        flags |= QTextDocument::FindCaseSensitively;
    const QTextCursor found = document()->find(text, qMax(0, start), flags);
    if (found.isNull())
        return -1;
    if (!(options & FindNoHighlight))
        m_edit->setTextCursor(found);
    return found.selectionStart();
}

void RichTextBox::SetFocus()
{
    m_edit->setFocus();
}

void RichTextBox::replaceDocument(std::unique_ptr<QTextDocument> document)
{
    document->setDefaultFont(this->document()->defaultFont());
    document->setDocumentMargin(this->document()->documentMargin());
    document->setUndoRedoEnabled(true);
    // The editor deletes the document it made itself; the ones given to it
    // here belong to this box.
    const QPointer<QTextDocument> previous = this->document();
    document->setParent(this);
    // The editor lays a new document out as it takes it, again at its own
    // width, and again when the scroll bar that a long text needs narrows
    // it; a table is laid out whole each time. Laid out once the editor has
    // its width, with room for the scroll bar already, it is laid out once.
    QTextDocument *const taken = document.release();
    taken->setDocumentLayout(new PendingTextLayout(taken));
    m_keptParts->serve(taken);
    const Qt::ScrollBarPolicy scrolling = m_edit->verticalScrollBarPolicy();
    m_edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_edit->setDocument(taken);
    m_edit->setListLabels(ListLabels::anyDrawnByEditor(*taken));
    layOutAfresh(taken);
    m_edit->setVerticalScrollBarPolicy(scrolling);
    if (previous && previous->parent() == this)
        delete previous;
    m_edit->setCurrentCharFormat(QTextCharFormat());
    m_afterRewrite = -1;
    m_beforeRewrite = -1;
    m_caretPosition = m_edit->textCursor().position();
    if (m_spelling)
        m_spelling->attach(m_edit->document());
    Q_EMIT documentReplaced();
}

FileResult RichTextBox::LoadFile(const QString &path, const QString &fileType)
{
    DocumentFile::Format format;
    if (fileType.isEmpty() || fileType == u"0")
        format = DocumentFile::Format::Detect;
    else if (fileType == u"1")
        format = DocumentFile::Format::PlainText;
    else
        return {QStringLiteral("Unknown file type \"%1\".").arg(fileType), {}};

    auto loaded = std::make_unique<QTextDocument>();
    loaded->setUndoRedoEnabled(false);
    const DocumentFile::ReadResult result = DocumentFile::read(path, format, *loaded);
    if (!result.error.isEmpty())
        return {result.error, {}};
    replaceDocument(std::move(loaded));
    return {QString(), result.dropped};
}

FileResult RichTextBox::SaveFile(const QString &path) const
{
    const QString error = DocumentFile::write(path, *document());
    // Stored as it stands, the text holds no changes the user could lose.
    if (error.isEmpty())
        document()->setModified(false);
    return {error, {}};
}

void RichTextBox::SelPrint(QPrinter &printer) const
{
    const QTextCursor cursor = m_edit->textCursor();
    if (!cursor.hasSelection()) {
        DocumentPrinter::print(*document(), printer, *m_keptParts);
        return;
    }
    DocumentPrinter::print(*SelectionCopy::make(cursor), printer, *m_keptParts);
}
