#include "journalstore.h"

#include "platform/clock.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

namespace {

const QString Extension = QStringLiteral(".entry");

// The longest file name the folder's file system takes, in bytes.
qsizetype longestName(const QString &folder)
{
    const long max = ::pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
    return max > 0 ? qsizetype(max) : 255;
}

} // namespace

JournalStore::JournalStore(QString folder, const Clock &clock)
    : m_folder(std::move(folder))
    , m_clock(clock)
{
}

QString JournalStore::dateText() const
{
    QString date = m_clock.shortDate(m_clock.now().date());
    date.replace(u'/', u'-');
    return date;
}

QString JournalStore::entryName(const QString &title) const
{
    return title + u' ' + dateText() + Extension;
}

QString JournalStore::entryPath(const QString &name) const
{
    return QDir(m_folder).filePath(name);
}

QString JournalStore::shownTitle(const QString &name)
{
    QString title = name;
    title.remove(Extension, Qt::CaseSensitive);
    return title;
}

QString JournalStore::titleProblem(const QString &title) const
{
    if (title.contains(u'/') || title.contains(u'\\'))
        return QStringLiteral("A title cannot hold \"/\" or \"\\\": the entry would be written into another folder.");
    for (const QChar c : title) {
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("A title cannot hold a line break, a tab or another control character.");
    }
    const qsizetype bytes = QFile::encodeName(entryName(title)).size();
    const qsizetype longest = longestName(m_folder);
    if (bytes > longest)
        return QStringLiteral("The title is too long: with the date the file name takes %1 bytes, and the "
                              "file system allows %2.")
            .arg(bytes)
            .arg(longest);
    return QString();
}

QString JournalStore::remove(const QString &name) const
{
    QFile file(entryPath(name));
    if (file.remove())
        return QString();
    QString reason = file.errorString();
    if (!reason.isEmpty())
        reason[0] = reason[0].toUpper();
    return reason + u'.';
}
