#include "frmedit.h"

#include "formats/documentfile.h"
#include "platform/filelistbox.h"
#include "platform/messagebox.h"
#include "platform/richtextbox.h"
#include "platform/twips.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTextDocument>

namespace {

const QString SaveFilter = QStringLiteral("RichText Files (*.rtf)|*.rtf|Text Files (*.txt)|*.txt|All Files (*.*)|*.*");

// The first entry of SaveFilter whose pattern takes the file's name
// (1-based); the first entry when no file is being edited.
int filterEntryFor(const QString &path)
{
    if (path.isEmpty())
        return 1;
    const QStringList parts = SaveFilter.split(u'|');
    for (qsizetype i = 1; i < parts.size(); i += 2) {
        const QString suffix = parts[i].mid(1); // "*.rtf" takes names ending in ".rtf"
        if (suffix == u".*" || path.endsWith(suffix, Qt::CaseInsensitive))
            return int(i / 2) + 1;
    }
    return 1;
}

} // namespace

frmEdit::frmEdit(const QString &programDirectory, Dialogs &dialogs)
    : m_programDirectory(programDirectory)
    , m_dialogs(dialogs)
    , CommonDialog1(dialogs, this)
    , File1(new FileListBox(this))
    , RichTextBox1(new RichTextBox(this))
    , Label1(new QLabel(QStringLiteral("Remember to overright the file you are editing only!"), this))
    , Command3(new QPushButton(QStringLiteral("?"), this))
    , Command2(new QPushButton(QStringLiteral("Close"), this))
    , Command1(new QPushButton(QStringLiteral("Save"), this))
{
    setObjectName(QStringLiteral("frmEdit"));
    File1->setObjectName(QStringLiteral("File1"));
    RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2->setObjectName(QStringLiteral("Command2"));
    Command3->setObjectName(QStringLiteral("Command3"));
    File1->setGeometry(Twips::rect(120, 120, 2895, 2235));
    RichTextBox1->setGeometry(Twips::rect(3120, 120, 5775, 2175));
    Label1->setGeometry(Twips::rect(240, 2520, 4575, 375));
    Command3->setGeometry(Twips::rect(4920, 2520, 1215, 375));
    Command2->setGeometry(Twips::rect(6360, 2520, 1215, 375));
    Command1->setGeometry(Twips::rect(7680, 2520, 1215, 375));
    Label1->setWordWrap(true);
    setFrame(Frame::FixedToolWindow, QSize(8970, 3075), true);

    connect(File1, &FileListBox::DblClick, this, &frmEdit::File1_DblClick);
    connect(Command1, &QPushButton::clicked, this, &frmEdit::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &QWidget::close);
    connect(Command3, &QPushButton::clicked, this, &frmEdit::Command3_Click);
}

void frmEdit::resetControls()
{
    setWindowTitle(QStringLiteral("Generator Editor"));
    RichTextBox1->setText(QStringLiteral(
        "Click on a file to edit it, add one idea per line and don't leave any blank lines. Only Save over the "
        "filey ou are editing! Note that you should only edit generator files (.txt) and you should follow the "
        "same format preset by us."));
    RichTextBox1->setSelStart(0);
    RichTextBox1->setSelLength(int(RichTextBox1->Text().size()));
    RichTextBox1->setSelFontName(QStringLiteral("MS Sans Serif"));
    RichTextBox1->setSelFontSize(8.5);
    RichTextBox1->setSelStart(0);
    RichTextBox1->document()->clearUndoRedoStacks();
}

void frmEdit::Form_Load()
{
    // The idea files lie in the program folder, whatever the current folder is.
    const QString reason = File1->setPath(m_programDirectory);
    if (!reason.isEmpty())
        MsgBox(m_dialogs, reason, MsgBoxButtons::OkOnly, MsgBoxIcon::Exclamation, {}, this);
}

void frmEdit::File1_DblClick()
{
    const QString name = File1->FileName();
    if (name.isEmpty())
        return;
    const QString path = QDir(File1->Path()).filePath(name);
    m_editFilePath = path;
    const FileResult result = RichTextBox1->LoadFile(path, QStringLiteral("1"));
    if (!result.ok()) {
        MsgBox(m_dialogs, QStringLiteral("Quillmere could not open %1.\n\n%2").arg(QDir::toNativeSeparators(path), result.error),
               MsgBoxButtons::OkOnly, MsgBoxIcon::Exclamation, {}, this);
        return;
    }
    setWindowTitle(path);
}

void frmEdit::Command1_Click()
{
    CommonDialog1.DialogTitle = QStringLiteral("Save As");
    CommonDialog1.Filter = SaveFilter;
    CommonDialog1.CancelError = false;
    // A plain Save writes back the file being edited: the dialog starts at
    // it, with the entry for its kind of file chosen so that it is listed.
    CommonDialog1.InitDir = File1->Path();
    CommonDialog1.FileName = m_editFilePath;
    CommonDialog1.FilterIndex = filterEntryFor(m_editFilePath);
    CommonDialog1.ShowSave();
    const QString path = CommonDialog1.FileName;
    if (path.isEmpty())
        return;
    setWindowTitle(path);
    // Idea files end their lines with CR LF.
    QString text = RichTextBox1->Text();
    text.replace(u'\n', QStringLiteral("\r\n"));
    const QString reason = DocumentFile::writeBytes(path, text.toUtf8());
    if (!reason.isEmpty())
        MsgBox(m_dialogs,
               QStringLiteral("Quillmere could not save %1.\n\n%2").arg(QDir::toNativeSeparators(path), reason),
               MsgBoxButtons::OkOnly, MsgBoxIcon::Exclamation, {}, this);
}

void frmEdit::Command3_Click()
{
    MsgBox(m_dialogs,
           QStringLiteral("Add one idea per line, don't leave any spaces. Remember to save once you are finished."),
           MsgBoxButtons::OkOnly, MsgBoxIcon::None, ProgramTitle, this);
}
