#include "commondialog.h"

#include <QPrinter>

CommonDialog::CommonDialog(Dialogs &dialogs, QWidget *owner)
    : m_dialogs(dialogs)
    , m_owner(owner)
{
}

CommonDialog::~CommonDialog() = default;

bool CommonDialog::cancelResult() const
{
    return !CancelError;
}

bool CommonDialog::showFileDialog(FileDialogRequest::Kind kind)
{
    const std::optional<FileDialogAnswer> answer =
        m_dialogs.fileDialog({kind, DialogTitle, Filter, FilterIndex, FileName, Flags, InitDir, m_owner});
    if (!answer) {
        FileName.clear();
        return cancelResult();
    }
    FileName = answer->fileName;
    FilterIndex = answer->filterIndex;
    return true;
}

bool CommonDialog::ShowOpen()
{
    return showFileDialog(FileDialogRequest::Kind::Open);
}

bool CommonDialog::ShowSave()
{
    return showFileDialog(FileDialogRequest::Kind::Save);
}

bool CommonDialog::ShowFont()
{
    const FontValues current{FontName, FontSize, FontBold, FontItalic, FontUnderline, FontStrikethru, Color};
    const std::optional<FontValues> chosen = m_dialogs.fontDialog({current, Flags, m_owner});
    if (!chosen)
        return cancelResult();
    FontName = chosen->name;
    FontSize = chosen->size;
    FontBold = chosen->bold;
    FontItalic = chosen->italic;
    FontUnderline = chosen->underline;
    FontStrikethru = chosen->strikethru;
    Color = chosen->color;
    return true;
}

bool CommonDialog::ShowColor()
{
    const std::optional<quint32> chosen = m_dialogs.colorDialog({Color, Flags, m_owner});
    if (!chosen)
        return cancelResult();
    Color = *chosen;
    return true;
}

bool CommonDialog::ShowPrinter()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!m_dialogs.printDialog({DialogTitle, Flags, m_owner}, *m_printer))
        return cancelResult();
    return true;
}
