#include "messagebox.h"

MsgBoxResult MsgBox(Dialogs &dialogs, const QString &prompt, MsgBoxButtons buttons, MsgBoxIcon icon,
                    const QString &title)
{
    return dialogs.messageBox({prompt, title.isEmpty() ? ProgramTitle : title, buttons, icon});
}

QString InputBox(Dialogs &dialogs, const QString &prompt, const QString &title, const QString &defaultText)
{
    return dialogs.inputBox({prompt, title.isEmpty() ? ProgramTitle : title, defaultText}).value_or(QString());
}
