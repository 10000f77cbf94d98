#include "printcommand.h"

#include "documentwindows.h"
#include "platform/commondialog.h"
#include "platform/richtextbox.h"

namespace {

constexpr int SelectionAsRange = 1;
constexpr int NoPageNumbers = 8;
constexpr int ReturnPrinter = 256;

} // namespace

PrintCommand::PrintCommand(DocumentWindows &documents, CommonDialog &dialog)
    : m_documents(documents)
    , m_dialog(dialog)
{
}

void PrintCommand::Print()
{
    RichTextBox *document = m_documents.requireActiveDocument();
    if (!document)
        return;
    m_dialog.DialogTitle = QStringLiteral("Print");
    m_dialog.CancelError = true;
    m_dialog.Flags = NoPageNumbers | ReturnPrinter;
    if (document->SelLength() != 0)
        m_dialog.Flags |= SelectionAsRange;
    if (!m_dialog.ShowPrinter())
        return;
    // A printer that cannot be opened prints nothing; there is nothing more to tell.
    document = m_documents.activeDocument();
    if (document && m_dialog.printer())
        document->SelPrint(*m_dialog.printer());
}
