#include "mdimain.h"

#include "application.h"
#include "platform/dirlistbox.h"
#include "editor/documentwindows.h"
#include "platform/drivelistbox.h"
#include "editor/filecommands.h"
#include "platform/filelistbox.h"
#include "platform/form.h"
#include "generators/frmedit.h"
#include "generators/generatorcatalogue.h"
#include "generators/generatorwindow.h"
#include "platform/mdiarrange.h"
#include "menutree.h"
#include "platform/messagebox.h"
#include "platform/randomsource.h"
#include "platform/services.h"
#include "platform/toolbar.h"
#include "platform/twips.h"
#include "platform/volumes.h"
#include "screens/aboutmessage.h"
#include "screens/frmkey.h"
#include "screens/frmwelcome.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct ToolbarButton
{
    const char16_t *key;
    const char16_t *toolTip;
    const char16_t *image;
};

// Left to right.
constexpr ToolbarButton ToolbarButtons[] = {
    {u"New", u"New", u"new"},
    {u"Open", u"Open", u"open"},
    {u"Save", u"Save", u"save"},
    {u"Copy", u"Copy", u"copy"},
    {u"Cut", u"Cut", u"cut"},
    {u"Paste", u"Paste", u"paste"},
    {u"Print", u"Print", u"print"},
    {u"printp", u"Print Preview", u"printp"},
    {u"B", u"B", u"bold"},
    {u"I", u"I", u"italic"},
    {u"U", u"U", u"underline"},
    {u"Strikethru", u"", u"strikethru"},
    {u"Left", u"Left", u"left"},
    {u"Centre", u"Centre", u"centre"},
    {u"Right", u"Right", u"right"},
    {u"Justify", u"", u"justify"},
    {u"Clear", u"", u"clear"},
    {u"Find", u"", u"find"},
};

constexpr const char16_t *FontSizes[] = {u"6",  u"7",  u"8",  u"9",  u"10", u"11", u"12", u"14",
                                         u"16", u"18", u"20", u"24", u"28", u"32", u"36", u"40",
                                         u"48", u"56", u"64", u"72", u"80", u"88", u"96"};

template<typename T>
T *placed(T *control, const char *name, QRect twipsRect)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(twipsRect);
    return control;
}

} // namespace

mdiMain::mdiMain(Application &app, const Services &services)
    : m_app(app)
    , m_services(services)
    , CommonDialog1(services.dialogs)
{
    setObjectName(QStringLiteral("mdiMain"));
    setWindowTitle(QStringLiteral("Quillmere"));
    setWindowIcon(QIcon(QStringLiteral(":/images/quillmere.png")));
    buildMenus();
    buildToolbar();
    buildPanes();
    m_documents = std::make_unique<DocumentWindows>(*m_area, m_services.dialogs);
    m_fileCommands = std::make_unique<FileCommands>(*m_documents, CommonDialog1, m_services.dialogs);
    connectMenuItems();
    connectFilePane();
    resize(Twips::size(4680, 3090));
}

mdiMain::~mdiMain() = default;

void mdiMain::buildMenus()
{
    for (const MenuEntry &entry : MenuTree) {
        const QString name = QString::fromUtf16(entry.name);
        const QString caption = QString::fromUtf16(entry.caption);
        if (!entry.parent) {
            QMenu *menu = menuBar()->addMenu(caption);
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name);
            continue;
        }
        auto *parent = menuBar()->findChild<QMenu *>(QString::fromUtf16(entry.parent));
        QAction *item = caption == u"-" ? parent->addSeparator() : parent->addAction(caption);
        item->setObjectName(name);
        item->setCheckable(entry.checkable);
        if (entry.ctrlKey)
            item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(entry.ctrlKey)));
        // Menu keys belong to the main window and its document windows.
        item->setShortcutContext(Qt::WindowShortcut);
    }
}

QAction *mdiMain::menuItem(const QString &name) const
{
    return menuBar()->findChild<QAction *>(name);
}

