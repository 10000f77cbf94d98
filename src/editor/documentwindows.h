#pragma once

#include <QString>

#include <memory>

class Clock;
class Dialogs;
class DocumentRecovery;
class QMdiArea;
class RichTextBox;
class SpellChecker;
class frmDoc;

// The document windows of the main frame, and the active document that
// every editing command acts on, looked up afresh at each call.
class DocumentWindows
{
public:
    // The clock names and ages the recovery copies.
    DocumentWindows(QMdiArea &area, Dialogs &dialogs, const Clock &clock);
    ~DocumentWindows();

    // A new maximised document window captioned "Document "; it becomes the
    // active one.
    frmDoc *NewDocument();
    // The window the frame opens at start-up, with an empty caption.
    frmDoc *showFirstDocument();

    frmDoc *activeWindow() const;
    RichTextBox *activeDocument() const;
    // The active document; with none, tells the user "No Documents Open" and
    // gives nullptr.
    RichTextBox *requireActiveDocument() const;

    // Document windows opened from now on check their spelling with it;
    // with nullptr, they go unchecked.
    void setSpellChecker(SpellChecker *checker);
    // The copies of unsaved text, in the user's data folder.
    DocumentRecovery &recovery() const { return *m_recovery; }

private:
    frmDoc *addWindow(const QString &caption);

    QMdiArea &m_area;
    Dialogs &m_dialogs;
    std::unique_ptr<DocumentRecovery> m_recovery;
    SpellChecker *m_spelling = nullptr;
};
