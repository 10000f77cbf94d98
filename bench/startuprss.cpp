// Start-up to the main window and the welcome screen on screen, against a bare
// Qt program that shows one empty maximised window, and the resident memory of
// each at that moment.
//
//   startuprss [runs]     runs both programs alternately, prints the medians
//   startuprss --program  starts Quillmere, reports once its windows are up
//   startuprss --bare     shows one empty maximised window, reports likewise
#include "app/application.h"
#include "app/mdimain.h"
#include "platform/clock.h"
#include "platform/qtdialogs.h"
#include "platform/randomsource.h"
#include "platform/settingsstore.h"
#include "platform/volumes.h"
#include "screens/frmwelcome.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

// Waits until every watched window is exposed, lets them paint, then prints
// "shown <resident kB>" and ends the program.
class ShownReporter : public QObject
{
public:
    explicit ShownReporter(std::function<QList<QWidget *>()> windows)
        : m_windows(std::move(windows))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && !m_done && allExposed()) {
            m_done = true;
            QTimer::singleShot(0, this, [] {
                std::printf("shown %lld\n", residentKilobytes());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool allExposed() const
    {
        const QList<QWidget *> windows = m_windows();
        return std::all_of(windows.begin(), windows.end(), [](QWidget *w) {
            return w->windowHandle() && w->windowHandle()->isExposed();
        });
    }

    static long long residentKilobytes()
    {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly))
            return -1;
        const QRegularExpression rss(QStringLiteral("^VmRSS:\\s+(\\d+)"), QRegularExpression::MultilineOption);
        return rss.match(QString::fromLatin1(status.readAll())).captured(1).toLongLong();
    }

    std::function<QList<QWidget *>()> m_windows;
    bool m_done = false;
};

int runProgram(int argc, char *argv[])
{
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmere"));
    QtDialogs dialogs;
    ClockSeededRandom random;
    SystemClock clock;
    SettingsStore settings(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    SystemVolumes volumes;
    Application app({QApplication::applicationDirPath(), dialogs, random, clock, settings, volumes});
    ShownReporter reporter([&app] { return QList<QWidget *>{&app.mainWindow(), &app.welcome()}; });
    app.start();
    return QApplication::exec();
}

int runBare(int argc, char *argv[])
{
    QApplication qtApp(argc, argv);
    QMainWindow window;
    ShownReporter reporter([&window] { return QList<QWidget *>{&window}; });
    window.showMaximized();
    return QApplication::exec();
}

struct Run
{
    double milliseconds = 0;
    double residentMegabytes = 0;
};

Run timeOne(const QString &mode)
{
    QProcess child;
    QElapsedTimer timer;
    timer.start();
    child.start(QCoreApplication::applicationFilePath(), {mode});
    QByteArray line;
    while (!line.contains('\n') && child.waitForReadyRead(60000))
        line += child.readAllStandardOutput();
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    child.waitForFinished(10000);
    const QList<QByteArray> fields = line.trimmed().split(' ');
    if (fields.size() != 2 || fields[0] != "shown")
        qFatal("%s did not report its windows shown", qPrintable(mode));
    return {ms, fields[1].toDouble() / 1024.0};
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (mode == "--program")
        return runProgram(argc, argv);
    if (mode == "--bare")
        return runBare(argc, argv);

    QCoreApplication driver(argc, argv);
    const int runs = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 9;
    QList<double> ms[2], mb[2];
    const QString modes[2] = {QStringLiteral("--program"), QStringLiteral("--bare")};
    timeOne(modes[0]); // warms the file cache for both
    timeOne(modes[1]);
    for (int i = 0; i < runs; ++i)
        for (int m = 0; m < 2; ++m) {
            const Run run = timeOne(modes[m]);
            ms[m] << run.milliseconds;
            mb[m] << run.residentMegabytes;
        }
    std::printf("startup_ms %.1f\n", median(ms[0]));
    std::printf("bare_startup_ms %.1f\n", median(ms[1]));
    std::printf("startup_rss_mb %.1f\n", median(mb[0]));
    std::printf("bare_startup_rss_mb %.1f\n", median(mb[1]));
    return 0;
}
