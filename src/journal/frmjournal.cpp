#include "frmjournal.h"

#include "scrambling.h"
#include "platform/filelistbox.h"
#include "platform/messagebox.h"
#include "platform/services.h"
#include "platform/twips.h"

#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

frmJournal::frmJournal(const Services &services)
    : m_dialogs(services.dialogs)
    , m_store(services.programDirectory, services.clock)
    , m_password(services.settings)
    , CDL1(services.dialogs)
{
    setObjectName(QStringLiteral("frmJournal"));
    setWindowIcon(QIcon(QStringLiteral(":/images/journal.png")));
    auto *menuBar = new QMenuBar(this);
    QMenu *File = menuBar->addMenu(QStringLiteral("File"));
    File->setObjectName(QStringLiteral("File"));
    About = File->addAction(QStringLiteral("About"));
    About->setObjectName(QStringLiteral("About"));
    Exit = File->addAction(QStringLiteral("Exit"));
    Exit->setObjectName(QStringLiteral("Exit"));

    // The controls are placed in twips within the client area below the menu.
    auto *client = new QWidget(this);
    client->setFixedSize(Twips::size(8175, 3210));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar);
    layout->addWidget(client);

    File1 = new FileListBox(client);
    Label1 = new QLabel(client); // beneath the title box, as designed
    Text1 = new QLineEdit(client);
    RTB = new RichTextBox(client);
    Command8 = new QPushButton(QStringLiteral("Security"), client);
    Command1 = new QPushButton(QStringLiteral("B"), client);
    Command2 = new QPushButton(QStringLiteral("I"), client);
    Command3 = new QPushButton(QStringLiteral("U"), client);
    Command4 = new QPushButton(QStringLiteral("S"), client);
    Command6 = new QPushButton(QStringLiteral("Font"), client);
    Command5 = new QPushButton(QStringLiteral("Exit"), client);
    cmdAdd = new QPushButton(QStringLiteral("Add"), client);
    Timer1 = new QTimer(this);

    const std::pair<QWidget *, QRect> places[] = {
        {File1, Twips::rect(120, 120, 3255, 2625)},    {Text1, Twips::rect(3480, 120, 4575, 285)},
        {Label1, Twips::rect(5280, 120, 1215, 255)},   {RTB, Twips::rect(3480, 480, 4575, 2295)},
        {Command8, Twips::rect(120, 2880, 855, 255)},  {Command1, Twips::rect(3480, 2880, 255, 255)},
        {Command2, Twips::rect(3720, 2880, 255, 255)}, {Command3, Twips::rect(3960, 2880, 255, 255)},
        {Command4, Twips::rect(4200, 2880, 255, 255)}, {Command6, Twips::rect(4440, 2880, 1095, 255)},
        {Command5, Twips::rect(6000, 2880, 1095, 255)}, {cmdAdd, Twips::rect(7080, 2880, 975, 255)},
    };
    for (const auto &[control, place] : places)
        control->setGeometry(place);
    const std::pair<QObject *, const char16_t *> names[] = {
        {File1, u"File1"},       {Label1, u"Label1"},     {Text1, u"Text1"},       {RTB, u"RTB"},
        {Command8, u"Command8"}, {Command1, u"Command1"}, {Command2, u"Command2"}, {Command3, u"Command3"},
        {Command4, u"Command4"}, {Command6, u"Command6"}, {Command5, u"Command5"}, {cmdAdd, u"cmdAdd"},
        {Timer1, u"Timer1"},
    };
    for (const auto &[object, name] : names)
        object->setObjectName(QString::fromUtf16(name));

    QFont buttonFont(QStringLiteral("Arial"));
    buttonFont.setPointSizeF(8.25);
    for (QPushButton *button : {Command8, Command1, Command2, Command3, Command4, Command6, Command5, cmdAdd})
        button->setFont(buttonFont);
    QWidget *const tabOrder[] = {Text1,    RTB,      cmdAdd,   File1,    Command1, Command2,
                                 Command3, Command4, Command8, Command5, Command6};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    File1->setPattern(JournalStore::Pattern);
    // The timer reads the folder again and keeps the selected place in the
    // list, not the selected name, so the list must not move on its own.
    File1->setFollowsFolder(false);
    Timer1->setInterval(100);
    setFrame(Frame::FixedDialog, QSize(8175, 3210 + menuBar->sizeHint().height() * Twips::PerPixel), false);

    File1->installEventFilter(this);
    File1->viewport()->installEventFilter(this);
    connect(File1, &FileListBox::DblClick, this, &frmJournal::File1_DblClick);
    connect(cmdAdd, &QPushButton::clicked, this, &frmJournal::cmdAdd_Click);
    connect(Command1, &QPushButton::clicked, this,
            [this] { toggle(&RichTextBox::SelBold, &RichTextBox::setSelBold); });
    connect(Command2, &QPushButton::clicked, this,
            [this] { toggle(&RichTextBox::SelItalic, &RichTextBox::setSelItalic); });
    connect(Command3, &QPushButton::clicked, this,
            [this] { toggle(&RichTextBox::SelUnderline, &RichTextBox::setSelUnderline); });
    connect(Command4, &QPushButton::clicked, this,
            [this] { toggle(&RichTextBox::SelStrikeThru, &RichTextBox::setSelStrikeThru); });
    connect(Command6, &QPushButton::clicked, this, &frmJournal::Command6_Click);
    connect(Command8, &QPushButton::clicked, this, &frmJournal::Command8_Click);
    connect(Command5, &QPushButton::clicked, this, &QWidget::close);
    connect(Exit, &QAction::triggered, this, &QWidget::close);
    connect(About, &QAction::triggered, this, &frmJournal::About_Click);
    connect(Timer1, &QTimer::timeout, this, &frmJournal::Timer1_Timer);
    connect(RTB, &RichTextBox::wordNotAdded, this, [this](const QString &problem) {
        MsgBox(m_dialogs, problem, MsgBoxButtons::OkOnly, MsgBoxIcon::Exclamation);
    });
}

