#pragma once

#include "platform/form.h"

class Dialogs;
class DocumentWindows;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class RichTextBox;

// The find dialog: searches the active document for the find text, front to
// back, and replaces one match or all of them. It stays open while the user
// works on; every press acts on the document window active at that moment.
// Its state lives in its controls: the caption of cmdFind says whether the
// next press starts at the top ("&Find") or goes on after the selection
// ("&Find Next"), and the caption of cmdReplace which layout is showing.
class frmFind : public Form
{
    Q_OBJECT
public:
    // The dialog stays above `owner`, the main window, without being part of it.
    frmFind(DocumentWindows &documents, Dialogs &dialogs, QWidget *owner = nullptr);

protected:
    void resetControls() override;
    void Form_Load() override;

private:
    void cmdFind_Click();
    void cmdReplace_Click();
    void cmdReplaceAll_Click();

    int searchOptions() const;
    void showReplaceLayout(bool replace);
    void setReplaceEnabled(bool enabled);
    // Searches the document from `start`, selecting the match unless the
    // options say otherwise; true when there is one.
    bool search(RichTextBox &document, int start, int options);
    void focusDocument(RichTextBox &document);
    void textNotFound(const QString &title);

    DocumentWindows &m_documents;
    Dialogs &m_dialogs;

    QLabel *lblFind;
    QComboBox *cboFind;
    QLabel *lblReplace;
    QComboBox *cboReplace;
    QPushButton *cmdFind;
    QPushButton *cmdCancel;
    QPushButton *cmdReplace;
    QPushButton *cmdReplaceAll;
    QWidget *picBar;
    QGroupBox *Frame1;
    QCheckBox *chkWholeWord;
    QCheckBox *chkMatchCase;
    QCheckBox *chkNoHighlight;
};
