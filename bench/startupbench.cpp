// Start-up of the program to its main window on screen, beside a bare Qt
// program in the same run; whether the web engine is mapped at that point;
// and the time from opening the browser window to a local page's title in
// its caption. Each figure is the median of fresh processes.
//
// Usage: startupbench [runs]   (the children are this program with "app" or
// "web" as argument, and startupbare beside it)
#include "app/application.h"
#include "app/mdimain.h"
#include "platform/clock.h"
#include "platform/qtdialogs.h"
#include "platform/randomsource.h"
#include "platform/settingsstore.h"
#include "platform/volumes.h"
#include "web/webwindows.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const QString PageTitle = QStringLiteral("Local page");

bool engineMapped()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6WebEngineCore");
}

// Runs a function once the window is first on screen.
class ExposeWatch : public QObject
{
public:
    explicit ExposeWatch(std::function<void()> then) : m_then(std::move(then)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (m_then && event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed())
            std::exchange(m_then, nullptr)();
        return false;
    }

private:
    std::function<void()> m_then;
};

// The program as main.cpp starts it; "web" then opens a local page in the
// browser window and reports how long the title took to show.
int child(int argc, char *argv[], bool web)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmere"));
    QCoreApplication::addLibraryPath(QStringLiteral(QUILLMERE_PLUGIN_DIR));
    QTemporaryDir settingsDir;
    QtDialogs dialogs;
    ClockSeededRandom random;
    SystemClock clock;
    SettingsStore settings(settingsDir.path());
    SystemVolumes volumes;
    Application app({QStringLiteral(QUILLMERE_PLUGIN_DIR), dialogs, random, clock, settings, volumes});

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
    ExposeWatch watch([&] {
        if (!web) {
            std::printf("shown %d\n", engineMapped() ? 1 : 0);
            std::fflush(stdout);
            QCoreApplication::exit(0);
            return;
        }
        server.listen(QHostAddress::LocalHost);
        const QString address = u"http://127.0.0.1:" + QString::number(server.serverPort()) + u"/page";
        sinceOpen.start();
        WebWindows *windows = app.web();
        if (!windows) {
            std::fprintf(stderr, "%s\n", qPrintable(app.webError()));
            QCoreApplication::exit(1);
            return;
        }
        QObject::connect(&windows->browser(), &QWidget::windowTitleChanged, &server, [&](const QString &title) {
            if (title == PageTitle) {
                std::printf("title %.1f\n", sinceOpen.nsecsElapsed() / 1e6);
                std::fflush(stdout);
                QCoreApplication::exit(0);
            }
        });
        windows->openBrowser(address);
    });
    app.start();
    app.mainWindow().windowHandle()->installEventFilter(&watch);
    return QApplication::exec();
}

struct ChildResult
{
    double sinceStartMs = -1; // from starting the process to its first line
    QByteArray line;
};

ChildResult runChild(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    ChildResult result;
    while (process.waitForReadyRead(120000)) {
        if (process.canReadLine()) {
            result.sinceStartMs = timer.nsecsElapsed() / 1e6;
            result.line = process.readLine().trimmed();
            break;
        }
    }
    process.waitForFinished(120000);
    return result;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && (qstrcmp(argv[1], "app") == 0 || qstrcmp(argv[1], "web") == 0))
        return child(argc, argv, qstrcmp(argv[1], "web") == 0);

    const int runs = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 11;
    QCoreApplication core(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    const QString bare = QCoreApplication::applicationDirPath() + u"/startupbare";

    std::vector<double> appTimes, bareTimes, titleTimes;
    int mapped = 0;
    runChild(self, {QStringLiteral("app")}); // warm the file cache
    runChild(bare, {});
    for (int i = 0; i < runs; ++i) {
        const ChildResult program = runChild(self, {QStringLiteral("app")});
        if (program.line.startsWith("shown ")) {
            appTimes.push_back(program.sinceStartMs);
            mapped = std::max(mapped, program.line.mid(6).toInt());
        }
        const ChildResult floor = runChild(bare, {});
        if (floor.line.startsWith("shown "))
            bareTimes.push_back(floor.sinceStartMs);
    }
    for (int i = 0; i < std::max(3, runs / 2); ++i) {
        const ChildResult web = runChild(self, {QStringLiteral("web")});
        if (web.line.startsWith("title "))
            titleTimes.push_back(web.line.mid(6).toDouble());
    }
    std::printf("startup_ms %.1f\n", median(appTimes));
    std::printf("bare_startup_ms %.1f\n", median(bareTimes));
    std::printf("webengine_mapped_at_start %d\n", mapped);
    std::printf("web_page_title_ms %.1f\n", median(titleTimes));
    return appTimes.size() == std::size_t(runs) && titleTimes.empty() == false ? 0 : 1;
}
