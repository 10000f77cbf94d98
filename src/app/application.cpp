#include "application.h"

#include "generators/frmedit.h"
#include "generators/generatorwindow.h"
#include "journal/frmjournal.h"
#include "mdimain.h"
#include "platform/clock.h"
#include "platform/spellchecker.h"
#include "search/frmfind.h"
#include "web/webwindowsfactory.h"

#include "screens/frmkey.h"
#include "screens/frmwelcome.h"

#include <QPluginLoader>
#include <QStandardPaths>

Application::Application(const Services &services)
    : m_services(services)
{
}

Application::~Application() = default;

void Application::start()
{
    m_main = std::make_unique<mdiMain>(*this, m_services);
    m_main->MDIForm_Load();
    m_main->showMaximized();
    // Shown during start-up, the welcome screen stays in front of the main
    // window that is shown after it.
    Show(welcome());
}

GeneratorWindow &Application::generator(std::size_t entry)
{
    std::unique_ptr<GeneratorWindow> &window = m_generators.at(entry);
    if (!window)
        window = std::make_unique<GeneratorWindow>(GeneratorCatalogue::Entries.at(entry), m_services.programDirectory,
                                                   m_services.random);
    return *window;
}

frmEdit &Application::generatorEditor()
{
    if (!m_generatorEditor)
        m_generatorEditor = std::make_unique<frmEdit>(m_services.programDirectory, m_services.dialogs);
    return *m_generatorEditor;
}

frmJournal &Application::journal()
{
    if (!m_journal) {
        m_journal = std::make_unique<frmJournal>(m_services);
        m_journal->setSpellChecker(spelling());
    }
    return *m_journal;
}

frmFind &Application::find()
{
    if (!m_find)
        m_find = std::make_unique<frmFind>(m_main->documents(), m_services.dialogs, m_main.get());
    return *m_find;
}

WebWindows *Application::web()
{
    if (!m_web) {
        // The plugin lies beside the executable, one of Qt's library paths;
        // it stays loaded once loaded.
        QPluginLoader loader(QStringLiteral("quillmereweb"));
        auto *factory = qobject_cast<WebWindowsFactory *>(loader.instance());
        if (!factory) {
            m_webError = u"The web windows could not be loaded from the plugin \"quillmereweb\" beside the program: "
                         + loader.errorString();
            return nullptr;
        }
        m_web = factory->create();
    }
    return m_web.get();
}

frmWelcome &Application::welcome()
{
    if (!m_welcome) {
        m_welcome = std::make_unique<frmWelcome>();
        frmWelcome *w = m_welcome.get();
        QObject::connect(w, &frmWelcome::unloaded, w, [this] { Show(keyboardShortcuts()); });
        QObject::connect(w, &frmWelcome::keyboardShortcutsChosen, w, [this] { Show(keyboardShortcuts()); });
        QObject::connect(w, &frmWelcome::generatorEditorChosen, w, [this] { Show(generatorEditor()); });
        QObject::connect(w, &frmWelcome::journalChosen, w, [this] { Show(journal()); });
        QObject::connect(w, &frmWelcome::bookshelfChosen, w, [this] { m_main->showBookshelf(); });
        QObject::connect(w, &frmWelcome::supportChosen, w, [this](const QString &address) { m_main->openLink(address); });
    }
    return *m_welcome;
}

frmKey &Application::keyboardShortcuts()
{
    if (!m_keyboardShortcuts)
        m_keyboardShortcuts = std::make_unique<frmKey>();
    return *m_keyboardShortcuts;
}

SpellChecker &Application::spelling()
{
    if (!m_spelling)
        m_spelling = std::make_unique<SpellChecker>(
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/words.txt"),
            m_services.clock.locale().name());
    return *m_spelling;
}
