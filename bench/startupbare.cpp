// The floor for start-up: a bare Qt program that shows an empty main window
// maximised and says "shown" once the window is on screen.
#include <QApplication>
#include <QMainWindow>
#include <QWindow>

#include <cstdio>

namespace {

class ExposeWatch : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed()) {
            std::printf("shown 0\n");
            std::fflush(stdout);
            QCoreApplication::exit(0);
        }
        return false;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    ExposeWatch watch;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.showMaximized();
    window.windowHandle()->installEventFilter(&watch);
    return QApplication::exec();
}
