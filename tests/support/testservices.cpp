#include "testservices.h"

#include <QDir>
#include <QStandardPaths>

TestServices::TestServices()
    : settings(directory.filePath(QStringLiteral("settings")))
    , services{directory.path(), dialogs, random, clock, settings, volumes}
{
    // What the program keeps in the user's data folder (recovery copies, the
    // word list) goes to Qt's test folder instead.
    QStandardPaths::setTestModeEnabled(true);
    volumes.volumes = {{directory.path(), QStringLiteral("test")}};
    volumes.current = directory.path();
}

QString TestServices::path(const QString &name) const
{
    return QDir(directory.path()).filePath(name);
}
