#pragma once

#include "platform/dialogs.h"

#include <QList>
#include <QStringList>

// The answers a test has queued for the program's dialogs, one queue per
// kind of dialog, and a record of every dialog the program asked for.
//
// A message box with only an OK button needs no queued answer. Any other
// dialog without one is recorded in `unexpected` and answered as cancelled,
// so no test ever waits on a dialog.
class ScriptedDialogs final : public Dialogs
{
public:
    QList<MsgBoxResult> messageAnswers;
    QList<std::optional<QString>> inputAnswers;
    QList<std::optional<QString>> fileAnswers; // full paths; no value cancels
    QList<std::optional<FontValues>> fontAnswers;
    QList<std::optional<quint32>> colorAnswers;
    QList<bool> printAnswers;
    // PDF files that accepted print dialogs print to, one each, in turn.
    QStringList printFiles;

    QList<MessageBoxRequest> messages;
    QList<InputBoxRequest> inputs;
    QList<FileDialogRequest> files;
    QList<FontDialogRequest> fonts;
    QList<ColorDialogRequest> colors;
    QList<PrintDialogRequest> prints;
    QStringList unexpected;

    // The texts of the message boxes shown so far.
    QStringList messageTexts() const;

    MsgBoxResult messageBox(const MessageBoxRequest &request) override;
    std::optional<QString> inputBox(const InputBoxRequest &request) override;
    std::optional<FileDialogAnswer> fileDialog(const FileDialogRequest &request) override;
    std::optional<FontValues> fontDialog(const FontDialogRequest &request) override;
    std::optional<quint32> colorDialog(const ColorDialogRequest &request) override;
    bool printDialog(const PrintDialogRequest &request, QPrinter &printer) override;
};
