#pragma once

#include "journalpassword.h"
#include "journalstore.h"
#include "platform/commondialog.h"
#include "platform/form.h"
#include "platform/richtextbox.h"

class FileListBox;
class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
struct Services;

// The journal: the entries of the program folder in a list, the title and
// text of the current entry beside it. "Add" saves the entry, optionally
// scrambled; a press or key release in the list loads one, a double-click
// deletes it. An optional password guards the opening.
class frmJournal : public Form
{
    Q_OBJECT
public:
    explicit frmJournal(const Services &services);

    // Underlines misspelt words in the entry's text.
    void setSpellChecker(SpellChecker &checker) { RTB->setSpellChecker(checker); }

protected:
    void resetControls() override;
    void Form_Load() override;
    void Form_Unload() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void cmdAdd_Click();
    void File1_MouseDown(const QPoint &position);
    void File1_KeyUp();
    void File1_DblClick();
    void Command6_Click();
    void Command8_Click();
    void About_Click();
    void Timer1_Timer();

    void loadSelectedEntry();
    int selectedIndex() const;
    void toggle(RichTextBox::Style (RichTextBox::*get)() const, void (RichTextBox::*set)(bool));

    Dialogs &m_dialogs;
    JournalStore m_store;
    JournalPassword m_password;
    CommonDialog CDL1;

    FileListBox *File1;
    QLabel *Label1;
    QLineEdit *Text1;
    RichTextBox *RTB;
    QPushButton *Command8;
    QPushButton *Command1;
    QPushButton *Command2;
    QPushButton *Command3;
    QPushButton *Command4;
    QPushButton *Command6;
    QPushButton *Command5;
    QPushButton *cmdAdd;
    QTimer *Timer1;
    QAction *About;
    QAction *Exit;
};
