#include "testservices.h"

#include <QDir>
#include <QFile>

TestServices::TestServices()
    : settings(directory.filePath(QStringLiteral("settings")))
    , services{directory.path(), dialogs, random, clock, settings, volumes}
    , m_userDataBefore(qgetenv("XDG_DATA_HOME"))
{
    // What the program keeps in the user's data folder (recovery copies, the
    // word list) goes to a folder of this object's own, apart from the user's
    // and from other tests that run at the same time.
    qputenv("XDG_DATA_HOME", QFile::encodeName(userData.path()));
    volumes.volumes = {{directory.path(), QStringLiteral("test")}};
    volumes.current = directory.path();
}

TestServices::~TestServices()
{
    if (m_userDataBefore.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", m_userDataBefore);
}

QString TestServices::path(const QString &name) const
{
    return QDir(directory.path()).filePath(name);
}
