#pragma once

#include "dialogs.h"

#include <memory>

class QPrinter;
class QWidget;

// One common-dialog object: it shows the open, save, font, colour and print
// dialogs and keeps every setting and answer between uses, so the next
// showing starts from what the last one left.
//
// A cancel leaves FileName empty and the other values as they were. The
// Show functions return false only for a cancel while CancelError is set;
// otherwise the caller tells a cancel by the empty FileName, or not at all.
class CommonDialog
{
public:
    // The owner is the window the dialogs open over.
    explicit CommonDialog(Dialogs &dialogs, QWidget *owner = nullptr);
    ~CommonDialog();

    QString DialogTitle;
    QString Filter;
    int FilterIndex = 1;
    int Flags = 0;
    QString FileName;
    // Where a file dialog starts when FileName names no folder.
    QString InitDir;
    bool CancelError = false;
    quint32 Color = 0;
    QString FontName;
    double FontSize = 0;
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;
    bool FontStrikethru = false;

    bool ShowOpen();
    bool ShowSave();
    bool ShowFont();
    bool ShowColor();
    bool ShowPrinter();

    // The printer that the last accepted print dialog set up.
    QPrinter *printer() const { return m_printer.get(); }

private:
    bool showFileDialog(FileDialogRequest::Kind kind);
    // What a Show function returns when the user cancelled.
    bool cancelResult() const;

    Dialogs &m_dialogs;
    QWidget *m_owner;
    std::unique_ptr<QPrinter> m_printer;
};
