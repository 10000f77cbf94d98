#pragma once

#include "platform/form.h"

class QListWidget;

// The keyboard-shortcut list: a fixed list of the program's shortcut keys
// that stays above the other windows. Choosing an entry runs nothing.
class frmKey : public Form
{
    Q_OBJECT
public:
    frmKey();

protected:
    void resetControls() override;

private:
    QListWidget *List1;
};
