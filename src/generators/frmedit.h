#pragma once

#include "platform/commondialog.h"
#include "platform/form.h"

class Dialogs;
class FileListBox;
class QLabel;
class QPushButton;
class RichTextBox;

// The generator editor: opens an idea file from the program folder as plain
// text and writes the text back under a name the user chooses.
class frmEdit : public Form
{
    Q_OBJECT
public:
    frmEdit(const QString &programDirectory, Dialogs &dialogs);

    QString EditFilePath() const { return m_editFilePath; }

protected:
    void resetControls() override;
    void Form_Load() override;

private:
    void File1_DblClick();
    void Command1_Click();
    void Command3_Click();

    const QString m_programDirectory;
    Dialogs &m_dialogs;
    CommonDialog CommonDialog1;
    QString m_editFilePath;

    FileListBox *File1;
    RichTextBox *RichTextBox1;
    QLabel *Label1;
    QPushButton *Command3;
    QPushButton *Command2;
    QPushButton *Command1;
};
