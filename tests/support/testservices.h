#pragma once

#include "fixedclock.h"
#include "fixedvolumes.h"
#include "scripteddialogs.h"
#include "scriptedrandom.h"
#include "platform/services.h"
#include "platform/settingsstore.h"

#include <QTemporaryDir>

// Scripted services over a temporary program directory that lives as long
// as the object. The file pane sees that directory as the one volume and the
// current folder.
class TestServices
{
public:
    TestServices();
    ~TestServices();

    QString path(const QString &name) const;

    QTemporaryDir directory;
    QTemporaryDir userData; // where the program keeps what it keeps for the user
    ScriptedDialogs dialogs;
    ScriptedRandom random;
    FixedClock clock;
    SettingsStore settings;
    FixedVolumes volumes;
    Services services;

private:
    QByteArray m_userDataBefore;
};
