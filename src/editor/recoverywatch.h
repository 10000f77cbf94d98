#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

class DocumentRecovery;
class QTextDocument;
class frmDoc;

// Watches one document window for its recovery copy: when to write it and
// when it is no longer wanted. Lives as a child of the window.
class RecoveryWatch : public QObject
{
    Q_OBJECT
public:
    RecoveryWatch(frmDoc &window, DocumentRecovery &recovery);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void followDocument();
    void changed();
    void write();
    void discard();

    frmDoc &m_window;
    DocumentRecovery &m_recovery;
    QPointer<QTextDocument> m_document;
    // Restarted by each change: the writer has paused when it runs out.
    QTimer m_pause;
    // Started by the first change after a write, so that a writer who
    // never pauses still has a recent copy.
    QTimer m_longest;
    QString m_file;
};
