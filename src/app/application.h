#pragma once

#include "generators/generatorcatalogue.h"
#include "platform/services.h"

#include <array>
#include <memory>

class GeneratorWindow;
class SpellChecker;
class WebWindows;
class frmEdit;
class frmJournal;
class frmFind;
class frmKey;
class frmWelcome;
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

    // The generator of a catalogue entry, made on first use.
    GeneratorWindow &generator(std::size_t entry);
    frmEdit &generatorEditor();
    frmJournal &journal();
    frmFind &find();

    // The browser window and the bookshelf, loaded from their plugin the
    // first time either is needed; nullptr when the plugin cannot be
    // loaded, with the reason in webError().
    WebWindows *web();
    QString webError() const { return m_webError; }
    frmWelcome &welcome();
    frmKey &keyboardShortcuts();
    // The spelling of every document window and the journal.
    SpellChecker &spelling();

private:
    Services m_services;
    // Before the windows, which check with it until they go.
    std::unique_ptr<SpellChecker> m_spelling;
    std::unique_ptr<mdiMain> m_main;
    std::array<std::unique_ptr<GeneratorWindow>, GeneratorCatalogue::Entries.size()> m_generators;
    std::unique_ptr<frmEdit> m_generatorEditor;
    std::unique_ptr<frmJournal> m_journal;
    // A window of its own that stays above the main window, its Qt parent;
    // declared after m_main so that it goes first.
    std::unique_ptr<frmFind> m_find;
    std::unique_ptr<WebWindows> m_web;
    QString m_webError;
    std::unique_ptr<frmKey> m_keyboardShortcuts;
    std::unique_ptr<frmWelcome> m_welcome;
};
