#include "application.h"

#include "generators/frmedit.h"
#include "generators/generatorwindow.h"
#include "mdimain.h"
#include "screens/frmkey.h"
#include "screens/frmwelcome.h"

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

frmWelcome &Application::welcome()
{
    if (!m_welcome) {
        m_welcome = std::make_unique<frmWelcome>();
        frmWelcome *w = m_welcome.get();
        QObject::connect(w, &frmWelcome::unloaded, w, [this] { Show(keyboardShortcuts()); });
        QObject::connect(w, &frmWelcome::keyboardShortcutsChosen, w, [this] { Show(keyboardShortcuts()); });
        QObject::connect(w, &frmWelcome::generatorEditorChosen, w, [this] { Show(generatorEditor()); });
        // MERGE (journal): QObject::connect(w, &frmWelcome::journalChosen, w, [this] { Show(journal()); });
        // MERGE (bookshelf): QObject::connect(w, &frmWelcome::bookshelfChosen, w, [this] { Show(bookshelf()); });
        // MERGE (browser): connect frmWelcome::supportChosen here: Show(browser()), set its cboAddress text to the
        // address, then make brwWebBrowser navigate to the text read back from cboAddress.
    }
    return *m_welcome;
}

frmKey &Application::keyboardShortcuts()
{
    if (!m_keyboardShortcuts)
        m_keyboardShortcuts = std::make_unique<frmKey>();
    return *m_keyboardShortcuts;
}