void mdiMain::connectMenuItems()
{
    using Handler = void (mdiMain::*)();
    const std::pair<const char16_t *, Handler> handlers[] = {
        {u"New", &mdiMain::New_Click},
        {u"Open", &mdiMain::Open_Click},
        {u"Save", &mdiMain::Save_Click},
        {u"SaveAs", &mdiMain::SaveAs_Click},
        {u"Exit", &mdiMain::Exit_Click},
        {u"Generators", &mdiMain::Generators_Click},
        {u"Ruler", &mdiMain::Ruler_Click},
        {u"MainBar", &mdiMain::MainBar_Click},
        {u"Cascade", &mdiMain::Cascade_Click},
        {u"hori", &mdiMain::hori_Click},
        {u"Vertical", &mdiMain::Vertical_Click},
        {u"arrange", &mdiMain::arrange_Click},
        {u"gened", &mdiMain::gened_Click},
        {u"Welcome", &mdiMain::Welcome_Click},
        {u"keyshorta", &mdiMain::keyshorta_Click},
        {u"keyshort", &mdiMain::keyshort_Click},
        {u"About", &mdiMain::About_Click},
    };
    for (const auto &[name, handler] : handlers)
        connect(menuItem(QString::fromUtf16(name)), &QAction::triggered, this, handler);
}

void mdiMain::buildToolbar()
{
    Toolbar1 = new Toolbar;
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setFixedHeight(Twips::toPixels(390));
    for (const ToolbarButton &b : ToolbarButtons)
        Toolbar1->addButton(QString::fromUtf16(b.key), QString::fromUtf16(b.toolTip),
                            QIcon(u":/images/" + QString::fromUtf16(b.image) + u".png"));
    connect(Toolbar1, &Toolbar::ButtonClick, this, &mdiMain::Toolbar1_ButtonClick);

    Command52 = placed(new QPushButton(QStringLiteral("Font"), Toolbar1), "Command52", Twips::rect(6240, 0, 735, 375));
    Combo1 = placed(new QComboBox(Toolbar1), "Combo1", Twips::rect(7080, 0, 975, 315));
    Combo1->setEditable(true);
    for (const char16_t *size : FontSizes)
        Combo1->addItem(QString::fromUtf16(size));
    Combo1->setEditText(QStringLiteral("8"));
    Text1 = placed(new QComboBox(Toolbar1), "Text1", Twips::rect(8160, 0, 6135, 315));
    Text1->setEditable(true);
    Command1 = placed(new QPushButton(QStringLiteral("Visit"), Toolbar1), "Command1", Twips::rect(14280, 0, 975, 375));
    for (QWidget *control : {static_cast<QWidget *>(Command52), static_cast<QWidget *>(Command1)})
        control->setFocusPolicy(Qt::NoFocus);
}

void mdiMain::buildPanes()
{
    picRuler = new QLabel;
    picRuler->setObjectName(QStringLiteral("picRuler"));
    picRuler->setFixedHeight(Twips::toPixels(270));
    picRuler->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    picRuler->setPixmap(QPixmap(QStringLiteral(":/images/ruler.png")));

    picFileBar = new QWidget;
    picFileBar->setObjectName(QStringLiteral("picFileBar"));
    picFileBar->setFixedWidth(Twips::toPixels(2715));
    List1 = placed(new QListWidget(picFileBar), "List1", Twips::rect(120, 120, 2415, 3960));
    // Entries wider than the pane end in an ellipsis and show whole as a tip.
    List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    List1->setTextElideMode(Qt::ElideRight);
    for (const GeneratorEntry &entry : GeneratorCatalogue::Entries) {
        auto *item = new QListWidgetItem(QString::fromUtf16(entry.listEntry), List1);
        item->setToolTip(item->text());
    }
    connect(List1, &QListWidget::itemDoubleClicked, this, &mdiMain::List1_DblClick);
    Drive1 = placed(new DriveListBox(m_services.volumes, picFileBar), "Drive1", Twips::rect(120, 4320, 2415, 315));
    Dir1 = placed(new DirListBox(picFileBar), "Dir1", Twips::rect(120, 4800, 2415, 2115));
    File1 = placed(new FileListBox(picFileBar), "File1", Twips::rect(120, 7080, 2415, 2040));

    m_area = new QMdiArea;
    m_area->setObjectName(QStringLiteral("MDIClient"));
    m_area->setBackground(palette().brush(QPalette::Dark));
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    auto *central = new QWidget;
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(Toolbar1);
    column->addWidget(picRuler);
    auto *row = new QHBoxLayout;
    row->setSpacing(0);
    row->addWidget(picFileBar);
    row->addWidget(m_area, 1);
    column->addLayout(row, 1);
    setCentralWidget(central);
}

