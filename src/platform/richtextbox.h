#pragma once

#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>

class KeptPartObject;
class PlainClipboardEdit;
class QPrinter;
class QTextCharFormat;
class QTextDocument;
class QTextEdit;
class SpellChecker;
class SpellingHighlighter;

// What a file operation of the editor reports: an empty error means success.
struct FileResult
{
    QString error;
    // Everything the file held that saving would lose, each named.
    QStringList dropped;

    bool ok() const { return error.isEmpty(); }
};

// The rich-text editor component. Positions are zero-based offsets into
// Text(), where every paragraph break is one "\n"; colours are 0x00BBGGRR;
// sizes are in twips, font sizes in points.
class RichTextBox : public QWidget
{
    Q_OBJECT
public:
    enum class Style { Off, On, Mixed };

    // The option bits of Find.
    static constexpr int FindWholeWord = 2;
    static constexpr int FindMatchCase = 4;
    static constexpr int FindNoHighlight = 8;

    explicit RichTextBox(QWidget *parent = nullptr);

    QString Text() const;
    // Replaces the whole content by plain text, as one undo step.
    void setText(const QString &text);

    int SelStart() const;
    void setSelStart(int start);
    int SelLength() const;
    void setSelLength(int length);
    QString SelText() const;
    void setSelText(const QString &text);

    Style SelBold() const;
    void setSelBold(bool on);
    Style SelItalic() const;
    void setSelItalic(bool on);
    Style SelUnderline() const;
    void setSelUnderline(bool on);
    Style SelStrikeThru() const;
    void setSelStrikeThru(bool on);

    void setSelFontName(const QString &name);
    // No value when the selection mixes sizes.
    std::optional<double> SelFontSize() const;
    // False, changing nothing, when the size is not a number from 1 to 1638.
    bool setSelFontSize(double points);
    bool setSelFontSize(const QString &points);
    void setSelColor(quint32 color);
    // 0 left, 1 right, 2 centre; false for any other value.
    bool setSelAlignment(int alignment);

    // The background of this editor alone.
    void setBackColor(quint32 color);

    // The position of the first match at or after start, or -1. Selects the
    // match unless FindNoHighlight is given.
    int Find(const QString &text, int start, int options = 0);
    void SetFocus();

    // Replaces the content with the file. With no type the file is read as
    // RTF when it starts with "{\rtf" and as plain text otherwise; type "1"
    // reads it as plain text whatever it holds.
    FileResult LoadFile(const QString &path, const QString &fileType = QString());
    // Writes the whole content as RTF, whatever the file's name.
    FileResult SaveFile(const QString &path) const;
    // Prints the selection, or the whole content when nothing is selected,
    // with its formatting.
    void SelPrint(QPrinter &printer) const;

    // Underlines misspelt words from now on and offers spellings in the
    // context menu; the checker must outlive the box.
    void setSpellChecker(SpellChecker &checker);

    QTextDocument *document() const;
    QTextEdit *textEdit() const;

Q_SIGNALS:
    // The box holds another document, as after LoadFile.
    void documentReplaced();
    // A word the user added to the dictionary could not be stored; the
    // window tells the user `problem`.
    void wordNotAdded(const QString &problem);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Style styleOf(bool (*has)(const QTextCharFormat &)) const;
    void mergeFormat(const QTextCharFormat &format);
    void replaceDocument(std::unique_ptr<QTextDocument> document);
    void keepCaretOutOfTableJoins();
    void keepSelectionInOnePart();
    // Runs an edit of the whole text and lays the result out afresh, as a
    // loaded document is, rather than all at once.
    void withFreshLayout(const std::function<void()> &edit);

    // Where the undo stack stands just after and just before the last
    // rewrite of the whole text, so that undoing or redoing it is laid out
    // afresh as well.
    int m_afterRewrite = -1;
    int m_beforeRewrite = -1;
    int m_caretPosition = 0; // where the caret was, to know which way it goes
    int m_dragTarget = -1;   // where the pointer is while a selection is dragged

    PlainClipboardEdit *m_edit = nullptr;
    SpellingHighlighter *m_spelling = nullptr;
    KeptPartObject *m_keptParts = nullptr;
};
