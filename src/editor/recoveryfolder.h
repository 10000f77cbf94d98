#pragma once

#include <QString>

class QDateTime;
class QTextDocument;

// The folder of recovery copies: documents with unsaved changes, written
// as RTF under names a person can pick theirs out by, the time of writing
// and the document's name or first words ("2026-12-08 21-14 The ferry
// chapter.rtf").
class RecoveryFolder
{
public:
    // Copies older than this are removed at Exit.
    static constexpr int KeepDays = 30;

    explicit RecoveryFolder(QString path);

    const QString &path() const { return m_path; }
    // A name for a new copy that no file in the folder has yet. The caption
    // names the document when it is a file's path.
    QString newFile(const QDateTime &when, const QString &caption, const QString &text) const;
    // Writes the document to the file as Save does, making the folder if
    // need be; the reason of a failure, or "".
    QString write(const QString &file, const QTextDocument &document) const;
    // Removes the copies last written more than KeepDays before now.
    void prune(const QDateTime &now) const;

private:
    QString m_path;
};
