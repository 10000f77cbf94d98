#include "mdimain.h"

#include "application.h"
#include "platform/dirlistbox.h"
#include "editor/documentrecovery.h"
#include "editor/documentwindows.h"
#include "platform/drivelistbox.h"
#include "editor/filecommands.h"
#include "editor/frmdoc.h"
#include "platform/filelistbox.h"
#include "platform/form.h"
#include "generators/frmedit.h"
#include "generators/generatorcatalogue.h"
#include "generators/generatorwindow.h"
#include "journal/frmjournal.h"
#include "platform/mdiarrange.h"
#include "editor/printcommand.h"
#include "editor/textcommands.h"
#include "menutree.h"
#include "platform/messagebox.h"
#include "platform/randomsource.h"
#include "platform/richtextbox.h"
#include "platform/services.h"
#include "platform/toolbar.h"
#include "platform/twips.h"
#include "platform/volumes.h"
#include "search/frmfind.h"
#include "web/webaddresses.h"
#include "web/webwindows.h"
#include "screens/aboutmessage.h"
#include "screens/frmkey.h"
#include "screens/frmwelcome.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
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
    , CommonDialog1(services.dialogs, this)
    , CDL1(services.dialogs, this)
{
    setObjectName(QStringLiteral("mdiMain"));
    setWindowTitle(QStringLiteral("Quillmere"));
    setWindowIcon(QIcon(QStringLiteral(":/images/quillmere.png")));
    buildMenus();
    buildToolbar();
    buildPanes();
    m_documents = std::make_unique<DocumentWindows>(*m_area, m_services.dialogs, m_services.clock);
    m_documents->setSpellChecker(&m_app.spelling());
    m_fileCommands = std::make_unique<FileCommands>(*m_documents, CommonDialog1, m_services.dialogs);
    m_formatCommands = std::make_unique<FormatCommands>(*m_documents, CDL1, CommonDialog1);
    m_textCommands = std::make_unique<TextCommands>(*m_documents, m_services.clock);
    m_printCommand = std::make_unique<PrintCommand>(*m_documents, CommonDialog1);
    connectMenuItems();
    connectFilePane();
    connectEditingControls();
    placeRestored();
}

mdiMain::~mdiMain() = default;

void mdiMain::placeRestored()
{
    // Room for the whole toolbar strip, and under the ruler for the whole
    // left pane with a document beside it; both keep the pane's own margin.
    const int margin = Twips::toPixels(120);
    const int stripWidth = Toolbar1->childrenRect().right() + 1 + margin;
    const int paneHeight = picFileBar->childrenRect().bottom() + 1 + margin;
    const QSize wanted(qMax(stripWidth, picFileBar->width() + frmDoc::NormalSize.width()),
                       menuBar()->sizeHint().height() + Toolbar1->minimumHeight() + picRuler->minimumHeight()
                           + qMax(paneHeight, frmDoc::NormalSize.height()));
    // The frame is not known before the window is first shown; the style's
    // title bar and border stand in for it.
    const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
    const QSize frame(2 * border, style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this) + 2 * border);
    const QRect available = screen()->availableGeometry();
    const QSize client = wanted.boundedTo(available.size() - frame);
    QRect outer(QPoint(), client + frame);
    outer.moveCenter(available.center());
    resize(client);
    move(outer.topLeft());
}

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
        {u"Journal", &mdiMain::Journal_Click},
        {u"Find", &mdiMain::Find_Click},
        {u"Print", &mdiMain::Print_Click},
        {u"Cut", &mdiMain::Cut_Click},
        {u"Copy", &mdiMain::Copy_Click},
        {u"Paste", &mdiMain::Paste_Click},
        {u"SellectAll", &mdiMain::SellectAll_Click},
        {u"DateTime", &mdiMain::DateTime_Click},
        {u"bgc", &mdiMain::bgc_Click},
        {u"Bold", &mdiMain::Bold_Click},
        {u"Italic", &mdiMain::Italic_Click},
        {u"Underline", &mdiMain::Underline_Click},
        {u"Strikethru", &mdiMain::Strikethru_Click},
        {u"FontOpt", &mdiMain::FontOpt_Click},
        {u"FontCol", &mdiMain::FontCol_Click},
        {u"LowerCase", &mdiMain::LowerCase_Click},
        {u"Upper", &mdiMain::Upper_Click},
        {u"Bookshelf", &mdiMain::Bookshelf_Click},
        {u"Online", &mdiMain::Online_Click},
        {u"Fernhold", &mdiMain::Fernhold_Click},
        {u"Oberwick", &mdiMain::Oberwick_Click},
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
    // The link bar opens what is typed but keeps its list as it is.
    Text1->setInsertPolicy(QComboBox::NoInsert);
    for (const char16_t *address : WebAddresses::LinkBar)
        Text1->addItem(QString::fromUtf16(address));
    Text1->setEditText(QString::fromUtf16(WebAddresses::MainSite));
    connect(Text1, &QComboBox::activated, this, &mdiMain::Text1_Click);
    Command1 = placed(new QPushButton(QStringLiteral("Visit"), Toolbar1), "Command1", Twips::rect(14280, 0, 975, 375));
    connect(Command1, &QPushButton::clicked, this, &mdiMain::Command1_Click);
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
    m_documents->recovery().prune();
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

