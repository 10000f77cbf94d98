#include "recoveryfolder.h"

#include "formats/documentfile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

constexpr int MostTitleLength = 40;

// The name a writer knows the document by: its file's name, or else the
// first words of its text.
QString titleOf(const QString &caption, const QString &text)
{
    QString title = caption.trimmed().startsWith(u"Document") || caption.trimmed().isEmpty()
                        ? text.simplified()
                        : QFileInfo(caption).completeBaseName();
    // What no file system takes in a name.
    static const QRegularExpression unsafe(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f]"));
    title.replace(unsafe, QStringLiteral(" "));
    title = title.simplified();
    if (title.size() > MostTitleLength) {
        const int cut = title.lastIndexOf(u' ', MostTitleLength);
        title.truncate(cut > 0 ? cut : MostTitleLength);
    }
    while (title.endsWith(u'.'))
        title.chop(1);
    return title.isEmpty() ? QStringLiteral("Untitled") : title;
}

} // namespace

RecoveryFolder::RecoveryFolder(QString path)
    : m_path(std::move(path))
{
}

QString RecoveryFolder::newFile(const QDateTime &when, const QString &caption, const QString &text) const
{
    const QString stem =
        when.toString(QStringLiteral("yyyy-MM-dd HH-mm")) + u' ' + titleOf(caption, text.left(4 * MostTitleLength));
    const QDir folder(m_path);
    QString file = folder.filePath(stem + QStringLiteral(".rtf"));
    for (int n = 2; QFileInfo::exists(file); ++n)
        file = folder.filePath(QStringLiteral("%1 (%2).rtf").arg(stem).arg(n));
    return file;
}

QString RecoveryFolder::write(const QString &file, const QTextDocument &document) const
{
    if (!QDir().mkpath(m_path))
        return QStringLiteral("The folder could not be made.");
    return DocumentFile::write(file, document);
}

void RecoveryFolder::prune(const QDateTime &now) const
{
    const QDateTime oldest = now.addDays(-KeepDays);
    const QDir folder(m_path);
    for (const QFileInfo &file : folder.entryInfoList({QStringLiteral("*.rtf")}, QDir::Files)) {
        if (file.lastModified() < oldest)
            QFile::remove(file.filePath());
    }
}
