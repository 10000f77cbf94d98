#include "documentwindows.h"

#include "documentrecovery.h"
#include "frmdoc.h"
#include "platform/messagebox.h"
#include "platform/richtextbox.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStandardPaths>

DocumentWindows::DocumentWindows(QMdiArea &area, Dialogs &dialogs, const Clock &clock)
    : m_area(area)
    , m_dialogs(dialogs)
    , m_recovery(std::make_unique<DocumentRecovery>(
          QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery"), dialogs,
          area, clock))
{
}

DocumentWindows::~DocumentWindows() = default;

void DocumentWindows::setSpellChecker(SpellChecker *checker)
{
    m_spelling = checker;
}

frmDoc *DocumentWindows::addWindow(const QString &caption)
{
    auto *document = new frmDoc;
    document->setWindowTitle(caption);
    if (m_spelling)
        document->RichTextBox1()->setSpellChecker(*m_spelling);
    m_recovery->watch(*document);
    QObject::connect(document->RichTextBox1(), &RichTextBox::wordNotAdded, document, [this](const QString &problem) {
        MsgBox(m_dialogs, problem, MsgBoxButtons::OkOnly, MsgBoxIcon::Exclamation);
    });
    QMdiSubWindow *window = m_area.addSubWindow(document);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->showMaximized();
    m_area.setActiveSubWindow(window);
    document->RichTextBox1()->SetFocus();
    return document;
}

frmDoc *DocumentWindows::NewDocument()
{
    return addWindow(QStringLiteral("Document "));
}

frmDoc *DocumentWindows::showFirstDocument()
{
    return addWindow(QString());
}

frmDoc *DocumentWindows::activeWindow() const
{
    // The current window stays known while a dialog or another top-level
    // window has the focus, unlike the active one.
    const QMdiSubWindow *window = m_area.currentSubWindow();
    return window ? qobject_cast<frmDoc *>(window->widget()) : nullptr;
}

RichTextBox *DocumentWindows::activeDocument() const
{
    const frmDoc *window = activeWindow();
    return window ? window->RichTextBox1() : nullptr;
}

RichTextBox *DocumentWindows::requireActiveDocument() const
{
    RichTextBox *document = activeDocument();
    if (!document)
        MsgBox(m_dialogs, QStringLiteral("No Documents Open"), MsgBoxButtons::OkOnly, MsgBoxIcon::None, {},
               m_area.window());
    return document;
}
