#include "documentfile.h"

#include "plaintext.h"

#include <QFile>
#include <QFileInfo>
#include <QTextDocument>

namespace DocumentFile {

ReadResult read(const QString &path, Format format, QTextDocument &document)
{
    Q_UNUSED(format)
    if (QFileInfo(path).isDir())
        return {QStringLiteral("It is a folder, not a file."), false};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {describeError(file.errorString()), false};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {describeError(file.errorString()), false};
    document.setPlainText(PlainText::toLfLineEnds(PlainText::decode(bytes)));
    return {};
}

QString describeError(const QString &reason)
{
    QString sentence = reason;
    if (!sentence.isEmpty())
        sentence[0] = sentence[0].toUpper();
    if (!sentence.endsWith(u'.'))
        sentence += u'.';
    return sentence;
}

} // namespace DocumentFile
