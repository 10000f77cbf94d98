#include "messagebox.h"

MsgBoxResult MsgBox(Dialogs &dialogs, const QString &prompt, MsgBoxButtons buttons, MsgBoxIcon icon,
                    const QString &title, QWidget *owner)
{
    return dialogs.messageBox({prompt, title.isEmpty() ? ProgramTitle : title, buttons, icon, owner});
}

QString InputBox(Dialogs &dialogs, const QString &prompt, const QString &title, const QString &defaultText,
                 QWidget *owner)
{
    return dialogs.inputBox({prompt, title.isEmpty() ? ProgramTitle : title, defaultText, owner}).value_or(QString());
}
