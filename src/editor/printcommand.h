#pragma once

class CommonDialog;
class DocumentWindows;

// Print: the selection, or the whole document when nothing is selected, on
// the printer (or file) chosen in the print dialog, with its formatting.
class PrintCommand
{
public:
    PrintCommand(DocumentWindows &documents, CommonDialog &dialog);

    void Print();

private:
    DocumentWindows &m_documents;
    CommonDialog &m_dialog;
};
