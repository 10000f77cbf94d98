#pragma once

#include "editor/formatcommands.h"
#include "platform/commondialog.h"

#include <QMainWindow>

#include <memory>

class Application;
class DirListBox;
class DocumentWindows;
class DriveListBox;
class FileCommands;
class FileListBox;
class PrintCommand;
class QComboBox;
class QLabel;
class QListWidget;
class QMdiArea;
class QPushButton;
class TextCommands;
class Toolbar;
class WebWindows;
struct Services;

// The main window: the frame that holds the document windows, with the
// toolbar, the ruler and the left pane of generator and file lists around
// them, and the program's menu bar.
class mdiMain : public QMainWindow
{
    Q_OBJECT
public:
    mdiMain(Application &app, const Services &services);
    ~mdiMain() override;

    // Start-up: seeds the random numbers, opens the first document window,
    // shows the welcome screen and checks the three View items.
    void MDIForm_Load();

    DocumentWindows &documents() const { return *m_documents; }

    // The browser window at an address, and the bookshelf; a web window
    // that cannot be loaded is reported.
    void openLink(const QString &address);
    void showBookshelf();
    QAction *menuItem(const QString &name) const;

protected:
    void closeEvent(QCloseEvent *event) override;
    // The panes are shown and hidden from the View menu only, so that its
    // check marks always match them.
    QMenu *createPopupMenu() override { return nullptr; }

private:
    void buildMenus();
    void buildToolbar();
    void buildPanes();
    // The size and place the window takes when the user restores it.
    void placeRestored();
    void connectMenuItems();
    void connectFilePane();
    void reportListError(const QString &reason);
    void togglePane(QWidget *pane, const QString &item);
    void connectEditingControls();
    // The style toggle, with its menu item's check mark.
    void toggleStyle(FormatCommands::Style style, const QString &item, bool fromMenu);

    void New_Click();
    void Open_Click();
    void Save_Click();
    void SaveAs_Click();
    void Exit_Click();
    void Generators_Click();
    void Ruler_Click();
    void MainBar_Click();
    void Cascade_Click();
    void hori_Click();
    void Vertical_Click();
    void arrange_Click();
    void gened_Click();
    void Journal_Click();
    void Find_Click();
    void Bookshelf_Click();
    void Online_Click();
    void Fernhold_Click();
    void Oberwick_Click();
    void Text1_Click();
    void Command1_Click();
    WebWindows *webWindows();
    void Welcome_Click();
    void keyshorta_Click();
    void keyshort_Click();
    void About_Click();
    void Toolbar1_ButtonClick(const QString &key);
    void Print_Click();
    void Cut_Click();
    void Copy_Click();
    void Paste_Click();
    void SellectAll_Click();
    void DateTime_Click();
    void bgc_Click();
    void Bold_Click();
    void Italic_Click();
    void Underline_Click();
    void Strikethru_Click();
    void FontOpt_Click();
    void FontCol_Click();
    void LowerCase_Click();
    void Upper_Click();
    void Command52_Click();
    void Combo1_Click();
    void List1_DblClick();
    void Drive1_Change();
    void Dir1_Change();
    void File1_DblClick();

    Application &m_app;
    const Services &m_services;

    Toolbar *Toolbar1 = nullptr;
    QPushButton *Command52 = nullptr;
    QComboBox *Combo1 = nullptr;
    QComboBox *Text1 = nullptr;
    QPushButton *Command1 = nullptr;
    QLabel *picRuler = nullptr;
    QWidget *picFileBar = nullptr;
    QListWidget *List1 = nullptr;
    DriveListBox *Drive1 = nullptr;
    DirListBox *Dir1 = nullptr;
    FileListBox *File1 = nullptr;
    QMdiArea *m_area = nullptr;
    // Shared by the file commands; it keeps its settings between them.
    CommonDialog CommonDialog1;
    std::unique_ptr<DocumentWindows> m_documents;
    std::unique_ptr<FileCommands> m_fileCommands;
    // The font dialog, which also serves the text colour.
    CommonDialog CDL1;
    std::unique_ptr<FormatCommands> m_formatCommands;
    std::unique_ptr<TextCommands> m_textCommands;
    std::unique_ptr<PrintCommand> m_printCommand;
};
