#include "aboutmessage.h"

#include "platform/messagebox.h"

void AboutMessage(Dialogs &dialogs)
{
    MsgBox(dialogs,
           QStringLiteral("Quillmere " QUILLMERE_VERSION "\n"
                          "A writing aid for fiction writers: documents, idea generators and a private journal."),
           MsgBoxButtons::OkOnly, MsgBoxIcon::None, ProgramTitle);
}
