#pragma once

#include "recoveryfolder.h"

#include <QObject>

#include <chrono>

class Clock;
class Dialogs;
class QWidget;
class frmDoc;

// Keeps a copy of every document window's unsaved text in the recovery
// folder: after a pause in typing, at least every half minute while the
// writer types on, and when the window closes. A saved document, or one
// closed unchanged, leaves no copy. A copy that cannot be written is tried
// again at the next pause; the first failure of a run is told once.
class DocumentRecovery : public QObject
{
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds Pause{2000};
    static constexpr std::chrono::milliseconds Longest{30000};

    DocumentRecovery(QString folder, Dialogs &dialogs, QWidget &owner, const Clock &clock);

    const RecoveryFolder &folder() const { return m_folder; }
    void watch(frmDoc &window);
    // Writes the window's document to its copy, choosing the copy's name
    // the first time; false when it could not be written.
    bool store(frmDoc &window, QString &file);
    // Removes the copies older than a month; for Exit, never start-up.
    void prune();

private:
    RecoveryFolder m_folder;
    Dialogs &m_dialogs;
    QWidget &m_owner;
    const Clock &m_clock;
    bool m_failureTold = false;
};
