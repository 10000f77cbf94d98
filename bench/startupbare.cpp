// The floor for start-up: a bare Qt program that shows one empty main window
// maximised. It reports as startupbench's children do: "shown" once the
// window is exposed and painted, then its resident memory as
// "resident_kb <kB>".
#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QTimer>
#include <QWindow>

#include <cstdio>

namespace {

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

// Watches the whole application, as startupbench does, so that both pay the
// same for the watching.
class PaintedWatch : public QObject
{
public:
    explicit PaintedWatch(const QWidget &window)
        : m_window(window)
    {
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
        if (m_reported || !m_window.windowHandle() || !m_window.windowHandle()->isExposed())
            return;
        m_reported = true;
        // A widget window paints and flushes while it handles its expose
        // event, which filters see first; a queued call runs after that.
        QTimer::singleShot(0, this, [] {
            std::printf("shown\n");
            std::fflush(stdout);
            std::printf("resident_kb %lld\n", residentKilobytes());
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
    }

    const QWidget &m_window;
    bool m_reported = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.showMaximized();
    PaintedWatch watch(window);
    return QApplication::exec();
}