void frmJournal::resetControls()
{
    setWindowTitle(QStringLiteral("Your Journal"));
    File1->clear();
    Text1->setText(QStringLiteral("Title"));
    Label1->setText(QStringLiteral("99/99/9999"));
    RTB->setText(QString());
    RTB->document()->clearUndoRedoStacks();
}

void frmJournal::Form_Load()
{
    if (m_password.isSet()) {
        const QString answer = InputBox(m_dialogs, QStringLiteral("Password?"), QStringLiteral("Password?"));
        const JournalPassword::Check check = m_password.check(answer);
        if (!check.right) {
            // Only the journal stays shut; the documents the user is
            // working on are none of its business.
            MsgBox(m_dialogs, QStringLiteral("Wrong.."));
            cancelLoad();
            return;
        }
        if (!check.storeError.isEmpty())
            MsgBox(m_dialogs,
                   QStringLiteral("Quillmere could not store the journal password in its protected form.\n\n%1")
                       .arg(check.storeError),
                   MsgBoxButtons::OkOnly, MsgBoxIcon::Exclamation);
    }
    const QString unreadable = File1->setPath(m_store.folder());
    if (!unreadable.isEmpty())
        MsgBox(m_dialogs, unreadable, MsgBoxButtons::OkOnly, MsgBoxIcon::Exclamation);
    Label1->setText(m_store.dateText());
    Timer1->start();
    Text1->setFocus();
}

void frmJournal::Form_Unload()
{
    Timer1->stop();
}

bool frmJournal::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == File1->viewport() && event->type() == QEvent::MouseButtonPress)
        File1_MouseDown(static_cast<QMouseEvent *>(event)->position().toPoint());
    else if (watched == File1 && event->type() == QEvent::KeyRelease)
        File1_KeyUp();
    return Form::eventFilter(watched, event);
}

void frmJournal::cmdAdd_Click()
{
    const QString title = Text1->text();
    const QString problem = m_store.titleProblem(title);
    if (!problem.isEmpty()) {
        MsgBox(m_dialogs, QStringLiteral("The entry was not saved.\n\n%1").arg(problem), MsgBoxButtons::OkOnly,
               MsgBoxIcon::Exclamation);
        return;
    }
    const MsgBoxResult encrypt =
        MsgBox(m_dialogs, QStringLiteral("Encrypt? (Encrypting Removes Formating)"), MsgBoxButtons::YesNo);
    const QString path = m_store.entryPath(m_store.entryName(title));
    FileResult saved;
    if (encrypt == MsgBoxResult::Yes) {
        // Scrambling works on plain text, so the formatting goes; the user
        // gets back the very text that was scrambled, saved or not.
        const QString plain = RTB->Text();
        RTB->setText(ScrambleText(plain));
        saved = RTB->SaveFile(path);
        RTB->setText(plain);
    } else {
        saved = RTB->SaveFile(path);
    }
    if (!saved.ok())
        MsgBox(m_dialogs,
               QStringLiteral("Quillmere could not save the entry %1.\n\n%2").arg(nativePath(path), saved.error),
               MsgBoxButtons::OkOnly, MsgBoxIcon::Exclamation);
}

