#pragma once

#include <optional>

class CommonDialog;
class DocumentWindows;
class QString;

// The Format commands on the active document's selection: the four style
// toggles, the font and colour dialogs, the font size and the alignments.
class FormatCommands
{
public:
    enum class Style { Bold, Italic, Underline, Strikethru };

    // fontDialog serves the font and the text colour; pageDialog, shared with
    // the file commands, the background colour.
    FormatCommands(DocumentWindows &documents, CommonDialog &fontDialog, CommonDialog &pageDialog);

    // Turns the style on for the whole selection unless all of it has it,
    // else off, and gives the new state. With no document: nothing, after
    // "No Documents Open" when asked to tell.
    std::optional<bool> toggle(Style style, bool tellWhenNoDocument);
    // The font dialog applied to the selection; gives the size the selection
    // then has, as the size box shows it.
    std::optional<QString> FontOptions();
    void FontColor();
    void BackgroundColor();
    // A size chosen or typed in the size box. Text that is no size is ignored.
    void setFontSize(const QString &text);
    // 0 left, 1 right, 2 centre, for every paragraph the selection touches.
    void align(int alignment);

private:
    DocumentWindows &m_documents;
    CommonDialog &m_fontDialog;
    CommonDialog &m_pageDialog;
    // Until the user first chooses a font, a text colour or a background,
    // the dialog holds the editor's own, and a cancel applies nothing.
    bool m_fontChosen = false;
    bool m_colorChosen = false;
    bool m_backgroundChosen = false;
};
