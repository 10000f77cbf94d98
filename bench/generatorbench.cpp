// generatorbench FOLDER [PRESSES]
//
// Opens the Villains generator over FOLDER/Villains.txt as the program does,
// reports when the first idea is on show, then presses "Generate" PRESSES
// times (default 100000) and reports the cost of one press.

#include "platform/form.h"
#include "generators/generatorcatalogue.h"
#include "generators/generatorwindow.h"
#include "platform/randomsource.h"
#include "platform/textbox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: generatorbench FOLDER [PRESSES]\n");
        return 2;
    }
    const int presses = args.size() == 3 ? args[2].toInt() : 100000;

    QElapsedTimer timer;
    timer.start();
    ClockSeededRandom random;
    GeneratorWindow window(GeneratorCatalogue::Entries[0], args[1], random);
    Show(window);
    const QString first = window.findChild<TextBox *>(QStringLiteral("Text1"))->Text();
    const qint64 openNs = timer.nsecsElapsed();

    QPushButton *generate = window.findChild<QPushButton *>(QStringLiteral("cmdNextTip"));
    timer.restart();
    for (int i = 0; i < presses; ++i)
        generate->click();
    const qint64 pressNs = timer.nsecsElapsed();

    std::printf("%lld ideas; first idea on show after %.1f ms (%s...); one Generate: %.2f us\n",
                static_cast<long long>(window.TipList().size()), openNs / 1e6, qPrintable(first.left(24)),
                presses ? pressNs / 1e3 / presses : 0.0);
    return window.TipList().isEmpty() ? 1 : 0;
}
