#pragma once

#include "dialogs.h"

#include <QStringList>

// The dialogs the user sees: Qt's message, input, file, font, colour and
// print dialogs, each modal over the window that is active when it opens.
class QtDialogs final : public Dialogs
{
public:
    MsgBoxResult messageBox(const MessageBoxRequest &request) override;
    std::optional<QString> inputBox(const InputBoxRequest &request) override;
    std::optional<FileDialogAnswer> fileDialog(const FileDialogRequest &request) override;
    std::optional<FontValues> fontDialog(const FontDialogRequest &request) override;
    std::optional<quint32> colorDialog(const ColorDialogRequest &request) override;
    bool printDialog(const PrintDialogRequest &request, QPrinter &printer) override;

    // Qt's name filters for a "Description|pattern|..." filter string.
    static QStringList nameFilters(const QString &filter);
};
