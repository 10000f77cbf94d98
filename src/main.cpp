#include "application.h"
#include "clock.h"
#include "qtdialogs.h"
#include "randomsource.h"
#include "settingsstore.h"

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
    Application app({QApplication::applicationDirPath(), dialogs, random, clock, settings});
    app.start();
    return QApplication::exec();
}
