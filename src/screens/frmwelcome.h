#pragma once

#include "platform/form.h"

class QPushButton;

// The welcome screen: five buttons, each of which closes the screen and opens
// one of the program's windows. Closing it in any way asks for the
// keyboard-shortcut list (unloaded); a button then asks for its own window,
// which so stands in front of that list. The windows themselves belong to
// whoever connects these signals.
class frmWelcome : public Form
{
    Q_OBJECT
public:
    // Where "Support" leads: the maker's site.
    static inline const QString SupportAddress = QStringLiteral("www.oberwick.example");

    frmWelcome();

Q_SIGNALS:
    void unloaded();
    void keyboardShortcutsChosen();
    void journalChosen();
    void bookshelfChosen();
    void generatorEditorChosen();
    void supportChosen(const QString &address);

protected:
    void Form_Unload() override;

private:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command5_Click();
    void Command6_Click();

    QPushButton *Command1;
    QPushButton *Command2;
    QPushButton *Command3;
    QPushButton *Command5;
    QPushButton *Command6;
};
