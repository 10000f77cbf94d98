#pragma once

#include <QString>

class Clock;
class Dialogs;
class RandomSource;
class SettingsStore;
class Volumes;

// What the windows of the program need from the system around them. The
// program hands in the real services; tests hand in scripted ones.
struct Services
{
    // The folder that holds the executable, the idea files and the journal.
    QString programDirectory;
    Dialogs &dialogs;
    RandomSource &random;
    Clock &clock;
    SettingsStore &settings;
    Volumes &volumes;
};
