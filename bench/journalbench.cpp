// journalbench [FOLDER]
//
// Opens the journal over a folder of 10,000 entries (made in FOLDER, or in a
// temporary folder) and times the window's own re-reads of the list while
// nothing in the folder changes, counting the list's repaints. Then times
// scrambling and unscrambling 1 MB of prose beside one plain copy of it.

#include "journal/frmjournal.h"
#include "journal/scrambling.h"
#include "platform/clock.h"
#include "platform/filelistbox.h"
#include "platform/qtdialogs.h"
#include "platform/randomsource.h"
#include "platform/services.h"
#include "platform/settingsstore.h"
#include "platform/volumes.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int Entries = 10000;
constexpr int Ticks = 51;
constexpr int Runs = 11;

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

double medianMs(const std::function<void()> &work)
{
    QList<double> times;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.append(timer.nsecsElapsed() / 1e6);
    }
    return median(times);
}

// Times each timeout of the timer, from its timer event to the end of the
// handlers connected before this one.
class TickTimer : public QObject
{
public:
    explicit TickTimer(QTimer *timer)
    {
        timer->installEventFilter(this);
        connect(timer, &QTimer::timeout, this, [this] {
            if (m_clock.isValid())
                times.append(m_clock.nsecsElapsed() / 1e6);
        });
    }
    QList<double> times;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Timer)
            m_clock.start();
        return false;
    }

private:
    QElapsedTimer m_clock;
};

class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

QString prose()
{
    const QString sentence = QStringLiteral(
        "The lighthouse keeper's widow came back to the island on a grey morning, with a sealed letter in her coat. ");
    QString text;
    text.reserve(1 << 20);
    while (text.size() < (1 << 20))
        text += sentence;
    text.truncate(1 << 20);
    return text;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    QTemporaryDir temporary;
    const QString folder = args.size() > 1 ? args[1] : temporary.path();
    QDir().mkpath(folder);
    for (int i = 0; i < Entries; ++i) {
        QFile file(QDir(folder).filePath(QStringLiteral("Entry %1 12-7-2026.entry").arg(i)));
        if (!file.exists() && (!file.open(QIODevice::WriteOnly) || file.write("{\\rtf1 x}") < 0)) {
            std::fprintf(stderr, "journalbench: cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
    }

    QtDialogs dialogs;
    ClockSeededRandom random;
    SystemClock clock;
    SettingsStore settings(temporary.filePath(QStringLiteral("settings")));
    SystemVolumes volumes;
    const Services services{folder, dialogs, random, clock, settings, volumes};
    frmJournal journal(services);
    Show(journal);
    auto *list = journal.findChild<FileListBox *>(QStringLiteral("File1"));
    auto *timer = journal.findChild<QTimer *>(QStringLiteral("Timer1"));
    if (list->count() < Entries) {
        std::fprintf(stderr, "journalbench: the list shows %d entries\n", int(list->count()));
        return 1;
    }
    list->setCurrentRow(Entries / 2);
    // Let the window settle before anything is counted.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 300)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);

    TickTimer ticks(timer);
    PaintCounter paints(list->viewport());
    while (ticks.times.size() < Ticks)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 200);
    QCoreApplication::processEvents();
    std::printf("reread_10k_ms %.3f\n", median(ticks.times));
    std::printf("reread_10k_repaints %d\n", paints.count);

    const QString text = prose();
    QString scrambled;
    QString unscrambled;
    QString copy;
    const double scrambleMs = medianMs([&] { scrambled = ScrambleText(text); });
    const double unscrambleMs = medianMs([&] { unscrambled = UnscrambleText(scrambled); });
    const double copyMs = medianMs([&] { copy = QString(text.constData(), text.size()); });
    if (unscrambled != text || copy != text) {
        std::fprintf(stderr, "journalbench: the text did not come back\n");
        return 1;
    }
    std::printf("scramble_1mb_ms %.3f\n", scrambleMs);
    std::printf("unscramble_1mb_ms %.3f\n", unscrambleMs);
    std::printf("copy_1mb_ms %.3f\n", copyMs);
    return 0;
}
