#include "recoverywatch.h"

#include "documentrecovery.h"
#include "frmdoc.h"
#include "platform/richtextbox.h"

#include <QEvent>
#include <QFile>
#include <QTextDocument>
#include <QTextEdit>

RecoveryWatch::RecoveryWatch(frmDoc &window, DocumentRecovery &recovery)
    : QObject(&window)
    , m_window(window)
    , m_recovery(recovery)
{
    for (QTimer *timer : {&m_pause, &m_longest}) {
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, this, &RecoveryWatch::write);
    }
    m_pause.setInterval(DocumentRecovery::Pause);
    m_longest.setInterval(DocumentRecovery::Longest);
    RichTextBox *box = window.RichTextBox1();
    connect(box->textEdit(), &QTextEdit::textChanged, this, &RecoveryWatch::changed);
    connect(box, &RichTextBox::documentReplaced, this, &RecoveryWatch::followDocument);
    followDocument();
    window.installEventFilter(this);
}

void RecoveryWatch::followDocument()
{
    if (m_document)
        disconnect(m_document, nullptr, this, nullptr);
    m_document = m_window.RichTextBox1()->document();
    connect(m_document, &QTextDocument::modificationChanged, this, [this](bool modified) {
        if (!modified)
            discard();
    });
    if (!m_document->isModified())
        discard();
}

bool RecoveryWatch::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_window && event->type() == QEvent::Close) {
        if (m_document && m_document->isModified())
            write();
        else
            discard();
    }
    return QObject::eventFilter(watched, event);
}

void RecoveryWatch::changed()
{
    if (!m_document || !m_document->isModified())
        return;
    m_pause.start();
    if (!m_longest.isActive())
        m_longest.start();
}

void RecoveryWatch::write()
{
    m_pause.stop();
    m_longest.stop();
    if (m_document && m_document->isModified())
        m_recovery.store(m_window, m_file);
}

void RecoveryWatch::discard()
{
    m_pause.stop();
    m_longest.stop();
    if (!m_file.isEmpty())
        QFile::remove(m_file);
    m_file.clear();
}
