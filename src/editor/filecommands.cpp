#include "filecommands.h"

#include "platform/commondialog.h"
#include "documentwindows.h"
#include "frmdoc.h"
#include "platform/messagebox.h"
#include "platform/richtextbox.h"

#include <QDir>

namespace {

const QString OpenFilter = QStringLiteral("Documents (*.txt)|*.txt|RichText Files (*.rtf)|*.rtf|All Files (*.*)|*.*");
const QString RichTextFirstFilter =
    QStringLiteral("RichText Files (*.rtf)|*.rtf|Text Files (*.txt)|*.txt|All Files (*.*)|*.*");
const QString TextFirstFilter =
    QStringLiteral("Text Files (*.txt)|*.txt|RichText Files (*.rtf)|*.rtf|All Files (*.*)|*.*");

QString shown(const QString &path)
{
    return u'\u201C' + QDir::toNativeSeparators(path) + u'\u201D';
}

} // namespace

FileCommands::FileCommands(DocumentWindows &documents, CommonDialog &dialog, Dialogs &dialogs)
    : m_documents(documents)
    , m_dialog(dialog)
    , m_dialogs(dialogs)
{
}

QString FileCommands::joinPath(const QString &folder, const QString &name)
{
    return folder.endsWith(u'/') ? QString(folder + name) : QString(folder + u'/' + name);
}

void FileCommands::load(frmDoc &window, const QString &path)
{
    const FileResult result = window.RichTextBox1()->LoadFile(path);
    if (!result.ok()) {
        MsgBox(m_dialogs, QStringLiteral("Quillmere could not open %1.\n\n%2").arg(shown(path), result.error),
               MsgBoxButtons::OkOnly, MsgBoxIcon::Exclamation);
        return;
    }
    window.setWindowTitle(path);
    if (!result.dropped.isEmpty())
        MsgBox(m_dialogs,
               QStringLiteral("%1 holds things that Quillmere cannot keep:\n\n%2\n\n"
                              "If you save this document, they will not be in it.")
                   .arg(shown(path), u"\u2022 " + result.dropped.join(u"\n\u2022 ")),
               MsgBoxButtons::OkOnly, MsgBoxIcon::Information);
}

void FileCommands::Open()
{
    m_documents.NewDocument();
    m_dialog.DialogTitle = QStringLiteral("Open");
    m_dialog.Filter = OpenFilter;
    m_dialog.CancelError = false;
    m_dialog.ShowOpen();
    const QString path = m_dialog.FileName;
    if (path.isEmpty())
        return;
    if (frmDoc *window = m_documents.activeWindow())
        load(*window, path);
}

void FileCommands::openInNewWindow(const QString &path)
{
    load(*m_documents.NewDocument(), path);
}

void FileCommands::SaveAs()
{
    saveWithFilter(RichTextFirstFilter);
}

void FileCommands::Save()
{
    saveWithFilter(TextFirstFilter);
}

void FileCommands::saveWithFilter(const QString &filter)
{
    if (!m_documents.requireActiveDocument())
        return;
    m_dialog.DialogTitle = QStringLiteral("Save As");
    m_dialog.Filter = filter;
    m_dialog.CancelError = false;
    m_dialog.ShowSave();
    const QString path = m_dialog.FileName;
    frmDoc *window = m_documents.activeWindow();
    if (path.isEmpty() || !window)
        return;
    window->setWindowTitle(path);
    const FileResult result = window->RichTextBox1()->SaveFile(path);
    if (!result.ok())
        MsgBox(m_dialogs,
               QStringLiteral("Quillmere could not save the document as %1.\n\n%2\n\n"
                              "The document is still open; save it again under another name or in another folder.")
                   .arg(shown(path), result.error),
               MsgBoxButtons::OkOnly, MsgBoxIcon::Exclamation);
}
