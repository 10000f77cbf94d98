// libFuzzer target: any bytes through the RTF reader and writer.

#include "rtfroundtrip.h"

#include <QFontDatabase>
#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    // Broken pictures make the image readers complain on every run.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    // The reader asks for the installed fonts once a run; fontconfig keeps
    // what it loads then for the rest of the process.
    QFontDatabase::families();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!rtfRoundTripKeepsText(QByteArrayView(data, qsizetype(size))))
        std::abort();
    return 0;
}
