#pragma once

#include <QString>

#include <optional>

class QPrinter;
class QWidget;

// Every modal question the program asks goes through one Dialogs object: the
// program shows Qt's dialogs (QtDialogs), tests script the answers.
//
// Every request names the window that asks (`owner`); the dialog opens over
// it. Without one it opens over the window the user is working in.

enum class MsgBoxButtons { OkOnly = 0, OkCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4, RetryCancel = 5 };
enum class MsgBoxIcon { None = 0, Critical = 16, Question = 32, Exclamation = 48, Information = 64 };
enum class MsgBoxResult { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct MessageBoxRequest
{
    QString text;
    QString title;
    MsgBoxButtons buttons = MsgBoxButtons::OkOnly;
    MsgBoxIcon icon = MsgBoxIcon::None;
    QWidget *owner = nullptr;
};

struct InputBoxRequest
{
    QString prompt;
    QString title;
    QString defaultText;
    QWidget *owner = nullptr;
};

struct FileDialogRequest
{
    enum class Kind { Open, Save };
    Kind kind = Kind::Open;
    QString title;
    // Pairs of description and pattern, all separated by "|".
    QString filter;
    int filterIndex = 1; // 1-based
    QString fileName;    // the name the dialog starts with; a full path also picks the folder
    int flags = 0;
    QString initialDirectory; // where the dialog starts when fileName names no folder
    QWidget *owner = nullptr;
};

struct FileDialogAnswer
{
    QString fileName; // full path
    int filterIndex = 1;
};

struct FontValues
{
    QString name;
    double size = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethru = false;
    quint32 color = 0; // 0x00BBGGRR

    friend bool operator==(const FontValues &, const FontValues &) = default;
};

struct FontDialogRequest
{
    FontValues values;
    int flags = 0;
    QWidget *owner = nullptr;
};

struct ColorDialogRequest
{
    quint32 color = 0; // 0x00BBGGRR
    int flags = 0;
    QWidget *owner = nullptr;
};

struct PrintDialogRequest
{
    QString title;
    int flags = 0;
    QWidget *owner = nullptr;
};

class Dialogs
{
public:
    virtual ~Dialogs();

    virtual MsgBoxResult messageBox(const MessageBoxRequest &request) = 0;
    // No value when the user cancelled.
    virtual std::optional<QString> inputBox(const InputBoxRequest &request) = 0;
    virtual std::optional<FileDialogAnswer> fileDialog(const FileDialogRequest &request) = 0;
    virtual std::optional<FontValues> fontDialog(const FontDialogRequest &request) = 0;
    virtual std::optional<quint32> colorDialog(const ColorDialogRequest &request) = 0;
    // Sets up the printer from the user's choices; false when cancelled.
    virtual bool printDialog(const PrintDialogRequest &request, QPrinter &printer) = 0;
};