void mdiMain::MDIForm_Load()
{
    m_services.random.seedFromClock();
    m_documents->showFirstDocument();
    Show(m_app.welcome());
    for (const char16_t *item : {u"Generators", u"Ruler", u"MainBar"})
        menuItem(QString::fromUtf16(item))->setChecked(true);
}

void mdiMain::closeEvent(QCloseEvent *event)
{
    // Documents go with the frame, unsaved text included; the program's
    // other windows are not the frame's and stay open.
    m_area->closeAllSubWindows();
    QMainWindow::closeEvent(event);
}

void mdiMain::togglePane(QWidget *pane, const QString &item)
{
    const bool show = pane->isHidden();
    pane->setVisible(show);
    menuItem(item)->setChecked(show);
}

void mdiMain::New_Click()
{
    m_documents->NewDocument();
}

void mdiMain::Open_Click()
{
    m_fileCommands->Open();
}

// Writers press Ctrl+S: the menu's Save stores as the toolbar's does.
void mdiMain::Save_Click()
{
    m_fileCommands->Save();
}

void mdiMain::SaveAs_Click()
{
    m_fileCommands->SaveAs();
}

void mdiMain::Exit_Click()
{
    close();
}

void mdiMain::Generators_Click()
{
    togglePane(picFileBar, QStringLiteral("Generators"));
}

void mdiMain::Ruler_Click()
{
    togglePane(picRuler, QStringLiteral("Ruler"));
}

void mdiMain::MainBar_Click()
{
    togglePane(Toolbar1, QStringLiteral("MainBar"));
}

void mdiMain::Cascade_Click()
{
    Arrange(*m_area, MdiArrangement::Cascade);
}

void mdiMain::hori_Click()
{
    Arrange(*m_area, MdiArrangement::TileHorizontal);
}

void mdiMain::Vertical_Click()
{
    Arrange(*m_area, MdiArrangement::TileVertical);
}

void mdiMain::arrange_Click()
{
    Arrange(*m_area, MdiArrangement::ArrangeIcons);
}

void mdiMain::gened_Click()
{
    Show(m_app.generatorEditor());
}

void mdiMain::Welcome_Click()
{
    Show(m_app.welcome());
}

void mdiMain::keyshorta_Click()
{
    Show(m_app.keyboardShortcuts());
}

void mdiMain::keyshort_Click()
{
    Show(m_app.keyboardShortcuts());
}

void mdiMain::About_Click()
{
    AboutMessage(m_services.dialogs);
}

void mdiMain::List1_DblClick()
{
    // Every entry is compared; the entries differ, so at most one window opens.
    for (std::size_t i = 0; i < GeneratorCatalogue::Entries.size(); ++i) {
        const QListWidgetItem *selected = List1->currentItem();
        const QString text = selected && selected->isSelected() ? selected->text() : QString();
        if (text == QStringView(GeneratorCatalogue::Entries[i].listEntry))
            Show(m_app.generator(i));
    }
}

void mdiMain::Toolbar1_ButtonClick(const QString &key)
{
    if (key == u"New")
        New_Click();
    else if (key == u"Open")
        Open_Click();
    else if (key == u"Save")
        Save_Click();
}

void mdiMain::connectFilePane()
{
    connect(Drive1, &DriveListBox::Change, this, &mdiMain::Drive1_Change);
    connect(Dir1, &DirListBox::Change, this, &mdiMain::Dir1_Change);
    connect(File1, &FileListBox::DblClick, this, &mdiMain::File1_DblClick);
    Dir1->setPath(m_services.volumes.currentFolder()); // its Change fills the file list
}

void mdiMain::reportListError(const QString &reason)
{
    if (!reason.isEmpty())
        MsgBox(m_services.dialogs, reason, MsgBoxButtons::OkOnly, MsgBoxIcon::Exclamation);
}

void mdiMain::Drive1_Change()
{
    // A drive has no current folder of its own here: the program's current
    // folder when it lies on that drive, the drive's top folder otherwise.
    const QString drive = Drive1->Drive();
    const QString current = m_services.volumes.currentFolder();
    Dir1->setPath(m_services.volumes.rootOf(current) == drive ? current : drive);
}

void mdiMain::Dir1_Change()
{
    reportListError(File1->setPath(Dir1->Path()));
}

void mdiMain::File1_DblClick()
{
    const QString name = File1->FileName();
    if (!name.isEmpty())
        m_fileCommands->openInNewWindow(FileCommands::joinPath(File1->Path(), name));
}
