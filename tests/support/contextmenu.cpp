#include "contextmenu.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTextEdit>
#include <QTimer>

QStringList chooseFromContextMenu(QTextEdit &edit, int position, const QString &item)
{
    QTextCursor cursor(edit.document());
    cursor.setPosition(position + 1);
    const QPoint at = edit.cursorRect(cursor).center();
    QStringList items;
    // The menu runs its own event loop; this looks into it once it shows.
    QTimer::singleShot(0, &edit, [&items, item] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction *action : menu->actions()) {
            items.append(action->text());
            if (!item.isEmpty() && action->text() == item)
                action->trigger();
        }
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, edit.viewport()->mapToGlobal(at));
    QApplication::sendEvent(edit.viewport(), &event);
    return items;
}
