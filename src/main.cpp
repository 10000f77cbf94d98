#include "app/application.h"
#include "platform/clock.h"
#include "platform/qtdialogs.h"
#include "platform/randomsource.h"
#include "platform/settingsstore.h"
#include "platform/volumes.h"

#include <QApplication>
#include <QIcon>
#include <QStandardPaths>

int main(int argc, char *argv[])
{
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmere"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/quillmere.png")));

    QtDialogs dialogs;
    ClockSeededRandom random;
    SystemClock clock;
    SettingsStore settings(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    SystemVolumes volumes;
    Application app({QApplication::applicationDirPath(), dialogs, random, clock, settings, volumes});
    app.start();
    return QApplication::exec();
}
