// Start-up of the program until its main window and the welcome screen in
// front of it are on screen and painted, beside a bare Qt program
// (startupbare) that shows one empty maximised window; the resident memory
// of each at that moment; whether a web engine library is mapped into the
// program then; and the time from opening the browser window to a local
// page's title in its caption. Every figure is the median over fresh
// processes, printed as one "name value" line.
//
//   startupbench [runs]   runs the children and prints the figures
//   startupbench --app    starts the program; reports once its windows are painted
//   startupbench --web    starts the program, then opens a local page in the browser
//
// A child reports on standard output: "shown" as soon as its windows are
// painted, which the driver times, then "name value" lines it reads at leisure.
#include "app/application.h"
#include "app/mdimain.h"
#include "platform/clock.h"
#include "platform/qtdialogs.h"
#include "platform/randomsource.h"
#include "platform/settingsstore.h"
#include "platform/volumes.h"
#include "screens/frmwelcome.h"
#include "web/webwindows.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QIcon>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace {

const QString PageTitle = QStringLiteral("Local page");

// Runs a function once, when every given window is exposed and painted.
class PaintedWatch : public QObject
{
public:
    PaintedWatch(QList<QWidget *> windows, std::function<void()> then)
        : m_windows(std::move(windows))
        , m_then(std::move(then))
    {
        // Watching the whole application, not each window, also sees windows
        // exposed before this watch was made.
        qApp->installEventFilter(this);
        check();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose)
            check();
        return QObject::eventFilter(watched, event);
    }

private:
    void check()
    {
        const bool allExposed = std::all_of(m_windows.cbegin(), m_windows.cend(), [](const QWidget *window) {
            return window->windowHandle() && window->windowHandle()->isExposed();
        });
        if (!m_then || !allExposed)
            return;
        // A widget window paints and flushes while it handles its expose
        // event, which filters see first; a queued call runs after that.
        QTimer::singleShot(0, this, std::exchange(m_then, nullptr));
    }

    QList<QWidget *> m_windows;
    std::function<void()> m_then;
};

long long residentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// Any of QtWebEngine's libraries (Core, Widgets, Quick), not only the one
// the browser window links directly.
bool webEngineMapped()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6WebEngine");
}

// The program as main.cpp starts it, with its settings in an empty folder so
// that every run is a first start and the user's own settings stay untouched.
// The program folder is where the build puts the program and its web plugin.
int runProgram(int argc, char *argv[], bool web)
{
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmere"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/quillmere.png")));
    QCoreApplication::addLibraryPath(QStringLiteral(QUILLMERE_PLUGIN_DIR));
    QTemporaryDir settingsDir;
    QtDialogs dialogs;
    ClockSeededRandom random;
    SystemClock clock;
    SettingsStore settings(settingsDir.path());
    SystemVolumes volumes;
    Application app({QStringLiteral(QUILLMERE_PLUGIN_DIR), dialogs, random, clock, settings, volumes});

    // Serves the one page the browser asks for, from this process, so that
    // the time is the browser's own and no network is involved.
    QTcpServer server;
    QObject::connect(&server, &QTcpServer::newConnection, &server, [&server] {
        while (QTcpSocket *socket = server.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] {
                socket->readAll();
                const QByteArray body = "<html><head><title>" + PageTitle.toUtf8() + "</title></head><body></body></html>";
                socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\nContent-Length: "
                              + QByteArray::number(body.size()) + "\r\n\r\n" + body);
                socket->disconnectFromHost();
            });
        }
    });
    QElapsedTimer sinceOpen;
    const auto shown = [&] {
        if (!web) {
            std::printf("shown\n");
            std::fflush(stdout);
            // Read after the report, so that neither reading counts in the
            // time; the status first, before the maps inflate the figure.
            const long long resident = residentKilobytes();
            const bool mapped = webEngineMapped();
            std::printf("resident_kb %lld\nwebengine_mapped %d\n", resident, mapped ? 1 : 0);
            std::fflush(stdout);
            QCoreApplication::exit(0);
            return;
        }
        if (!server.listen(QHostAddress::LocalHost)) {
            std::fprintf(stderr, "startupbench: %s\n", qPrintable(server.errorString()));
            QCoreApplication::exit(1);
            return;
        }
        const QString address = u"http://127.0.0.1:" + QString::number(server.serverPort()) + u"/page";
        sinceOpen.start();
        WebWindows *windows = app.web();
        if (!windows) {
            std::fprintf(stderr, "startupbench: %s\n", qPrintable(app.webError()));
            QCoreApplication::exit(1);
            return;
        }
        QObject::connect(&windows->browser(), &QWidget::windowTitleChanged, &server, [&](const QString &title) {
            if (title == PageTitle) {
                std::printf("web_page_title_ms %.1f\n", double(sinceOpen.nsecsElapsed()) / 1e6);
                std::fflush(stdout);
                QCoreApplication::exit(0);
            }
        });
        windows->openBrowser(address);
    };
    app.start();
    PaintedWatch watch({&app.mainWindow(), &app.welcome()}, shown);
    return QApplication::exec();
}

