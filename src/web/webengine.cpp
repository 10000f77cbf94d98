#include "webengine.h"

#include <QByteArray>
#include <QLoggingCategory>

#include <unistd.h>

void prepareWebEngine()
{
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    // Passed as the engine's own switch: the variable that Qt offers for this
    // makes the engine announce it on every start.
    if (geteuid() == 0 && !flags.contains("--no-sandbox"))
        flags += " --no-sandbox";
    // Sharing the engine's graphics contexts with Qt would have to be set up
    // before the application starts, and would load the graphics driver at
    // every start, the engine's or not: about 60 MB and twice the start-up
    // time. The pages a writer opens here draw as well in software.
    if (!flags.contains("--disable-gpu"))
        flags += " --disable-gpu";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
    // The engine lists its graphics set-up at every start; a user's own
    // logging rules still come first.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
}
