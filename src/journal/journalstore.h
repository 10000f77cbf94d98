#pragma once

#include <QString>

class Clock;

// The journal's entries: one file per entry in the program folder, named
// after the entry's title and the day it was saved.
class JournalStore
{
public:
    static inline const QString Pattern = QStringLiteral("*.entry");

    JournalStore(QString folder, const Clock &clock);

    QString folder() const { return m_folder; }

    // Today's date as it stands in entry names: the user's short date with
    // every "/" turned into "-", since "/" cannot stand in a file name.
    QString dateText() const;
    // "<title> <date>.entry", the title taken as typed.
    QString entryName(const QString &title) const;
    QString entryPath(const QString &name) const;
    // The name with every ".entry" removed, which keeps the date.
    static QString shownTitle(const QString &name);

    // Why a title cannot be saved under, or "" when it can: a name that puts
    // the entry in another folder or that the file system refuses.
    QString titleProblem(const QString &title) const;

    // Deletes an entry file; the reason of a failure, or "".
    QString remove(const QString &name) const;

private:
    QString m_folder;
    const Clock &m_clock;
};
