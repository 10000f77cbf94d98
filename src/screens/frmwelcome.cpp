#include "frmwelcome.h"

#include "platform/twips.h"

#include <QPushButton>

namespace {

QPushButton *button(QWidget *parent, const char *name, const QString &caption, int top)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(Twips::rect(120, top, 2535, 375));
    return b;
}

} // namespace

frmWelcome::frmWelcome()
    : Command1(button(this, "Command1", QStringLiteral("Get Started"), 120))
    , Command2(button(this, "Command2", QStringLiteral("Journal"), 600))
    , Command3(button(this, "Command3", QStringLiteral("Bookshelf"), 1080))
    , Command5(button(this, "Command5", QStringLiteral("Generator Editor"), 1560))
    , Command6(button(this, "Command6", QStringLiteral("Support"), 2040))
{
    setObjectName(QStringLiteral("frmWelcome"));
    setWindowTitle(QStringLiteral("Welcome..."));
    setFrame(Frame::FixedToolWindow, QSize(2700, 2475), true);

    connect(Command1, &QPushButton::clicked, this, &frmWelcome::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmWelcome::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmWelcome::Command3_Click);
    connect(Command5, &QPushButton::clicked, this, &frmWelcome::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &frmWelcome::Command6_Click);
}

// Runs only when the window closes: the instance itself lives until the
// program ends, and nothing more is shown then.
void frmWelcome::Form_Unload()
{
    Q_EMIT unloaded();
}

void frmWelcome::Command1_Click()
{
    close();
    Q_EMIT keyboardShortcutsChosen();
}

void frmWelcome::Command2_Click()
{
    close();
    Q_EMIT journalChosen();
}

void frmWelcome::Command3_Click()
{
    close();
    Q_EMIT bookshelfChosen();
}

void frmWelcome::Command5_Click()
{
    close();
    Q_EMIT generatorEditorChosen();
}

void frmWelcome::Command6_Click()
{
    close();
    Q_EMIT supportChosen(SupportAddress);
}
