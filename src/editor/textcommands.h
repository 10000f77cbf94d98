#pragma once

class Clock;
class DocumentWindows;

// The Edit and Insert commands and the case commands on the active
// document. The clipboard carries plain text only. The commands that rewrite
// the whole text drop its formatting, in one step that one undo takes back.
class TextCommands
{
public:
    TextCommands(DocumentWindows &documents, Clock &clock);

    void Cut();
    void Copy();
    void Paste();
    void SelectAll();
    // Inserts the user's general date and time at the caret, which stays
    // before it; a selection is kept, after the stamp.
    void DateTime();
    void LowerCase();
    void UpperCase();
    // Empties the document; without one, does nothing and says nothing.
    void Clear();

private:
    DocumentWindows &m_documents;
    Clock &m_clock;
};
