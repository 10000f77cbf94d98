#include "application.h"

#include "generators/frmedit.h"
#include "generators/generatorwindow.h"
#include "mdimain.h"
#include "web/webwindowsfactory.h"

#include <QPluginLoader>

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
