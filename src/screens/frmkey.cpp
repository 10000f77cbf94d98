#include "frmkey.h"

#include "platform/twips.h"

#include <QListWidget>

namespace {

// Undo and redo are the editor's own keys, not menu keys, but writers look
// for them here too.
constexpr const char16_t *Shortcuts[] = {
    u"New Window - Ctrl + N", u"Open File - Ctrl + O", u"Save - Ctrl + S",       u"Print - Ctrl + P",
    u"Cut - Ctrl + X",        u"Copy - Ctrl + C",      u"Paste - Ctrl + V",      u"Find - Ctrl + F",
    u"Select All - Ctrl + A", u"Bold - Ctrl + B",      u"Italics - Ctrl + I",    u"Underline - Ctrl + U",
    u"Undo - Ctrl + Z",       u"Redo - Ctrl + Y",
};

} // namespace

frmKey::frmKey()
    : List1(new QListWidget(this))
{
    setObjectName(QStringLiteral("frmKey"));
    setWindowTitle(QStringLiteral("Keyboard Shortcuts"));
    List1->setObjectName(QStringLiteral("List1"));
    setFrame(Frame::FixedToolWindow, QSize(2130, 2835), true);

    // The design size fits the entries in the small system font of old; with
    // today's larger fonts the list and the window grow until every entry
    // shows whole, without scroll bars, and stay fixed at that size.
    resetControls();
    List1->ensurePolished();
    const int frame = 2 * List1->frameWidth();
    const QSize fitted(List1->sizeHintForColumn(0) + frame, List1->count() * List1->sizeHintForRow(0) + frame);
    const QRect design = Twips::rect(0, 0, 2055, 2790);
    List1->setGeometry(QRect(design.topLeft(), design.size().expandedTo(fitted)));
    setFixedSize(size() + (List1->size() - design.size()));
}

void frmKey::resetControls()
{
    List1->clear();
    for (const char16_t *entry : Shortcuts)
        List1->addItem(QString::fromUtf16(entry));
}