void mdiMain::Journal_Click()
{
    Show(m_app.journal());
}

void mdiMain::Find_Click()
{
    if (m_documents->requireActiveDocument())
        Show(m_app.find());
}

WebWindows *mdiMain::webWindows()
{
    WebWindows *web = m_app.web();
    if (!web)
        MsgBox(m_services.dialogs, m_app.webError(), MsgBoxButtons::OkOnly, MsgBoxIcon::Exclamation);
    return web;
}

void mdiMain::openLink(const QString &address)
{
    if (WebWindows *web = webWindows())
        web->openBrowser(address);
}

void mdiMain::showBookshelf()
{
    if (WebWindows *web = webWindows())
        web->showBookshelf();
}

void mdiMain::Bookshelf_Click()
{
    showBookshelf();
}

void mdiMain::Online_Click()
{
    openLink(QString::fromUtf16(WebAddresses::OnlineSupport));
}

void mdiMain::Fernhold_Click()
{
    openLink(QString::fromUtf16(WebAddresses::FernholdLink));
}

void mdiMain::Oberwick_Click()
{
    openLink(QString::fromUtf16(WebAddresses::OberwickLink));
}

void mdiMain::Text1_Click()
{
    openLink(Text1->currentText());
}

void mdiMain::Command1_Click()
{
    openLink(Text1->currentText());
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
    using Style = FormatCommands::Style;
    if (key == u"New")
        New_Click();
    else if (key == u"Open")
        Open_Click();
    else if (key == u"Save")
        Save_Click();
    else if (key == u"Find")
        Show(m_app.find());
    else if (key == u"Copy")
        Copy_Click();
    else if (key == u"Cut")
        Cut_Click();
    else if (key == u"Paste")
        Paste_Click();
    else if (key == u"Print")
        Print_Click();
    else if (key == u"B")
        toggleStyle(Style::Bold, QStringLiteral("Bold"), false);
    else if (key == u"I")
        toggleStyle(Style::Italic, QStringLiteral("Italic"), false);
    else if (key == u"U")
        toggleStyle(Style::Underline, QStringLiteral("Underline"), false);
    else if (key == u"Strikethru")
        toggleStyle(Style::Strikethru, QStringLiteral("Strikethru"), false);
    else if (key == u"Left")
        m_formatCommands->align(0);
    else if (key == u"Centre")
        m_formatCommands->align(2);
    else if (key == u"Right")
        m_formatCommands->align(1);
    else if (key == u"Clear")
        m_textCommands->Clear();
    // "printp" (Print Preview) and "Justify" have no action.
}

void mdiMain::connectEditingControls()
{
    connect(Command52, &QPushButton::clicked, this, &mdiMain::Command52_Click);
    // Only the listed sizes and what is typed count; no entry is completed
    // or added behind the writer's back.
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setCompleter(nullptr);
    connect(Combo1, &QComboBox::activated, this, &mdiMain::Combo1_Click);
    connect(Combo1->lineEdit(), &QLineEdit::returnPressed, this, &mdiMain::Combo1_Click);
}

void mdiMain::toggleStyle(FormatCommands::Style style, const QString &item, bool fromMenu)
{
    QAction *action = menuItem(item);
    const std::optional<bool> on = m_formatCommands->toggle(style, fromMenu);
    if (on)
        action->setChecked(*on);
    else if (fromMenu) // the menu turned its mark over on the click; nothing changed
        action->setChecked(!action->isChecked());
}

void mdiMain::Print_Click()
{
    m_printCommand->Print();
}

void mdiMain::Cut_Click()
{
    m_textCommands->Cut();
}

void mdiMain::Copy_Click()
{
    m_textCommands->Copy();
}

void mdiMain::Paste_Click()
{
    m_textCommands->Paste();
}

void mdiMain::SellectAll_Click()
{
    m_textCommands->SelectAll();
}

void mdiMain::DateTime_Click()
{
    m_textCommands->DateTime();
}

void mdiMain::bgc_Click()
{
    m_formatCommands->BackgroundColor();
}

void mdiMain::Bold_Click()
{
    toggleStyle(FormatCommands::Style::Bold, QStringLiteral("Bold"), true);
}

void mdiMain::Italic_Click()
{
    toggleStyle(FormatCommands::Style::Italic, QStringLiteral("Italic"), true);
}

void mdiMain::Underline_Click()
{
    toggleStyle(FormatCommands::Style::Underline, QStringLiteral("Underline"), true);
}

void mdiMain::Strikethru_Click()
{
    toggleStyle(FormatCommands::Style::Strikethru, QStringLiteral("Strikethru"), true);
}

void mdiMain::FontOpt_Click()
{
    if (const std::optional<QString> size = m_formatCommands->FontOptions())
        Combo1->setEditText(*size);
}

void mdiMain::Command52_Click()
{
    FontOpt_Click();
}

void mdiMain::FontCol_Click()
{
    m_formatCommands->FontColor();
}

void mdiMain::LowerCase_Click()
{
    m_textCommands->LowerCase();
}

void mdiMain::Upper_Click()
{
    m_textCommands->UpperCase();
}

void mdiMain::Combo1_Click()
{
    m_formatCommands->setFontSize(Combo1->currentText());
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
        MsgBox(m_services.dialogs, reason, MsgBoxButtons::OkOnly, MsgBoxIcon::Exclamation, {}, this);
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
