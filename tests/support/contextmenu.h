#pragma once

#include <QString>
#include <QStringList>

class QTextEdit;

// Opens the editor's context menu on the character after `position`, as a
// right-click there does, chooses the item whose text is `item` (none when
// it is ""), and returns the texts of all the menu's items.
QStringList chooseFromContextMenu(QTextEdit &edit, int position, const QString &item);
