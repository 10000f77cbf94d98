#pragma once

#include <QString>

class CommonDialog;
class Dialogs;
class DocumentWindows;
class frmDoc;

// Open, Save As and Save: documents in from RTF or plain text, out as RTF
// whatever name or filter the user chose. A file that cannot be read or
// written is reported with its name and the reason; the document stays.
class FileCommands
{
public:
    FileCommands(DocumentWindows &documents, CommonDialog &dialog, Dialogs &dialogs);

    // Asks for a file and opens it in a new document window.
    void Open();
    // Stores the active document under a name the user chooses, offering RTF first.
    void SaveAs();
    // As Save As, offering plain text first.
    void Save();
    // Opens the file in a new document window captioned with its path.
    void openInNewWindow(const QString &path);

    // A folder and a file name joined by one separator.
    static QString joinPath(const QString &folder, const QString &name);

private:
    void saveWithFilter(const QString &filter);
    void load(frmDoc &window, const QString &path);

    DocumentWindows &m_documents;
    CommonDialog &m_dialog;
    Dialogs &m_dialogs;
};
