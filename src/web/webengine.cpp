#include "webengine.h"

#include <QByteArray>

#include <unistd.h>

void prepareWebEngine()
{
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", QByteArrayLiteral("1"));
}
