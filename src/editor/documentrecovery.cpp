#include "documentrecovery.h"

#include "frmdoc.h"
#include "platform/clock.h"
#include "platform/messagebox.h"
#include "platform/richtextbox.h"
#include "recoverywatch.h"

#include <QDir>
#include <QTextDocument>

DocumentRecovery::DocumentRecovery(QString folder, Dialogs &dialogs, QWidget &owner, const Clock &clock)
    : m_folder(std::move(folder))
    , m_dialogs(dialogs)
    , m_owner(owner)
    , m_clock(clock)
{
}

void DocumentRecovery::watch(frmDoc &window)
{
    new RecoveryWatch(window, *this);
}

bool DocumentRecovery::store(frmDoc &window, QString &file)
{
    const RichTextBox &box = *window.RichTextBox1();
    if (file.isEmpty())
        file = m_folder.newFile(m_clock.now(), window.windowTitle(), box.Text());
    const QString error = m_folder.write(file, *box.document());
    if (error.isEmpty())
        return true;
    // Written nowhere, the name is chosen again at the next try.
    file.clear();
    if (!m_failureTold) {
        m_failureTold = true;
        MsgBox(m_dialogs,
               QStringLiteral("Quillmere could not keep a recovery copy of your unsaved text in \u201C%1\u201D.\n\n%2\n\n"
                              "It tries again each time you pause typing.")
                   .arg(QDir::toNativeSeparators(m_folder.path()), error),
               MsgBoxButtons::OkOnly, MsgBoxIcon::Exclamation, {}, &m_owner);
    }
    return false;
}

void DocumentRecovery::prune()
{
    m_folder.prune(m_clock.now());
}
