#include "testservices.h"

#include <QDir>

TestServices::TestServices()
    : settings(directory.filePath(QStringLiteral("settings")))
    , services{directory.path(), dialogs, random, clock, settings, volumes}
{
    volumes.volumes = {{directory.path(), QStringLiteral("test")}};
    volumes.current = directory.path();
}

QString TestServices::path(const QString &name) const
{
    return QDir(directory.path()).filePath(name);
}
