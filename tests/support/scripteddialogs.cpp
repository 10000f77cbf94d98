#include "scripteddialogs.h"

#include <QPrinter>

namespace {

template<typename T>
std::optional<T> take(QList<std::optional<T>> &queue, QStringList &unexpected, const QString &what)
{
    if (queue.isEmpty()) {
        unexpected.append(what);
        return std::nullopt;
    }
    return queue.takeFirst();
}

} // namespace

QStringList ScriptedDialogs::messageTexts() const
{
    QStringList texts;
    for (const MessageBoxRequest &m : messages)
        texts.append(m.text);
    return texts;
}

MsgBoxResult ScriptedDialogs::messageBox(const MessageBoxRequest &request)
{
    messages.append(request);
    if (!messageAnswers.isEmpty())
        return messageAnswers.takeFirst();
    if (request.buttons == MsgBoxButtons::OkOnly)
        return MsgBoxResult::Ok;
    unexpected.append(u"message box: " + request.text);
    return MsgBoxResult::Cancel;
}

std::optional<QString> ScriptedDialogs::inputBox(const InputBoxRequest &request)
{
    inputs.append(request);
    return take(inputAnswers, unexpected, u"input box: " + request.prompt);
}

std::optional<FileDialogAnswer> ScriptedDialogs::fileDialog(const FileDialogRequest &request)
{
    files.append(request);
    const std::optional<QString> path = take(fileAnswers, unexpected, u"file dialog: " + request.title);
    if (!path)
        return std::nullopt;
    return FileDialogAnswer{*path, request.filterIndex};
}

std::optional<FontValues> ScriptedDialogs::fontDialog(const FontDialogRequest &request)
{
    fonts.append(request);
    return take(fontAnswers, unexpected, QStringLiteral("font dialog"));
}

std::optional<quint32> ScriptedDialogs::colorDialog(const ColorDialogRequest &request)
{
    colors.append(request);
    return take(colorAnswers, unexpected, QStringLiteral("colour dialog"));
}

bool ScriptedDialogs::printDialog(const PrintDialogRequest &request, QPrinter &printer)
{
    prints.append(request);
    if (printAnswers.isEmpty()) {
        unexpected.append(QStringLiteral("print dialog"));
        return false;
    }
    const bool accepted = printAnswers.takeFirst();
    if (accepted && !printFiles.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printFiles.takeFirst());
    }
    return accepted;
}
