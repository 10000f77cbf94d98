#include "application.h"

#include "mdimain.h"

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
