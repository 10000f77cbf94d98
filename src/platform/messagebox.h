#pragma once

#include "dialogs.h"

// The title of every message and input box that names none of its own.
inline const QString ProgramTitle = QStringLiteral("Quillmere");

// The owner is the window that asks; the box opens over it.
MsgBoxResult MsgBox(Dialogs &dialogs, const QString &prompt, MsgBoxButtons buttons = MsgBoxButtons::OkOnly,
                    MsgBoxIcon icon = MsgBoxIcon::None, const QString &title = {}, QWidget *owner = nullptr);

// The typed text; "" when the user cancelled.
QString InputBox(Dialogs &dialogs, const QString &prompt, const QString &title = {}, const QString &defaultText = {},
                 QWidget *owner = nullptr);
