#pragma once

#include "services.h"

#include <memory>

class mdiMain;

// Owns the program's windows: the main window and the single instance of
// every other window, each made the first time it is needed and kept until
// the program ends. Hands each window the services it works with.
class Application
{
public:
    explicit Application(const Services &services);
    ~Application();

    // Builds the main window, runs its start-up and shows it maximised.
    void start();

    mdiMain &mainWindow() const { return *m_main; }

private:
    Services m_services;
    std::unique_ptr<mdiMain> m_main;
};
