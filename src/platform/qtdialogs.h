#pragma once

#include "dialogs.h"

#include <QPointer>
#include <QStringList>

#include <memory>

class QDialog;

// The dialogs the user sees: Qt's message, input, file, font, colour and
// print dialogs, each modal over the window that asked and above every
// window, the ones that stay on top included.
class QtDialogs final : public Dialogs
{
public:
    QtDialogs();
    ~QtDialogs() override;

    MsgBoxResult messageBox(const MessageBoxRequest &request) override;
    std::optional<QString> inputBox(const InputBoxRequest &request) override;
    std::optional<FileDialogAnswer> fileDialog(const FileDialogRequest &request) override;
    std::optional<FontValues> fontDialog(const FontDialogRequest &request) override;
    std::optional<quint32> colorDialog(const ColorDialogRequest &request) override;
    bool printDialog(const PrintDialogRequest &request, QPrinter &printer) override;

    // Qt's name filters for a "Description|pattern|..." filter string.
    static QStringList nameFilters(const QString &filter);

    // The window a dialog opens over: the asking window's own window; failing
    // that the active window, or the window the user worked in last (for a
    // moment after a dialog closes no window is active), or any open window.
    QWidget *ownerFor(QWidget *asking) const;

private:
    // Opens the dialog over its owner and keeps it above windows that stay on
    // top, where a box would otherwise hide while its owner waits for it.
    static int execAbove(QDialog &dialog);

    std::unique_ptr<QObject> m_watch; // context of the focus connection
    QPointer<QWidget> m_lastWorkWindow;
};
