// editorbench NOVEL.rtf [RUNS]
//
// Opens a novel-length RTF file in a shown document window of the main
// window, as a writer would, and times what a writer feels: the file coming
// up on screen, Ctrl+End, keystrokes at the end and in the middle of the
// text, Upper Case of the whole document and its undo; then the opening and
// the keystrokes again with spelling checked as the writer types. Each
// figure is the median over RUNS runs (default 5), printed as one line
// "name value".

#include "app/application.h"
#include "app/mdimain.h"
#include "editor/documentwindows.h"
#include "editor/recoveryfolder.h"
#include "platform/clock.h"
#include "platform/qtdialogs.h"
#include "platform/randomsource.h"
#include "platform/richtextbox.h"
#include "platform/settingsstore.h"
#include "platform/spellchecker.h"
#include "platform/volumes.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMdiArea>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QWindow>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Notes each paint of the editor's page, so that a figure ends when the
// result is on screen rather than when the command returns.
class PaintWatch : public QObject
{
public:
    bool painted = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

bool waitForExposed(QWidget &window)
{
    const QDeadlineTimer deadline(10000);
    while (!(window.windowHandle() && window.windowHandle()->isExposed()) && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return !deadline.hasExpired();
}

// Runs the event loop until the page has been painted once more.
void waitForPaint(PaintWatch &watch)
{
    const QDeadlineTimer deadline(10000);
    while (!watch.painted && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    // The paint event is delivered; let it finish.
    QCoreApplication::processEvents();
}

double elapsedMs(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    const std::size_t index = std::min(values.size() - 1, std::size_t(p * (values.size() - 1) + 0.5));
    return values[index];
}

double median(const std::vector<double> &values)
{
    return percentile(values, 0.5);
}

void key(QWidget *target, int code, Qt::KeyboardModifiers modifiers = {}, const QString &text = {})
{
    QKeyEvent press(QEvent::KeyPress, code, modifiers, text);
    QKeyEvent release(QEvent::KeyRelease, code, modifiers, text);
    QCoreApplication::sendEvent(target, &press);
    QCoreApplication::sendEvent(target, &release);
}

// Key event to repaint done, for each of `count` letters typed at the caret.
std::vector<double> typeLetters(QTextEdit *edit, PaintWatch &watch, int count)
{
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        const QChar letter(u'a' + i % 26);
        watch.painted = false;
        QElapsedTimer timer;
        timer.start();
        key(edit, Qt::Key_A + i % 26, {}, QString(letter));
        waitForPaint(watch);
        times.push_back(elapsedMs(timer));
    }
    return times;
}

struct Run
{
    double openToPaint = 0;
    double ctrlEnd = 0;
    double keyEndMedian = 0;
    double keyEndP99 = 0;
    double keyMiddleMedian = 0;
    double keyMiddleP99 = 0;
    double upperCase = 0;
    double upperCaseUndo = 0;
};

Run runOnce(mdiMain &main, const QString &path, SpellChecker *spelling)
{
    Run run;
    main.documents().setSpellChecker(spelling);
    // The last run's window goes now, not when an event loop would end it.
    main.findChild<QMdiArea *>()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    main.menuItem(QStringLiteral("New"))->trigger();
    RichTextBox *box = main.documents().activeDocument();
    QTextEdit *edit = box->textEdit();
    PaintWatch watch;
    edit->viewport()->installEventFilter(&watch);
    waitForPaint(watch);

    watch.painted = false;
    QElapsedTimer timer;
    timer.start();
    const FileResult loaded = box->LoadFile(path);
    waitForPaint(watch);
    run.openToPaint = elapsedMs(timer);
    if (!loaded.ok())
        qFatal("cannot load %s: %s", qPrintable(path), qPrintable(loaded.error));

    watch.painted = false;
    timer.restart();
    key(edit, Qt::Key_End, Qt::ControlModifier);
    waitForPaint(watch);
    run.ctrlEnd = elapsedMs(timer);

    constexpr int Keys = 200;
    const std::vector<double> atEnd = typeLetters(edit, watch, Keys);
    run.keyEndMedian = median(atEnd);
    run.keyEndP99 = percentile(atEnd, 0.99);

    box->setSelStart(int(box->document()->characterCount() / 2));
    edit->ensureCursorVisible();
    watch.painted = false;
    waitForPaint(watch);
    const std::vector<double> inMiddle = typeLetters(edit, watch, Keys);
    run.keyMiddleMedian = median(inMiddle);
    run.keyMiddleP99 = percentile(inMiddle, 0.99);

    watch.painted = false;
    timer.restart();
    main.menuItem(QStringLiteral("Upper"))->trigger();
    waitForPaint(watch);
    run.upperCase = elapsedMs(timer);

    watch.painted = false;
    timer.restart();
    key(edit, Qt::Key_Z, Qt::ControlModifier);
    waitForPaint(watch);
    run.upperCaseUndo = elapsedMs(timer);
    return run;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication qtApp(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: editorbench NOVEL.rtf [RUNS]\n");
        return 2;
    }
    const QString path = args[1];
    const int runs = args.size() == 3 ? std::max(1, args[2].toInt()) : 5;

    QTemporaryDir settingsFolder;
    QtDialogs dialogs;
    ClockSeededRandom random;
    SystemClock clock;
    SettingsStore settings(settingsFolder.path());
    SystemVolumes volumes;
    Application app({QApplication::applicationDirPath(), dialogs, random, clock, settings, volumes});
    app.start();
    mdiMain &main = app.mainWindow();
    if (!waitForExposed(main))
        qFatal("the main window did not come up");

    // Runs with and without the check take turns, so that both see the
    // same machine.
    std::vector<Run> results;
    std::vector<Run> checked;
    for (int i = 0; i < runs; ++i) {
        results.push_back(runOnce(main, path, nullptr));
        checked.push_back(runOnce(main, path, &app.spelling()));
    }
    // A recovery copy of the novel, written while the writer pauses.
    const RecoveryFolder recovery(settingsFolder.filePath(QStringLiteral("recovery")));
    std::vector<double> copies;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const QString error = recovery.write(recovery.newFile(QDateTime::currentDateTime(), path, {}),
                                             *main.documents().activeDocument()->document());
        copies.push_back(elapsedMs(timer));
        if (!error.isEmpty())
            qFatal("cannot write a recovery copy: %s", qPrintable(error));
    }
    if (!app.spelling().hasDictionary())
        qFatal("no Hunspell dictionary: scripts/install-deps installs one");

    const auto reportOf = [&](const std::vector<Run> &of, const char *name, double Run::*figure) {
        std::vector<double> values;
        for (const Run &r : of)
            values.push_back(r.*figure);
        std::printf("%s %.1f\n", name, median(values));
    };
    const auto report = [&](const char *name, double Run::*figure) { reportOf(results, name, figure); };
    report("open_to_paint_ms", &Run::openToPaint);
    report("ctrl_end_ms", &Run::ctrlEnd);
    report("keystroke_end_median_ms", &Run::keyEndMedian);
    report("keystroke_end_p99_ms", &Run::keyEndP99);
    report("keystroke_middle_median_ms", &Run::keyMiddleMedian);
    report("keystroke_middle_p99_ms", &Run::keyMiddleP99);
    report("upper_case_ms", &Run::upperCase);
    report("upper_case_undo_ms", &Run::upperCaseUndo);
    reportOf(checked, "open_to_paint_spell_ms", &Run::openToPaint);
    reportOf(checked, "keystroke_end_median_spell_ms", &Run::keyEndMedian);
    reportOf(checked, "keystroke_end_p99_spell_ms", &Run::keyEndP99);
    reportOf(checked, "keystroke_middle_p99_spell_ms", &Run::keyMiddleP99);
    reportOf(checked, "upper_case_spell_ms", &Run::upperCase);
    std::printf("recovery_write_ms %.1f\n", median(copies));

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak_rss_mb %.1f\n", usage.ru_maxrss / 1024.0);
    std::printf("file_mb %.1f\n", QFileInfo(path).size() / (1024.0 * 1024.0));
    return 0;
}