void frmJournal::File1_MouseDown(const QPoint &position)
{
    // The press reaches the filter before the list moves its selection, so
    // the entry under the pointer is selected here first.
    if (QListWidgetItem *item = File1->itemAt(position))
        File1->setCurrentItem(item);
    loadSelectedEntry();
}

void frmJournal::File1_KeyUp()
{
    loadSelectedEntry();
}

void frmJournal::loadSelectedEntry()
{
    // A step that cannot be done is left out, as when the file has vanished
    // since the last look at the folder.
    const QString name = File1->FileName();
    if (name.isEmpty())
        return;
    Text1->setText(JournalStore::shownTitle(name));
    if (!RTB->LoadFile(m_store.entryPath(name)).ok())
        return;
    const QString text = RTB->Text();
    const QString readable = UnscrambleText(text);
    if (readable != text)
        RTB->setText(readable);
}

void frmJournal::File1_DblClick()
{
    const QString name = File1->FileName();
    if (name.isEmpty())
        return;
    if (MsgBox(m_dialogs, QStringLiteral("Delete Entry?"), MsgBoxButtons::YesNo, MsgBoxIcon::None,
               QStringLiteral("Delete?!?!!"))
        != MsgBoxResult::Yes)
        return;
    const QString reason = m_store.remove(name);
    if (!reason.isEmpty())
        MsgBox(m_dialogs,
               QStringLiteral("Quillmere could not delete the entry %1.\n\n%2")
                   .arg(nativePath(m_store.entryPath(name)), reason),
               MsgBoxButtons::OkOnly, MsgBoxIcon::Exclamation);
}

void frmJournal::toggle(RichTextBox::Style (RichTextBox::*get)() const, void (RichTextBox::*set)(bool))
{
    // A selection that is only partly styled counts as unstyled.
    (RTB->*set)((RTB->*get)() != RichTextBox::Style::On);
    RTB->SetFocus();
}

void frmJournal::Command6_Click()
{
    CDL1.Flags = 259; // screen and printer fonts, with the effects
    CDL1.ShowFont();
    // A cancel leaves the values of the last use, which are copied again;
    // before any use there are none to copy.
    if (CDL1.FontName.isEmpty())
        return;
    RTB->setSelFontName(CDL1.FontName);
    RTB->setSelFontSize(CDL1.FontSize);
    RTB->setSelBold(CDL1.FontBold);
    RTB->setSelItalic(CDL1.FontItalic);
    RTB->setSelStrikeThru(CDL1.FontStrikethru);
    RTB->setSelUnderline(CDL1.FontUnderline);
    RTB->setSelColor(CDL1.Color);
}

void frmJournal::Command8_Click()
{
    const QString answer =
        InputBox(m_dialogs, QStringLiteral("Password? (Leave blank for none)"), QStringLiteral("Password?"));
    const QString reason = m_password.set(answer);
    if (!reason.isEmpty())
        MsgBox(m_dialogs, QStringLiteral("Quillmere could not store the journal password.\n\n%1").arg(reason),
               MsgBoxButtons::OkOnly, MsgBoxIcon::Exclamation);
}

void frmJournal::About_Click()
{
    MsgBox(m_dialogs, QStringLiteral("Thanks to Corvane for help with this"));
}

void frmJournal::Timer1_Timer()
{
    // Reading the folder again changes nothing on screen when nothing in it
    // changed; otherwise the same place in the list is selected again,
    // without loading it.
    const int index = selectedIndex();
    File1->Refresh();
    if (selectedIndex() != index && index < File1->count())
        File1->setCurrentRow(index);
}

int frmJournal::selectedIndex() const
{
    const QListWidgetItem *current = File1->currentItem();
    return current && current->isSelected() ? File1->currentRow() : -1;
}
