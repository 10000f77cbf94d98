#include "webengine.h"

#include <QByteArray>
#include <QLoggingCategory>

#include <unistd.h>

void prepareWebEngine()
{
    // Passed as the engine's own switch: the variable that Qt offers for this
    // makes the engine announce it on every start.
    if (geteuid() == 0) {
        const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
        if (!flags.contains("--no-sandbox"))
            qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags + " --no-sandbox");
    }
    // The engine lists its graphics set-up at every start; a user's own
    // logging rules still come first.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
}