struct ChildRun
{
    double firstLineMs = -1; // from starting the process to its first line
    QHash<QByteArray, double> figures;
};

// Runs a child to its end; an empty result when it fails.
std::optional<ChildRun> runChild(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    ChildRun run;
    while (run.firstLineMs < 0 && process.waitForReadyRead(120000)) {
        if (process.canReadLine())
            run.firstLineMs = double(timer.nsecsElapsed()) / 1e6;
    }
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0
        || run.firstLineMs < 0) {
        process.kill();
        process.waitForFinished();
        std::fprintf(stderr, "startupbench: %s %s failed\n", qPrintable(program), qPrintable(arguments.join(u' ')));
        return std::nullopt;
    }
    for (const QByteArray &line : process.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.trimmed().split(' ');
        if (fields.size() == 2)
            run.figures.insert(fields[0], fields[1].toDouble());
    }
    return run;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (mode == "--app" || mode == "--web")
        return runProgram(argc, argv, mode == "--web");

    QCoreApplication driver(argc, argv);
    const int runs = mode.isEmpty() ? 11 : std::max(1, mode.toInt());
    const QString self = QCoreApplication::applicationFilePath();
    const QString bare = QCoreApplication::applicationDirPath() + u"/startupbare";
    const QStringList app{QStringLiteral("--app")};

    // One run of each, not counted, brings the libraries into the file cache.
    if (!runChild(self, app) || !runChild(bare, {}))
        return 1;
    // The two programs take turns, so that a change in the machine's load
    // falls on both alike.
    std::vector<double> appMs, bareMs, appMb, bareMb;
    bool mapped = false;
    for (int i = 0; i < runs; ++i) {
        const std::optional<ChildRun> program = runChild(self, app);
        const std::optional<ChildRun> floor = runChild(bare, {});
        if (!program || !floor)
            return 1;
        appMs.push_back(program->firstLineMs);
        bareMs.push_back(floor->firstLineMs);
        appMb.push_back(program->figures.value("resident_kb") / 1024);
        bareMb.push_back(floor->figures.value("resident_kb") / 1024);
        // Mapped in any run counts: the web engine must stay out of every start.
        mapped = mapped || program->figures.value("webengine_mapped") != 0;
    }
    // Each page load starts a web engine process of its own, so fewer runs.
    std::vector<double> titleMs;
    for (int i = 0; i < std::max(3, runs / 2); ++i) {
        const std::optional<ChildRun> web = runChild(self, {QStringLiteral("--web")});
        if (!web)
            return 1;
        titleMs.push_back(web->figures.value("web_page_title_ms"));
    }

    std::printf("startup_ms %.1f\n", median(appMs));
    std::printf("bare_startup_ms %.1f\n", median(bareMs));
    std::printf("startup_rss_mb %.1f\n", median(appMb));
    std::printf("bare_startup_rss_mb %.1f\n", median(bareMb));
    std::printf("webengine_mapped_at_start %d\n", mapped ? 1 : 0);
    std::printf("web_page_title_ms %.1f\n", median(titleMs));
    return 0;
}
